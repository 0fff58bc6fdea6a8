// The period list as a tree for a QTreeView: the mahadasas at the top, their antardasas below
// them, the pratyantardasas below those and, made only when their parent is first opened, the
// sukshmadasas and pranadasas, each with the age and the calendar days on which it begins and
// ends. The periods running on the model's day are bold on every level.
#pragma once

#include <QAbstractItemModel>
#include <QString>
#include <QStringList>

#include <vector>

#include "engine/periods.h"

namespace zeitrad::periodlist {

// The texts the list, the copy and the exports share.
QString periodName(int lord);                           // "Sukra": the planet without its padding
QString ageText(const Period& period);                  // "9 Jahre 7 M 13 T", or "Geburt"
QString dateText(const std::optional<CivilDate>& date); // "07.03.1985", empty without a date
QString moonText(const Result& result);                 // "Löwe 23° 01′ 01″ (siderisch)"

class PeriodModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column { name, age, begins, ends, columnCount_ };

    explicit PeriodModel(QObject* parent = nullptr);

    // The days of the birth's events: a row whose period holds one is italic, dark red when an
    // important one, and its tooltip names them; none: the rows as ever. For the rows that the
    // next setPeriods() makes.
    struct EventDay {
        CivilDate day;
        QString text; // "Hochzeit (14.07.2012)"
        bool important = false;
    };
    void setEventDays(std::vector<EventDay> days);

    // Shows the periods; `today` decides which rows are bold.
    void setPeriods(PeriodList list, const CivilDate& today);
    // The periods as far as they are made: three levels, and the levels below where a row was
    // opened.
    const PeriodList& periods() const { return list_; }
    // The positions of the running periods from the top, as runningOn gives them, as deep as the
    // running periods' children are made.
    const std::vector<int>& running() const { return running_; }

    // The period a row stands for, null for an invalid index.
    const Period* period(const QModelIndex& index) const;
    // The row of a path of positions from the top (as running() holds), or of an overview cell
    // (the first cell of a row stands for its first antardasa); invalid when there is none.
    QModelIndex indexOfPath(const std::vector<int>& path) const;
    QModelIndex indexOfCell(int cell) const;
    // Whether the row stands for a period running on the model's day.
    bool isRunning(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // The sukshmadasas of a pratyantardasa and the pranadasas of a sukshmadasa are made when the
    // view first opens their parent.
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    // The positions from the top of a row's parent, decoded from the index's internal id.
    std::vector<int> parentPath(const QModelIndex& index) const;
    std::vector<Period>* children(const std::vector<int>& path);
    const std::vector<Period>* children(const std::vector<int>& path) const;
    Period* periodAt(const QModelIndex& index);

    // The events a period holds, and whether one of them is important.
    QStringList eventsIn(const Period& p, bool* important) const;

    PeriodList list_;
    CivilDate today_;
    std::vector<EventDay> eventDays_;
    std::vector<int> running_;
};

} // namespace zeitrad::periodlist
