#include "screens/overview.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

#include <algorithm>

#include "engine/periodtext.h"
#include "engine/tables.h"
#include "screens/overviewgeometry.h"

namespace zeitrad::screens {

using namespace zeitrad::widgets;

using namespace overview;

namespace {

// Every text line has the caption-text colour behind it, except three labels that have their own.
QColor lineBackground(int label) {
    switch (label) {
    case 1:
        return colors::window;
    case 29:
        return colors::highlightText;
    case 58:
        return colors::white;
    default:
        return colors::captionText;
    }
}

QPoint lineTopLeft(int label, int row, int column, int line) {
    if (label == lineNumber(1, 3))
        return {birthDateLeft, birthDateTop};
    return {columnLeft(column) + lineIndent(column), lineTop(row, line)};
}

QString nameLine(int lord) {
    const std::string_view name = planetName[lord];
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

const QString dasabindu = QStringLiteral("Dasabindu");

// A decorative title font; the families after the first stand in where it is not installed.
QFont titleFont() {
    QFont font;
    font.setFamilies({"Samarkan", "Liberation Serif", "DejaVu Serif"});
    font.setPixelSize(21);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

} // namespace

namespace {

// A screen reader reads each cell's frame as one sentence of the cell's lines, made when it is
// asked for, so that the calculation does not pay for it.
class CellAccessible : public QAccessibleWidget {
public:
    CellAccessible(QWidget* frame, const OverviewScreen* screen)
        : QAccessibleWidget(frame), screen_(screen) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return screen_->cellSentence(widget());
        return QAccessibleWidget::text(t);
    }

private:
    const OverviewScreen* screen_;
};

QAccessibleInterface* cellAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String(widgets::Shape::staticMetaObject.className()) ||
        !object->isWidgetType())
        return nullptr;
    auto* frame = static_cast<QWidget*>(object);
    const auto* screen = qobject_cast<const OverviewScreen*>(frame->parentWidget());
    return screen ? new CellAccessible(frame, screen) : nullptr;
}

} // namespace

OverviewScreen::OverviewScreen(QWidget* window)
    : Panel("Panel1", window, QRect(panelLeft, panelTop, panelWidth, panelHeight),
            colors::buttonFace, "Panel1") {
    static const bool accessible = [] {
        QAccessible::installFactory(cellAccessible);
        return true;
    }();
    Q_UNUSED(accessible);
    new widgets::Shape("Shape262", this, QRect(8, 8, 737, 41), colors::skyBlue);
    auto* title = new Label("Label244", this, QPoint(200, 16), "Vimsottari Dasas Lebensübersicht",
                            titleFont(), colors::yellow, colors::skyBlue);
    title->setFixedBox(QSize(340, 26));
    title->setAlignment(Qt::AlignCenter);

    // Painting order: all outer frames, then all inner fields, then the text lines cell by cell,
    // and the row bars last, so that they cover the top and bottom of every frame.
    for (int row = 1; row <= rows; ++row) {
        for (int column = 1; column <= columns; ++column) {
            const int k = cellOf(row, column);
            const QRect bounds(columnLeft(column), rowTop(row), columnWidthOf(column), cellHeight);
            frames_[k] = new widgets::Shape(QString("Shape%1").arg(k), this, bounds,
                                            k == 1 ? colors::buttonHighlight : colors::white);
        }
    }
    for (int row = 1; row <= rows; ++row) {
        for (int column = 1; column <= columns; ++column) {
            const QRect bounds = frames_[cellOf(row, column)]->geometry().adjusted(
                frameInset, frameInset, -frameInset, -frameInset);
            inner_[cellOf(row, column)] = new widgets::Shape(
                QString("Shape%1").arg(innerFieldNumber(row, column)), this, bounds, colors::white);
        }
    }
    for (int row = 1; row <= rows; ++row) {
        for (int column = 1; column <= columns; ++column) {
            const int k = cellOf(row, column);
            for (int line = 1; line <= 3; ++line) {
                const int n = lineNumber(k, line);
                const QString name = QString("Label%1").arg(n);
                labels_[n] = new Label(name, this, lineTopLeft(n, row, column, line), name,
                                       windowFont(), colors::windowText, lineBackground(n));
            }
        }
    }
    for (int row = 1; row <= rows; ++row) {
        const RowNames& names = rowNames[row - 1];
        topBars_[row] = new widgets::Shape(QString("Shape%1").arg(names.topBar), this,
                                           QRect(barLeft, rowTop(row), barWidth, barHeight));
        bottomBars_[row] =
            new widgets::Shape(QString("Shape%1").arg(names.bottomBar), this,
                               QRect(barLeft, rowTop(row) + bottomBarOffset, barWidth, barHeight));
    }
    bottomBars_[1]->setClear(true);

    inner_[1]->setToolTip(dasabindu);
    inner_[2]->setToolTip(dasabindu);

    // Row 1 past the birth mahadasa stays empty until a fill reaches it.
    for (int k = 3; k <= columns; ++k)
        setLinesVisible(k, false);

    // A double click anywhere on a cell (its frame, field or lines) opens the period list there.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->installEventFilter(this);

    // Printing and saving the picture reach the keyboard while the overview is shown: the
    // actions belong to the panel, which is visible exactly then.
    auto addShortcut = [this](const QString& text, const QKeySequence& keys, auto signal) {
        auto* action = new QAction(text, this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, signal);
        addAction(action);
    };
    addShortcut(QStringLiteral("Übersicht drucken …"), QKeySequence::Print,
                &OverviewScreen::printRequested);
    addShortcut(QStringLiteral("Übersicht als Bild speichern …"), QKeySequence::Save,
                &OverviewScreen::saveImageRequested);
}

int OverviewScreen::cellAt(const QPoint& point) const {
    for (int k = 1; k <= cellCount; ++k)
        if (frames_[k]->geometry().contains(point))
            return line(k, 1)->isVisibleTo(this) ? k : 0;
    return 0;
}

bool OverviewScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton) {
            if (const int k = cellAt(widget->mapToParent(mouse->position().toPoint()))) {
                emit periodListRequested(k);
                return true;
            }
        }
    }
    return Panel::eventFilter(watched, event);
}

void OverviewScreen::contextMenuEvent(QContextMenuEvent* event) {
    // The menu is made when asked for: the overview itself stays as it is.
    QMenu menu(this);
    const int k = cellAt(event->pos());
    menu.addAction(QStringLiteral("Periodenliste …"), this,
                   [this, k] { emit periodListRequested(k); });
    for (QAction* action : actions())
        menu.addAction(action);
    menu.addAction(QStringLiteral("Übersicht kopieren"), this, &OverviewScreen::copyRequested);
    menu.exec(event->globalPos());
}

void OverviewScreen::setLinesVisible(int k, bool visible) {
    for (int line = 1; line <= 3; ++line)
        this->line(k, line)->setVisible(visible);
}

void OverviewScreen::setRowColour(int row, const QColor& colour) {
    frames_[cellOf(row, 1)]->setBrushColor(colour);
    topBars_[row]->setBrushColor(colour);
    bottomBars_[row]->setBrushColor(colour);
}

void OverviewScreen::writeCell(int k, int lord, const AgeTriple& age) {
    line(k, 1)->setText(nameLine(lord));
    line(k, 2)->setText(QString::fromStdString(yearsText(age)));
    line(k, 3)->setText(QString::fromStdString(monthsDaysText(age)));
    frames_[k]->setBrushColor(planetQColor(lord));
}

QString OverviewScreen::cellSentence(const QObject* frame) const {
    const auto it = std::find(frames_.begin() + 1, frames_.end(), frame);
    if (!filled_ || it == frames_.end())
        return {};
    const int k = static_cast<int>(it - frames_.begin());
    if (!line(k, 1)->isVisibleTo(this))
        return {};
    // "Sukra, 9 Jahre 7 M 13 T": the planet without its padding, then the cell's other lines.
    return line(k, 1)->text().trimmed() + ", " + line(k, 2)->text() + " " + line(k, 3)->text();
}

void OverviewScreen::fill(const Result& result) {
    // Cells 3..9 start from their state at load; the calculation shows only those it reaches.
    for (int k = 3; k <= columns; ++k) {
        setLinesVisible(k, false);
        frames_[k]->setBrushColor(colors::white);
    }

    // The birth cell: the birth lord, "Geburt" and the birth date.
    const int birthLord = result.birthLord;
    line(1, 1)->setText(nameLine(birthLord));
    line(1, 2)->setText(
        QString::fromUtf8(birthWord.data(), static_cast<qsizetype>(birthWord.size())));
    line(1, 3)->setText(QString::fromStdString(result.birthDateText()));
    filled_ = true;
    setRowColour(1, planetQColor(birthLord));

    // The rest of row 1: the antardasa running at birth, then those that follow it within the
    // birth mahadasa.
    inner_[2]->setToolTip(QString::number(0.0));
    for (int k = 2; k <= columns; ++k) {
        const Cell& cell = result.cells[k];
        if (!cell.shown)
            continue;
        setLinesVisible(k, true);
        writeCell(k, cell.lord, cell.age);
    }

    // Rows 2..9: the row's mahadasa lord colours its first cell and both its bars.
    for (int row = 2; row <= rows; ++row) {
        const int first = cellOf(row, 1);
        for (int k = first; k < first + columns; ++k)
            writeCell(k, result.cells[k].lord, result.cells[k].age);
        setRowColour(row, frames_[first]->brushColor());
    }
}

void OverviewScreen::markMahadasas() {
    for (int row = 1; row <= rows; ++row) {
        const QColor colour = frames_[cellOf(row, 1)]->brushColor();
        for (int column = 2; column <= columns; ++column)
            frames_[cellOf(row, column)]->setBrushColor(colour);
    }
}

} // namespace zeitrad::screens
