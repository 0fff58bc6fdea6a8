// The births as the register window's table shows them (Name, Geburt, Ort), filtered by folded
// name and place and sorted by any column, without asking the register again.
#pragma once

#include <QAbstractTableModel>
#include <QList>

#include "birth/birth.h"

namespace zeitrad::registerwindow {

class BirthModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setBirths(QList<birth::Birth> births);
    // Shows only the births whose folded name or place holds the folded text.
    void setFilter(const QString& text);
    const birth::Birth& birthAt(int row) const { return births_[shown_[row]]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    void arrange();
    void filter();

    QList<birth::Birth> births_;
    QList<QString> folded_; // name and place of each birth, folded
    QList<QString> foldedName_, foldedPlace_;
    QList<QString> shownAs_; // "dd.MM.yyyy HH:mm" of each birth
    QList<int> order_;       // indexes into births_, sorted
    QList<int> shown_;       // those of order_ that the filter lets through
    QString filter_;
    int sortColumn_ = 0;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

} // namespace zeitrad::registerwindow
