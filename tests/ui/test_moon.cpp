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
#include "birth/plugins.h"
#include "birth/register.h"
#include "moon/moondialog.h"
#include "moon/placefield.h"
#include "screens/input.h"
#include "uitest.h"

using zeitrad::ui::MoonDialog;

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
        QLineEdit* zone = field<QComboBox>("MoonZone")->lineEdit();
        zone->selectAll();
        QTest::keyClick(zone, Qt::Key_Delete);
        QTest::keyClicks(zone, b.zone == "LMT" ? "Mittlere Ortszeit (LMT) am Geburtsort" : b.zone);
        if (!b.longitude.isNull())
            birth::type(field<QLineEdit>("MoonLongitude"), b.longitude);
    }
    // Types into the birth place field and presses Return, which takes the first match.
    void takePlace(const QString& typed) {
        QLineEdit* place = field<QLineEdit>("MoonPlace");
        place->setFocus();
        place->selectAll();
        QTest::keyClick(place, Qt::Key_Delete);
        QTest::keyClicks(place, typed);
        QTest::keyClick(place, Qt::Key_Return);
    }
    void setZone(const QString& zone) {
        QLineEdit* edit = field<QComboBox>("MoonZone")->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, zone);
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
    const zeitrad::moon::Moment moment{utc.date().year(), utc.date().month(), utc.date().day(),
                                       utc.time().msecsSinceStartOfDay() / 1000.0 + extraSeconds};
    const auto outcome = zeitrad::moon::position(moment, civil.year());
    const auto& p = std::get<zeitrad::moon::Position>(outcome);
    return {QString::number(p.tropical.degrees), QString::number(p.tropical.minutes),
            QString::number(p.tropical.seconds), QString::number(civil.day()),
            QString::number(civil.month()),      QString::number(civil.year()),
            QString::number(p.tropical.sign),    "1"};
}

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
    void placeGivesZoneOrItsOwnMeanTime_data();
    void placeGivesZoneOrItsOwnMeanTime();
    void returnTakesTheFirstTownAndIsRemembered();
    void typedZoneAndLongitudeAreTheUsersWord();
    void unknownPlaceChangesNothing();
    void savesIntoTheRegister();
    void refusedSaveKeepsNothing_data();
    void refusedSaveKeepsNothing();
    void unknownTimeTellsTheDay_data();
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
        uitest::find<zeitrad::ui::InputScreen>(&c.ui.window, "Panel8")->input());
    const auto& result = std::get<zeitrad::Result>(outcome);
    QCOMPARE(uitest::find<zeitrad::ui::Label>(&c.ui.window, "Label261")->text(),
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
        QStringList offered;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            const QList<QAbstractButton*> buttons = box->buttons();
            for (QAbstractButton* b : buttons)
                offered << b->text();
            for (QAbstractButton* b : buttons)
                if (b->text() == offered.value(choice))
                    b->click();
        });
        uitest::click(c.dialog, "MoonApply");
        return offered;
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
        const auto p = zeitrad::moon::position({2001, 3, 1, minute * 60.0}, 2001);
        return std::get<zeitrad::moon::Position>(p).reading.nakshatra;
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
    QTest::addColumn<int>("choices");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QStringList>("clocks"); // which clocks, then the two moments offered
    const auto utc = [](int y, int mo, int d, int h, int mi, int s = 0) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
    };
    // Graz, 15° 26′ 24″ O: its mean time, 1:01:46, was ahead of the zone's CET, so at Vienna's
    // switch (1.4.1893 0:00 Vienna mean time = 31.3. 22:54:39 UT) its clocks went back 1:46.
    const auto graz = [](int h, int mi) {
        return LocalBirth{{1893, 3, 31}, {h, mi}, "Europe/Vienna", 15.44, "Graz"};
    };
    QTest::newRow("Graz, twice: its own mean time or CET")
        << graz(23, 56) << utc(1893, 3, 31, 22, 54, 14) << 2 << QString()
        << QStringList{"Ortszeit Graz (LMT, 15° 26′ O)", "23:56 Ortszeit (UTC+1:01:46)",
                       "23:56 Normalzeit (UTC+1)"};
    // Vienna's own mean time would still give 22:52:39; not Graz's clocks.
    QTest::newRow("Graz, once: CET, not Vienna's mean time")
        << graz(23, 58) << utc(1893, 3, 31, 22, 58) << 0 << QString()
        << QStringList{"Zonenzeit Europe/Vienna (UTC+1)"};
    QTest::newRow("a place without a name")
        << LocalBirth{{1880, 7, 1}, {12, 0}, "Europe/Berlin", 9.6121} << utc(1880, 7, 1, 11, 21, 33)
        << 0 << QString() << QStringList{"Ortszeit (LMT, 9° 37′ O)"};
    QTest::newRow("UTC") << LocalBirth{{1992, 4, 12}, {0, 0}, "UTC", {}} << utc(1992, 4, 12, 0, 0)
                         << 0 << QString() << QStringList{};
    QTest::newRow("local mean time, 13.4° east")
        << LocalBirth{{1850, 3, 1}, {12, 0}, "LMT", 13.4} << utc(1850, 3, 1, 11, 6, 24) << 0
        << QString() << QStringList{"Mittlere Ortszeit (LMT, 13° 24′ O)"};
    QTest::newRow("local mean time, 74° west, the day after in UT")
        << LocalBirth{{1850, 3, 1}, {22, 0}, "LMT", -74.0} << utc(1850, 3, 2, 2, 56) << 0
        << QString() << QStringList{};
    QTest::newRow("a zone's longitude left aside")
        << LocalBirth{{1980, 1, 15}, {6, 30}, "Europe/Berlin", 13.4} << utc(1980, 1, 15, 5, 30) << 0
        << QString() << QStringList{};
    QTest::newRow("repeated hour") << LocalBirth{{2021, 10, 31}, {2, 30}, "Europe/Berlin", {}}
                                   << utc(2021, 10, 31, 0, 30) << 2 << QString() << QStringList{};
    QTest::newRow("skipped hour")
        << LocalBirth{{2021, 3, 28}, {2, 30}, "Europe/Berlin", {}} << QDateTime() << 0
        << "02:30:00 gab es am 28.03.2021 in der Zeitzone Europe/Berlin nicht: die Uhren wurden "
           "über diese Zeit vorgestellt."
        << QStringList{};
    QTest::newRow("local mean time without a longitude")
        << LocalBirth{{1850, 3, 1}, {12, 0}, "LMT", {}} << QDateTime() << 0
        << "Bitte die geographische Länge des Geburtsorts angeben (Osten positiv), z. B. 13.4."
        << QStringList{};
    QTest::newRow("unknown zone") << LocalBirth{{1990, 3, 1}, {12, 0}, "Mars/Olympus", {}}
                                  << QDateTime() << 0
                                  << "Die Zeitzone „Mars/Olympus“ ist nicht bekannt."
                                  << QStringList{};
    QTest::newRow("no date") << LocalBirth{{}, {12, 0}, "UTC", {}} << QDateTime() << 0
                             << "Das Geburtsdatum oder die Geburtszeit fehlt." << QStringList{};
}

void MoonTest::momentsOfALocalBirth() {
    QFETCH(zeitrad::birth::LocalBirth, birth);
    QFETCH(QDateTime, utc);
    QFETCH(int, choices);
    QFETCH(QString, refusal);
    QFETCH(QStringList, clocks);
    const auto found = zeitrad::birth::birthMoments(birth);
    if (const auto* no = std::get_if<zeitrad::Refusal>(&found)) {
        QCOMPARE(QString::fromStdString(no->message), refusal);
        return;
    }
    QVERIFY2(refusal.isEmpty(), "refusal expected");
    const auto& moments = std::get<zeitrad::birth::BirthMoments>(found);
    QCOMPARE(moments.utcMSecs, static_cast<double>(utc.toMSecsSinceEpoch()));
    QCOMPARE(moments.choices.size(), choices);
    if (!clocks.isEmpty()) {
        QStringList named{moments.clock};
        for (const auto& choice : moments.choices)
            named << zeitrad::birth::choiceText(birth.time, choice);
        QCOMPARE(named, clocks);
    }
}

void MoonTest::placeGivesZoneOrItsOwnMeanTime_data() {
    QTest::addColumn<QString>("place"); // typed and taken with Return; empty: the zone alone
    QTest::addColumn<QDateTime>("local");
    QTest::addColumn<QString>("shown"); // the result's first lines, or the refusal
    const auto at = [](int y, int mo, int d, int h, int mi) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi), QTimeZone::utc());
    };
    // Ravensburg, 9° 37′ O: mean time UT + 0:38:27; Berlin's, the zone's, UT + 0:53:28 until the
    // switch to CET at 1.4.1893 0:00 Berlin time (31.3. 23:06:32 UT). Ravensburg's clocks then
    // jumped from 23:44:59 to 0:06:32.
    QTest::newRow("Ravensburg 1880, its own mean time")
        << "Ravensburg" << at(1880, 7, 1, 12, 0)
        << "Gerechnet nach: Ortszeit Ravensburg (LMT, 9° 37′ O)\n"
           "Weltzeit (UT): 01.07.1880 11:21:33";
    QTest::newRow("Berlin's zone alone 1880")
        << "" << at(1880, 7, 1, 12, 0)
        << "Gerechnet nach: Ortszeit der Zonenstadt Europe/Berlin (LMT, UTC+0:53:28)\n"
           "Weltzeit (UT): 01.07.1880 11:06:32";
    QTest::newRow("Ravensburg before the switch")
        << "Ravensburg" << at(1893, 3, 31, 23, 40)
        << "Gerechnet nach: Ortszeit Ravensburg (LMT, 9° 37′ O)\n"
           "Weltzeit (UT): 31.03.1893 23:01:33";
    QTest::newRow("Ravensburg after the switch")
        << "Ravensburg" << at(1893, 4, 1, 0, 10)
        << "Gerechnet nach: Zonenzeit Europe/Berlin (UTC+1)\nWeltzeit (UT): 31.03.1893 23:10:00";
    QTest::newRow("Ravensburg, minutes its clocks skipped")
        << "Ravensburg" << at(1893, 3, 31, 23, 50)
        << "Um 23:50 Uhr am 31.3.1893 gab es in Ravensburg keine Uhrzeit";
    // Zürich kept Bern's mean time (UT + 0:29:46) from 1853 to 1894: the zone's, not its own.
    QTest::newRow("Zurich 1880, Bern time")
        << "Zurich" << at(1880, 7, 1, 12, 0)
        << "Gerechnet nach: Zonenzeit Europe/Zurich (UTC+0:29:46)\n"
           "Weltzeit (UT): 01.07.1880 11:30:14";
}

void MoonTest::placeGivesZoneOrItsOwnMeanTime() {
    QFETCH(QString, place);
    QFETCH(QDateTime, local);
    QFETCH(QString, shown);
    Calculator c;
    if (place.isEmpty())
        c.setZone("Europe/Berlin");
    else
        c.takePlace(place);
    c.field<QDateEdit>("MoonDate")->setDate(local.date());
    c.field<QTimeEdit>("MoonTime")->setTime(local.time());
    QVERIFY2(c.result().startsWith(shown), qPrintable(c.result()));
}

void MoonTest::returnTakesTheFirstTownAndIsRemembered() {
    {
        Calculator c;
        c.takePlace("Ravens");
        QVERIFY(c.dialog->isVisible()); // Return stays in the field
        QCOMPARE(c.field<QLineEdit>("MoonPlace")->text(),
                 QString("Ravensburg, Baden-Württemberg, Deutschland"));
        QCOMPARE(c.field<QLabel>("MoonCoordinates")->text(), QString("47° 47′ N, 9° 37′ O"));
        QCOMPARE(c.field<QComboBox>("MoonZone")->currentText(), QString("Europe/Berlin"));
        QVERIFY(c.field<QLineEdit>("MoonLongitude")->isEnabled());
        uitest::click(c.dialog, "MoonApply");
        QVERIFY(!c.dialog->isVisible());
    }
    Calculator next; // the next opening, in a new window
    QCOMPARE(next.field<QLineEdit>("MoonPlace")->text(),
             QString("Ravensburg, Baden-Württemberg, Deutschland"));
    QCOMPARE(next.field<QLabel>("MoonCoordinates")->text(), QString("47° 47′ N, 9° 37′ O"));
    QCOMPARE(next.field<QComboBox>("MoonZone")->currentText(), QString("Europe/Berlin"));
    next.field<QDateEdit>("MoonDate")->setDate({1880, 7, 1});
    QVERIFY2(next.result().contains("Ortszeit Ravensburg"), qPrintable(next.result()));
    // The birth place is personal: nothing for the group or others.
    QCOMPARE(int(QFile::permissions(QSettings().fileName()) & 0x0077), 0);
}

void MoonTest::typedZoneAndLongitudeAreTheUsersWord() {
    Calculator c;
    c.takePlace("Ravensburg");
    c.field<QDateEdit>("MoonDate")->setDate({1880, 7, 1});
    birth::type(c.field<QLineEdit>("MoonLongitude"), "10");
    c.field<QTimeEdit>("MoonTime")->setTime({12, 30});
    QVERIFY2(c.result().startsWith("Gerechnet nach: Ortszeit Ravensburg (LMT, 10° 00′ O)\n"
                                   "Weltzeit (UT): 01.07.1880 11:50:00"),
             qPrintable(c.result()));
    c.setZone("Europe/Zurich");
    c.field<QTimeEdit>("MoonTime")->setTime({12, 0});
    QCOMPARE(c.field<QComboBox>("MoonZone")->currentText(), QString("Europe/Zurich"));
    QCOMPARE(c.field<QLineEdit>("MoonLongitude")->text(), QString("10"));
    QVERIFY2(c.result().startsWith("Gerechnet nach: Zonenzeit Europe/Zurich"),
             qPrintable(c.result()));
    // Taken again, the place's zone and longitude come back.
    c.takePlace("Ravensburg");
    QCOMPARE(c.field<QComboBox>("MoonZone")->currentText(), QString("Europe/Berlin"));
    QVERIFY2(c.result().contains("Weltzeit (UT): 01.07.1880 11:21:33"), qPrintable(c.result()));
    // Cleared, the zone alone counts.
    c.field<QLineEdit>("MoonPlace")->clear();
    QVERIFY2(c.result().startsWith("Gerechnet nach: Ortszeit der Zonenstadt Europe/Berlin"),
             qPrintable(c.result()));
    QCOMPARE(c.field<QLabel>("MoonCoordinates")->text(), QString());
}

void MoonTest::unknownPlaceChangesNothing() {
    Calculator c;
    c.enter({{1880, 7, 1}, {12, 0}, "Europe/Zurich", {}});
    const QStringList before = c.inputScreen();
    QString message = uitest::messageFrom([&] { c.takePlace("Xqzzyville"); });
    QVERIFY2(message.startsWith("Den Ort „Xqzzyville“ kennt der Ortsatlas nicht."),
             qPrintable(message));
    QVERIFY(message.contains("Zeitzone und geographische Länge"));
    QCOMPARE(c.field<QComboBox>("MoonZone")->currentText(), QString("Europe/Zurich"));
    QCOMPARE(c.field<QLineEdit>("MoonPlace")->text(), QString("Xqzzyville"));
    // "Übernehmen" does not fall back on the zone.
    message = c.applyExpectingMessage();
    QVERIFY2(message.startsWith("Den Ort „Xqzzyville“ kennt der Ortsatlas nicht."),
             qPrintable(message));
    QVERIFY(c.dialog->isVisible());
    QCOMPARE(c.inputScreen(), before);
}

namespace {

// A register of the test's own, as the dialog finds it.
struct OwnRegister {
    QTemporaryDir dir;
    zeitrad::birth::Register* reg = nullptr;
    OwnRegister() {
        qputenv("ZEITRAD_REGISTER", dir.filePath("geburten.sqlite").toLocal8Bit());
        reg = zeitrad::birth::plugin<zeitrad::birth::Register>("register");
        if (!reg || !std::holds_alternative<zeitrad::birth::Done>(
                        reg->open(dir.filePath("geburten.sqlite"))))
            qFatal("the register did not open");
    }
    QList<zeitrad::birth::Birth> all() {
        return std::get<QList<zeitrad::birth::Birth>>(reg->list());
    }
};

} // namespace

void MoonTest::savesIntoTheRegister() {
    OwnRegister r;
    Calculator c;
    c.enter({{1990, 2, 1}, {7, 45}, "Europe/Berlin", {}});
    c.takePlace("Ravensburg");
    c.field<QLineEdit>("MoonName")->setText(" Müller ,  Anna ");
    c.field<QCheckBox>("MoonTimeUnknown")->setChecked(true);
    uitest::click(c.dialog, "MoonSave");
    QVERIFY2(c.result().startsWith("Gespeichert: Müller, Anna\n"), qPrintable(c.result()));
    QList<zeitrad::birth::Birth> kept =
        std::get<QList<zeitrad::birth::Birth>>(r.reg->search("muller"));
    QCOMPARE(kept.size(), 1);
    zeitrad::birth::Birth b = kept[0];
    QCOMPARE(QStringList(
                 {b.surname, b.firstName, b.date.toString("d.M.yyyy"), b.place, b.country, b.zone}),
             QStringList({"Müller", "Anna", "1.2.1990", "Ravensburg", "DE", "Europe/Berlin"}));
    QVERIFY(!b.time); // saved with the birth time unknown
    QVERIFY(std::abs(b.latitude.value_or(0) - 47.78) + std::abs(b.longitude.value_or(0) - 9.61) <
            0.04);

    // The same birth again is refused; the register keeps one.
    const QString twice = uitest::messageFrom([&] { uitest::click(c.dialog, "MoonSave"); });
    QVERIFY2(twice.contains("schon im Geburtenregister"), qPrintable(twice));
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

void MoonTest::refusedSaveKeepsNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<Birth>("birth");
    QTest::addColumn<QString>("message");
    QTest::newRow("no name") << " , " << Birth{{1990, 2, 1}, {7, 45}, "UTC", {}}
                             << "Bitte einen Namen eingeben";
    QTest::newRow("skipped hour") << "Weber" << Birth{{2021, 3, 28}, {2, 30}, "Europe/Berlin", {}}
                                  << "02:30";
}

void MoonTest::refusedSaveKeepsNothing() {
    QFETCH(QString, name);
    QFETCH(Birth, birth);
    QFETCH(QString, message);
    OwnRegister r;
    Calculator c;
    c.enter(birth);
    c.field<QLineEdit>("MoonName")->setText(name);
    const QString said = uitest::messageFrom([&] { uitest::click(c.dialog, "MoonSave"); });
    QVERIFY2(said.contains(message), qPrintable(said));
    QCOMPARE(r.all().size(), 0);
}

void MoonTest::unknownTimeTellsTheDay_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("day");
    // Sidereal (less 23°51′): Waage 12°56′ to 24°58′; Swaati ends at Waage 20°00′, reached at
    // half a degree an hour two hours after noon (Skorpion 12°49′).
    QTest::newRow("nakshatra changes")
        << QDate(2000, 1, 1)
        << "Geburtszeit unbekannt: der Mond steht an diesem Tag zwischen Skorpion 6°47′ und "
           "Skorpion 18°49′; die Nakshatra wechselt um 14:04 von Swaati zu Vishaakhaa.";
    // Sidereal Schütze 0°32′ to 12°22′: all of it in Mula (Schütze 0°00′ to 13°20′).
    QTest::newRow("nakshatra stays")
        << QDate(2000, 1, 5)
        << "Geburtszeit unbekannt: der Mond steht an diesem Tag zwischen Schütze 24°23′ und "
           "Steinbock 6°13′; die Nakshatra bleibt den ganzen Tag Mula.";
}

void MoonTest::unknownTimeTellsTheDay() {
    QFETCH(QDate, date);
    QFETCH(QString, day);
    Calculator c;
    c.enter({date, {3, 0}, "Europe/Berlin", {}});
    c.field<QCheckBox>("MoonTimeUnknown")->setChecked(true);
    QVERIFY(!c.field<QTimeEdit>("MoonTime")->isEnabled());
    QVERIFY2(c.result().startsWith(day + "\nDer Mond hier für 12:00 Ortszeit.\n"),
             qPrintable(c.result()));
    // The Moon itself is the one of noon, local time.
    c.field<QCheckBox>("MoonTimeUnknown")->setChecked(false);
    c.field<QTimeEdit>("MoonTime")->setTime({12, 0});
    const QString noon = c.result();
    c.field<QCheckBox>("MoonTimeUnknown")->setChecked(true);
    QVERIFY2(c.result().endsWith(noon), qPrintable(c.result()));
}

QTEST_MAIN(MoonTest)
#include "test_moon.moc"
