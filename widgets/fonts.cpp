#include "widgets/fonts.h"

#include <cmath>

namespace zeitrad::widgets {

int pointsToPixels(int points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont makeFont(const QString& family, int points, bool bold, bool italic) {
    QFont font(family);
    font.setPixelSize(pointsToPixels(points));
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QFont windowFont() {
    return tahoma(8);
}

} // namespace zeitrad::widgets
