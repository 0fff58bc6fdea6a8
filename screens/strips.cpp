#include "screens/strips.h"

namespace zeitrad::ui {

StripPages::StripPages(QWidget* window) : QObject(window) {
    strips_[0] = new Panel("Panel9", window, QRect(120, 80, 601, 129), colors::maroon);
    strips_[1] = new Panel("Panel11", window, QRect(120, 208, 601, 129), colors::green);
    strips_[2] = new Panel("Panel10", window, QRect(120, 336, 601, 129), colors::skyBlue);
    strips_[3] = new Panel("Panel12", window, QRect(120, 464, 601, 129), colors::navy);
}

void StripPages::setVisible(bool visible) {
    for (Panel* strip : strips_)
        strip->setVisible(visible);
}

void StripPages::setPage(int) {}

} // namespace zeitrad::ui
