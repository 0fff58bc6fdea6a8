#include "screens/overview.h"

namespace zeitrad::ui {

OverviewScreen::OverviewScreen(QWidget* window)
    : Panel("Panel1", window, QRect(40, 80, 753, 561), colors::buttonFace, "Panel1") {}

void OverviewScreen::fill(const Result&) {}

void OverviewScreen::markMahadasas() {}

} // namespace zeitrad::ui
