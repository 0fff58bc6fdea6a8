#include "screens/input.h"

namespace zeitrad::ui {

InputScreen::InputScreen(QWidget* window)
    : Panel("Panel8", window, QRect(176, 224, 489, 257), colors::fuchsia) {
    button12_ = makeButton("Button12", this, QRect(125, 221, 201, 25),
                           "Vimsottari Dasa Übesicht berechnen");
}

BirthInput InputScreen::input() const {
    return {};
}

} // namespace zeitrad::ui
