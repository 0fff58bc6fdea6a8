// The start screen: the program's title, its picture, the credits and the "OK" button.
#pragma once

#include <QPushButton>

#include "widgets/label.h"
#include "widgets/panel.h"

namespace zeitrad::screens {

class StartScreen : public widgets::Panel {
    Q_OBJECT
public:
    explicit StartScreen(QWidget* window);
    QPushButton* okButton() const { return button4_; }
    // The link labels: the publisher's web address, the programmer's name, the mail link.
    widgets::Label* siteLink() const { return label251_; }
    widgets::Label* nameLink() const { return label252_; }
    widgets::Label* mailLink() const { return label415_; }

private:
    QPushButton* button4_ = nullptr;
    widgets::Label* label251_ = nullptr;
    widgets::Label* label252_ = nullptr;
    widgets::Label* label415_ = nullptr;
};

} // namespace zeitrad::screens
