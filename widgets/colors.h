// The plain colours the screens use, and the planets' colours as Qt takes them.
#pragma once

#include <QColor>

#include "engine/tables.h"

namespace zeitrad::widgets {

namespace colors {
inline const QColor purple{128, 0, 128};
inline const QColor green{0, 128, 0};
inline const QColor yellow{255, 255, 0};
inline const QColor fuchsia{255, 0, 255};
inline const QColor lime{0, 255, 0};
inline const QColor red{255, 0, 0};
inline const QColor blue{0, 0, 255};
inline const QColor navy{0, 0, 128};
inline const QColor skyBlue{166, 202, 240};
inline const QColor teal{0, 128, 128};
inline const QColor maroon{128, 0, 0};
inline const QColor olive{128, 128, 0};
inline const QColor aqua{0, 255, 255};
inline const QColor silver{192, 192, 192};
inline const QColor grey{128, 128, 128};
inline const QColor black{0, 0, 0};
inline const QColor white{255, 255, 255};
inline const QColor cream{255, 251, 240};
// System colours, fixed so that the window looks the same on every desktop.
inline const QColor buttonFace{240, 240, 240};
inline const QColor buttonShadow{160, 160, 160};
inline const QColor windowText{0, 0, 0};
inline const QColor buttonHighlight{255, 255, 255};
inline const QColor captionText{255, 255, 255};
inline const QColor window{255, 255, 255};
inline const QColor highlightText{255, 255, 255};
} // namespace colors

inline QColor toQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// The colour of a planet (1..9): the fill of its frames, bars and strips.
inline QColor planetQColor(int planet) {
    return toQColor(planetColor[planet]);
}

} // namespace zeitrad::widgets
