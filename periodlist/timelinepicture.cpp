#include "periodlist/timelinepicture.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "engine/periodtext.h"
#include "periodlist/periodmodel.h"
#include "widgets/colors.h"

namespace zeitrad::periodlist {

namespace {

constexpr const char* levelNames[deepestLevel] = {"Mahadasa", "Antardasa", "Pratyantardasa",
                                                  "Sukshmadasa", "Pranadasa"};
constexpr const char* monthNames[12] = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun",
                                        "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};

// Heights in pixels of a picture at its natural size.
constexpr double titleHeight = 44, axisHeight = 40, legendHeight = 26;
constexpr double bandHeight = 26, exportBandHeight = 30;
constexpr double bandGap = 2, rightMargin = 12;

const QColor background{255, 255, 255};
const QColor separator{90, 90, 90};
const QColor tintBase{230, 230, 230};
const QColor axisText{40, 40, 40};
const QColor tickColor{128, 128, 128};
const QColor currentColor{0, 120, 215};

// The share of a colour in a mix with another.
QColor mixed(const QColor& a, const QColor& b, double shareOfA) {
    auto part = [shareOfA](int x, int y) { return qRound(x * shareOfA + y * (1 - shareOfA)); };
    return QColor(part(a.red(), b.red()), part(a.green(), b.green()), part(a.blue(), b.blue()));
}

// Where the ticks of one row of the axis fall: whole units of a calendar or of the ages.
enum class Unit { years, months, days };

struct Step {
    Unit unit;
    int count;
    double days; // the usual length of one step, for spacing
};

constexpr Step calendarSteps[] = {{Unit::years, 50, 50 * 365.2425},
                                  {Unit::years, 20, 20 * 365.2425},
                                  {Unit::years, 10, 10 * 365.2425},
                                  {Unit::years, 5, 5 * 365.2425},
                                  {Unit::years, 2, 2 * 365.2425},
                                  {Unit::years, 1, 365.2425},
                                  {Unit::months, 6, 6 * 30.44},
                                  {Unit::months, 3, 3 * 30.44},
                                  {Unit::months, 1, 30.44},
                                  {Unit::days, 10, 10},
                                  {Unit::days, 5, 5},
                                  {Unit::days, 1, 1}};

// Ages count years of 360 days and months of 30.
constexpr Step ageSteps[] = {
    {Unit::years, 20, 20 * 360}, {Unit::years, 10, 10 * 360}, {Unit::years, 5, 5 * 360},
    {Unit::years, 2, 2 * 360},   {Unit::years, 1, 360},       {Unit::months, 6, 6 * 30},
    {Unit::months, 3, 3 * 30},   {Unit::months, 1, 30},       {Unit::days, 10, 10},
    {Unit::days, 5, 5},          {Unit::days, 1, 1}};

// The finest step whose ticks stand at least `spacing` pixels apart.
const Step& chooseStep(const auto& steps, double pixelsPerDay, double spacing) {
    const Step* chosen = &steps[0];
    for (const Step& step : steps)
        if (step.days * pixelsPerDay >= spacing)
            chosen = &step;
    return *chosen;
}

struct Tick {
    double day;
    QString label, fullLabel; // the short label, and the one with every coarser unit
};

QString lordText(int lord) {
    return periodName(lord);
}

} // namespace

QColor barColor(int lord) {
    return widgets::planetQColor(lord);
}

QColor textOn(const QColor& fill) {
    const double luminance = 0.299 * fill.red() + 0.587 * fill.green() + 0.114 * fill.blue();
    return luminance < 140 ? widgets::colors::white : widgets::colors::black;
}

TimelinePicture::TimelinePicture() : font_(QStringLiteral("DejaVu Sans")), small_(font_) {
    font_.setPixelSize(11);
    small_.setPixelSize(10);
}

void TimelinePicture::setPeriods(const PeriodList& list, const CivilDate& today) {
    list_ = list;
    today_ = today;
    running_.clear();
    // The running periods down to the pranadasa, their children made on the way.
    std::vector<Period>* level = &list_.mahadasas;
    for (int depth = 1; depth <= deepestLevel && !level->empty(); ++depth) {
        const auto it = std::find_if(level->begin(), level->end(), [&](const Period& p) {
            return p.startDate && p.endDate && *p.startDate <= today && today < *p.endDate;
        });
        if (it == level->end())
            break;
        running_.push_back(static_cast<int>(it - level->begin()));
        if (depth < deepestLevel)
            level = &childrenOf(*it);
    }
    span_ = life();
}

void TimelinePicture::setDepth(int depth) {
    depth_ = std::clamp(depth, 1, deepestLevel);
}

DaySpan TimelinePicture::life() const {
    if (list_.mahadasas.empty())
        return {0, 1};
    return {0,
            static_cast<double>(calendarDaysOfAge(list_.mahadasas.back().end, list_.yearLength))};
}

void TimelinePicture::setSpan(DaySpan span) {
    const DaySpan whole = life();
    const double length =
        std::clamp(span.length(), std::min(shortestSpan, whole.length()), whole.length());
    const double from = std::clamp(span.from, whole.from, whole.to - length);
    span_ = {from, from + length};
}

void TimelinePicture::zoom(double factor, double anchor) {
    const double length = span_.length() / factor;
    const double share = (anchor - span_.from) / span_.length();
    setSpan({anchor - share * length, anchor - share * length + length});
}

DaySpan TimelinePicture::spanOf(const Period& period) const {
    return {static_cast<double>(calendarDaysOfAge(period.start, list_.yearLength)),
            static_cast<double>(calendarDaysOfAge(period.end, list_.yearLength))};
}

std::optional<double> TimelinePicture::dayOf(const CivilDate& date) const {
    if (!list_.hasDates() || !list_.birthDate || !isValid(date))
        return std::nullopt;
    return static_cast<double>(daysFromCivil(date) - daysFromCivil(*list_.birthDate));
}

std::optional<CivilDate> TimelinePicture::dateOfDay(double day) const {
    if (!list_.hasDates() || !list_.birthDate)
        return std::nullopt;
    return civilFromDays(daysFromCivil(*list_.birthDate) + static_cast<long long>(std::floor(day)));
}

std::optional<double> TimelinePicture::today() const {
    const std::optional<double> day = dayOf(today_);
    if (!day || *day < life().from || *day >= life().to)
        return std::nullopt;
    return day;
}

QString TimelinePicture::spanText() const {
    // The span ends where the day of its end begins.
    const auto first = dateOfDay(span_.from), last = dateOfDay(span_.to - 1e-6);
    return first && last ? QStringLiteral("%1 bis %2").arg(dateText(first), dateText(last))
                         : QString();
}

int TimelinePicture::ageOnDay(long long day) const {
    // The last age D whose calendar day floor(D x L / 360) is not after `day`.
    const long long perYear = yearLengthHundredThousandths(list_.yearLength);
    return static_cast<int>(((day + 1) * 36'000'000LL - 1) / perYear);
}

std::vector<Period>& TimelinePicture::childrenOf(Period& period) {
    if (period.children.empty() && levelNumber(period.level) < deepestLevel)
        period.children = subPeriods(list_, period);
    return period.children;
}

QRectF TimelinePicture::Layout::band(int level) const {
    return QRectF(left, bars.top() + (level - 1) * bandHeight, right - left, bandHeight - bandGap);
}

TimelinePicture::Layout TimelinePicture::layout(const QRectF& area, bool titled) const {
    Layout l;
    const QFontMetricsF metrics(font_);
    double gutter = metrics.horizontalAdvance(QStringLiteral("Datum"));
    for (int level = 0; level < depth_; ++level)
        gutter = std::max(gutter, metrics.horizontalAdvance(QString::fromUtf8(levelNames[level])));
    l.left = std::round(area.left() + gutter + 14);
    // However narrow the area, the axis keeps a length: positions are divided by it.
    l.right = std::max(std::round(area.right() - rightMargin), l.left + 1);
    double top = area.top();
    if (titled) {
        l.title = QRectF(area.left() + 8, top + 6, area.width() - 16, titleHeight - 10);
        top += titleHeight;
    }
    double bottom = area.bottom();
    if (titled) {
        l.legend = QRectF(area.left() + 8, bottom - legendHeight, area.width() - 16, legendHeight);
        bottom -= legendHeight;
    }
    l.axis = QRectF(area.left(), bottom - axisHeight, area.width(), axisHeight);
    l.bandHeight = std::max(8.0, std::floor((l.axis.top() - top - 2) / depth_));
    l.bars = QRectF(area.left(), top + 2, area.width(), l.bandHeight * depth_);
    return l;
}

int TimelinePicture::naturalHeight(bool titled) const {
    const double bands = depth_ * (titled ? exportBandHeight : bandHeight);
    return static_cast<int>(
        std::ceil(bands + axisHeight + 4 + (titled ? titleHeight + legendHeight : 0)));
}

double TimelinePicture::xOf(double day, const Layout& layout) const {
    return layout.left + (day - span_.from) * (layout.right - layout.left) / span_.length();
}

double TimelinePicture::dayAt(double x, const Layout& layout) const {
    return span_.from + (x - layout.left) * span_.length() / (layout.right - layout.left);
}

Period* TimelinePicture::at(const PeriodPath& path) {
    std::vector<Period>* level = &list_.mahadasas;
    Period* found = nullptr;
    for (std::size_t n = 0; n < path.size(); ++n) {
        if (n > 0)
            level = &childrenOf(*found);
        if (path[n] < 0 || path[n] >= static_cast<int>(level->size()))
            return nullptr;
        found = &(*level)[static_cast<std::size_t>(path[n])];
    }
    return found;
}

const Period* TimelinePicture::period(const PeriodPath& path) {
    return at(path);
}

PeriodPath TimelinePicture::pathOnDay(double day, int level) {
    PeriodPath path;
    std::vector<Period>* periods = &list_.mahadasas;
    for (int l = 1; l <= level; ++l) {
        const auto it = std::find_if(periods->begin(), periods->end(), [&](const Period& p) {
            const DaySpan s = spanOf(p);
            return s.from <= day && day < s.to;
        });
        if (it == periods->end())
            return {};
        path.push_back(static_cast<int>(it - periods->begin()));
        if (l < level)
            periods = &childrenOf(*it);
    }
    return path;
}

PeriodPath TimelinePicture::pathAt(QPointF point, const Layout& layout) {
    if (point.x() < layout.left || point.x() >= layout.right)
        return {};
    for (int level = 1; level <= depth_; ++level) {
        const QRectF band = layout.band(level);
        if (point.y() >= band.top() && point.y() < band.top() + layout.bandHeight)
            return pathOnDay(dayAt(point.x(), layout), level);
    }
    return {};
}

QRectF TimelinePicture::barOf(const PeriodPath& path, const Layout& layout) {
    const Period* p = period(path);
    if (!p || static_cast<int>(path.size()) > depth_)
        return {};
    const DaySpan s = spanOf(*p);
    const double a = std::max(xOf(s.from, layout), layout.left);
    const double b = std::min(xOf(s.to, layout), layout.right);
    if (b <= a)
        return {};
    const QRectF band = layout.band(static_cast<int>(path.size()));
    return QRectF(a, band.top(), b - a, band.height());
}

PeriodPath TimelinePicture::step(const PeriodPath& path, int direction) {
    if (path.empty() || !period(path))
        return path;
    const PeriodPath parentPath(path.begin(), path.end() - 1);
    const std::size_t count =
        parentPath.empty() ? list_.mahadasas.size() : childrenOf(*at(parentPath)).size();
    const int next = path.back() + direction;
    if (next >= 0 && next < static_cast<int>(count)) {
        PeriodPath moved = parentPath;
        moved.push_back(next);
        return moved;
    }
    if (parentPath.empty())
        return path;
    const PeriodPath parent = step(parentPath, direction);
    if (parent == parentPath)
        return path;
    const auto& children = childrenOf(*at(parent));
    if (children.empty())
        return path;
    PeriodPath moved = parent;
    moved.push_back(direction > 0 ? 0 : static_cast<int>(children.size()) - 1);
    return moved;
}

QString TimelinePicture::chainOf(const PeriodPath& path) {
    QStringList lords;
    for (std::size_t n = 1; n <= path.size(); ++n)
        if (const Period* p = period({path.begin(), path.begin() + static_cast<long>(n)}))
            lords << lordText(p->lord);
    return lords.join(QStringLiteral(" / "));
}

QString TimelinePicture::describe(const PeriodPath& path) {
    const Period* p = period(path);
    if (!p)
        return {};
    QString text = chainOf(path);
    if (p->startDate && p->endDate)
        text += QStringLiteral("\n%1 bis %2").arg(dateText(p->startDate), dateText(p->endDate));
    text += QStringLiteral("\nAlter bei Beginn: %1").arg(ageText(*p));
    return text;
}

QString TimelinePicture::announce(const PeriodPath& path) {
    return describe(path).replace('\n', QStringLiteral(", "));
}

QString TimelinePicture::describeDay(double day) const {
    const long long whole = static_cast<long long>(std::floor(day));
    const QString age =
        QStringLiteral("Alter %1")
            .arg(QString::fromStdString(ageText(AgeTriple::fromDays(
                ageOnDay(std::clamp<long long>(whole, 0, static_cast<long long>(life().to)))))));
    const std::optional<CivilDate> date = dateOfDay(day);
    return date ? dateText(date) + QStringLiteral(", ") + age : age;
}

// One picture being painted: the bars level by level, then what goes over them.
struct TimelinePicture::Painting {
    TimelinePicture& picture;
    QPainter& painter;
    const Layout& layout;
    const PeriodPath& current;
    QFontMetricsF metrics;
    std::array<double, 10> nameWidths{}, shortWidths{};
    std::vector<QRectF> runningBars;
    QRectF currentBar;
    PeriodPath path;
    double todayX = -1e9; // where the day's line is drawn; far off for none
    static constexpr double lineRoom = 6;

    Painting(TimelinePicture& t, QPainter& p, const Layout& l, const PeriodPath& c)
        : picture(t), painter(p), layout(l), current(c), metrics(t.font_) {
        if (const std::optional<double> day = t.today())
            todayX = std::round(t.xOf(*day + 0.5, l));
        for (int lord = 1; lord <= 9; ++lord) {
            nameWidths[static_cast<std::size_t>(lord)] = metrics.horizontalAdvance(lordText(lord));
            shortWidths[static_cast<std::size_t>(lord)] =
                metrics.horizontalAdvance(lordText(lord).left(3));
        }
    }

    void draw(Period& period, int level) {
        const DaySpan s = picture.spanOf(period);
        const DaySpan& view = picture.span_;
        if (s.to <= view.from || s.from >= view.to || s.to <= s.from)
            return;
        const double x0 = picture.xOf(s.from, layout), x1 = picture.xOf(s.to, layout);
        const double a = std::round(std::max(x0, layout.left));
        const double b = std::round(std::min(x1, layout.right));
        const QRectF band = layout.band(level);
        const QRectF bar(a, band.top(), std::max(b - a, 1.0), band.height());
        const QColor fill = barColor(period.lord);
        painter.fillRect(bar, fill);
        if (x0 > layout.left + 0.5)
            painter.fillRect(QRectF(a, band.top(), 1, band.height()), separator);
        label(bar, period.lord, fill);
        if (isRunning(picture.running_, path))
            runningBars.push_back(bar);
        if (path == current)
            currentBar = bar;
        if (level >= picture.depth_)
            return;
        if (x1 - x0 >= childrenFrom) {
            std::vector<Period>& children = picture.childrenOf(period);
            for (std::size_t i = 0; i < children.size(); ++i) {
                path.push_back(static_cast<int>(i));
                draw(children[i], level + 1);
                path.pop_back();
            }
            return;
        }
        // Too narrow for its children: the bands below carry its colour, pale and hatched.
        const QRectF below(a, layout.band(level + 1).top(), bar.width(),
                           layout.band(picture.depth_).bottom() - layout.band(level + 1).top());
        painter.fillRect(below, mixed(fill, tintBase, 0.4));
        painter.fillRect(below, QBrush(QColor(0, 0, 0, 30), Qt::BDiagPattern));
        if (x0 > layout.left + 0.5)
            painter.fillRect(QRectF(a, below.top(), 1, below.height()), tickColor);
    }

    // The lord's name, or its first three letters, where the bar has room for them; never
    // across the day's line, which would hide it.
    void label(const QRectF& bar, int lord, const QColor& fill) {
        if (bar.height() < metrics.ascent())
            return;
        const auto index = static_cast<std::size_t>(lord);
        const QString name = lordText(lord);
        const double widths[2] = {nameWidths[index], shortWidths[index]};
        // The parts of the bar the text may take: all of it, or the sides of the day's line.
        std::vector<std::pair<double, double>> parts{{bar.left(), bar.right()}};
        if (todayX > bar.left() && todayX < bar.right())
            parts = {{bar.left(), todayX - lineRoom}, {todayX + lineRoom, bar.right()}};
        for (int form = 0; form < 2; ++form) {
            const double width = widths[form];
            for (const auto& [left, right] : parts) {
                if (right - left < width + 6 - 2 * form)
                    continue;
                // In the middle of the bar where the part allows it, else in the part's middle.
                double x = bar.center().x() - width / 2;
                if (x < left + 2 || x + width > right - 2)
                    x = (left + right - width) / 2;
                painter.setPen(textOn(fill));
                const double baseline =
                    bar.top() + (bar.height() + metrics.ascent() - metrics.descent()) / 2;
                painter.drawText(QPointF(std::round(x), std::round(baseline)),
                                 form == 0 ? name : name.left(3));
                return;
            }
        }
    }
};

namespace {

QString calendarLabel(Unit unit, const CivilDate& d, bool full) {
    const QString month = QString::fromUtf8(monthNames[d.month - 1]);
    const QString year = QString::number(d.year);
    switch (unit) {
    case Unit::years:
        return year;
    case Unit::months:
        return full ? month + ' ' + year : d.month == 1 ? year : month;
    case Unit::days:
        if (full)
            return QStringLiteral("%1. %2 %3").arg(d.day).arg(month, year);
        return d.day != 1 ? QStringLiteral("%1.").arg(d.day) : d.month == 1 ? year : month;
    }
    return {};
}

QString ageLabel(Unit unit, int ageDays, bool full) {
    const int years = ageDays / 360, months = ageDays % 360 / 30, days = ageDays % 30;
    const QString y = QStringLiteral("%1 J.").arg(years), m = QStringLiteral("%1 M").arg(months),
                  d = QStringLiteral("%1 T").arg(days);
    switch (unit) {
    case Unit::years:
        return y;
    case Unit::months:
        return full ? y + ' ' + m : months == 0 ? y : m;
    case Unit::days:
        if (full)
            return y + ' ' + m + ' ' + d;
        return days != 0 ? d : months != 0 ? m : y;
    }
    return {};
}

// Whether a tick of the step falls on a day of a month (or of a month of age) numbered `day`,
// counted from 1 for the calendar and from 0 for ages.
bool onDayOfStep(int count, int day, int first) {
    return count == 1 || (day - first) % count == 0;
}

} // namespace

void TimelinePicture::paintAxis(QPainter& painter, const Layout& l) const {
    const QFontMetricsF metrics(small_);
    const double pixelsPerDay = (l.right - l.left) / span_.length();
    const double rowHeight = (l.axis.height() - 4) / 2;
    painter.setFont(small_);
    painter.setPen(axisText);
    const QString rowNames[2] = {QStringLiteral("Datum"), QStringLiteral("Alter")};
    for (int row = 0; row < 2; ++row)
        painter.drawText(
            QPointF(l.axis.left() + 6, std::round(l.axis.top() + 2 + row * rowHeight + 12)),
            rowNames[row]);
    painter.fillRect(QRectF(l.left, l.axis.top() + 1, l.right - l.left, 1), tickColor);

    // Draws one row's ticks; a label only where it does not run into the one before.
    auto drawRow = [&](int row, const std::vector<Tick>& ticks) {
        const double top = std::round(l.axis.top() + 2 + row * rowHeight);
        double lastRight = -1e9;
        bool first = true;
        for (const Tick& tick : ticks) {
            const double x = std::round(xOf(tick.day, l));
            if (x < l.left - 0.5 || x > l.right + 0.5)
                continue;
            painter.fillRect(QRectF(x, top, 1, 4), tickColor);
            const QString& text = first ? tick.fullLabel : tick.label;
            const double width = metrics.horizontalAdvance(text);
            if (x + 3 < lastRight + 8 || x + 3 + width > l.axis.right() - 2)
                continue;
            painter.setPen(axisText);
            painter.drawText(QPointF(x + 3, top + 12), text);
            lastRight = x + 3 + width;
            first = false;
        }
    };

    const long long from = static_cast<long long>(std::floor(span_.from));
    const long long to = static_cast<long long>(std::ceil(span_.to));
    if (list_.hasDates() && list_.birthDate) {
        const std::int64_t birth = daysFromCivil(*list_.birthDate);
        const Step& step = chooseStep(calendarSteps, pixelsPerDay, 44);
        std::vector<Tick> ticks;
        auto add = [&](const CivilDate& d) {
            const double day = static_cast<double>(daysFromCivil(d) - birth);
            if (day >= span_.from && day <= span_.to)
                ticks.push_back(
                    {day, calendarLabel(step.unit, d, false), calendarLabel(step.unit, d, true)});
        };
        const CivilDate first = civilFromDays(birth + from), last = civilFromDays(birth + to);
        switch (step.unit) {
        case Unit::years:
            for (int y = first.year; y <= last.year + 1; ++y)
                if (y % step.count == 0 && y <= lastYear)
                    add({y, 1, 1});
            break;
        case Unit::months:
            for (int y = first.year; y <= last.year; ++y)
                for (int m = 1; m <= 12; ++m)
                    if (onDayOfStep(step.count, m, 1))
                        add({y, m, 1});
            break;
        case Unit::days:
            for (long long d = from; d <= to; ++d) {
                const CivilDate date = civilFromDays(birth + d);
                if ((step.count == 1 || date.day != 31) && onDayOfStep(step.count, date.day, 1))
                    add(date);
            }
            break;
        }
        drawRow(0, ticks);
    } else {
        painter.setPen(tickColor);
        painter.drawText(QPointF(l.left + 3, std::round(l.axis.top() + 14)),
                         QStringLiteral("ohne Kalenderdaten"));
    }

    // Ages: years of 360 days, months of 30, on the calendar day on which they fall.
    const Step& step = chooseStep(ageSteps, pixelsPerDay, 44);
    const int firstAge = ageOnDay(std::max(0LL, from)), lastAge = ageOnDay(to) + 1;
    std::vector<Tick> ticks;
    const int unitDays = step.unit == Unit::years ? 360 : step.unit == Unit::months ? 30 : 1;
    for (int units = firstAge / unitDays; units * unitDays <= lastAge; ++units) {
        const int age = units * unitDays;
        const int number = step.unit == Unit::years    ? age / 360
                           : step.unit == Unit::months ? age % 360 / 30
                                                       : age % 30;
        if (!onDayOfStep(step.count, number, 0))
            continue;
        const double day = static_cast<double>(calendarDaysOfAge(age, list_.yearLength));
        if (day >= span_.from && day <= span_.to)
            ticks.push_back({day, ageLabel(step.unit, age, false), ageLabel(step.unit, age, true)});
    }
    drawRow(1, ticks);
}

void TimelinePicture::paintLegend(QPainter& painter, const Layout& l) const {
    const QFontMetricsF metrics(small_);
    painter.setFont(small_);
    double x = l.legend.left();
    const double top = l.legend.top() + 6, box = 12;
    auto fits = [&](double width) { return x + width <= l.legend.right(); };
    for (int lord = 1; lord <= 9; ++lord) {
        const QString name = lordText(lord);
        const double width = box + 4 + metrics.horizontalAdvance(name) + 12;
        if (!fits(width))
            return;
        painter.fillRect(QRectF(x, top, box, box), barColor(lord));
        painter.setPen(separator);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(x, top, box - 1, box - 1));
        painter.setPen(axisText);
        painter.drawText(QPointF(x + box + 4, top + 10), name);
        x += width;
    }
    const std::optional<double> day = today();
    if (day) {
        const QString text = QStringLiteral("heute, %1").arg(dateText(today_));
        const double width = 8 + metrics.horizontalAdvance(text) + 12;
        if (!fits(width))
            return;
        painter.fillRect(QRectF(x, top - 2, 3, box + 4), widgets::colors::white);
        painter.fillRect(QRectF(x + 1, top - 2, 1, box + 4), widgets::colors::black);
        painter.setPen(axisText);
        painter.drawText(QPointF(x + 8, top + 10), text);
        x += width;
    }
    const QString text = QStringLiteral("laufend");
    if (!running_.empty() && fits(box + 4 + metrics.horizontalAdvance(text))) {
        painter.fillRect(QRectF(x, top, box + 8, box), tintBase);
        painter.setPen(QPen(widgets::colors::black, 2));
        painter.drawRect(QRectF(x + 1, top + 1, box + 6, box - 2));
        painter.setPen(axisText);
        painter.drawText(QPointF(x + box + 12, top + 10), text);
    }
}

void TimelinePicture::paint(QPainter& painter, const QRectF& area, const QString& title,
                            const PeriodPath& current, bool focused) {
    const Layout l = layout(area, !title.isEmpty());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(area, background);
    painter.setFont(font_);
    const QFontMetricsF metrics(font_);

    if (!title.isEmpty()) {
        QFont bold = font_;
        bold.setPixelSize(13);
        bold.setBold(true);
        const QStringList lines = title.split('\n');
        painter.setPen(axisText);
        painter.setFont(bold);
        painter.drawText(QPointF(l.title.left(), l.title.top() + 12), lines.value(0));
        painter.setFont(font_);
        if (lines.size() > 1)
            painter.drawText(QPointF(l.title.left(), l.title.top() + 29),
                             lines.mid(1).join("  ·  "));
    }

    // The names of the bands and of the axis rows in the gutter.
    painter.setPen(axisText);
    for (int level = 1; level <= depth_; ++level) {
        const QRectF band = l.band(level);
        painter.drawText(
            QPointF(area.left() + 6, std::round(band.center().y() + metrics.ascent() / 2 - 1)),
            QString::fromUtf8(levelNames[level - 1]));
    }

    Painting painting(*this, painter, l, current);
    painter.save();
    painter.setClipRect(QRectF(l.left, l.bars.top(), l.right - l.left, l.bars.height()));
    for (std::size_t i = 0; i < list_.mahadasas.size(); ++i) {
        painting.path = {static_cast<int>(i)};
        painting.draw(list_.mahadasas[i], 1);
    }
    // The running periods outlined, black and white so that the outline shows on every colour.
    for (const QRectF& bar : painting.runningBars) {
        painter.setPen(QPen(widgets::colors::black, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(bar.adjusted(1, 1, -1, -1));
        painter.setPen(QPen(widgets::colors::white, 1));
        painter.drawRect(bar.adjusted(2.5, 2.5, -2.5, -2.5));
    }
    if (!painting.currentBar.isEmpty()) {
        painter.setPen(QPen(currentColor, focused ? 3 : 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(painting.currentBar.adjusted(focused ? 1.5 : 1, focused ? 1.5 : 1,
                                                      focused ? -1.5 : -1, focused ? -1.5 : -1));
    }
    painter.restore();

    paintAxis(painter, l);

    // The day's line over the bars down to the axis's ticks: black between two white lines.
    if (const double x = painting.todayX; x >= l.left && x <= l.right) {
        const double top = l.bars.top(), height = l.axis.top() + 6 - top;
        painter.fillRect(QRectF(x - 1, top, 3, height), widgets::colors::white);
        painter.fillRect(QRectF(x, top, 1, height), widgets::colors::black);
    }

    if (!title.isEmpty())
        paintLegend(painter, l);
    painter.restore();
}

} // namespace zeitrad::periodlist
