// The three pages of sign strips: four strips on the window, relabelled per page.
#pragma once

#include <QObject>

#include <array>

#include "screens/controls.h"

namespace zeitrad::ui {

class StripPages : public QObject {
    Q_OBJECT
public:
    // Creates the strips Panel9, Panel11, Panel10 and Panel12 on the window, in that order.
    explicit StripPages(QWidget* window);

    void setVisible(bool visible);
    // Sets the thirteen captions of page 1, 2 or 3.
    void setPage(int page);

    Panel* strip(int index) const { return strips_.at(static_cast<std::size_t>(index)); }

private:
    std::array<Panel*, 4> strips_{}; // top to bottom: Panel9, Panel11, Panel10, Panel12
};

} // namespace zeitrad::ui
