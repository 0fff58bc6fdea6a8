#include "screens/startscreen.h"

#include "screens/contact.h"
#include "widgets/button.h"
#include "widgets/picture.h"

namespace zeitrad::screens {

using namespace zeitrad::widgets;

namespace credits {
const QString programmer = "Jonas Brendel";
const QString street = "Lindenstraße 14";
const QString town = "D-88212 Ravensburg";
} // namespace credits

namespace {
// Kept decoded in the resources (see CMakeLists.txt): the window opens without decoding them.
const QString yantra = ":/decoded/yantra.jpg";
const QString title = ":/decoded/title.jpg";
} // namespace

StartScreen::StartScreen(QWidget* window)
    : Panel("Panel2", window, QRect(11, 16, 806, 677), colors::green) {
    new Picture("Image1", this, QRect(216, 80, 409, 305), yantra);
    new Label("Label245", this, QPoint(272, 408), "ZEITRAD", tahoma(16), colors::yellow);
    label251_ = new Label("Label251", this, QPoint(328, 440), contact::publisherHost,
                          tahoma(12, true), colors::fuchsia);
    label251_->makeLink(Label::Cursor::Hand);
    label252_ = new Label("Label252", this, QPoint(368, 496), credits::programmer, tahoma(10),
                          colors::yellow);
    label252_->setFixedBox(QSize(89, 16));
    label252_->makeLink(Label::Cursor::Arrow);
    new Label("Label253", this, QPoint(368, 512), credits::street, tahoma(10), colors::yellow);
    new Label("Label254", this, QPoint(368, 544), credits::town, tahoma(10), colors::yellow);
    new Label("Label255", this, QPoint(369, 474), "Programmieung:", tahoma(10), colors::yellow);
    new Picture("Image7", this, QRect(296, 16, 273, 57), title);
    label415_ = new Label("Label415", this, QPoint(296, 576), "Kontakt Email schicken",
                          makeFont("Arial", 16, true), colors::lime);
    label415_->makeLink(Label::Cursor::Hand);
    button4_ = makeButton("Button4", this, QRect(328, 632, 177, 25), "OK");
}

} // namespace zeitrad::screens
