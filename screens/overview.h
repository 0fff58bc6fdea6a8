// The life overview: nine rows of nine period cells, one row per mahadasa from birth.
#pragma once

#include <QColor>

#include "engine/calculation.h"
#include "screens/controls.h"

namespace zeitrad::ui {

class OverviewScreen : public Panel {
    Q_OBJECT
public:
    explicit OverviewScreen(QWidget* window);

    // Writes one calculation's result into the grid: texts, visibility and colours of all cells.
    void fill(const Result& result);
    // Recolours every cell of a row in the colour read back from the row's first frame.
    void markMahadasas();
};

} // namespace zeitrad::ui
