#include "screens/strips.h"

#include <QPainter>

#include <algorithm>
#include <map>

#include "engine/tables.h"

namespace zeitrad::screens {

using namespace zeitrad::widgets;

namespace {

// The four strips, top to bottom, with their element colours.
struct StripPlan {
    const char* panel;
    int top;
    QColor panelColor;
    QColor barColor;
    const char* signLabel;
    int signLabelX;
    QColor signTextColor;
};
const std::array<StripPlan, 4> stripPlans = {{
    {"Panel9", 80, colors::maroon, colors::red, "Label273", 272, colors::black},        // fire
    {"Panel11", 208, colors::green, colors::olive, "Label308", 272, colors::black},     // earth
    {"Panel10", 336, colors::skyBlue, colors::skyBlue, "Label343", 256, colors::black}, // air
    {"Panel12", 464, colors::navy, colors::blue, "Label380", 272, colors::white},       // water
}};

// The labels of the nine nakshatras of a page: the name stands on the strip that holds the
// larger part of the nakshatra (the fifth, cut into equal halves, on strip 3); the lord's name
// below it keeps its caption on every page.
struct NakshatraLabels {
    const char* nameLabel;
    int strip;
    int nameX;
    const char* lordLabel;
    const char* lordText;
    int lordX;
};
const std::array<NakshatraLabels, 9> nakshatraLabels = {{
    {"Label305", 1, 116, "Label272", "KETU", 122},
    {"Label306", 1, 374, "Label304", "SUKRA", 379},
    {"Label340", 2, 77, "Label307", "SURYA", 90},
    {"Label341", 2, 318, "Label339", "CHANDRA", 313},
    {"Label375", 3, 23, "Label342", "MANGAL", 40},
    {"Label376", 3, 262, "Label374", "RAHU", 270},
    {"Label377", 3, 454, "Label378", "GURU", 467},
    {"Label413", 4, 198, "Label411", "SANI", 206},
    {"Label412", 4, 439, "Label379", "BUDDHA", 440},
}};

// The thirteen captions that change with the page: four sign names and nine nakshatra names.
struct PageCaption {
    const char* label;
    std::array<const char*, 3> pages;
};
const std::array<PageCaption, 13> pageCaptions = {{
    {"Label273", {"WIDDER", "LÖWE", "SCHÜTZE"}},
    {"Label305", {"ASWINI", "MAGHA", "MULA"}},
    {"Label306", {"BARINI", "PURVA PHALGUNI", "PURVA ASHADHA"}},
    {"Label308", {"STIER", "JUNGFRAU", "STEINBOCK"}},
    {"Label340", {"KRITTIKA", "UTTARA PHALGUNI", "UTTARA ASHADHA"}},
    {"Label341", {"ROHINI", "HASTA", "SHRAVANA"}},
    {"Label343", {"ZWILLINGE", "WAAGE", "WASSERMANN"}},
    {"Label375", {"MIGRASHIRA", "CHITRA", "DHANISHTA"}},
    {"Label376", {"ARIDRA", "SWATI", "SHATABISHA"}},
    {"Label377", {"PURNAVASHU", "VISHAKHA", "PURVA BHADRA"}},
    {"Label380", {"KREBS", "SKORPION", "FISCHE"}},
    {"Label413", {"PUSHYA", "ANURADHA", "UTTARA BHADRA"}},
    {"Label412", {"ASLESHA", "JYESHTA", "REVATI"}},
}};

// Label tops within a strip.
constexpr int signLabelY = 40;
constexpr int nameLabelY = 66;
constexpr int lordLabelY = 82;
constexpr int degreeLabelY = 18;
constexpr int degreeLabelYTwoDigits = 17; // "10" to "15" stand one pixel higher
constexpr int whiteDegree = 16;           // the one degree number on white instead of cream

// Text colour of a planet's labels, so that the name reads on the planet's colour.
const std::array<QColor, 10> labelText = {
    colors::black,
    colors::white, // Ketu
    colors::black, // Sukra
    colors::black, // Surya
    colors::black, // Chandra
    colors::white, // Mangal
    colors::black, // Rahu
    colors::white, // Guru
    colors::white, // Sani
    colors::black, // Buddha
};

// An interval of a page's arc that one bar stands for.
struct Interval {
    int start;
    int end;
    int planet;
};

// Cuts the intervals at the edges of strip s and turns what lies in it into bars.
std::vector<StripBar> barsInStrip(const std::vector<Interval>& intervals, int strip) {
    const int stripStart = (strip - 1) * arc::sign;
    const int stripEnd = strip * arc::sign;
    std::vector<StripBar> bars;
    for (const Interval& interval : intervals) {
        if (interval.end <= stripStart || interval.start >= stripEnd)
            continue;
        const int from = std::max(interval.start, stripStart) - stripStart;
        const int to = std::min(interval.end, stripEnd) - stripStart;
        const bool cut = interval.start < stripStart || interval.end > stripEnd;
        bars.push_back({stripX(from), stripX(to), interval.planet, cut});
    }
    return bars;
}

// Nakshatra k of a page (1..9) covers (k - 1) to k nakshatra arcs; its lord is planet k.
std::vector<Interval> pageNakshatras() {
    std::vector<Interval> intervals;
    for (int k = 1; k <= planetCount; ++k)
        intervals.push_back({(k - 1) * arc::nakshatra, k * arc::nakshatra, k});
    return intervals;
}

// Within nakshatra k the nine antardasas run in dasa order from its lord, each taking its
// planet's share of the nakshatra: 6'40" for every year of its dasa.
std::vector<Interval> pageAntardasas() {
    std::vector<Interval> intervals;
    for (int k = 1; k <= planetCount; ++k) {
        int start = (k - 1) * arc::nakshatra;
        int planet = k;
        for (int i = 0; i < planetCount; ++i) {
            const int end = start + dasaYears[static_cast<std::size_t>(planet)] * arc::perDasaYear;
            intervals.push_back({start, end, planet});
            start = end;
            planet = advanceWithWrap(planet);
        }
    }
    return intervals;
}

// A filled rectangle with a one-pixel black outline over columns left..right inclusive.
void paintBar(QPainter& p, int left, int right, RowPlace row, const QColor& fill) {
    const QRect outer(left, row.top, right - left + 1, row.height);
    p.fillRect(outer, colors::black);
    p.fillRect(outer.adjusted(1, 1, -1, -1), fill);
}

} // namespace

RowPlace rowPlace(StripRow row) {
    switch (row) {
    case StripRow::Degrees:
        return {16, 17};
    case StripRow::Sign:
        return {32, 33};
    case StripRow::Nakshatra:
        return {64, 17};
    case StripRow::Lord:
        return {80, 17};
    case StripRow::Antardasa:
        return {96, 17};
    }
    return {0, 0};
}

std::vector<StripBar> nakshatraBars(int strip) {
    return barsInStrip(pageNakshatras(), strip);
}

std::vector<StripBar> antardasaBars(int strip) {
    return barsInStrip(pageAntardasas(), strip);
}

const std::array<int, 30> degreeCellLeft = {
    16,  35,  54,  72,  91,  109, 128, 147, 166, 185, 204, 223, 242, 261, 280,
    299, 318, 336, 355, 373, 392, 411, 430, 449, 468, 487, 506, 525, 543, 562,
};

QColor planetTextColor(int planet) {
    return labelText.at(static_cast<std::size_t>(planet));
}

// ---------------------------------------------------------------------------------------------

SignStrip::SignStrip(int strip, const QString& name, QWidget* window, int top, const QColor& color)
    : Panel(name, window, QRect(120, top, 601, 129), color), strip_(strip),
      nakshatras_(nakshatraBars(strip)), antardasas_(antardasaBars(strip)) {}

void SignStrip::paintEvent(QPaintEvent* event) {
    Panel::paintEvent(event);
    QPainter p(this);

    const RowPlace degrees = rowPlace(StripRow::Degrees);
    for (int left : degreeCellLeft)
        paintBar(p, left, left + degreeCellWidth - 1, degrees, colors::white);

    const StripPlan& plan = stripPlans.at(static_cast<std::size_t>(strip_ - 1));
    paintBar(p, stripScaleLeft, stripScaleRight, rowPlace(StripRow::Sign), plan.barColor);

    for (const StripBar& bar : nakshatras_) {
        paintBar(p, bar.left, bar.right, rowPlace(StripRow::Nakshatra), planetQColor(bar.planet));
        paintBar(p, bar.left, bar.right, rowPlace(StripRow::Lord), planetQColor(bar.planet));
    }
    for (const StripBar& bar : antardasas_)
        paintBar(p, bar.left, bar.right, rowPlace(StripRow::Antardasa), planetQColor(bar.planet));
}

// ---------------------------------------------------------------------------------------------

StripPages::StripPages(QWidget* window) : QObject(window) {
    QFont bold = windowFont();
    bold.setBold(true);
    std::map<QString, Label*> named; // the labels whose captions change with the page

    for (std::size_t i = 0; i < strips_.size(); ++i) {
        const StripPlan& plan = stripPlans[i];
        auto* strip =
            new SignStrip(static_cast<int>(i) + 1, plan.panel, window, plan.top, plan.panelColor);
        strips_[i] = strip;

        // Degree numbers, centred in their cells.
        for (std::size_t d = 1; d <= degreeCellLeft.size(); ++d) {
            const int degree = static_cast<int>(d);
            const int y = degree >= 10 && degree <= 15 ? degreeLabelYTwoDigits : degreeLabelY;
            auto* number = new Label({}, strip, QPoint(0, y), QString::number(degree), windowFont(),
                                     colors::windowText,
                                     degree == whiteDegree ? colors::white : colors::cream);
            number->move(degreeCellLeft[d - 1] + (degreeCellWidth - number->width()) / 2, y);
        }

        named[plan.signLabel] =
            new Label(plan.signLabel, strip, QPoint(plan.signLabelX, signLabelY), {}, bold,
                      plan.signTextColor, plan.barColor);

        for (std::size_t k = 0; k < nakshatraLabels.size(); ++k) {
            const NakshatraLabels& n = nakshatraLabels[k];
            if (n.strip != strip->index())
                continue;
            const int lord = static_cast<int>(k) + 1;
            named[n.nameLabel] = new Label(n.nameLabel, strip, QPoint(n.nameX, nameLabelY), {},
                                           bold, planetTextColor(lord), planetQColor(lord));
            new Label(n.lordLabel, strip, QPoint(n.lordX, lordLabelY), n.lordText, windowFont(),
                      planetTextColor(lord), planetQColor(lord));
        }
    }

    for (std::size_t i = 0; i < pageCaptions.size(); ++i)
        captions_[i] = named.at(pageCaptions[i].label);
    setPage(1);
}

void StripPages::setVisible(bool visible) {
    for (Panel* strip : strips_)
        strip->setVisible(visible);
}

void StripPages::setPage(int page) {
    if (page < 1 || page > 3)
        return;
    for (std::size_t i = 0; i < pageCaptions.size(); ++i)
        captions_[i]->setText(
            QString::fromUtf8(pageCaptions[i].pages[static_cast<std::size_t>(page - 1)]));
}

} // namespace zeitrad::screens
