// "Vimsottari Dasa – Perioden": the period list of the last calculation in a window of its own,
// with the choice of the year length and the exports. It is made when first opened and follows
// every calculation while it lives.
#pragma once

#include <QWidget>

#include <optional>

#include "engine/calculation.h"
#include "engine/civildate.h"
#include "periods/periodexport.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeView;

namespace zeitrad::ui {

class PeriodModel;

class PeriodWindow : public QWidget {
    Q_OBJECT
public:
    explicit PeriodWindow(QWidget* parent);

    // Shows the periods of a calculation; the periods running on `today` are bold and expanded,
    // and the deepest of them is selected.
    void showResult(const Result& result, const CivilDate& today);
    // The same for the day of the computer's clock.
    void showResult(const Result& result);
    // Selects the period that an overview cell (1..81) stands for and scrolls to it.
    void showCell(int cell);

    PeriodModel* model() const { return model_; }
    // What the exports of this window write.
    PeriodDocument document() const;

    // The year-length choice as it is remembered between windows and runs.
    static YearLength rememberedYearLength();

private:
    void rebuild();
    void selectRunning();
    void copySelection();
    void exportCsv();
    void exportPdf();
    void print();

    std::optional<Result> result_;
    CivilDate today_;
    PeriodModel* model_ = nullptr;
    QTreeView* tree_ = nullptr;
    QLabel* header_ = nullptr;
    QLabel* noDates_ = nullptr;
    QCheckBox* days360_ = nullptr;
};

} // namespace zeitrad::ui
