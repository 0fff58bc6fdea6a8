// The input screen: birth date, the Moon's position, its sign and the tropical option.
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "engine/calculation.h"
#include "widgets/label.h"
#include "widgets/panel.h"
#include "widgets/shape.h"

namespace zeitrad::screens {

class InputScreen : public widgets::Panel {
    Q_OBJECT
public:
    explicit InputScreen(QWidget* window);

    // What the fields hold, exactly as typed.
    BirthInput input() const;
    // The calculate button; the window binds it to the calculation.
    QPushButton* calculateButton() const { return button12_; }
    // "Mond aus Geburtszeit …": the window opens the Moon calculator with it.
    QPushButton* moonButton() const { return button23_; }

    // Fills the fields as a user would type them: the texts as given, the sign's button chosen
    // (none changed for sign 0), the tropical option ticked or cleared.
    void enter(const BirthInput& in);

protected:
    // Return in any field of the screen presses the calculate button.
    void keyPressEvent(QKeyEvent* event) override;
    // Tab and Backtab follow the screen's own order, through every sign button, whether chosen
    // or not.
    bool focusNextPrevChild(bool next) override;

private:
    QLineEdit* edit1_ = nullptr; // degrees
    QLineEdit* edit2_ = nullptr; // arc-minutes
    QLineEdit* edit3_ = nullptr; // arc-seconds
    QLineEdit* edit4_ = nullptr; // day
    QLineEdit* edit5_ = nullptr; // month
    QLineEdit* edit6_ = nullptr; // year
    QCheckBox* checkBox1_ = nullptr;
    QButtonGroup* signs_ = nullptr;
    QPushButton* button12_ = nullptr;
    QPushButton* button23_ = nullptr;
    QList<QWidget*> tabOrder_;
};

} // namespace zeitrad::screens
