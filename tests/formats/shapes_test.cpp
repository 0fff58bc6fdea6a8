// Records in the shapes other programs and the format's own definition write, and Maitreya's
// charts, read as an import reads them: the births (the moment in Universal Time worked out by
// hand in each row's comment, clocks, local time, name, place), refusals and remarks.
#include <QDateTime>
#include <QTest>
#include <QTimeZone>

#include "atlas/geonamesatlas.h"
#include "birth/moment.h"
#include "formats/aafplaces.h"
#include "formats/import.h"

using namespace zeitrad::birth;
using namespace zeitrad::formats;

namespace {

// "1968-07-27T14:31:00 Europe/Berlin 15:31 Kraus, Karl | Hamm/D 51.6333 8.5167", "2: <refusal>"
QStringList described(const QByteArray& file) {
    static zeitrad::atlas::GeonamesAtlas atlas;
    AafRead read = readBirths(file);
    placeFromAtlas(read, &atlas);
    QStringList seen;
    for (const Birth& b : read.births) {
        const auto ms = birthUtcMSecs(b);
        const QDateTime utc = QDateTime::fromMSecsSinceEpoch(
            std::holds_alternative<double>(ms) ? qint64(std::get<double>(ms)) : 0,
            QTimeZone::utc());
        seen << QStringLiteral("%1 %2 %3 %4 | %5/%6 %7 %8")
                        .arg(utc.toString(u"yyyy-MM-ddTHH:mm:ss"), b.clocks->text(),
                             b.time ? b.time->toString(u"H:mm") : QStringLiteral("*"), b.name(),
                             b.place, b.country,
                             QString::number(b.latitude.value_or(qQNaN()), 'f', 4),
                             QString::number(b.longitude.value_or(qQNaN()), 'f', 4)) +
                    (b.note.isEmpty() ? QString() : " [" + b.note + "]");
    }
    for (const AafSkip& skip : read.skipped)
        seen << QString::number(skip.line) + ": " + skip.reason;
    for (const AafRemark& r : read.remarks)
        seen << r.text;
    return seen;
}

void row(const char* tag, const QByteArray& file, const QStringList& seen) {
    QTest::newRow(tag) << file << seen;
}

} // namespace

class ShapesTest : public QObject {
    Q_OBJECT
private slots:
    void fileGivesItsBirths_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("seen");
        // Mean time at 5° 27′ E is UT + 21 min 48 s: 1:00 is 0:38:12 UT; the Julian day agrees
        // (2392758.5 + 0.026528 d, 38.2 min).
        row("definition: zone *, flag L",
            "#A93:Cezanne,Paul,m,19.1.1839,1:00,Aix-En-Provence,F\n"
            "#B93:2392758.526528,43n31,5e27,*,L\n",
            {"1839-01-19T00:38:12 LMT 1:00 Cezanne, Paul | Aix-En-Provence/F 43.5167 5.4500"});
        // No summer time in Germany in 1968: 15:31 CET is 14:31 UT; the Julian day 2440065.105 is
        // 27.7.1968 (day −523 from 1970) + 0.605 d = 14:31:12 UT, within a minute.
        row("capitals, seconds, leading zeros, flag *",
            "#A93:Kraus,Karl,m,27.7.1968,15:31,Hamm,D\n"
            "#B93:2440065.10500,51N38:00,008E31:00,1hE00:00,*\n",
            {"1968-07-27T14:31:00 Europe/Berlin 15:31 Kraus, Karl | Hamm/D 51.6333 8.5167",
             "Zeitzone aus dem Ortsatlas: Europe/Berlin (Hamm, Nordrhein-Westfalen, "
             "Deutschland)."});
        // 12:00 less 0:21:28 is 11:38:32 UT; 10:00 at UT + 1 h is 9:00 UT; 8:00 at UT is 8:00 UT.
        row("zones without h, with seconds, without minutes",
            "#A93:Mar,Marie,f,1.6.1880,12:00,Marseille,F\n#B93:*,43n18,5e22,0e21:28,0\n"
            "#A93:Ens,Erik,m,2.2.1990,10:00,Enschede,NL\n#B93:*,52n13,6e54,1he,0\n"
            "#A93:Lon,Lara,f,1.1.1985,8:00,London,GB\n#B93:*,51N30,000W07,00E00,0\n",
            {"1880-06-01T11:38:32 UTC+00:21:28 12:00 Mar, Marie | Marseille/F 43.3000 5.3667",
             "1990-02-02T09:00:00 UTC+01:00 10:00 Ens, Erik | Enschede/NL 52.2167 6.9000",
             "1985-01-01T08:00:00 UTC 8:00 Lon, Lara | London/GB 51.5000 -0.1167"});
        // St. John's, 3 h 30 min west: 10:00 is 13:30 UT. Kiritimati, 14 h east: 12:00 on 1.1.2000
        // is 22:00 UT the day before; 15 h is no zone.
        row("lower case, half hour west, 14 h east",
            "#a93:New,Nora,f,1.1.1990,10:00,St. John's,CDN\n#b93:*,47N34,052W43,3hw30,0\n"
            "#A93:Kiri,Kai,m,1.1.2000,12:00,Kiritimati,KI\n#B93:*,1n52,157w24,14he00,0\n"
            "#A93:Weit,Willi,m,1.1.2000,12:00,X,D\n#B93:*,1n52,157w24,15he00,0\n",
            {"1990-01-01T13:30:00 UTC-03:30 10:00 New, Nora | St. John's/CDN 47.5667 -52.7167",
             "1999-12-31T22:00:00 UTC+14:00 12:00 Kiri, Kai | Kiritimati/KI 1.8667 -157.4000",
             "6: Die Zonendifferenz „15he00“ ist keine (etwa 1he00, 5hw30 oder 0e21:28)."});
        // Hannover in winter: 13:45 CET is 12:45 UT. Julian 1.1.1900 is Gregorian 13.1.1900 (12
        // days apart until the Julian 29.2.1900); 12:00 at UT + 2:30 is 9:30 UT.
        row("calendar marks G (no #B93) and j",
            "#A93:Hahn,Hanna,f,15.12.1980G,13:45,Hannover,D\n"
            "#A93:Iwanow,Iwan,m,1.1.1900j,12:00,Moskau,RUS\n#B93:*,55n45,37e37,2he30,0\n",
            {"1980-12-15T12:45:00 Europe/Berlin 13:45 Hahn, Hanna | Hannover/D 52.3705 9.7332",
             "1900-01-13T09:30:00 UTC+02:30 12:00 Iwanow, Iwan | Moskau/RUS 55.7500 37.6167",
             "Ort aus dem Ortsatlas: Hannover, Niedersachsen, Deutschland (52° 22′ N, 9° 44′ O), "
             "Zeitzone Europe/Berlin."});
        // EET without summer time in Bulgaria in 1975: 7:10 is 5:10 UT; summer time in
        // Switzerland: 9:00 CEST is 7:00 UT; South Africa, UT + 2 h: 18:00 is 16:00 UT.
        row("whole name in the first name; countries by name, after a comma",
            "#A93:*,Albena Slavova,f,3.3.1975,7:10,Samokov, Bulgaria\n"
            "#A93:Berg,Beat,m,1.8.1991,9:00,Zürich,Schweiz\n"
            "#A93:Kap,Kim,f,10.4.2001,18:00,Kapstadt,South Africa\n",
            {"1975-03-03T05:10:00 Europe/Sofia 7:10 Albena Slavova | Samokov/Bulgaria 42.3370 "
             "23.5528",
             "1991-08-01T07:00:00 Europe/Zurich 9:00 Berg, Beat | Zürich/Schweiz 47.3667 8.5500",
             "2001-04-10T16:00:00 Africa/Johannesburg 18:00 Kap, Kim | Kapstadt/South Africa "
             "-33.9258 18.4232",
             "Ort aus dem Ortsatlas: Samokow, Oblast Sofia, Bulgarien (42° 20′ N, 23° 33′ O), "
             "Zeitzone Europe/Sofia.",
             "Ort aus dem Ortsatlas: Zürich, Kanton Zürich, Schweiz (47° 22′ N, 8° 33′ O), "
             "Zeitzone Europe/Zurich.",
             "Ort aus dem Ortsatlas: Kapstadt, Western Cape, Republik Südafrika (33° 56′ S, 18° "
             "25′ O), Zeitzone Africa/Johannesburg."});
        // An unknown time is reckoned at 12:00 CET, 11:00 UT.
        row("definition: event without #B93", "#A93:Ereignis,*,E,24.12.1992,*,Freiburg,D\n",
            {"1992-12-24T11:00:00 Europe/Berlin * Ereignis | Freiburg/D 47.9959 7.8522",
             "Ort aus dem Ortsatlas: Freiburg im Breisgau, Baden-Württemberg, Deutschland (48° "
             "00′ N, 7° 51′ O), Zeitzone Europe/Berlin."});
        // 14:30 CEST is 12:30 UT; the Julian day 2446250.02778 is 0.52778 d after midnight UT,
        // 12:40:00, and has precedence: 14:40 CEST.
        row("Julian day ten minutes off the clock",
            "#A93:Zehn,Zoe,f,3.7.1985,14:30,München,D\n#B93:2446250.02778,48n08,11e34,1he00,1\n",
            {"1985-07-03T12:40:00 UTC+02:00 14:40 Zehn, Zoe | München/D 48.1333 11.5667",
             "Der Julianische Tag 2446250.02778 (Zeile 2) hat Vorrang vor der Uhrzeit 3.7.1985 "
             "14:30:00, die 10 Minuten davon abweicht; aufgenommen ist 3.7.1985 14:40:00."});
        // Summer time unknown and the place too: the zone difference alone, 11:00 UT.
        row("year out of range, zone or flag * where the atlas knows no place",
            "#A93:Alt,Anna,f,1.1.1452,12:00,Mainz,D\n#B93:*,50n00,8e16,00E00,0\n"
            "#A93:Nie,Nina,f,1.1.2000,12:00,Nirgendwo,D\n#B93:*,50n00,8e00,*,0\n"
            "#A93:Nie,Nils,m,1.7.2000,12:00,Nirgendwo,D\n#B93:*,50n00,8e00,1he00,*\n",
            {"2000-07-01T11:00:00 UTC+01:00 12:00 Nie, Nils | Nirgendwo/D 50.0000 8.0000",
             "1: Das Jahr 1452 liegt außerhalb des unterstützten Bereichs 1800–2199.",
             "3: Die Zeitzone ist nicht angegeben (*), und der Ortsatlas kennt „Nirgendwo“ (D) "
             "nicht; bitte die Zonendifferenz in #B93 angeben.",
             "Ob Sommerzeit galt, ist nicht angegeben, und der Ortsatlas kennt „Nirgendwo“ nicht: "
             "genommen ist die Zonendifferenz UTC+1 ohne Sommerzeit."});

        // The same record under every line ending, after a byte-order mark, with trailing
        // blanks, comments and blank lines: 8:05 EST is 13:05 UT.
        const QByteArray a = "#A93:Doe,John,*,10.10.1960,8:05,New York,USA";
        const QByteArray b = "#B93:2437218.04514,40n43,74w00,5hw00,0";
        const QString doe = "1960-10-10T13:05:00 UTC-05:00 8:05 Doe, John | New York/USA 40.7167 "
                            "-74.0000";
        row("CR LF", a + "\r\n" + b + "\r\n", {doe});
        row("CR", a + "\r" + b + "\r", {doe});
        row("byte-order mark, blanks", "\xEF\xBB\xBF" + a + "  \t\r\n" + b + " \r\n", {doe});
        row("comments, blank lines", "#: by hand\n\n" + a + "\n#: exact\n\n" + b + "\n#:\n", {doe});

        // Maitreya's charts. 14.5 h is 14:30 at UT + 1 h + 1 h of summer time: 12:30 UT.
        row("chart with summer time",
            "#Maitreya 3.0\nJürgen Müller\n3\n7\n1985\n14.50000000\n1.00000000\n1.00000000\n"
            "München\n11.56666667\n48.13333333\nErste Zeile\nzweite Zeile\n",
            {"1985-07-03T12:30:00 UTC+02:00 14:30 Jürgen Müller | München/ 48.1333 11.5667 "
             "[Erste Zeile\nzweite Zeile]"});
        // 8.0833333 h is 8:05 at UT − 5 h: 13:05 UT; CR LF and a decimal comma.
        row("chart west of Greenwich",
            "#Maitreya 3.0\r\nJohn Doe\r\n10\r\n10\r\n1960\r\n8,08333333\r\n-5.00000000\r\n"
            "0.00000000\r\nNew York\r\n-74.00000000\r\n40.71666667\r\n",
            {"1960-10-10T13:05:00 UTC-05:00 8:05 John Doe | New York/ 40.7167 -74.0000"});
        // Found by its shape without the word; 0:00 at UT + 5:30 is 18:30 UT the day before.
        row("chart with another first line",
            "# chart\nAnna\n1\n1\n2000\n0\n5.5\n0\nDelhi\n77.2\n28.6\n",
            {"1999-12-31T18:30:00 UTC+05:30 0:00 Anna | Delhi/ 28.6000 77.2000"});
        row("chart at 24 hours",
            "#Maitreya 3.0\nSpät\n1\n1\n2000\n24.0\n1\n0\nBerlin\n13.4\n52.5\n",
            {"6: Die Uhrzeit „24.0“ ist keine (Stunden von 0 bis unter 24, etwa 13.5 für 13:30)."});
        row("chart cut short", "#Maitreya 3.0\nKurz\n1\n1\n2000\n12\n1\n0\nBerlin\n",
            {"10: Die Datei endet nach 10 Zeilen; eine Maitreya-Datei hat mindestens 11 (Name, "
             "Tag, Monat, Jahr, Uhrzeit, Zone, Sommerzeit, Ort, Länge, Breite)."});
    }
    void fileGivesItsBirths() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, seen);
        QCOMPARE(described(file), seen);
    }
};

QTEST_GUILESS_MAIN(ShapesTest)
#include "shapes_test.moc"
