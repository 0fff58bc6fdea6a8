// The events window as a user meets it ("Ereignisse …" in the register window: add, change,
// delete after the question, the periods of each day, the window below, "CSV …"), and the events in
// the period list. The birth and its periods are worked out by hand in tests/birth/events_test.cpp:
// 10.3.1990 16:00 UTC, 360-day years; 23.12.2019 in Chandra / Surya / Guru, 17.10.2019 the first
// day of Chandra / Surya / Surya.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
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
#include "tests/files.h"
#include "uitest.h"

using namespace zeitrad::birth;

class EventsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    qint64 id_ = 0;

    static Register* reg() { return uitest::loaded<Register>("register"); }
    static qint64 add(const char* surname) {
        Birth b;
        b.surname = surname;
        b.date = QDate(1990, 3, 10);
        b.time = QTime(16, 0);
        b.clocks = Clocks::utc();
        return std::get<qint64>(reg()->add(b));
    }

    // "Geburten", the birth `surname` found and chosen: the register window.
    static QWidget* choose(uitest::Window& ui, const QString& surname) {
        uitest::click(&ui.window, "Button25");
        auto* births = ui.window.findChild<QWidget*>("BirthRegister");
        auto* search = uitest::find<QLineEdit>(births, "BirthSearch");
        search->clear();
        QTest::keyClicks(search, surname);
        uitest::find<QTableView>(births, "BirthTable")->selectRow(0);
        return births;
    }
    // "Probe" chosen and "Ereignisse …": the window just opened (a closed one goes only when the
    // event loop deletes it).
    static QWidget* openEvents(uitest::Window& ui) {
        QWidget* births = choose(ui, "Probe");
        uitest::click(births, "BirthEvents");
        for (QWidget* events : births->findChildren<QWidget*>("BirthEventsWindow"))
            if (events->isVisible())
                return events;
        qFatal("no events window");
    }
    static QTableWidget* table(QWidget* w) { return uitest::find<QTableWidget>(w, "EventTable"); }
    // "*17.10.2019||Grenze|Chandra / Surya / Surya": a row's cells, a bold row marked "*".
    static QStringList rows(QWidget* w) {
        QStringList out;
        for (int r = 0; r < table(w)->rowCount(); ++r) {
            QString row = table(w)->item(r, 0)->font().bold() ? "*" : "";
            for (int c = 0; c < 4; ++c)
                row += (c ? "|" : "") + table(w)->item(r, c)->text();
            out << row;
        }
        return out;
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
        id_ = add("Probe");
        add("Ohne"); // without events
        QSettings().setValue("Perioden/Jahreslaenge", "360");
    }

    void addChangeDeleteAndTheWindow() {
        uitest::Window ui;
        QWidget* w = openEvents(ui);
        QCOMPARE(w->windowTitle(), "Ereignisse – Probe");
        auto* below = uitest::find<QLabel>(w, "EventWindowText");
        QVERIFY(below->text().startsWith("Noch keine Ereignisse"));
        uitest::find<QComboBox>(w, "EventLevel")->setCurrentIndex(0); // bis Antardasa
        fill(w, "EventAdd", QDate(2019, 12, 23), "Umzug", false);
        fill(w, "EventAdd", QDate(2019, 10, 17), "Grenze", true);
        QCOMPARE(rows(w), (QStringList{"*17.10.2019||Grenze|Chandra / Surya / Surya",
                                       "23.12.2019||Umzug|Chandra / Surya / Guru"}));
        // Below, the window of the two at the antardasa level, each setting one edge.
        QVERIFY2(below->text().startsWith("Geburtszeit-Spielraum: 15:59:5") &&
                     below->text().endsWith("fiele „Umzug“ (23.12.2019) in Mangal / Mangal."),
                 qPrintable(below->text()));

        // Before the birth: refused, the dialog stays until cancelled, nothing kept.
        const uitest::Box refused = fill(w, "EventAdd", QDate(1990, 3, 9), "Vorher", false);
        QCOMPARE(refused.text, "Das Ereignis „Vorher“ (09.03.1990) liegt vor der Geburt am "
                               "10.03.1990.");
        QCOMPARE(std::get<QList<Event>>(reg()->events(id_)).size(), 2);

        table(w)->selectRow(1);
        fill(w, "EventEdit", {}, "Umzug nach Wien", false);
        QCOMPARE(std::get<QList<Event>>(reg()->events(id_)).value(1).text, "Umzug nach Wien");

        // "Löschen" asks first; "Abbrechen" keeps the event.
        table(w)->selectRow(0);
        uitest::Box asked;
        uitest::answerNext(&asked, "Abbrechen");
        uitest::click(w, "EventDelete");
        QCOMPARE(asked.text, "Das Ereignis „Grenze“ vom 17.10.2019 löschen?");
        QCOMPARE(rows(w).size(), 2);
        uitest::answerNext(&asked, "Löschen");
        uitest::click(w, "EventDelete");
        QCOMPARE(rows(w), QStringList{"23.12.2019||Umzug nach Wien|Chandra / Surya / Guru"});
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
    // has the header as ever. The birth deleted takes its events along.
    void theEventsInThePeriodListAndTheBirthDeleted() {
        reg()->addEvent({0, id_, QDate(2019, 10, 17), {}, "Grenze", true});
        uitest::Window ui;
        uitest::click(choose(ui, "Probe"), "BirthOpen");
        uitest::click(&ui.window, "Button24");
        auto* list = ui.window.findChild<zeitrad::periodlist::PeriodWindow*>("PeriodList");
        QVERIFY(list);
        const auto header = [&] { return uitest::find<QLabel>(list, "PeriodHeader")->text(); };
        QVERIFY2(header().contains("\nGeburtszeit-Spielraum: 15:59:5") &&
                     header().endsWith("(alle 2 Ereignisse in denselben Pratyantardasas)"),
                 qPrintable(header()));

        auto* timeline = list->timeline();
        QCOMPARE(timeline->marks().size(), 2);
        auto& picture = timeline->picture();
        timeline->setSpan({*picture.dayOf({2019, 9, 1}), *picture.dayOf({2020, 2, 1})});
        const auto& grenze = timeline->marks()[0];
        const int x = timeline->markX(grenze), u = timeline->markX(timeline->marks()[1]);
        const int y = timeline->pointOf(grenze.day, 2).y();
        QCOMPARE(timeline->toolTipAt({x + 2, y}), "Grenze, 17.10.2019: Chandra / Surya / Surya");
        QCOMPARE(timeline->toolTipAt({u, y}),
                 "Umzug nach Wien, 23.12.2019: Chandra / Surya / Guru");
        // The important mark three pixels wide and dark red, the other one grey and one pixel.
        const QImage seen = timeline->grab().toImage();
        const auto at = [&](int px) { return seen.pixel(px, y) & 0xFFFFFFu; };
        QCOMPARE(at(x - 1), uitest::rgb(0x90, 0x00, 0x20));
        QCOMPARE(at(u), uitest::rgb(0x40, 0x40, 0x40));
        QVERIFY(at(u + 1) != at(u));

        QTest::mouseClick(timeline, Qt::LeftButton, {}, {x, y});
        auto* tree = uitest::find<QTreeView>(list, "PeriodTree");
        QStringList chain;
        for (QModelIndex at = tree->currentIndex(); at.isValid(); at = at.parent())
            chain.prepend(at.data().toString());
        QCOMPARE(chain.join(" / "), "Chandra / Surya / Surya");
        // The tree: the rows that hold an event italic, dark red for the important one, their
        // tooltip naming them.
        const QModelIndex surya = tree->currentIndex(), antar = surya.parent();
        QVERIFY(surya.data(Qt::FontRole).value<QFont>().italic());
        QCOMPARE(surya.data(Qt::ForegroundRole).value<QColor>(), QColor(0x90, 0x00, 0x20));
        QCOMPARE(antar.data(Qt::ToolTipRole).toString(),
                 "Grenze (17.10.2019)\nUmzug nach Wien (23.12.2019)");
        const QModelIndex guru = antar.model()->index(4, 0, antar); // Surya … Rahu, Guru
        QCOMPARE(guru.data(Qt::ToolTipRole).toString(), "Umzug nach Wien (23.12.2019)");
        QVERIFY(!guru.data(Qt::ForegroundRole).isValid());
        QVERIFY(!antar.model()->index(3, 0, antar).data(Qt::ToolTipRole).isValid());

        // An event added in the events window: the period list follows.
        QWidget* events = openEvents(ui);
        fill(events, "EventAdd", QDate(2019, 11, 30), "Reise", false);
        events->close();
        QCOMPARE(timeline->marks().size(), 3);
        QVERIFY(header().endsWith("(alle 3 Ereignisse in denselben Pratyantardasas)"));

        // A birth without events: no marks, the header of before.
        uitest::click(choose(ui, "Ohne"), "BirthOpen");
        QVERIFY(timeline->marks().isEmpty());
        QCOMPARE(header().split('\n').size(), 5);

        // The birth deleted from the register (after its question) takes its events along.
        QWidget* births = choose(ui, "Probe");
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
