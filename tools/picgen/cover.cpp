// The book's cover: the sage's name and the title "Urtexte der Dasas" over a star field with a
// ringed planet, the Moon and two small planets. The book screen stretches it to 209 x 305, so
// the lettering is large.

#include "paint.h"
#include "picture.h"

#include <QPainter>
#include <QRadialGradient>

namespace zeitrad::picgen {

namespace {

// The ringed planet: the far half of the rings behind the ball, the near half in front of it.
void drawRingedPlanet(QPainter& painter, QPointF at, double radius) {
    QPainterPath rings;
    rings.setFillRule(Qt::OddEvenFill);
    for (const double r : {2.25, 1.95, 1.9, 1.55, 1.45, 1.3}) {
        rings.addEllipse(QPointF(0, 0), radius * r, radius * r * 0.3);
    }
    QLinearGradient band(QPointF(-radius * 2.2, 0), QPointF(radius * 2.2, 0));
    band.setColorAt(0, QColor(120, 100, 70, 200));
    band.setColorAt(0.5, QColor(235, 215, 170, 230));
    band.setColorAt(1, QColor(120, 100, 70, 200));

    painter.save();
    painter.translate(at);
    painter.rotate(-16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(band);
    painter.save();
    painter.setClipRect(QRectF(-radius * 3, -radius * 3, radius * 6, radius * 3));
    painter.drawPath(rings);
    painter.restore();
    drawPlanet(painter, QPointF(0, 0), radius, QColor(250, 225, 170), QColor(150, 105, 55));
    // Cloud bands across the ball.
    painter.save();
    QPainterPath ball;
    ball.addEllipse(QPointF(0, 0), radius, radius);
    painter.setClipPath(ball);
    for (const double y : {-0.45, -0.1, 0.3}) {
        painter.setBrush(QColor(120, 80, 40, 50));
        painter.drawEllipse(QPointF(0, radius * y), radius * 1.1, radius * 0.09);
    }
    painter.restore();
    painter.setBrush(band);
    painter.setClipRect(QRectF(-radius * 3, 0, radius * 6, radius * 3));
    painter.drawPath(rings);
    painter.restore();
}

// The Moon as a crescent, lit from the right.
void drawCrescent(QPainter& painter, QPointF at, double radius) {
    QPainterPath disc;
    disc.addEllipse(at, radius, radius);
    QPainterPath shadow;
    shadow.addEllipse(at - QPointF(radius * 0.45, radius * 0.12), radius * 0.95, radius * 0.95);
    QRadialGradient glow(at, radius * 2.2);
    glow.setColorAt(0, QColor(255, 250, 220, 70));
    glow.setColorAt(1, QColor(255, 250, 220, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(at, radius * 2.2, radius * 2.2);
    painter.setBrush(QColor(12, 14, 36));
    painter.drawPath(disc);
    painter.setBrush(QColor(255, 248, 215));
    painter.drawPath(disc.subtracted(shadow));
}

void drawCentred(QPainter& painter, const QPainterPath& text, double centreX, double baseline,
                 const QBrush& fill) {
    const QRectF bounds = text.boundingRect();
    const QPainterPath placed = text.translated(centreX - bounds.center().x(), baseline);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 170));
    painter.drawPath(placed.translated(1.5, 2));
    painter.setBrush(fill);
    painter.drawPath(placed);
}

QImage drawCover() {
    QImage image(310, 500, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // Night sky: deep blue at the top, violet near the bottom, and a faint milky band.
    QLinearGradient sky(0, 0, 0, 500);
    sky.setColorAt(0, QColor(6, 10, 40));
    sky.setColorAt(0.55, QColor(10, 8, 30));
    sky.setColorAt(1, QColor(40, 12, 55));
    painter.fillRect(image.rect(), sky);
    QLinearGradient milky(QPointF(0, 190), QPointF(310, 450));
    milky.setColorAt(0, QColor(120, 120, 200, 0));
    milky.setColorAt(0.5, QColor(130, 120, 200, 45));
    milky.setColorAt(1, QColor(120, 120, 200, 0));
    painter.fillRect(image.rect(), milky);
    drawStarField(painter, image.rect(), 420, 0x0C0FE5);

    drawCrescent(painter, QPointF(246, 238), 20);
    drawPlanet(painter, QPointF(52, 262), 8, QColor(255, 150, 110), QColor(150, 40, 20));
    drawPlanet(painter, QPointF(268, 428), 13, QColor(170, 210, 255), QColor(30, 70, 150));
    drawRingedPlanet(painter, QPointF(150, 345), 52);

    // Lettering: the sage's name above, the title in gold, the subject, the publisher below.
    const QFont nameFont = requireFont("Liberation Serif", 25, QFont::Bold);
    const QFont titleFont = requireFont("Liberation Serif", 50, QFont::Bold);
    const QFont subtitleFont = requireFont("Liberation Serif", 15, QFont::Normal);
    const QFont publisherFont = requireFont("Liberation Sans", 14, QFont::Bold);
    const QBrush pale(QColor(235, 225, 200));

    drawCentred(painter, textPath(nameFont, QStringLiteral("MAHARISHI ORVANA")), 155, 46, pale);
    painter.fillRect(QRectF(60, 60, 190, 1.5), QColor(220, 175, 60));
    const QPainterPath title1 = textPath(titleFont, QStringLiteral("Urtexte"));
    const QPainterPath title2 = textPath(titleFont, QStringLiteral("der Dasas"));
    drawCentred(painter, title1, 155, 113, goldGradient(QRectF(0, 75, 310, 40)));
    drawCentred(painter, title2, 155, 163, goldGradient(QRectF(0, 125, 310, 40)));
    painter.fillRect(QRectF(60, 178, 190, 1.5), QColor(220, 175, 60));
    drawCentred(painter, textPath(subtitleFont, QStringLiteral("Die Verse über die Wirkung")), 155,
                200, pale);
    drawCentred(painter, textPath(subtitleFont, QStringLiteral("der Planetenperioden")), 155, 218,
                pale);
    drawCentred(painter, textPath(subtitleFont, QStringLiteral("Sanskrit \u00B7 Deutsch")), 155,
                455, pale);
    drawCentred(painter, textPath(publisherFont, QStringLiteral("KELMORA")), 155, 482,
                goldGradient(QRectF(0, 470, 310, 14)));
    return image;
}

const bool registered = registerPicture({"cover.jpg", {310, 500}, drawCover, 92});

} // namespace

} // namespace zeitrad::picgen
