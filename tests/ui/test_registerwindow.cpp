// The register window as a user meets it: "Geburten" on the toolbar, a search that folds umlauts
// and case, "Öffnen" filling the input screen and calculating, a deletion that asks first, an edit
// that changes only what was typed, an export that is the owner's alone, and the opened birth's
// fields back at the next start.
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "birth/register.h"
#include "formats/aaf.h"
#include "pluginloader/pluginloader.h"
#include "registerwindow/registerwindow.h"
#include "uitest.h"

using namespace zeitrad::birth;
using namespace zeitrad::formats;

class BirthsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    static QTableView* table(const QWidget* window) {
        return uitest::find<QTableView>(window, "BirthTable");
    }
    static QString cell(const QWidget* window, int row, int column) {
        const auto* model = table(window)->model();
        return model->data(model->index(row, column)).toString();
    }
    // "Geburten" on the toolbar: the register window, its search emptied.
    static zeitrad::registerwindow::RegisterWindow* openRegister(uitest::Window& ui) {
        uitest::click(&ui.window, "Button25");
        auto* reg = ui.window.findChild<zeitrad::registerwindow::RegisterWindow*>("BirthRegister");
        if (!reg || !reg->isVisible())
            qFatal("no register window");
        uitest::find<QLineEdit>(reg, "BirthSearch")->clear();
        return reg;
    }

    // "Bearbeiten …" on the selected birth: the text typed into one field of the edit dialog, then
    // "OK"; the message box that followed, if any.
    static uitest::Box edit(QWidget* window, const QString& field, const QString& typed) {
        uitest::Box message;
        // The edit dialog is a dialog of its own: typed into once it shows.
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QWidget* edit = uitest::find(dialog, qPrintable(field));
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edit, typed);
            uitest::answerNext(&message);
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            if (dialog->isVisible())
                qobject_cast<QDialog*>(dialog)->reject();
        });
        uitest::click(window, "BirthEdit");
        zeitrad::widgets::MessageBox::answerNext({});
        return message;
    }

private slots:
    void initTestCase() {
        qputenv("ZEITRAD_REGISTER", dir_.filePath("geburten.sqlite").toUtf8());
        qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toUtf8());
        Register* reg = uitest::loaded<Register>("register");
        QVERIFY(std::holds_alternative<Done>(reg->open(defaultRegisterPath())));
        QFile sample(QStringLiteral(ZEITRAD_TEST_DATA "/sample.aaf"));
        QVERIFY(sample.open(QIODevice::ReadOnly));
        const AafRead read = readAaf(sample.readAll());
        QVERIFY(std::holds_alternative<ImportReport>(reg->import(read.births, read.lines)));
    }

    // Without the atlas (its plugin missing) a birth moved to a new place is still saved, without
    // coordinates, and the user is told why. First, before anything else loads the atlas.
    void editWithoutTheAtlas() {
        Register* reg = uitest::loaded<Register>("register");
        Birth b;
        b.surname = "Umzug";
        b.date = QDate(1980, 1, 1);
        b.place = "Köln";
        b.latitude = 50.94;
        b.longitude = 6.96;
        const qint64 id = std::get<qint64>(reg->add(b));
        QTemporaryDir noPlugins;
        qputenv("ZEITRAD_PLUGIN_PATH", noPlugins.path().toUtf8());
        uitest::Window ui;
        auto* window = openRegister(ui);
        QTest::keyClicks(uitest::find<QLineEdit>(window, "BirthSearch"), "Umzug");
        table(window)->selectRow(0);
        const uitest::Box told = edit(window, "BirthEditPlace", "Ravensburg");
        qunsetenv("ZEITRAD_PLUGIN_PATH");
        const Birth saved = birthsNamed(std::get<QList<Birth>>(reg->list()), "Umzug").value(0);
        reg->remove({id});
        QCOMPARE(told.text, "Gespeichert, doch ohne Koordinaten für „Ravensburg“: Der Programmteil "
                            "libzeitrad_atlas.so ist nicht installiert.");
        QCOMPARE(saved.place, "Ravensburg");
        QVERIFY(!saved.latitude && !saved.longitude);
    }

    // The births in order of their names; typed text folds umlauts and case and finds names
    // and places.
    void searchFoldsUmlautsAndCase_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("all") << ""
                             << QStringList{"Cezanne, Paul", "Doe, John", "Ereignis",
                                            "Müller, Jürgen", "Smith, Anne"};
        QTest::newRow("muller") << "muller" << QStringList{"Müller, Jürgen"};
        QTest::newRow("MÜLL") << "MÜLL" << QStringList{"Müller, Jürgen"};
        QTest::newRow("place munchen") << "munchen" << QStringList{"Müller, Jürgen"};
        QTest::newRow("nothing") << "xaver" << QStringList{};
    }
    void searchFoldsUmlautsAndCase() {
        QFETCH(QString, typed);
        QFETCH(QStringList, names);
        uitest::Window ui;
        auto* reg = openRegister(ui);
        QTest::keyClicks(uitest::find<QLineEdit>(reg, "BirthSearch"), typed);
        QStringList seen;
        for (int row = 0; row < table(reg)->model()->rowCount(); ++row)
            seen << cell(reg, row, 0);
        QCOMPARE(seen, names);
        if (typed.isEmpty()) { // the button's place on the toolbar, a birth's date and time
            QCOMPARE(uitest::find(&ui.window, "Button25")->geometry(), QRect(744, 8, 65, 25));
            QCOMPARE(cell(reg, 0, 1), "19.01.1839 01:00");
        }
    }

    void openFillsTheInputScreenAndCalculates() {
        {
            uitest::Window ui;
            auto* search = uitest::find<QLineEdit>(openRegister(ui), "BirthSearch");
            QTest::keyClicks(search, "smith");
            // Return with one birth left opens it.
            QTest::keyClick(search, Qt::Key_Return);
            // The settings now hold that birth: for their owner's eyes only.
            QCOMPARE(QFile::permissions(QSettings().fileName()) &
                         ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                     QFile::ReadOwner | QFile::WriteOwner);
            QCOMPARE(uitest::find<QLineEdit>(&ui.window, "Edit4")->text(), "5");
            QCOMPARE(uitest::find<QLineEdit>(&ui.window, "Edit5")->text(), "2");
            QCOMPARE(uitest::find<QLineEdit>(&ui.window, "Edit6")->text(), "1970");
            QVERIFY(uitest::shown(&ui.window, "Panel1"));
            QVERIFY(uitest::find<QAbstractButton>(&ui.window, "CheckBox1")->isChecked());
            // The period list belongs to that birth and names it, until another is calculated.
            uitest::click(&ui.window, "Button24");
            auto* header =
                uitest::find<QLabel>(uitest::find(&ui.window, "PeriodList"), "PeriodHeader");
            QVERIFY2(header->text().startsWith("Name: Smith, Anne\nGeburt: 05.02.1970"),
                     qPrintable(header->text()));
            uitest::click(&ui.window, "Button13");
            uitest::click(&ui.window, "Button12");
            QVERIFY2(header->text().startsWith("Geburt: 05.02.1970"), qPrintable(header->text()));
        }
        // At the next start the input screen holds that birth again; the start screen is as ever.
        uitest::Window next(false);
        QVERIFY(uitest::shown(&next.window, "Panel2"));
        QCOMPARE(uitest::find<QLineEdit>(&next.window, "Edit4")->text(), "5");
        QCOMPARE(uitest::find<QLineEdit>(&next.window, "Edit6")->text(), "1970");
    }

    void deleteAsksFirst() {
        uitest::Window ui;
        auto* reg = openRegister(ui);
        table(reg)->selectRow(0);
        uitest::Box asked;
        uitest::answerNext(&asked, "Abbrechen");
        uitest::click(reg, "BirthDelete");
        QCOMPARE(asked.text + " [" + asked.buttons.join('|') + "]",
                 "Die Geburt „Cezanne, Paul“ aus dem Register löschen? [Löschen|Abbrechen]");
        QCOMPARE(table(reg)->model()->rowCount(), 5);
        // Deleting is one click further, and takes the birth.
        uitest::answerNext(&asked, "Löschen");
        uitest::click(reg, "BirthDelete");
        QCOMPARE(table(reg)->model()->rowCount(), 4);
    }

    // "Importieren …" cancelled while it reads keeps nothing and says so.
    void cancelledImportKeepsNothing() {
        uitest::Window ui;
        auto* window = openRegister(ui);
        const int rows = table(window)->model()->rowCount();
        zeitrad::widgets::FileDialog::answerWith([](const QString& caption, QString*) {
            return caption == "Geburten importieren"
                       ? QStringList{QStringLiteral(ZEITRAD_TEST_DATA "/sample-cp1252.aaf")}
                       : QStringList();
        });
        zeitrad::widgets::ProgressDialog::cancelNext(1);
        uitest::Box told;
        uitest::answerNext(&told);
        uitest::click(window, "BirthImport");
        zeitrad::widgets::FileDialog::answerWith({});
        QCOMPARE(told.text, "Der Import wurde abgebrochen; es wurde nichts aufgenommen.");
        QCOMPARE(told.icon, QMessageBox::Warning);
        QCOMPARE(table(window)->model()->rowCount(), rows);
    }

    // "Importieren …" takes several files at once, AAF and Maitreya's charts, and reports
    // file by file; the births are in the list.
    void importsSeveralFilesAtOnce() {
        QStringList files;
        for (const auto& [name, bytes] :
             {std::pair{"zwei.aaf", "#A93:Mehrfach,Mia,f,1.2.1990,10:00,Ulm,D\n"
                                    "#B93:*,48n24,9e59,1he00,0\n#A93:Kurz,Kai,m,1.1.1990\n"},
              {"karte.mtx",
               "#Maitreya 3.0\nMehrfach Max\n2\n2\n1990\n11.25\n1\n0\nUlm\n9.98\n48.4\n"}}) {
            QFile file(dir_.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) > 0);
            files << file.fileName();
        }
        uitest::Window ui;
        auto* window = openRegister(ui);
        zeitrad::widgets::FileDialog::answerWith([&](const QString& caption, QString*) {
            return caption == "Geburten importieren" ? files : QStringList();
        });
        uitest::Box told;
        uitest::answerNext(&told);
        uitest::click(window, "BirthImport");
        zeitrad::widgets::FileDialog::answerWith({});
        QCOMPARE(told.text, "2 Geburten aufgenommen aus 2 Dateien.\n"
                            "„zwei.aaf“: 2 Datensätze gelesen, 1 aufgenommen.\n"
                            "  Zeile 3: übersprungen – Die #A93-Zeile hat 4 statt 7 Felder.\n"
                            "„karte.mtx“: 1 Datensatz gelesen, 1 aufgenommen.");
        QTest::keyClicks(uitest::find<QLineEdit>(window, "BirthSearch"), "mehrfach");
        QCOMPARE(table(window)->model()->rowCount(), 2);
        QCOMPARE((QSet{cell(window, 0, 0), cell(window, 1, 0)}),
                 (QSet<QString>{"Mehrfach Max", "Mehrfach, Mia"}));
    }

    // A name read from a file is shown as it is written, never as markup.
    void markupInANameIsShownAsText() {
        Register* reg = uitest::loaded<Register>("register");
        Birth b;
        b.surname = "<b>Fett</b>";
        b.date = QDate(1990, 1, 1);
        const qint64 id = std::get<qint64>(reg->add(b));
        uitest::Window ui;
        auto* window = openRegister(ui);
        QTest::keyClicks(uitest::find<QLineEdit>(window, "BirthSearch"), "fett");
        table(window)->selectRow(0);
        QCOMPARE(cell(window, 0, 0), "<b>Fett</b>");
        uitest::Box asked;
        uitest::answerNext(&asked, "Abbrechen");
        uitest::click(window, "BirthDelete");
        reg->remove({id});
        QCOMPARE(asked.text, "Die Geburt „<b>Fett</b>“ aus dem Register löschen?");
        QVERIFY(asked.plain);
    }

    // "AAF exportieren": the births in a file that is the owner's alone.
    void exportIsTheOwnersAlone() {
        uitest::Window ui;
        const QString file = dir_.filePath("alle.aaf");
        QVERIFY(
            std::holds_alternative<Done>(openRegister(ui)->exportFile(file, AafEncoding::Utf8)));
        QCOMPARE(QFileInfo(file).permissions(),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    }

    // Records without #B93 get coordinates and zone from the atlas by place and country (AAF's
    // vehicle code "D"); one the atlas does not know is reported and left out.
    void importPlacesRecordsWithoutCoordinates() {
        QFile file(dir_.filePath("ohne-b93.aaf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#A93:Ort,Olga,f,1.4.1880,12:00,Ravensburg,D\n"
                   "#A93:Ort,Otto,m,1.4.1880,12:00,Xyzzyhausen,D\n");
        file.close();
        uitest::Window ui;
        const QString report = std::get<QString>(openRegister(ui)->importFile(file.fileName()));
        QVERIFY2(report.contains("Zeile 2") && report.contains("„Xyzzyhausen“"),
                 qPrintable(report));
        Register* reg = uitest::loaded<Register>("register");
        const auto found = birthsNamed(std::get<QList<Birth>>(reg->list()), "Olga");
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].clocks->text(), "Europe/Berlin");
        QCOMPARE(qRound(*found[0].latitude * 100), 4778); // 47° 47′ N
        QCOMPARE(qRound(*found[0].longitude * 100), 961); // 9° 37′ O
        QVERIFY(birthsNamed(std::get<QList<Birth>>(reg->list()), "Otto").isEmpty());
    }

    // The edit dialog changes what was typed and nothing else: a date before 1752 and the seconds
    // stay, a zone the birth library cannot read is refused with nothing saved, and a new place
    // takes the atlas's coordinates or none.
    void editChangesOnlyWhatWasTyped_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QString>("stored");
        QTest::newRow("only the note changed keeps 1749 date and seconds")
            << "BirthEditNote"
            << "Taufbuch"
            << ""
            << "28.08.1749 13:27:45 Europe/Berlin Frankfurt am Main 50.11/8.68 Taufbuch";
        QTest::newRow("bad zone refused, register unchanged")
            << "BirthEditZone"
            << "Mars/Olympus"
            << "Die Zeitzone „Mars/Olympus“ ist nicht bekannt. Erwartet: eine Zeitzone wie "
               "„Europe/Berlin“, „UTC+01:00“ oder „LMT“ (mittlere Ortszeit)."
            << "28.08.1749 13:27:45 Europe/Berlin Frankfurt am Main 50.11/8.68 ";
        QTest::newRow("new place drops coordinates")
            << "BirthEditPlace"
            << "Xyzzyhausen"
            << ""
            << "28.08.1749 13:27:45 Europe/Berlin Xyzzyhausen - ";
        QTest::newRow("new place takes the atlas's coordinates")
            << "BirthEditPlace"
            << "Ravensburg"
            << ""
            << "28.08.1749 13:27:45 Europe/Berlin Ravensburg 47.78/9.61 ";
    }
    void editChangesOnlyWhatWasTyped() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, refused);
        QFETCH(QString, stored);
        Register* reg = uitest::loaded<Register>("register");
        Birth b;
        b.surname = "Bearbeitet";
        b.date = QDate(1749, 8, 28);
        b.time = QTime(13, 27, 45);
        b.place = "Frankfurt am Main";
        b.country = "D";
        b.latitude = 50.11;
        b.longitude = 8.68;
        b.clocks = Clocks::zone("Europe/Berlin");
        const qint64 id = std::get<qint64>(reg->add(b));
        uitest::Window ui;
        auto* window = openRegister(ui);
        QTest::keyClicks(uitest::find<QLineEdit>(window, "BirthSearch"), "Bearbeitet");
        table(window)->selectRow(0);
        const uitest::Box message = edit(window, field, typed);
        const Birth saved = birthsNamed(std::get<QList<Birth>>(reg->list()), "Bearbeitet").value(0);
        reg->remove({id});
        QCOMPARE(message.text, refused);
        const QString coordinates =
            saved.latitude ? QString::asprintf("%.2f/%.2f", *saved.latitude, *saved.longitude)
                           : QStringLiteral("-");
        QCOMPARE(QStringList({saved.date.toString("dd.MM.yyyy"), saved.time->toString("HH:mm:ss"),
                              saved.clocks ? saved.clocks->text() : QString(), saved.place,
                              coordinates, saved.note})
                     .join(' '),
                 stored);
    }
};

QTEST_MAIN(BirthsTest)
#include "test_registerwindow.moc"
