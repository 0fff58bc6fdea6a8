// The period list as a user meets it: the "Liste" button, the tree of periods with its bold
// running rows and the levels made when opened, a double click on the overview, copying, the
// year-length choice, why other programs differ, and the files written by the exports, read back.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include "birth.h"
#include "engine/periods.h"
#include "periodlist/periodexport.h"
#include "periodlist/periodmodel.h"
#include "periodlist/periodwindow.h"
#include "tests/files.h"
#include "uitest.h"

using namespace zeitrad;
using zeitrad::periodlist::PeriodModel;
using zeitrad::periodlist::PeriodWindow;

namespace {

// What the engine makes of a birth: the reference every row is checked against.
PeriodList expectedPeriods(const ::birth::Entry& entry, YearLength length) {
    Engine engine;
    return buildPeriods(std::get<Result>(engine.calculate(entry.input())), length);
}

Result resultOf(const ::birth::Entry& entry) {
    Engine engine;
    return std::get<Result>(engine.calculate(entry.input()));
}

QDate qdate(const CivilDate& d) {
    return QDate(d.year, d.month, d.day);
}

// Every period of the list in tree order, with its depth.
std::vector<std::pair<const Period*, int>> flatten(const PeriodList& list) {
    std::vector<std::pair<const Period*, int>> all;
    for (const Period& m : list.mahadasas) {
        all.push_back({&m, 0});
        for (const Period& a : m.children) {
            all.push_back({&a, 1});
            for (const Period& p : a.children)
                all.push_back({&p, 2});
        }
    }
    return all;
}

// The rows of a model in tree order, down to the pratyantardasas unless asked for more.
QModelIndexList rowsOf(const QAbstractItemModel& model, const QModelIndex& parent = {},
                       int levels = 3) {
    QModelIndexList rows;
    if (levels == 0)
        return rows;
    for (int r = 0; r < model.rowCount(parent); ++r) {
        const QModelIndex row = model.index(r, 0, parent);
        rows << row << rowsOf(model, row, levels - 1);
    }
    return rows;
}

// Moon at 0° Widder on 1.1.2000: Ketu's mahadasa runs whole from birth, so every period of the
// cycle is listed whole. Sukra follows at 7 years (2520 days), Surya at 27, Chandra at 33, Mangal
// at 43, Rahu at 50, Guru at 68, Sani at 84 and Buddha at 103 years. Ages read as the overview
// writes them, the last 1..30 days apart: 7 years are "6 Jahre 11 M 30 T".
::birth::Entry aries() {
    ::birth::Entry e = ::birth::position(0, 0, 0, 1);
    e.day = "1", e.month = "1", e.year = "2000";
    return e;
}

bool isBold(const QModelIndex& row) {
    const QVariant font = row.data(Qt::FontRole);
    return font.isValid() && qvariant_cast<QFont>(font).bold();
}

// The name, age and begin of a row, as a user reads them.
QString rowText(const QModelIndex& row) {
    return QStringList{row.data().toString(), row.siblingAtColumn(1).data().toString(),
                       row.siblingAtColumn(2).data().toString()}
        .join(" | ");
}

// A PDF the list wrote, as pdftotext reads it: a row's fields on one line, apart by blanks.
QString pdfText(const QString& file) {
    QProcess extract;
    extract.start("pdftotext", {"-layout", file, "-"});
    if (!extract.waitForFinished(10000) || extract.exitCode() != 0)
        return {};
    return QString::fromUtf8(extract.readAllStandardOutput());
}

// Whether the text holds the row, its fields apart by any blanks.
bool hasRow(const QString& pdf, const QString& row) {
    return pdf.contains(QRegularExpression(QString(row).replace(' ', "\\s+")));
}

// The main window after a calculation, with the period list open, as on `day` when given.
struct Opened {
    uitest::Window ui;
    PeriodWindow* list = nullptr;
    explicit Opened(const ::birth::Entry& entry = {}, std::optional<CivilDate> day = {}) {
        ::birth::calculate(ui.window, entry);
        uitest::click(&ui.window, "Button24");
        list = ui.window.findChild<PeriodWindow*>("PeriodList");
        if (!list || !QTest::qWaitForWindowExposed(list))
            qFatal("the period list did not open");
        if (day)
            list->showResult(resultOf(entry), *day);
    }
    QTreeView* tree() const { return uitest::find<QTreeView>(list, "PeriodTree"); }
    const PeriodModel* model() const { return list->model(); }
};

} // namespace

class PeriodsTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir folder_;
    QString nextFile_;  // what the replaced file dialog answers
    QString printFile_; // where the replaced print dialog sends the pages
    int fileDialogs_ = 0;

private slots:
    void initTestCase();
    void buttonWaitsForACalculationAndListFollowsIt();
    void rowsAreTheEnginesPeriods();
    void runningRowsAreBold_data();
    void runningRowsAreBold();
    void doubleClickOpensAtTheCell_data();
    void doubleClickOpensAtTheCell();
    void copyGivesTabSeparatedRows();
    void csvReadsBack();
    void pdfHasTheText();
    void refusedWrites_data();
    void refusedWrites();
    void fullDiskLeavesTheEarlierFile();
    void exportsAreTheOwners_data();
    void exportsAreTheOwners();
    void invalidBirthDateHasNoDates();
    void yearLengthChoice_data();
    void yearLengthChoice();
    void lowerLevelsWhenOpened();
    void exportDepth_data();
    void exportDepth();
    void runningOnTheDayShown();
    void overviewExports();
};

void PeriodsTest::initTestCase() {
    // The tests keep their settings apart from the user's, and start from none.
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setOrganizationName("ZeitradTest");
    QApplication::setApplicationName("Zeitrad");
    QSettings().clear();
    QVERIFY(folder_.isValid());
    widgets::FileDialog::answerWith([this](const QString&, QString*) {
        ++fileDialogs_;
        return nextFile_.isEmpty() ? QStringList() : QStringList{nextFile_};
    });
    periodlist::exportDialogs().setUpPrinter = [this](QWidget*, QPrinter& printer) {
        if (printFile_.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFile_);
        return true;
    };
}

void PeriodsTest::buttonWaitsForACalculationAndListFollowsIt() {
    uitest::Window ui;
    auto* button = uitest::find<QPushButton>(&ui.window, "Button24");
    QVERIFY(button->isVisible());
    QVERIFY(!button->isEnabled());
    QCOMPARE(button->toolTip(), QString("Erst berechnen"));
    QVERIFY(!ui.window.findChild<PeriodWindow*>());

    ::birth::calculate(ui.window, {});
    QVERIFY(button->isEnabled());
    uitest::click(&ui.window, "Button24");
    auto* list = ui.window.findChild<PeriodWindow*>("PeriodList");
    QVERIFY(list && list->isVisible());
    QCOMPARE(list->windowTitle(), QString("Vimsottari Dasa – Perioden"));
    QVERIFY(uitest::find<QLabel>(list, "PeriodHeader")->text().contains("23.12.2012"));

    // A new calculation while the list is open shows there at once; the window stays one.
    const ::birth::Entry second = [] {
        ::birth::Entry e = ::birth::position(17, 45, 30, 8);
        e.day = "5", e.month = "7", e.year = "1980";
        return e;
    }();
    ::birth::calculate(ui.window, second);
    const PeriodList expected = expectedPeriods(second, YearLength::solar);
    QCOMPARE(list->model()->periods().birthDate, expected.birthDate);
    QCOMPARE(list->model()->index(0, 0).data().toString(),
             periodlist::periodName(expected.mahadasas[0].lord));
    const QString header = uitest::find<QLabel>(list, "PeriodHeader")->text();
    QVERIFY2(header.contains("05.07.1980") && header.contains("Skorpion"), qPrintable(header));
    uitest::click(&ui.window, "Button24");
    QCOMPARE(ui.window.findChildren<PeriodWindow*>().size(), 1);
}

// Every row against the engine: name, age (or "Geburt") and both dates, in tree order.
void PeriodsTest::rowsAreTheEnginesPeriods() {
    Opened o;
    const PeriodList expected = expectedPeriods({}, YearLength::solar);
    const auto periods = flatten(expected);
    const QModelIndexList rows = rowsOf(*o.model());
    QCOMPARE(rows.size(), static_cast<qsizetype>(periods.size()));
    QCOMPARE(o.model()->rowCount(), 9);
    QStringList headers;
    for (int c = 0; c < 4; ++c)
        headers << o.model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(headers, (QStringList{"Periode", "Alter bei Beginn", "Beginn", "Ende"}));
    const QRegularExpression ageForm("^(\\d+) Jahre (\\d+) M (\\d+) T$");
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const Period& p = *periods[static_cast<std::size_t>(i)].first;
        const QModelIndex row = rows[i];
        const QString where = QString("row %1").arg(i);
        QCOMPARE(row.data().toString(), ::birth::planetName(p.lord).trimmed());
        const auto swatch = qvariant_cast<QIcon>(row.data(Qt::DecorationRole));
        QCOMPARE(::birth::rgb(swatch.pixmap(12, 12).toImage().pixelColor(6, 6)),
                 ::birth::planetRgb(p.lord));
        const QString age = row.siblingAtColumn(1).data().toString();
        if (p.atBirth) {
            QCOMPARE(age, QString("Geburt"));
        } else {
            const auto m = ageForm.match(age);
            QVERIFY2(m.hasMatch(), qPrintable(where + ": " + age));
            QCOMPARE(
                (AgeTriple{m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()}),
                p.startAge);
        }
        QCOMPARE(QDate::fromString(row.siblingAtColumn(2).data().toString(), "dd.MM.yyyy"),
                 qdate(*p.startDate));
        QCOMPARE(QDate::fromString(row.siblingAtColumn(3).data().toString(), "dd.MM.yyyy"),
                 qdate(*p.endDate));
    }
}

// Bold exactly where the day lies within the period and within all its parents.
void PeriodsTest::runningRowsAreBold_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("boldRows");
    QTest::newRow("the birth day") << QDate(2012, 12, 23) << 3;
    QTest::newRow("a day in life") << QDate(2031, 5, 17) << 3;
    QTest::newRow("a pratyantardasa's first day") << QDate(2013, 2, 7) << 3;
    QTest::newRow("before birth") << QDate(2012, 12, 22) << 0;
    QTest::newRow("the cycle's end") << QDate(2118, 6, 13) << 0;
}

void PeriodsTest::runningRowsAreBold() {
    QFETCH(QDate, today);
    QFETCH(int, boldRows);
    const PeriodList list = expectedPeriods({}, YearLength::solar);
    PeriodModel model;
    const CivilDate day{today.year(), today.month(), today.day()};
    model.setPeriods(list, day);
    const auto periods = flatten(list);
    const QModelIndexList rows = rowsOf(model);
    std::vector<bool> runs(3, true);
    int bold = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const auto [p, depth] = periods[static_cast<std::size_t>(i)];
        runs[static_cast<std::size_t>(depth)] =
            (depth == 0 || runs[static_cast<std::size_t>(depth - 1)]) &&
            qdate(*p->startDate) <= today && today < qdate(*p->endDate);
        const QVariant font = rows[i].data(Qt::FontRole);
        const bool isBold = font.isValid() && qvariant_cast<QFont>(font).bold();
        QCOMPARE(isBold, bool(runs[static_cast<std::size_t>(depth)]));
        bold += isBold;
    }
    QCOMPARE(bold, boldRows);

    // The window opens with the running rows expanded and the deepest one selected.
    Opened o;
    o.list->showResult(resultOf({}), day);
    const QModelIndex current = o.tree()->currentIndex();
    if (boldRows == 0) {
        QCOMPARE(current.row(), 0);
        QVERIFY(!current.parent().isValid());
        return;
    }
    QVERIFY(o.model()->isRunning(current));
    QVERIFY(current.parent().isValid() && current.parent().parent().isValid());
    QVERIFY(o.tree()->isExpanded(current.parent()) &&
            o.tree()->isExpanded(current.parent().parent()));
    QVERIFY(o.tree()->viewport()->rect().intersects(o.tree()->visualRect(current)));
}

void PeriodsTest::doubleClickOpensAtTheCell_data() {
    QTest::addColumn<int>("cell");
    QTest::newRow("birth cell") << 1;
    QTest::newRow("antardasa running at birth") << 2;
    QTest::newRow("first cell of row 2") << 10;
    QTest::newRow("inside row 5") << 42;
    QTest::newRow("last cell") << 81;
}

// The cell's own period: an antardasa where the cell stands for one (also the first cell of a
// row, shared with its mahadasa), else the mahadasa.
void PeriodsTest::doubleClickOpensAtTheCell() {
    QFETCH(int, cell);
    uitest::Window ui;
    ::birth::calculate(ui.window, {});
    QTest::mouseDClick(::birth::innerField(ui.window, cell), Qt::LeftButton);
    auto* list = ui.window.findChild<PeriodWindow*>("PeriodList");
    QVERIFY(list && list->isVisible());
    const QModelIndex current = uitest::find<QTreeView>(list, "PeriodTree")->currentIndex();
    const Period* shown = list->model()->period(current);
    QVERIFY(shown);
    QCOMPARE(shown->cell, cell);
    bool antardasaHasIt = false;
    for (const Period& m : expectedPeriods({}, YearLength::solar).mahadasas)
        for (const Period& a : m.children)
            antardasaHasIt |= a.cell == cell;
    QCOMPARE(shown->level, antardasaHasIt ? PeriodLevel::antardasa : PeriodLevel::mahadasa);
}

void PeriodsTest::copyGivesTabSeparatedRows() {
    Opened o;
    QTreeView* tree = o.tree();
    const QModelIndex first = o.model()->index(2, 0);
    const QModelIndex second = o.model()->index(0, 0, first);
    tree->expand(first);
    tree->selectionModel()->select(second,
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    tree->selectionModel()->select(first, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QString("Periode\tAlter bei Beginn\tBeginn\tEnde"));
    // In the tree's order, whatever the order of selecting.
    for (const auto& [line, row] : {std::pair{lines[1], first}, std::pair{lines[2], second}}) {
        QStringList expected;
        for (int c = 0; c < 4; ++c)
            expected << row.siblingAtColumn(c).data().toString();
        QCOMPARE(line.split('\t'), expected);
    }
}

void PeriodsTest::csvReadsBack() {
    Opened o;
    nextFile_ = folder_.filePath("perioden.csv");
    uitest::click(o.list, "PeriodCsv");
    QFile file(nextFile_);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray csv = file.readAll();
    QVERIFY(csv.startsWith("Ebene;Mahadasa;Antardasa;Pratyantardasa;Sukshmadasa;Pranadasa;Jahre;"
                           "Monate;Tage;Beginn;Ende;Jahreslänge\n"
                           "1;Sukra;;;;;0;0;0;23.12.2012;13.06.2018;365,2425\n"
                           "2;Sukra;Sani;;;;0;0;0;23.12.2012;14.06.2014;365,2425\n"
                           "3;Sukra;Sani;Surya;;;0;0;0;23.12.2012;07.02.2013;365,2425\n"
                           "3;Sukra;Sani;Chandra;;;0;1;16;07.02.2013;15.05.2013;365,2425\n"));
    QVERIFY(csv.endsWith("\n3;Ketu;Buddha;Sani;;;105;3;23;17.04.2118;13.06.2118;365,2425\n"));
    // 9 mahadasas, 75 antardasas, 671 pratyantardasas (as in the engine's tests).
    QCOMPARE(csv.count('\n'), 1 + 9 + 75 + 671);
}

// On 17.5.2031 Chandra / Buddha / Guru run: every mahadasa and antardasa is in the document, the
// pratyantardasas of the running antardasa only.
void PeriodsTest::pdfHasTheText() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext is not installed");
    Opened o({}, CivilDate{2031, 5, 17});
    nextFile_ = folder_.filePath("perioden.pdf");
    uitest::click(o.list, "PeriodPdf");
    const QString text = pdfText(nextFile_);
    for (const char* header : {"Vimsottari Dasa – Perioden", "Geburt: 23.12.2012",
                               "Mond: Widder 23° 01′ 01″ (siderisch)", "Nakshatra: Bharani",
                               "Jahreslänge: 365,2425 Tage (gregorianisch)"})
        QVERIFY2(text.contains(QString::fromUtf8(header)), header);
    const struct {
        const char* line;
        bool shown;
    } rows[] = {
        {"Sukra Geburt 23.12.2012 13.06.2018", true},
        {"Sani Geburt 23.12.2012 14.06.2014", true},
        {"Chandra 11 Jahre 5 M 20 T 13.06.2024 13.06.2034", true},
        {"Sani 15 Jahre 8 M 20 T 12.09.2028 13.04.2030", true},
        {"Guru 18 Jahre 3 M 21 T 14.04.2031 22.06.2031", true},
        {"Ketu 98 Jahre 5 M 20 T 14.06.2111 13.06.2118", true},
        {"Sani 103 Jahre 4 M 14 T 07.05.2116 16.06.2117", true},
        {"Mangal 11 Jahre 6 M 15 T 08.07.2024 25.07.2024", false}, // in Chandra / Chandra
    };
    for (const auto& row : rows)
        QVERIFY2(hasRow(text, row.line) == row.shown, row.line);
}

void PeriodsTest::refusedWrites_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("button");
    QTest::newRow("csv in a missing folder") << "fehlt/perioden.csv"
                                             << "PeriodCsv";
    QTest::newRow("pdf in a missing folder") << "fehlt/perioden.pdf"
                                             << "PeriodPdf";
    QTest::newRow("csv over a folder") << "ordner"
                                       << "PeriodCsv";
    QTest::newRow("pdf over a folder") << "ordner"
                                       << "PeriodPdf";
}

// A refused write says so, naming the file, and leaves neither the file nor a temporary one;
// a cancelled dialog writes nothing and says nothing.
void PeriodsTest::refusedWrites() {
    QFETCH(QString, name);
    QFETCH(QString, button);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("ordner"));
    Opened o;
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    nextFile_ = dir.filePath(name);
    const QString message = uitest::messageFrom([&] { uitest::click(o.list, qPrintable(button)); });
    QVERIFY2(message.contains(QDir::toNativeSeparators(nextFile_)), qPrintable(message));
    QVERIFY(message.startsWith("Die Datei"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QVERIFY(QFileInfo(dir.filePath("ordner")).isDir());
    const PeriodList list = expectedPeriods({}, YearLength::solar);
    QCOMPARE(rowsOf(*o.model()).size(), static_cast<qsizetype>(flatten(list).size()));

    nextFile_.clear();
    const int asked = fileDialogs_;
    QCOMPARE(uitest::messageFrom([&] { uitest::click(o.list, qPrintable(button)); }), QString());
    QCOMPARE(fileDialogs_, asked + 1);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
}

// On a full disk the CSV is refused with the file and the system's reason; the earlier file of
// that name stays byte for byte, with its permissions, and nothing else is left.
void PeriodsTest::fullDiskLeavesTheEarlierFile() {
    QTemporaryDir dir;
    nextFile_ = dir.filePath("perioden.csv");
    const QByteArray earlier = "Ebene;Mahadasa\n1;Ketu\n";
    testfiles::make(nextFile_, earlier);
    Opened o;
    QString message;
    {
        testfiles::FullDisk full(rlim_t(earlier.size()));
        message = uitest::messageFrom([&] { uitest::click(o.list, "PeriodCsv"); });
    }
    QCOMPARE(message, QStringLiteral("Die Datei „%1“ ließ sich nicht schreiben: File too large. "
                                     "Eine frühere Datei dieses Namens bleibt unverändert.")
                          .arg(nextFile_));
    QCOMPARE(testfiles::bytesOf(nextFile_), earlier);
    QCOMPARE(testfiles::mode(nextFile_), 0644);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"perioden.csv"});
}

void PeriodsTest::exportsAreTheOwners_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("begins");
    QTest::newRow("csv") << "perioden.csv" << QByteArray("Ebene;");
    QTest::newRow("pdf") << "perioden.pdf" << QByteArray("%PDF-");
    QTest::newRow("png of the overview") << "übersicht.png" << QByteArray("\x89PNG");
}

// Every export names the birth and its date: it is the owner's alone, also over an earlier file
// that others could read.
void PeriodsTest::exportsAreTheOwners() {
    QFETCH(QString, name);
    QFETCH(QByteArray, begins);
    QTemporaryDir dir;
    nextFile_ = dir.filePath(name);
    testfiles::make(nextFile_, "früher");
    uitest::Window ui;
    ::birth::calculate(ui.window, {});
    const QString message = uitest::messageFrom([&] {
        if (name.endsWith(".png"))
            QTest::keyClick(&ui.window, Qt::Key_S, Qt::ControlModifier);
        else
            uitest::click(Opened().list, name.endsWith(".csv") ? "PeriodCsv" : "PeriodPdf");
    });
    QCOMPARE(message, QString());
    QVERIFY(testfiles::bytesOf(nextFile_).startsWith(begins));
    QCOMPARE(testfiles::mode(nextFile_), 0600);
}

void PeriodsTest::invalidBirthDateHasNoDates() {
    ::birth::Entry e;
    e.day = "31", e.month = "2", e.year = "2000";
    Opened o(e);
    const PeriodList expected = expectedPeriods(e, YearLength::solar);
    QVERIFY(!expected.hasDates());
    auto* reason = uitest::find<QLabel>(o.list, "PeriodNoDates");
    QVERIFY(reason->isVisible());
    QCOMPARE(reason->text(), QString::fromStdString(expected.noDatesReason));
    for (const QModelIndex& row : rowsOf(*o.model())) {
        QVERIFY(!row.data().toString().isEmpty());
        QVERIFY(row.siblingAtColumn(2).data().toString().isEmpty());
        QVERIFY(row.siblingAtColumn(3).data().toString().isEmpty());
    }
    // A valid birth date takes the reason away again.
    ::birth::calculate(o.ui.window, {});
    QVERIFY(!reason->isVisible());
}

// Worked by hand from 1.1.2000: Sani begins at 84 years, 30240 days of age (17.10.2082 with 360-day
// years; x 365.25 / 360 = 30681, 1.1.2084, with Julian ones); Chandra at 33 years, 11880 x
// 365.2422 / 360 = 12052.99 (30.12.2032, a day before the Gregorian 12053.0025); Buddha at 103
// years, 37080 x 365.25636 / 360 = 37621.41 (2.1.2103, the Gregorian 37619.98: 31.12.2102).
void PeriodsTest::yearLengthChoice_data() {
    QTest::addColumn<QVariant>("days360"); // "Jahr = 360 Tage" of earlier versions
    QTest::addColumn<QString>("first");    // what the first window shows
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("mahadasa");
    QTest::addColumn<QString>("row");
    const QString gregorian = "365,2425 Tage (gregorianisch)";
    QTest::newRow("was 360") << QVariant(true) << "360 Tage"
                             << "365,2422 Tage (tropisch)" << 3
                             << "Chandra | 32 Jahre 11 M 30 T | 30.12.2032";
    QTest::newRow("was not 360") << QVariant(false) << gregorian << "360 Tage" << 7
                                 << "Sani | 83 Jahre 11 M 30 T | 17.10.2082";
    QTest::newRow("siderisch") << QVariant() << gregorian << "365,25636 Tage (siderisch)" << 8
                               << "Buddha | 102 Jahre 11 M 30 T | 02.01.2103";
    QTest::newRow("julianisch") << QVariant() << gregorian << "365,25 Tage (julianisch)" << 7
                                << "Sani | 83 Jahre 11 M 30 T | 01.01.2084";
}

// The earlier setting becomes the first choice, once; a choice moves the dates at once, not the
// ages, and holds for the next window whatever the earlier setting says.
void PeriodsTest::yearLengthChoice() {
    QFETCH(QVariant, days360);
    QFETCH(QString, first);
    QFETCH(QString, chosen);
    QFETCH(int, mahadasa);
    QFETCH(QString, row);
    QSettings().clear();
    if (days360.isValid())
        QSettings().setValue("Perioden/JahrGleich360Tage", days360);
    {
        Opened o(aries());
        auto* lengths = uitest::find<QComboBox>(o.list, "YearLength");
        QCOMPARE(lengths->currentText(), first);
        lengths->setCurrentIndex(lengths->findText(chosen));
        QCOMPARE(rowText(o.model()->index(mahadasa, 0)), row);
    }
    Opened o(aries());
    QCOMPARE(uitest::find<QComboBox>(o.list, "YearLength")->currentText(), chosen);
    QCOMPARE(rowText(o.model()->index(mahadasa, 0)), row);
    QSettings().clear();
}

// Sukra / Sukra / Sukra of the Aries birth runs from 2520 to 2720 days; its sukshmadasas begin
// after 0, 33, ... 188 of its 200 days (200 x 20, 26, ... 113 / 120, rounded down), its first
// sukshmadasa's Surya pranadasa after 5 days. A date is 1.1.2000 + ⌊days x 365.2425 / 360⌋: 2553
// days of age are 2590 calendar days, 3.2.2007; 2708 are 2747, 10.7.2007.
void PeriodsTest::lowerLevelsWhenOpened() {
    Opened o(aries());
    const QModelIndex pratyantar = o.model()->indexOfPath({1, 0, 0});
    QCOMPARE(rowText(pratyantar), QString("Sukra | 6 Jahre 11 M 30 T | 31.12.2006"));
    QVERIFY(o.model()->hasChildren(pratyantar));
    QCOMPARE(o.model()->rowCount(pratyantar), 0); // nothing made before it is opened
    o.tree()->expand(pratyantar.parent().parent());
    o.tree()->expand(pratyantar.parent());
    o.tree()->expand(pratyantar);
    QCOMPARE(o.model()->rowCount(pratyantar), 9);
    QStringList sukshmas;
    for (int r : {0, 1, 8})
        sukshmas << rowText(o.model()->index(r, 0, pratyantar));
    QCOMPARE(sukshmas, (QStringList{"Sukra | 6 Jahre 11 M 30 T | 31.12.2006",
                                    "Surya | 7 Jahre 1 M 3 T | 03.02.2007",
                                    "Ketu | 7 Jahre 6 M 8 T | 10.07.2007"}));
    const QModelIndex sukshma = o.model()->index(0, 0, pratyantar);
    o.tree()->expand(sukshma);
    QCOMPARE(o.model()->rowCount(sukshma), 9);
    QCOMPARE(rowText(o.model()->index(1, 0, sukshma)),
             QString("Surya | 7 Jahre 0 M 5 T | 05.01.2007"));
    // The last sukshmadasa ends where the pratyantardasa does; a pranadasa has no children.
    QCOMPARE(o.model()->index(8, 3, pratyantar).data().toString(),
             pratyantar.siblingAtColumn(3).data().toString());
    QVERIFY(!o.model()->hasChildren(o.model()->index(0, 0, sukshma)));
}

// The Aries birth's Sukra mahadasa has 9^(d-1) periods on level d. On 10.1.2007 the document
// lists the levels below the antardasas only within the running periods.
void PeriodsTest::exportDepth_data() {
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("deepestInSukra");
    QTest::addColumn<QString>("csvLine");
    QTest::addColumn<QString>("pdfShown");
    QTest::addColumn<QString>("pdfHidden");
    QTest::newRow("1") << 1 << 1 << "1;Sukra;;;;;6;11;30;31.12.2006;31.12.2026;365,2425"
                       << "Sukra 6 Jahre 11 M 30 T 31.12.2006 31.12.2026"
                       << "Sukra 6 Jahre 11 M 30 T 31.12.2006 02.05.2010";
    QTest::newRow("2") << 2 << 9 << "2;Sukra;Sukra;;;;6;11;30;31.12.2006;02.05.2010;365,2425"
                       << "Sukra 6 Jahre 11 M 30 T 31.12.2006 02.05.2010"
                       << "Sukra 6 Jahre 11 M 30 T 31.12.2006 22.07.2007";
    QTest::newRow("4") << 4 << 729
                       << "4;Sukra;Sukra;Sukra;Surya;;7;1;3;03.02.2007;13.02.2007;365,2425"
                       << "Surya 7 Jahre 1 M 3 T 03.02.2007 13.02.2007"
                       << "Mangal 7 Jahre 0 M 9 T 09.01.2007 11.01.2007";
    QTest::newRow("5") << 5 << 6561
                       << "5;Sukra;Sukra;Sukra;Sukra;Mangal;7;0;9;09.01.2007;11.01.2007;365,2425"
                       << "Mangal 7 Jahre 0 M 9 T 09.01.2007 11.01.2007"
                       << "Chandra 7 Jahre 1 M 13 T 13.02.2007 14.02.2007"; // not running
}

void PeriodsTest::exportDepth() {
    QFETCH(int, depth);
    QFETCH(int, deepestInSukra);
    QFETCH(QString, csvLine);
    QFETCH(QString, pdfShown);
    QFETCH(QString, pdfHidden);
    Opened o(aries(), CivilDate{2007, 1, 10});
    auto* choice = uitest::find<QComboBox>(o.list, "ExportDepth");
    QCOMPARE(choice->currentIndex(), 2); // three levels unless chosen
    choice->setCurrentIndex(depth - 1);

    nextFile_ = folder_.filePath("tiefe.csv");
    uitest::click(o.list, "PeriodCsv");
    QFile file(nextFile_);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    QVERIFY2(lines.contains(csvLine), qPrintable(csvLine));
    QCOMPARE(lines.filter(QRegularExpression(QString("^%1;").arg(depth + 1))).size(), 0);
    QCOMPARE(lines.filter(QRegularExpression(QString("^%1;Sukra;").arg(depth))).size(),
             deepestInSukra);

    if (!QStandardPaths::findExecutable("pdftotext").isEmpty()) {
        nextFile_ = folder_.filePath("tiefe.pdf");
        uitest::click(o.list, "PeriodPdf");
        const QString text = pdfText(nextFile_);
        QVERIFY2(hasRow(text, pdfShown), qPrintable(pdfShown));
        QVERIFY2(!hasRow(text, pdfHidden), qPrintable(pdfHidden));
    }
    choice->setCurrentIndex(2);
}

// On 10.1.2007 the pranadasa Mangal of Sukra / Sukra / Sukra / Sukra runs (9 to 11 days into it):
// the window opens down to it, selected, and exactly its five rows are bold. Why other programs
// differ is told for the running antardasa Sukra / Sukra of the birth shown: it begins at 2520 days
// of age, 25.11.2006 on 360-day years, 31.12.2006 on each of the others (2556.70, .75, .68 and .87
// days, see above).
void PeriodsTest::runningOnTheDayShown() {
    Opened o(aries(), CivilDate{2007, 1, 10});
    const QModelIndex current = o.tree()->currentIndex();
    QCOMPARE(rowText(current), QString("Mangal | 7 Jahre 0 M 9 T | 09.01.2007"));
    QCOMPARE(current.siblingAtColumn(3).data().toString(), QString("11.01.2007"));
    QStringList bold;
    for (const QModelIndex& row : rowsOf(*o.model(), {}, 5))
        if (isBold(row))
            bold << row.data().toString();
    QCOMPARE(bold, (QStringList{"Sukra", "Sukra", "Sukra", "Sukra", "Mangal"}));

    QString caption;
    const QString text = uitest::messageFrom([&] { uitest::click(o.list, "PeriodWhy"); }, &caption);
    QCOMPARE(caption, QString("Warum weichen andere Programme ab?"));
    for (const char* part :
         {"Für die Geburt am 01.01.2000.", "Antardasa Sukra/Sukra", "360 Tage: 25.11.2006\n",
          "365,2425 Tage (gregorianisch): 31.12.2006  (gewählt)\n",
          "365,25636 Tage (siderisch): 31.12.2006\n", "Ayanamsa", "Pranadasa"})
        QVERIFY2(text.contains(QString::fromUtf8(part)), part);
}

// Ctrl+S saves the overview as shown, Ctrl+P prints it, "Übersicht kopieren" copies it.
void PeriodsTest::overviewExports() {
    uitest::Window ui;
    ::birth::calculate(ui.window, {});
    auto* overview = uitest::find<QWidget>(&ui.window, "Panel1");
    const QImage shown = overview->grab().toImage();
    nextFile_ = folder_.filePath("übersicht.png");
    QTest::keyClick(&ui.window, Qt::Key_S, Qt::ControlModifier);
    QImage saved(nextFile_);
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32),
             shown.convertToFormat(QImage::Format_RGB32));

    printFile_ = folder_.filePath("übersicht.pdf");
    QTest::keyClick(&ui.window, Qt::Key_P, Qt::ControlModifier);
    QFile printed(printFile_);
    QVERIFY(printed.open(QIODevice::ReadOnly));
    QVERIFY(printed.read(5) == "%PDF-");
    printFile_.clear();

    for (QAction* action : overview->actions())
        QVERIFY(!action->text().isEmpty());
    QApplication::clipboard()->clear();
    QMetaObject::invokeMethod(overview, "copyRequested");
    QCOMPARE(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
             shown.convertToFormat(QImage::Format_RGB32));

    // Not while another screen covers the overview.
    uitest::click(&ui.window, "Button13");
    const QString again = folder_.filePath("nicht.png");
    nextFile_ = again;
    QTest::keyClick(&ui.window, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!QFile::exists(again));
}

QTEST_MAIN(PeriodsTest)
#include "test_periods.moc"
