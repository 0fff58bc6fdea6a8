// The start screen's picture: a yantra in green, cyan, red and orange. A square enclosure with
// four gates, three circles, rings of sixteen and eight lotus petals, the nine interlaced
// triangles and the bindu at the centre, on a dark green ground.

#include "paint.h"
#include "picture.h"
#include "yantrashapes.h"

#include <QPainter>
#include <QRadialGradient>

namespace zeitrad::picgen {

namespace {

const QColor cyan(0, 230, 230);
const QColor lightGreen(60, 200, 60);
const QColor green(0, 128, 0);
const QColor darkGreen(0, 60, 20);
const QColor red(220, 20, 20);
const QColor orange(255, 140, 0);
const QColor lightOrange(255, 190, 70);

// A small eight-petalled rosette for the picture's corners.
void drawRosette(QPainter& painter, QPointF at, double radius) {
    painter.setPen(QPen(red, 1));
    painter.setBrush(orange);
    painter.drawPath(lotusRing(at, radius * 0.35, radius, 8, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(cyan);
    painter.drawEllipse(at, radius * 0.3, radius * 0.3);
}

QImage drawYantra() {
    QImage image(400, 300, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF c(200, 150);

    // Ground: dark green, lighter behind the yantra.
    QRadialGradient ground(c, 260);
    ground.setColorAt(0, QColor(0, 110, 40));
    ground.setColorAt(1, QColor(0, 40, 15));
    painter.fillRect(image.rect(), ground);

    // A thin double frame with rosettes in the corners.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(orange, 2));
    painter.drawRect(QRectF(5, 5, 390, 290));
    painter.setPen(QPen(cyan, 1));
    painter.drawRect(QRectF(10.5, 10.5, 379, 279));
    for (const QPointF corner :
         {QPointF(30, 30), QPointF(370, 30), QPointF(30, 270), QPointF(370, 270)}) {
        drawRosette(painter, corner, 14);
    }

    // The enclosure: three nested gated squares, cyan, green and orange, filled between.
    const double half = 112;
    painter.setPen(QPen(cyan, 2));
    painter.setBrush(green);
    painter.drawPath(gatedSquare(c, half, 20, 12, 22));
    painter.setPen(QPen(lightGreen, 2));
    painter.setBrush(QColor(0, 95, 35));
    painter.drawPath(gatedSquare(c, half - 7, 17, 8, 17));
    painter.setPen(QPen(orange, 2));
    painter.setBrush(darkGreen);
    painter.drawPath(gatedSquare(c, half - 14, 14, 4, 12));

    // Three circles.
    painter.setBrush(Qt::NoBrush);
    for (const double r : {95.0, 91.0, 87.0}) {
        painter.setPen(QPen(r == 91.0 ? orange : cyan, 1.5));
        painter.drawEllipse(c, r, r);
    }

    // Sixteen outer petals, eight inner ones.
    painter.setPen(QPen(red, 1.2));
    QRadialGradient petals(c, 86);
    petals.setColorAt(0.7, QColor(255, 110, 0));
    petals.setColorAt(1.0, lightOrange);
    painter.setBrush(petals);
    painter.drawPath(lotusRing(c, 71, 86, 16, 11.25, 1.05));
    painter.setPen(QPen(orange, 1.2));
    painter.setBrush(QColor(200, 30, 20));
    painter.drawPath(lotusRing(c, 60, 72, 8, 0, 1.05));
    painter.setPen(QPen(cyan, 1.5));
    painter.setBrush(darkGreen);
    painter.drawEllipse(c, 61, 61);

    // The nine interlaced triangles: upward ones orange, downward ones red, on a cyan-rimmed
    // ground.
    // Where an odd number of triangles overlap the field is orange, elsewhere red, which shows
    // the rings of small triangles; the lines are drawn over in dark green.
    const std::vector<QPolygonF> triangles = interlacedTriangles(c, 58);
    QPainterPath field;
    field.setFillRule(Qt::OddEvenFill);
    for (const QPolygonF& triangle : triangles) {
        field.addPolygon(triangle);
        field.closeSubpath();
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 25, 20));
    painter.drawEllipse(c, 58.5, 58.5);
    painter.setBrush(orange);
    painter.drawPath(field);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 70, 20), 1.1));
    for (const QPolygonF& triangle : triangles) {
        painter.drawPolygon(triangle);
    }

    // The bindu, in the innermost triangle.
    const QPolygonF& innermost = triangles.back();
    const QPointF bindu = (innermost[0] + innermost[1] + innermost[2]) / 3;
    painter.setPen(QPen(QColor(0, 70, 20), 1));
    painter.setBrush(QColor(255, 220, 60));
    painter.drawEllipse(bindu, 2.4, 2.4);
    return image;
}

const bool registered = registerPicture({"yantra.jpg", {400, 300}, drawYantra, 92});

} // namespace

} // namespace zeitrad::picgen
