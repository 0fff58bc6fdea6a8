// The start screen: the program's title, its picture, the credits and the "OK" button.
#pragma once

#include <QPushButton>

#include "screens/controls.h"

namespace zeitrad::ui {

class StartScreen : public Panel {
    Q_OBJECT
public:
    explicit StartScreen(QWidget* window);
    // The pictures it shows, as resources.
    static QStringList pictures();
    QPushButton* okButton() const { return button4_; }

private:
    QPushButton* button4_ = nullptr;
};

} // namespace zeitrad::ui
