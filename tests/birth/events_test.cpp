// Events against the periods and the birth-time window they allow, for births whose windows are
// worked out by hand below; the events as --event types them; the events a birth refuses.
//
// The births are read on UTC and reckoned with Zeitrad's own ayanamsa and years of 360 days, so
// that an age of D days falls D calendar days after the birth date.
//
// The Moon (tropical, degrees) on 10.3.1990, as the Moon calculator shows it: 15:00 160.16719592,
// 16:00 160.69295498, 17:00 161.21839240; so 0.52560° an hour at 16:00, slowing by 0.00032° an
// hour each hour. The ayanamsa of 1990 is 22° 27′ 38″ + 90 × 50,3″ = 23° 43′ 05″ (23.71806°), the
// sidereal Moon at 16:00 136.97490°: Purva Phalguni (133° 20′ to 146° 40′), lord Sukra, 3.64157°
// of its 13.33333° run, so the balance of the Sukra mahadasa is 20 × 360 × (1 − 0.273117) =
// 5233.5 days. A birth a minute later runs 0.00876° further: 4.73 days less balance; one day of
// balance is 12.7 s of birth time.
//
// From the birth: Sukra (the balance), Surya 6 years, then Chandra 10 years from balance + 2160
// days, whose antardasas last 10 × years / 120 years: Chandra 300, Mangal 210, Rahu 540, Guru 480,
// Sani 570, Buddha 510, Ketu 210, Sukra 600 and Surya 180 days. So Chandra / Surya runs from
// ⌊balance⌋ + 5580 up to ⌊balance⌋ + 5760 days, Chandra / Sukra before it, Mangal / Mangal after.
//
// "Umzug" on 23.12.2019 (10880 days after birth) is in Chandra / Surya while ⌊balance⌋ <= 5300
// and ⌊balance⌋ > 5120: balance < 5301, reached 67.5 days (14 min 13 s) before 16:00 with the
// Moon's slowing, at 15:45:43; and balance >= 5121, kept until 112.5 days after, at 16:23:47.
// "Grenze" on 17.10.2019 (10813 days) falls on the first day of Chandra / Surya (5233 + 5580): it
// stays there while balance < 5234, only 0.5 day (6 s) earlier, at 15:59:54, and while
// balance >= 5053 + 1 = 5054, at 16:37:57.
//
// The cycle ends ⌊balance⌋ + 100 × 360 = 41233 days after birth, on 30.1.2103; its last
// antardasa, Ketu / Buddha, lasts 7 × 17 × 3 = 357 days. "Letzter Tag" on 29.1.2103 (day 41232)
// stays in it while ⌊balance⌋ + 35643 <= 41232: balance < 5590, reached at 14:44:40; and inside
// the cycle while balance >= 5233, until 16:00:07; a second later it would lie beyond the cycle.
//
// On 11.3.1990 at 18:00 the sidereal Moon stands at 150.57° in Uttara Phalguni (lord Surya, 6
// years), 0.293 of its run: 2160 × 0.707 = 1527 days of balance, which six hours earlier are
// 2037 days (the Moon still in the nakshatra). Sukra / Sukra, 1200 days from balance + 94 × 360,
// then holds an event on 23.8.2088 (35960 days) for every balance from 1016 to 2120: the search
// reaches 12:00:00 (six hours) and 23:59:59 (the end of the birth date) with it unmoved.
#include <QTest>

#include "birth/events.h"
#include "birth/road.h"
#include "engine/calculation.h"

using zeitrad::Refusal;
using zeitrad::YearLength;
using namespace zeitrad::birth;

Q_DECLARE_METATYPE(QList<Event>)

namespace {

QString refusalOf(const auto& refused) {
    const auto* r = std::get_if<Refusal>(&refused);
    return r ? QString::fromStdString(r->message) : QString();
}

Birth born(int day, int hour) {
    Birth b;
    b.surname = QStringLiteral("Probe");
    b.date = QDate(1990, 3, day);
    b.time = QTime(hour, 0);
    b.clocks = Clocks::utc();
    return b;
}

Event eventOn(const QDate& date, const QString& text) {
    Event e;
    e.date = date;
    e.text = text;
    return e;
}

const Event moving = eventOn(QDate(2019, 12, 23), QStringLiteral("Umzug"));
const Event boundary = eventOn(QDate(2019, 10, 17), QStringLiteral("Grenze"));
const Event late = eventOn(QDate(2088, 8, 23), QStringLiteral("Spät"));
const Event lastDay = eventOn(QDate(2103, 1, 29), QStringLiteral("Letzter Tag"));

int seconds(const QTime& t) {
    return t.msecsSinceStartOfDay() / 1000;
}

// "Umzug → Chandra / Sukra": the events beyond an edge, with their periods.
QString beyond(const BirthTimeWindow& w, const WindowEdge& edge) {
    QStringList out;
    for (const WindowEdge::Limit& l : edge.beyond)
        out << w.events[l.event].text + " → " + l.period;
    return out.join(", ");
}

} // namespace

class EventsTest : public QObject {
    Q_OBJECT
private slots:
    // The edges of the window at the antardasa level as worked out above, to within the five
    // seconds that the arc-second of the Moon's fields and its slowing leave; an empty edge is
    // one beyond the search, which then ends at `fromBound` / `toBound`.
    void windowAsWorkedOutByHand_data() {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("hour");
        QTest::addColumn<QList<Event>>("events");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("fromLimit");
        QTest::addColumn<QString>("toLimit");
        QTest::addColumn<QString>("bounds");
        QTest::addColumn<QString>("periods");

        QTest::newRow("Umzug inside Chandra / Surya")
            << 10 << 16 << QList<Event>{moving} << "15:45:43"
            << "16:23:47"
            << "Umzug → Chandra / Sukra"
            << "Umzug → Mangal / Mangal"
            << ""
            << "Chandra / Surya";
        QTest::newRow("Grenze on the first day of Chandra / Surya")
            << 10 << 16 << QList<Event>{boundary} << "15:59:54"
            << "16:37:57"
            << "Grenze → Chandra / Sukra"
            << "Grenze → Mangal / Mangal"
            << ""
            << "Chandra / Surya";
        QTest::newRow("each sets one edge")
            << 10 << 16 << QList<Event>{moving, boundary} << "15:59:54"
            << "16:23:47"
            << "Grenze → Chandra / Sukra"
            << "Umzug → Mangal / Mangal"
            << ""
            << "Chandra / Surya, Chandra / Surya";
        QTest::newRow("the cycle's last day") << 10 << 16 << QList<Event>{lastDay} << "14:44:40"
                                              << "16:00:07"
                                              << "Letzter Tag → Ketu / Sani"
                                              << "Letzter Tag → "
                                              << ""
                                              << "Ketu / Buddha";
        QTest::newRow("beyond six hours and the birth date") << 11 << 18 << QList<Event>{late} << ""
                                                             << ""
                                                             << ""
                                                             << ""
                                                             << "12:00:00 – 23:59:59"
                                                             << "Sukra / Sukra";
    }
    void windowAsWorkedOutByHand() {
        QFETCH(int, day);
        QFETCH(int, hour);
        QFETCH(QList<Event>, events);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, fromLimit);
        QFETCH(QString, toLimit);
        QFETCH(QString, bounds);
        QFETCH(QString, periods);

        const auto found = birthTimeWindow(born(day, hour), events, YearLength::days360, 2);
        QCOMPARE(refusalOf(found), QString());
        const BirthTimeWindow& w = std::get<BirthTimeWindow>(found);
        QCOMPARE(w.level, 2);
        QStringList chains;
        for (const auto& lords : w.at)
            chains << chainText(lords);
        QCOMPARE(chains.join(", "), periods);
        const auto near = [](const std::optional<QTime>& edge, const QString& expected) {
            if (expected.isEmpty())
                return !edge.has_value();
            const QTime hand = QTime::fromString(expected, "HH:mm:ss");
            return edge && std::abs(seconds(*edge) - seconds(hand)) <= 5;
        };
        QVERIFY2(near(w.from.time, from),
                 qPrintable(w.from.time ? w.from.time->toString() : QString("none")));
        QVERIFY2(near(w.to.time, to), qPrintable(w.to.time ? w.to.time->toString() : "none"));
        QCOMPARE(beyond(w, w.from), fromLimit);
        QCOMPARE(beyond(w, w.to), toLimit);
        if (!bounds.isEmpty())
            QCOMPARE(w.from.bound.toString("HH:mm:ss") + " – " + w.to.bound.toString("HH:mm:ss"),
                     bounds);
        // Halving, not a walk through every second: a few dozen Moons at most.
        QVERIFY2(w.moons <= 80, qPrintable(QString::number(w.moons)));
    }

    // What the window says, as the events window and the period list show it.
    void windowText() {
        auto found = birthTimeWindow(born(10, 16), {moving, boundary}, YearLength::days360, 2);
        const BirthTimeWindow& w = std::get<BirthTimeWindow>(found);
        const QString text = zeitrad::birth::windowText(w);
        QVERIFY(text.startsWith("Geburtszeit-Spielraum: 15:59:5"));
        QVERIFY(text.contains(" – 16:23:4"));
        QVERIFY(text.endsWith("(alle 2 Ereignisse in denselben Antardasas)"));
        const QStringList lines = limitLines(w);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].endsWith(" fiele „Grenze“ (17.10.2019) in Chandra / Sukra."));
        QVERIFY(lines[1].startsWith("Später als 16:23:4"));
        auto wide = birthTimeWindow(born(11, 18), {late}, YearLength::days360, 2);
        QCOMPARE(zeitrad::birth::windowText(std::get<BirthTimeWindow>(wide)),
                 "Geburtszeit-Spielraum: 12:00:00 oder früher – 23:59:59 oder später (das "
                 "Ereignis in denselben Antardasas)");
        // The pratyantardasas hold the events more tightly than the antardasas.
        auto deeper = birthTimeWindow(born(10, 16), {moving}, YearLength::days360, 3);
        const BirthTimeWindow& d = std::get<BirthTimeWindow>(deeper);
        QVERIFY(d.from.time && d.to.time);
        QVERIFY(seconds(*d.from.time) >= seconds(QTime(15, 45, 38)));
        QVERIFY(seconds(*d.to.time) <= seconds(QTime(16, 23, 52)));
        QVERIFY(d.to.time != QTime(16, 0) && *d.to.time > QTime(16, 0));
    }

    // No window without a birth time or without events, and none for an event the periods
    // cannot hold; each with its German reason.
    void refusals_data() {
        QTest::addColumn<bool>("timeKnown");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown time")
            << false << QDate(2019, 12, 23)
            << "Die Geburtszeit ist nicht bekannt: ohne sie gibt es keinen "
               "Geburtszeit-Spielraum.";
        QTest::newRow("before birth") << true << QDate(1990, 3, 9)
                                      << "Das Ereignis „X“ (09.03.1990) liegt vor der Geburt am "
                                         "10.03.1990.";
        // The cycle: Sukra's balance of 5233 days and 100 years of the other eight, 41233 days;
        // its last day is the one before.
        QTest::newRow("after the cycle")
            << true << QDate(2103, 1, 30)
            << "Das Ereignis „X“ (30.01.2103) liegt nach dem 120-jährigen Zyklus der Perioden, "
               "der am 30.01.2103 endet.";
        QTest::newRow("the cycle's last day") << true << QDate(2103, 1, 29) << "";
        QTest::newRow("no events") << true << QDate()
                                   << "Ohne Ereignisse gibt es keinen "
                                      "Geburtszeit-Spielraum.";
    }
    void refusals() {
        QFETCH(bool, timeKnown);
        QFETCH(QDate, date);
        QFETCH(QString, message);
        Birth b = born(10, 16);
        if (!timeKnown)
            b.time.reset();
        QList<Event> events;
        if (date.isValid())
            events << eventOn(date, "X");
        QCOMPARE(refusalOf(birthTimeWindow(b, events, YearLength::days360)), message);
    }

    // --event's text: day, perhaps a time, then the text; what cannot be read is refused.
    void eventsAsTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("read"); // "date|time|text" or the refusal
        QTest::newRow("day and text") << "3.2.2014 Umzug nach Wien"
                                      << "2014-02-03||Umzug nach Wien";
        QTest::newRow("with time") << " 12.06.2010 14:30 Hochzeit"
                                   << "2010-06-12|14:30:00|Hochzeit";
        QTest::newRow("with seconds") << "1.1.2000 0:00:05 Neujahr"
                                      << "2000-01-01|00:00:05|Neujahr";
        QTest::newRow("no day") << "31.2.2010 Nichts"
                                << "Das Datum des Ereignisses „31.2.2010 Nichts“ ist kein Tag.";
        QTest::newRow("no time") << "1.1.2000 25:00 Spät"
                                 << "Die Uhrzeit des Ereignisses „1.1.2000 25:00 Spät“ ist keine.";
        QTest::newRow("no text") << "1.1.2000 12:00"
                                 << "Das Ereignis „1.1.2000 12:00“ braucht einen Text nach dem "
                                    "Datum.";
        QTest::newRow("no form") << "Hochzeit 2010"
                                 << "Das Ereignis „Hochzeit 2010“ lässt sich nicht lesen "
                                    "(erwartet: T.M.J [H:MM] Text).";
    }
    void eventsAsTyped() {
        QFETCH(QString, typed);
        QFETCH(QString, read);
        const zeitrad::Refused<Event> e = eventOfText(typed);
        if (const auto* r = std::get_if<Refusal>(&e)) {
            QCOMPARE(QString::fromStdString(r->message), read);
            return;
        }
        const Event& got = std::get<Event>(e);
        QCOMPARE(got.date.toString(Qt::ISODate) + "|" + timeText(got.time) + "|" + got.text, read);
    }
};

QTEST_APPLESS_MAIN(EventsTest)
#include "events_test.moc"
