// The info screen: free to copy, and the publisher's contacts. Covers the whole window.
#pragma once

#include "screens/controls.h"

namespace zeitrad::ui {

class InfoScreen : public Panel {
    Q_OBJECT
public:
    explicit InfoScreen(QWidget* window);
};

} // namespace zeitrad::ui
