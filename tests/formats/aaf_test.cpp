// AAF files as other programs write them: the awkward cases of the sample files read into the
// expected births and skip report, and what the register exports read back unchanged; every byte
// of Windows-1252 both ways, a note cut at its bound and the import report that says so, and a
// refused export that leaves the earlier file as it was.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include "astronomy/moon.h"
#include "birth/unknowntime.h"
#include "engine/tables.h"
#include "formats/aaf.h"
#include "formats/import.h"
#include "tests/files.h"

using namespace zeitrad::birth;
using namespace zeitrad::formats;

namespace {

QByteArray sample(const char* name) {
    QFile file(QStringLiteral(ZEITRAD_TEST_DATA "/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing %s", name);
    return file.readAll();
}

QString describe(const Birth& b) {
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9")
               .arg(b.surname, b.firstName, QString::number(int(b.kind)),
                    b.date.toString(QStringLiteral("d.M.yyyy")),
                    b.time ? b.time->toString(QStringLiteral("H:mm:ss")) : QStringLiteral("*"),
                    b.place + u'/' + b.country,
                    b.latitude ? QString::number(*b.latitude, 'f', 4) : QStringLiteral("-"),
                    b.longitude ? QString::number(*b.longitude, 'f', 4) : QStringLiteral("-"),
                    b.clocks ? b.clocks->text() : QString()) +
           u'|' + b.note;
}

// The Moon's nakshatra at a time on Berlin's clocks.
QString nakshatraAt(QDate date, QTime time) {
    const QDateTime utc = QDateTime(date, time, QTimeZone("Europe/Berlin")).toUTC();
    const QDate day = utc.date();
    const auto p = zeitrad::astronomy::position(
        {day.year(), day.month(), day.day(), utc.time().msecsSinceStartOfDay() / 1000.0},
        date.year());
    return QString::fromUtf8(
        zeitrad::nakshatraName[std::get<zeitrad::astronomy::Position>(p).reading.nakshatra]);
}

Birth ravensburg(double longitude) {
    Birth b;
    b.surname = QStringLiteral("Ort");
    b.firstName = QStringLiteral("Olga");
    b.kind = Birth::Kind::Female;
    b.date = QDate(1880, 4, 1);
    b.time = QTime(12, 0);
    b.place = QStringLiteral("Ravensburg");
    b.country = QStringLiteral("D");
    b.latitude = 47 + 47 / 60.0;
    b.longitude = longitude;
    b.clocks = Clocks::zone(QStringLiteral("Europe/Berlin"));
    return b;
}

} // namespace

class AafTest : public QObject {
    Q_OBJECT
private slots:
    // Each sample file read into its births ("line|fields") and the records it leaves out
    // ("line: reason"). Julian day in UT before the local time; zones from the zone difference
    // plus summer time, or from #ZNAM; coordinates north/south, east/west.
    void readsTheSamples_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("encoding");
        QTest::addColumn<QStringList>("records");
        QTest::newRow("UTF-8")
            << "sample.aaf" << int(AafEncoding::Utf8)
            << QStringList{
                   // umlauts, summer time, continued comment
                   "2|Müller|Jürgen|2|3.7.1985|14:30:00|München/D|48.1333|11.5667|Europe/Berlin|"
                   "Erste Zeile der Notiz\ndie zweite Zeile geht weiter",
                   // event, unknown first name and time, no #B93
                   "7|Ereignis||3|24.12.1992|*|Freiburg/D|-|-||",
                   "8|Cezanne|Paul|2|19.1.1839|1:00:00|Aix-En-Provence/F|43.5167|5.4500|LMT|",
                   // south and east, computed chunk passed over
                   "10|Smith|Anne|1|5.2.1970|23:15:00|Sydney/AUS|-33.8667|151.2000|UTC+10:00|",
                   // west, unknown kind, source
                   "13|Doe|John|0|10.10.1960|8:05:00|New York/USA|40.7167|-74.0000|UTC-05:00|"
                   "Quelle: Geburtsurkunde",
                   "16: Das Datum „31.2.1990“ ist kein Tag (erwartet: T.M.JJJJ).",
                   "18: Die Breite „95n00“ ist keine Breite zwischen 90° Nord und 90° Süd (etwa "
                   "49n05).",
                   "19: Die Uhrzeit „25:10“ gibt es nicht (erwartet: h:mm).",
                   "20: Die #A93-Zeile hat 4 statt 7 Felder."};
        QTest::newRow("Windows-1252") << "sample-cp1252.aaf" << int(AafEncoding::Windows1252)
                                      << QStringList{"1|Weiß|Käthe|1|2.3.1950|6:45:00|Zürich/CH|"
                                                     "47.3667|8.5500|UTC+01:00|Öl und Übermut – "
                                                     "20 €"};
    }
    void readsTheSamples() {
        QFETCH(QString, file);
        QFETCH(int, encoding);
        QFETCH(QStringList, records);
        const AafRead read = readAaf(sample(qPrintable(file)));
        QCOMPARE(int(read.encoding), encoding);
        QStringList seen;
        for (qsizetype i = 0; i < read.births.size(); ++i)
            seen << QString::number(read.lines[i]) + u'|' + describe(read.births[i]);
        for (const AafSkip& skip : read.skipped)
            seen << QString::number(skip.line) + ": " + skip.reason;
        QCOMPARE(seen, records);
    }

    void exportReadsBackTheSameBirths_data() {
        QTest::addColumn<int>("encoding");
        QTest::newRow("UTF-8") << int(AafEncoding::Utf8);
        QTest::newRow("Windows-1252") << int(AafEncoding::Windows1252);
    }
    void exportReadsBackTheSameBirths() {
        QFETCH(int, encoding);
        QList<Birth> births = readAaf(sample("sample.aaf")).births;
        births += readAaf(sample("sample-cp1252.aaf")).births;
        Birth winter = births[0]; // Berlin in winter: no summer time
        winter.date = QDate(1990, 1, 15);
        winter.note = QStringLiteral("#COM am Anfang\n\nnach einer Leerzeile");
        births.append(winter);
        births.append(ravensburg(9 + 37 / 60.0)); // its own clock reading, not Berlin's
        const AafRead again = readAaf(writeAaf(births, AafEncoding(encoding)));
        QCOMPARE(again.skipped, QList<AafSkip>{});
        QCOMPARE(again.births.size(), births.size());
        for (qsizetype i = 0; i < births.size(); ++i)
            QCOMPARE(describe(again.births[i]), describe(births[i]));
    }

    void writesTheFormatOthersRead() {
        const QList<Birth> births = readAaf(sample("sample.aaf")).births;
        const QByteArray written = writeAaf({births[0], births[2], births[4]});
        QCOMPARE(QString::fromUtf8(written).split(u'\n'),
                 QStringLiteral("#A93:Müller,Jürgen,m,3.7.1985,14:30,München,D\r\n"
                                "#B93:2446250.02083,48n08,11e34,1he00,1\r\n"
                                "#ZNAM:Europe/Berlin\r\n"
                                "#COM:Erste Zeile der Notiz\r\n"
                                "#COM:die zweite Zeile geht weiter\r\n"
                                "#A93:Cezanne,Paul,m,19.1.1839,1:00,Aix-En-Provence,F\r\n"
                                "#B93:2392758.52653,43n31,5e27,*,L\r\n"
                                "#A93:Doe,John,*,10.10.1960,8:05,New York,USA\r\n"
                                "#B93:2437218.04514,40n43,74w00,5hw00,0\r\n"
                                "#COM:Quelle: Geburtsurkunde\r\n")
                     .split(u'\n'));
        QCOMPARE(writeAaf({births[0]}, AafEncoding::Windows1252).left(18),
                 QByteArray("#A93:M\xFCller,J\xFCrgen"));
        // Ravensburg kept its own mean time in 1880 (9° 36′ 38″ O: UT + 0:38:27, not Berlin's
        // + 0:53:28): 12:00 there is 11:21:33 UT, JD 2407806.5 + 40893 s / 86400 s.
        QCOMPARE(QString::fromUtf8(writeAaf({ravensburg(9.61062)})),
                 "#A93:Ort,Olga,f,1.4.1880,12:00,Ravensburg,D\r\n"
                 "#B93:2407806.97330,47n47,9e37,0he38,0\r\n#ZNAM:Europe/Berlin\r\n");
    }

    // The day of an unknown birth time: on each of these days the Moon enters a nakshatra, and
    // the minute reported holds the old one a minute before and the new one a minute after on
    // the zone's clocks.
    void unknownTimeDescribesTheDay_data() {
        QTest::addColumn<QDate>("date");
        for (QDate date(1985, 7, 1); date.day() <= 6; date = date.addDays(1))
            QTest::newRow(qPrintable(date.toString(Qt::ISODate))) << date;
    }
    void unknownTimeDescribesTheDay() {
        QFETCH(QDate, date);
        const QString text = std::get<QString>(
            unknownTimeText(date, Clocks::zone(QStringLiteral("Europe/Berlin")), std::nullopt));
        static const QRegularExpression said(
            QStringLiteral("^Geburtszeit unbekannt: der Mond steht an diesem Tag zwischen .+; die "
                           "Nakshatra wechselt um (\\d+):(\\d\\d) von (.+) zu (.+)\\.$"));
        const auto m = said.match(text);
        QVERIFY2(m.hasMatch(), qPrintable(text));
        const QTime at(m.captured(1).toInt(), m.captured(2).toInt());
        QCOMPARE(nakshatraAt(date, at.addSecs(-60)), m.captured(3));
        QCOMPARE(nakshatraAt(date, at.addSecs(60)), m.captured(4));
    }

    // Windows-1252 written and read: the 32 bytes from 0x80 to 0x9F (the five unassigned ones as
    // the control characters of their number), and one "?" for each character it cannot hold, also
    // one outside the Basic Multilingual Plane.
    void windows1252BothWays_data() {
        QTest::addColumn<QString>("note");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("readBack");
        QByteArray high;
        for (int b = 0x80; b <= 0x9F; ++b)
            high.append(char(b));
        QTest::newRow("0x80 to 0x9F")
            << QString::fromUtf8("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ")
            << high
            << QString::fromUtf8("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ");
        QTest::newRow("not in it")
            << QString::fromUtf8("Ωmega ő é 😀!") << QByteArray("?mega ? \xE9 ?!")
            << QString::fromUtf8("?mega ? é ?!");
    }
    void windows1252BothWays() {
        QFETCH(QString, note);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, readBack);
        Birth b;
        b.surname = QStringLiteral("Kodierung");
        b.date = QDate(1950, 3, 2);
        b.note = note;
        const QByteArray file = "#A93:Kodierung,*,*,2.3.1950,*,*,*\r\n#COM:" + bytes + "\r\n";
        QCOMPARE(writeAaf({b}, AafEncoding::Windows1252), file);
        const AafRead read = readAaf(file);
        QCOMPARE(int(read.encoding), int(AafEncoding::Windows1252));
        QCOMPARE(read.births.value(0).note, readBack);
    }

    // A note (#COM with the lines that continue it, #SRC, #VIA) keeps 64 KiB of UTF-8, never cut
    // within a character; the import report names the record whose note lost its rest.
    void longNoteIsCutAndReported_data() {
        QTest::addColumn<QByteArray>("chunks");
        QTest::addColumn<QString>("note");
        QTest::addColumn<bool>("cut");
        const QByteArray x65536(65536, 'x'), x65535(65535, 'x'), x65530(65530, 'x');
        QTest::newRow("exactly 64 KiB") << "#COM:" + x65536 << QString::fromLatin1(x65536) << false;
        QTest::newRow("a byte more")
            << "#COM:" + x65536 + "y" << QString::fromLatin1(x65536) << true;
        QTest::newRow("not within ä")
            << "#COM:" + x65535 + "\xC3\xA4" << QString::fromLatin1(x65535) << true;
        QTest::newRow("continued, then a source")
            << "#COM:" + x65530 + "\nyyyyyyyyyy\n#SRC:Urkunde"
            << QString::fromLatin1(x65530) + "\nyyyyy" << true;
        QTest::newRow("after an empty #COM")
            << QByteArray("#COM:\nweiter\n#VIA:Post") << "\nweiter\nÜber: Post" << false;
    }
    void longNoteIsCutAndReported() {
        QFETCH(QByteArray, chunks);
        QFETCH(QString, note);
        QFETCH(bool, cut);
        const AafRead read = readAaf("#A93:Lang,Lara,f,1.1.1990,*,Ulm,D\n" + chunks +
                                     "\n#A93:Kurz,Kai,m,2.2.1990,*,Ulm,D\n#COM:kurz\n");
        QCOMPARE(read.births.size(), 2);
        QCOMPARE(read.births[0].note, note);
        QCOMPARE(read.births[1].note, QStringLiteral("kurz"));
        QCOMPARE(importReportText({2, {}}, read.skipped, read.remarks),
                 cut ? "2 Geburten aufgenommen.\nZeile 1: Die Notiz ist länger als 64 KiB; "
                       "aufgenommen ist ihr Anfang, der Rest fehlt."
                     : "2 Geburten aufgenommen.");
        // Left out as already in the register, it needs no remark.
        QCOMPARE(importReportText({1, {1}}, read.skipped, read.remarks),
                 "1 Geburt aufgenommen.\nZeile 1: schon im Register, nicht doppelt aufgenommen.");
        QCOMPARE(readAaf(writeAaf(read.births)).births[0].note, note);
    }

    // A refused export names the file and the system's reason, and leaves the earlier file byte
    // for byte, with its permissions, and nothing of its own beside it.
    void refusedExportLeavesTheEarlierFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("disk full") << "alt.aaf"
                                   << "File too large";
        QTest::newRow("folder missing") << "fehlt/neu.aaf"
                                        << "den Ordner oder die Datei gibt es nicht";
    }
    void refusedExportLeavesTheEarlierFile() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QByteArray earlier = "#A93:Alt,Anna,f,1.1.1950,*,Ulm,D\r\n";
        testfiles::make(dir.filePath("alt.aaf"), earlier);
        const QStringList before =
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        zeitrad::Refused<Done> saved = Done{};
        {
            testfiles::FullDisk full(rlim_t(earlier.size()));
            saved = saveAaf(dir.filePath(name), readAaf(sample("sample.aaf")).births);
        }
        const auto* refusal = std::get_if<zeitrad::Refusal>(&saved);
        QVERIFY(refusal);
        QCOMPARE(QString::fromStdString(refusal->message),
                 QStringLiteral("Die Datei „%1“ ließ sich nicht schreiben: %2. Eine frühere Datei "
                                "dieses Namens bleibt unverändert.")
                     .arg(dir.filePath(name), reason));
        QCOMPARE(testfiles::bytesOf(dir.filePath("alt.aaf")), earlier);
        QCOMPARE(testfiles::mode(dir.filePath("alt.aaf")), 0644);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }
};

QTEST_GUILESS_MAIN(AafTest)
#include "aaf_test.moc"
