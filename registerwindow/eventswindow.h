// The events of one birth of the register (EventsWindow, object name BirthEventsWindow, opened by
// the register window's "Ereignisse …", BirthEvents): a table of the events with the periods
// running on each (Datum, Zeit, Ereignis, Perioden down to the pratyantardasa), "Hinzufügen …",
// "Ändern …" and "Löschen" (which asks first), each change one transaction of the register; below,
// the birth-time window the events allow, down to the chosen level, with the events that set its
// edges; "CSV …" saves the events with their periods.
#pragma once

#include <QWidget>

#include <optional>

#include "birth/events.h"
#include "birth/register.h"
#include "engine/calendar.h"

class QComboBox;
class QLabel;
class QTableWidget;

namespace zeitrad::registerwindow {

class EventsWindow : public QWidget {
    Q_OBJECT
public:
    // The register stays the caller's. The periods are reckoned with `yearLength`.
    EventsWindow(birth::Register* reg, const birth::Birth& birth, YearLength yearLength,
                 QWidget* parent = nullptr);

    const birth::Birth& birth() const { return birth_; }
    // The events as the table shows them, by day.
    const QList<birth::Event>& events() const { return events_; }
    // Reads the events anew from the register and works out their periods and the window.
    void reload();
    // The events with their periods down to `depth` levels (1..5) as CSV, saved privately.
    Refused<birth::Done> exportCsv(const QString& fileName, int depth) const;

signals:
    // After an event of the birth was added, changed or deleted.
    void eventsChanged(qint64 birthId);

private:
    void addEvent();
    void editSelected();
    void deleteSelected();
    void chooseExport();
    void showWindow();
    std::optional<int> selectedRow() const;
    // The dialog of one event; false when cancelled. What it accepts is checked against the
    // birth's periods.
    bool editEvent(birth::Event& event, const QString& title);

    birth::Register* register_;
    birth::Birth birth_;
    YearLength yearLength_;
    std::optional<PeriodList> periods_; // none when the birth cannot be reckoned
    QString noPeriods_;                 // why not
    QList<birth::Event> events_;
    QTableWidget* table_;
    QComboBox* level_;
    QComboBox* depth_;
    QLabel* window_;
};

} // namespace zeitrad::registerwindow
