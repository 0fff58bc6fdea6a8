#include "periodlist/periodmodel.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

#include <array>

#include "engine/periodtext.h"
#include "engine/tables.h"
#include "widgets/colors.h"

namespace zeitrad::periodlist {

using namespace zeitrad::widgets;

namespace {

// A row's internal id names its parent: the positions from the top of the parent's path, each
// plus one in four bits, the mahadasa's lowest (a period has at most nine children); 0 the root.
constexpr int idBits = 4;

quintptr idOfParent(const std::vector<int>& parentPath) {
    quintptr id = 0;
    for (std::size_t i = 0; i < parentPath.size(); ++i)
        id |= static_cast<quintptr>(parentPath[i] + 1) << (idBits * i);
    return id;
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
    today_ = today;
    running_ = runningOn(list_, today);
    endResetModel();
}

std::vector<int> PeriodModel::parentPath(const QModelIndex& index) const {
    std::vector<int> path;
    for (quintptr id = index.internalId(); id != 0; id >>= idBits)
        path.push_back(static_cast<int>(id & ((1u << idBits) - 1)) - 1);
    return path;
}

std::vector<Period>* PeriodModel::children(const std::vector<int>& path) {
    std::vector<Period>* level = &list_.mahadasas;
    for (int position : path) {
        if (position < 0 || position >= static_cast<int>(level->size()))
            return nullptr;
        level = &(*level)[static_cast<std::size_t>(position)].children;
    }
    return level;
}

const std::vector<Period>* PeriodModel::children(const std::vector<int>& path) const {
    return const_cast<PeriodModel*>(this)->children(path);
}

Period* PeriodModel::periodAt(const QModelIndex& index) {
    return const_cast<Period*>(period(index));
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
        if (path.size() >= deepestLevel)
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

bool PeriodModel::hasChildren(const QModelIndex& parent) const {
    if (!parent.isValid())
        return !list_.mahadasas.empty();
    if (parent.column() != 0)
        return false;
    const Period* p = period(parent);
    return p && (!p->children.empty() || levelNumber(p->level) < deepestLevel);
}

bool PeriodModel::canFetchMore(const QModelIndex& parent) const {
    const Period* p = parent.column() == 0 ? period(parent) : nullptr;
    return p && p->children.empty() && levelNumber(p->level) < deepestLevel;
}

void PeriodModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent))
        return;
    Period* p = periodAt(parent);
    std::vector<Period> made = subPeriods(list_, *p);
    if (made.empty())
        return;
    beginInsertRows(parent, 0, static_cast<int>(made.size()) - 1);
    p->children = std::move(made);
    // The running path goes down into the new rows when their parent runs.
    running_ = runningOn(list_, today_);
    endInsertRows();
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
    case Qt::FontRole: {
        const bool running = isRunning(index);
        const bool holdsEvent = !eventDays_.empty() && !eventsIn(*p, nullptr).isEmpty();
        if (running || holdsEvent) {
            QFont font;
            font.setBold(running);
            font.setItalic(holdsEvent);
            return font;
        }
        return {};
    }
    case Qt::ForegroundRole: {
        bool important = false;
        if (!eventDays_.empty() && !eventsIn(*p, &important).isEmpty() && important)
            return QColor(0x90, 0x00, 0x20);
        return {};
    }
    case Qt::ToolTipRole:
        if (!eventDays_.empty())
            if (const QStringList held = eventsIn(*p, nullptr); !held.isEmpty())
                return held.join(u'\n');
        return {};
    default:
        return {};
    }
}

void PeriodModel::setEventDays(std::vector<EventDay> days) {
    eventDays_ = std::move(days);
}

QStringList PeriodModel::eventsIn(const Period& p, bool* important) const {
    QStringList held;
    if (!p.startDate || !p.endDate)
        return held;
    for (const EventDay& e : eventDays_) {
        if (*p.startDate <= e.day && e.day < *p.endDate) {
            held << e.text;
            if (important && e.important)
                *important = true;
        }
    }
    return held;
}

QVariant PeriodModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const titles[] = {"Periode", "Alter bei Beginn", "Beginn", "Ende"};
    if (section < 0 || section >= columnCount_)
        return {};
    return QString::fromUtf8(titles[section]);
}

} // namespace zeitrad::periodlist
