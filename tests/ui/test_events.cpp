// The events window as a user meets it: "Ereignisse …" in the register window opens the selected
// birth's events; an event added, changed and deleted (after the question) is kept at once, one
// before the birth is refused and nothing kept; the table names the periods running on each day
// and the window below says how far the birth time may move; "CSV …" saves the events privately;
// a birth deleted takes its events along.
//
// The birth and its periods are those of tests/birth/events_test.cpp, worked out there by hand:
// 10.3.1990 16:00 UTC, years of 360 days, Chandra / Surya from day 10813 to 10993. Its
// pratyantardasas begin 180 × (years before) / 120 days in: Surya 0, Chandra 9, Mangal 24, Rahu 34,
// Guru 61, Sani 85; so 23.12.2019 (day 10880, 67 days in) is Chandra / Surya / Guru and
// 17.10.2019 (day 10813) Chandra / Surya / Surya.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include "birth/register.h"
#include "periodlist/periodtimeline.h"
#include "periodlist/periodwindow.h"
#include "pluginloader/pluginloader.h"
#include "registerwindow/eventswindow.h"
#include "registerwindow/registerwindow.h"
#include "tests/files.h"
#include "uitest.h"

using namespace zeitrad::birth;

class EventsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    qint64 id_ = 0;

    static Register* reg() { return uitest::loaded<Register>("register"); }

    // "Geburten", the birth "Probe" chosen, "Ereignisse …".
    static QWidget* openEvents(uitest::Window& ui) {
        uitest::click(&ui.window, "Button25");
        auto* births = ui.window.findChild<QWidget*>("BirthRegister");
        auto* search = uitest::find<QLineEdit>(births, "BirthSearch");
        search->clear();
        QTest::keyClicks(search, "Probe");
        uitest::find<QTableView>(births, "BirthTable")->selectRow(0);
        uitest::click(births, "BirthEvents");
        // The one just opened; a closed one goes only when the event loop deletes it.
        for (QWidget* events : births->findChildren<QWidget*>("BirthEventsWindow"))
            if (events->isVisible())
                return events;
        qFatal("no events window");
    }
    static QTableWidget* table(QWidget* w) { return uitest::find<QTableWidget>(w, "EventTable"); }
    static QStringList row(QWidget* w, int r) {
        QStringList cells;
        for (int c = 0; c < 4; ++c)
            cells << table(w)->item(r, c)->text();
        return cells;
    }
    static QString windowText(QWidget* w) {
        return uitest::find<QLabel>(w, "EventWindowText")->text();
    }

    // `button` ("EventAdd", "EventEdit"), then the dialog filled: the date when given, the text
    // typed over the old one, "wichtig" ticked or not, and "OK"; the message box that followed.
    static uitest::Box fill(QWidget* window, const char* button, const QDate& date,
                            const QString& text, bool important) {
        uitest::Box message;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (date.isValid())
                uitest::find<QDateEdit>(dialog, "EventEditDate")->setDate(date);
            auto* field = uitest::find<QLineEdit>(dialog, "EventEditText");
            field->selectAll();
            QTest::keyClicks(field, text);
            uitest::find<QCheckBox>(dialog, "EventEditImportant")->setChecked(important);
            uitest::answerNext(&message);
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            if (dialog->isVisible())
                qobject_cast<QDialog*>(dialog)->reject();
        });
        uitest::click(window, button);
        zeitrad::widgets::MessageBox::answerNext({});
        return message;
    }

private slots:
    void initTestCase() {
        qputenv("ZEITRAD_REGISTER", dir_.filePath("geburten.sqlite").toUtf8());
        qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toUtf8());
        QVERIFY(std::holds_alternative<Done>(reg()->open(defaultRegisterPath())));
        Birth b;
        b.surname = "Probe";
        b.date = QDate(1990, 3, 10);
        b.time = QTime(16, 0);
        b.clocks = Clocks::utc();
        id_ = std::get<qint64>(reg()->add(b));
        QSettings().setValue("Perioden/Jahreslaenge", "360");
    }

    void addChangeDeleteAndTheWindow() {
        uitest::Window ui;
        QWidget* w = openEvents(ui);
        QCOMPARE(w->windowTitle(), "Ereignisse – Probe");
        QCOMPARE(table(w)->rowCount(), 0);
        QVERIFY(windowText(w).startsWith("Noch keine Ereignisse"));
        uitest::find<QComboBox>(w, "EventLevel")->setCurrentIndex(0); // bis Antardasa

        QCOMPARE(fill(w, "EventAdd", QDate(2019, 12, 23), "Umzug", false).text, QString());
        QCOMPARE(row(w, 0), (QStringList{"23.12.2019", "", "Umzug", "Chandra / Surya / Guru"}));
        QVERIFY(windowText(w).startsWith("Geburtszeit-Spielraum: 15:45:4"));
        QVERIFY(windowText(w).contains("(das Ereignis in denselben Antardasas)\nFrüher als "));

        QCOMPARE(fill(w, "EventAdd", QDate(2019, 10, 17), "Grenze", true).text, QString());
        QCOMPARE(row(w, 0), (QStringList{"17.10.2019", "", "Grenze", "Chandra / Surya / Surya"}));
        QVERIFY(table(w)->item(0, 2)->font().bold());
        QVERIFY(!table(w)->item(1, 2)->font().bold());
        const QString both = windowText(w);
        QVERIFY2(both.startsWith("Geburtszeit-Spielraum: 15:59:5"), qPrintable(both));
        QVERIFY(both.contains(" – 16:23:4"));
        QVERIFY(both.contains("(alle 2 Ereignisse in denselben Antardasas)"));
        QVERIFY(both.contains("fiele „Grenze“ (17.10.2019) in Chandra / Sukra."));
        QVERIFY(both.contains("fiele „Umzug“ (23.12.2019) in Mangal / Mangal."));

        // Before the birth: refused, the dialog stays until cancelled, nothing kept.
        const uitest::Box refused = fill(w, "EventAdd", QDate(1990, 3, 9), "Vorher", false);
        QCOMPARE(refused.text, "Das Ereignis „Vorher“ (09.03.1990) liegt vor der Geburt am "
                               "10.03.1990.");
        QCOMPARE(std::get<QList<Event>>(reg()->events(id_)).size(), 2);

        table(w)->selectRow(1);
        fill(w, "EventEdit", {}, "Umzug nach Wien", false);
        QCOMPARE(row(w, 1).value(2), "Umzug nach Wien");
        QCOMPARE(std::get<QList<Event>>(reg()->events(id_)).value(1).text, "Umzug nach Wien");

        // "Löschen" asks first; "Abbrechen" keeps the event.
        table(w)->selectRow(0);
        uitest::Box asked;
        uitest::answerNext(&asked, "Abbrechen");
        uitest::click(w, "EventDelete");
        QCOMPARE(asked.text, "Das Ereignis „Grenze“ vom 17.10.2019 löschen?");
        QCOMPARE(table(w)->rowCount(), 2);
        uitest::answerNext(&asked, "Löschen");
        uitest::click(w, "EventDelete");
        QCOMPARE(table(w)->rowCount(), 1);
        QCOMPARE(std::get<QList<Event>>(reg()->events(id_)).size(), 1);

        // "CSV …" to the depth chosen, the owner's alone.
        const QString csv = dir_.filePath("ereignisse.csv");
        zeitrad::widgets::FileDialog::answerWith(
            [&](const QString&, QString*) { return QStringList{csv}; });
        uitest::find<QComboBox>(w, "EventExportDepth")->setCurrentIndex(1);
        uitest::click(w, "EventExport");
        zeitrad::widgets::FileDialog::answerWith({});
        QCOMPARE(testfiles::bytesOf(csv), "Datum;Zeit;Ereignis;Gewicht;Mahadasa;Antardasa\n"
                                          "23.12.2019;;Umzug nach Wien;normal;Chandra;Surya\n");
        QCOMPARE(testfiles::mode(csv), 0600);
    }

    // The birth opened from the register brings its events into the period list: marks on the
    // timeline (the important one stronger), its text and periods as the tooltip, a click on it
    // choosing the periods of its day; the window in the header. Another birth, without events,
    // has the header as ever.
    void theEventsInThePeriodList() {
        reg()->addEvent({0, id_, QDate(2019, 10, 17), {}, "Grenze", true});
        uitest::Window ui;
        openEvents(ui)->close();
        auto* births = ui.window.findChild<QWidget*>("BirthRegister");
        uitest::click(births, "BirthOpen");
        uitest::click(&ui.window, "Button24");
        auto* list = ui.window.findChild<zeitrad::periodlist::PeriodWindow*>("PeriodList");
        QVERIFY(list && list->isVisible());
        const QString header = uitest::find<QLabel>(list, "PeriodHeader")->text();
        const QStringList lines = header.split('\n');
        QCOMPARE(lines.value(0), "Name: Probe");
        QVERIFY2(lines.last().startsWith("Geburtszeit-Spielraum: 15:59:5"), qPrintable(header));
        QVERIFY(lines.last().endsWith("(alle 2 Ereignisse in denselben Pratyantardasas)"));

        auto* timeline = list->timeline();
        QCOMPARE(timeline->marks().size(), 2);
        auto& picture = timeline->picture();
        timeline->setSpan({*picture.dayOf({2019, 9, 1}), *picture.dayOf({2020, 2, 1})});
        const auto& grenze = timeline->marks()[0];
        const auto& umzug = timeline->marks()[1];
        const int x = timeline->markX(grenze), y = timeline->pointOf(grenze.day, 2).y();
        QVERIFY(x > 0 && timeline->markX(umzug) > x + 20);
        QCOMPARE(timeline->toolTipAt({x + 2, y}), "Grenze, 17.10.2019: Chandra / Surya / Surya");
        QCOMPARE(timeline->toolTipAt({timeline->markX(umzug), y}),
                 "Umzug nach Wien, 23.12.2019: Chandra / Surya / Guru");
        const QImage seen = timeline->grab().toImage();
        QCOMPARE(seen.pixel(x - 1, y) & 0xFFFFFFu, uitest::rgb(0x90, 0x00, 0x20));
        QCOMPARE(seen.pixel(x + 1, y) & 0xFFFFFFu, uitest::rgb(0x90, 0x00, 0x20));
        QCOMPARE(seen.pixel(timeline->markX(umzug), y) & 0xFFFFFFu, uitest::rgb(0x40, 0x40, 0x40));
        QVERIFY(seen.pixel(timeline->markX(umzug) + 1, y) != seen.pixel(timeline->markX(umzug), y));

        QTest::mouseClick(timeline, Qt::LeftButton, {}, {x, y});
        auto* tree = uitest::find<QTreeView>(list, "PeriodTree");
        QStringList chain;
        for (QModelIndex at = tree->currentIndex(); at.isValid(); at = at.parent())
            chain.prepend(at.data().toString());
        QCOMPARE(chain.join(" / "), "Chandra / Surya / Surya");
        // The tree: the rows that hold an event italic, dark red for the important one, their
        // tooltip naming them; the running rows of 2026 hold none.
        const QModelIndex surya = tree->currentIndex(), antar = surya.parent();
        QVERIFY(surya.data(Qt::FontRole).value<QFont>().italic());
        QCOMPARE(surya.data(Qt::ForegroundRole).value<QColor>(), QColor(0x90, 0x00, 0x20));
        QCOMPARE(surya.data(Qt::ToolTipRole).toString(), "Grenze (17.10.2019)");
        QCOMPARE(antar.data(Qt::ToolTipRole).toString(),
                 "Grenze (17.10.2019)\nUmzug nach Wien (23.12.2019)");
        const QModelIndex guru =
            antar.model()->index(4, 0, antar); // Surya Chandra Mangal Rahu Guru
        QCOMPARE(guru.data().toString(), "Guru");
        QCOMPARE(guru.data(Qt::ToolTipRole).toString(), "Umzug nach Wien (23.12.2019)");
        QVERIFY(!guru.data(Qt::ForegroundRole).isValid());
        QVERIFY(!antar.model()->index(3, 0, antar).data(Qt::ToolTipRole).isValid());

        // An event added in the events window: the period list follows.
        QWidget* events = openEvents(ui);
        fill(events, "EventAdd", QDate(2019, 11, 30), "Reise", false);
        events->close();
        QCOMPARE(timeline->marks().size(), 3);
        QVERIFY(uitest::find<QLabel>(list, "PeriodHeader")
                    ->text()
                    .endsWith("(alle 3 Ereignisse in denselben Pratyantardasas)"));

        // A birth without events: no marks, the header of before.
        uitest::find<QLineEdit>(births, "BirthSearch")->clear();
        Birth other;
        other.surname = "Ohne";
        other.date = QDate(1990, 3, 10);
        other.time = QTime(16, 0);
        other.clocks = Clocks::utc();
        const qint64 otherId = std::get<qint64>(reg()->add(other));
        static_cast<zeitrad::registerwindow::RegisterWindow*>(births)->reload();
        QTest::keyClicks(uitest::find<QLineEdit>(births, "BirthSearch"), "Ohne");
        uitest::find<QTableView>(births, "BirthTable")->selectRow(0);
        uitest::click(births, "BirthOpen");
        QVERIFY(timeline->marks().isEmpty());
        QCOMPARE(uitest::find<QLabel>(list, "PeriodHeader")->text().split('\n').size(), 5);
        reg()->remove({otherId});
    }

    // The birth deleted from the register (after its question) takes its events along.
    void eventsGoWithTheirBirth() {
        QVERIFY(!std::get<QList<Event>>(reg()->events(id_)).isEmpty());
        uitest::Window ui;
        openEvents(ui)->close();
        auto* births = ui.window.findChild<QWidget*>("BirthRegister");
        uitest::find<QTableView>(births, "BirthTable")->selectRow(0);
        uitest::Box asked;
        uitest::answerNext(&asked, "Löschen");
        uitest::click(births, "BirthDelete");
        QCOMPARE(asked.text,
                 "Die Geburt „Probe“ aus dem Register löschen? 3 Ereignisse gehen mit.");
        QVERIFY(std::get<QList<Event>>(reg()->events(id_)).isEmpty());
    }
};

QTEST_MAIN(EventsTest)
#include "test_events.moc"
