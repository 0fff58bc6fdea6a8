// The pictures embedded in the program: their pixel sizes and formats, and the divisions chart
// probed at the part boundaries and part interiors that the chart's rules give.
#include <QFile>
#include <QImage>
#include <QtTest>

#include "tools/divisions/divisions.h"
#include "uitest.h"

namespace dv = zeitrad::divisions;

namespace {

QImage resource(const QString& name) {
    return QImage(QStringLiteral(":/") + name);
}

bool near(QRgb actual, QRgb expected, int tolerance) {
    return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
           std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

int brightness(QRgb c) {
    return qRed(c) + qGreen(c) + qBlue(c);
}

QString describe(QRgb c) {
    return QStringLiteral("(%1, %2, %3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

// The chart's JPEG keeps flat colours within a few units, even next to its one-pixel lines.
constexpr int colourTolerance = 10;

// The element colours of the signs, recognised by hue so that a pixel darkened by a nearby line
// still counts: fire red, earth lime, air yellow, water aqua.
enum class Hue { Red, Lime, Yellow, Aqua, Dark, Other };

Hue hueOf(QRgb c) {
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    const int top = std::max({r, g, b});
    if (top < 100)
        return Hue::Dark;
    const auto high = [top](int v) { return v * 100 >= top * 70; };
    const auto low = [top](int v) { return v * 100 <= top * 35; };
    if (high(r) && low(g) && low(b))
        return Hue::Red;
    if (low(r) && high(g) && low(b))
        return Hue::Lime;
    if (high(r) && high(g) && low(b))
        return Hue::Yellow;
    if (low(r) && high(g) && high(b))
        return Hue::Aqua;
    return Hue::Other;
}

char* toString(Hue hue) {
    static const char* const names[] = {"red", "lime", "yellow", "aqua", "dark", "other"};
    return qstrdup(names[static_cast<int>(hue)]);
}

} // namespace

Q_DECLARE_METATYPE(Hue)

class PicturesTest : public QObject {
    Q_OBJECT
private slots:
    void pictureSizes_data();
    void pictureSizes();
    void iconIsRoundOnTransparentCorners();
    void infoBitmapHas256Colours();
    void titleStaysAboveTheCutOffRows();
    void picturesAreClearUnderTheirLabels_data();
    void picturesAreClearUnderTheirLabels();
    void divisionRules_data();
    void divisionRules();
    void sixtiethMarks();
    void partsMeetAsTheRulesSay_data();
    void partsMeetAsTheRulesSay();
    void partsFilledInTheirSignsColour_data();
    void partsFilledInTheirSignsColour();
    void boundariesAreDarkAndExact_data();
    void boundariesAreDarkAndExact();
    void sixtiethPartsCarryPlusOrMinus();
};

void PicturesTest::pictureSizes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::newRow("icon") << "icon.png" << QSize(32, 32);
    QTest::newRow("icon-256") << "icon-256.png" << QSize(256, 256);
    QTest::newRow("yantra") << "yantra.jpg" << QSize(400, 300);
    QTest::newRow("title") << "title.jpg" << QSize(211, 62);
    QTest::newRow("cover") << "cover.jpg" << QSize(310, 500);
    QTest::newRow("info") << "info.bmp" << QSize(432, 432);
    QTest::newRow("course") << "course.jpg" << QSize(640, 504);
    QTest::newRow("divisions") << "divisions.jpg" << dv::pictureSize;
}

void PicturesTest::pictureSizes() {
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QImage image = resource(name);
    QVERIFY2(!image.isNull(), qPrintable(name + " is not embedded or does not decode"));
    QCOMPARE(image.size(), size);
}

void PicturesTest::iconIsRoundOnTransparentCorners() {
    for (const QString& name : {QStringLiteral("icon.png"), QStringLiteral("icon-256.png")}) {
        const QImage icon = resource(name).convertToFormat(QImage::Format_ARGB32);
        QVERIFY(icon.hasAlphaChannel());
        const int s = icon.width();
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(s - 1, 0), QPoint(0, s - 1), QPoint(s - 1, s - 1)}) {
            QCOMPARE(qAlpha(icon.pixel(corner)), 0);
        }
        // Gold ring at the top edge, black between ring and sign, all opaque.
        const QRgb ring = icon.pixel(s / 2, s / 32);
        QCOMPARE(qAlpha(ring), 255);
        QVERIFY2(qRed(ring) > 180 && qRed(ring) > qGreen(ring) && qGreen(ring) > qBlue(ring),
                 qPrintable(describe(ring)));
        const QRgb ground = icon.pixel(s / 8, s / 2);
        QCOMPARE(qAlpha(ground), 255);
        QVERIFY2(brightness(ground) < 60, qPrintable(describe(ground)));
    }
}

void PicturesTest::infoBitmapHas256Colours() {
    QFile file(QStringLiteral(":/info.bmp"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    QVERIFY(data.startsWith("BM"));
    QCOMPARE(static_cast<int>(static_cast<uchar>(data[28])), 8); // bits per pixel
    QCOMPARE(static_cast<int>(static_cast<uchar>(data[29])), 0);

    const QImage image = QImage::fromData(data, "BMP");
    QCOMPARE(image.format(), QImage::Format_Indexed8);
    QCOMPARE(image.colorCount(), 256);
    // White lines on black: the corners are black and some pixels are white.
    QCOMPARE(image.pixel(0, 0) & 0xFFFFFF, 0u);
    int white = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            white += brightness(image.pixel(x, y)) > 3 * 240;
    QVERIFY2(white > 2000, qPrintable(QString::number(white)));
}

void PicturesTest::titleStaysAboveTheCutOffRows() {
    // The start screen shows only the top 57 rows: below them only the green ground.
    const QImage title = resource(QStringLiteral("title.jpg"));
    for (int y = 57; y < title.height(); ++y)
        for (int x = 0; x < title.width(); ++x)
            QVERIFY2(
                near(title.pixel(x, y), qRgb(0, 128, 0), 24),
                qPrintable(
                    QStringLiteral("%1,%2 %3").arg(x).arg(y).arg(describe(title.pixel(x, y)))));
    int yellow = 0;
    for (int y = 0; y < 57; ++y)
        for (int x = 0; x < title.width(); ++x)
            yellow += near(title.pixel(x, y), qRgb(255, 255, 0), 40);
    QVERIFY2(yellow > 1000, qPrintable(QString::number(yellow)));
}

void PicturesTest::picturesAreClearUnderTheirLabels_data() {
    QTest::addColumn<QString>("picture");
    QTest::addColumn<int>("threshold");       // a pixel is drawn on when a channel exceeds this
    QTest::addColumn<double>("allowedShare"); // of the pixels under the labels
    // The info screen's empty note lies over the yantra's last rows: only black there.
    QTest::newRow("info") << "Image3" << 0 << 0.0;
    // The course advert lies over the picture's lower left: only star field there, whose
    // stars are a few scattered points.
    QTest::newRow("course") << "Image4" << 90 << 0.01;
}

// The labels that a screen lays over its picture hide nothing that the picture shows.
void PicturesTest::picturesAreClearUnderTheirLabels() {
    QFETCH(QString, picture);
    QFETCH(int, threshold);
    QFETCH(double, allowedShare);
    uitest::Window ui;
    const auto* control =
        uitest::find<zeitrad::widgets::Picture>(&ui.window, picture.toLatin1().constData());
    const QImage image = control->image().convertToFormat(QImage::Format_RGB32);
    QVERIFY(!image.isNull());
    // The part of the picture on screen, in the coordinates of the screen it lies on.
    const QRect shown = QRect(control->pos(), image.size()).intersected(control->geometry());
    int covered = 0;
    int drawn = 0;
    QString where;
    for (const auto* label : control->parentWidget()->findChildren<zeitrad::widgets::Label*>(
             Qt::FindDirectChildrenOnly)) {
        const QRect over = label->geometry().intersected(shown);
        for (int y = over.top(); y <= over.bottom(); ++y) {
            for (int x = over.left(); x <= over.right(); ++x) {
                const QPoint at = QPoint(x, y) - control->pos();
                const QRgb c = image.pixel(at);
                ++covered;
                if (std::max({qRed(c), qGreen(c), qBlue(c)}) > threshold) {
                    ++drawn;
                    if (where.isEmpty())
                        where = QStringLiteral("first at %1,%2 under %3")
                                    .arg(at.x())
                                    .arg(at.y())
                                    .arg(label->objectName());
                }
            }
        }
    }
    QVERIFY2(covered > 0, "no label lies on the picture");
    QVERIFY2(
        drawn <= allowedShare * covered,
        qPrintable(
            QStringLiteral("%1 of %2 pixels drawn on, %3").arg(drawn).arg(covered).arg(where)));
}

void PicturesTest::divisionRules_data() {
    QTest::addColumn<int>("divisor");
    QTest::addColumn<int>("sign");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    // Aries, the chart's sign: odd, movable, fire.
    QTest::newRow("Aries D1") << 1 << +dv::Aries << +dv::Aries << +dv::Aries;
    QTest::newRow("Aries D2") << 2 << +dv::Aries << +dv::Leo << +dv::Cancer;
    QTest::newRow("Aries D3") << 3 << +dv::Aries << +dv::Aries << +dv::Sagittarius;
    QTest::newRow("Aries D4") << 4 << +dv::Aries << +dv::Aries << +dv::Capricorn;
    QTest::newRow("Aries D7") << 7 << +dv::Aries << +dv::Aries << +dv::Libra;
    QTest::newRow("Aries D9") << 9 << +dv::Aries << +dv::Aries << +dv::Sagittarius;
    QTest::newRow("Aries D10") << 10 << +dv::Aries << +dv::Aries << +dv::Capricorn;
    QTest::newRow("Aries D12") << 12 << +dv::Aries << +dv::Aries << +dv::Pisces;
    QTest::newRow("Aries D16") << 16 << +dv::Aries << +dv::Aries << +dv::Cancer;
    QTest::newRow("Aries D20") << 20 << +dv::Aries << +dv::Aries << +dv::Scorpio;
    QTest::newRow("Aries D24") << 24 << +dv::Aries << +dv::Leo << +dv::Cancer;
    QTest::newRow("Aries D27") << 27 << +dv::Aries << +dv::Aries << +dv::Gemini;
    QTest::newRow("Aries D30") << 30 << +dv::Aries << +dv::Aries << +dv::Libra;
    QTest::newRow("Aries D40") << 40 << +dv::Aries << +dv::Aries << +dv::Cancer;
    QTest::newRow("Aries D45") << 45 << +dv::Aries << +dv::Aries << +dv::Sagittarius;
    QTest::newRow("Aries D60") << 60 << +dv::Aries << +dv::Aries << +dv::Pisces;
    // Other signs take the even, fixed, dual, earth, air and water branches of the rules.
    QTest::newRow("Taurus D2") << 2 << +dv::Taurus << +dv::Cancer << +dv::Leo;
    QTest::newRow("Taurus D7") << 7 << +dv::Taurus << +dv::Scorpio << +dv::Taurus;
    QTest::newRow("Taurus D9") << 9 << +dv::Taurus << +dv::Capricorn << +dv::Virgo;
    QTest::newRow("Taurus D10") << 10 << +dv::Taurus << +dv::Capricorn << +dv::Libra;
    QTest::newRow("Taurus D16") << 16 << +dv::Taurus << +dv::Leo << +dv::Scorpio;
    QTest::newRow("Taurus D20") << 20 << +dv::Taurus << +dv::Sagittarius << +dv::Cancer;
    QTest::newRow("Taurus D24") << 24 << +dv::Taurus << +dv::Cancer << +dv::Gemini;
    QTest::newRow("Taurus D27") << 27 << +dv::Taurus << +dv::Cancer << +dv::Virgo;
    QTest::newRow("Taurus D30") << 30 << +dv::Taurus << +dv::Taurus << +dv::Scorpio;
    QTest::newRow("Taurus D40") << 40 << +dv::Taurus << +dv::Libra << +dv::Capricorn;
    QTest::newRow("Gemini D9") << 9 << +dv::Gemini << +dv::Libra << +dv::Gemini;
    QTest::newRow("Gemini D16") << 16 << +dv::Gemini << +dv::Sagittarius << +dv::Pisces;
    QTest::newRow("Gemini D20") << 20 << +dv::Gemini << +dv::Leo << +dv::Pisces;
    QTest::newRow("Gemini D45") << 45 << +dv::Gemini << +dv::Sagittarius << +dv::Leo;
    QTest::newRow("Cancer D3") << 3 << +dv::Cancer << +dv::Cancer << +dv::Pisces;
    QTest::newRow("Cancer D9") << 9 << +dv::Cancer << +dv::Cancer << +dv::Pisces;
    QTest::newRow("Cancer D27") << 27 << +dv::Cancer << +dv::Capricorn << +dv::Pisces;
    QTest::newRow("Pisces D4") << 4 << +dv::Pisces << +dv::Pisces << +dv::Sagittarius;
}

void PicturesTest::divisionRules() {
    QFETCH(int, divisor);
    QFETCH(int, sign);
    QFETCH(int, first);
    QFETCH(int, last);
    const std::vector<dv::Part> parts = dv::divisionParts(divisor, sign);
    QCOMPARE(static_cast<int>(parts.size()), divisor == 30 ? 5 : divisor);
    QCOMPARE(parts.front().sign, first);
    QCOMPARE(parts.back().sign, last);
    // The parts cover the sign without gaps.
    QCOMPARE(parts.front().from, 0.0);
    QCOMPARE(parts.back().to, 30.0);
    for (std::size_t i = 1; i < parts.size(); ++i)
        QCOMPARE(parts[i].from, parts[i - 1].to);
}

void PicturesTest::sixtiethMarks() {
    const std::vector<dv::Part> odd = dv::divisionParts(60, dv::Aries);
    const int benefic = static_cast<int>(std::count_if(
        odd.begin(), odd.end(), [](const dv::Part& p) { return p.mark == dv::Mark::Benefic; }));
    QCOMPARE(benefic, 33);
    // Parts 1..60 of an odd sign, benefic (+) or malefic (-).
    const struct {
        int part;
        dv::Mark mark;
    } marks[] = {{1, dv::Mark::Malefic},  {3, dv::Mark::Benefic},  {7, dv::Mark::Malefic},
                 {13, dv::Mark::Benefic}, {29, dv::Mark::Benefic}, {30, dv::Mark::Malefic},
                 {48, dv::Mark::Malefic}, {60, dv::Mark::Benefic}};
    for (const auto& m : marks)
        QVERIFY2(odd[std::size_t(m.part - 1)].mark == m.mark, qPrintable(QString::number(m.part)));
    // Even signs run backwards: part 1 of Taurus is part 60 of an odd sign.
    const std::vector<dv::Part> even = dv::divisionParts(60, dv::Taurus);
    QCOMPARE(even[0].mark, dv::Mark::Benefic);
    QCOMPARE(even[59].mark, dv::Mark::Malefic);
    QCOMPARE(even[0].sign, +dv::Taurus);
    QCOMPARE(even[1].sign, +dv::Gemini);
}

// Part boundaries of Aries in a few divisions, from the rules of the divisional charts and not
// from the chart's own table: the boundary column is dark, the parts on either side have the
// element colour of their sign.
void PicturesTest::partsMeetAsTheRulesSay_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<double>("degrees");
    QTest::addColumn<Hue>("before");
    QTest::addColumn<Hue>("after");
    // Rasi: Aries alone; the line at 0 degrees starts it.
    QTest::newRow("Rasi 0") << 0 << 0.0 << Hue::Other << Hue::Red;
    // Hora: Leo, then Cancer.
    QTest::newRow("Hora 15") << 1 << 15.0 << Hue::Red << Hue::Aqua;
    // Drekkana: Aries, Leo, Sagittarius, all fire.
    QTest::newRow("Drekkana 10") << 2 << 10.0 << Hue::Red << Hue::Red;
    // Chaturthamsa: Aries, Cancer, Libra, Capricorn.
    QTest::newRow("Chaturthamsa 7.5") << 3 << 7.5 << Hue::Red << Hue::Aqua;
    QTest::newRow("Chaturthamsa 15") << 3 << 15.0 << Hue::Aqua << Hue::Yellow;
    QTest::newRow("Chaturthamsa 22.5") << 3 << 22.5 << Hue::Yellow << Hue::Lime;
    // Saptamsa from Aries: the fourth part is Cancer, the fifth Leo.
    QTest::newRow("Saptamsa 4/7") << 4 << 30.0 * 4 / 7 << Hue::Aqua << Hue::Red;
    // Navamsa from Aries: Virgo, then Libra between 5/9 and 7/9 of the sign.
    QTest::newRow("Navamsa 6/9") << 5 << 30.0 * 6 / 9 << Hue::Lime << Hue::Yellow;
    // Chaturvimsamsa from Leo: Leo, then Virgo.
    QTest::newRow("Chaturvimsamsa 1/24") << 10 << 1.25 << Hue::Red << Hue::Lime;
    // Saptavimsamsa from Aries: the 25th part is Aries again, the 26th Taurus, the 27th Gemini.
    QTest::newRow("Saptavimsamsa 26/27") << 11 << 30.0 * 26 / 27 << Hue::Lime << Hue::Yellow;
    // Trimsamsa of an odd sign: Aries, Aquarius, Sagittarius, Gemini, Libra.
    QTest::newRow("Trimsamsa 5") << 12 << 5.0 << Hue::Red << Hue::Yellow;
    QTest::newRow("Trimsamsa 10") << 12 << 10.0 << Hue::Yellow << Hue::Red;
    QTest::newRow("Trimsamsa 18") << 12 << 18.0 << Hue::Red << Hue::Yellow;
    QTest::newRow("Trimsamsa 25") << 12 << 25.0 << Hue::Yellow << Hue::Yellow;
    // Khavedamsa from Aries: part 13 is Aries again.
    QTest::newRow("Khavedamsa 12/40") << 13 << 9.0 << Hue::Aqua << Hue::Red;
    // Shashtiamsa from Aries, one sign a part: the 60th is Pisces.
    QTest::newRow("Shashtiamsa 59/60") << 15 << 29.5 << Hue::Yellow << Hue::Aqua;
    QTest::newRow("Shashtiamsa 30") << 15 << 30.0 << Hue::Aqua << Hue::Other;
}

void PicturesTest::partsMeetAsTheRulesSay() {
    QFETCH(int, row);
    QFETCH(double, degrees);
    QFETCH(Hue, before);
    QFETCH(Hue, after);
    const QImage chart = resource(QStringLiteral("divisions.jpg"));
    const int x = dv::boundaryX(degrees);
    // The first row of fill under the row's top line: no glyph or mark reaches it.
    const int y = dv::rowLineY(row) + 1;
    const QRgb line = chart.pixel(x, y);
    QVERIFY2(std::max({qRed(line), qGreen(line), qBlue(line)}) < 110,
             qPrintable("the boundary column is not dark: " + describe(line)));
    // Left of the first and right of the last boundary lies the white paper: no sign colour.
    QCOMPARE(hueOf(chart.pixel(x - 2, y)), before);
    QCOMPARE(hueOf(chart.pixel(x + 2, y)), after);
}

void PicturesTest::partsFilledInTheirSignsColour_data() {
    QTest::addColumn<int>("row");
    for (int row = 0; row < dv::rowCount; ++row) {
        const auto& division = dv::divisionRows[static_cast<std::size_t>(row)];
        QTest::newRow(division.name.data()) << row;
    }
}

void PicturesTest::partsFilledInTheirSignsColour() {
    QFETCH(int, row);
    const QImage chart = resource(QStringLiteral("divisions.jpg"));
    QCOMPARE(chart.size(), dv::pictureSize);
    const int divisor = dv::divisionRows[static_cast<std::size_t>(row)].divisor;
    for (const dv::Part& part : dv::divisionParts(divisor)) {
        const QRect cell = dv::partRect(row, part);
        // Probe beside the glyph or mark, which stands in the middle of the part: a quarter of
        // the way in where the part is wide, else just inside its top-left corner.
        const QPoint probe = cell.width() >= 28
                                 ? QPoint(cell.left() + cell.width() / 4, cell.center().y())
                                 : QPoint(cell.left() + 1, cell.top() + 1);
        const QRgb expected = dv::signColour(part.sign);
        QVERIFY2(near(chart.pixel(probe), expected, colourTolerance),
                 qPrintable(QStringLiteral("part at %1 degrees, pixel %2,%3: %4, expected %5")
                                .arg(part.from)
                                .arg(probe.x())
                                .arg(probe.y())
                                .arg(describe(chart.pixel(probe)))
                                .arg(describe(expected))));
    }
}

void PicturesTest::boundariesAreDarkAndExact_data() {
    partsFilledInTheirSignsColour_data();
}

void PicturesTest::boundariesAreDarkAndExact() {
    QFETCH(int, row);
    const QImage chart = resource(QStringLiteral("divisions.jpg"));
    const int divisor = dv::divisionRows[static_cast<std::size_t>(row)].divisor;
    // Probe each boundary two rows above the row's bottom line, clear of glyphs.
    const int y = dv::rowLineY(row + 1) - 2;
    std::vector<double> boundaries;
    for (const dv::Part& part : dv::divisionParts(divisor))
        boundaries.push_back(part.from);
    boundaries.push_back(30.0);
    for (const double degrees : boundaries) {
        const int x = dv::boundaryX(degrees);
        const QString where = QStringLiteral("boundary at %1 degrees, x %2: ").arg(degrees).arg(x);
        QVERIFY2(brightness(chart.pixel(x, y)) < 3 * 80,
                 qPrintable(where + describe(chart.pixel(x, y))));
        // The line is one pixel wide and exactly there: darker than its neighbours.
        for (const int dx : {-1, 1}) {
            const int nx = x + dx;
            if (nx < dv::chartLeft || nx > dv::chartLeft + dv::chartWidth)
                continue;
            QVERIFY2(brightness(chart.pixel(nx, y)) > brightness(chart.pixel(x, y)) + 120,
                     qPrintable(where + "neighbour " + describe(chart.pixel(nx, y))));
        }
    }
}

void PicturesTest::sixtiethPartsCarryPlusOrMinus() {
    // The "+" has a vertical stroke through the centre that the "−" lacks.
    const QImage chart = resource(QStringLiteral("divisions.jpg"));
    const int row = dv::rowCount - 1;
    QCOMPARE(dv::divisionRows[static_cast<std::size_t>(row)].divisor, 60);
    for (const dv::Part& part : dv::divisionParts(60)) {
        const QRect cell = dv::partRect(row, part);
        const QPoint centre(cell.left() + cell.width() / 2, cell.top() + cell.height() / 2);
        const QRgb bar = chart.pixel(centre + QPoint(0, -2));
        const QRgb stroke = chart.pixel(centre + QPoint(-2, 0));
        const QString where = QStringLiteral("part at %1 degrees: ").arg(part.from);
        const int ground = brightness(dv::signColour(part.sign));
        QVERIFY2(brightness(stroke) < ground / 2,
                 qPrintable(where + "no stroke " + describe(stroke)));
        if (part.mark == dv::Mark::Benefic)
            QVERIFY2(brightness(bar) < ground / 2, qPrintable(where + "no + " + describe(bar)));
        else
            QVERIFY2(near(bar, dv::signColour(part.sign), 40),
                     qPrintable(where + "not − " + describe(bar)));
    }
}

QTEST_MAIN(PicturesTest)
#include "test_pictures.moc"
