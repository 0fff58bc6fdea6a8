#include "astronomy/moon.h"

#include <array>
#include <cmath>

#include <erfa.h>
#include <erfam.h>

#include "astronomy/ephemeris.h"
#include "engine/input.h"
#include "engine/tables.h"

namespace zeitrad::astronomy {

namespace {

constexpr double secondsPerDay = ERFA_DAYSEC;
constexpr int firstUtcYear = 1960;
// The ephemeris's data files begin at 1 January 1800, 0h TT; the Moon's light time reaches a
// second and a half before the instant asked for.
constexpr double firstCoveredTT = 2378496.5 + 2.0 / secondsPerDay;

// One piece of the Delta T polynomials: from its first decimal year on (up to the next piece),
// Delta T = sum of c[k] * t^k seconds with t = y - epoch.
struct DeltaTPiece {
    double from;
    double epoch;
    std::array<double, 8> c;
};

// The pieces for 1800 to 1961, as published by Espenak and Meeus (Five Millennium Canon of Solar
// Eclipses). The first one also serves the last hours of 1799 that a time zone east of Greenwich
// reaches from a birth on 1 January 1800.
constexpr std::array<DeltaTPiece, 5> deltaTPieces = {{
    {1800,
     1800,
     {13.72, -0.332447, 0.0068612, 0.0041116, -0.00037436, 0.0000121272, -0.0000001699,
      0.000000000875}},
    {1860, 1860, {7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1.0 / 233174}},
    {1900, 1900, {-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197}},
    {1920, 1920, {21.20, 0.84493, -0.076100, 0.0020936}},
    {1941, 1950, {29.07, 0.407, -1.0 / 233, 1.0 / 2547}},
}};

std::string dateText(const Moment& m) {
    return std::to_string(m.day) + "." + std::to_string(m.month) + "." + std::to_string(m.year);
}

} // namespace

std::string yearOutOfRangeMessage(int year) {
    return "Das Jahr " + std::to_string(year) + " liegt außerhalb des unterstützten Bereichs " +
           std::to_string(firstYear) + "–" + std::to_string(lastYear) + ".";
}

std::optional<Moment> normalised(const Moment& moment) {
    double djm0 = 0, mjd = 0;
    if (!std::isfinite(moment.seconds) ||
        eraCal2jd(moment.year, moment.month, moment.day, &djm0, &mjd) != 0) {
        return std::nullopt;
    }
    double days = std::floor(moment.seconds / secondsPerDay);
    double seconds = moment.seconds - days * secondsPerDay;
    if (seconds >= secondsPerDay) { // a tiny negative time rounded up to a whole day
        seconds -= secondsPerDay;
        days += 1;
    }
    Moment out;
    double fraction = 0;
    if (eraJd2cal(djm0, mjd + days, &out.year, &out.month, &out.day, &fraction) != 0) {
        return std::nullopt;
    }
    out.seconds = seconds;
    return out;
}

double deltaT(int year, int month) {
    const double y = year + (month - 0.5) / 12;
    const DeltaTPiece* piece = &deltaTPieces.front();
    for (const DeltaTPiece& p : deltaTPieces) {
        if (y >= p.from) {
            piece = &p;
        }
    }
    const double t = y - piece->epoch;
    double sum = 0;
    for (auto c = piece->c.rbegin(); c != piece->c.rend(); ++c) {
        sum = sum * t + *c;
    }
    return sum;
}

JulianDate terrestrialTime(const Moment& m) {
    JulianDate tt;
    if (m.year >= firstUtcYear) {
        // ERFA counts a UTC day with a leap second as 86,401 s long; a normalised moment never
        // names that extra second, so its fields convert as they are. Its status +1 only warns
        // that the leap second table may be out of date for the year: no further leap seconds
        // are assumed after its last one.
        const int hours = static_cast<int>(m.seconds / 3600);
        const int minutes = static_cast<int>((m.seconds - 3600.0 * hours) / 60);
        const double seconds = m.seconds - 3600.0 * hours - 60.0 * minutes;
        double utc1 = 0, utc2 = 0, tai1 = 0, tai2 = 0;
        eraDtf2d("UTC", m.year, m.month, m.day, hours, minutes, seconds, &utc1, &utc2);
        eraUtctai(utc1, utc2, &tai1, &tai2);
        eraTaitt(tai1, tai2, &tt.first, &tt.second);
        return tt;
    }
    double mjd = 0;
    eraCal2jd(m.year, m.month, m.day, &tt.first, &mjd);
    tt.second = mjd + (m.seconds + deltaT(m.year, m.month)) / secondsPerDay;
    return tt;
}

namespace {

// Libraries that a window program loads may leave the upper halves of the AVX registers in use.
// The ephemeris's nutation series then runs several times slower, since each of its SSE
// instructions has to merge with those stale halves. Clearing them first costs a single
// instruction. This code itself keeps no values in the upper halves.
void clearUpperVectorHalves() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx)
        __asm__ volatile("vzeroupper");
#endif
}

} // namespace

Refused<double> apparentLongitude(JulianDate tt) {
    clearUpperVectorHalves();
    return moonLongitude(tt.first, tt.second);
}

SignPosition roundToArcSecond(double longitude) {
    constexpr long long secondsPerCircle = 360LL * 3600;
    // A half arc-second given in degrees is seldom exact in binary (59.5″ comes out as
    // 59.49999999999″): a millionth of an arc-second below a half still counts as the half.
    constexpr double halfTolerance = 1e-6;
    long long total =
        std::llround(std::fmod(longitude, 360.0) * 3600 + halfTolerance) % secondsPerCircle;
    if (total < 0) {
        total += secondsPerCircle;
    }
    SignPosition p;
    p.sign = static_cast<int>(total / (30 * 3600)) + 1;
    p.degrees = static_cast<int>(total / 3600 % 30);
    p.minutes = static_cast<int>(total / 60 % 60);
    p.seconds = static_cast<int>(total % 60);
    return p;
}

SiderealReading siderealReading(const SignPosition& tropical, int civilYear) {
    SiderealReading r;
    r.ayanamsa = ayanamsaForYear(civilYear);
    const std::int64_t degrees = std::int64_t{tropical.degrees} + signDegrees(tropical.sign);
    r.longitude =
        siderealFromTropical(arcOf(degrees, tropical.minutes, tropical.seconds), r.ayanamsa);
    r.nakshatra = static_cast<int>(r.longitude / tenthsPerNakshatra) + 1;
    r.lord = nakshatraLord(r.nakshatra);
    return r;
}

BirthInput fieldsFor(const Position& position, int day, int month, int year) {
    if (position.ayanamsa == Ayanamsa::zeitrad)
        return fieldsFor(position.tropical, day, month, year);
    BirthInput in = fieldsFor(position.sidereal, day, month, year);
    in.tropical = false;
    return in;
}

BirthInput fieldsFor(const SignPosition& tropical, int day, int month, int year) {
    BirthInput in;
    in.day = std::to_string(day);
    in.month = std::to_string(month);
    in.year = std::to_string(year);
    in.degrees = std::to_string(tropical.degrees);
    in.minutes = std::to_string(tropical.minutes);
    in.seconds = std::to_string(tropical.seconds);
    in.sign = tropical.sign;
    in.tropical = true;
    return in;
}

std::variant<Position, Refusal> position(const Moment& moment, int civilYear, Ayanamsa ayanamsa) {
    if (civilYear < firstYear || civilYear > lastYear) {
        return Refusal{yearOutOfRangeMessage(civilYear)};
    }
    const std::optional<Moment> m = normalised(moment);
    if (!m) {
        return Refusal{std::isfinite(moment.seconds)
                           ? "Das Datum " + dateText(moment) + " gibt es nicht."
                           : std::string("Die Uhrzeit ist keine Zahl.")};
    }
    if (m->year < firstYear - 1 || m->year > lastYear + 1) {
        return Refusal{yearOutOfRangeMessage(m->year)};
    }
    Position p;
    p.moment = *m;
    p.ayanamsa = ayanamsa;
    const JulianDate tt = terrestrialTime(*m);
    if (tt.first + tt.second < firstCoveredTT)
        return Refusal{"Der Zeitpunkt liegt vor dem 1. Januar 1800, 0 Uhr; so weit reichen die "
                       "Ephemeridendateien nicht zurück."};
    const Refused<double> longitude = apparentLongitude(tt);
    if (const auto* refusal = std::get_if<Refusal>(&longitude))
        return *refusal;
    p.longitude = std::get<double>(longitude);
    p.tropical = roundToArcSecond(p.longitude);
    if (ayanamsa == Ayanamsa::zeitrad) {
        p.reading = siderealReading(p.tropical, civilYear);
        p.ayanamsaDegrees = double(p.reading.ayanamsa) / 36'000;
        p.sidereal = roundToArcSecond(double(p.reading.longitude) / 36'000);
        return p;
    }
    const Refused<double> degrees = ayanamsaAt(ayanamsa, tt.first, tt.second);
    if (const auto* refusal = std::get_if<Refusal>(&degrees))
        return *refusal;
    p.ayanamsaDegrees = std::get<double>(degrees);
    p.sidereal = roundToArcSecond(std::fmod(p.longitude - p.ayanamsaDegrees + 720.0, 360.0));
    // The fields hold the sidereal position, "tropisch" unticked: the calculation takes it as it
    // stands.
    SiderealReading& r = p.reading;
    r.ayanamsa = std::llround(p.ayanamsaDegrees * 36'000);
    r.longitude = arcOf(std::int64_t{p.sidereal.degrees} + signDegrees(p.sidereal.sign),
                        p.sidereal.minutes, p.sidereal.seconds);
    r.nakshatra = static_cast<int>(r.longitude / tenthsPerNakshatra) + 1;
    r.lord = nakshatraLord(r.nakshatra);
    return p;
}

} // namespace zeitrad::astronomy
