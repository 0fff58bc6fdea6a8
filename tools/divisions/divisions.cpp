#include "tools/divisions/divisions.h"

#include <cmath>

namespace zeitrad::divisions {

// The parts of a division of sign, in order from 0 degrees.
std::vector<Part> divisionParts(int divisor, int sign) {
    std::vector<Part> parts;
    if (divisor == 30) {
        // Trimsamsa: five unequal parts.
        struct Span {
            double to;
            int sign;
        };
        constexpr std::array<Span, 5> odd{
            {{5, Aries}, {10, Aquarius}, {18, Sagittarius}, {25, Gemini}, {30, Libra}}};
        constexpr std::array<Span, 5> even{
            {{5, Taurus}, {12, Virgo}, {20, Pisces}, {25, Capricorn}, {30, Scorpio}}};
        double from = 0;
        for (const Span& span : isOdd(sign) ? odd : even) {
            parts.push_back({from, span.to, span.sign, Mark::None});
            from = span.to;
        }
        return parts;
    }
    const int first = firstPartSign(divisor, sign);
    const int step = partStep(divisor, sign);
    for (int k = 0; k < divisor; ++k) {
        const Mark mark = divisor == 60 ? sixtiethMark(k + 1, sign) : Mark::None;
        parts.push_back(
            {30.0 * k / divisor, 30.0 * (k + 1) / divisor, signAfter(first, k * step), mark});
    }
    return parts;
}

// The pixel column of the boundary at degrees (0 to 30).
int boundaryX(double degrees) {
    return chartLeft + static_cast<int>(std::lround(degrees * chartWidth / 30.0));
}

// The pixels between a part's boundary columns and its row's lines.
QRect partRect(int row, const Part& part) {
    const int left = boundaryX(part.from) + 1;
    const int right = boundaryX(part.to) - 1;
    return QRect(left, rowLineY(row) + 1, right - left + 1, rowPitch - 1);
}

} // namespace zeitrad::divisions
