#include "birth/unknowntime.h"

#include <QTimeZone>

#include <cmath>

#include "astronomy/moon.h"
#include "birth/birth.h"
#include "birth/moment.h"
#include "birth/moonreading.h"
#include "engine/names.h"
#include "engine/tables.h"

namespace zeitrad::birth {

namespace {

// The Moon at a moment in ms on the civil time scale.
Refused<astronomy::Position> moonAt(double utcMSecs, int civilYear, astronomy::Ayanamsa ayanamsa) {
    return astronomy::position(astronomyMoment(utcMSecs), civilYear, ayanamsa);
}

QString signText(const astronomy::SignPosition& p) {
    return QStringLiteral("%1 %2°%3′")
        .arg(QString::fromUtf8(signName[p.sign]))
        .arg(p.degrees)
        .arg(p.minutes, 2, 10, QLatin1Char('0'));
}

// The local clock time (to the minute) of a moment on the birth's clocks.
QString localTimeText(double utcMSecs, const Clocks& clocks, std::optional<double> longitude) {
    double local = utcMSecs;
    if (clocks.isMeanTime())
        local += *longitude * 240000.0;
    else if (clocks.isOffset())
        local += clocks.offsetSeconds() * 1000.0;
    else
        local +=
            QTimeZone(clocks.zoneId().toUtf8())
                .offsetFromUtc(QDateTime::fromMSecsSinceEpoch(qint64(utcMSecs), QTimeZone::utc())) *
            1000.0;
    const qint64 minutes = std::llround(local / 60000.0);
    const qint64 ofDay = ((minutes % 1440) + 1440) % 1440;
    return QTime(int(ofDay / 60), int(ofDay % 60)).toString(QStringLiteral("H:mm"));
}

// The earlier moment of a local time on the clocks, in ms on the civil time scale.
Refused<double> momentOf(const QDate& date, const Clocks& clocks, std::optional<double> longitude) {
    const Refused<BirthMoments> moments = birthMoments({date, QTime(0, 0), clocks, longitude});
    if (const auto* r = std::get_if<Refusal>(&moments))
        return *r;
    return std::get<BirthMoments>(moments).utcMSecs;
}

QString nakshatraText(int n) {
    return QString::fromUtf8(nakshatraName[n]);
}

} // namespace

Refused<QString> unknownTimeText(const QDate& date, const Clocks& clocks,
                                 std::optional<double> longitude, astronomy::Ayanamsa ayanamsa) {
    const Refused<double> start = momentOf(date, clocks, longitude);
    if (const auto* r = std::get_if<Refusal>(&start))
        return *r;
    const Refused<double> next = momentOf(date.addDays(1), clocks, longitude);
    if (const auto* r = std::get_if<Refusal>(&next))
        return *r;
    const double from = std::get<double>(start), to = std::get<double>(next);

    struct Sample {
        double utc;
        astronomy::Position position;
    };
    auto sample = [&](double utc) -> Refused<Sample> {
        Refused<astronomy::Position> p = moonAt(utc, date.year(), ayanamsa);
        if (const auto* r = std::get_if<Refusal>(&p))
            return *r;
        return Sample{utc, std::get<astronomy::Position>(p)};
    };
    // Every ten minutes; a change between two samples is narrowed down to the minute.
    constexpr double step = 600000;
    QStringList changes;
    Refused<Sample> first = sample(from);
    if (const auto* r = std::get_if<Refusal>(&first))
        return *r;
    Sample previous = std::get<Sample>(first);
    Sample last = previous;
    for (double t = from + step; t < to + step / 2; t += step) {
        const double at = std::min(t, to);
        Refused<Sample> s = sample(at);
        if (const auto* r = std::get_if<Refusal>(&s))
            return *r;
        last = std::get<Sample>(s);
        if (last.position.reading.nakshatra != previous.position.reading.nakshatra && at < to) {
            double lo = previous.utc, hi = at; // nakshatra of lo differs from that of hi
            while (hi - lo > 20000) {
                const double mid = (lo + hi) / 2;
                const Refused<Sample> probed = sample(mid);
                if (const auto* r = std::get_if<Refusal>(&probed))
                    return *r;
                const Sample& m = std::get<Sample>(probed);
                (m.position.reading.nakshatra == previous.position.reading.nakshatra ? lo : hi) =
                    mid;
            }
            changes << QStringLiteral("um %1 von %2 zu %3")
                           .arg(localTimeText(hi, clocks, longitude),
                                nakshatraText(previous.position.reading.nakshatra),
                                nakshatraText(last.position.reading.nakshatra));
        }
        previous = last;
    }
    const bool tropical = ayanamsa == astronomy::Ayanamsa::zeitrad;
    const auto shown = [tropical](const Sample& s) {
        return signText(tropical ? s.position.tropical : s.position.sidereal);
    };
    QString text =
        QStringLiteral("Geburtszeit unbekannt: der Mond steht an diesem Tag zwischen %1 und %2")
            .arg(shown(std::get<Sample>(first)), shown(last));
    if (!tropical) {
        text += QStringLiteral(" (siderisch, Ayanamsa %1)").arg(ayanamsaName(ayanamsa));
    }
    text += QStringLiteral("; ");
    if (changes.isEmpty())
        text += QStringLiteral("die Nakshatra bleibt den ganzen Tag %1.")
                    .arg(nakshatraText(last.position.reading.nakshatra));
    else
        text +=
            QStringLiteral("die Nakshatra wechselt %1.").arg(changes.join(QStringLiteral(" und ")));
    return text;
}

} // namespace zeitrad::birth
