#include "periodlist/periodtimeline.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>

namespace zeitrad::periodlist {

namespace {

constexpr double zoomStep = 1.5;
constexpr double wheelStep = 1.2;    // per notch of the wheel
constexpr double narrowestShown = 8; // pixels: a revealed bar is at least this wide
constexpr double daysPerYear = 365.2425;

} // namespace

PeriodTimeline::PeriodTimeline(QWidget* parent) : QWidget(parent) {
    setObjectName("PeriodTimeline");
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setAccessibleName(QStringLiteral("Zeitleiste"));
    setAccessibleDescription(
        QStringLiteral("Die Perioden als Balken über der Zeit. Pfeiltasten links und rechts: "
                       "vorige und nächste Periode, auf und ab: Ebene darüber und darunter, "
                       "Eingabe: in der Liste wählen, Plus und Minus: vergrößern und "
                       "verkleinern, Pos1: ganzes Leben, T: um heute."));
}

void PeriodTimeline::setPeriods(const PeriodList& list, const CivilDate& today) {
    picture_.setPeriods(list, today);
    PeriodPath running = picture_.running();
    if (static_cast<int>(running.size()) > depth())
        running.resize(static_cast<std::size_t>(depth()));
    current_ = running.empty() && !list.mahadasas.empty() ? PeriodPath{0} : running;
    announce();
    spanMoved();
}

void PeriodTimeline::setDepth(int depth) {
    picture_.setDepth(depth);
    if (static_cast<int>(current_.size()) > picture_.depth())
        current_.resize(static_cast<std::size_t>(picture_.depth()));
    announce();
    updateGeometry();
    update();
}

void PeriodTimeline::setSpan(DaySpan span) {
    picture_.setSpan(span);
    spanMoved();
}

void PeriodTimeline::showWholeLife() {
    setSpan(picture_.life());
}

void PeriodTimeline::showToday() {
    const std::optional<double> today = picture_.today();
    if (!today)
        return;
    const double length = std::min(span().length(), daysPerYear);
    const double middle = *today + 0.5;
    setSpan({middle - length / 2, middle + length / 2});
}

void PeriodTimeline::zoomBy(double factor) {
    const DaySpan s = span();
    picture_.zoom(factor, (s.from + s.to) / 2);
    spanMoved();
}

void PeriodTimeline::zoomIn() {
    zoomBy(zoomStep);
}

void PeriodTimeline::zoomOut() {
    zoomBy(1 / zoomStep);
}

void PeriodTimeline::reveal(const PeriodPath& path) {
    PeriodPath target = path;
    if (static_cast<int>(target.size()) > depth())
        target.resize(static_cast<std::size_t>(depth()));
    const Period* p = picture_.period(target);
    if (!p)
        return;
    current_ = target;
    announce();
    const DaySpan s = picture_.spanOf(*p);
    const DaySpan view = span();
    const TimelinePicture::Layout l = layout();
    const double width = s.length() * (l.right - l.left) / view.length();
    if (s.from >= view.from && s.to <= view.to && width >= narrowestShown) {
        update();
        return;
    }
    double length = view.length();
    if (s.length() > view.length())
        length = s.length() * 1.2;
    else if (width < narrowestShown)
        length = s.length() * 3;
    const double middle = (s.from + s.to) / 2;
    setSpan({middle - length / 2, middle + length / 2});
}

void PeriodTimeline::setCurrent(const PeriodPath& path) {
    current_ = path;
    if (static_cast<int>(current_.size()) > depth())
        current_.resize(static_cast<std::size_t>(depth()));
    announce();
    update();
}

QPoint PeriodTimeline::pointOf(const CivilDate& date, int level) const {
    const std::optional<double> day = picture_.dayOf(date);
    if (!day || level < 1 || level > depth())
        return {-1, -1};
    const TimelinePicture::Layout l = layout();
    return QPoint(static_cast<int>(std::floor(picture_.xOf(*day + 0.5, l))),
                  static_cast<int>(std::floor(l.band(level).center().y())));
}

std::optional<CivilDate> PeriodTimeline::dateAt(QPoint point) const {
    return picture_.dateOfDay(picture_.dayAt(point.x() + 0.5, layout()));
}

QRect PeriodTimeline::barRect(const PeriodPath& path) {
    return picture_.barOf(path, layout()).toAlignedRect();
}

void PeriodTimeline::setMarks(const QList<Mark>& marks) {
    marks_ = marks;
    update();
}

int PeriodTimeline::markX(const Mark& mark) const {
    const std::optional<double> day = picture_.dayOf(mark.day);
    if (!day)
        return -1;
    const TimelinePicture::Layout l = layout();
    const double x = picture_.xOf(*day + 0.5, l);
    return x >= l.left && x < l.right ? static_cast<int>(std::floor(x)) : -1;
}

std::optional<qsizetype> PeriodTimeline::markAt(QPoint point) const {
    const TimelinePicture::Layout l = layout();
    if (point.y() < l.bars.top() || point.y() >= l.bars.bottom())
        return std::nullopt;
    std::optional<qsizetype> nearest;
    int best = 5; // pixels either side of the line
    for (qsizetype i = 0; i < marks_.size(); ++i) {
        const int x = markX(marks_[i]);
        if (x >= 0 && std::abs(x - point.x()) < best) {
            best = std::abs(x - point.x());
            nearest = i;
        }
    }
    return nearest;
}

QString PeriodTimeline::toolTipAt(QPoint point) {
    if (const auto mark = markAt(point))
        return marks_[*mark].text;
    const TimelinePicture::Layout l = layout();
    const QPointF at(point.x() + 0.5, point.y() + 0.5);
    if (const PeriodPath path = picture_.pathAt(at, l); !path.empty())
        return picture_.describe(path);
    if (at.y() >= l.axis.top() && at.x() >= l.left && at.x() < l.right)
        return picture_.describeDay(picture_.dayAt(at.x(), l));
    return {};
}

QSize PeriodTimeline::sizeHint() const {
    return {900, picture_.naturalHeight(false)};
}

QSize PeriodTimeline::minimumSizeHint() const {
    return {320, depth() * 16 + 48};
}

TimelinePicture::Layout PeriodTimeline::layout() const {
    return picture_.layout(rect(), false);
}

void PeriodTimeline::spanMoved() {
    update();
    emit spanChanged();
}

void PeriodTimeline::announce() {
    setAccessibleName(current_.empty() ? QStringLiteral("Zeitleiste")
                                       : picture_.announce(current_));
}

bool PeriodTimeline::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = toolTipAt(help->pos());
        setToolTip(text);
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

void PeriodTimeline::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    picture_.paint(painter, rect(), {}, current_, hasFocus());
    if (marks_.isEmpty())
        return;
    // The events over the bands: a line through them and a flag above; the important ones
    // wider and darker.
    const TimelinePicture::Layout l = layout();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const Mark& mark : marks_) {
        const int x = markX(mark);
        if (x < 0)
            continue;
        const QColor colour = mark.important ? QColor(0x90, 0x00, 0x20) : QColor(0x40, 0x40, 0x40);
        const int width = mark.important ? 3 : 1;
        // A pale edge either side keeps the line visible on every planet's colour.
        const QRect line(x - width / 2, int(l.bars.top()), width, int(l.bars.height()));
        painter.fillRect(line.adjusted(-1, 0, 1, 0), QColor(0xff, 0xff, 0xff));
        painter.fillRect(line, colour);
        const int flag = mark.important ? 6 : 4;
        const QPoint tip(x, int(l.bars.top()) + flag);
        const QPolygon triangle{QPoint(x - flag, int(l.bars.top())),
                                QPoint(x + flag + 1, int(l.bars.top())), tip};
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawPolygon(triangle);
    }
}

void PeriodTimeline::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    pressed_ = true;
    dragging_ = false;
    pressedAt_ = event->position().toPoint();
    pressedSpan_ = span();
}

void PeriodTimeline::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (pressed_ && (event->buttons() & Qt::LeftButton)) {
        const int moved = at.x() - pressedAt_.x();
        if (!dragging_ && std::abs(moved) >= QApplication::startDragDistance()) {
            dragging_ = true;
            setCursor(Qt::ClosedHandCursor);
        }
        if (dragging_) {
            const TimelinePicture::Layout l = layout();
            const double days = moved * pressedSpan_.length() / (l.right - l.left);
            setSpan({pressedSpan_.from - days, pressedSpan_.to - days});
        }
        return;
    }
    // The tooltip follows the pointer from one period to the next.
    const QString text = toolTipAt(at);
    if (text != toolTip()) {
        setToolTip(text);
        if (QToolTip::isVisible())
            QToolTip::showText(event->globalPosition().toPoint(), text, this);
    }
}

void PeriodTimeline::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_)
        return QWidget::mouseReleaseEvent(event);
    pressed_ = false;
    if (dragging_) {
        dragging_ = false;
        unsetCursor();
        return;
    }
    const QPoint at = event->position().toPoint();
    // A click on an event's mark chooses the periods running on its day.
    if (const auto mark = markAt(at); mark && !marks_[*mark].path.empty()) {
        setCurrent(marks_[*mark].path);
        emit periodChosen(marks_[*mark].path);
        return;
    }
    const PeriodPath path = picture_.pathAt(QPointF(at.x() + 0.5, at.y() + 0.5), layout());
    if (path.empty())
        return;
    setCurrent(path);
    emit periodChosen(path);
}

void PeriodTimeline::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const PeriodPath path = picture_.pathAt(QPointF(at.x() + 0.5, at.y() + 0.5), layout());
    if (const Period* p = path.empty() ? nullptr : picture_.period(path)) {
        const DaySpan s = picture_.spanOf(*p);
        const double margin = s.length() * 0.05;
        setSpan({s.from - margin, s.to + margin});
    }
}

void PeriodTimeline::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    const TimelinePicture::Layout l = layout();
    if (std::abs(delta.y()) >= std::abs(delta.x()) && !(event->modifiers() & Qt::ShiftModifier)) {
        // The day under the middle of the pointer's pixel, as dateAt() reads it, stays there.
        const double anchor = picture_.dayAt(std::floor(event->position().x()) + 0.5, l);
        picture_.zoom(std::pow(wheelStep, delta.y() / 120.0), anchor);
        spanMoved();
    } else {
        const int notches = delta.x() != 0 ? delta.x() : delta.y();
        const double days = -notches / 120.0 * span().length() / 10;
        setSpan({span().from + days, span().to + days});
    }
    event->accept();
}

void PeriodTimeline::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomIn();
        return;
    case Qt::Key_Minus:
        zoomOut();
        return;
    case Qt::Key_Home:
        showWholeLife();
        return;
    case Qt::Key_T:
        showToday();
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (!current_.empty())
            reveal(picture_.step(current_, event->key() == Qt::Key_Right ? 1 : -1));
        return;
    case Qt::Key_Up:
        if (current_.size() > 1)
            reveal({current_.begin(), current_.end() - 1});
        return;
    case Qt::Key_Down:
        if (!current_.empty() && static_cast<int>(current_.size()) < depth()) {
            // The child under the middle of the bar as far as it is shown.
            const Period* p = picture_.period(current_);
            const DaySpan s = picture_.spanOf(*p);
            const double middle = (std::max(s.from, span().from) + std::min(s.to, span().to)) / 2;
            const PeriodPath child =
                picture_.pathOnDay(middle, static_cast<int>(current_.size()) + 1);
            if (!child.empty())
                reveal(child);
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A copy: what the receiver does must not change the path it is handed.
        if (!current_.empty())
            emit periodChosen(PeriodPath(current_));
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void PeriodTimeline::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
}

void PeriodTimeline::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

} // namespace zeitrad::periodlist
