// The info screen: free to copy, and the publisher's contacts. Covers the whole window.
#pragma once

#include <QPushButton>

#include "widgets/label.h"
#include "widgets/panel.h"

namespace zeitrad::screens {

class InfoScreen : public widgets::Panel {
    Q_OBJECT
public:
    explicit InfoScreen(QWidget* window);

    QPushButton* closeButton() const { return button21_; }
    // The link labels: the publisher's web address, the second site's, and the mail address.
    widgets::Label* siteLink() const { return label259_; }
    widgets::Label* secondSiteLink() const { return label421_; }
    widgets::Label* mailLink() const { return label420_; }

private:
    QPushButton* button21_ = nullptr;
    widgets::Label* label259_ = nullptr;
    widgets::Label* label421_ = nullptr;
    widgets::Label* label420_ = nullptr;
};

} // namespace zeitrad::screens
