#include "screens/textscreen.h"

namespace zeitrad::ui {

TextScreen::TextScreen(QWidget* window)
    : Panel("Panel3", window, QRect(15, 38, 785, 585), colors::teal) {
    inner_ = new Panel("Panel4", this, QRect(-200, -200, 100, 40), colors::buttonFace);
}

} // namespace zeitrad::ui
