#include "birth/moonreading.h"

#include <QDate>
#include <QTime>

#include <cmath>

#include "engine/names.h"
#include "engine/tables.h"

namespace zeitrad::birth {

namespace {

constexpr double msPerDay = 86'400'000.0;

QString fromView(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())).trimmed();
}

astronomy::Moment momentOf(double utcMSecs) {
    const double days = std::floor(utcMSecs / msPerDay);
    const QDate date = QDate(1970, 1, 1).addDays(static_cast<qint64>(days));
    return {date.year(), date.month(), date.day(), (utcMSecs - days * msPerDay) / 1000.0};
}

// A sidereal longitude in tenths of an arc-second, shown to the whole arc-second as the
// calculation's nakshatra search sees it.
QString siderealText(std::int64_t tenths) {
    const std::int64_t seconds = tenths / 10;
    const int sign = static_cast<int>(seconds / (30 * 3600)) + 1;
    const std::int64_t within = seconds % (30 * 3600);
    return signLongitudeText({sign, static_cast<int>(within / 3600),
                              static_cast<int>(within / 60 % 60), static_cast<int>(within % 60)});
}

QString arcText(std::int64_t tenths) {
    const std::int64_t seconds = tenths / 10;
    return QString("%1° %2′ %3″")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QChar('0'))
        .arg(seconds % 60, 2, 10, QChar('0'));
}

QString momentText(const astronomy::Moment& m) {
    const QDate date(m.year, m.month, m.day);
    const QTime time = QTime(0, 0).addMSecs(static_cast<int>(std::floor(m.seconds * 1000)));
    // Before 1960 the clocks kept mean solar time at Greenwich, not yet UTC.
    const QString scale = m.year < 1960 ? "Weltzeit (UT)" : "UTC";
    return scale + ": " + date.toString("dd.MM.yyyy") + " " + time.toString("HH:mm:ss");
}

} // namespace

QString signLongitudeText(const astronomy::SignPosition& position) {
    const std::string_view name = signName[position.sign];
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) +
           QString(" %1° %2′ %3″")
               .arg(position.degrees)
               .arg(position.minutes, 2, 10, QChar('0'))
               .arg(position.seconds, 2, 10, QChar('0'));
}

Refused<MoonReading> readMoon(double utcMSecs, const QDate& civilDate) {
    const int civilYear = civilDate.year();
    const auto outcome = astronomy::position(momentOf(utcMSecs), civilYear);
    if (const auto* refusal = std::get_if<Refusal>(&outcome))
        return *refusal;
    const astronomy::Position& p = std::get<astronomy::Position>(outcome);
    const astronomy::SiderealReading& r = p.reading;

    MoonReading reading;
    reading.fields =
        astronomy::fieldsFor(p.tropical, civilDate.day(), civilDate.month(), civilDate.year());
    reading.longitude = p.longitude;
    reading.tropical = p.tropical;
    reading.ayanamsa = r.ayanamsa;
    reading.nakshatra = r.nakshatra;
    const QString nakshatra = fromView(nakshatraName[r.nakshatra]);
    reading.text = momentText(p.moment) + "\n" + "Mond tropisch: " + signLongitudeText(p.tropical) +
                   "\n" + "Mond siderisch (Ayanamsa " + QString::number(civilYear) + ": " +
                   arcText(r.ayanamsa) + "): " + siderealText(r.longitude) + "\n" +
                   "Nakshatra: " + nakshatra + ", Herrscher " + fromView(planetName[r.lord]);

    // Birth times are often rounded; the whole overview hangs on the nakshatra.
    for (const int minutes : {-10, 10}) {
        const auto other = astronomy::position(momentOf(utcMSecs + minutes * 60'000.0), civilYear);
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
