// The sample overview picture laid over the overview when the Moon stands on a nakshatra's start.
#pragma once

#include "engine/calculation.h"
#include "screens/controls.h"

namespace zeitrad::ui {

class SampleOverview : public Panel {
    Q_OBJECT
public:
    explicit SampleOverview(QWidget* window);

    // Shows the picture for the result's birth lord, with the birth date in its label.
    void showFor(const Result& result);
};

} // namespace zeitrad::ui
