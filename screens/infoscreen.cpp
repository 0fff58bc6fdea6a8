#include "screens/infoscreen.h"

#include "screens/contact.h"
#include "widgets/button.h"
#include "widgets/picture.h"

namespace zeitrad::screens {

using namespace zeitrad::widgets;

InfoScreen::InfoScreen(QWidget* window)
    : Panel("Panel7", window, QRect(0, 0, 825, 705), QColor(7, 7, 7)) {
    new Picture("Image3", this, QRect(200, 56, 433, 433), ":/info.bmp");
    auto* note = new Label("Label258", this, QPoint(176, 480), "", tahoma(10, true), colors::white);
    note->setFixedBox(QSize(501, 16));
    const QFont link = tahoma(14, true);
    label259_ =
        new Label("Label259", this, QPoint(312, 512), contact::publisherHost, link, colors::white);
    label259_->makeLink(Label::Cursor::Hand);
    label421_ =
        new Label("Label421", this, QPoint(328, 536), contact::secondSiteHost, link, colors::white);
    label421_->makeLink(Label::Cursor::Arrow);
    label420_ = new Label("Label420", this, QPoint(240, 568), "Email an " + contact::publisherMail,
                          link, colors::white);
    label420_->makeLink(Label::Cursor::Arrow);
    button21_ = makeButton("Button21", this, QRect(800, 8, 17, 17), "X");
}

} // namespace zeitrad::screens
