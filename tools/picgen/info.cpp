// The info screen's picture: a white line drawing of a yantra inside a ring of lotus petals, on
// black, as a 256-colour bitmap (a grey ramp, so that the lines keep their smooth edges). The
// screen lays an empty label over rows 424 to 439, so the drawing is scaled down a little and
// lifted to end well above row 424, and stays centred across.

#include "picture.h"
#include "yantrashapes.h"

#include <QPainter>

namespace zeitrad::picgen {

namespace {

// The lotus ring: sixteen large petals with a centre vein, and sixteen smaller ones behind them.
void drawLotus(QPainter& painter, QPointF c) {
    const QPen line(Qt::white, 1.6);
    painter.setPen(line);
    painter.setBrush(Qt::black);
    painter.drawPath(lotusRing(c, 168, 200, 16, 11.25, 1.0));
    painter.drawPath(lotusRing(c, 168, 212, 16, 0, 0.95));
    painter.setPen(QPen(Qt::white, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(lotusRing(c, 174, 198, 16, 0, 0.45));
    painter.setPen(line);
    painter.drawEllipse(c, 168, 168);
    painter.drawEllipse(c, 163, 163);
}

QImage drawInfo() {
    const QSize size(432, 432);
    QImage canvas(size, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn at full size round (216, 216), which reaches 213 pixels out; shown at 95 % round
    // (216, 210), so rows 8 to 412 hold it all.
    const QPointF c(216, 216);
    const double scale = 0.95;
    painter.translate(216, 210);
    painter.scale(scale, scale);
    painter.translate(-c);

    drawLotus(painter, c);

    // The enclosure, double-lined, with its four gates.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 1.6));
    painter.drawPath(gatedSquare(c, 112, 34, 14, 30));
    painter.setPen(QPen(Qt::white, 1.0));
    painter.drawPath(gatedSquare(c, 106, 30, 9, 25));

    // Circles, eight petals, the triangles and the bindu.
    painter.setPen(QPen(Qt::white, 1.4));
    painter.drawEllipse(c, 100, 100);
    painter.drawEllipse(c, 96, 96);
    painter.drawPath(lotusRing(c, 76, 96, 8, 22.5, 1.0));
    painter.setPen(QPen(Qt::white, 1.0));
    painter.drawPath(lotusRing(c, 80, 92, 8, 22.5, 0.4));
    painter.setPen(QPen(Qt::white, 1.4));
    painter.drawEllipse(c, 76, 76);
    const std::vector<QPolygonF> triangles = interlacedTriangles(c, 74);
    for (const QPolygonF& triangle : triangles) {
        painter.drawPolygon(triangle);
    }
    const QPolygonF& innermost = triangles.back();
    painter.setBrush(Qt::white);
    painter.drawEllipse((innermost[0] + innermost[1] + innermost[2]) / 3, 2.5, 2.5);
    painter.end();

    // Into 256 colours: palette entry i is the grey of level i.
    QImage indexed(size, QImage::Format_Indexed8);
    QList<QRgb> palette;
    for (int i = 0; i < 256; ++i) {
        palette.append(qRgb(i, i, i));
    }
    indexed.setColorTable(palette);
    for (int y = 0; y < size.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        uchar* to = indexed.scanLine(y);
        for (int x = 0; x < size.width(); ++x) {
            to[x] = static_cast<uchar>(qGray(from[x]));
        }
    }
    return indexed;
}

const bool registered = registerPicture({"info.bmp", {432, 432}, drawInfo});

} // namespace

} // namespace zeitrad::picgen
