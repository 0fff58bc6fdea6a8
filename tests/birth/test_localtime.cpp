// The place's own mean time: a birth before its zone took up standard time is timed on the
// town's clocks; the zone's other legal times (Bern mean time, standard time) stay the zone's.
#include <QTest>

#include "birth/localtime.h"

using zeitrad::Refusal;
using zeitrad::birth::placeMeanTime;

class LocalTimeTest : public QObject {
    Q_OBJECT
private slots:
    void placeClockOrZoneClock_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("place");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<QDateTime>("local");
        QTest::addColumn<QString>("expected"); // offset and text, "zone", or "skipped"
        const auto row = [](const char* name, const char* zone, const char* place, double longitude,
                            const char* local, const char* expected) {
            QTest::newRow(name) << QString(zone) << QString(place) << longitude
                                << QDateTime::fromString(local, Qt::ISODate) << QString(expected);
        };
        // Berlin went from its mean time (+0:53:28) to CET at 1893-04-01 00:00 Berlin time,
        // 1893-03-31 23:06:32 UT; Ravensburg's clocks then stood at 23:45:00.
        const char* berlin = "Europe/Berlin";
        const double ravensburg = 9.61062;
        const char* ravensburgTime = "+00:38:27 Ortszeit Ravensburg (LMT, 9° 37′ O)";
        row("Ravensburg 1880", berlin, "Ravensburg", ravensburg, "1880-06-01T12:00",
            ravensburgTime);
        row("Ravensburg just before", berlin, "Ravensburg", ravensburg, "1893-03-31T23:44",
            ravensburgTime);
        row("Ravensburg skipped", berlin, "Ravensburg", ravensburg, "1893-03-31T23:50", "skipped");
        row("Ravensburg just after", berlin, "Ravensburg", ravensburg, "1893-04-01T00:07", "zone");
        row("Ravensburg 1900", berlin, "Ravensburg", ravensburg, "1900-01-01T12:00", "zone");
        // Bern mean time was Switzerland's legal time 1853-1894: not the town's own.
        row("Zürich 1880, Bern time", "Europe/Zurich", "Zürich", 8.55, "1880-01-01T12:00", "zone");
        row("Zürich 1850", "Europe/Zurich", "Zürich", 8.55, "1850-01-01T12:00",
            "+00:34:12 Ortszeit Zürich (LMT, 8° 33′ O)");
        row("New York 1880, west", "America/New_York", "Boston", -71.05977, "1880-01-01T08:00",
            "-04:44:14 Ortszeit Boston (LMT, 71° 04′ W)");
    }
    void placeClockOrZoneClock() {
        QFETCH(QString, zone);
        QFETCH(QString, place);
        QFETCH(double, longitude);
        QFETCH(QDateTime, local);
        QFETCH(QString, expected);
        const auto result =
            placeMeanTime(QTimeZone(zone.toLatin1()), local.date(), local.time(), place, longitude);
        QString seen;
        if (const auto* refusal = std::get_if<Refusal>(&result)) {
            seen = "skipped";
            QVERIFY(QString::fromStdString(refusal->message).contains("23:50"));
        } else if (const auto& meanTime = std::get<0>(result)) {
            const int s = std::abs(meanTime->offsetSeconds);
            seen = QString("%1%2 %3")
                       .arg(meanTime->offsetSeconds < 0 ? '-' : '+')
                       .arg(QTime(0, 0).addSecs(s).toString("HH:mm:ss"), meanTime->text);
        } else {
            seen = "zone";
        }
        QCOMPARE(seen, expected);
    }
};

QTEST_GUILESS_MAIN(LocalTimeTest)
#include "test_localtime.moc"
