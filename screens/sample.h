// The sample overview picture laid over the overview when the Moon stands on a nakshatra's start.
#pragma once

#include <QString>

#include "engine/calculation.h"
#include "widgets/label.h"
#include "widgets/panel.h"
#include "widgets/picture.h"

namespace zeitrad::screens {

class SampleOverview : public widgets::Panel {
    Q_OBJECT
public:
    explicit SampleOverview(QWidget* window);

    // Shows the picture for the result's birth lord, with the birth date in its label.
    void showFor(const Result& result);

    // The resource of the picture drawn for a birth lord (1..9): an overview of a birth at the
    // start of one of that lord's nakshatras.
    static QString pictureFor(int lord);

private:
    widgets::Picture* image6_ = nullptr;
    widgets::Label* label419_ = nullptr;
};

} // namespace zeitrad::screens
