#include "screens/coursescreen.h"

namespace zeitrad::ui {

CourseScreen::CourseScreen(QWidget* window)
    : Panel("Panel13", window, QRect(0, 0, 825, 705), colors::black) {}

} // namespace zeitrad::ui
