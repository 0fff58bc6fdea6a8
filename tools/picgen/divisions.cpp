// The divisions chart: the sixteen divisional charts of Aries, each part in its sign's element
// colour with the sign's glyph, the sixtieth parts marked + and −, names and divisors at the
// right and a degree scale underneath.

#include "tools/divisions/divisions.h"
#include "paint.h"
#include "picture.h"

#include <QPainter>

namespace zeitrad::picgen {

namespace {

using namespace zeitrad::divisions;

const QColor paper(255, 255, 255);
const QColor ink(0, 0, 0);

// The glyph or mark of a part, centred in its cell; skipped where the part is too narrow for it.
void drawPartMark(QPainter& painter, const QRect& cell, const Part& part, const QFont& glyphFont) {
    if (part.mark != Mark::None) {
        // Hand-drawn + and −: crisp at this size in any font.
        const int cx = cell.left() + cell.width() / 2;
        const int cy = cell.top() + cell.height() / 2;
        painter.fillRect(QRect(cx - 2, cy, 5, 1), ink);
        if (part.mark == Mark::Benefic) {
            painter.fillRect(QRect(cx, cy - 2, 1, 5), ink);
        }
        return;
    }
    if (cell.width() < 9) {
        return;
    }
    const QPainterPath glyph = textPath(glyphFont, QString(QChar(signGlyph(part.sign))));
    const QRectF box(cell.left(), cell.top() + 1, cell.width(), cell.height() - 2);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(fitPath(glyph, box));
    painter.restore();
}

QImage drawDivisions() {
    QImage image(pictureSize, QImage::Format_RGB32);
    image.fill(paper);
    QPainter painter(&image);
    const QFont glyphFont = requireFont("DejaVu Sans", 40);
    const QFont labelFont = requireFont("DejaVu Sans Condensed", 9);

    for (int row = 0; row < rowCount; ++row) {
        const Division& division = divisionRows[static_cast<std::size_t>(row)];
        const std::vector<Part> parts = divisionParts(division.divisor);
        for (const Part& part : parts) {
            const QRect cell = partRect(row, part);
            painter.fillRect(cell, QColor::fromRgb(signColour(part.sign)));
            drawPartMark(painter, cell, part, glyphFont);
        }
        // Part boundaries and the line above the row, exact to the pixel.
        for (const Part& part : parts) {
            painter.fillRect(QRect(boundaryX(part.from), rowLineY(row), 1, rowPitch + 1), ink);
        }
        painter.fillRect(QRect(boundaryX(30), rowLineY(row), 1, rowPitch + 1), ink);
        painter.fillRect(QRect(chartLeft, rowLineY(row), chartWidth + 1, 1), ink);

        // Name at the left of the label column, divisor at its right.
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(labelFont);
        painter.setPen(ink);
        const QRect label = labelRect(row);
        painter.drawText(
            label, Qt::AlignLeft | Qt::AlignVCenter,
            QString::fromLatin1(division.name.data(), static_cast<int>(division.name.size())));
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(division.divisor));
    }
    painter.fillRect(QRect(chartLeft, rowLineY(rowCount), chartWidth + 1, 1), ink);

    // Degree scale: a tick for every degree, longer ones with figures every five degrees.
    const QRect scale = scaleRect();
    for (int degree = 0; degree <= 30; ++degree) {
        const bool major = degree % 5 == 0;
        painter.fillRect(QRect(boundaryX(degree), scale.top(), 1, major ? 4 : 2), ink);
        if (major) {
            const QString figure = QString::number(degree) + QChar(0x00B0);
            const QRect text(boundaryX(degree) - 20, scale.top() + 3, 41, scale.height() - 3);
            const Qt::Alignment align = degree == 0 ? Qt::AlignLeft : Qt::AlignHCenter;
            painter.drawText(degree == 0 ? text.adjusted(20 - chartLeft, 0, 0, 0) : text,
                             align | Qt::AlignVCenter, figure);
        }
    }
    return image;
}

const bool registered = registerPicture({"divisions.jpg", pictureSize, drawDivisions, 98});

} // namespace

} // namespace zeitrad::picgen
