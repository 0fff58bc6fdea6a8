// The divisions chart screen: how one sign divides in the divisional charts.
#pragma once

#include "widgets/colors.h"
#include "widgets/panel.h"

namespace zeitrad::ui {

class DivisionsScreen : public Panel {
    Q_OBJECT
public:
    explicit DivisionsScreen(QWidget* window);
};

} // namespace zeitrad::ui
