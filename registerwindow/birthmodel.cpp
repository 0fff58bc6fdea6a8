#include "registerwindow/birthmodel.h"

#include <algorithm>
#include <numeric>

namespace zeitrad::registerwindow {

using birth::Birth;

void BirthModel::setBirths(QList<Birth> births) {
    beginResetModel();
    births_ = std::move(births);
    folded_.clear();
    foldedName_.clear();
    foldedPlace_.clear();
    shownAs_.clear();
    folded_.reserve(births_.size());
    shownAs_.reserve(births_.size());
    for (const Birth& b : births_) {
        foldedName_.append(birth::searchFolded(b.name()));
        foldedPlace_.append(birth::searchFolded(b.place));
        folded_.append(foldedName_.back() + u'\x1f' + foldedPlace_.back());
        shownAs_.append(
            b.date.toString(QStringLiteral("dd.MM.yyyy")) + u' ' +
            (b.time ? b.time->toString(QStringLiteral("HH:mm")) : QStringLiteral("--:--")));
    }
    arrange();
    endResetModel();
}

void BirthModel::setFilter(const QString& text) {
    beginResetModel();
    filter_ = birth::searchFolded(text);
    filter();
    endResetModel();
}

// The filter keeps the sorted order, so a keystroke only walks the list once.
void BirthModel::filter() {
    shown_.clear();
    for (const int i : order_)
        if (filter_.isEmpty() || folded_[i].contains(filter_))
            shown_.append(i);
}

void BirthModel::arrange() {
    order_.resize(births_.size());
    std::iota(order_.begin(), order_.end(), 0);
    // Names and places in the order of a German dictionary: umlauts as their base letters,
    // case aside (the folded texts).
    auto less = [this](int a, int b) {
        const Birth& x = births_[a];
        const Birth& y = births_[b];
        switch (sortColumn_) {
        case 1:
            return std::pair(x.date, x.time.value_or(QTime(12, 0))) <
                   std::pair(y.date, y.time.value_or(QTime(12, 0)));
        case 2:
            return foldedPlace_[a] < foldedPlace_[b];
        default:
            return foldedName_[a] < foldedName_[b];
        }
    };
    if (sortOrder_ == Qt::AscendingOrder)
        std::stable_sort(order_.begin(), order_.end(), less);
    else
        std::stable_sort(order_.begin(), order_.end(),
                         [&less](int a, int b) { return less(b, a); });
    filter();
}

int BirthModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(shown_.size());
}

int BirthModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant BirthModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const int i = shown_[index.row()];
    switch (index.column()) {
    case 0:
        return births_[i].name();
    case 1:
        return shownAs_[i];
    default:
        return births_[i].place;
    }
}

QVariant BirthModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const titles[] = {"Name", "Geburt", "Ort"};
    return QString::fromLatin1(titles[section]);
}

void BirthModel::sort(int column, Qt::SortOrder order) {
    beginResetModel();
    sortColumn_ = column;
    sortOrder_ = order;
    arrange();
    endResetModel();
}

} // namespace zeitrad::registerwindow
