// The divisional charts of one sign and the geometry of the divisions chart picture
// (divisions.jpg, 711 x 176). The chart shows one 30-degree sign, Aries, one row per division from
// the whole sign down to the sixtieth part; each part is filled in the colour of the sign it falls
// in. The picture generator draws the chart from it, and the tests compute from it where to probe
// the picture.
#pragma once

#include <QColor>
#include <QRect>
#include <QSize>

#include <array>
#include <string_view>
#include <vector>

namespace zeitrad::divisions {

// Signs are numbered 1 Aries ... 12 Pisces.
enum Sign : int {
    Aries = 1,
    Taurus,
    Gemini,
    Cancer,
    Leo,
    Virgo,
    Libra,
    Scorpio,
    Sagittarius,
    Capricorn,
    Aquarius,
    Pisces,
};
constexpr int signCount = 12;

enum class Element { Fire, Earth, Air, Water };
enum class Modality { Movable, Fixed, Dual };

// Aries fire, Taurus earth, Gemini air, Cancer water, and so on round the zodiac.
constexpr Element element(int sign) {
    return static_cast<Element>((sign - 1) % 4);
}
// Aries movable, Taurus fixed, Gemini dual, and so on.
constexpr Modality modality(int sign) {
    return static_cast<Modality>((sign - 1) % 3);
}
constexpr bool isOdd(int sign) {
    return sign % 2 == 1;
}

// The sign count places on from sign (count may be negative): the 5th from Aries is
// signAfter(Aries, 4) = Leo.
constexpr int signAfter(int sign, int count) {
    return ((sign - 1 + count) % signCount + signCount) % signCount + 1;
}

// Fire red, earth lime, air yellow, water aqua, as on the input screen.
constexpr QRgb elementColour(Element e) {
    switch (e) {
    case Element::Fire:
        return 0xFFFF0000;
    case Element::Earth:
        return 0xFF00FF00;
    case Element::Air:
        return 0xFFFFFF00;
    case Element::Water:
        return 0xFF00FFFF;
    }
    return 0xFF000000;
}
constexpr QRgb signColour(int sign) {
    return elementColour(element(sign));
}

// The zodiac glyph of a sign, U+2648 ... U+2653.
constexpr char16_t signGlyph(int sign) {
    return static_cast<char16_t>(0x2647 + sign);
}

struct Division {
    std::string_view name;
    int divisor;
};

// The rows of the chart, top to bottom.
constexpr std::array<Division, 16> divisionRows{{
    {"Rasi", 1},
    {"Hora", 2},
    {"Drekkana", 3},
    {"Chaturthamsa", 4},
    {"Saptamsa", 7},
    {"Navamsa", 9},
    {"Dasamsa", 10},
    {"Dvadasamsa", 12},
    {"Shodasamsa", 16},
    {"Vimsamsa", 20},
    {"Chaturvimsamsa", 24},
    {"Saptavimsamsa", 27},
    {"Trimsamsa", 30},
    {"Khavedamsa", 40},
    {"Akshavedamsa", 45},
    {"Shashtiamsa", 60},
}};
constexpr int rowCount = static_cast<int>(divisionRows.size());

// The sign that the first part of a division of sign falls in, for the divisions whose parts are
// equal. Later parts follow by partStep.
constexpr int firstPartSign(int divisor, int sign) {
    const bool odd = isOdd(sign);
    switch (divisor) {
    case 2: // odd signs: Leo, then Cancer; even signs: Cancer, then Leo
        return odd ? Leo : Cancer;
    case 7: // odd signs from the sign itself, even signs from the 7th
        return odd ? sign : signAfter(sign, 6);
    case 9: { // fire from Aries, earth from Capricorn, air from Libra, water from Cancer
        constexpr std::array<int, 4> start{Aries, Capricorn, Libra, Cancer};
        return start[static_cast<int>(element(sign))];
    }
    case 10: // odd signs from the sign itself, even signs from the 9th
        return odd ? sign : signAfter(sign, 8);
    case 16: // movable from Aries, fixed from Leo, dual from Sagittarius
    case 45: {
        constexpr std::array<int, 3> start{Aries, Leo, Sagittarius};
        return start[static_cast<int>(modality(sign))];
    }
    case 20: { // movable from Aries, fixed from Sagittarius, dual from Leo
        constexpr std::array<int, 3> start{Aries, Sagittarius, Leo};
        return start[static_cast<int>(modality(sign))];
    }
    case 24: // odd signs from Leo, even signs from Cancer
        return odd ? Leo : Cancer;
    case 27: { // fire from Aries, earth from Cancer, air from Libra, water from Capricorn
        constexpr std::array<int, 4> start{Aries, Cancer, Libra, Capricorn};
        return start[static_cast<int>(element(sign))];
    }
    case 40: // odd signs from Aries, even signs from Libra
        return odd ? Aries : Libra;
    default: // Rasi, Drekkana, Chaturthamsa, Dvadasamsa, Shashtiamsa: from the sign itself
        return sign;
    }
}

// How many signs on each part lies from the one before it.
constexpr int partStep(int divisor, int sign) {
    switch (divisor) {
    case 2: // Leo then Cancer, or Cancer then Leo
        return isOdd(sign) ? -1 : 1;
    case 3: // the sign, the 5th and the 9th
        return 4;
    case 4: // the sign, the 4th, the 7th and the 10th
        return 3;
    default:
        return 1;
    }
}

// The nature of a sixtieth part: benefic parts are marked "+", malefic ones "−".
enum class Mark { None, Benefic, Malefic };

// Benefic sixtieth parts of an odd sign, numbered from 1 at 0 degrees; even signs run backwards.
constexpr std::array<int, 33> beneficSixtieths{3,  4,  5,  6,  13, 14, 17, 18, 19, 20, 21,
                                               22, 23, 24, 25, 26, 27, 28, 29, 37, 38, 39,
                                               45, 46, 47, 49, 50, 53, 54, 56, 57, 58, 60};

constexpr Mark sixtiethMark(int part, int sign) {
    const int oddPart = isOdd(sign) ? part : 61 - part;
    for (int benefic : beneficSixtieths) {
        if (benefic == oddPart) {
            return Mark::Benefic;
        }
    }
    return Mark::Malefic;
}

// One part of a division: from and to in degrees within the sign.
struct Part {
    double from;
    double to;
    int sign;
    Mark mark;
};

// The parts of a division of sign, in order from 0 degrees.
std::vector<Part> divisionParts(int divisor, int sign = Aries);

// Geometry of the picture. The chart area spans chartWidth pixels for 30 degrees; a part
// boundary at d degrees is the one-pixel black column x = chartLeft + d * chartWidth / 30,
// rounded to the nearest pixel. Rows are rowPitch pixels apart: a black line at the top of each
// row, then rowPitch - 1 pixels of fill; a last black line closes the chart.
constexpr QSize pictureSize{711, 176};
constexpr int visibleWidth = 705; // the screen cuts off the rightmost columns
constexpr int chartLeft = 3;
constexpr int chartWidth = 600;
constexpr int chartTop = 1;
constexpr int rowPitch = 10;

// The pixel column of the boundary at degrees (0 to 30).
int boundaryX(double degrees);

// The y of the black line above row (0-based); rowLineY(rowCount) is the chart's bottom line.
constexpr int rowLineY(int row) {
    return chartTop + row * rowPitch;
}

// The rectangle between the row's lines, across the whole chart width.
constexpr QRect rowRect(int row) {
    return QRect(chartLeft + 1, rowLineY(row) + 1, chartWidth - 1, rowPitch - 1);
}

// The pixels between a part's boundary columns and its row's lines.
QRect partRect(int row, const Part& part);

// The chart area, outer lines included.
constexpr QRect chartRect() {
    return QRect(chartLeft, chartTop, chartWidth + 1, rowCount * rowPitch + 1);
}

// The division names and divisors stand right of the chart, within the visible columns.
constexpr QRect labelRect(int row) {
    return QRect(chartLeft + chartWidth + 6, rowLineY(row),
                 visibleWidth - 2 - (chartLeft + chartWidth + 6), rowPitch + 1);
}

// The degree scale under the chart.
constexpr QRect scaleRect() {
    const int top = rowLineY(rowCount) + 1;
    return QRect(0, top, pictureSize.width(), pictureSize.height() - top);
}

} // namespace zeitrad::divisions
