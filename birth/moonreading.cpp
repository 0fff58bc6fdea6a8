#include "birth/moonreading.h"

#include <QDate>
#include <QTime>

#include <cmath>

#include "birth/birth.h"
#include "engine/names.h"
#include "engine/periodtext.h"
#include "engine/tables.h"

namespace zeitrad::birth {

namespace {

constexpr double msPerDay = 86'400'000.0;

QString fromView(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())).trimmed();
}

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

QString momentText(const astronomy::Moment& m) {
    const QDate date(m.year, m.month, m.day);
    const QTime time = QTime(0, 0).addMSecs(static_cast<int>(std::floor(m.seconds * 1000)));
    // Before 1960 the clocks kept mean solar time at Greenwich, not yet UTC.
    const QString scale = m.year < 1960 ? "Weltzeit (UT)" : "UTC";
    return scale + ": " + date.toString("dd.MM.yyyy") + " " + time.toString("HH:mm:ss");
}

} // namespace

astronomy::Moment astronomyMoment(double utcMSecs) {
    const double days = std::floor(utcMSecs / msPerDay);
    const QDate date = QDate(1970, 1, 1).addDays(static_cast<qint64>(days));
    return {date.year(), date.month(), date.day(), (utcMSecs - days * msPerDay) / 1000.0};
}

QString ayanamsaText(const astronomy::Position& p, int civilYear) {
    if (p.ayanamsa == astronomy::Ayanamsa::zeitrad)
        return "Ayanamsa " + QString::number(civilYear) + ": " +
               fromStd(arcText(p.reading.ayanamsa / 10 * 10));
    return "Ayanamsa " + ayanamsaName(p.ayanamsa) + ": " +
           fromStd(arcText(std::llround(p.ayanamsaDegrees * 3600) * 10));
}

QString signLongitudeText(const astronomy::SignPosition& position) {
    const std::int64_t seconds = ((position.sign - 1) * 30 + position.degrees) * 3600 +
                                 position.minutes * 60 + position.seconds;
    return fromStd(longitudeText(seconds * 10));
}

Refused<MoonReading> readMoon(double utcMSecs, const QDate& civilDate,
                              astronomy::Ayanamsa ayanamsa) {
    const int civilYear = civilDate.year();
    const auto outcome = astronomy::position(astronomyMoment(utcMSecs), civilYear, ayanamsa);
    if (const auto* refusal = std::get_if<Refusal>(&outcome))
        return *refusal;
    const astronomy::Position& p = std::get<astronomy::Position>(outcome);
    const astronomy::SiderealReading& r = p.reading;

    MoonReading reading;
    reading.fields = astronomy::fieldsFor(p, civilDate.day(), civilDate.month(), civilDate.year());
    reading.longitude = p.longitude;
    reading.tropical = p.tropical;
    reading.ayanamsa = ayanamsa;
    reading.ayanamsaDegrees = p.ayanamsaDegrees;
    reading.siderealLongitude = std::fmod(p.longitude - p.ayanamsaDegrees + 720.0, 360.0);
    reading.nakshatra = r.nakshatra;
    // To the whole arc-second, as the calculation's nakshatra search sees them.
    reading.text = momentText(p.moment) + "\n" + "Mond tropisch: " + signLongitudeText(p.tropical) +
                   "\n" + "Mond siderisch (" + ayanamsaText(p, civilYear) +
                   "): " + fromStd(longitudeText(r.longitude / 10 * 10)) + "\n" +
                   "Nakshatra: " + fromStd(nakshatraText(r.nakshatra));

    // Birth times are often rounded; the whole overview hangs on the nakshatra.
    for (const int minutes : {-10, 10}) {
        const auto other = astronomy::position(astronomyMoment(utcMSecs + minutes * 60'000.0),
                                               civilYear, ayanamsa);
        const auto* shifted = std::get_if<astronomy::Position>(&other);
        if (!shifted || shifted->reading.nakshatra == r.nakshatra)
            continue;
        const QString name = fromView(nakshatraName[shifted->reading.nakshatra]);
        reading.text += minutes < 0 ? "\n10 Minuten früher stünde der Mond noch in " + name + "."
                                    : "\n10 Minuten später stünde der Mond schon in " + name + ".";
    }
    return reading;
}

} // namespace zeitrad::birth
