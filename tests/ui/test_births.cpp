// The register window as a user meets it: "Geburten" on the toolbar, a search that folds umlauts
// and case, "Öffnen" filling the input screen and calculating, a deletion that asks first, and the
// opened birth's fields back at the next start.
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>

#include "birth/aaf.h"
#include "birth/plugins.h"
#include "birth/register.h"
#include "births/birthregister.h"
#include "uitest.h"

using namespace zeitrad::birth;

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
    static zeitrad::births::BirthRegister* openRegister(uitest::Window& ui) {
        uitest::click(&ui.window, "Button25");
        auto* reg = ui.window.findChild<zeitrad::births::BirthRegister*>("BirthRegister");
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
                asked = box->text();
                box->button(QMessageBox::No)->click();
            }
        });
        uitest::click(reg, "BirthDelete");
        QCOMPARE(asked, "Die Geburt „Cezanne, Paul“ aus dem Register löschen?");
        QCOMPARE(table(reg)->model()->rowCount(), 5);
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
};

QTEST_MAIN(BirthsTest)
#include "test_births.moc"
