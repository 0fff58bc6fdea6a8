// The course screen's picture: the course material on a star field. An Om seal, a computer screen
// showing a period overview, two table extracts on paper and the twelve course volumes. The
// screen shows only the top-left 633 x 497 pixels, and lays the advert's title (from row 360)
// and its column of lines (rows 392 down, columns up to about 565) over the lower part, so the
// material fills the upper part and the lower left stays plain star field; only a planet and a
// moon lie in the free corner at the lower right.

#include "paint.h"
#include "picture.h"

#include <QPainter>
#include <QRadialGradient>
#include <QtMath>

#include <array>
#include <cmath>

namespace zeitrad::picgen {

namespace {

const QColor gold(230, 180, 60);
const QColor paper(250, 244, 225);
const QColor paperInk(40, 30, 20);

// The Om seal: a gold rim with beads and a ring of lettering, a deep red field and the Om.
void drawSeal(QPainter& painter, QPointF c, double r) {
    const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
    QRadialGradient halo(c, r * 1.3);
    halo.setColorAt(0.7, QColor(255, 190, 80, 60));
    halo.setColorAt(1, QColor(255, 190, 80, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(halo);
    painter.drawEllipse(c, r * 1.3, r * 1.3);
    painter.setBrush(goldGradient(box));
    painter.drawEllipse(c, r, r);
    painter.setBrush(QColor(110, 15, 15));
    painter.drawEllipse(c, r * 0.92, r * 0.92);
    painter.setBrush(goldGradient(box));
    painter.drawEllipse(c, r * 0.68, r * 0.68);
    QRadialGradient field(c - QPointF(r * 0.2, r * 0.2), r * 0.8);
    field.setColorAt(0, QColor(190, 30, 25));
    field.setColorAt(1, QColor(100, 10, 10));
    painter.setBrush(field);
    painter.drawEllipse(c, r * 0.64, r * 0.64);

    // Lettering round the ring, each letter turned to face outwards.
    const QFont font = requireFont("Liberation Serif", r * 0.15, QFont::Bold);
    const QString ring =
        QStringLiteral("VEDISCHE ASTROLOGIE \u2022 JYOTISH \u2022 DASA-LEHRE \u2022 ");
    const QFontMetricsF metrics(font);
    const double textRadius = r * 0.75;
    const double total = metrics.horizontalAdvance(ring);
    const double scale = 2 * M_PI * textRadius / total; // spread the text once round
    double angle = -90;
    painter.setBrush(gold);
    for (const QChar ch : ring) {
        const double advance = metrics.horizontalAdvance(ch) * scale;
        const double middle = angle + qRadiansToDegrees(advance / 2 / textRadius);
        painter.save();
        painter.translate(c);
        painter.rotate(middle + 90);
        const QPainterPath letter = textPath(font, ch);
        painter.drawPath(
            letter.translated(-letter.boundingRect().width() / 2 - letter.boundingRect().left(),
                              -textRadius + metrics.ascent() * 0.35));
        painter.restore();
        angle += qRadiansToDegrees(advance / textRadius);
    }
    // Beads on the rim.
    for (int i = 0; i < 36; ++i) {
        const double a = qDegreesToRadians(i * 10.0);
        painter.setBrush(QColor(255, 235, 160));
        painter.drawEllipse(c + QPointF(std::cos(a), std::sin(a)) * r * 0.96, 1.5, 1.5);
    }
    const QPainterPath om =
        fitPath(textPath(requireFont("Lohit Devanagari", 200), QString(QChar(0x0950))),
                QRectF(c.x() - r * 0.42, c.y() - r * 0.42, r * 0.84, r * 0.84));
    painter.setBrush(goldGradient(om.boundingRect()));
    painter.setPen(QPen(QColor(255, 220, 120), 1));
    painter.drawPath(om);
    painter.setPen(Qt::NoPen);
}

// The computer: a monitor showing a period overview in the program's colours.
void drawComputer(QPainter& painter, const QRectF& body) {
    const QColor planetColours[9] = {{128, 0, 128},   {0, 255, 0}, {255, 255, 0},
                                     {255, 255, 255}, {255, 0, 0}, {255, 0, 255},
                                     {0, 0, 255},     {0, 0, 0},   {166, 202, 240}};
    // Stand and foot.
    const double mid = body.center().x();
    QLinearGradient metal(body.left(), 0, body.right(), 0);
    metal.setColorAt(0, QColor(90, 95, 105));
    metal.setColorAt(0.5, QColor(200, 205, 215));
    metal.setColorAt(1, QColor(90, 95, 105));
    painter.setPen(Qt::NoPen);
    painter.setBrush(metal);
    painter.drawRect(QRectF(mid - 16, body.bottom() - 2, 32, 20));
    painter.drawRoundedRect(QRectF(mid - 60, body.bottom() + 16, 120, 7), 3, 3);
    // Casing and glass.
    painter.setBrush(QColor(45, 48, 56));
    painter.setPen(QPen(QColor(150, 155, 165), 1.5));
    painter.drawRoundedRect(body, 6, 6);
    const QRectF glass = body.adjusted(10, 10, -10, -18);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(128, 0, 128));
    painter.drawRect(glass);
    painter.setBrush(QColor(120, 200, 120));
    painter.drawEllipse(QPointF(mid, body.bottom() - 9), 2.2, 2.2);

    // On the glass: a title bar and the nine-by-nine grid of period cells.
    const QRectF titleBar(glass.left(), glass.top(), glass.width(), 14);
    painter.setBrush(QColor(0, 0, 128));
    painter.drawRect(titleBar);
    painter.setPen(Qt::white);
    painter.setFont(requireFont("Liberation Sans", 9, QFont::Bold));
    painter.drawText(titleBar.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Vimsottari Dasa \u00DCbersicht"));
    const QRectF grid = glass.adjusted(6, 20, -6, -6);
    const double cw = grid.width() / 9;
    const double ch = grid.height() / 9;
    for (int row = 0; row < 9; ++row) {
        for (int col = 0; col < 9; ++col) {
            const QColor cellColour = planetColours[(row + col + 5) % 9];
            const QRectF cell(grid.left() + col * cw, grid.top() + row * ch, cw - 2, ch - 2);
            painter.setPen(QPen(QColor(40, 40, 40), 1));
            painter.setBrush(cellColour);
            painter.drawRect(cell);
            // Two short strokes for the planet's name and the age.
            const QColor ink =
                cellColour.lightness() < 100 ? QColor(220, 220, 220) : QColor(30, 30, 30);
            painter.setPen(Qt::NoPen);
            painter.setBrush(ink);
            painter.drawRect(QRectF(cell.left() + 3, cell.top() + ch * 0.25, cw * 0.5, 1.5));
            painter.drawRect(QRectF(cell.left() + 3, cell.top() + ch * 0.55, cw * 0.7, 1.2));
        }
    }
    // A faint reflection across the glass.
    QLinearGradient sheen(glass.topLeft(), glass.bottomRight());
    sheen.setColorAt(0, QColor(255, 255, 255, 40));
    sheen.setColorAt(0.4, QColor(255, 255, 255, 0));
    painter.setBrush(sheen);
    painter.drawRect(glass);
}

// A sheet of paper with a table on it, lying at a slight angle.
// A table extract: heading, column titles, rows, and each column's left edge and alignment.
struct Table {
    QString heading;
    QStringList header;
    std::vector<QStringList> rows;
    std::vector<double> columns;
    std::vector<Qt::Alignment> align;
};

void drawTableSheet(QPainter& painter, QPointF at, double angle, double width, const Table& table) {
    const QString& heading = table.heading;
    const std::vector<QStringList>& rows = table.rows;
    const std::vector<double>& columns = table.columns;
    const double lineHeight = 12.5;
    const double height = 30 + lineHeight * (static_cast<double>(rows.size()) + 1) + 8;
    painter.save();
    painter.translate(at);
    painter.rotate(angle);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 120));
    painter.drawRect(QRectF(4, 5, width, height));
    painter.setBrush(paper);
    painter.drawRect(QRectF(0, 0, width, height));

    painter.setPen(QColor(120, 20, 20));
    painter.setFont(requireFont("Liberation Serif", 13, QFont::Bold));
    painter.drawText(QRectF(10, 4, width - 20, 20), Qt::AlignLeft | Qt::AlignVCenter, heading);
    const QFont cellFont = requireFont("Liberation Sans", 11);
    const QFont headFont = requireFont("Liberation Sans", 11, QFont::Bold);
    double y = 28;
    painter.fillRect(QRectF(10, y, width - 20, lineHeight), QColor(225, 205, 160));
    auto drawRow = [&](const QStringList& cells) {
        for (int i = 0; i < cells.size(); ++i) {
            const double left = columns[static_cast<std::size_t>(i)];
            const double right =
                i + 1 < cells.size() ? columns[static_cast<std::size_t>(i) + 1] : width - 10;
            painter.drawText(QRectF(left + 2, y, right - left - 6, lineHeight),
                             table.align[static_cast<std::size_t>(i)] | Qt::AlignVCenter, cells[i]);
        }
        y += lineHeight;
    };
    painter.setPen(paperInk);
    painter.setFont(headFont);
    drawRow(table.header);
    painter.setFont(cellFont);
    for (const QStringList& row : rows) {
        painter.fillRect(QRectF(10, y + lineHeight - 1, width - 20, 0.6), QColor(190, 175, 150));
        drawRow(row);
    }
    painter.restore();
}

// One course volume standing on the shelf: coloured spine, gold bands, title and number.
void drawVolume(QPainter& painter, const QRectF& spine, const QColor& colour, int number) {
    QLinearGradient round(spine.left(), 0, spine.right(), 0);
    round.setColorAt(0, colour.darker(170));
    round.setColorAt(0.35, colour.lighter(125));
    round.setColorAt(1, colour.darker(190));
    painter.setPen(Qt::NoPen);
    painter.setBrush(round);
    painter.drawRect(spine);
    for (const double y :
         {spine.top() + 5, spine.top() + 9, spine.bottom() - 32, spine.bottom() - 28}) {
        painter.fillRect(QRectF(spine.left(), y, spine.width(), 1.6), gold);
    }
    // The title runs up the spine between the bands.
    painter.save();
    painter.translate(spine.center().x() + 4, spine.bottom() - 38);
    painter.rotate(-90);
    painter.setPen(QColor(245, 225, 170));
    painter.setFont(requireFont("Liberation Sans", 11, QFont::Bold));
    painter.drawText(QPointF(0, 0), QStringLiteral("JYOTISH"));
    painter.restore();
    painter.setPen(QColor(245, 225, 170));
    painter.setFont(requireFont("Liberation Serif", 15, QFont::Bold));
    painter.drawText(QRectF(spine.left(), spine.bottom() - 26, spine.width(), 24), Qt::AlignCenter,
                     QString::number(number));
}

QImage drawCourse() {
    QImage image(640, 504, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QRadialGradient space(QPointF(420, 160), 520);
    space.setColorAt(0, QColor(22, 20, 60));
    space.setColorAt(1, QColor(2, 2, 10));
    painter.fillRect(image.rect(), space);
    drawStarField(painter, image.rect(), 650, 0xC0025E);

    // Along the top: the seal, the period table and the computer.
    drawSeal(painter, QPointF(84, 88), 70);
    drawComputer(painter, QRectF(362, 10, 262, 168));
    const Table periods{QStringLiteral("Vimsottari-Dasa"),
                        {QStringLiteral("Planet"), QStringLiteral("Jahre")},
                        {{QStringLiteral("Ketu"), QStringLiteral("7")},
                         {QStringLiteral("Venus"), QStringLiteral("20")},
                         {QStringLiteral("Sonne"), QStringLiteral("6")},
                         {QStringLiteral("Mond"), QStringLiteral("10")},
                         {QStringLiteral("Mars"), QStringLiteral("7")},
                         {QStringLiteral("Rahu"), QStringLiteral("18")},
                         {QStringLiteral("Jupiter"), QStringLiteral("16")},
                         {QStringLiteral("Saturn"), QStringLiteral("19")},
                         {QStringLiteral("Merkur"), QStringLiteral("17")}},
                        {10, 110},
                        {Qt::AlignLeft, Qt::AlignRight}};
    drawTableSheet(painter, QPointF(174, 20), -2, 172, periods);
    const Table mansions{QStringLiteral("Nakshatras"),
                         {QStringLiteral("Nr."), QStringLiteral("Nakshatra"),
                          QStringLiteral("Herrscher"), QStringLiteral("bis")},
                         {{QStringLiteral("1"), QStringLiteral("Ashvini"), QStringLiteral("Ketu"),
                           QStringLiteral("13\u00B020\u2032")},
                          {QStringLiteral("2"), QStringLiteral("Bharani"), QStringLiteral("Venus"),
                           QStringLiteral("26\u00B040\u2032")},
                          {QStringLiteral("3"), QStringLiteral("Krittika"), QStringLiteral("Sonne"),
                           QStringLiteral("40\u00B000\u2032")},
                          {QStringLiteral("4"), QStringLiteral("Rohini"), QStringLiteral("Mond"),
                           QStringLiteral("53\u00B020\u2032")},
                          {QStringLiteral("5"), QStringLiteral("Mrigashira"),
                           QStringLiteral("Mars"), QStringLiteral("66\u00B040\u2032")}},
                         {8, 30, 94, 156},
                         {Qt::AlignRight, Qt::AlignLeft, Qt::AlignLeft, Qt::AlignRight}};
    // Below the computer, beside the volumes: the mansions table.
    drawTableSheet(painter, QPointF(420, 212), 2, 206, mansions);

    // The twelve volumes on a shelf below the seal and the period table.
    const std::array<QColor, 12> bindings{{{140, 20, 30},
                                           {25, 45, 130},
                                           {20, 110, 50},
                                           {110, 30, 120},
                                           {0, 110, 115},
                                           {190, 70, 20},
                                           {40, 90, 180},
                                           {120, 90, 20},
                                           {90, 110, 30},
                                           {60, 30, 140},
                                           {170, 30, 80},
                                           {20, 80, 90}}};
    const double booksTop = 206;
    const double shelfTop = 336;
    const double spineWidth = 30;
    const double gap = 3;
    const double left = 10;
    for (int i = 0; i < 12; ++i) {
        const QRectF spine(left + i * (spineWidth + gap), booksTop, spineWidth,
                           shelfTop - booksTop);
        drawVolume(painter, spine, bindings[static_cast<std::size_t>(i)], i + 1);
    }
    QLinearGradient wood(0, shelfTop, 0, shelfTop + 12);
    wood.setColorAt(0, QColor(150, 100, 55));
    wood.setColorAt(1, QColor(70, 40, 20));
    painter.fillRect(QRectF(left - 8, shelfTop, 12 * (spineWidth + gap) + 13, 10), wood);

    // In the free corner right of the advert's lines: a planet and its moon.
    drawPlanet(painter, QPointF(598, 448), 24, QColor(245, 215, 170), QColor(150, 90, 50));
    drawPlanet(painter, QPointF(548, 378), 6, QColor(200, 220, 255), QColor(60, 80, 140));
    return image;
}

const bool registered = registerPicture({"course.jpg", {640, 504}, drawCourse, 92});

} // namespace

} // namespace zeitrad::picgen
