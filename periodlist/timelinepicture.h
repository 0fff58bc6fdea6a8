// The timeline of a life's periods as a picture: one band per level, mahadasa at the top, each
// period a bar in its planet's colour with the lord's name where it fits, a line where the running
// day is, and an axis of calendar dates and ages below. The window's timeline, the PNG and PDF
// exports and zeitrad-dasa's --timeline all paint through this class, onto any QPainter.
//
// Positions along the time axis are calendar days since birth (the day a period begins, under
// the chosen year length, is its start age's calendar day), so that bars, dates and the line of
// the day agree exactly with the list's dates. A period whose bar would be narrower than a few
// pixels is not drawn: the bands below a period too narrow for its children carry a pale tint of
// its colour instead. Levels 4 and 5 are made here when they come into view.
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

#include "engine/periods.h"

class QPainter;

namespace zeitrad::periodlist {

// A stretch of the time axis in calendar days since birth: [from, to).
struct DaySpan {
    double from = 0, to = 0;
    double length() const { return to - from; }
    friend bool operator==(const DaySpan&, const DaySpan&) = default;
};

// A period in the picture: its positions from the top (as PeriodModel::indexOfPath takes them).
using PeriodPath = std::vector<int>;

class TimelinePicture {
public:
    // The narrowest span shown, in days, and the parent width from which children are drawn.
    static constexpr double shortestSpan = 2;
    static constexpr double childrenFrom = 45; // pixels: nine children of five pixels on average

    TimelinePicture();

    // The periods (the levels below are made here as needed) and the day whose periods run. The
    // span becomes the whole life.
    void setPeriods(const PeriodList& list, const CivilDate& today);
    const PeriodList& periods() const { return list_; }
    // The bands shown: levels 1 .. depth.
    void setDepth(int depth);
    int depth() const { return depth_; }

    // The whole life, from birth to the end of the cycle.
    DaySpan life() const;
    DaySpan span() const { return span_; }
    // Shows `span`, kept within the life and at least shortestSpan days long.
    void setSpan(DaySpan span);
    // Shrinks the span by `factor` (> 1 zooms in) about the day `anchor`, which stays where it is.
    void zoom(double factor, double anchor);
    // The calendar days of a period's bar: [start, end).
    DaySpan spanOf(const Period& period) const;
    // The day of a calendar date, and back; nothing without dates.
    std::optional<double> dayOf(const CivilDate& date) const;
    std::optional<CivilDate> dateOfDay(double day) const;
    // The day whose periods run, when it lies in the life.
    std::optional<double> today() const;
    // The first and the last day of the span: "01.01.2006 bis 31.12.2008"; empty without dates.
    QString spanText() const;

    // The parts of a picture painted into `area`: the optional title, one band per level, the
    // axis (dates and ages) and, with a title, the colours' legend.
    struct Layout {
        QRectF title, bars, axis, legend;
        double left = 0, right = 0; // where the time axis runs
        double bandHeight = 0;
        QRectF band(int level) const; // 1 .. depth
    };
    Layout layout(const QRectF& area, bool titled) const;
    // The height a picture of the given width wants: the widget's without a title, an export's
    // with one.
    int naturalHeight(bool titled) const;

    // Paints the span into `area`; `title` (lines apart by '\n') above it when not empty. The
    // running periods are outlined, `current` (a period of a band) framed.
    void paint(QPainter& painter, const QRectF& area, const QString& title = {},
               const PeriodPath& current = {}, bool focused = false);

    double xOf(double day, const Layout& layout) const;
    double dayAt(double x, const Layout& layout) const;
    // The period of the band at `point` on the day under it (also where the band is tinted); empty
    // outside the bands.
    PeriodPath pathAt(QPointF point, const Layout& layout);
    // The bar of a period, clipped to the span (empty when outside it).
    QRectF barOf(const PeriodPath& path, const Layout& layout);

    // The period at a path (its children made where needed), null when there is none.
    const Period* period(const PeriodPath& path);
    // The period of the band `level` on `day`: its path, empty when there is none.
    PeriodPath pathOnDay(double day, int level);
    // The next (+1) or previous (-1) period of the same band, across its parents' ends; the path
    // itself at either end of the life.
    PeriodPath step(const PeriodPath& path, int direction);
    // The paths of the periods running on the day, from the mahadasa down to the pranadasa.
    const PeriodPath& running() const { return running_; }

    // "Rahu / Sani / Buddha"
    QString chainOf(const PeriodPath& path);
    // The chain, its dates and its ages on lines of their own, for a tooltip.
    QString describe(const PeriodPath& path);
    // The chain and its dates in one line, for a screen reader.
    QString announce(const PeriodPath& path);
    // The date and age of a day: "17.05.2031, Alter 18 Jahre 4 M 24 T".
    QString describeDay(double day) const;

private:
    struct Painting;
    Period* at(const PeriodPath& path);
    std::vector<Period>& childrenOf(Period& period);
    void paintAxis(QPainter& painter, const Layout& layout) const;
    void paintLegend(QPainter& painter, const Layout& layout) const;
    // The age in days on a calendar day since birth: the last age whose calendar day it is.
    int ageOnDay(long long day) const;

    PeriodList list_;
    CivilDate today_;
    PeriodPath running_;
    int depth_ = 3;
    DaySpan span_;
    QFont font_, small_;
};

// The planet colours of the bars and the text colour that stands out on each.
QColor barColor(int lord);
QColor textOn(const QColor& fill);

} // namespace zeitrad::periodlist
