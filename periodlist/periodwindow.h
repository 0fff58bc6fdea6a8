// "Vimsottari Dasa – Perioden": the period list of the last calculation in a window of its own,
// with its timeline above the tree, the choice of the year length, the exports down to a chosen
// depth and why other programs give other dates. It is made when first opened and follows every
// calculation while it lives.
#pragma once

#include <QWidget>

#include <memory>
#include <optional>

#include "astronomy/moon.h"
#include "birth/events.h"
#include "engine/calculation.h"
#include "engine/civildate.h"
#include "periodlist/periodexport.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTreeView;

namespace zeitrad::periodlist {

class PeriodModel;
class PeriodTimeline;

// The birth a calculation came from, with the events the register keeps for it.
struct BirthEvents {
    birth::Birth birth;
    QList<birth::Event> events;
};

class PeriodWindow : public QWidget {
    Q_OBJECT
public:
    explicit PeriodWindow(QWidget* parent);

    // Shows the periods of a calculation, of the birth called `birthName` when it came from the
    // register (empty for a birth typed in), whose Moon came from `origin` (none: a sidereal
    // position typed in, of an ayanamsa nobody knows); the periods running on `today` are bold
    // and expanded, and the deepest of them is selected.
    void showResult(const Result& result, const CivilDate& today, const QString& birthName = {},
                    const std::optional<astronomy::MoonOrigin>& origin = {});
    // The same for the day of the computer's clock.
    void showResult(const Result& result, const QString& birthName = {},
                    const std::optional<astronomy::MoonOrigin>& origin = {});
    // The events of the birth the next showResult() shows (none: a birth typed in, or one without
    // events): marks on the timeline and, in the header, the birth-time window they allow down to
    // the pratyantardasa. Without events the window is as it always was.
    void setEvents(std::shared_ptr<const BirthEvents> events);
    // The header's text.
    QString headerText() const;
    // The ayanamsa the header names: the origin's, or that the position was typed sidereal.
    QString ayanamsaText() const;
    // "Warum weichen andere Programme ab?" as the window shows it.
    QString differencesText() const;
    // Selects the period that an overview cell (1..81) stands for and scrolls to it.
    void showCell(int cell);

    PeriodModel* model() const { return model_; }
    PeriodTimeline* timeline() const { return timeline_; }
    // What the exports of this window write, down to the depth chosen for them.
    PeriodDocument document() const;
    // The year length chosen, and the depth of the timeline and the exports (1 .. 5).
    YearLength yearLength() const;
    int exportDepth() const;

    // The choices as they are remembered between windows and runs. A year-length setting of an
    // earlier version (360 days or not) is carried over.
    static YearLength rememberedYearLength();
    static int rememberedExportDepth();
    // What the PDF shows of the timeline: 0 the whole life, 1 the span shown, 2 nothing.
    static int rememberedTimelineInPdf();

private:
    void rebuild();
    void selectRunning();
    void copySelection();
    void exportCsv();
    void exportPdf();
    void print();
    void explainDifferences();
    void exportTimelinePng();
    // Selects the period of a path in the tree, its parents opened, as the timeline chose it.
    void chooseInTree(const std::vector<int>& path);
    void showSpan();
    // "Perioden.csv", or "Perioden Müller, Anna.csv" for a birth from the register.
    QString suggestedFileName(const QString& extension,
                              const QString& stem = QStringLiteral("Perioden")) const;

    std::optional<Result> result_;
    CivilDate today_;
    QString birthName_;
    std::shared_ptr<const BirthEvents> events_;
    std::optional<astronomy::MoonOrigin> origin_;
    PeriodModel* model_ = nullptr;
    QTreeView* tree_ = nullptr;
    QLabel* header_ = nullptr;
    QLabel* noDates_ = nullptr;
    QComboBox* yearLength_ = nullptr;
    QComboBox* depth_ = nullptr;
    QComboBox* timelineInPdf_ = nullptr;
    PeriodTimeline* timeline_ = nullptr;
    QLabel* span_ = nullptr;
    // While the window itself selects a row, the timeline keeps its span.
    bool keepSpan_ = false;
};

} // namespace zeitrad::periodlist
