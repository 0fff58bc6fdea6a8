// The three pages of sign strips: four strips on the window, relabelled per page.
//
// A page covers four signs (120 degrees, nine nakshatras); each strip shows one sign with its
// degree scale, the sign bar, the nakshatras lying in it, their lords and the antardasas into
// which each nakshatra's arc divides. Because the lords repeat every 120 degrees the bars are the
// same on every page; only the four sign names and nine nakshatra names change.
#pragma once

#include <QObject>

#include <array>
#include <vector>

#include "widgets/label.h"
#include "widgets/panel.h"
#include "widgets/shape.h"

namespace zeitrad::screens {

// Arcs on a page are whole arc-seconds from the first point of the page's first sign, so that
// every nakshatra and antardasa boundary is exact.
namespace arc {
constexpr int second = 1;
constexpr int degree = 3600 * second;
constexpr int sign = 30 * degree;                // one strip
constexpr int nakshatra = 13 * degree + 20 * 60; // 13°20'
constexpr int perDasaYear = nakshatra / 120;     // 6'40" of a nakshatra for each year of dasa
constexpr int page = 4 * sign;
static_assert(perDasaYear * 120 == nakshatra);
static_assert(9 * nakshatra == page);
} // namespace arc

// The horizontal scale of a strip: the 30 degrees of its sign span x = 16 to 582.
constexpr int stripScaleLeft = 16;
constexpr int stripScaleWidth = 566;
constexpr int stripScaleRight = stripScaleLeft + stripScaleWidth;

// x of the point lying `arcSeconds` after the start of a strip's sign, rounded to the nearest
// pixel: x = 16 + degrees × 566 / 30.
constexpr int stripX(int arcSeconds) {
    return stripScaleLeft + (arcSeconds * stripScaleWidth + arc::sign / 2) / arc::sign;
}

// The five rows of a strip, in strip coordinates. A row's last pixel row is the first of the
// next, so neighbouring rows share their outline.
enum class StripRow { Degrees, Sign, Nakshatra, Lord, Antardasa };
struct RowPlace {
    int top;
    int height;
};
RowPlace rowPlace(StripRow row);

// One bar of a row: pixel columns left to right inclusive (neighbouring bars share the column
// between them), the planet whose colour fills it, and whether a sign boundary cuts the
// interval it stands for.
struct StripBar {
    int left = 0;
    int right = 0;
    int planet = 0;
    bool cut = false;
    friend bool operator==(const StripBar&, const StripBar&) = default;
};

// The bars of strip 1..4, left to right: one per nakshatra (or piece of one) lying in the
// strip's sign, coloured by its lord; and one per antardasa (or piece of one).
std::vector<StripBar> nakshatraBars(int strip);
std::vector<StripBar> antardasaBars(int strip);

// Left edges of the thirty degree cells, 20 × 17 pixels each.
extern const std::array<int, 30> degreeCellLeft;
constexpr int degreeCellWidth = 20;

// The fill colour of a planet's bars and labels, and the text colour of its labels.
QColor planetFill(int planet);
QColor planetTextColor(int planet);

// One sign strip: a panel that paints its cells and bars and carries the labels on them.
class SignStrip : public widgets::Panel {
    Q_OBJECT
public:
    // strip is 1..4, top to bottom.
    SignStrip(int strip, const QString& name, QWidget* window, int top, const QColor& color);
    int index() const { return strip_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int strip_;
    std::vector<StripBar> nakshatras_;
    std::vector<StripBar> antardasas_;
};

class StripPages : public QObject {
    Q_OBJECT
public:
    // Creates the strips Panel9, Panel11, Panel10 and Panel12 on the window, in that order.
    explicit StripPages(QWidget* window);

    void setVisible(bool visible);
    // Sets the thirteen captions of page 1, 2 or 3.
    void setPage(int page);

    // Strip 0..3, top to bottom.
    SignStrip* strip(int index) const { return strips_.at(static_cast<std::size_t>(index)); }

private:
    std::array<SignStrip*, 4> strips_{}; // top to bottom: Panel9, Panel11, Panel10, Panel12
    std::array<widgets::Label*, 13>
        captions_{}; // the page-dependent labels, in caption-table order
};

} // namespace zeitrad::screens
