// AAF files as other programs write them: the awkward cases of the sample files read into the
// expected births and skip report, and what the register exports read back unchanged.
#include <QFile>
#include <QTest>
#include <QTimeZone>

#include "astronomy/moon.h"
#include "birth/aaf.h"
#include "birth/birthmoon.h"
#include "engine/tables.h"

using namespace zeitrad::birth;

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
                    b.zone) +
           u'|' + b.note;
}

} // namespace

class AafTest : public QObject {
    Q_OBJECT
private slots:
    void readsTheSample_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("expected");
        // Julian day in UT before the local time; zones from the zone difference plus summer
        // time, or from #ZNAM; coordinates north/south, east/west.
        QTest::newRow("umlauts, summer time, continued comment")
            << 0 << 2
            << "Müller|Jürgen|2|3.7.1985|14:30:00|München/D|48.1333|11.5667|Europe/Berlin|"
               "Erste Zeile der Notiz\ndie zweite Zeile geht weiter";
        QTest::newRow("event, unknown first name and time, no #B93")
            << 1 << 7 << "Ereignis||3|24.12.1992|*|Freiburg/D|-|-||";
        QTest::newRow("local mean time") << 2 << 8
                                         << "Cezanne|Paul|2|19.1.1839|1:00:00|Aix-En-Provence/"
                                            "F|43.5167|5.4500|LMT|";
        QTest::newRow("south and east, computed chunk passed over")
            << 3 << 10 << "Smith|Anne|1|5.2.1970|23:15:00|Sydney/AUS|-33.8667|151.2000|UTC+10:00|";
        QTest::newRow("west, unknown kind, source")
            << 4 << 13
            << "Doe|John|0|10.10.1960|8:05:00|New York/USA|40.7167|-74.0000|UTC-05:00|"
               "Quelle: Geburtsurkunde";
    }
    void readsTheSample() {
        QFETCH(int, index);
        QFETCH(int, line);
        QFETCH(QString, expected);
        const AafRead read = readAaf(sample("sample.aaf"));
        QCOMPARE(read.encoding, AafEncoding::Utf8);
        QCOMPARE(read.births.size(), 5);
        QCOMPARE(describe(read.births[index]), expected);
        QCOMPARE(read.lines[index], line);
    }

    void skipsBadRecordsWithLineAndReason() {
        const AafRead read = readAaf(sample("sample.aaf"));
        const QList<AafSkip> expected = {
            {16, "Das Datum „31.2.1990“ ist kein Tag (erwartet: T.M.JJJJ)."},
            {18, "Die Breite „95n00“ ist keine Breite zwischen 90° Nord und 90° Süd (etwa 49n05)."},
            {19, "Die Uhrzeit „25:10“ gibt es nicht (erwartet: h:mm)."},
            {20, "Die #A93-Zeile hat 4 statt 7 Felder."},
        };
        QCOMPARE(read.skipped, expected);
    }

    void readsWindows1252() {
        const AafRead read = readAaf(sample("sample-cp1252.aaf"));
        QCOMPARE(read.encoding, AafEncoding::Windows1252);
        QCOMPARE(read.births.size(), 1);
        QCOMPARE(describe(read.births[0]),
                 "Weiß|Käthe|1|2.3.1950|6:45:00|Zürich/CH|47.3667|8.5500|UTC+01:00|Öl und "
                 "Übermut – 20 €");
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
        const QByteArray written = writeAaf(births, AafEncoding(encoding));
        const AafRead again = readAaf(written);
        QVERIFY2(again.skipped.isEmpty(), again.skipped.isEmpty()
                                              ? ""
                                              : qPrintable(QString::number(again.skipped[0].line) +
                                                           again.skipped[0].reason));
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
    }

    // The day of an unknown birth time: each nakshatra change it reports holds a minute before
    // and after on the zone's clocks, and the range starts at the Moon of 0:00.
    void unknownTimeDescribesTheDay_data() {
        QTest::addColumn<QDate>("date");
        for (int d = 0; d < 6; ++d) {
            const QDate date(1985, 7, 1 + d);
            QTest::newRow(qPrintable(date.toString(Qt::ISODate))) << date;
        }
    }
    void unknownTimeDescribesTheDay() {
        QFETCH(QDate, date);
        const auto text = unknownTimeText(date, QStringLiteral("Europe/Berlin"), std::nullopt);
        QVERIFY(std::holds_alternative<QString>(text));
        const QString t = std::get<QString>(text);
        const QTimeZone berlin("Europe/Berlin");
        auto nakshatraAt = [&](QTime time) {
            const QDateTime utc = QDateTime(date, time, berlin).toUTC();
            const auto p =
                zeitrad::moon::position({utc.date().year(), utc.date().month(), utc.date().day(),
                                         utc.time().msecsSinceStartOfDay() / 1000.0},
                                        date.year());
            return QString::fromUtf8(
                zeitrad::nakshatraName[std::get<zeitrad::moon::Position>(p).reading.nakshatra]);
        };
        QVERIFY2(t.startsWith("Geburtszeit unbekannt: der Mond steht an diesem Tag zwischen "),
                 qPrintable(t));
        static const QRegularExpression change(
            QStringLiteral("wechselt um (\\d+):(\\d\\d) von (.+) zu (.+)\\.$"));
        static const QRegularExpression stays(QStringLiteral("bleibt den ganzen Tag (.+)\\.$"));
        if (const auto m = change.match(t); m.hasMatch()) {
            const QTime at(m.captured(1).toInt(), m.captured(2).toInt());
            QCOMPARE(nakshatraAt(at.addSecs(-60)), m.captured(3));
            QCOMPARE(nakshatraAt(at.addSecs(60)), m.captured(4));
        } else {
            const auto s = stays.match(t);
            QVERIFY2(s.hasMatch(), qPrintable(t));
            QCOMPARE(nakshatraAt(QTime(0, 0)), s.captured(1));
            QCOMPARE(nakshatraAt(QTime(23, 59)), s.captured(1));
        }
    }

    void unknownTimeRefusesWithoutClocks() {
        const auto text = unknownTimeText(QDate(1985, 7, 1), QString(), std::nullopt);
        QCOMPARE(std::get<zeitrad::Refusal>(text).message,
                 "Die Zeitzone der Geburt ist nicht bekannt.");
    }
};

QTEST_GUILESS_MAIN(AafTest)
#include "aaf_test.moc"
