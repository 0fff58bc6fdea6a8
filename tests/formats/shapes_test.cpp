// Records in the shapes other programs and the format's own definition write, each read into the
// birth it stands for: the local reading, its clocks, the moment in Universal Time (worked out by
// hand in each row's comment) and the place; the same record under every line ending and with the
// blanks and comments files carry; and Maitreya's chart files.
#include <QDateTime>
#include <QTest>
#include <QTimeZone>

#include "atlas/geonamesatlas.h"
#include "birth/moment.h"
#include "formats/aaf.h"
#include "formats/aafplaces.h"
#include "formats/import.h"
#include "formats/mtx.h"

using namespace zeitrad::birth;
using namespace zeitrad::formats;

namespace {

// "27.7.1968 15:31:00 UTC+01:00 = 1968-07-27T14:31:00 | Hamm/D 51.6333 7.8333": the birth's
// reading, its clocks, its moment and its place.
QString describe(const Birth& b) {
    const auto moment = birthUtcMSecs(b);
    const QString utc =
        std::holds_alternative<double>(moment)
            ? QDateTime::fromMSecsSinceEpoch(qint64(std::get<double>(moment)), QTimeZone::utc())
                  .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))
            : QString::fromStdString(std::get<zeitrad::Refusal>(moment).message);
    return QStringLiteral("%1 %2 %3 = %4 | %5 | %6/%7 %8 %9")
        .arg(b.date.toString(QStringLiteral("d.M.yyyy")),
             b.time ? b.time->toString(QStringLiteral("H:mm:ss")) : QStringLiteral("*"),
             b.clocks ? b.clocks->text() : QStringLiteral("-"), utc, b.name(), b.place, b.country,
             b.latitude ? QString::number(*b.latitude, 'f', 4) : QStringLiteral("-"),
             b.longitude ? QString::number(*b.longitude, 'f', 4) : QStringLiteral("-"));
}

// Read, and placed by the atlas (on libgeonames) where the file leaves the place or its zone open.
AafRead placed(const QByteArray& file) {
    static zeitrad::atlas::GeonamesAtlas atlas;
    AafRead read = readAaf(file);
    placeFromAtlas(read, &atlas);
    return read;
}

} // namespace

class ShapesTest : public QObject {
    Q_OBJECT
private slots:
    void recordGivesItsBirth_data() {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("birth"); // or "line: reason" of a record refused
        QTest::addColumn<QString>("remark");
        // Local mean time at 5° 27′ E is UT + 21 min 48 s: 1:00 is 0:38:12 UT; the Julian day
        // 2392758.5 + 0.026528 (38.2 min) agrees.
        QTest::newRow("definition: zone *, flag L")
            << QByteArray("#A93:Cezanne,Paul,m,19.1.1839,1:00,Aix-En-Provence,F\n"
                          "#B93:2392758.526528,43n31,5e27,*,L\n")
            << "19.1.1839 1:00:00 LMT = 1839-01-19T00:38:12 | Cezanne, Paul | "
               "Aix-En-Provence/F 43.5167 5.4500"
            << "";
        // Capitals, seconds, leading zeros, summer time "*": Germany kept no summer time in
        // 1968, so 15:31 is UT + 1 h = 14:31 UT; the Julian day 2440065.105 is 27.7.1968 (day
        // -523 from 1970) + 0.605 d = 14:31:12, within a minute.
        QTest::newRow("capitals, seconds, flag *")
            << QByteArray("#A93:Kraus,Karl,m,27.7.1968,15:31,Hamm,D\n"
                          "#B93:2440065.10500,51N38:00,008E31:00,1hE00:00,*\n")
            << "27.7.1968 15:31:00 Europe/Berlin = 1968-07-27T14:31:00 | Kraus, Karl | "
               "Hamm/D 51.6333 8.5167"
            << "Zeitzone aus dem Ortsatlas: Europe/Berlin (Hamm, Nordrhein-Westfalen, "
               "Deutschland).";
        // A mean time as a zone difference: 12:00 less 0:21:28 is 11:38:32 UT.
        QTest::newRow("zone difference with seconds, no h")
            << QByteArray("#A93:Mar,Marie,f,1.6.1880,12:00,Marseille,F\n"
                          "#B93:*,43n18,5e22,0e21:28,0\n")
            << "1.6.1880 12:00:00 UTC+00:21:28 = 1880-06-01T11:38:32 | Mar, Marie | "
               "Marseille/F 43.3000 5.3667"
            << "";
        // Hannover in winter: CET, 13:45 is 12:45 UT.
        QTest::newRow("calendar mark G, no #B93")
            << QByteArray("#A93:Hahn,Hanna,f,15.12.1980G,13:45,Hannover,D\n")
            << "15.12.1980 13:45:00 Europe/Berlin = 1980-12-15T12:45:00 | Hahn, Hanna | "
               "Hannover/D 52.3705 9.7332"
            << "Ort aus dem Ortsatlas: Hannover, Niedersachsen, Deutschland (52° 22′ N, 9° 44′ O), "
               "Zeitzone Europe/Berlin.";
        QTest::newRow("zone difference without minutes")
            << QByteArray("#A93:Ens,Erik,m,2.2.1990,10:00,Enschede,NL\n"
                          "#B93:*,52n13,6e54,1he,0\n")
            << "2.2.1990 10:00:00 UTC+01:00 = 1990-02-02T09:00:00 | Ens, Erik | "
               "Enschede/NL 52.2167 6.9000"
            << "";
        QTest::newRow("zone difference without h, west longitude with zeros")
            << QByteArray("#A93:Lon,Lara,f,1.1.1985,8:00,London,GB\n"
                          "#B93:*,51N30,000W07,00E00,0\n")
            << "1.1.1985 8:00:00 UTC = 1985-01-01T08:00:00 | Lon, Lara | London/GB 51.5000 "
               "-0.1167"
            << "";
        // Bulgaria kept EET (UT + 2 h) without summer time in 1975: 7:10 is 5:10 UT.
        QTest::newRow("whole name in the first name, country by name after a comma")
            << QByteArray("#A93:*,Albena Slavova,f,3.3.1975,7:10,Samokov, Bulgaria\n")
            << "3.3.1975 7:10:00 Europe/Sofia = 1975-03-03T05:10:00 | Albena Slavova | "
               "Samokov/Bulgaria 42.3370 23.5528"
            << "Ort aus dem Ortsatlas: Samokow, Oblast Sofia, Bulgarien (42° 20′ N, 23° 33′ O), "
               "Zeitzone Europe/Sofia.";
        // An unknown time is reckoned at 12:00: CET, 11:00 UT.
        QTest::newRow("definition: event without #B93")
            << QByteArray("#A93:Ereignis,*,E,24.12.1992,*,Freiburg,D\n")
            << "24.12.1992 * Europe/Berlin = 1992-12-24T11:00:00 | Ereignis | Freiburg/D "
               "47.9959 7.8522"
            << "Ort aus dem Ortsatlas: Freiburg im Breisgau, Baden-Württemberg, Deutschland (48° "
               "00′ N, 7° 51′ O), Zeitzone Europe/Berlin.";
        QTest::newRow("country by its German name")
            << QByteArray("#A93:Berg,Beat,m,1.8.1991,9:00,Zürich,Schweiz\n")
            << "1.8.1991 9:00:00 Europe/Zurich = 1991-08-01T07:00:00 | Berg, Beat | "
               "Zürich/Schweiz 47.3667 8.5500"
            << "Ort aus dem Ortsatlas: Zürich, Kanton Zürich, Schweiz (47° 22′ N, 8° 33′ O), "
               "Zeitzone Europe/Zurich.";
        // South Africa: SAST, UT + 2 h.
        QTest::newRow("country by its English name of two words")
            << QByteArray("#A93:Kap,Kim,f,10.4.2001,18:00,Kapstadt,South Africa\n")
            << "10.4.2001 18:00:00 Africa/Johannesburg = 2001-04-10T16:00:00 | Kap, Kim | "
               "Kapstadt/South Africa -33.9258 18.4232"
            << "Ort aus dem Ortsatlas: Kapstadt, Western Cape, Republik Südafrika (33° 56′ S, 18° "
               "25′ O), Zeitzone Africa/Johannesburg.";
        // 14:30 CEST is 12:30 UT (JD 2446250.02083); the Julian day 2446250.02778 is 0.52778 d
        // after midnight UT: 12:40:00, ten minutes later, and has precedence: 14:40 CEST.
        QTest::newRow("Julian day ten minutes off the clock")
            << QByteArray("#A93:Zehn,Zoe,f,3.7.1985,14:30,München,D\n"
                          "#B93:2446250.02778,48n08,11e34,1he00,1\n")
            << "3.7.1985 14:40:00 UTC+02:00 = 1985-07-03T12:40:00 | Zehn, Zoe | München/D "
               "48.1333 11.5667"
            << "Der Julianische Tag 2446250.02778 (Zeile 2) hat Vorrang vor der Uhrzeit "
               "3.7.1985 14:30:00, die 10 Minuten davon abweicht; aufgenommen ist 3.7.1985 "
               "14:40:00.";
        // Julian 1.1.1900 is Gregorian 13.1.1900 (the calendars are 12 days apart until the
        // Julian 29.2.1900, which the Gregorian calendar does not have); 12:00 at UT + 2:30 is
        // 9:30 UT.
        QTest::newRow("Julian calendar mark")
            << QByteArray("#A93:Iwanow,Iwan,m,1.1.1900j,12:00,Moskau,RUS\n"
                          "#B93:*,55n45,37e37,2he30,0\n")
            << "13.1.1900 12:00:00 UTC+02:30 = 1900-01-13T09:30:00 | Iwanow, Iwan | "
               "Moskau/RUS 55.7500 37.6167"
            << "";
        // St. John's, Newfoundland: 3 h 30 min west, 10:00 is 13:30 UT.
        QTest::newRow("lower-case chunk, half hour west")
            << QByteArray("#a93:New,Nora,f,1.1.1990,10:00,St. John's,CDN\n"
                          "#b93:*,47N34,052W43,3hw30,0\n")
            << "1.1.1990 10:00:00 UTC-03:30 = 1990-01-01T13:30:00 | New, Nora | St. "
               "John's/CDN 47.5667 -52.7167"
            << "";
        // Kiritimati, 14 hours east: 12:00 on 1.1.2000 is 22:00 UT the day before.
        QTest::newRow("fourteen hours east")
            << QByteArray("#A93:Kiri,Kai,m,1.1.2000,12:00,Kiritimati,KI\n"
                          "#B93:*,1n52,157w24,14he00,0\n")
            << "1.1.2000 12:00:00 UTC+14:00 = 1999-12-31T22:00:00 | Kiri, Kai | "
               "Kiritimati/KI 1.8667 -157.4000"
            << "";
        QTest::newRow("a year before the program's range")
            << QByteArray("#A93:Alt,Anna,f,1.1.1452,12:00,Mainz,D\n#B93:*,50n00,8e16,00E00,0\n")
            << "1: Das Jahr 1452 liegt außerhalb des unterstützten Bereichs 1800–2199."
            << "";
        QTest::newRow("fifteen hours east")
            << QByteArray("#A93:Weit,Willi,m,1.1.2000,12:00,X,D\n#B93:*,1n52,157w24,15he00,0\n")
            << "2: Die Zonendifferenz „15he00“ ist keine (etwa 1he00, 5hw30 oder 0e21:28)."
            << "";
        QTest::newRow("zone * where the atlas knows no place")
            << QByteArray("#A93:Nie,Nina,f,1.1.2000,12:00,Nirgendwo,D\n#B93:*,50n00,8e00,*,0\n")
            << "1: Die Zeitzone ist nicht angegeben (*), und der Ortsatlas kennt „Nirgendwo“ "
               "(D) nicht; bitte die Zonendifferenz in #B93 angeben."
            << "";
        // The summer time unknown and the place unknown: the zone difference alone, 11:00 UT.
        QTest::newRow("flag * where the atlas knows no place")
            << QByteArray("#A93:Nie,Nils,m,1.7.2000,12:00,Nirgendwo,D\n#B93:*,50n00,8e00,1he00,*\n")
            << "1.7.2000 12:00:00 UTC+01:00 = 2000-07-01T11:00:00 | Nie, Nils | Nirgendwo/D "
               "50.0000 8.0000"
            << "Ob Sommerzeit galt, ist nicht angegeben, und der Ortsatlas kennt „Nirgendwo“ "
               "nicht: genommen ist die Zonendifferenz UTC+1 ohne Sommerzeit.";
    }
    void recordGivesItsBirth() {
        QFETCH(QByteArray, record);
        QFETCH(QString, birth);
        QFETCH(QString, remark);
        const AafRead read = placed(record);
        QStringList seen;
        for (const Birth& b : read.births)
            seen << describe(b);
        for (const AafSkip& skip : read.skipped)
            seen << QString::number(skip.line) + ": " + skip.reason;
        QCOMPARE(seen, QStringList{birth});
        QStringList remarks;
        for (const AafRemark& r : read.remarks)
            remarks << r.text;
        QCOMPARE(remarks, remark.isEmpty() ? QStringList() : QStringList{remark});
    }

    // The same record under every line ending, after a byte-order mark, with trailing blanks,
    // invisible comments and blank lines.
    void lineShapesGiveTheSameBirth_data() {
        QTest::addColumn<QByteArray>("file");
        const QByteArray a = "#A93:Doe,John,*,10.10.1960,8:05,New York,USA";
        const QByteArray b = "#B93:2437218.04514,40n43,74w00,5hw00,0";
        QTest::newRow("LF") << a + "\n" + b + "\n";
        QTest::newRow("CR LF") << a + "\r\n" + b + "\r\n";
        QTest::newRow("CR") << a + "\r" + b + "\r";
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + a + "\n" + b;
        QTest::newRow("trailing blanks") << a + "  \t\r\n" + b + " \r\n";
        QTest::newRow("comments and blank lines")
            << "#: written by hand\n\n" + a + "\n#: the exact data\n\n" + b + "\n#:\n";
    }
    void lineShapesGiveTheSameBirth() {
        QFETCH(QByteArray, file);
        const AafRead read = readAaf(file);
        QCOMPARE(read.skipped, QList<AafSkip>{});
        QCOMPARE(read.births.size(), 1);
        // 8:05 EST is 13:05 UT.
        QCOMPARE(describe(read.births[0]),
                 "10.10.1960 8:05:00 UTC-05:00 = 1960-10-10T13:05:00 | Doe, John | New "
                 "York/USA 40.7167 -74.0000");
        QCOMPARE(read.births[0].note, QString());
    }

    // Maitreya's chart files, found from their content, with summer time and west of Greenwich;
    // a chart with a bad value is refused with its line.
    void chartGivesItsBirth_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("birth");
        QTest::addColumn<QString>("note");
        // 14.5 h is 14:30 at UT + 1 h + 1 h of summer time: 12:30 UT.
        QTest::newRow("summer time")
            << QByteArray("#Maitreya 3.0\nJürgen Müller\n3\n7\n1985\n14.50000000\n1.00000000\n"
                          "1.00000000\nMünchen\n11.56666667\n48.13333333\nErste Zeile\n"
                          "zweite Zeile\n")
            << "3.7.1985 14:30:00 UTC+02:00 = 1985-07-03T12:30:00 | Jürgen Müller | München/ "
               "48.1333 11.5667"
            << "Erste Zeile\nzweite Zeile";
        // 8.0833333 h is 8:05 at UT − 5 h: 13:05 UT; CR LF and a comma for the decimal point.
        QTest::newRow("west of Greenwich")
            << QByteArray("#Maitreya 3.0\r\nJohn Doe\r\n10\r\n10\r\n1960\r\n8,08333333\r\n"
                          "-5.00000000\r\n0.00000000\r\nNew York\r\n-74.00000000\r\n"
                          "40.71666667\r\n")
            << "10.10.1960 8:05:00 UTC-05:00 = 1960-10-10T13:05:00 | John Doe | New York/ "
               "40.7167 -74.0000"
            << "";
        // Without the word in its first line, by its shape.
        QTest::newRow("a first line of another version")
            << QByteArray("# chart\nAnna\n1\n1\n2000\n0\n5.5\n0\nDelhi\n77.2\n28.6\n")
            << "1.1.2000 0:00:00 UTC+05:30 = 1999-12-31T18:30:00 | Anna | Delhi/ 28.6000 "
               "77.2000"
            << "";
        QTest::newRow("time of 24 hours")
            << QByteArray("#Maitreya 3.0\nSpät\n1\n1\n2000\n24.0\n1\n0\nBerlin\n13.4\n52.5\n")
            << "6: Die Uhrzeit „24.0“ ist keine (Stunden von 0 bis unter 24, etwa 13.5 für "
               "13:30)."
            << "";
        QTest::newRow("cut short")
            << QByteArray("#Maitreya 3.0\nKurz\n1\n1\n2000\n12\n1\n0\nBerlin\n")
            << "10: Die Datei endet nach 10 Zeilen; eine Maitreya-Datei hat mindestens 11 (Name, "
               "Tag, Monat, Jahr, Uhrzeit, Zone, Sommerzeit, Ort, Länge, Breite)."
            << "";
    }
    void chartGivesItsBirth() {
        QFETCH(QByteArray, file);
        QFETCH(QString, birth);
        QFETCH(QString, note);
        QVERIFY(isMtx(file));
        const AafRead read = readBirths(file);
        QStringList seen;
        for (const Birth& b : read.births)
            seen << describe(b);
        for (const AafSkip& skip : read.skipped)
            seen << QString::number(skip.line) + ": " + skip.reason;
        QCOMPARE(seen, QStringList{birth});
        if (!read.births.isEmpty())
            QCOMPARE(read.births[0].note, note);
    }
    void anAafFileIsNoChart() {
        QVERIFY(!isMtx("#A93:Doe,John,*,10.10.1960,8:05,New York,USA\n"));
        QVERIFY(!isMtx("#: comment\n#A93:Doe,John,*,10.10.1960,8:05,New York,USA\n"));
    }
};

QTEST_GUILESS_MAIN(ShapesTest)
#include "shapes_test.moc"
