#include "app/furniture.h"

#include "engine/tables.h"

namespace zeitrad::app {

using namespace zeitrad::widgets;

namespace {

// The period bar: one bar per planet in dasa order, each about 4.1 px a year long.
struct PeriodBar {
    int left, width;
};
constexpr PeriodBar periodBars[planetCount] = {
    {168, 29}, {197, 83}, {279, 25}, {302, 41}, {342, 29},
    {370, 75}, {445, 66}, {509, 79}, {588, 70},
};

struct LegendEntry {
    const char* name;
    int left;
    const char* caption;
    QColor background;
    QColor text;
};

} // namespace

Furniture::Furniture(QWidget* window) {
    for (int planet = 1; planet <= planetCount; ++planet) {
        const PeriodBar& bar = periodBars[planet - 1];
        new Shape(QString("PeriodBar%1").arg(planet), window, QRect(bar.left, 648, bar.width, 20),
                  planetQColor(planet));
    }

    shape183_ = new Shape("Shape183", window, QRect(32, 40, 769, 25), colors::white);
    shape183_->hide();
}

void Furniture::addLabels(QWidget* lowestControl) {
    QWidget* window = lowestControl->parentWidget();
    // Empty until the first calculation, and lying under the start screen until then.
    label261_ = new Label("Label261", window, QPoint(664, 664), QString(), tahoma(14),
                          colors::fuchsia, colors::purple);
    label261_->stackUnder(lowestControl);
    label261_->show(); // made after the window was shown

    const LegendEntry entries[] = {
        {"Label247", 34, " Surya - Sonne", colors::yellow, colors::windowText},
        {"Label263", 107, "Chandra - Mond", colors::white, colors::windowText},
        {"Label264", 186, "  Mangal - Mars  ", colors::red, colors::white},
        {"Label265", 268, "  Rahu - aufst. MKN  ", colors::fuchsia, colors::windowText},
        {"Label266", 370, "  Guru - Jupiter  ", colors::navy, colors::yellow},
        {"Label267", 451, "  Sani - Saturn  ", colors::black, colors::silver},
        {"Label268", 527, "  Buddha - Merkur  ", colors::skyBlue, colors::windowText},
        {"Label269", 621, "  Ketu - abst. MKN  ", colors::purple, colors::grey},
        {"Label270", 717, "Sukra - Venus  ", colors::lime, colors::windowText},
    };
    for (const LegendEntry& e : entries) {
        auto* label = new Label(e.name, window, QPoint(e.left, 46), e.caption, windowFont(), e.text,
                                e.background);
        label->hide();
        label->stackUnder(lowestControl);
        legend_.append(label);
    }
}

} // namespace zeitrad::app
