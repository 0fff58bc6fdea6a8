// The figures a yantra is built from, as outlines around a centre: the square enclosure with its
// four gates, rings of lotus petals and the nine interlaced triangles.
#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>

#include <vector>

namespace zeitrad::picgen {

// The enclosure: a square of half side half, with a T-shaped gate of depth depth in the middle
// of each side (stem half width stem, crossbar half width bar, crossbar depth depth / 2).
QPainterPath gatedSquare(QPointF centre, double half, double depth, double stem, double bar);

// count lotus petals between radii inner and outer, the first pointing at angle start (degrees,
// 0 is up, clockwise). fullness widens the petals (1 fills the ring at the inner radius).
QPainterPath lotusRing(QPointF centre, double inner, double outer, int count, double start,
                       double fullness = 1.0);

// The nine interlaced triangles of the Sri Yantra (four pointing up, five pointing down) in a
// circle of the given radius. Upward triangles first.
std::vector<QPolygonF> interlacedTriangles(QPointF centre, double radius);
constexpr int upwardTriangleCount = 4;

} // namespace zeitrad::picgen
