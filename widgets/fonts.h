// The fonts of the screens. Sizes are given in points at 96 dots per inch; Qt gets them as pixel
// sizes so that the window looks the same whatever the screen reports.
#pragma once

#include <QFont>
#include <QString>

namespace zeitrad::widgets {

int pointsToPixels(int points);
QFont makeFont(const QString& family, int points, bool bold = false, bool italic = false);
inline QFont tahoma(int points, bool bold = false) {
    return makeFont("Tahoma", points, bold);
}
// The window's default font: Tahoma 8 pt.
QFont windowFont();

} // namespace zeitrad::widgets
