#include "yantrashapes.h"

#include <QtMath>

#include <cmath>

namespace zeitrad::picgen {

QPainterPath gatedSquare(QPointF centre, double half, double depth, double stem, double bar) {
    // One side, from its left corner to its right corner, drawn pointing up; the other three
    // sides are the same turned by 90, 180 and 270 degrees.
    const QPolygonF side{{-half, -half},
                         {-stem, -half},
                         {-stem, -half - depth / 2},
                         {-bar, -half - depth / 2},
                         {-bar, -half - depth},
                         {bar, -half - depth},
                         {bar, -half - depth / 2},
                         {stem, -half - depth / 2},
                         {stem, -half}};
    QPolygonF outline;
    for (int quarter = 0; quarter < 4; ++quarter) {
        QTransform turn;
        turn.translate(centre.x(), centre.y());
        turn.rotate(90.0 * quarter);
        outline += turn.map(side);
    }
    outline << outline.first();
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();
    return path;
}

QPainterPath lotusRing(QPointF centre, double inner, double outer, int count, double start,
                       double fullness) {
    QPainterPath path;
    const double step = 360.0 / count;
    auto at = [&](double radius, double degrees) {
        const double a = qDegreesToRadians(degrees);
        return QPointF(centre.x() + radius * std::sin(a), centre.y() - radius * std::cos(a));
    };
    const double half = step / 2 * fullness;
    for (int i = 0; i < count; ++i) {
        const double a = start + i * step;
        // Each petal swells out from its base on the inner circle and closes to a point.
        path.moveTo(at(inner, a - half));
        path.cubicTo(at(inner + (outer - inner) * 0.55, a - half * 1.25),
                     at(inner + (outer - inner) * 0.85, a - half * 0.35), at(outer, a));
        path.cubicTo(at(inner + (outer - inner) * 0.85, a + half * 0.35),
                     at(inner + (outer - inner) * 0.55, a + half * 1.25), at(inner, a + half));
        path.closeSubpath();
    }
    return path;
}

std::vector<QPolygonF> interlacedTriangles(QPointF centre, double radius) {
    // Base line, apex and the radius of the circle that the base corners rest on, in units of
    // the radius, y growing downwards. The outermost pair touches the circle; the corners of
    // the inner ones close in step by step, which forms the rings of small triangles.
    struct Triangle {
        double base;
        double apex;
        double corners;
    };
    constexpr Triangle upward[] = {
        {0.62, -1.0, 1.0}, {0.40, -0.78, 0.97}, {0.22, -0.52, 0.80}, {0.06, -0.30, 0.56}};
    constexpr Triangle downward[] = {{-0.62, 1.0, 1.0},
                                     {-0.42, 0.80, 0.97},
                                     {-0.24, 0.56, 0.82},
                                     {-0.08, 0.38, 0.60},
                                     {0.08, 0.26, 0.36}};
    std::vector<QPolygonF> triangles;
    auto add = [&](const Triangle& t) {
        const double half = std::sqrt(t.corners * t.corners - t.base * t.base);
        triangles.push_back(QPolygonF{
            {centre.x() - half * radius, centre.y() + t.base * radius},
            {centre.x() + half * radius, centre.y() + t.base * radius},
            {centre.x(), centre.y() + t.apex * radius},
        });
    };
    for (const Triangle& t : upward) {
        add(t);
    }
    for (const Triangle& t : downward) {
        add(t);
    }
    return triangles;
}

} // namespace zeitrad::picgen
