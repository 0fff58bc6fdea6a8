// The timeline of the period list as a user meets it: the colours at the day's line, the tooltip
// of a bar, a click choosing the row and a row bringing its bar into view, the wheel zooming about
// the pointer, the keys and what a screen reader hears, the PNG of the window and of zeitrad-dasa
// against a reference picture, and the PDF's first page. Dates and chains are worked out by hand
// from the rule of the periods (see test_periods.cpp for the Aries birth's figures).
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolTip>
#include <QTreeView>
#include <QtTest>

#include <map>

#include "birth.h"
#include "periodlist/periodmodel.h"
#include "periodlist/periodtimeline.h"
#include "periodlist/periodwindow.h"
#include "uitest.h"

using namespace zeitrad;
using zeitrad::periodlist::PeriodTimeline;
using zeitrad::periodlist::PeriodWindow;

namespace {

// Moon at 0° Widder on 1.1.2000: Ketu's mahadasa from birth, Sukra's from 7 years (31.12.2006).
// On 10.1.2007 Sukra / Sukra / Sukra / Sukra / Mangal run (the pranadasa 09.01.–11.01.2007).
::birth::Entry aries() {
    ::birth::Entry e = ::birth::position(0, 0, 0, 1);
    e.day = "1", e.month = "1", e.year = "2000";
    return e;
}

CivilDate civil(const QDate& d) {
    return {d.year(), d.month(), d.day()};
}

// The period list of a birth as on a day, its timeline `depth` bands deep (chosen as a user
// chooses it) and showing the days from `first` to `last` (the whole life when not given).
struct Opened {
    uitest::Window ui;
    PeriodWindow* list = nullptr;
    PeriodTimeline* timeline = nullptr;
    Opened(const ::birth::Entry& entry, const QDate& day, int depth, const QDate& first = {},
           const QDate& last = {}) {
        ::birth::calculate(ui.window, entry);
        uitest::click(&ui.window, "Button24");
        list = ui.window.findChild<PeriodWindow*>("PeriodList");
        if (!list || !QTest::qWaitForWindowExposed(list))
            qFatal("the period list did not open");
        Engine engine;
        list->showResult(std::get<Result>(engine.calculate(entry.input())), civil(day));
        uitest::find<QComboBox>(list, "ExportDepth")->setCurrentIndex(depth - 1);
        timeline = uitest::find<PeriodTimeline>(list, "PeriodTimeline");
        if (first.isValid())
            show(first, last);
    }
    void show(const QDate& first, const QDate& last) {
        auto& picture = timeline->picture();
        timeline->setSpan({*picture.dayOf(civil(first)), *picture.dayOf(civil(last)) + 1});
    }
    QTreeView* tree() const { return uitest::find<QTreeView>(list, "PeriodTree"); }
    QString currentRow() const {
        const QModelIndex row = tree()->currentIndex();
        return QStringList{row.data().toString(), row.siblingAtColumn(1).data().toString(),
                           row.siblingAtColumn(2).data().toString()}
            .join(" | ");
    }
};

// The colour most pixels of a column show between two rows: a bar's, whatever its name or
// outline cover.
QRgb mostIn(const QImage& image, int x, int top, int bottom) {
    std::map<QRgb, int> counts;
    for (int y = top; y <= bottom; ++y)
        ++counts[image.pixel(x, y) & 0xFFFFFFu];
    return std::max_element(counts.begin(), counts.end(),
                            [](auto& a, auto& b) { return a.second < b.second; })
        ->first;
}

// The share of pixels in which two pictures differ by more than a font's smoothing does.
double differing(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return 1;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 apart = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            apart += std::abs(qRed(p) - qRed(q)) > 40 || std::abs(qGreen(p) - qGreen(q)) > 40 ||
                     std::abs(qBlue(p) - qBlue(q)) > 40;
        }
    return double(apart) / (x.width() * x.height());
}

// Whether pdfinfo names a page wider than high.
bool landscape(const QString& info, int page) {
    const auto m =
        QRegularExpression(QString("Page +%1 size: +([0-9.]+) x ([0-9.]+)").arg(page)).match(info);
    return m.hasMatch() && m.captured(1).toDouble() > m.captured(2).toDouble();
}

// What a program writes on standard output; why it failed, when it did.
QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return "failed: " + QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TimelineTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir folder_;
    QString nextFile_;

private slots:
    void initTestCase();
    void cleanup() { QSettings().clear(); }
    void todaysLineShowsTheRunningColours_data();
    void todaysLineShowsTheRunningColours();
    void hoverNamesThePeriod_data();
    void hoverNamesThePeriod();
    void clickChoosesTheRow();
    void rowBringsItsBarIntoView_data();
    void rowBringsItsBarIntoView();
    void zoomKeepsTheDayUnderThePointer_data();
    void zoomKeepsTheDayUnderThePointer();
    void keysAndButtonsChooseTheSpan_data();
    void keysAndButtonsChooseTheSpan();
    void draggingMovesTheDaysWithThePointer();
    void datesFollowTheYearLength_data();
    void datesFollowTheYearLength();
    void theAxisTellsDayAndAge();
    void keysMoveAndAreAnnounced_data();
    void keysMoveAndAreAnnounced();
    void pngIsTheReferencePicture();
    void pdfBeginsWithTheTimeline_data();
    void pdfBeginsWithTheTimeline();
};

void TimelineTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QApplication::setOrganizationName("ZeitradTest");
    QApplication::setApplicationName("ZeitradTimeline");
    QSettings().clear();
    QVERIFY(folder_.isValid());
    widgets::FileDialog::answerWith([this](const QString&, QString*) {
        return nextFile_.isEmpty() ? QStringList() : QStringList{nextFile_};
    });
}

// The default birth on 17.5.2031 (calendar day 6719 since 23.12.2012, age day 6623): Chandra /
// Buddha / Guru (age days 6591–6659) / Ketu (its sukshmadasa of 68 x 59/120 .. 68 x 79/120 days
// in, 6620–6624) / Buddha (the last pranadasa of those four days: 6623–6624). Zoomed out to the
// whole life only the mahadasas and antardasas are wide enough, below them a tint: Aries on
// 1.6.2085 is in Sani / Sani (84 years, 31.12.2083, to 87 years and 3 days).
void TimelineTest::todaysLineShowsTheRunningColours_data() {
    QTest::addColumn<::birth::Entry>("entry");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<QList<int>>("lords"); // per band; 0 for a tint
    QTest::newRow("Aries, sixteen days") << aries() << QDate(2007, 1, 10) << QDate(2007, 1, 2)
                                         << QDate(2007, 1, 17) << QList<int>{2, 2, 2, 2, 5};
    QTest::newRow("default birth, eight days")
        << ::birth::Entry() << QDate(2031, 5, 17) << QDate(2031, 5, 14) << QDate(2031, 5, 21)
        << QList<int>{4, 9, 7, 1, 9};
    QTest::newRow("Aries, the whole life")
        << aries() << QDate(2085, 6, 1) << QDate() << QDate() << QList<int>{8, 8, 0, 0, 0};
}

void TimelineTest::todaysLineShowsTheRunningColours() {
    QFETCH(::birth::Entry, entry);
    QFETCH(QDate, today);
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(QList<int>, lords);
    Opened o(entry, today, 5, first, last);
    const QImage shown = o.timeline->grab().toImage();
    for (int level = 1; level <= 5; ++level) {
        const QPoint line = o.timeline->pointOf(civil(today), level);
        const periodlist::PeriodPath& running = o.timeline->picture().running();
        const QRect band =
            o.timeline->barRect(periodlist::PeriodPath(running.begin(), running.begin() + level));
        QVERIFY(band.contains(line));
        for (const int side : {-4, 4}) {
            const QRgb seen = mostIn(shown, line.x() + side, band.top(), band.bottom());
            const int lord = lords[level - 1];
            if (lord > 0) {
                QCOMPARE(seen, ::birth::planetRgb(lord));
                continue;
            }
            for (int planet = 1; planet <= 9; ++planet)
                QVERIFY2(seen != ::birth::planetRgb(planet), qPrintable(QString::number(level)));
        }
    }
}

// Aries, 2.1.–17.1.2007. On 13.1.2007 (calendar day 2569, age day 2533): the pranadasa Rahu of
// Sukra / Sukra / Sukra / Sukra (age days 2531–2536, 11.01.–16.01.2007).
void TimelineTest::hoverNamesThePeriod_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("text");
    QTest::newRow("pranadasa") << QDate(2007, 1, 13) << 5
                               << "Sukra / Sukra / Sukra / Sukra / Rahu\n11.01.2007 bis "
                                  "16.01.2007\nAlter bei Beginn: 7 Jahre 0 M 11 T";
    QTest::newRow("sukshmadasa") << QDate(2007, 1, 3) << 4
                                 << "Sukra / Sukra / Sukra / Sukra\n31.12.2006 bis "
                                    "03.02.2007\nAlter bei Beginn: 6 Jahre 11 M 30 T";
    QTest::newRow("antardasa") << QDate(2007, 1, 16) << 2
                               << "Sukra / Sukra\n31.12.2006 bis 02.05.2010\nAlter bei Beginn: "
                                  "6 Jahre 11 M 30 T";
}

void TimelineTest::hoverNamesThePeriod() {
    QFETCH(QDate, day);
    QFETCH(int, level);
    QFETCH(QString, text);
    Opened o(aries(), QDate(2007, 1, 10), 5, QDate(2007, 1, 2), QDate(2007, 1, 17));
    // As Qt asks once the pointer rests there.
    const QPoint at = o.timeline->pointOf(civil(day), level);
    QHelpEvent rest(QEvent::ToolTip, at, o.timeline->mapToGlobal(at));
    QApplication::sendEvent(o.timeline, &rest);
    QCOMPARE(QToolTip::text(), text);
    QToolTip::hideText();
}

// A click on the pranadasa opens its parents in the tree and selects it; the timeline stays.
void TimelineTest::clickChoosesTheRow() {
    Opened o(aries(), QDate(2007, 1, 10), 5, QDate(2007, 1, 2), QDate(2007, 1, 17));
    const auto span = o.timeline->span();
    QTest::mouseClick(o.timeline, Qt::LeftButton, {},
                      o.timeline->pointOf(civil(QDate(2007, 1, 13)), 5));
    QCOMPARE(o.currentRow(), QString("Rahu | 7 Jahre 0 M 11 T | 11.01.2007"));
    QVERIFY(o.tree()->isExpanded(o.tree()->currentIndex().parent()));
    QCOMPARE(o.timeline->span(), span);
}

// Aries, mahadasas from Ketu: Sani is the eighth. Chandra's third antardasa is Rahu, whose second
// pratyantardasa is Guru; Buddha's last antardasa Sani, its last Guru, its last Rahu.
void TimelineTest::rowBringsItsBarIntoView_data() {
    QTest::addColumn<QList<int>>("path");
    QTest::addColumn<int>("lord");
    QTest::newRow("mahadasa") << QList<int>{7} << 8;
    QTest::newRow("pratyantardasa") << QList<int>{3, 2, 1} << 7;
    QTest::newRow("sukshmadasa") << QList<int>{8, 8, 8, 8} << 6;
}

void TimelineTest::rowBringsItsBarIntoView() {
    QFETCH(QList<int>, path);
    QFETCH(int, lord);
    Opened o(aries(), QDate(2007, 1, 10), 5, QDate(2007, 1, 2), QDate(2007, 1, 17));
    QModelIndex row;
    for (const int position : path) {
        if (row.isValid())
            o.tree()->expand(row);
        row = o.list->model()->index(position, 0, row);
    }
    o.tree()->setCurrentIndex(row);
    const QRect bar = o.timeline->barRect(periodlist::PeriodPath(path.begin(), path.end()));
    QVERIFY(o.timeline->rect().contains(bar));
    QVERIFY2(bar.width() >= 8, qPrintable(QString::number(bar.width())));
    const QImage shown = o.timeline->grab().toImage();
    QCOMPARE(mostIn(shown, bar.center().x(), bar.top(), bar.bottom()), ::birth::planetRgb(lord));
}

void TimelineTest::zoomKeepsTheDayUnderThePointer_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("notches"); // of the wheel, away from the user
    QTest::newRow("in, in the middle") << QDate(2040, 7, 1) << 1 << 3;
    QTest::newRow("in, near birth") << QDate(2003, 2, 11) << 2 << 5;
    QTest::newRow("out") << QDate(2055, 3, 30) << 3 << -2;
}

void TimelineTest::zoomKeepsTheDayUnderThePointer() {
    QFETCH(QDate, day);
    QFETCH(int, level);
    QFETCH(int, notches);
    Opened o(aries(), QDate(2007, 1, 10), 3);
    if (notches < 0)
        o.show(QDate(2050, 1, 1), QDate(2059, 12, 31));
    const QPoint at = o.timeline->pointOf(civil(day), level);
    const QString period = o.timeline->toolTipAt(at);
    QVERIFY(!period.isEmpty());
    const std::optional<CivilDate> under = o.timeline->dateAt(at);
    QVERIFY(under);
    const double before = o.timeline->span().length();
    QWheelEvent wheel(at, o.timeline->mapToGlobal(at), {}, QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(o.timeline, &wheel);
    QCOMPARE(o.timeline->dateAt(at), under);
    QCOMPARE(o.timeline->toolTipAt(at), period);
    QVERIFY(notches > 0 ? o.timeline->span().length() < before
                        : o.timeline->span().length() > before);
}

// Aries on 10.1.2007, day 2566 of the life: "T" shows 365.2425 days about that day's middle,
// days 2383.9 to 2749.1 (11.07.2006 to 12.07.2007); "+" the whole life (43,829 days) shrunk by 1.5
// about its middle 21,914.5, days 7304.8 to 36,524.2 (31.12.2019 to 31.12.2099); "Pos1" the whole
// life again, and "-" cannot show more than it.
void TimelineTest::keysAndButtonsChooseTheSpan_data() {
    QTest::addColumn<QStringList>("steps"); // keys, or the names of the buttons above the timeline
    QTest::addColumn<QString>("span");
    const QString life = "01.01.2000 bis 31.12.2119";
    QTest::newRow("T") << QStringList{"T"} << "11.07.2006 bis 12.07.2007";
    QTest::newRow("Heute") << QStringList{"TimelineToday"} << "11.07.2006 bis 12.07.2007";
    QTest::newRow("+") << QStringList{"+"} << "31.12.2019 bis 31.12.2099";
    QTest::newRow("button +") << QStringList{"TimelineZoomIn"} << "31.12.2019 bis 31.12.2099";
    QTest::newRow("T, Pos1") << QStringList{"T", "Home"} << life;
    QTest::newRow("Heute, Ganzes Leben") << QStringList{"TimelineToday", "TimelineWhole"} << life;
    QTest::newRow("-") << QStringList{"-"} << life;
}

void TimelineTest::keysAndButtonsChooseTheSpan() {
    QFETCH(QStringList, steps);
    QFETCH(QString, span);
    Opened o(aries(), QDate(2007, 1, 10), 3);
    const std::map<QString, Qt::Key> keys{
        {"T", Qt::Key_T}, {"+", Qt::Key_Plus}, {"-", Qt::Key_Minus}, {"Home", Qt::Key_Home}};
    for (const QString& step : steps) {
        if (step.startsWith("Timeline"))
            uitest::click(o.list, qPrintable(step));
        else
            QTest::keyClick(o.timeline, keys.at(step));
    }
    QCOMPARE(uitest::find<QLabel>(o.list, "TimelineSpan")->text(), span);
}

// A drag carries the day under the pointer along with it, and chooses no row.
void TimelineTest::draggingMovesTheDaysWithThePointer() {
    Opened o(aries(), QDate(2007, 1, 10), 3, QDate(2050, 1, 1), QDate(2059, 12, 31));
    const QString row = o.currentRow();
    const QPoint from = o.timeline->pointOf(civil(QDate(2055, 1, 1)), 1);
    const QPoint to = from - QPoint(200, 0);
    const std::optional<CivilDate> under = o.timeline->dateAt(from);
    QTest::mousePress(o.timeline, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, o.timeline->mapToGlobal(to), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(o.timeline, &move);
    QTest::mouseRelease(o.timeline, Qt::LeftButton, {}, to);
    QCOMPARE(o.timeline->dateAt(to), under);
    QCOMPARE(o.currentRow(), row);
}

// The dates follow the year length, the ages do not: the Aries birth's Sani begins at 30,240 days
// of age, 31.12.2083 on Gregorian years and 17.10.2082 on years of 360 days; Buddha follows at
// 37,080 days, 31.12.2102 and 10.07.2101.
void TimelineTest::datesFollowTheYearLength_data() {
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("text");
    QTest::newRow("gregorianisch") << "365,2425 Tage (gregorianisch)"
                                   << "Sani\n31.12.2083 bis 31.12.2102\nAlter bei Beginn: 83 "
                                      "Jahre 11 M 30 T";
    QTest::newRow("360 Tage") << "360 Tage"
                              << "Sani\n17.10.2082 bis 10.07.2101\nAlter bei Beginn: 83 Jahre 11 M "
                                 "30 T";
}

void TimelineTest::datesFollowTheYearLength() {
    QFETCH(QString, length);
    QFETCH(QString, text);
    Opened o(aries(), QDate(2007, 1, 10), 3);
    auto* lengths = uitest::find<QComboBox>(o.list, "YearLength");
    lengths->setCurrentIndex(lengths->findText(length));
    QCOMPARE(o.timeline->toolTipAt(o.timeline->pointOf(civil(QDate(2090, 1, 1)), 1)), text);
}

// Below the bands the axis tells the day and the age on it: the default birth is 6623 days old on
// 17.5.2031. Without a valid birth date there are ages only.
void TimelineTest::theAxisTellsDayAndAge() {
    {
        Opened o(::birth::Entry(), QDate(2031, 5, 17), 3, QDate(2031, 5, 14), QDate(2031, 5, 21));
        const QPoint at(o.timeline->pointOf(civil(QDate(2031, 5, 17)), 1).x(),
                        o.timeline->height() - 8);
        QCOMPARE(o.timeline->toolTipAt(at), QString("17.05.2031, Alter 18 Jahre 4 M 23 T"));
    }
    ::birth::Entry invalid;
    invalid.day = "31", invalid.month = "2", invalid.year = "2000";
    Opened o(invalid, QDate(2031, 5, 17), 3);
    const QRect first = o.timeline->barRect({0});
    QCOMPARE(o.timeline->toolTipAt(first.center()), QString("Sukra\nAlter bei Beginn: Geburt"));
    QCOMPARE(uitest::find<QLabel>(o.list, "TimelineSpan")->text(), QString());
}

// Aries on 10.1.2007, three bands: from the running Sukra / Sukra / Sukra (age days 2520–2720)
// on to Surya (2720–2780: 22.07.–21.09.2007); back across the mahadasa's start to Ketu / Buddha's
// last pratyantardasa Sani (2463–2520: 03.11.–31.12.2006), up to Ketu / Buddha (2163–2520).
void TimelineTest::keysMoveAndAreAnnounced_data() {
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("row"); // after Enter
    QTest::newRow("none") << QList<int>{}
                          << "Sukra / Sukra / Sukra, 31.12.2006 bis 22.07.2007, Alter bei Beginn: "
                             "6 Jahre 11 M 30 T"
                          << "Sukra | 6 Jahre 11 M 30 T | 31.12.2006";
    QTest::newRow("right") << QList<int>{Qt::Key_Right}
                           << "Sukra / Sukra / Surya, 22.07.2007 bis 21.09.2007, Alter bei "
                              "Beginn: 7 Jahre 6 M 20 T"
                           << "Surya | 7 Jahre 6 M 20 T | 22.07.2007";
    QTest::newRow("left, across the mahadasa")
        << QList<int>{Qt::Key_Left}
        << "Ketu / Buddha / Sani, 03.11.2006 bis 31.12.2006, Alter bei Beginn: 6 Jahre 10 M 3 T"
        << "Sani | 6 Jahre 10 M 3 T | 03.11.2006";
    QTest::newRow("left, up")
        << QList<int>{Qt::Key_Left, Qt::Key_Up}
        << "Ketu / Buddha, 03.01.2006 bis 31.12.2006, Alter bei Beginn: 6 Jahre 0 M 3 T"
        << "Buddha | 6 Jahre 0 M 3 T | 03.01.2006";
}

void TimelineTest::keysMoveAndAreAnnounced() {
    QFETCH(QList<int>, keys);
    QFETCH(QString, name);
    QFETCH(QString, row);
    Opened o(aries(), QDate(2007, 1, 10), 3);
    o.timeline->setFocus();
    for (const int key : keys)
        QTest::keyClick(o.timeline, Qt::Key(key));
    QCOMPARE(QAccessible::queryAccessibleInterface(o.timeline)->text(QAccessible::Name), name);
    QTest::keyClick(o.timeline, Qt::Key_Return);
    QCOMPARE(o.currentRow(), row);
}

// The picture of 2006 to 2008, four bands, as "Bild …" saves it and as zeitrad-dasa draws it: the
// reference picture, looked at when it was made, up to the smoothing of the fonts.
void TimelineTest::pngIsTheReferencePicture() {
    const QImage reference(ZEITRAD_TEST_DATA "/timeline-aries.png");
    QVERIFY(!reference.isNull());
    Opened o(aries(), QDate(2007, 1, 10), 4, QDate(2006, 1, 1), QDate(2008, 12, 31));
    nextFile_ = folder_.filePath("zeitleiste.png");
    uitest::click(o.list, "TimelinePng");
    QVERIFY2(differing(QImage(nextFile_), reference) < 0.01, "the window's picture");

    const QString drawn = folder_.filePath("dasa.png");
    QCOMPARE(run(ZEITRAD_DASA, {"--date", "1.1.2000", "--moon", "0:0:0", "--sign", "1", "--on",
                                "2007-01-10", "--depth", "4", "--from", "2006-01-01", "--to",
                                "2008-12-31", "--timeline", drawn}),
             QString(""));
    QVERIFY2(differing(QImage(drawn), reference) < 0.01, "zeitrad-dasa's picture");
}

// The first page of the PDF: the timeline in landscape, of the whole life or of the span shown,
// or no such page; the list's pages follow upright.
void TimelineTest::pdfBeginsWithTheTimeline_data() {
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("span"); // the days the page's title names; none: no such page
    QTest::newRow("whole life") << "Zeitleiste: ganzes Leben"
                                << "01.01.2000 bis 31.12.2119";
    QTest::newRow("span shown") << "Zeitleiste: sichtbarer Ausschnitt"
                                << "01.01.2006 bis 31.12.2008";
    QTest::newRow("none") << "ohne Zeitleiste" << QString();
}

void TimelineTest::pdfBeginsWithTheTimeline() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||
        QStandardPaths::findExecutable("pdfinfo").isEmpty())
        QSKIP("poppler's pdftotext and pdfinfo are not installed");
    QFETCH(QString, choice);
    QFETCH(QString, span);
    Opened o(aries(), QDate(2007, 1, 10), 4, QDate(2006, 1, 1), QDate(2008, 12, 31));
    auto* pdfChoice = uitest::find<QComboBox>(o.list, "TimelineInPdf");
    pdfChoice->setCurrentIndex(pdfChoice->findText(choice));
    nextFile_ = folder_.filePath("perioden.pdf");
    uitest::click(o.list, "PeriodPdf");
    const QString info = run("pdfinfo", {"-f", "1", "-l", "2", nextFile_});
    QVERIFY2(landscape(info, 1) == !span.isEmpty(), qPrintable(info));
    QVERIFY2(!landscape(info, 2) && info.contains(QRegularExpression("Page +2 size")),
             qPrintable(info));
    const QString first = run("pdftotext", {"-f", "1", "-l", "1", nextFile_, "-"});
    QCOMPARE(first.contains("Vimsottari Dasa – Zeitleiste"), !span.isEmpty());
    if (!span.isEmpty()) {
        QVERIFY2(first.contains(span), qPrintable(first));
        QVERIFY(first.contains("Pratyantardasa") && first.contains("Sukshmadasa"));
    }
    const QString all = run("pdftotext", {"-layout", nextFile_, "-"});
    QVERIFY(all.contains(QRegularExpression("Sukra\\s+6 Jahre 11 M 30 T\\s+31.12.2006\\s+"
                                            "31.12.2026")));
}

QTEST_MAIN(TimelineTest)
#include "test_timeline.moc"
