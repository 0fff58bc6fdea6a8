// The start screen's title: "कालचक्र" (Kalachakra, the wheel of time) in Devanagari, yellow on
// the start screen's green. The screen shows only the top 57 rows, so the word stays above them.

#include "paint.h"
#include "picture.h"

#include <QPainter>

namespace zeitrad::picgen {

namespace {

QImage drawTitle() {
    QImage image(211, 62, QImage::Format_RGB32);
    const QColor green(0, 128, 0);
    image.fill(green);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    const QPainterPath word =
        textPath(requireFont("Lohit Devanagari", 200),
                 QStringLiteral("\u0915\u093E\u0932\u091A\u0915\u094D\u0930"));
    const QPainterPath fitted = fitPath(word, QRectF(7, 4, 197, 47));

    // A soft dark-green shadow lifts the letters off the ground.
    painter.setBrush(QColor(0, 70, 0));
    painter.drawPath(fitted.translated(1.5, 1.5));
    painter.setBrush(QColor(255, 255, 0));
    painter.drawPath(fitted);

    // A thin yellow rule with a dot at each end under the word.
    painter.fillRect(QRectF(30, 54, 151, 1), QColor(255, 255, 0));
    painter.setBrush(QColor(255, 255, 0));
    painter.drawEllipse(QPointF(27, 54.5), 1.6, 1.6);
    painter.drawEllipse(QPointF(184, 54.5), 1.6, 1.6);
    return image;
}

const bool registered = registerPicture({"title.jpg", {211, 62}, drawTitle, 94});

} // namespace

} // namespace zeitrad::picgen
