#include "screens/infoscreen.h"

namespace zeitrad::ui {

InfoScreen::InfoScreen(QWidget* window)
    : Panel("Panel7", window, QRect(0, 0, 825, 705), QColor(7, 7, 7)) {}

} // namespace zeitrad::ui
