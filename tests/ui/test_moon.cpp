// The Moon calculator as a user meets it: "Mond aus Geburtszeit …" on the input screen, the
// dialog's fields, the time zones with their skipped and repeated hours, local mean time, and
// "Übernehmen" filling the input screen as if the position had been typed by hand; the birth place
// from the atlas with its own local mean time before the zone's standard time.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QtTest>

#include <cmath>

#include "astronomy/moon.h"
#include "birth.h"
#include "birth/moment.h"
#include "birth/register.h"
#include "mooncalculator/moondialog.h"
#include "pluginloader/pluginloader.h"
#include "screens/input.h"
#include "uitest.h"

using zeitrad::birth::Clocks;
using zeitrad::mooncalculator::MoonDialog;

namespace {

struct Birth {
    QDate date;
    QTime time;
    QString zone;      // the zone's IANA id, "UTC" or "LMT"
    QString longitude; // for local mean time
};

// The window on the input screen with the dialog open.
struct Calculator {
    uitest::Window ui;
    MoonDialog* dialog = nullptr;
    Calculator() {
        uitest::click(&ui.window, "Button13");
        uitest::click(&ui.window, "Button23");
        dialog = ui.window.findChild<MoonDialog*>("MoonDialog");
        if (!dialog || !QTest::qWaitForWindowExposed(dialog))
            qFatal("the Moon calculator did not open");
    }
    template <typename T> T* field(const char* name) { return uitest::find<T>(dialog, name); }
    void enter(const Birth& b) {
        field<QDateEdit>("MoonDate")->setDate(b.date);
        field<QTimeEdit>("MoonTime")->setTime(b.time);
        setZone(b.zone == "LMT" ? "Mittlere Ortszeit (LMT) am Geburtsort" : b.zone);
        if (!b.longitude.isNull())
            birth::type(field<QLineEdit>("MoonLongitude"), b.longitude);
    }
    void setZone(const QString& zone) {
        birth::type(field<QComboBox>("MoonZone")->lineEdit(), zone);
    }
    void setLocal(const QDateTime& local) {
        field<QDateEdit>("MoonDate")->setDate(local.date());
        field<QTimeEdit>("MoonTime")->setTime(local.time());
    }
    // Types into the birth place field and presses Return, which takes the first match.
    void takePlace(const QString& typed) {
        birth::type(field<QLineEdit>("MoonPlace"), typed);
        QTest::keyClick(field<QLineEdit>("MoonPlace"), Qt::Key_Return);
    }
    // The place field, the coordinates under it and the zone.
    QStringList place() {
        return {field<QLineEdit>("MoonPlace")->text(), field<QLabel>("MoonCoordinates")->text(),
                field<QComboBox>("MoonZone")->currentText()};
    }
    QString result() { return field<QLabel>("MoonResult")->text(); }
    QString applyExpectingMessage() {
        return uitest::messageFrom([this] { uitest::click(dialog, "MoonApply"); });
    }
    // The six fields, the chosen sign and the tropical box as the input screen holds them.
    QStringList inputScreen() {
        QStringList held;
        for (int n = 1; n <= 6; ++n)
            held << birth::edit(ui.window, n)->text();
        held << QString::number(birth::signGroup(ui.window)->checkedId());
        held << QString::number(uitest::find<QCheckBox>(&ui.window, "CheckBox1")->isChecked());
        return held;
    }
};

// What the fields must hold for a moment in UTC (or UT before 1960), from the astronomy alone.
QStringList expectedFields(const QDate& civil, const QDateTime& utc, double extraSeconds = 0) {
    const zeitrad::astronomy::Moment moment{utc.date().year(), utc.date().month(), utc.date().day(),
                                            utc.time().msecsSinceStartOfDay() / 1000.0 +
                                                extraSeconds};
    const auto outcome = zeitrad::astronomy::position(moment, civil.year());
    const auto& p = std::get<zeitrad::astronomy::Position>(outcome);
    return {QString::number(p.tropical.degrees), QString::number(p.tropical.minutes),
            QString::number(p.tropical.seconds), QString::number(civil.day()),
            QString::number(civil.month()),      QString::number(civil.year()),
            QString::number(p.tropical.sign),    "1"};
}

// A register of the test's own, as the dialog finds it.
struct OwnRegister {
    QTemporaryDir dir;
    zeitrad::birth::Register* reg = nullptr;
    OwnRegister() {
        qputenv("ZEITRAD_REGISTER", dir.filePath("geburten.sqlite").toLocal8Bit());
        reg = uitest::loaded<zeitrad::birth::Register>("register");
        if (!std::holds_alternative<zeitrad::birth::Done>(
                reg->open(dir.filePath("geburten.sqlite"))))
            qFatal("the register did not open");
    }
    QList<zeitrad::birth::Birth> all() {
        return std::get<QList<zeitrad::birth::Birth>>(reg->list());
    }
};

} // namespace

Q_DECLARE_METATYPE(Birth)
Q_DECLARE_METATYPE(zeitrad::birth::LocalBirth)

class MoonTest : public QObject {
    Q_OBJECT
private slots:
    void buttonLiesInFreeSpace();
    void opensOnDemandWithTheTypedDate();
    void appliesThePositionOfTheBirthMoment_data();
    void appliesThePositionOfTheBirthMoment();
    void skippedHourIsRefused();
    void repeatedHourAsksWhichOne();
    void badInputChangesNothing_data();
    void badInputChangesNothing();
    void keyboard();
    void warnsWhenTenMinutesChangeTheNakshatra();
    void zoneMomentsAcrossTransitions_data();
    void zoneMomentsAcrossTransitions();
    void momentsOfALocalBirth_data();
    void momentsOfALocalBirth();
    void placeGivesZoneAndLongitude();
    void unknownPlaceChangesNothing();
    void savesIntoTheRegister();
    void openedBirthKeepsWhatTheDialogDoesNotShow_data();
    void openedBirthKeepsWhatTheDialogDoesNotShow();
    void unknownTimeTellsTheDay();

    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QApplication::setOrganizationName("ZeitradTest");
        QApplication::setApplicationName("ZeitradMoon");
    }
    void init() { QSettings().clear(); } // each test opens the dialog as if for the first time
};

void MoonTest::buttonLiesInFreeSpace() {
    uitest::Window ui;
    uitest::click(&ui.window, "Button13");
    auto* button = uitest::find<QPushButton>(&ui.window, "Button23");
    QVERIFY(uitest::shown(&ui.window, "Button23"));
    QCOMPARE(button->text(), QString("Mond aus Geburtszeit …"));
    const QWidget* screen = button->parentWidget();
    QVERIFY(screen->rect().contains(button->geometry()));
    for (const QWidget* other : screen->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (other != button && other->isVisible())
            QVERIFY2(!other->geometry().intersects(button->geometry()),
                     qPrintable(other->objectName()));
}

void MoonTest::opensOnDemandWithTheTypedDate() {
    uitest::Window ui;
    QVERIFY(ui.window.findChild<MoonDialog*>() == nullptr); // nothing of it before it is asked for
    birth::enter(ui.window, [] {
        birth::Entry e;
        e.day = "3", e.month = "4", e.year = "1961";
        return e;
    }());
    uitest::click(&ui.window, "Button23");
    auto* dialog = ui.window.findChild<MoonDialog*>("MoonDialog");
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QString("Mondposition aus Geburtszeit"));
    QCOMPARE(dialog->windowModality(), Qt::WindowModal);
    QCOMPARE(uitest::find<QDateEdit>(dialog, "MoonDate")->date(), QDate(1961, 4, 3));
    QCOMPARE(uitest::find<QTimeEdit>(dialog, "MoonTime")->time(), QTime(12, 0));
    QCOMPARE(uitest::find<QDateEdit>(dialog, "MoonDate")->displayFormat(), QString("dd.MM.yyyy"));
    QVERIFY(!uitest::find<QLineEdit>(dialog, "MoonLongitude")->isEnabled());
    uitest::click(dialog, "MoonCancel");
    QVERIFY(!dialog->isVisible());

    // A date that does not exist: the dialog starts from today.
    birth::type(birth::edit(ui.window, 4), "31");
    birth::type(birth::edit(ui.window, 5), "2");
    uitest::click(&ui.window, "Button23");
    QCOMPARE(uitest::find<QDateEdit>(dialog, "MoonDate")->date(), QDate::currentDate());
}

void MoonTest::appliesThePositionOfTheBirthMoment_data() {
    QTest::addColumn<Birth>("birth");
    QTest::addColumn<QDateTime>("utc"); // the moment the local time stands for, worked out by hand
    QTest::addColumn<double>("extraSeconds");
    const auto utc = [](int y, int mo, int d, int h, int mi, int s = 0) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
    };
    QTest::newRow("UTC, the Meeus example's day")
        << Birth{{1992, 4, 12}, {0, 0}, "UTC", {}} << utc(1992, 4, 12, 0, 0) << 0.0;
    QTest::newRow("Berlin, winter")
        << Birth{{1980, 1, 15}, {6, 30}, "Europe/Berlin", {}} << utc(1980, 1, 15, 5, 30) << 0.0;
    QTest::newRow("Berlin, 1947 double summer time")
        << Birth{{1947, 6, 1}, {12, 0}, "Europe/Berlin", {}} << utc(1947, 6, 1, 9, 0) << 0.0;
    QTest::newRow("Berlin, 1947 summer time in spring")
        << Birth{{1947, 4, 20}, {12, 0}, "Europe/Berlin", {}} << utc(1947, 4, 20, 10, 0) << 0.0;
    QTest::newRow("New York, summer") << Birth{{1969, 7, 20}, {22, 56, 15}, "America/New_York", {}}
                                      << utc(1969, 7, 21, 2, 56, 15) << 0.0;
    QTest::newRow("Kolkata, the day before in UTC")
        << Birth{{2000, 1, 1}, {3, 0}, "Asia/Kolkata", {}} << utc(1999, 12, 31, 21, 30) << 0.0;
    QTest::newRow("Sydney, 2150") << Birth{{2150, 1, 10}, {12, 0}, "Australia/Sydney", {}}
                                  << utc(2150, 1, 10, 1, 0) << 0.0;
    QTest::newRow("local mean time, Berlin 1850")
        << Birth{{1850, 3, 1}, {12, 0}, "LMT", "13°24' O"} << utc(1850, 3, 1, 11, 6, 24) << 0.0;
    QTest::newRow("local mean time, New York 1800")
        << Birth{{1800, 1, 1}, {0, 30}, "LMT", "73 59 W"} << utc(1800, 1, 1, 5, 25, 56) << 0.0;
    QTest::newRow("local mean time, fractional seconds")
        << Birth{{1900, 6, 1}, {12, 0}, "LMT", "13.41"} << utc(1900, 6, 1, 11, 6, 21) << 0.6;
    QTest::newRow("last supported day")
        << Birth{{2199, 12, 31}, {23, 59, 59}, "UTC", {}} << utc(2199, 12, 31, 23, 59, 59) << 0.0;
}

void MoonTest::appliesThePositionOfTheBirthMoment() {
    QFETCH(Birth, birth);
    QFETCH(QDateTime, utc);
    QFETCH(double, extraSeconds);
    Calculator c;
    c.enter(birth);
    QVERIFY2(c.result().contains("Nakshatra:"), qPrintable(c.result()));
    uitest::click(c.dialog, "MoonApply");
    QVERIFY(!c.dialog->isVisible());
    const QStringList held = c.inputScreen();
    QCOMPARE(held, expectedFields(birth.date, utc, extraSeconds));

    // Calculated as always, the overview is the one for those fields typed by hand.
    uitest::click(&c.ui.window, "Button12");
    const auto outcome = zeitrad::Engine().calculate(
        uitest::find<zeitrad::screens::InputScreen>(&c.ui.window, "Panel8")->input());
    const auto& result = std::get<zeitrad::Result>(outcome);
    QCOMPARE(uitest::find<zeitrad::widgets::Label>(&c.ui.window, "Label261")->text(),
             QString::fromStdString(result.nakshatraName));
    QVERIFY(c.result().contains(QString::fromStdString(result.nakshatraName)));
}

void MoonTest::skippedHourIsRefused() {
    Calculator c;
    const QStringList before = c.inputScreen();
    c.enter({{2021, 3, 28}, {2, 30}, "Europe/Berlin", {}});
    QVERIFY(c.result().contains("Europe/Berlin"));
    const QString message = c.applyExpectingMessage();
    QVERIFY2(message.contains("Europe/Berlin") && message.contains("02:30"), qPrintable(message));
    QVERIFY(c.dialog->isVisible());
    QCOMPARE(c.inputScreen(), before);
}

void MoonTest::repeatedHourAsksWhichOne() {
    Calculator c;
    const QStringList before = c.inputScreen();
    c.enter({{2021, 10, 31}, {2, 30}, "Europe/Berlin", {}});
    // The question offers both moments, earlier first, and a way out.
    const auto answer = [&](int choice) {
        const QStringList buttons = {"02:30 Sommerzeit (UTC+2)", "02:30 Normalzeit (UTC+1)",
                                     "Abbrechen"};
        uitest::Box box;
        uitest::answerNext(&box, buttons[choice]);
        uitest::click(c.dialog, "MoonApply");
        return box.buttons;
    };
    QStringList offered = answer(2);
    QCOMPARE(offered.size(), 3);
    QCOMPARE(offered.mid(0, 2),
             QStringList({"02:30 Sommerzeit (UTC+2)", "02:30 Normalzeit (UTC+1)"}));
    QVERIFY(offered.contains("Abbrechen"));
    QCOMPARE(c.inputScreen(), before); // cancelled
    QVERIFY(c.dialog->isVisible());

    answer(offered.indexOf("02:30 Normalzeit (UTC+1)"));
    QCOMPARE(c.inputScreen(),
             expectedFields(QDate(2021, 10, 31),
                            QDateTime(QDate(2021, 10, 31), QTime(1, 30), QTimeZone::utc())));
}

void MoonTest::badInputChangesNothing_data() {
    QTest::addColumn<Birth>("birth");
    QTest::addColumn<QString>("named"); // what the message must name
    QTest::newRow("unreadable longitude")
        << Birth{{1850, 3, 1}, {12, 0}, "LMT", "dreizehn"} << "dreizehn";
    QTest::newRow("longitude beyond 180") << Birth{{1850, 3, 1}, {12, 0}, "LMT", "181 O"} << "180";
    QTest::newRow("no longitude") << Birth{{1850, 3, 1}, {12, 0}, "LMT", ""} << "Länge";
    QTest::newRow("unknown zone") << Birth{{1990, 3, 1}, {12, 0}, "Mars/Olympus", {}}
                                  << "Mars/Olympus";
    QTest::newRow("year before the range")
        << Birth{{1799, 12, 31}, {23, 0}, "UTC", {}} << "1800–2199";
    QTest::newRow("year after the range") << Birth{{2200, 1, 1}, {0, 0}, "UTC", {}} << "1800–2199";
}

void MoonTest::badInputChangesNothing() {
    QFETCH(Birth, birth);
    QFETCH(QString, named);
    Calculator c;
    const QStringList before = c.inputScreen();
    c.enter(birth);
    QVERIFY2(c.result().contains(named), qPrintable(c.result()));
    const QString message = c.applyExpectingMessage();
    QVERIFY2(message.contains(named), qPrintable(message));
    QCOMPARE(c.inputScreen(), before);
}

void MoonTest::keyboard() {
    Calculator c;
    const QStringList before = c.inputScreen();
    c.enter({{1992, 4, 12}, {0, 0}, "UTC", {}});
    QTest::keyClick(c.field<QTimeEdit>("MoonTime"), Qt::Key_Escape);
    QVERIFY(!c.dialog->isVisible());
    QCOMPARE(c.inputScreen(), before);

    uitest::click(&c.ui.window, "Button23");
    c.enter({{1992, 4, 12}, {0, 0}, "UTC", {}});
    QTest::keyClick(c.field<QTimeEdit>("MoonTime"), Qt::Key_Return);
    QVERIFY(!c.dialog->isVisible());
    QCOMPARE(c.inputScreen(),
             expectedFields(QDate(1992, 4, 12),
                            QDateTime(QDate(1992, 4, 12), QTime(0, 0), QTimeZone::utc())));
}

void MoonTest::warnsWhenTenMinutesChangeTheNakshatra() {
    // The first minute of 1 March 2001 (UTC) whose Moon stands in another nakshatra than the one
    // before it, found from the astronomy alone.
    const auto nakshatraAt = [](int minute) {
        const auto p = zeitrad::astronomy::position({2001, 3, 1, minute * 60.0}, 2001);
        return std::get<zeitrad::astronomy::Position>(p).reading.nakshatra;
    };
    int change = 1;
    while (nakshatraAt(change) == nakshatraAt(change - 1))
        ++change;
    QVERIFY(change < 2 * 1440);
    const QString next = QString::fromLatin1(zeitrad::nakshatraName[nakshatraAt(change)]).trimmed();
    const QString previous =
        QString::fromLatin1(zeitrad::nakshatraName[nakshatraAt(change - 1)]).trimmed();

    Calculator c;
    const QDateTime start(QDate(2001, 3, 1), QTime(0, 0), QTimeZone::utc());
    c.enter({start.addSecs((change - 5) * 60).date(),
             start.addSecs((change - 5) * 60).time(),
             "UTC",
             {}});
    QVERIFY2(c.result().contains("10 Minuten später stünde der Mond schon in " + next + "."),
             qPrintable(c.result()));
    c.enter({start.addSecs((change + 4) * 60).date(),
             start.addSecs((change + 4) * 60).time(),
             "UTC",
             {}});
    QVERIFY2(c.result().contains("10 Minuten früher stünde der Mond noch in " + previous + "."),
             qPrintable(c.result()));
    c.enter({start.addSecs((change + 40) * 60).date(),
             start.addSecs((change + 40) * 60).time(),
             "UTC",
             {}});
    QVERIFY(!c.result().contains("10 Minuten"));
}

void MoonTest::zoneMomentsAcrossTransitions_data() {
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QDateTime>("local"); // read as a local date and time
    QTest::addColumn<QList<int>>("offsets");
    QTest::addColumn<QStringList>("offered"); // as the question between two moments would name them
    const auto at = [](int y, int mo, int d, int h, int mi) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi), QTimeZone::utc());
    };
    QTest::newRow("Berlin, ordinary")
        << "Europe/Berlin" << at(2021, 7, 1, 12, 0) << QList<int>{7200}
        << QStringList{"12:00 Sommerzeit (UTC+2)"};
    QTest::newRow("Berlin, skipped")
        << "Europe/Berlin" << at(2021, 3, 28, 2, 0) << QList<int>{} << QStringList{};
    QTest::newRow("Berlin, repeated")
        << "Europe/Berlin" << at(2021, 10, 31, 2, 59) << QList<int>{7200, 3600}
        << QStringList{"02:59 Sommerzeit (UTC+2)", "02:59 Normalzeit (UTC+1)"};
    QTest::newRow("Berlin, 1947 double summer time")
        << "Europe/Berlin" << at(1947, 6, 1, 12, 0) << QList<int>{10800}
        << QStringList{"12:00 Sommerzeit (UTC+3)"};
    QTest::newRow("Berlin, before time zones")
        << "Europe/Berlin" << at(1880, 7, 1, 12, 0) << QList<int>{3208}
        << QStringList{"12:00 Normalzeit (UTC+0:53:28)"};
    QTest::newRow("New York, skipped")
        << "America/New_York" << at(2020, 3, 8, 2, 30) << QList<int>{} << QStringList{};
    QTest::newRow("Lord Howe, half-hour repeat")
        << "Australia/Lord_Howe" << at(2021, 4, 4, 1, 45) << QList<int>{39600, 37800}
        << QStringList{"01:45 Sommerzeit (UTC+11)", "01:45 Normalzeit (UTC+10:30)"};
    QTest::newRow("Caracas, west of Greenwich")
        << "America/Caracas" << at(2010, 1, 1, 12, 0) << QList<int>{-16200}
        << QStringList{"12:00 Normalzeit (UTC−4:30)"};
}

void MoonTest::zoneMomentsAcrossTransitions() {
    QFETCH(QString, zone);
    QFETCH(QDateTime, local);
    QFETCH(QList<int>, offsets);
    QFETCH(QStringList, offered);
    const QList<zeitrad::birth::ZoneMoment> moments =
        zeitrad::birth::zoneMoments(local.date(), local.time(), QTimeZone(zone.toLatin1()));
    QList<int> found;
    QStringList named;
    for (const auto& m : moments) {
        found << m.offsetSeconds;
        named << zeitrad::birth::choiceText(local.time(), m);
        QCOMPARE(m.utcMSecs, local.toMSecsSinceEpoch() - qint64{m.offsetSeconds} * 1000);
    }
    QCOMPARE(found, offsets);
    QCOMPARE(named, offered);
}

void MoonTest::momentsOfALocalBirth_data() {
    using zeitrad::birth::LocalBirth;
    QTest::addColumn<LocalBirth>("birth");
    QTest::addColumn<QDateTime>("utc"); // the moment, or the earlier of two
    // Which clocks, then the two moments offered; or why not.
    QTest::addColumn<QStringList>("shown");
    const auto utc = [](int y, int mo, int d, int h, int mi, int s = 0) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
    };
    // Graz, 15° 26′ 24″ O: its mean time, 1:01:46, was ahead of the zone's CET, so at Vienna's
    // switch (1.4.1893 0:00 Vienna mean time = 31.3. 22:54:39 UT) its clocks went back 1:46.
    const auto graz = [](int h, int mi) {
        return LocalBirth{{1893, 3, 31}, {h, mi}, Clocks::zone("Europe/Vienna"), 15.44, "Graz"};
    };
    QTest::newRow("Graz, twice: its own mean time or CET")
        << graz(23, 56) << utc(1893, 3, 31, 22, 54, 14)
        << QStringList{"Ortszeit Graz (LMT, 15° 26′ O)", "23:56 Ortszeit (UTC+1:01:46)",
                       "23:56 Normalzeit (UTC+1)"};
    // Vienna's own mean time would still give 22:52:39; not Graz's clocks.
    QTest::newRow("Graz, once: CET, not Vienna's mean time")
        << graz(23, 58) << utc(1893, 3, 31, 22, 58)
        << QStringList{"Zonenzeit Europe/Vienna (UTC+1)"};
    QTest::newRow("a place without a name")
        << LocalBirth{{1880, 7, 1}, {12, 0}, Clocks::zone("Europe/Berlin"), 9.6121}
        << utc(1880, 7, 1, 11, 21, 33) << QStringList{"Ortszeit (LMT, 9° 37′ O)"};
    QTest::newRow("local mean time, 74° west, the day after in UT")
        << LocalBirth{{1850, 3, 1}, {22, 0}, Clocks::meanTime(), -74.0} << utc(1850, 3, 2, 2, 56)
        << QStringList{"Mittlere Ortszeit (LMT, 74° 00′ W)"};
    QTest::newRow("local mean time without a longitude")
        << LocalBirth{{1850, 3, 1}, {12, 0}, Clocks::meanTime(), {}} << QDateTime()
        << QStringList{"Bitte die geographische Länge des Geburtsorts angeben (Osten positiv), "
                       "z. B. 13.4."};
    QTest::newRow("no date") << LocalBirth{{}, {12, 0}, Clocks::utc(), {}} << QDateTime()
                             << QStringList{"Das Geburtsdatum oder die Geburtszeit fehlt."};
}

void MoonTest::momentsOfALocalBirth() {
    QFETCH(zeitrad::birth::LocalBirth, birth);
    QFETCH(QDateTime, utc);
    QFETCH(QStringList, shown);
    const auto found = zeitrad::birth::birthMoments(birth);
    QStringList seen;
    if (const auto* no = std::get_if<zeitrad::Refusal>(&found)) {
        seen << QString::fromStdString(no->message);
    } else {
        const auto& moments = std::get<zeitrad::birth::BirthMoments>(found);
        QCOMPARE(moments.utcMSecs, static_cast<double>(utc.toMSecsSinceEpoch()));
        seen << moments.clock;
        for (const auto& choice : moments.choices)
            seen << zeitrad::birth::choiceText(birth.time, choice);
    }
    QCOMPARE(seen, shown);
}

// Ravensburg, 9° 37′ O, kept its own mean time, UT + 0:38:27, until Berlin's zone went over to
// CET at 1.4.1893 0:00 Berlin time (31.3. 23:06:32 UT): its clocks then jumped from 23:44:59 to
// 0:06:32. Typed over, the zone and the longitude are the user's word; the place taken is
// remembered for the next opening, readable by its owner only; cleared, the zone alone counts.
void MoonTest::placeGivesZoneAndLongitude() {
    const auto at = [](int y, int mo, int d, int h, int mi) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi), QTimeZone::utc());
    };
    const QStringList ravensburg{"Ravensburg, Baden-Württemberg, Deutschland",
                                 "47° 47′ N, 9° 37′ O", "Europe/Berlin"};
    const QString ownTime1880 = "Gerechnet nach: Ortszeit Ravensburg (LMT, 9° 37′ O)\n"
                                "Weltzeit (UT): 01.07.1880 11:21:33";
    const QList<std::pair<QDateTime, QString>> shown{
        {at(1880, 7, 1, 12, 0), ownTime1880},
        {at(1893, 3, 31, 23, 40), "Gerechnet nach: Ortszeit Ravensburg (LMT, 9° 37′ O)\n"
                                  "Weltzeit (UT): 31.03.1893 23:01:33"},
        {at(1893, 4, 1, 0, 10), "Gerechnet nach: Zonenzeit Europe/Berlin (UTC+1)\n"
                                "Weltzeit (UT): 31.03.1893 23:10:00"},
        {at(1893, 3, 31, 23, 50), "Um 23:50 Uhr am 31.3.1893 gab es in Ravensburg keine Uhrzeit"}};
    {
        Calculator c;
        c.takePlace("Ravens");
        QVERIFY(c.dialog->isVisible()); // Return stays in the field
        QCOMPARE(c.place(), ravensburg);
        QVERIFY(c.field<QLineEdit>("MoonLongitude")->isEnabled());
        for (const auto& [local, text] : shown) {
            c.setLocal(local);
            QVERIFY2(c.result().startsWith(text), qPrintable(c.result()));
        }
        c.setLocal(at(1880, 7, 1, 12, 30));
        birth::type(c.field<QLineEdit>("MoonLongitude"), "10");
        QVERIFY2(c.result().startsWith("Gerechnet nach: Ortszeit Ravensburg (LMT, 10° 00′ O)\n"
                                       "Weltzeit (UT): 01.07.1880 11:50:00"),
                 qPrintable(c.result()));
        // Zürich kept Bern's mean time (UT + 0:29:46) from 1853 to 1894: the zone's, not the
        // place's own.
        c.setZone("Europe/Zurich");
        c.setLocal(at(1880, 7, 1, 12, 0));
        QCOMPARE(c.field<QComboBox>("MoonZone")->currentText(), QString("Europe/Zurich"));
        QCOMPARE(c.field<QLineEdit>("MoonLongitude")->text(), QString("10"));
        QVERIFY2(c.result().startsWith("Gerechnet nach: Zonenzeit Europe/Zurich (UTC+0:29:46)\n"
                                       "Weltzeit (UT): 01.07.1880 11:30:14"),
                 qPrintable(c.result()));
        // Taken again, the place's zone and longitude come back.
        c.takePlace("Ravensburg");
        QCOMPARE(c.place(), ravensburg);
        QVERIFY2(c.result().startsWith(ownTime1880), qPrintable(c.result()));
        uitest::click(c.dialog, "MoonApply");
        QVERIFY(!c.dialog->isVisible());
    }
    Calculator next; // the next opening, in a new window
    QCOMPARE(next.place(), ravensburg);
    next.setLocal(at(1880, 7, 1, 12, 0));
    QVERIFY2(next.result().startsWith(ownTime1880), qPrintable(next.result()));
    QCOMPARE(int(QFile::permissions(QSettings().fileName()) & 0x0077), 0);
    // Cleared: Berlin's zone alone, its own mean time UT + 0:53:28.
    next.field<QLineEdit>("MoonPlace")->clear();
    QCOMPARE(next.place(), QStringList({"", "", "Europe/Berlin"}));
    QVERIFY2(next.result().startsWith(
                 "Gerechnet nach: Ortszeit der Zonenstadt Europe/Berlin (LMT, UTC+0:53:28)\n"
                 "Weltzeit (UT): 01.07.1880 11:06:32"),
             qPrintable(next.result()));
}

void MoonTest::unknownPlaceChangesNothing() {
    Calculator c;
    c.enter({{1880, 7, 1}, {12, 0}, "Europe/Zurich", {}});
    const QStringList before = c.inputScreen();
    const QString unknown = "Den Ort „Xqzzyville“ kennt der Ortsatlas nicht. Wählen Sie den "
                            "nächstgelegenen größeren Ort oder geben Sie Zeitzone und "
                            "geographische Länge selbst an.";
    QCOMPARE(uitest::messageFrom([&] { c.takePlace("Xqzzyville"); }), unknown);
    QCOMPARE(c.place(), QStringList({"Xqzzyville", "", "Europe/Zurich"}));
    QVERIFY(c.dialog->isVisible());
    // "Übernehmen" does not fall back on the zone.
    QCOMPARE(c.applyExpectingMessage(), unknown);
    QVERIFY(c.dialog->isVisible());
    QCOMPARE(c.inputScreen(), before);
}

// "In Geburten speichern": refused without a name or for a time the clocks skipped, keeping
// nothing; saved with the name split at the comma, the place and the birth time unknown; the same
// birth again refused; opened from the register, changed rather than added.
void MoonTest::savesIntoTheRegister() {
    OwnRegister r;
    Calculator c;
    const auto save = [&] {
        return uitest::messageFrom([&] { uitest::click(c.dialog, "MoonSave"); });
    };
    c.enter({{1990, 2, 1}, {7, 45}, "UTC", {}});
    c.field<QLineEdit>("MoonName")->setText(" , ");
    QVERIFY2(save().contains("Bitte einen Namen eingeben"), "no name");
    c.enter({{2021, 3, 28}, {2, 30}, "Europe/Berlin", {}});
    c.field<QLineEdit>("MoonName")->setText("Weber");
    QVERIFY2(save().contains("02:30"), "skipped hour");
    QCOMPARE(r.all().size(), 0);

    c.enter({{1990, 2, 1}, {7, 45}, "Europe/Berlin", {}});
    c.takePlace("Ravensburg");
    c.field<QLineEdit>("MoonName")->setText(" Müller ,  Anna ");
    c.field<QCheckBox>("MoonTimeUnknown")->setChecked(true);
    uitest::click(c.dialog, "MoonSave");
    QVERIFY2(c.result().startsWith("Gespeichert: Müller, Anna\n"), qPrintable(c.result()));
    QList<zeitrad::birth::Birth> kept = zeitrad::birth::birthsNamed(r.all(), "muller");
    QCOMPARE(kept.size(), 1);
    zeitrad::birth::Birth b = kept[0];
    QCOMPARE(QStringList({b.surname, b.firstName, b.date.toString("d.M.yyyy"), b.place, b.country,
                          b.clocks->text()}),
             QStringList({"Müller", "Anna", "1.2.1990", "Ravensburg", "DE", "Europe/Berlin"}));
    QVERIFY(!b.time); // saved with the birth time unknown
    QVERIFY(std::abs(b.latitude.value_or(0) - 47.78) + std::abs(b.longitude.value_or(0) - 9.61) <
            0.04);

    // The same birth again is refused; the register keeps one.
    QVERIFY2(save().contains("schon im Geburtenregister"), "saved twice");
    QCOMPARE(r.all().size(), 1);

    // Opened from the register, the birth is changed, not added: a time now, and a single name.
    c.dialog->setOpenedBirth(b);
    QCOMPARE(c.field<QLineEdit>("MoonName")->text(), QString("Müller, Anna"));
    c.field<QCheckBox>("MoonTimeUnknown")->setChecked(false);
    c.field<QTimeEdit>("MoonTime")->setTime({14, 30});
    c.field<QLineEdit>("MoonName")->setText("Schmidt");
    uitest::click(c.dialog, "MoonSave");
    kept = r.all();
    QCOMPARE(kept.size(), 1);
    QCOMPARE(kept[0].id, b.id);
    QCOMPARE(kept[0].surname + "|" + kept[0].firstName + "|" + kept[0].place,
             QString("Schmidt||Ravensburg"));
    QCOMPARE(kept[0].time, std::optional<QTime>(QTime(14, 30)));
}

// A birth opened from the register without coordinates (an AAF record with "#B93:*,*,*"), on a
// zone's clocks or a fixed offset: a new time saved, its place, country and zone stay.
void MoonTest::openedBirthKeepsWhatTheDialogDoesNotShow_data() {
    QTest::addColumn<QString>("zone");
    QTest::newRow("zone") << "Europe/Berlin";
    QTest::newRow("fixed offset") << "UTC+00:53";
}
void MoonTest::openedBirthKeepsWhatTheDialogDoesNotShow() {
    QFETCH(QString, zone);
    OwnRegister r;
    zeitrad::birth::Birth b;
    b.surname = "Ort";
    b.date = {1880, 4, 1};
    b.time = QTime(12, 0);
    b.place = "Ravensburg";
    b.country = "D";
    b.clocks = Clocks::fromText(zone);
    b.id = std::get<qint64>(r.reg->add(b));
    Calculator c;
    c.dialog->setOpenedBirth(b);
    c.field<QTimeEdit>("MoonTime")->setTime({9, 15});
    QCOMPARE(uitest::messageFrom([&] { uitest::click(c.dialog, "MoonSave"); }), QString());
    const zeitrad::birth::Birth kept = r.all().value(0);
    QCOMPARE(QStringList({kept.place, kept.country, kept.clocks->text(), kept.time->toString()}),
             QStringList({"Ravensburg", "D", zone, "09:15:00"}));
}

// "Geburtszeit unbekannt": the Moon's span over the day and whether its nakshatra changes, above
// the Moon of noon, local time, whatever the time field holds.
void MoonTest::unknownTimeTellsTheDay() {
    const QList<std::pair<QDate, QString>> days{
        // Sidereal (less 23°51′): Waage 12°56′ to 24°58′; Swaati ends at Waage 20°00′, reached at
        // half a degree an hour two hours after noon (Skorpion 12°49′).
        {{2000, 1, 1},
         "Geburtszeit unbekannt: der Mond steht an diesem Tag zwischen Skorpion 6°47′ und "
         "Skorpion 18°49′; die Nakshatra wechselt um 14:04 von Swaati zu Vishaakhaa."},
        // Sidereal Schütze 0°32′ to 12°22′: all of it in Mula (Schütze 0°00′ to 13°20′).
        {{2000, 1, 5},
         "Geburtszeit unbekannt: der Mond steht an diesem Tag zwischen Schütze 24°23′ und "
         "Steinbock 6°13′; die Nakshatra bleibt den ganzen Tag Mula."}};
    Calculator c;
    for (const auto& [date, day] : days) {
        c.enter({date, {12, 0}, "Europe/Berlin", {}});
        const QString noon = c.result();
        c.field<QTimeEdit>("MoonTime")->setTime({3, 0});
        c.field<QCheckBox>("MoonTimeUnknown")->setChecked(true);
        QVERIFY(!c.field<QTimeEdit>("MoonTime")->isEnabled());
        QCOMPARE(c.result(), day + "\nDer Mond hier für 12:00 Ortszeit.\n" + noon);
        c.field<QCheckBox>("MoonTimeUnknown")->setChecked(false);
    }
}

QTEST_MAIN(MoonTest)
#include "test_moon.moc"
