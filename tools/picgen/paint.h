// Drawing helpers shared by the pictures: a seeded random source, glyphs as scalable outlines,
// fonts that must resolve to the installed Debian fonts, and a star field.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <cstdint>

namespace zeitrad::picgen {

// SplitMix64: a small random source whose sequence is fixed by its seed on every platform
// (std:: distributions are not, so none are used).
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // Uniform in [0, 1).
    double unit();
    // Uniform in [low, high).
    double range(double low, double high) { return low + (high - low) * unit(); }

private:
    std::uint64_t state_;
};

// A font of the given installed family at a pixel size. Ends picgen with a message when the
// family is not installed, so that a picture is never drawn with a stand-in font.
QFont requireFont(const QString& family, double pixelSize, int weight = QFont::Normal);

// The outline of a text in a font, with its origin on the text's baseline.
QPainterPath textPath(const QFont& font, const QString& text);

// The outline scaled uniformly to fit into box and centred in it.
QPainterPath fitPath(const QPainterPath& path, const QRectF& box);

// A deterministic star field over rect: count stars of varied brightness and size, a few of
// them with a faint glow, tinted towards blue or gold.
void drawStarField(QPainter& painter, const QRectF& rect, int count, std::uint64_t seed);

// A lit planet: a sphere shaded from light to dark, lit from the upper left.
void drawPlanet(QPainter& painter, QPointF at, double radius, const QColor& light,
                const QColor& dark);

// A gold gradient running from top to bottom of rect.
QLinearGradient goldGradient(const QRectF& rect);

} // namespace zeitrad::picgen
