#include "screens/textscreen.h"

#include "widgets/button.h"
#include "widgets/label.h"
#include "widgets/memo.h"

namespace zeitrad::screens {

using namespace zeitrad::widgets;

TextScreen::TextScreen(QWidget* window)
    : Panel("Panel3", window, QRect(15, 38, 785, 585), colors::teal) {
    auto* heading = new Label("Label271", this, QPoint(8, 8), "", tahoma(12, true), colors::lime);
    heading->setFixedBox(QSize(665, 19));
    makeMemo("Memo1", this, QRect(8, 32, 761, 545), loadText(":/intro.txt"),
             makeFont("Times New Roman", 12, true), colors::fuchsia, true);

    // Left over from the screen's design: a panel and four buttons above its top-left corner,
    // outside its area, without handlers.
    inner_ = new Panel("Panel4", this, QRect(-200, -200, 100, 40), colors::buttonFace);
    int left = -200;
    for (const char* name : {"Button6", "Button8", "Button9", "Button10"}) {
        makeButton(name, this, QRect(left, -120, 45, 25), name);
        left += 50;
    }
}

} // namespace zeitrad::screens
