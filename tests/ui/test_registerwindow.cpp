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

#include "birth/register.h"
#include "formats/aaf.h"
#include "pluginloader/pluginloader.h"
#include "registerwindow/registerwindow.h"
#include "uitest.h"

using namespace zeitrad::birth;
using namespace zeitrad::formats;
using zeitrad::pluginloader::plugin;

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

private slots:
    void initTestCase() {
        qputenv("ZEITRAD_REGISTER", dir_.filePath("geburten.sqlite").toUtf8());
        qputenv("XDG_CONFIG_HOME", dir_.filePath("config").toUtf8());
        QString why;
        Register* reg = plugin<Register>(QStringLiteral("register"), &why);
        QVERIFY2(reg, qPrintable(why));
        QVERIFY(std::holds_alternative<Done>(reg->open(defaultRegisterPath())));
        QFile sample(QStringLiteral(ZEITRAD_TEST_DATA "/sample.aaf"));
        QVERIFY(sample.open(QIODevice::ReadOnly));
        const AafRead read = readAaf(sample.readAll());
        QVERIFY(std::holds_alternative<ImportReport>(reg->import(read.births, read.lines)));
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
        QString asked;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = box->text() + " [" + box->button(QMessageBox::Yes)->text() + "|" +
                        box->button(QMessageBox::No)->text() + "]";
                box->button(QMessageBox::No)->click();
            }
        });
        uitest::click(reg, "BirthDelete");
        QCOMPARE(asked, "Die Geburt „Cezanne, Paul“ aus dem Register löschen? [Löschen|Abbrechen]");
        QCOMPARE(table(reg)->model()->rowCount(), 5);
    }

    // "AAF exportieren": the births in a file that is the owner's alone.
    void exportIsTheOwnersAlone() {
        uitest::Window ui;
        const QString file = dir_.filePath("alle.aaf");
        QCOMPARE(openRegister(ui)->exportFile(file, AafEncoding::Utf8), std::nullopt);
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
        const QString report = openRegister(ui)->importFile(file.fileName());
        QVERIFY2(report.contains("Zeile 2") && report.contains("„Xyzzyhausen“"),
                 qPrintable(report));
        Register* reg = plugin<Register>(QStringLiteral("register"));
        const auto found = std::get<QList<Birth>>(reg->search("Olga"));
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].zone, "Europe/Berlin");
        QCOMPARE(qRound(*found[0].latitude * 100), 4778); // 47° 47′ N
        QCOMPARE(qRound(*found[0].longitude * 100), 961); // 9° 37′ O
        QVERIFY(std::get<QList<Birth>>(reg->search("Otto")).isEmpty());
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
        Register* reg = plugin<Register>(QStringLiteral("register"));
        Birth b;
        b.surname = "Bearbeitet";
        b.date = QDate(1749, 8, 28);
        b.time = QTime(13, 27, 45);
        b.place = "Frankfurt am Main";
        b.country = "D";
        b.latitude = 50.11;
        b.longitude = 8.68;
        b.zone = "Europe/Berlin";
        const qint64 id = std::get<qint64>(reg->add(b));
        uitest::Window ui;
        auto* window = openRegister(ui);
        QTest::keyClicks(uitest::find<QLineEdit>(window, "BirthSearch"), "Bearbeitet");
        table(window)->selectRow(0);
        QString message;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QWidget* edit = uitest::find(dialog, qPrintable(field));
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edit, typed);
            QTimer::singleShot(0, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    message = box->text();
                    box->button(QMessageBox::Ok)->click();
                }
            });
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            if (dialog->isVisible())
                qobject_cast<QDialog*>(dialog)->reject();
        });
        uitest::click(window, "BirthEdit");
        const Birth saved = std::get<QList<Birth>>(reg->search("Bearbeitet")).value(0);
        reg->remove({id});
        QCOMPARE(message, refused);
        const QString coordinates =
            saved.latitude ? QString::asprintf("%.2f/%.2f", *saved.latitude, *saved.longitude)
                           : QStringLiteral("-");
        QCOMPARE(QStringList({saved.date.toString("dd.MM.yyyy"), saved.time->toString("HH:mm:ss"),
                              saved.zone, saved.place, coordinates, saved.note})
                     .join(' '),
                 stored);
    }
};

QTEST_MAIN(BirthsTest)
#include "test_registerwindow.moc"
