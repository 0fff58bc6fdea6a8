#include "app/startscreen.h"

#include "app/links.h"

namespace zeitrad::ui {

namespace credits {
const QString programmer = "Jonas Brendel";
const QString street = "Lindenstraße 14";
const QString town = "D-88212 Ravensburg";
} // namespace credits

namespace {
const QString yantra = ":/yantra.jpg";
const QString title = ":/title.jpg";
} // namespace

QStringList StartScreen::pictures() {
    return {yantra, title};
}

StartScreen::StartScreen(QWidget* window)
    : Panel("Panel2", window, QRect(11, 16, 806, 677), colors::green) {
    new Picture("Image1", this, QRect(216, 80, 409, 305), yantra);
    new Label("Label245", this, QPoint(272, 408), "ZEITRAD", tahoma(16), colors::yellow);
    auto* site = new Label("Label251", this, QPoint(328, 440), contact::publisherHost,
                           tahoma(12, true), colors::fuchsia);
    site->setHandCursor(true);
    auto* name = new Label("Label252", this, QPoint(368, 496), credits::programmer, tahoma(10),
                           colors::yellow);
    name->setFixedBox(QSize(89, 16));
    new Label("Label253", this, QPoint(368, 512), credits::street, tahoma(10), colors::yellow);
    new Label("Label254", this, QPoint(368, 544), credits::town, tahoma(10), colors::yellow);
    new Label("Label255", this, QPoint(369, 474), "Programmieung:", tahoma(10), colors::yellow);
    new Picture("Image7", this, QRect(296, 16, 273, 57), title);
    auto* mail = new Label("Label415", this, QPoint(296, 576), "Kontakt Email schicken",
                           makeFont("Arial", 16, true), colors::lime);
    mail->setHandCursor(true);
    button4_ = makeButton("Button4", this, QRect(328, 632, 177, 25), "OK");
}

} // namespace zeitrad::ui
