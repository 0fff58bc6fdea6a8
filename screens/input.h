// The input screen: birth date, the Moon's position, its sign and the tropical option.
#pragma once

#include <QPushButton>

#include "engine/calculation.h"
#include "screens/controls.h"

namespace zeitrad::ui {

class InputScreen : public Panel {
    Q_OBJECT
public:
    explicit InputScreen(QWidget* window);

    // What the fields hold, exactly as typed.
    BirthInput input() const;
    // The calculate button; the window binds it to the calculation.
    QPushButton* calculateButton() const { return button12_; }

private:
    QPushButton* button12_ = nullptr;
};

} // namespace zeitrad::ui
