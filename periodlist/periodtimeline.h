// The timeline of the period list window (object name "PeriodTimeline"): the periods as bars,
// one band per level down to the window's depth, zoomed with the wheel (about the pointer), "+"
// and "-", panned by dragging, "Pos1" for the whole life and "T" for a year around today. The
// pointer's period is the tooltip; a click, or Enter on the period the arrow keys moved to,
// chooses it for the list. A zoom or a pan repaints; it never touches the list's tree.
#pragma once

#include <QWidget>

#include <optional>

#include "periodlist/timelinepicture.h"

namespace zeitrad::periodlist {

class PeriodTimeline : public QWidget {
    Q_OBJECT
public:
    explicit PeriodTimeline(QWidget* parent = nullptr);

    // The periods and the day whose periods run; shows the whole life.
    void setPeriods(const PeriodList& list, const CivilDate& today);
    // The bands: levels 1 .. depth.
    void setDepth(int depth);
    int depth() const { return picture_.depth(); }

    DaySpan span() const { return picture_.span(); }
    void setSpan(DaySpan span);
    void showWholeLife();
    // A year around today, or today in the middle when zoomed in further than a year.
    void showToday();
    // Zooms in (factor > 1) or out about the middle; by a step of "+" and "-".
    void zoomBy(double factor);
    void zoomIn();
    void zoomOut();
    // Makes the period (or, below the bands, its ancestor in the lowest band) the current one and
    // brings its bar into view: panned to when it is wide enough, else zoomed to a third of the
    // width.
    void reveal(const PeriodPath& path);

    // The period the arrow keys move from and the frame marks; empty for none.
    const PeriodPath& current() const { return current_; }
    void setCurrent(const PeriodPath& path);

    // The middle of a day in the band of a level, and the day under a point (none without dates).
    QPoint pointOf(const CivilDate& date, int level) const;
    std::optional<CivilDate> dateAt(QPoint point) const;
    // A period's bar as shown, empty when it is out of view or below the bands.
    QRect barRect(const PeriodPath& path);
    // What the tooltip says at a point: the period's chain, dates and age; on the axis the day.
    QString toolTipAt(QPoint point);
    TimelinePicture& picture() { return picture_; }

    // The events of the birth as marks on the timeline, over the bands and not in its picture:
    // an important one stronger. The pointer on a mark shows its text and periods; a click on it
    // chooses the periods running that day (`path`).
    struct Mark {
        CivilDate day;
        QString text; // "Hochzeit, 12.06.2010: Rahu / Sani / Buddha"
        bool important = false;
        PeriodPath path;
    };
    void setMarks(const QList<Mark>& marks);
    const QList<Mark>& marks() const { return marks_; }
    // The mark under a point (within a few pixels of its line), or none.
    std::optional<qsizetype> markAt(QPoint point) const;
    // Where a mark's line is drawn; -1 when out of view.
    int markX(const Mark& mark) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A click on a bar, or Enter: the period chosen.
    void periodChosen(const zeitrad::periodlist::PeriodPath& path);
    // After every zoom and pan.
    void spanChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    TimelinePicture::Layout layout() const;
    void spanMoved();
    // The current period told to a screen reader.
    void announce();

    TimelinePicture picture_;
    QList<Mark> marks_;
    PeriodPath current_;
    QPoint pressedAt_;
    DaySpan pressedSpan_;
    bool pressed_ = false, dragging_ = false;
};

} // namespace zeitrad::periodlist
