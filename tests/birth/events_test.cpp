// The birth-time window of births worked out by hand below; its refusals; --event's text.
//
// The births are read on UTC in years of 360 days (an age of D days falls D days after the birth).
// The Moon on 10.3.1990, tropical: 15:00 160.16719592°, 16:00 160.69295498°, 17:00 161.21839240°;
// 0.52560° an hour at 16:00, slowing by 0.00032° an hour each hour. Zeitrad's ayanamsa of 1990,
// 22° 27′ 38″ + 90 × 50,3″ = 23.71806°, puts it at 16:00 at 136.97490° sidereal: Purva Phalguni
// (from 133° 20′, lord Sukra), 3.64157° of its 13.33333°, so Sukra's balance is 20 × 360 ×
// (1 − 0.273117) = 5233.5 days. A minute later the Moon runs 0.00876° further: 4.73 days less
// balance; a day of balance is 12.7 s of birth time.
//
// Sukra (the balance), Surya 6 years, then Chandra from balance + 2160 days, its antardasas of 10 ×
// years / 120 years: Chandra 300, Mangal 210, Rahu 540, Guru 480, Sani 570, Buddha 510, Ketu 210,
// Sukra 600, Surya 180 days. So Chandra / Surya runs from ⌊balance⌋ + 5580 to ⌊balance⌋ + 5760.
//
// "Umzug", 23.12.2019 (day 10880), stays in it while 5120 < ⌊balance⌋ <= 5300: balance < 5301,
// 67.5 days (14 min 13 s with the slowing) earlier, 15:45:43; balance >= 5121, 16:23:47. Its
// pratyantardasas begin ⌊180 × years before / 120⌋ days in (Surya 0, Chandra 9, Mangal 24, Rahu 34,
// Guru 61, Sani 85): 67 days in it is in Guru while 5215 < ⌊balance⌋ <= 5239, 6.5 days (82 s)
// earlier, 15:58:38, and 17.5 days (222 s) later, 16:03:42.
// "Grenze", 17.10.2019 (day 10813), is the first day of Chandra / Surya (5233 + 5580): balance <
// 5234, 0.5 day (6 s) earlier, 15:59:54; balance >= 5054, 16:37:57.
// The cycle ends ⌊balance⌋ + 100 × 360 = day 41233 (30.1.2103); its last antardasa, Ketu / Buddha,
// lasts 7 × 17 × 3 = 357 days. "Letzter Tag", 29.1.2103, stays in it while ⌊balance⌋ + 35643 <=
// 41232: balance < 5590, 14:44:40; and inside the cycle while balance >= 5233, up to 16:00:07.
//
// On 11.3.1990 at 18:00 the Moon stands at 150.57° in Uttara Phalguni (Surya, 6 years), 0.293 of
// it: 2160 × 0.707 = 1527 days of balance, 2037 six hours earlier (still in the nakshatra). Sukra /
// Sukra, 1200 days from balance + 94 × 360, holds 23.8.2088 (day 35960) for every balance from 1016
// to 2120: the search ends at 12:00:00 (six hours) and 23:59:59 (the birth date's end).
#include <QTest>

#include "birth/events.h"

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
    return {0, 0, date, {}, text, false};
}

const Event moving = eventOn(QDate(2019, 12, 23), QStringLiteral("Umzug"));
const Event boundary = eventOn(QDate(2019, 10, 17), QStringLiteral("Grenze"));
const Event late = eventOn(QDate(2088, 8, 23), QStringLiteral("Spät"));
const Event lastDay = eventOn(QDate(2103, 1, 29), QStringLiteral("Letzter Tag"));

// "15:45:43": an edge within the five seconds that the arc-second of the Moon's fields and its
// slowing leave; "bis 12:00:00": none, the search ended at that bound.
bool edgeIs(const WindowEdge& edge, const QString& hand) {
    if (hand.startsWith("bis "))
        return !edge.time && edge.bound == QTime::fromString(hand.mid(4), "HH:mm:ss");
    return edge.time && std::abs(edge.time->secsTo(QTime::fromString(hand, "HH:mm:ss"))) <= 5;
}

} // namespace

class EventsTest : public QObject {
    Q_OBJECT
private slots:
    // The edges as worked out above; for each, the events beyond it with their periods.
    void windowAsWorkedOutByHand_data() {
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<Event>>("events");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("periods"); // of each event at the birth time
        QTest::addColumn<QString>("limits");
        QTest::newRow("Umzug inside Chandra / Surya")
            << 10 << 16 << 2 << QList<Event>{moving} << "15:45:43 – 16:23:47"
            << QStringList{"Chandra / Surya"}
            << "Umzug → Chandra / Sukra | Umzug → Mangal / Mangal";
        QTest::newRow("Umzug inside Chandra / Surya / Guru")
            << 10 << 16 << 3 << QList<Event>{moving} << "15:58:38 – 16:03:42"
            << QStringList{"Chandra / Surya / Guru"}
            << "Umzug → Chandra / Surya / Rahu | Umzug → Chandra / Surya / Sani";
        QTest::newRow("Grenze on the first day of Chandra / Surya")
            << 10 << 16 << 2 << QList<Event>{boundary} << "15:59:54 – 16:37:57"
            << QStringList{"Chandra / Surya"}
            << "Grenze → Chandra / Sukra | Grenze → Mangal / Mangal";
        QTest::newRow("the cycle's last day")
            << 10 << 16 << 2 << QList<Event>{lastDay} << "14:44:40 – 16:00:07"
            << QStringList{"Ketu / Buddha"} << "Letzter Tag → Ketu / Sani | Letzter Tag → ";
        QTest::newRow("beyond six hours and the birth date")
            << 11 << 18 << 2 << QList<Event>{late} << "bis 12:00:00 – bis 23:59:59"
            << QStringList{"Sukra / Sukra"} << " | ";
    }
    void windowAsWorkedOutByHand() {
        QFETCH(int, day);
        QFETCH(int, hour);
        QFETCH(int, level);
        QFETCH(QList<Event>, events);
        QFETCH(QString, window);
        QFETCH(QStringList, periods);
        QFETCH(QString, limits);
        const auto found = birthTimeWindow(born(day, hour), events, YearLength::days360, level);
        QCOMPARE(refusalOf(found), QString());
        const BirthTimeWindow& w = std::get<BirthTimeWindow>(found);
        QStringList chains, beyond;
        for (const auto& lords : w.at)
            chains << chainText(lords);
        QCOMPARE(chains, periods);
        const QStringList edges = window.split(" – ");
        const auto text = [](const WindowEdge& e) { return e.time ? e.time->toString() : "none"; };
        QVERIFY2(edgeIs(w.from, edges[0]), qPrintable(text(w.from)));
        QVERIFY2(edgeIs(w.to, edges[1]), qPrintable(text(w.to)));
        for (const WindowEdge* edge : {&w.from, &w.to}) {
            QStringList side;
            for (const WindowEdge::Limit& l : edge->beyond)
                side << w.events[l.event].text + " → " + l.period;
            beyond << side.join(", ");
        }
        QCOMPARE(beyond.join(" | "), limits);
        // Halving, not a walk through every second: a few dozen Moons at most.
        QVERIFY2(w.moons <= 80, qPrintable(QString::number(w.moons)));
    }

    // An edge beyond the search, as the events window and the period list say it.
    void windowBeyondTheSearch() {
        const auto wide = birthTimeWindow(born(11, 18), {late}, YearLength::days360, 2);
        QCOMPARE(windowText(std::get<BirthTimeWindow>(wide)),
                 "Geburtszeit-Spielraum: 12:00:00 oder früher – 23:59:59 oder später (das "
                 "Ereignis in denselben Antardasas)");
    }

    // No window without a birth time or events, none for an event the periods cannot hold (the
    // cycle of 5233 + 36000 days ends on 30.1.2103); each with its German reason.
    void refusals() {
        Birth unknown = born(10, 16);
        unknown.time.reset();
        QCOMPARE(
            refusalOf(birthTimeWindow(unknown, {moving}, YearLength::days360)),
            "Die Geburtszeit ist nicht bekannt: ohne sie gibt es keinen Geburtszeit-Spielraum.");
        QCOMPARE(refusalOf(birthTimeWindow(born(10, 16), {}, YearLength::days360)),
                 "Ohne Ereignisse gibt es keinen Geburtszeit-Spielraum.");
        const Event after = eventOn(QDate(2103, 1, 30), "X");
        QCOMPARE(refusalOf(birthTimeWindow(born(10, 16), {after}, YearLength::days360)),
                 "Das Ereignis „X“ (30.01.2103) liegt nach dem 120-jährigen Zyklus der Perioden, "
                 "der am 30.01.2103 endet.");
    }

    // --event's text: day, perhaps a time, then the text; what cannot be read is refused.
    void eventsAsTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("read"); // "date|time|text" or the refusal
        QTest::newRow("day and text") << "3.2.2014 Umzug nach Wien"
                                      << "2014-02-03||Umzug nach Wien";
        QTest::newRow("with time") << " 12.06.2010 9:30 Hochzeit"
                                   << "2010-06-12|09:30:00|Hochzeit";
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
        const Event* got = std::get_if<Event>(&e);
        QCOMPARE(got ? got->date.toString(Qt::ISODate) + "|" + timeText(got->time) + "|" + got->text
                     : refusalOf(e),
                 read);
    }
};

QTEST_APPLESS_MAIN(EventsTest)
#include "events_test.moc"
