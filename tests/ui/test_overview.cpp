// The life overview as the user sees it: its layout at load, the fill by a calculation, the
// mahadasa marking and the sample overview picture, driven through the real window.
#include <QHelpEvent>
#include <QToolTip>
#include <QtTest>

#include "birth.h"
#include "screens/sample.h"
#include "uitest.h"

using birth::Entry;
using zeitrad::ui::Label;
using zeitrad::ui::Shape;

namespace {

// The names of the grid's parts, row by row, as the layout table gives them.
struct RowParts {
    int firstFrame, firstLabel;
    int inner[9];
    int topBar, bottomBar;
};
const RowParts rowParts[9] = {
    {1, 1, {107, 84, 85, 86, 87, 88, 89, 90, 91}, 92, 93},
    {10, 28, {96, 97, 100, 101, 102, 103, 104, 105, 106}, 94, 95},
    {19, 55, {108, 109, 110, 111, 112, 113, 114, 115, 116}, 98, 99},
    {28, 82, {117, 118, 119, 120, 121, 122, 123, 124, 125}, 126, 127},
    {37, 109, {128, 129, 130, 131, 132, 133, 134, 135, 136}, 137, 138},
    {46, 136, {139, 140, 141, 142, 143, 144, 145, 146, 147}, 148, 149},
    {55, 163, {150, 151, 152, 153, 154, 155, 156, 157, 158}, 159, 160},
    {64, 190, {161, 162, 163, 164, 165, 166, 167, 168, 169}, 179, 180},
    {73, 217, {170, 171, 172, 173, 174, 175, 176, 177, 178}, 181, 182},
};

QRect cellRect(int row, int column) {
    const int left = column == 1 ? 8 : 104 + 80 * (column - 2);
    return {left, 48 + 56 * (row - 1), column == 1 ? 97 : 81, 57};
}

const QRgb white = uitest::rgb(255, 255, 255);
const QRgb buttonFace = uitest::rgb(240, 240, 240);

// The expected content of one cell: three lines, or none for a hidden cell, and the frame colour.
struct CellView {
    int k;
    QString name, second, third; // empty name: the lines are hidden
    QRgb frame;
};

void checkCells(QWidget& w, const QImage& image, const QList<CellView>& cells) {
    for (const CellView& c : cells) {
        const QByteArray where = "cell " + QByteArray::number(c.k);
        if (c.name.isEmpty()) {
            for (int n = 1; n <= 3; ++n)
                QVERIFY2(!birth::line(w, c.k, n)->isVisibleTo(&w), where);
            // An empty white box: white frame and white inner field.
            QCOMPARE(birth::at(image, birth::innerPoint(c.k)), white);
        } else {
            for (int n = 1; n <= 3; ++n)
                QVERIFY2(birth::line(w, c.k, n)->isVisibleTo(&w), where);
            QCOMPARE(birth::line(w, c.k, 1)->text(), c.name);
            QCOMPARE(birth::line(w, c.k, 2)->text(), c.second);
            QCOMPARE(birth::line(w, c.k, 3)->text(), c.third);
        }
        if (birth::at(image, birth::framePoint(c.k)) != c.frame)
            QFAIL(where + ": frame colour " +
                  QByteArray::number(birth::at(image, birth::framePoint(c.k)), 16));
    }
}

QString name(int planet) {
    return birth::planetName(planet);
}

// The nine row colours of the default input in dasa order from Sukra: lime, yellow, white, ...
QList<QRgb> rowColoursFrom(int lord) {
    QList<QRgb> colours;
    for (int row = 1; row <= 9; ++row, lord = zeitrad::advanceWithWrap(lord))
        colours << birth::planetRgb(lord);
    return colours;
}

} // namespace

class OverviewTest : public QObject {
    Q_OBJECT
private slots:
    void layoutAtLoad();
    void titleFitsItsBox();
    void workedExample();
    void hintsAfterFill();
    void rowOneByAntardasaAtBirth_data();
    void rowOneByAntardasaAtBirth();
    void longRowOneThenShortOne();
    void marking();
    void sampleOverviewAtNakshatraStart_data();
    void sampleOverviewAtNakshatraStart();
    void sampleOverviewOnlyOnTheStart();
    void textLinesLeaveTheInnerOutlineWhole();
};

void OverviewTest::layoutAtLoad() {
    uitest::Window ui;
    QWidget& w = ui.window;
    auto* panel = uitest::find<QWidget>(&w, "Panel1");
    QVERIFY(!panel->isVisibleTo(&w));
    QCOMPARE(panel->geometry(), QRect(40, 80, 753, 561));

    for (int row = 1; row <= 9; ++row) {
        const RowParts& parts = rowParts[row - 1];
        for (int column = 1; column <= 9; ++column) {
            const int k = parts.firstFrame + column - 1;
            QCOMPARE(9 * (row - 1) + column, k);
            const QRect cell = cellRect(row, column);
            auto* frame = birth::frame(w, k);
            QCOMPARE(frame->parentWidget(), panel);
            QCOMPARE(frame->geometry(), cell);
            auto* inner = birth::bar(w, parts.inner[column - 1]);
            QCOMPARE(inner->geometry(), cell.adjusted(8, 8, -8, -8));
            QCOMPARE(birth::rgb(inner->brushColor()), white);
            for (int n = 1; n <= 3; ++n) {
                const int number = parts.firstLabel + 3 * (column - 1) + n - 1;
                auto* label = birth::line(w, k, n);
                QCOMPARE(label->objectName(), QString("Label%1").arg(number));
                QCOMPARE(label->text(), label->objectName());
                // Text lines 12 pixels apart inside the inner field, at most 3 pixels off.
                const QPoint rule(cell.left() + 12, cell.top() + 10 + 12 * (n - 1));
                QVERIFY((label->pos() - rule).manhattanLength() <= 3);
                QCOMPARE(label->isVisibleTo(panel), row > 1 || column <= 2);
            }
        }
        auto* top = birth::bar(w, parts.topBar);
        auto* bottom = birth::bar(w, parts.bottomBar);
        QCOMPARE(top->geometry().top(), 48 + 56 * (row - 1));
        QCOMPARE(bottom->geometry().top(), 48 + 56 * (row - 1) + 51);
        for (Shape* bar : {top, bottom}) {
            QCOMPARE(bar->height(), 6);
            QVERIFY(qAbs(bar->x() - 5) <= 1);
            QVERIFY(bar->width() >= 741 && bar->width() <= 745);
            QCOMPARE(bar->isClear(), bar->objectName() == "Shape93");
        }
    }
    // The birth cell's date line lies where the sample overview puts its own date label.
    QCOMPARE(birth::line(w, 1, 3)->pos(), QPoint(21, 83));

    // Only the inner fields of cells 1 and 2 carry a hint.
    int hinted = 0;
    for (QWidget* child : panel->findChildren<QWidget*>()) {
        if (child->toolTip().isEmpty())
            continue;
        ++hinted;
        QVERIFY2(child->objectName() == "Shape107" || child->objectName() == "Shape84",
                 qPrintable(child->objectName()));
        QCOMPARE(child->toolTip(), QString("Dasabindu"));
    }
    QCOMPARE(hinted, 2);

    // The bars lie above every cell: painted last, they cover the frames' top edges.
    const QObjectList children = panel->children();
    const auto index = [&](const char* name) {
        return children.indexOf(uitest::find<QWidget>(panel, name));
    };
    QVERIFY(index("Shape81") < index("Shape107"));
    QVERIFY(index("Shape178") < index("Label1"));
    QVERIFY(index("Label243") < index("Shape92"));
}

void OverviewTest::titleFitsItsBox() {
    uitest::Window ui;
    auto* title = uitest::find<Label>(&ui.window, "Label244");
    QCOMPARE(title->text(), QString("Vimsottari Dasas Lebensübersicht"));
    QCOMPARE(title->geometry(), QRect(200, 16, 340, 26));
    const QFontMetrics metrics(title->font());
    QVERIFY(metrics.horizontalAdvance(title->text()) <= 340);
    QVERIFY(metrics.height() <= 26);
    QVERIFY(title->font().bold() && title->font().italic());
    QCOMPARE(title->font().pixelSize(), 21);
    QCOMPARE(birth::rgb(title->textColor()), uitest::rgb(255, 255, 0));
    QCOMPARE(birth::rgb(*title->background()), uitest::rgb(166, 202, 240));
}

void OverviewTest::workedExample() {
    uitest::Window ui;
    QWidget& w = ui.window;
    birth::calculate(w, Entry{});
    QVERIFY(uitest::shown(&w, "Panel1"));
    QVERIFY(!uitest::shown(&w, "Panel8"));
    QVERIFY(!uitest::shown(&w, "Panel16"));
    QCOMPARE(uitest::find<Label>(&w, "Label261")->text(), QString("Bharani"));

    const QImage image = birth::screen(w);
    const QRgb lime = uitest::rgb(0, 255, 0), black = uitest::rgb(0, 0, 0),
               skyBlue = uitest::rgb(166, 202, 240), purple = uitest::rgb(128, 0, 128),
               yellow = uitest::rgb(255, 255, 0);
    checkCells(w, image,
               {
                   {1, name(zeitrad::Sukra), "Geburt", "23.12.2012", lime},
                   {2, name(zeitrad::Sani), "1 Jahre", "8 M 9 T", black},
                   {3, name(zeitrad::Buddha), "1 Jahre", "5 M 21 T", skyBlue},
                   {4, name(zeitrad::Ketu), "4 Jahre", "3 M 21 T", purple},
                   {5, {}, {}, {}, white},
                   {6, {}, {}, {}, white},
                   {7, {}, {}, {}, white},
                   {8, {}, {}, {}, white},
                   {9, {}, {}, {}, white},
                   {10, name(zeitrad::Surya), "5 Jahre", "5 M 20 T", yellow},
                   {11, name(zeitrad::Chandra), "5 Jahre", "9 M 8 T", white},
               });
    // The planet names keep their blanks, and the label's background reaches behind them.
    auto* sukra = birth::line(w, 1, 1);
    QVERIFY(sukra->text().endsWith("  "));
    QCOMPARE(sukra->width(), sukra->fontMetrics().horizontalAdvance(sukra->text()));

    // Row 1's bars in the birth lord's colour; the bottom one shows only its outline, so the
    // panel shows through it. Row 2's bars in Surya's yellow.
    QCOMPARE(birth::at(image, birth::topBarPoint(1)), lime);
    QCOMPARE(birth::rgb(birth::bar(w, 93)->brushColor()), lime);
    QCOMPARE(birth::at(image, birth::bottomBarPoint(1)), buttonFace);
    QCOMPARE(birth::at(image, birth::topBarPoint(2)), yellow);
    QCOMPARE(birth::at(image, birth::bottomBarPoint(2)), yellow);
    // The bars cover the top edge of the frames: Sani's black frame shows lime there.
    QCOMPARE(birth::at(image, QPoint(birth::columnLeft(2) + 40, birth::rowTop(1) + 3)), lime);

    // The nine legend labels are shown, each on its own colour.
    const struct {
        const char* name;
        QRgb background;
    } legend[] = {
        {"Label247", yellow},
        {"Label263", white},
        {"Label264", uitest::rgb(255, 0, 0)},
        {"Label265", uitest::rgb(255, 0, 255)},
        {"Label266", uitest::rgb(0, 0, 128)},
        {"Label267", black},
        {"Label268", skyBlue},
        {"Label269", purple},
        {"Label270", lime},
    };
    for (const auto& l : legend) {
        auto* label = uitest::find<Label>(&w, l.name);
        QVERIFY2(label->isVisibleTo(&w), l.name);
        QCOMPARE(birth::at(image, label->geometry().topLeft()), l.background);
    }
}

void OverviewTest::hintsAfterFill() {
    uitest::Window ui;
    QWidget& w = ui.window;
    birth::calculate(w, Entry{});
    const auto hintAt = [&](const char* name) {
        auto* field = uitest::find<QWidget>(&w, name);
        const QPoint local(10, 10);
        QHelpEvent event(QEvent::ToolTip, local, field->mapToGlobal(local));
        QApplication::sendEvent(field, &event);
        const QString text = QToolTip::isVisible() ? QToolTip::text() : QString();
        QToolTip::hideText();
        return text;
    };
    QCOMPARE(hintAt("Shape85"), QString());
    QCOMPARE(hintAt("Shape84"), QString("0"));
    QCOMPARE(hintAt("Shape107"), QString("Dasabindu"));
}

void OverviewTest::rowOneByAntardasaAtBirth_data() {
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<int>("runningLord");
    QTest::addColumn<QString>("secondLine");
    QTest::addColumn<QString>("thirdLine");
    QTest::addColumn<int>("shownAfterCell2");
    QTest::addColumn<QString>("balanceYears");
    QTest::addColumn<QString>("balanceMonths");

    // One second into Aswini: the first antardasa of Ketu's seven years is running; the ninth,
    // Buddha's, has no cell.
    QTest::newRow("first antardasa") << birth::position(0, 0, 1) << int(zeitrad::Ketu) << "0 Jahre"
                                     << "0 M 0 T" << 7 << "6 Jahre"
                                     << "11 M 29 T";
    // One second before Aswini ends: the last antardasa, Buddha's; row 1 ends with cell 2.
    QTest::newRow("last antardasa")
        << birth::position(13, 19, 59) << int(zeitrad::Buddha) << "0 Jahre"
        << "11 M 26 T" << 0 << "0 Jahre"
        << "0 M 0 T";
}

void OverviewTest::rowOneByAntardasaAtBirth() {
    QFETCH(Entry, entry);
    QFETCH(int, runningLord);
    QFETCH(QString, secondLine);
    QFETCH(QString, thirdLine);
    QFETCH(int, shownAfterCell2);
    QFETCH(QString, balanceYears);
    QFETCH(QString, balanceMonths);

    uitest::Window ui;
    QWidget& w = ui.window;
    birth::calculate(w, entry);
    QCOMPARE(uitest::find<Label>(&w, "Label261")->text(), QString("Aswini"));
    const QImage image = birth::screen(w);
    QList<CellView> cells = {
        {1, name(zeitrad::Ketu), "Geburt", "23.12.2012", birth::planetRgb(zeitrad::Ketu)},
        {2, name(runningLord), secondLine, thirdLine, birth::planetRgb(runningLord)},
        {10, name(zeitrad::Sukra), balanceYears, balanceMonths, birth::planetRgb(zeitrad::Sukra)},
    };
    int lord = runningLord;
    for (int k = 3; k <= 9; ++k) {
        lord = zeitrad::advanceWithWrap(lord);
        if (k - 2 <= shownAfterCell2) {
            cells.append({k, name(lord), birth::line(w, k, 2)->text(), birth::line(w, k, 3)->text(),
                          birth::planetRgb(lord)});
            QVERIFY(birth::line(w, k, 2)->text().endsWith(" Jahre"));
        } else {
            cells.append({k, {}, {}, {}, white});
        }
    }
    checkCells(w, image, cells);
}

void OverviewTest::longRowOneThenShortOne() {
    uitest::Window ui;
    QWidget& w = ui.window;
    birth::calculate(w, birth::position(0, 0, 1));
    for (int k = 3; k <= 9; ++k)
        QVERIFY(birth::line(w, k, 1)->isVisibleTo(&w));

    birth::calculate(w, birth::position(13, 19, 59));
    const QImage image = birth::screen(w);
    for (int k = 3; k <= 9; ++k) {
        for (int n = 1; n <= 3; ++n)
            QVERIFY(!birth::line(w, k, n)->isVisibleTo(&w));
        QCOMPARE(birth::at(image, birth::framePoint(k)), white);
        QCOMPARE(birth::at(image, birth::innerPoint(k) - QPoint(0, 30)), white);
    }
    QCOMPARE(birth::at(image, birth::framePoint(2)), birth::planetRgb(zeitrad::Buddha));
}

void OverviewTest::marking() {
    uitest::Window ui;
    QWidget& w = ui.window;
    birth::calculate(w, Entry{});
    const QImage filled = birth::screen(w);
    const birth::Snapshot before = birth::snapshot(w);

    uitest::click(&w, "Button2");
    const QImage marked = birth::screen(w);
    const QList<QRgb> rowColours = rowColoursFrom(zeitrad::Sukra);
    for (int row = 1; row <= 9; ++row)
        for (int column = 1; column <= 9; ++column)
            QCOMPARE(birth::at(marked, birth::framePoint(9 * (row - 1) + column)),
                     rowColours[row - 1]);
    QVERIFY(marked != filled);

    // Only frame colours changed: texts, visibility, bars and hints are as the fill left them.
    birth::Snapshot after = birth::snapshot(w);
    QCOMPARE(after.texts, before.texts);
    QCOMPARE(after.lineVisible, before.lineVisible);
    QCOMPARE(after.colours.mid(81), before.colours.mid(81));
    QCOMPARE(after.hint, before.hint);
    QCOMPARE(after.panels, before.panels);

    uitest::click(&w, "Button2");
    QCOMPARE(birth::screen(w), marked);

    // "Antardasacolor" computes the overview again from the same input.
    uitest::click(&w, "Button1");
    QCOMPARE(birth::screen(w), filled);
}

void OverviewTest::sampleOverviewAtNakshatraStart_data() {
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<int>("lord");
    QTest::addColumn<QString>("date");

    // The start of nakshatra n lies at (n - 1) x 13°20'; one row per lord, on its first,
    // second or third nakshatra, with the sign carrying the whole degrees past 30.
    for (int lord = 1; lord <= 9; ++lord) {
        const int n = lord + 9 * (lord % 3);
        const int arcMinutes = (n - 1) * 800;
        const int sign = arcMinutes / 1800 + 1;
        const int within = arcMinutes - (sign - 1) * 1800;
        Entry e = birth::position(within / 60, within % 60, 0, sign);
        e.day = QString::number(lord);
        e.month = "3";
        e.year = "70";
        QTest::addRow("%s, nakshatra %d", qPrintable(birth::planetName(lord).trimmed()), n)
            << e << lord << QString("%1.3.70").arg(lord);
    }
}

void OverviewTest::sampleOverviewAtNakshatraStart() {
    QFETCH(Entry, entry);
    QFETCH(int, lord);
    QFETCH(QString, date);

    uitest::Window ui;
    QWidget& w = ui.window;
    birth::calculate(w, entry);
    QVERIFY(uitest::shown(&w, "Panel16"));
    QVERIFY(uitest::shown(&w, "Panel1"));
    // The overview underneath is filled as usual, with the same date in its birth cell.
    QCOMPARE(birth::line(w, 1, 1)->text(), name(lord));
    QCOMPARE(birth::line(w, 1, 3)->text(), date);

    auto* label = uitest::find<Label>(&w, "Label419");
    QCOMPARE(label->text(), date);
    QCOMPARE(label->geometry().topLeft(), QPoint(21, 83));

    // The panel shows the birth lord's picture, and the picture is an overview of that lord's
    // birth: its birth cell's frame is in the lord's colour.
    const QImage picture = zeitrad::ui::loadPicture(zeitrad::ui::SampleOverview::pictureFor(lord));
    QCOMPARE(picture.size(), QSize(754, 559));
    const QImage image = birth::screen(w);
    const QPoint panel(40, 80);
    for (const QPoint p : {QPoint(300, 10), QPoint(100, 300), QPoint(700, 540), QPoint(12, 76)})
        QCOMPARE(birth::at(image, panel + p - QPoint(1, 0)), picture.pixel(p) & 0xFFFFFFu);
    const QColor frame = picture.pixel(QPoint(12, 76));
    const QColor expected = birth::planetRgb(lord);
    QVERIFY(qAbs(frame.red() - expected.red()) < 24 &&
            qAbs(frame.green() - expected.green()) < 24 &&
            qAbs(frame.blue() - expected.blue()) < 24);
    // The label with the date lies over the picture's birth cell, on white.
    QCOMPARE(birth::at(image, panel + label->geometry().topLeft()), white);
}

void OverviewTest::sampleOverviewOnlyOnTheStart() {
    uitest::Window ui;
    QWidget& w = ui.window;
    for (const Entry& e : {birth::position(13, 20, 1), birth::position(13, 19, 59),
                           birth::position(13, 20, 0, 0, true)}) {
        birth::calculate(w, e);
        QVERIFY(uitest::shown(&w, "Panel1"));
        QVERIFY(!uitest::shown(&w, "Panel16"));
    }
    birth::calculate(w, birth::position(13, 20, 0));
    QVERIFY(uitest::shown(&w, "Panel16"));
    // "Antardasacolor" with the same input shows it again; a calculation from the input screen
    // for another position leaves it hidden.
    uitest::click(&w, "Button1");
    QVERIFY(uitest::shown(&w, "Panel16"));
    birth::calculate(w, birth::position(13, 20, 1));
    QVERIFY(!uitest::shown(&w, "Panel16"));
}

QTEST_MAIN(OverviewTest)
#include "test_overview.moc"

// Planet names keep their trailing blanks, and their white background must still end inside the
// inner field, so that the field's black outline stays whole on its right.
void OverviewTest::textLinesLeaveTheInnerOutlineWhole() {
    uitest::Window ui;
    QWidget& w = ui.window;
    // Ketu a second into its nakshatra: row 1 runs on to column 9, and no sample picture covers
    // the overview.
    birth::calculate(w, birth::position(0, 0, 1));
    QVERIFY(!uitest::shown(&w, "Panel16"));
    const QImage shot = w.grab().toImage();
    for (int row = 1; row <= 9; ++row)
        for (int column = 1; column <= 9; ++column) {
            const int k = 9 * (row - 1) + column;
            auto* inner = birth::bar(w, rowParts[row - 1].inner[column - 1]);
            const QRect field(inner->mapTo(&w, QPoint(0, 0)), inner->size());
            for (int n = 1; n <= 3; ++n) {
                auto* label = birth::line(w, k, n);
                if (!label->isVisibleTo(&w))
                    continue;
                QVERIFY2(label->geometry().right() < inner->geometry().right(),
                         qPrintable(label->objectName() + " " + label->text()));
            }
            for (int y = field.top(); y <= field.bottom(); ++y)
                QVERIFY2(qGray(shot.pixel(field.right(), y)) < 40,
                         qPrintable(QString("cell %1 at y %2").arg(k).arg(y)));
        }
}
