// The divisions chart screen: how one sign divides in the divisional charts.
#pragma once

#include "widgets/colors.h"
#include "widgets/panel.h"

namespace zeitrad::screens {

class DivisionsScreen : public widgets::Panel {
    Q_OBJECT
public:
    explicit DivisionsScreen(QWidget* window);
};

} // namespace zeitrad::screens
