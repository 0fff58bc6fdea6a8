// The text screen: the introduction to the dasa system and to the program.
#pragma once

#include "widgets/panel.h"

namespace zeitrad::screens {

class TextScreen : public widgets::Panel {
    Q_OBJECT
public:
    explicit TextScreen(QWidget* window);

    // The small panel that lies outside the screen's area and is never seen.
    widgets::Panel* innerPanel() const { return inner_; }

private:
    widgets::Panel* inner_ = nullptr;
};

} // namespace zeitrad::screens
