// The life overview: nine rows of nine period cells, one row per mahadasa from birth.
#pragma once

#include <QColor>

#include <array>

#include "engine/calculation.h"
#include "screens/overviewgeometry.h"
#include "widgets/label.h"
#include "widgets/panel.h"
#include "widgets/shape.h"

namespace zeitrad::screens {

class OverviewScreen : public widgets::Panel {
    Q_OBJECT
public:
    static constexpr int rows = overview::rows;
    static constexpr int columns = overview::columns;
    static constexpr int cellCount = rows * columns;

    explicit OverviewScreen(QWidget* window);

    // Writes one calculation's result into the grid: texts, visibility and colours of all cells.
    void fill(const Result& result);
    // What a screen reader reads for a cell's outer frame: its lines as one sentence, or nothing
    // for anything else and for a cell the overview does not show.
    QString cellSentence(const QObject* frame) const;
    // Recolours every cell of a row in the colour read back from the row's first frame.
    void markMahadasas();

    // The parts of cell k (1..81) and line 1..3 of its text.
    widgets::Shape* frame(int k) const { return frames_[k]; }
    widgets::Shape* innerField(int k) const { return inner_[k]; }
    widgets::Label* line(int k, int line) const { return labels_[3 * k - 3 + line]; }

    // The shown cell (1..81) at a point of the panel, 0 for none.
    int cellAt(const QPoint& point) const;

signals:
    // A double click on a shown cell, or "Periodenliste …" of the context menu (the cell under
    // the pointer, 0 for none).
    void periodListRequested(int cell);
    // "Übersicht drucken …" (Ctrl+P), "Übersicht als Bild speichern …" (Ctrl+S) and "Übersicht
    // kopieren".
    void printRequested();
    void saveImageRequested();
    void copyRequested();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void writeCell(int k, int lord, const AgeTriple& age);
    void setRowColour(int row, const QColor& colour);
    void setLinesVisible(int k, bool visible);

    // Index 0 unused, so that cell k and label n are addressed by their numbers.
    std::array<widgets::Shape*, cellCount + 1> frames_{};
    bool filled_ = false;
    std::array<widgets::Shape*, cellCount + 1> inner_{};
    std::array<widgets::Label*, 3 * cellCount + 1> labels_{};
    std::array<widgets::Shape*, rows + 1> topBars_{};
    std::array<widgets::Shape*, rows + 1> bottomBars_{};
};

} // namespace zeitrad::screens
