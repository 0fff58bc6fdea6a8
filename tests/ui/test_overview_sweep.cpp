// A few thousand births through the real window: for every one, each text, visibility and frame
// colour of the 81 cells, the row bars, the nakshatra label and the sample picture agree with the
// engine's result and with the rules by which cells get their lords. Pixels are probed on a
// subset, since a grab of the window for every birth would be slow.
#include <QRandomGenerator>
#include <QtTest>

#include "birth.h"
#include "screens/sample.h"
#include "uitest.h"

using birth::Entry;
using zeitrad::widgets::Label;
using zeitrad::widgets::Shape;

namespace {

constexpr int secondsPerCircle = 360 * 3600;
constexpr int secondsPerNakshatra = 48000; // 13°20'

// The ayanamsa in whole arc-seconds for years that are 1900 plus a multiple of ten, where the
// 50.3" a year add up to whole seconds.
int ayanamsaSeconds(int year) {
    return 80858 + (year - 1900) * 503 / 10;
}

struct Case {
    Entry entry;
    int sidereal; // the Moon's sidereal longitude in arc-seconds
};

// A sidereal position written as the user may type it: in its own sign, or with the degrees
// carried into an earlier sign (up to 99 degrees), or with the minutes past 59.
Entry typed(int seconds, int style) {
    int sign = seconds / (30 * 3600) + 1;
    int within = seconds - (sign - 1) * 30 * 3600;
    if (style == 1 && sign > 1 && within / 3600 + 30 <= 99) {
        sign -= 1;
        within += 30 * 3600;
    }
    int degrees = within / 3600, minutes = within / 60 % 60;
    if (style == 2 && degrees > 0 && minutes < 40) {
        degrees -= 1;
        minutes += 60;
    }
    return birth::position(degrees, minutes, within % 60, sign);
}

Case sidereal(int seconds, int style) {
    seconds = (seconds % secondsPerCircle + secondsPerCircle) % secondsPerCircle;
    return {typed(seconds, style), seconds};
}

// The same sidereal position typed as a tropical one for a birth in the given year.
Case tropical(int seconds, int year, int style) {
    seconds = (seconds % secondsPerCircle + secondsPerCircle) % secondsPerCircle;
    Case c{typed((seconds + ayanamsaSeconds(year)) % secondsPerCircle, style), seconds};
    c.entry.tropical = true;
    c.entry.day = "1";
    c.entry.month = "7";
    c.entry.year = QString::number(year);
    return c;
}

QList<Case> cases() {
    QList<Case> all;
    QRandomGenerator random(4711);
    const int years[] = {1900, 1970, 2010};
    // On and next to the start of every nakshatra, sidereal and tropical.
    for (int n = 0; n < 27; ++n) {
        for (int offset : {-1, 0, 1}) {
            const int at = n * secondsPerNakshatra + offset;
            all << sidereal(at, n % 3) << tropical(at, years[n % 3], (n + 1) % 3);
        }
    }
    // On and next to every antardasa boundary within every nakshatra: the boundary after j
    // antardasas lies at the share of the nakshatra that their days make of the mahadasa.
    for (int n = 0; n < 27; ++n) {
        const int lord = zeitrad::nakshatraLord(n + 1);
        const int mahadasaDays = 360 * zeitrad::dasaYears[lord];
        long long days = 0;
        int sub = lord;
        for (int j = 1; j <= 8; ++j, sub = zeitrad::advanceWithWrap(sub)) {
            days += zeitrad::antarDays[lord][sub];
            const int floor = static_cast<int>(days * secondsPerNakshatra / mahadasaDays);
            for (int offset : {-1, 0, 1, 2}) {
                const int at = n * secondsPerNakshatra + floor + offset;
                all << sidereal(at, (j + offset + 3) % 3);
                if (j % 2 == 0)
                    all << tropical(at, years[(n + j) % 3], j % 3);
            }
        }
    }
    // Anywhere on the circle: random positions in every sign, random dates, both options.
    while (all.size() < 3000) {
        const int at = static_cast<int>(random.bounded(secondsPerCircle));
        Case c = random.bounded(2) ? sidereal(at, random.bounded(3))
                                   : tropical(at, years[random.bounded(3)], random.bounded(3));
        if (random.bounded(2)) {
            c.entry.day = QString::number(random.bounded(1, 32));
            c.entry.month = QString::number(random.bounded(1, 13));
            if (!c.entry.tropical)
                c.entry.year = QString::number(random.bounded(1, 10000));
        }
        all << c;
    }
    return all;
}

QString name(int planet) {
    return birth::planetName(planet);
}

// The window's controls, looked up once by name.
struct Grid {
    Label* lines[82][4] = {};
    Shape* frames[82] = {};
    Shape* top[10] = {};
    Shape* bottom[10] = {};
    Label* nakshatra = nullptr;
    Label* sampleDate = nullptr;
    QWidget* sample = nullptr;
    QWidget* hint = nullptr;

    explicit Grid(const QWidget& w) {
        for (int k = 1; k <= 81; ++k) {
            for (int n = 1; n <= 3; ++n)
                lines[k][n] = birth::line(w, k, n);
            frames[k] = birth::frame(w, k);
        }
        for (int row = 1; row <= 9; ++row) {
            top[row] = birth::topBar(w, row);
            bottom[row] = birth::bottomBar(w, row);
        }
        nakshatra = uitest::find<Label>(&w, "Label261");
        sampleDate = uitest::find<Label>(&w, "Label419");
        sample = uitest::find<QWidget>(&w, "Panel16");
        hint = uitest::find<QWidget>(&w, "Shape84");
    }
};

void setFields(QWidget& w, const Entry& e) {
    const QString texts[] = {e.degrees, e.minutes, e.seconds, e.day, e.month, e.year};
    for (int n = 1; n <= 6; ++n)
        birth::edit(w, n)->setText(texts[n - 1]);
    QButtonGroup* group = birth::signGroup(w);
    if (e.sign == 0) {
        // Back to no sign at all, as at the start of the program.
        group->setExclusive(false);
        if (group->checkedButton())
            group->checkedButton()->setChecked(false);
        group->setExclusive(true);
    } else {
        group->button(e.sign)->setChecked(true);
    }
    uitest::find<QCheckBox>(&w, "CheckBox1")->setChecked(e.tropical);
}

} // namespace

class OverviewSweepTest : public QObject {
    Q_OBJECT
private slots:
    void everyCellAgreesWithTheEngine();
};

void OverviewSweepTest::everyCellAgreesWithTheEngine() {
    uitest::Window ui;
    QWidget& w = ui.window;
    const Grid grid(w);
    zeitrad::Engine engine;
    auto* antardasacolor = uitest::find<QPushButton>(&w, "Button1");
    auto* berechnungsangaben = uitest::find<QPushButton>(&w, "Button13");
    const QRgb white = uitest::rgb(255, 255, 255);

    QList<Case> all = cases();
    // The first births have no sign chosen at all, as before the user ever picks one; Widder
    // adds nothing either.
    for (int i = 0; i < 20; ++i)
        if (all[i].entry.sign == 1)
            all[i].entry.sign = 0;
    std::stable_sort(all.begin(), all.begin() + 20,
                     [](const Case& a, const Case& b) { return a.entry.sign < b.entry.sign; });

    int checked = 0, probed = 0, starts = 0, shortRows = 0;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const Case& c = all[i];
        const QByteArray where = QByteArray::number(i) + ": " +
                                 QString("%1° %2' %3\" sign %4%5")
                                     .arg(c.entry.degrees, c.entry.minutes, c.entry.seconds)
                                     .arg(c.entry.sign)
                                     .arg(c.entry.tropical ? " tropical " + c.entry.year : "")
                                     .toUtf8();
        const zeitrad::Outcome outcome = engine.calculate(c.entry.input());
        const auto* result = std::get_if<zeitrad::Result>(&outcome);
        QVERIFY2(result, where);

        // "Antardasacolor" presses like a user's click, without waiting for the screen to
        // repaint after every birth.
        setFields(w, c.entry);
        antardasacolor->click();

        // The birth nakshatra and its lord follow from the sidereal position alone.
        const int nakshatra = c.sidereal / secondsPerNakshatra + 1;
        const int birthLord = zeitrad::nakshatraLord(nakshatra);
        const std::string_view nakshatraName = zeitrad::nakshatraName[nakshatra];
        QVERIFY2(grid.nakshatra->text() ==
                     QLatin1String(nakshatraName.data(), qsizetype(nakshatraName.size())),
                 where);
        QCOMPARE(result->birthLord, birthLord);

        // Cell lords by the rules: the birth lord, the antardasa running at birth and those after
        // it up to the return of the birth lord, then each row's mahadasa lord and its sequence.
        int lords[82] = {};
        bool shown[82] = {};
        lords[1] = birthLord;
        lords[2] = result->cells[2].lord;
        shown[1] = shown[2] = true;
        bool returned = false;
        for (int k = 3; k <= 9; ++k) {
            lords[k] = zeitrad::advanceWithWrap(lords[k - 1]);
            returned = returned || lords[k] == birthLord;
            shown[k] = !returned;
        }
        int rowLord = birthLord;
        for (int row = 2; row <= 9; ++row) {
            rowLord = zeitrad::advanceWithWrap(rowLord);
            for (int column = 1, lord = rowLord; column <= 9;
                 ++column, lord = zeitrad::advanceWithWrap(lord)) {
                lords[9 * (row - 1) + column] = lord;
                shown[9 * (row - 1) + column] = true;
            }
        }
        shortRows += shown[3] ? 0 : 1;

        for (int k = 1; k <= 81; ++k) {
            const zeitrad::Cell& cell = result->cells[k];
            QVERIFY2(cell.shown == shown[k] && (!shown[k] || cell.lord == lords[k]),
                     where + " cell " + QByteArray::number(k));
            for (int n = 1; n <= 3; ++n)
                QVERIFY2(grid.lines[k][n]->isVisibleTo(&w) == shown[k],
                         where + " cell " + QByteArray::number(k));
            const QRgb frame = birth::rgb(grid.frames[k]->brushColor());
            if (!shown[k]) {
                QVERIFY2(frame == white, where + " cell " + QByteArray::number(k));
                continue;
            }
            const bool textsAgree =
                grid.lines[k][1]->text() == name(lords[k]) &&
                (k == 1 ? grid.lines[k][2]->text() == "Geburt" &&
                              grid.lines[k][3]->text() ==
                                  QString::fromStdString(result->birthDateText())
                        : grid.lines[k][2]->text() == QString("%1 Jahre").arg(cell.age.years) &&
                              grid.lines[k][3]->text() ==
                                  QString("%1 M %2 T").arg(cell.age.months).arg(cell.age.days));
            QVERIFY2(textsAgree, where + " cell " + QByteArray::number(k) + ": " +
                                     grid.lines[k][1]->text().toUtf8() + "|" +
                                     grid.lines[k][2]->text().toUtf8() + "|" +
                                     grid.lines[k][3]->text().toUtf8());
            QVERIFY2(frame == birth::planetRgb(lords[k]), where + " cell " + QByteArray::number(k));
        }
        for (int row = 1; row <= 9; ++row) {
            const QRgb colour = birth::planetRgb(lords[9 * (row - 1) + 1]);
            QVERIFY2(birth::rgb(grid.top[row]->brushColor()) == colour &&
                         birth::rgb(grid.bottom[row]->brushColor()) == colour,
                     where + " row " + QByteArray::number(row));
        }
        QCOMPARE(grid.hint->toolTip(), QString("0"));

        // The sample picture comes exactly on a nakshatra's start, with the birth lord's picture.
        const bool onStart = c.sidereal % secondsPerNakshatra == 0;
        QVERIFY2(grid.sample->isVisibleTo(&w) == onStart, where);
        QCOMPARE(result->onNakshatraStart, onStart);

        // Pixels on a subset: every frame and bar as the user sees it.
        if (i % 50 == 0 && !onStart) {
            const QImage image = birth::screen(w);
            for (int k = 1; k <= 81; ++k)
                QVERIFY2(birth::at(image, birth::framePoint(w, k)) ==
                             (shown[k] ? birth::planetRgb(lords[k]) : white),
                         where + " pixel of cell " + QByteArray::number(k));
            for (int row = 1; row <= 9; ++row)
                QVERIFY2(birth::at(image, birth::topBarPoint(w, row)) ==
                             birth::planetRgb(lords[9 * (row - 1) + 1]),
                         where + " pixel of row " + QByteArray::number(row));
            ++probed;
        }
        if (onStart) {
            ++starts;
            QCOMPARE(grid.sampleDate->text(), QString::fromStdString(result->birthDateText()));
            QCOMPARE(grid.sample->findChild<zeitrad::widgets::Picture*>("Image6")->image(),
                     zeitrad::widgets::loadPicture(
                         zeitrad::screens::SampleOverview::pictureFor(birthLord)));
            // "Berechnungsangaben" puts the picture away for the next birth.
            berechnungsangaben->click();
        }
        ++checked;
    }
    QVERIFY(checked >= 3000);
    QVERIFY(probed >= 50);
    QVERIFY(starts >= 54);
    QVERIFY(shortRows >= 100);
    qInfo("%d births checked, %d of them probed on the screen, %d on a nakshatra's start, %d "
          "with row 1 ending early",
          checked, probed, starts, shortRows);
}

QTEST_MAIN(OverviewSweepTest)
#include "test_overview_sweep.moc"
