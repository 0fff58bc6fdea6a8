// The book screen: the classical verses on the periods and the book that holds them.
#pragma once

#include "screens/controls.h"

namespace zeitrad::ui {

class BookScreen : public Panel {
    Q_OBJECT
public:
    explicit BookScreen(QWidget* window);

    // The small panel that lies outside the screen's area and is never seen.
    Panel* innerPanel() const { return inner_; }

private:
    Panel* inner_ = nullptr;
};

} // namespace zeitrad::ui
