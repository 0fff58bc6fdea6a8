// The life overview as the user sees it: its layout at load, the fill by a calculation, the
// mahadasa marking and the sample overview picture, driven through the real window.
#include <QHelpEvent>
#include <QToolTip>
#include <QtTest>

#include "birth.h"
#include "screens/sample.h"
#include "uitest.h"

using birth::Entry;
using zeitrad::widgets::Label;
using zeitrad::widgets::Shape;

namespace {

namespace ov = zeitrad::screens::overview;

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
            QCOMPARE(birth::at(image, birth::innerPoint(w, c.k)), white);
        } else {
            for (int n = 1; n <= 3; ++n)
                QVERIFY2(birth::line(w, c.k, n)->isVisibleTo(&w), where);
            QCOMPARE(birth::line(w, c.k, 1)->text(), c.name);
            QCOMPARE(birth::line(w, c.k, 2)->text(), c.second);
            QCOMPARE(birth::line(w, c.k, 3)->text(), c.third);
        }
        if (birth::at(image, birth::framePoint(w, c.k)) != c.frame)
            QFAIL(where + ": frame colour " +
                  QByteArray::number(birth::at(image, birth::framePoint(w, c.k)), 16));
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
    void titleOnItsBand();
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

// The grid at load: nine rows of nine cells tiling the panel, each frame holding its white inner
// field and three text lines, the row bars covering the top and bottom edge of every frame.
void OverviewTest::layoutAtLoad() {
    uitest::Window ui;
    QWidget& w = ui.window;
    auto* panel = uitest::find<QWidget>(&w, "Panel1");
    QVERIFY(!panel->isVisibleTo(&w));

    for (int k = 1; k <= 81; ++k) {
        const int row = ov::rowOf(k), column = ov::columnOf(k);
        const QByteArray where = "cell " + QByteArray::number(k);
        const QRect cell = birth::frame(w, k)->geometry();
        QCOMPARE(birth::frame(w, k)->parentWidget(), panel);
        QVERIFY2(panel->rect().contains(cell), where);
        // Neighbours share their outline: the next column starts on this cell's last pixel
        // column, the next row on its last pixel row.
        if (column < 9) {
            const QRect next = birth::frame(w, k + 1)->geometry();
            QVERIFY2(next.left() == cell.right() && next.top() == cell.top() &&
                         next.height() == cell.height(),
                     where);
        }
        if (row < 9) {
            const QRect below = birth::frame(w, k + 9)->geometry();
            QVERIFY2(below.top() == cell.bottom() && below.left() == cell.left() &&
                         below.width() == cell.width(),
                     where);
        }
        auto* inner = birth::innerField(w, k);
        QVERIFY2(cell.adjusted(1, 1, -1, -1).contains(inner->geometry()), where);
        QCOMPARE(birth::rgb(inner->brushColor()), white);
        // The lines stand one below the other inside the inner field; at load each shows its
        // own name, and row 1 past the birth mahadasa is empty.
        for (int n = 1; n <= 3; ++n) {
            auto* label = birth::line(w, k, n);
            QCOMPARE(label->text(), label->objectName());
            QVERIFY2(inner->geometry().contains(label->geometry()), where);
            if (n > 1)
                QVERIFY2(label->y() > birth::line(w, k, n - 1)->y(), where);
            QCOMPARE(label->isVisibleTo(panel), row > 1 || column <= 2);
        }
    }
    for (int row = 1; row <= 9; ++row) {
        const QRect first = birth::frame(w, ov::cellOf(row, 1))->geometry();
        const QRect last = birth::frame(w, ov::cellOf(row, 9))->geometry();
        auto* top = birth::topBar(w, row);
        auto* bottom = birth::bottomBar(w, row);
        QCOMPARE(top->y(), first.top());
        QCOMPARE(bottom->geometry().bottom(), first.bottom());
        // They reach past the row's outer frames and stay clear of the text lines.
        for (Shape* bar : {top, bottom}) {
            QVERIFY(bar->x() < first.left() && bar->geometry().right() > last.right());
            QVERIFY(panel->rect().contains(bar->geometry()));
            QCOMPARE(bar->isClear(), bar == birth::bottomBar(w, 1));
        }
        QVERIFY(top->geometry().bottom() < birth::line(w, ov::cellOf(row, 2), 1)->y());
        QVERIFY(bottom->y() > birth::line(w, ov::cellOf(row, 2), 3)->geometry().bottom());
    }

    // Only the inner fields of cells 1 and 2 carry a hint.
    int hinted = 0;
    for (QWidget* child : panel->findChildren<QWidget*>()) {
        if (child->toolTip().isEmpty())
            continue;
        ++hinted;
        QVERIFY2(child == birth::innerField(w, 1) || child == birth::innerField(w, 2),
                 qPrintable(child->objectName()));
        QCOMPARE(child->toolTip(), QString("Dasabindu"));
    }
    QCOMPARE(hinted, 2);

    // Painting order: the frames, then the inner fields, then the lines, each in cell order, and
    // the bars last, so that they cover the frames' top and bottom edges.
    const QObjectList children = panel->children();
    const auto index = [&](const QWidget* part) { return children.indexOf(part); };
    QVERIFY(index(birth::frame(w, 81)) < index(birth::innerField(w, 1)));
    QVERIFY(index(birth::innerField(w, 81)) < index(birth::line(w, 1, 1)));
    QVERIFY(index(birth::line(w, 81, 3)) < index(birth::topBar(w, 1)));
}

// The title stands on the sky-blue band at the top of the overview, in yellow, and fits its box.
void OverviewTest::titleOnItsBand() {
    uitest::Window ui;
    QWidget& w = ui.window;
    uitest::click(&w, "Button1");
    auto* title = uitest::find<Label>(&w, "Label244");
    auto* band = uitest::find<QWidget>(&w, "Shape262");
    QVERIFY(title->isVisibleTo(&w));
    QVERIFY(band->geometry().contains(title->geometry()));
    const QFontMetrics metrics(title->font());
    QVERIFY(metrics.horizontalAdvance(title->text()) <= title->width());
    QVERIFY(metrics.height() <= title->height());

    const QImage image = birth::screen(w);
    const QRect box(title->mapTo(&w, QPoint(0, 0)), title->size());
    QCOMPARE(birth::at(image, box.topLeft()), uitest::rgb(166, 202, 240));
    int yellow = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            yellow += birth::at(image, QPoint(x, y)) == uitest::rgb(255, 255, 0);
    QVERIFY2(yellow > 100, qPrintable(QString::number(yellow)));
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
    QCOMPARE(birth::at(image, birth::topBarPoint(w, 1)), lime);
    QCOMPARE(birth::rgb(birth::bottomBar(w, 1)->brushColor()), lime);
    QCOMPARE(birth::at(image, birth::bottomBarPoint(w, 1)), buttonFace);
    QCOMPARE(birth::at(image, birth::topBarPoint(w, 2)), yellow);
    QCOMPARE(birth::at(image, birth::bottomBarPoint(w, 2)), yellow);
    // The bars cover the top edge of the frames: Sani's black frame shows lime there.
    QCOMPARE(birth::at(image, birth::frame(w, 2)->mapTo(&w, QPoint(40, 3))), lime);

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
        QCOMPARE(birth::at(image, birth::framePoint(w, k)), white);
        QCOMPARE(birth::at(image, birth::innerPoint(w, k) - QPoint(0, 30)), white);
    }
    QCOMPARE(birth::at(image, birth::framePoint(w, 2)), birth::planetRgb(zeitrad::Buddha));
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
            QCOMPARE(birth::at(marked, birth::framePoint(w, ov::cellOf(row, column))),
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

    // Its date lies where the overview's own birth date line lies.
    auto* label = uitest::find<Label>(&w, "Label419");
    QCOMPARE(label->text(), date);
    const QPoint dateAt = label->mapTo(&w, QPoint(0, 0));
    QCOMPARE(dateAt, birth::line(w, 1, 3)->mapTo(&w, QPoint(0, 0)));

    // The panel shows the birth lord's picture, and the picture is an overview of that lord's
    // birth: its birth cell's frame is in the lord's colour.
    const QImage picture =
        zeitrad::widgets::loadPicture(zeitrad::screens::SampleOverview::pictureFor(lord));
    QCOMPARE(picture.size(), QSize(754, 559));
    const QImage image = birth::screen(w);
    const QPoint origin = uitest::find<QWidget>(&w, "Image6")->mapTo(&w, QPoint(0, 0));
    for (const QPoint p : {QPoint(300, 10), QPoint(100, 300), QPoint(700, 540), QPoint(12, 76)})
        QCOMPARE(birth::at(image, origin + p), picture.pixel(p) & 0xFFFFFFu);
    const QColor frame = picture.pixel(QPoint(12, 76));
    const QColor expected = birth::planetRgb(lord);
    QVERIFY(qAbs(frame.red() - expected.red()) < 24 &&
            qAbs(frame.green() - expected.green()) < 24 &&
            qAbs(frame.blue() - expected.blue()) < 24);
    // The label with the date lies over the picture's birth cell, on white.
    QCOMPARE(birth::at(image, dateAt), white);
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
            const int k = ov::cellOf(row, column);
            auto* inner = birth::innerField(w, k);
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
