#include "screens/sample.h"

namespace zeitrad::ui {

SampleOverview::SampleOverview(QWidget* window)
    : Panel("Panel16", window, QRect(40, 80, 753, 561), colors::buttonFace) {}

void SampleOverview::showFor(const Result&) {
    show();
}

} // namespace zeitrad::ui
