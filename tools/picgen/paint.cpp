#include "paint.h"

#include <QFontInfo>
#include <QRadialGradient>
#include <QTextStream>

#include <algorithm>
#include <cstdlib>

namespace zeitrad::picgen {

std::uint64_t Random::next() {
    state_ += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double Random::unit() {
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

QFont requireFont(const QString& family, double pixelSize, int weight) {
    QFont font(family);
    font.setPixelSize(std::max(1, static_cast<int>(pixelSize + 0.5)));
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoFontMerging));
    const QFontInfo info(font);
    if (info.family() != family) {
        QTextStream(stderr) << "picgen: font \"" << family << "\" is not installed (got \""
                            << info.family() << "\")\n";
        std::exit(2);
    }
    return font;
}

QPainterPath textPath(const QFont& font, const QString& text) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path;
}

QPainterPath fitPath(const QPainterPath& path, const QRectF& box) {
    const QRectF bounds = path.boundingRect();
    if (bounds.isEmpty()) {
        return path;
    }
    const double scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    QTransform transform;
    transform.translate(box.center().x(), box.center().y());
    transform.scale(scale, scale);
    transform.translate(-bounds.center().x(), -bounds.center().y());
    return transform.map(path);
}

void drawStarField(QPainter& painter, const QRectF& rect, int count, std::uint64_t seed) {
    Random random(seed);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF at(rect.left() + random.range(0, rect.width()),
                         rect.top() + random.range(0, rect.height()));
        // Most stars are faint points; a few are bright.
        const double light = random.unit();
        const double brightness = 0.25 + 0.75 * light * light * light;
        const double radius = 0.35 + 0.9 * brightness * random.unit();
        const double tint = random.unit();
        QColor color;
        if (tint < 0.2) {
            color = QColor::fromRgbF(0.75, 0.85, 1.0);
        } else if (tint < 0.3) {
            color = QColor::fromRgbF(1.0, 0.88, 0.65);
        } else {
            color = QColor::fromRgbF(1.0, 1.0, 1.0);
        }
        color.setAlphaF(brightness);
        if (brightness > 0.8) {
            QRadialGradient glow(at, radius * 5);
            QColor halo = color;
            halo.setAlphaF(0.35);
            glow.setColorAt(0, halo);
            halo.setAlphaF(0);
            glow.setColorAt(1, halo);
            painter.setBrush(glow);
            painter.drawEllipse(at, radius * 5, radius * 5);
        }
        painter.setBrush(color);
        painter.drawEllipse(at, radius, radius);
    }
    painter.restore();
}

void drawPlanet(QPainter& painter, QPointF at, double radius, const QColor& light,
                const QColor& dark) {
    QRadialGradient shade(at, radius * 1.25, at - QPointF(radius * 0.45, radius * 0.45));
    shade.setColorAt(0, light);
    shade.setColorAt(0.75, dark);
    shade.setColorAt(1, QColor(5, 5, 15));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawEllipse(at, radius, radius);
}

QLinearGradient goldGradient(const QRectF& rect) {
    QLinearGradient gold(rect.topLeft(), rect.bottomLeft());
    gold.setColorAt(0.0, QColor(255, 236, 150));
    gold.setColorAt(0.45, QColor(232, 178, 40));
    gold.setColorAt(0.7, QColor(196, 134, 20));
    gold.setColorAt(1.0, QColor(250, 210, 100));
    return gold;
}

} // namespace zeitrad::picgen
