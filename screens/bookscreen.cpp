#include "screens/bookscreen.h"

#include "widgets/button.h"
#include "widgets/memo.h"
#include "widgets/picture.h"

namespace zeitrad::screens {

using namespace zeitrad::widgets;

BookScreen::BookScreen(QWidget* window)
    : Panel("Panel5", window, QRect(24, 104, 777, 521), colors::skyBlue) {
    // The cover, drawn to fill its frame whatever the picture's proportions.
    new Picture("Image2", this, QRect(8, 8, 209, 305), ":/cover.jpg", true);
    new Label("Label249", this, QPoint(24, 328), "ISBN-13: " + book::isbn13);
    new Label("Label250", this, QPoint(24, 344), "ISBN-10: " + book::isbn10);
    const QFont times = makeFont("Times New Roman", 14);
    new Label("Label246", this, QPoint(24, 364), book::pages, times);
    new Label("Label248", this, QPoint(24, 388), book::price, times);
    makeMemo("Memo2", this, QRect(232, 8, 537, 401), loadText(":/verses.txt"),
             makeFont("Times New Roman", 12), colors::skyBlue, false);

    label429_ = new Label("Label429", this, QPoint(296, 424), "-> JETZT HIER ONLINE BESTELLEN <-",
                          tahoma(16, true), colors::red);
    label429_->makeLink(Label::Cursor::Hand);
    label433_ =
        new Label("Label433", this, QPoint(280, 480), "-> Weitere Kelmora-Titel finden Sie hier <-",
                  tahoma(14, true), colors::red);
    label433_->makeLink(Label::Cursor::Hand);

    // Left over from the screen's design, outside its area and without a handler.
    inner_ = new Panel("Panel6", this, QRect(-200, -200, 100, 40), colors::buttonFace);
    makeButton("Button11", this, QRect(-200, -120, 75, 25), "Button11");
}

} // namespace zeitrad::screens
