// The window icon: a golden Om in a golden ring on a black disc; outside the ring the icon is
// transparent. Drawn at 32 x 32 for the window and at 256 x 256 for desktop integration.

#include "paint.h"
#include "picture.h"

#include <QPainter>
#include <QRadialGradient>

namespace zeitrad::picgen {

namespace {

QImage drawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const QPointF centre(s / 2, s / 2);
    const QRectF whole(0, 0, s, s);

    // Black disc, the ring's outer edge touching the icon's border.
    const double outer = s / 2;
    const double ringWidth = s * 0.085;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0));
    painter.drawEllipse(centre, outer, outer);

    // Golden ring: a filled annulus, so that its edges are as crisp as the disc's.
    QPainterPath ring;
    ring.addEllipse(centre, outer, outer);
    ring.addEllipse(centre, outer - ringWidth, outer - ringWidth);
    painter.setBrush(goldGradient(whole));
    painter.drawPath(ring);
    if (size >= 64) {
        // At larger sizes a fine second ring and a faint warm glow behind the sign.
        const double fine = outer - ringWidth * 1.9;
        QRadialGradient glow(centre, fine);
        glow.setColorAt(0, QColor(120, 70, 0, 110));
        glow.setColorAt(1, QColor(120, 70, 0, 0));
        painter.setBrush(glow);
        painter.drawEllipse(centre, fine, fine);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(goldGradient(whole), s * 0.012));
        painter.drawEllipse(centre, fine, fine);
        painter.setPen(Qt::NoPen);
    }

    // The Om sign from the Devanagari font, filled with the same gold.
    const QPainterPath om = textPath(requireFont("Lohit Devanagari", 200), QString(QChar(0x0950)));
    const double box = s * (size >= 64 ? 0.6 : 0.64);
    const QRectF glyphBox(centre.x() - box / 2, centre.y() - box / 2 + s * 0.01, box, box);
    const QPainterPath fitted = fitPath(om, glyphBox);
    // The font's strokes are thin; an outline of the same gold gives them weight at 32 pixels.
    painter.setBrush(goldGradient(fitted.boundingRect()));
    painter.setPen(QPen(painter.brush(), size >= 64 ? s * 0.008 : 0.9));
    painter.drawPath(fitted);
    return image;
}

const bool registeredSmall = registerPicture({"icon.png", {32, 32}, [] { return drawIcon(32); }});
const bool registeredLarge =
    registerPicture({"icon-256.png", {256, 256}, [] { return drawIcon(256); }});

} // namespace

} // namespace zeitrad::picgen
