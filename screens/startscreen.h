// The start screen: the program's title, its picture, the credits and the "OK" button.
#pragma once

#include <QPushButton>

#include "widgets/label.h"
#include "widgets/panel.h"

namespace zeitrad::ui {

class StartScreen : public Panel {
    Q_OBJECT
public:
    explicit StartScreen(QWidget* window);
    QPushButton* okButton() const { return button4_; }
    // The link labels: the publisher's web address, the programmer's name, the mail link.
    Label* siteLink() const { return label251_; }
    Label* nameLink() const { return label252_; }
    Label* mailLink() const { return label415_; }

private:
    QPushButton* button4_ = nullptr;
    Label* label251_ = nullptr;
    Label* label252_ = nullptr;
    Label* label415_ = nullptr;
};

} // namespace zeitrad::ui
