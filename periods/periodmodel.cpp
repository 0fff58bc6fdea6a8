#include "periods/periodmodel.h"

#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include <array>

#include "engine/periodtext.h"
#include "engine/tables.h"
#include "widgets/colors.h"

namespace zeitrad::ui {

namespace {

// A row's internal id names its parent: 0 the root, 1 + m mahadasa m, 16 + 16 m + a antardasa a
// of mahadasa m (positions from 0; a mahadasa has at most nine antardasas).
constexpr quintptr idStride = 16;

quintptr idOfParent(const std::vector<int>& parentPath) {
    if (parentPath.empty())
        return 0;
    if (parentPath.size() == 1)
        return 1 + static_cast<quintptr>(parentPath[0]);
    return idStride + idStride * static_cast<quintptr>(parentPath[0]) +
           static_cast<quintptr>(parentPath[1]);
}

// A square of the planet's colour with a black outline, so that Chandra's white shows too.
QIcon swatch(int lord) {
    static std::array<QIcon, 10> icons;
    QIcon& icon = icons[static_cast<std::size_t>(lord)];
    if (icon.isNull()) {
        QPixmap pixmap(12, 12);
        pixmap.fill(planetQColor(lord));
        QPainter p(&pixmap);
        p.setPen(colors::black);
        p.drawRect(0, 0, 11, 11);
        p.end();
        icon = QIcon(pixmap);
    }
    return icon;
}

} // namespace

QString periodName(int lord) {
    return QString::fromStdString(lordName(lord));
}

QString ageText(const Period& period) {
    return QString::fromStdString(startText(period));
}

QString dateText(const std::optional<CivilDate>& date) {
    return QString::fromStdString(germanDate(date));
}

QString moonText(const Result& result) {
    return QString::fromStdString(longitudeText(result.moonLongitude)) +
           QStringLiteral(" (siderisch)");
}

PeriodModel::PeriodModel(QObject* parent) : QAbstractItemModel(parent) {}

void PeriodModel::setPeriods(PeriodList list, const CivilDate& today) {
    beginResetModel();
    list_ = std::move(list);
    running_ = runningOn(list_, today);
    endResetModel();
}

std::vector<int> PeriodModel::parentPath(const QModelIndex& index) const {
    const quintptr id = index.internalId();
    if (id == 0)
        return {};
    if (id < idStride)
        return {static_cast<int>(id - 1)};
    return {static_cast<int>((id - idStride) / idStride), static_cast<int>(id % idStride)};
}

const std::vector<Period>* PeriodModel::children(const std::vector<int>& path) const {
    const std::vector<Period>* level = &list_.mahadasas;
    for (int position : path) {
        if (position < 0 || position >= static_cast<int>(level->size()))
            return nullptr;
        level = &(*level)[static_cast<std::size_t>(position)].children;
    }
    return level;
}

const Period* PeriodModel::period(const QModelIndex& index) const {
    if (!index.isValid())
        return nullptr;
    const std::vector<Period>* level = children(parentPath(index));
    if (!level || index.row() >= static_cast<int>(level->size()))
        return nullptr;
    return &(*level)[static_cast<std::size_t>(index.row())];
}

QModelIndex PeriodModel::indexOfPath(const std::vector<int>& path) const {
    QModelIndex at;
    for (int position : path) {
        at = index(position, 0, at);
        if (!at.isValid())
            return {};
    }
    return at;
}

QModelIndex PeriodModel::indexOfCell(int cell) const {
    if (cell <= 0)
        return {};
    // The antardasa first: it is the more precise answer where a mahadasa shares its cell.
    for (int m = 0; m < static_cast<int>(list_.mahadasas.size()); ++m) {
        const auto& antardasas = list_.mahadasas[static_cast<std::size_t>(m)].children;
        for (int a = 0; a < static_cast<int>(antardasas.size()); ++a)
            if (antardasas[static_cast<std::size_t>(a)].cell == cell)
                return indexOfPath({m, a});
    }
    for (int m = 0; m < static_cast<int>(list_.mahadasas.size()); ++m)
        if (list_.mahadasas[static_cast<std::size_t>(m)].cell == cell)
            return indexOfPath({m});
    return {};
}

bool PeriodModel::isRunning(const QModelIndex& index) const {
    std::vector<int> path = parentPath(index);
    path.push_back(index.row());
    return zeitrad::isRunning(running_, path);
}

QModelIndex PeriodModel::index(int row, int column, const QModelIndex& parent) const {
    if (column < 0 || column >= columnCount_ || row < 0)
        return {};
    std::vector<int> path;
    if (parent.isValid()) {
        path = parentPath(parent);
        path.push_back(parent.row());
        if (path.size() > 2)
            return {};
    }
    const std::vector<Period>* level = children(path);
    if (!level || row >= static_cast<int>(level->size()))
        return {};
    return createIndex(row, column, idOfParent(path));
}

QModelIndex PeriodModel::parent(const QModelIndex& child) const {
    if (!child.isValid())
        return {};
    std::vector<int> path = parentPath(child);
    if (path.empty())
        return {};
    const int row = path.back();
    path.pop_back();
    return createIndex(row, 0, idOfParent(path));
}

int PeriodModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return static_cast<int>(list_.mahadasas.size());
    if (parent.column() != 0)
        return 0;
    const Period* p = period(parent);
    return p ? static_cast<int>(p->children.size()) : 0;
}

int PeriodModel::columnCount(const QModelIndex&) const {
    return columnCount_;
}

QVariant PeriodModel::data(const QModelIndex& index, int role) const {
    const Period* p = period(index);
    if (!p)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case name:
            return periodName(p->lord);
        case age:
            return ageText(*p);
        case begins:
            return dateText(p->startDate);
        case ends:
            return dateText(p->endDate);
        default:
            return {};
        }
    case Qt::DecorationRole:
        if (index.column() == name)
            return swatch(p->lord);
        return {};
    case Qt::FontRole:
        if (isRunning(index)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return {};
    }
}

QVariant PeriodModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const titles[] = {"Periode", "Alter bei Beginn", "Beginn", "Ende"};
    if (section < 0 || section >= columnCount_)
        return {};
    return QString::fromUtf8(titles[section]);
}

} // namespace zeitrad::ui
