#include "screens/infoscreen.h"

#include "app/links.h"

namespace zeitrad::ui {

InfoScreen::InfoScreen(QWidget* window)
    : Panel("Panel7", window, QRect(0, 0, 825, 705), QColor(7, 7, 7)) {
    new Picture("Image3", this, QRect(200, 56, 433, 433), ":/info.bmp");
    auto* note = new Label("Label258", this, QPoint(176, 480), "", tahoma(10, true), colors::white);
    note->setFixedBox(QSize(501, 16));

    const QFont link = tahoma(14, true);
    auto* site =
        new Label("Label259", this, QPoint(312, 512), contact::publisherHost, link, colors::white);
    site->setHandCursor(true);
    new Label("Label421", this, QPoint(328, 536), contact::secondSiteHost, link, colors::white);
    new Label("Label420", this, QPoint(240, 568), "Email an " + contact::publisherMail, link,
              colors::white);

    makeButton("Button21", this, QRect(800, 8, 17, 17), "X");
}

} // namespace zeitrad::ui
