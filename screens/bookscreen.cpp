#include "screens/bookscreen.h"

namespace zeitrad::ui {

BookScreen::BookScreen(QWidget* window)
    : Panel("Panel5", window, QRect(24, 104, 777, 521), colors::skyBlue) {
    inner_ = new Panel("Panel6", this, QRect(-200, -200, 100, 40), colors::buttonFace);
}

} // namespace zeitrad::ui
