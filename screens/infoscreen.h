// The info screen: free to copy, and the publisher's contacts. Covers the whole window.
#pragma once

#include <QPushButton>

#include "widgets/label.h"
#include "widgets/panel.h"

namespace zeitrad::ui {

class InfoScreen : public Panel {
    Q_OBJECT
public:
    explicit InfoScreen(QWidget* window);

    QPushButton* closeButton() const { return button21_; }
    // The link labels: the publisher's web address, the second site's, and the mail address.
    Label* siteLink() const { return label259_; }
    Label* secondSiteLink() const { return label421_; }
    Label* mailLink() const { return label420_; }

private:
    QPushButton* button21_ = nullptr;
    Label* label259_ = nullptr;
    Label* label421_ = nullptr;
    Label* label420_ = nullptr;
};

} // namespace zeitrad::ui
