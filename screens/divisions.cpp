#include "screens/divisions.h"

namespace zeitrad::ui {

DivisionsScreen::DivisionsScreen(QWidget* window)
    : Panel("Panel14", window, QRect(40, 208, 729, 209), colors::buttonFace) {}

} // namespace zeitrad::ui
