// The sign strip pages "1/3", "2/3" and "3/3": bars, labels and captions as a user sees them on
// the real window, and the layout that the strips are painted from.
#include <QPainter>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <map>

#include "screens/strips.h"
#include "uitest.h"

using zeitrad::screens::StripBar;
using zeitrad::screens::StripRow;
using zeitrad::screens::stripScaleLeft;
using zeitrad::screens::stripScaleRight;
using zeitrad::widgets::Label;

namespace {

// The nine planets in dasa order, with their years and colours as a reader of the strips knows
// them. These are the expectations; the strips take theirs from the planet table.
struct PlanetInfo {
    const char* name;
    int years;
    QRgb fill;
    QRgb text;
};
const std::map<QString, std::pair<int, PlanetInfo>> planets = {
    {"Ketu", {1, {"Ketu", 7, uitest::rgb(128, 0, 128), uitest::rgb(255, 255, 255)}}},
    {"Sukra", {2, {"Sukra", 20, uitest::rgb(0, 255, 0), uitest::rgb(0, 0, 0)}}},
    {"Surya", {3, {"Surya", 6, uitest::rgb(255, 255, 0), uitest::rgb(0, 0, 0)}}},
    {"Chandra", {4, {"Chandra", 10, uitest::rgb(255, 255, 255), uitest::rgb(0, 0, 0)}}},
    {"Mangal", {5, {"Mangal", 7, uitest::rgb(255, 0, 0), uitest::rgb(255, 255, 255)}}},
    {"Rahu", {6, {"Rahu", 18, uitest::rgb(255, 0, 255), uitest::rgb(0, 0, 0)}}},
    {"Guru", {7, {"Guru", 16, uitest::rgb(0, 0, 255), uitest::rgb(255, 255, 255)}}},
    {"Sani", {8, {"Sani", 19, uitest::rgb(0, 0, 0), uitest::rgb(255, 255, 255)}}},
    {"Buddha", {9, {"Buddha", 17, uitest::rgb(166, 202, 240), uitest::rgb(0, 0, 0)}}},
};

const PlanetInfo& info(const QString& name) {
    return planets.at(name).second;
}
int indexOf(const QString& name) {
    return planets.at(name).first;
}

// Arcs in arc-seconds.
constexpr int degree = 3600;
constexpr int minute = 60;
constexpr int signArc = 30 * degree;

// x of a point of a strip's sign by the scale rule, unrounded: the sign spans the scale evenly.
double ruleX(int arcSeconds) {
    return stripScaleLeft + double(arcSeconds) / signArc * (stripScaleRight - stripScaleLeft);
}

const char* const panelOfStrip[] = {"Panel9", "Panel11", "Panel10", "Panel12"};

QWidget* stripPanel(const QWidget& window, int strip) {
    return uitest::find<QWidget>(&window, panelOfStrip[strip - 1]);
}
// Strip 1..4's top left corner in the window.
QPoint stripOrigin(const QWidget& window, int strip) {
    return stripPanel(window, strip)->mapTo(&window, QPoint(0, 0));
}
// The first and last pixel row of a row of the strips.
int rowTop(StripRow row) {
    return zeitrad::screens::rowPlace(row).top;
}
int rowBottom(StripRow row) {
    return rowTop(row) + zeitrad::screens::rowPlace(row).height - 1;
}

// One bar expected on a strip: its planet, whether it is a piece cut by a sign boundary, and the
// arc it stands for.
struct ExpectedBar {
    QString planet;
    bool cut;
    int from;
    int to;
};
using ExpectedRow = QList<ExpectedBar>;

// Turns a row written as "Ketu, Sukra, ..., Rahu*" into bars. Whole antardasas take 6'40" of arc
// for each year of their planet; the pieces at the sign boundaries take the arcs given.
ExpectedRow parseAntardasas(const QString& sequence, int firstPiece, int lastPiece) {
    ExpectedRow row;
    int at = 0;
    const QStringList names = sequence.split(", ");
    for (qsizetype i = 0; i < names.size(); ++i) {
        QString name = names[i];
        const bool cut = name.endsWith('*');
        name.remove('*');
        int arc = info(name).years * (6 * minute + 40);
        if (cut)
            arc = i == 0 ? firstPiece : lastPiece;
        row.append({name, cut, at, at + arc});
        at += arc;
    }
    return row;
}

// A row as it appears on a grab: each bar's planet colour and its outline columns. Bars are
// told apart by the black outline column they share; a black (Sani) bar merges with its
// outlines into one run wider than an outline.
struct SeenBar {
    QRgb fill;
    int left;
    int right;
};

QList<SeenBar> scanRow(const QImage& image, QPoint strip, int y) {
    const auto at = [&](int x) { return image.pixel(strip + QPoint(x, y)) & 0xFFFFFFu; };
    QList<SeenBar> bars;
    int x = stripScaleLeft;
    while (x <= stripScaleRight) {
        const QRgb colour = at(x);
        int end = x;
        while (end + 1 <= stripScaleRight && at(end + 1) == colour)
            ++end;
        if (colour != uitest::rgb(0, 0, 0))
            bars.append({colour, x - 1, end + 1});
        else if (end - x + 1 > 2)
            bars.append({colour, x, end});
        x = end + 1;
    }
    return bars;
}

QImage grabWindow(QWidget& window) {
    return window.grab().toImage();
}

// The unnamed degree-number labels of a strip, by their number.
std::map<int, Label*> degreeLabels(const QWidget* strip) {
    std::map<int, Label*> labels;
    for (Label* label : strip->findChildren<Label*>(Qt::FindDirectChildrenOnly)) {
        bool number = false;
        const int value = label->text().toInt(&number);
        if (number && label->objectName().isEmpty())
            labels[value] = label;
    }
    return labels;
}

int distance(QRgb a, QRgb b) {
    const int r = qRed(a) - qRed(b), g = qGreen(a) - qGreen(b), bl = qBlue(a) - qBlue(b);
    return r * r + g * g + bl * bl;
}

// Number of pixels of a window rectangle that lie nearer to the text colour than to the
// background: the ink of the text, whose smoothed edges are never exactly the text colour.
int inkPixels(const QImage& image, const QRect& rect, QRgb text, QRgb background) {
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QRgb seen = image.pixel(x, y) & 0xFFFFFFu;
            count += distance(seen, text) < distance(seen, background);
        }
    return count;
}

// The ink of a label's caption drawn in its font and colours on a canvas with room all round.
int freeInk(const Label& label, QRgb text, QRgb background) {
    const QFontMetrics metrics(label.font());
    QImage canvas(metrics.horizontalAdvance(label.text()) + 20, metrics.height() + 20,
                  QImage::Format_RGB32);
    canvas.fill(background);
    QPainter p(&canvas);
    p.setFont(label.font());
    p.setPen(QColor(text));
    p.drawText(QPoint(10, 10 + metrics.ascent()), label.text());
    p.end();
    return inkPixels(canvas, canvas.rect(), text, background);
}

QRect inWindow(const QWidget* widget, const QWidget& window) {
    return QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size());
}

// The thirteen captions of each page, in the order the labels are listed.
const char* const captionLabels[] = {"Label273", "Label305", "Label306", "Label308", "Label340",
                                     "Label341", "Label343", "Label375", "Label376", "Label377",
                                     "Label380", "Label413", "Label412"};
const QStringList page1 = {"WIDDER", "ASWINI",    "BARINI",     "STIER",  "KRITTIKA",
                           "ROHINI", "ZWILLINGE", "MIGRASHIRA", "ARIDRA", "PURNAVASHU",
                           "KREBS",  "PUSHYA",    "ASLESHA"};
const QStringList page2 = {"LÖWE",     "MAGHA",    "PURVA PHALGUNI", "JUNGFRAU", "UTTARA PHALGUNI",
                           "HASTA",    "WAAGE",    "CHITRA",         "SWATI",    "VISHAKHA",
                           "SKORPION", "ANURADHA", "JYESHTA"};
const QStringList page3 = {"SCHÜTZE",        "MULA",         "PURVA ASHADHA", "STEINBOCK",
                           "UTTARA ASHADHA", "SHRAVANA",     "WASSERMANN",    "DHANISHTA",
                           "SHATABISHA",     "PURVA BHADRA", "FISCHE",        "UTTARA BHADRA",
                           "REVATI"};

QStringList captionsOn(const QWidget& window) {
    QStringList texts;
    for (const char* name : captionLabels)
        texts.append(uitest::find<Label>(&window, name)->text());
    return texts;
}

// The strips' area of the window.
QRect stripsArea(const QWidget& window) {
    QRect area;
    for (int strip = 1; strip <= 4; ++strip)
        area |= stripPanel(window, strip)->geometry();
    return area;
}

} // namespace

class StripsTest : public QObject {
    Q_OBJECT
private slots:
    void antardasaRow_data();
    void antardasaRow();
    void nakshatraAndLordRows_data();
    void nakshatraAndLordRows();
    void nakshatraLabels_data();
    void nakshatraLabels();
    void signBars_data();
    void signBars();
    void degreeScale_data();
    void degreeScale();
    void pageCaptions_data();
    void pageCaptions();
    void otherPageThenFirstRestoresIt();
    void calculationHidesStripsAndPageShowsThemUnchanged();
};

void StripsTest::antardasaRow_data() {
    QTest::addColumn<int>("strip");
    QTest::addColumn<int>("count");
    QTest::addColumn<ExpectedRow>("bars");

    // The pieces where the sign boundaries cut an antardasa: 30 degrees falls in Rahu (46'40"
    // before, 1°13'20" after), 90 degrees in Chandra (33'20" on either side); 60 degrees falls
    // between Sani and Buddha.
    QTest::newRow("strip 1") << 1 << 22
                             << parseAntardasas(
                                    "Ketu, Sukra, Surya, Chandra, Mangal, Rahu, Guru, "
                                    "Sani, Buddha, Sukra, Surya, Chandra, Mangal, Rahu, "
                                    "Guru, Sani, Buddha, Ketu, Surya, Chandra, Mangal, "
                                    "Rahu*",
                                    0, 46 * minute + 40);
    QTest::newRow("strip 2") << 2 << 19
                             << parseAntardasas("Rahu*, Guru, Sani, Buddha, Ketu, Sukra, Chandra, "
                                                "Mangal, Rahu, Guru, Sani, Buddha, Ketu, Sukra, "
                                                "Surya, Mangal, Rahu, Guru, Sani",
                                                degree + 13 * minute + 20, 0);
    QTest::newRow("strip 3") << 3 << 21
                             << parseAntardasas(
                                    "Buddha, Ketu, Sukra, Surya, Chandra, Rahu, Guru, "
                                    "Sani, Buddha, Ketu, Sukra, Surya, Chandra, Mangal, "
                                    "Guru, Sani, Buddha, Ketu, Sukra, Surya, Chandra*",
                                    0, 33 * minute + 20);
    QTest::newRow("strip 4") << 4 << 21
                             << parseAntardasas(
                                    "Chandra*, Mangal, Rahu, Sani, Buddha, Ketu, Sukra, "
                                    "Surya, Chandra, Mangal, Rahu, Guru, Buddha, Ketu, "
                                    "Sukra, Surya, Chandra, Mangal, Rahu, Guru, Sani",
                                    33 * minute + 20, 0);
}

void StripsTest::antardasaRow() {
    QFETCH(int, strip);
    QFETCH(int, count);
    QFETCH(ExpectedRow, bars);
    QCOMPARE(bars.size(), count);
    QCOMPARE(bars.last().to, signArc); // the row fills the sign exactly

    // The layout the strip is painted from.
    const std::vector<StripBar> layout = zeitrad::screens::antardasaBars(strip);
    QCOMPARE(int(layout.size()), count);
    for (int i = 0; i < count; ++i) {
        const ExpectedBar& e = bars[i];
        const StripBar& got = layout[std::size_t(i)];
        QVERIFY2(got.planet == indexOf(e.planet) && got.cut == e.cut,
                 qPrintable(QString("bar %1: %2%3").arg(i + 1).arg(e.planet, e.cut ? "*" : "")));
        QVERIFY2(std::abs(got.left - ruleX(e.from)) <= 1.0, qPrintable(QString::number(i + 1)));
        QVERIFY2(std::abs(got.right - ruleX(e.to)) <= 1.0, qPrintable(QString::number(i + 1)));
    }

    // What the window shows.
    uitest::Window w;
    uitest::click(&w.window, "Button15");
    // Probed through the middle of the bars, clear of their outlines.
    const QList<SeenBar> seen = scanRow(grabWindow(w.window), stripOrigin(w.window, strip),
                                        rowTop(StripRow::Antardasa) + 8);
    QCOMPARE(seen.size(), count);
    for (int i = 0; i < count; ++i) {
        const ExpectedBar& e = bars[i];
        const QString where = QString("bar %1 (%2)").arg(i + 1).arg(e.planet);
        QVERIFY2(seen[i].fill == info(e.planet).fill, qPrintable(where));
        QVERIFY2(std::abs(seen[i].left - ruleX(e.from)) <= 1.0, qPrintable(where));
        QVERIFY2(std::abs(seen[i].right - ruleX(e.to)) <= 1.0, qPrintable(where));
        if (i > 0) // neighbours share the outline column between them
            QCOMPARE(seen[i].left, seen[i - 1].right);
    }
    QCOMPARE(seen.first().left, stripScaleLeft);
    QCOMPARE(seen.last().right, stripScaleRight);
}

void StripsTest::nakshatraAndLordRows_data() {
    QTest::addColumn<int>("strip");
    QTest::addColumn<ExpectedRow>("bars");

    constexpr int whole = 13 * degree + 20 * minute;
    QTest::newRow("strip 1") << 1
                             << ExpectedRow{{"Ketu", false, 0, whole},
                                            {"Sukra", false, whole, 2 * whole},
                                            {"Surya", true, 2 * whole, signArc}};
    QTest::newRow("strip 2") << 2
                             << ExpectedRow{{"Surya", true, 0, 10 * degree},
                                            {"Chandra", false, 10 * degree, 10 * degree + whole},
                                            {"Mangal", true, 10 * degree + whole, signArc}};
    QTest::newRow("strip 3") << 3
                             << ExpectedRow{{"Mangal", true, 0, 6 * degree + 40 * minute},
                                            {"Rahu", false, 6 * degree + 40 * minute, 20 * degree},
                                            {"Guru", true, 20 * degree, signArc}};
    QTest::newRow("strip 4")
        << 4
        << ExpectedRow{{"Guru", true, 0, 3 * degree + 20 * minute},
                       {"Sani", false, 3 * degree + 20 * minute, 3 * degree + 20 * minute + whole},
                       {"Buddha", false, 3 * degree + 20 * minute + whole, signArc}};
}

void StripsTest::nakshatraAndLordRows() {
    QFETCH(int, strip);
    QFETCH(ExpectedRow, bars);

    const std::vector<StripBar> layout = zeitrad::screens::nakshatraBars(strip);
    QCOMPARE(int(layout.size()), bars.size());
    for (int i = 0; i < bars.size(); ++i) {
        QCOMPARE(layout[std::size_t(i)].planet, indexOf(bars[i].planet));
        QCOMPARE(layout[std::size_t(i)].cut, bars[i].cut);
    }

    uitest::Window w;
    uitest::click(&w.window, "Button17");
    const QImage image = grabWindow(w.window);
    // Probed on the first pixel row inside each bar, above the labels.
    for (int y : {rowTop(StripRow::Nakshatra) + 1, rowTop(StripRow::Lord) + 1}) {
        const QList<SeenBar> seen = scanRow(image, stripOrigin(w.window, strip), y);
        QCOMPARE(seen.size(), bars.size());
        for (int i = 0; i < bars.size(); ++i) {
            const QString where = QString("row %1, %2").arg(y).arg(bars[i].planet);
            QVERIFY2(seen[i].fill == info(bars[i].planet).fill, qPrintable(where));
            QVERIFY2(std::abs(seen[i].left - ruleX(bars[i].from)) <= 1.0, qPrintable(where));
            QVERIFY2(std::abs(seen[i].right - ruleX(bars[i].to)) <= 1.0, qPrintable(where));
        }
    }
}

void StripsTest::nakshatraLabels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("lord");
    QTest::addColumn<QString>("planet");

    QTest::newRow("1") << "Label305"
                       << "Label272"
                       << "Ketu";
    QTest::newRow("2") << "Label306"
                       << "Label304"
                       << "Sukra";
    QTest::newRow("3") << "Label340"
                       << "Label307"
                       << "Surya";
    QTest::newRow("4") << "Label341"
                       << "Label339"
                       << "Chandra";
    QTest::newRow("5") << "Label375"
                       << "Label342"
                       << "Mangal";
    QTest::newRow("6") << "Label376"
                       << "Label374"
                       << "Rahu";
    QTest::newRow("7") << "Label377"
                       << "Label378"
                       << "Guru";
    QTest::newRow("8") << "Label413"
                       << "Label411"
                       << "Sani";
    QTest::newRow("9") << "Label412"
                       << "Label379"
                       << "Buddha";
}

void StripsTest::nakshatraLabels() {
    QFETCH(QString, name);
    QFETCH(QString, lord);
    QFETCH(QString, planet);

    // The labels stand on the strip that holds the larger part of their nakshatra (the halves of
    // the fifth count for strip 3), inside its bars.
    int largest = 0;
    int strip = 0;
    StripBar onStrip;
    for (int s = 1; s <= 4; ++s)
        for (const StripBar& bar : zeitrad::screens::nakshatraBars(s))
            if (bar.planet == indexOf(planet) && bar.right - bar.left >= largest) {
                largest = bar.right - bar.left;
                strip = s;
                onStrip = bar;
            }

    uitest::Window w;
    for (const char* page : {"Button15", "Button16", "Button17"}) {
        uitest::click(&w.window, page);
        const QImage image = grabWindow(w.window);
        auto* nameLabel = uitest::find<Label>(&w.window, qPrintable(name));
        auto* lordLabel = uitest::find<Label>(&w.window, qPrintable(lord));

        for (Label* label : {nameLabel, lordLabel}) {
            QCOMPARE(label->parentWidget(), stripPanel(w.window, strip));
            QVERIFY(label->isVisibleTo(&w.window));
            QVERIFY(label->x() > onStrip.left && label->geometry().right() < onStrip.right);
            // Opaque in the planet's colour, with the text in the colour that reads on it.
            const QRect r = inWindow(label, w.window);
            QCOMPARE(image.pixel(r.topLeft()) & 0xFFFFFFu, info(planet).fill);
            QVERIFY2(inkPixels(image, r, info(planet).text, info(planet).fill) > 10,
                     qPrintable(label->text()));
            QCOMPARE(label->background(), std::optional<QColor>(QColor(info(planet).fill)));
        }
        // The name in bold on the nakshatra's bar, its lord in capitals on the lord's bar below.
        QVERIFY(nameLabel->y() > rowTop(StripRow::Nakshatra) &&
                nameLabel->geometry().bottom() < rowBottom(StripRow::Nakshatra));
        QVERIFY(lordLabel->y() > rowTop(StripRow::Lord) &&
                lordLabel->geometry().bottom() < rowBottom(StripRow::Lord));
        QCOMPARE(lordLabel->text(), planet.toUpper());
        QVERIFY(nameLabel->font().bold());
        QVERIFY(!lordLabel->font().bold());
    }
}

void StripsTest::signBars_data() {
    QTest::addColumn<int>("strip");
    QTest::addColumn<QRgb>("panel");
    QTest::addColumn<QRgb>("bar");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QRgb>("text");

    QTest::newRow("fire") << 1 << uitest::rgb(128, 0, 0) << uitest::rgb(255, 0, 0) << "Label273"
                          << uitest::rgb(0, 0, 0);
    QTest::newRow("earth") << 2 << uitest::rgb(0, 128, 0) << uitest::rgb(128, 128, 0) << "Label308"
                           << uitest::rgb(0, 0, 0);
    QTest::newRow("air") << 3 << uitest::rgb(166, 202, 240) << uitest::rgb(166, 202, 240)
                         << "Label343" << uitest::rgb(0, 0, 0);
    QTest::newRow("water") << 4 << uitest::rgb(0, 0, 128) << uitest::rgb(0, 0, 255) << "Label380"
                           << uitest::rgb(255, 255, 255);
}

void StripsTest::signBars() {
    QFETCH(int, strip);
    QFETCH(QRgb, panel);
    QFETCH(QRgb, bar);
    QFETCH(QString, label);
    QFETCH(QRgb, text);

    uitest::Window w;
    uitest::click(&w.window, "Button16");
    const QImage image = grabWindow(w.window);
    const QPoint origin = stripOrigin(w.window, strip);
    const QSize size = stripPanel(w.window, strip)->size();

    // The strip's element colour in its corners, round the rows.
    QCOMPARE(image.pixel(origin + QPoint(8, 8)) & 0xFFFFFFu, panel);
    QCOMPARE(image.pixel(origin + QPoint(size.width() - 11, size.height() - 9)) & 0xFFFFFFu, panel);

    // The sign bar spans the whole scale, outlined in black.
    const QList<SeenBar> seen = scanRow(image, origin, rowTop(StripRow::Sign) + 2);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].fill, bar);
    QCOMPARE(seen[0].left, stripScaleLeft);
    QCOMPARE(seen[0].right, stripScaleRight);
    for (int y : {rowTop(StripRow::Sign), rowBottom(StripRow::Sign)})
        QCOMPARE(image.pixel(origin + QPoint(100, y)) & 0xFFFFFFu, uitest::rgb(0, 0, 0));

    // The sign's name in bold inside its bar.
    auto* sign = uitest::find<Label>(&w.window, qPrintable(label));
    QCOMPARE(sign->parentWidget(), stripPanel(w.window, strip));
    QVERIFY(sign->x() > stripScaleLeft && sign->geometry().right() < stripScaleRight);
    QVERIFY(sign->y() > rowTop(StripRow::Sign) &&
            sign->geometry().bottom() < rowBottom(StripRow::Sign));
    QVERIFY(sign->font().bold());
    const QRect r = inWindow(sign, w.window);
    QCOMPARE(image.pixel(r.topLeft()) & 0xFFFFFFu, bar);
    QVERIFY(inkPixels(image, r, text, bar) > 10);
}

void StripsTest::degreeScale_data() {
    QTest::addColumn<int>("strip");
    for (int s = 1; s <= 4; ++s)
        QTest::newRow(panelOfStrip[s - 1]) << s;
}

void StripsTest::degreeScale() {
    QFETCH(int, strip);
    const auto& cellLeft = zeitrad::screens::degreeCellLeft;
    const int width = zeitrad::screens::degreeCellWidth;
    const int top = rowTop(StripRow::Degrees), bottom = rowBottom(StripRow::Degrees);

    uitest::Window w;
    uitest::click(&w.window, "Button15");
    const QImage image = grabWindow(w.window);
    const QPoint origin = stripOrigin(w.window, strip);
    const std::map<int, Label*> labels = degreeLabels(stripPanel(w.window, strip));
    QCOMPARE(int(labels.size()), 30);

    for (int d = 1; d <= 30; ++d) {
        const QString where = QString("degree %1").arg(d);
        const int left = cellLeft[std::size_t(d - 1)];
        // A white cell with a black outline; where the next cell overlaps it by two pixels,
        // the next cell's outline is the one in sight.
        const int right =
            d < 30 ? std::min(left + width - 1, cellLeft[std::size_t(d)]) : left + width - 1;
        const auto at = [&](int x, int y) {
            return image.pixel(origin + QPoint(x, y)) & 0xFFFFFFu;
        };
        const int middle = (top + bottom) / 2;
        QVERIFY2(at(left, middle) == uitest::rgb(0, 0, 0), qPrintable(where));
        QVERIFY2(at(right, middle) == uitest::rgb(0, 0, 0), qPrintable(where));
        QVERIFY2(at(left + width / 2, top) == uitest::rgb(0, 0, 0), qPrintable(where));
        QVERIFY2(at(left + width / 2, bottom) == uitest::rgb(0, 0, 0), qPrintable(where));
        for (int x = left + 1; x < right; ++x)
            QVERIFY2(at(x, bottom - 1) == uitest::rgb(255, 255, 255), qPrintable(where));

        // Its number, centred in the cell, regular, on cream ("16" on white).
        Label* number = labels.at(d);
        QVERIFY2(!number->font().bold(), qPrintable(where));
        QVERIFY2(std::abs(number->geometry().center().x() - (left + width / 2)) <= 1,
                 qPrintable(where));
        QVERIFY2(number->y() > top && number->geometry().bottom() < bottom, qPrintable(where));
        const QRgb background = d == 16 ? uitest::rgb(255, 255, 255) : uitest::rgb(255, 251, 240);
        QCOMPARE(number->background(), std::optional<QColor>(QColor(background)));
        const QRect r = inWindow(number, w.window);
        QVERIFY2((image.pixel(r.topLeft()) & 0xFFFFFFu) == background, qPrintable(where));
        QVERIFY2(inkPixels(image, r, uitest::rgb(0, 0, 0), background) > 3, qPrintable(where));
    }
}

void StripsTest::pageCaptions_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("1/3") << "Button15" << page1;
    QTest::newRow("2/3") << "Button16" << page2;
    QTest::newRow("3/3") << "Button17" << page3;
}

void StripsTest::pageCaptions() {
    QFETCH(QString, button);
    QFETCH(QStringList, captions);

    uitest::Window w;
    QList<int> lefts;
    for (const char* name : captionLabels)
        lefts.append(uitest::find<Label>(&w.window, name)->x());

    uitest::click(&w.window, qPrintable(button));
    QCOMPARE(captionsOn(w.window), captions);
    const QImage image = grabWindow(w.window);
    for (int i = 0; i < 13; ++i) {
        auto* label = uitest::find<Label>(&w.window, captionLabels[i]);
        QVERIFY(label->isVisibleTo(&w.window));
        // A caption grows to the right from its left edge.
        QCOMPARE(label->x(), lefts[i]);
        // Self-sizing: as wide as the caption's advance, or its ink where a bold letter
        // reaches past it.
        const int advance = label->fontMetrics().horizontalAdvance(captions[i]);
        QVERIFY2(
            label->width() >= advance && label->width() <= advance + 4,
            qPrintable(QString("%1: %2 for %3").arg(captions[i]).arg(label->width()).arg(advance)));
        // Nothing of the text is cut off, the dots of "LÖWE" and "SCHÜTZE" included: the label
        // shows as much ink as the caption drawn with room all round.
        const QRgb text = label->textColor().rgb() & 0xFFFFFFu;
        const QRgb background = label->background()->rgb() & 0xFFFFFFu;
        QVERIFY2(inkPixels(image, inWindow(label, w.window), text, background) ==
                     freeInk(*label, text, background),
                 qPrintable(captions[i]));
    }
    for (const char* strip : panelOfStrip)
        QVERIFY(uitest::shown(&w.window, strip));
}

void StripsTest::otherPageThenFirstRestoresIt() {
    uitest::Window w;
    uitest::click(&w.window, "Button15");
    const QImage first = w.window.grab(stripsArea(w.window)).toImage();
    QList<QRect> captionRects;
    for (const char* name : captionLabels)
        captionRects.append(
            uitest::find<Label>(&w.window, name)
                ->geometry()
                .translated(uitest::find<Label>(&w.window, name)->parentWidget()->pos() -
                            stripsArea(w.window).topLeft()));

    uitest::click(&w.window, "Button16");
    QCOMPARE(captionsOn(w.window), page2);
    const QImage second = w.window.grab(stripsArea(w.window)).toImage();
    for (const char* name : captionLabels)
        captionRects.append(
            uitest::find<Label>(&w.window, name)
                ->geometry()
                .translated(uitest::find<Label>(&w.window, name)->parentWidget()->pos() -
                            stripsArea(w.window).topLeft()));

    // Between pages only the thirteen captions change: every bar, cell and lord label stays.
    int changed = 0;
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x) {
            if (first.pixel(x, y) == second.pixel(x, y))
                continue;
            const bool inCaption = std::any_of(captionRects.begin(), captionRects.end(),
                                               [&](const QRect& r) { return r.contains(x, y); });
            QVERIFY2(inCaption, qPrintable(QString("pixel %1, %2 changed").arg(x).arg(y)));
            ++changed;
        }
    QVERIFY(changed > 0);

    uitest::click(&w.window, "Button15");
    QCOMPARE(captionsOn(w.window), page1);
    QCOMPARE(w.window.grab(stripsArea(w.window)).toImage(), first);
}

void StripsTest::calculationHidesStripsAndPageShowsThemUnchanged() {
    uitest::Window w;
    uitest::click(&w.window, "Button17");
    const QImage before = w.window.grab(stripsArea(w.window)).toImage();

    // "Mahadasamarkierung" leaves the strips as they are.
    uitest::click(&w.window, "Button2");
    for (const char* strip : panelOfStrip)
        QVERIFY(uitest::shown(&w.window, strip));

    const QString refusal = uitest::messageFrom([&] { uitest::click(&w.window, "Button1"); });
    QVERIFY2(refusal.isNull(), qPrintable(refusal));
    for (const char* strip : panelOfStrip)
        QVERIFY(!uitest::shown(&w.window, strip));
    QVERIFY(uitest::shown(&w.window, "Panel1"));
    QCOMPARE(captionsOn(w.window), page3);

    uitest::click(&w.window, "Button17");
    for (const char* strip : panelOfStrip)
        QVERIFY(uitest::shown(&w.window, strip));
    QVERIFY(!uitest::shown(&w.window, "Panel1"));
    QCOMPARE(w.window.grab(stripsArea(w.window)).toImage(), before);
}

QTEST_MAIN(StripsTest)
#include "test_strips.moc"
