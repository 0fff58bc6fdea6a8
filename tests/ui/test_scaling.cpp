// The window on a display scaled by 2 (QT_SCALE_FACTOR=2): it opens at twice the size in device
// pixels, and every control keeps its place, size and colours in proportion.
#include <QtTest>

#include <QPainter>
#include <QWindow>

#include "uitest.h"

using uitest::rgb;

namespace {

constexpr int scale = 2;

QImage deviceGrab(QWidget& window) {
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The window painted once more at one device pixel per logical pixel, in the same process.
QImage unscaledRender(QWidget& window) {
    QImage image(window.size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    image.fill(Qt::black);
    window.render(&image);
    return image;
}

QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFFu;
}

// Pixels of one colour within a rectangle of the image.
int countColour(const QImage& image, const QRect& area, QRgb colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += at(image, x, y) == colour;
    return n;
}

// Pixels within a rectangle that differ from its background: the ink of a text, edges included.
int countInk(const QImage& image, const QRect& area, QRgb background) {
    return area.width() * area.height() - countColour(image, area, background);
}

QRect scaled(const QRect& r) {
    return {r.topLeft() * scale, r.size() * scale};
}

// A control's rectangle in the window's logical pixels.
QRect inWindow(const QWidget& window, const char* name) {
    const QWidget* control = uitest::find<QWidget>(&window, name);
    return {control->mapTo(&window, QPoint(0, 0)), control->size()};
}

// A place on a control's rectangle doubled into device pixels: the middle of an edge ('l', 't',
// 'r', 'b'), the bottom right corner ('x') or the centre.
QPoint deviceEdge(const QRect& logical, char edge) {
    const QRect r = scaled(logical);
    switch (edge) {
    case 'l':
        return {r.left(), r.center().y()};
    case 't':
        return {r.center().x(), r.top()};
    case 'r':
        return {r.right(), r.center().y()};
    case 'b':
        return {r.center().x(), r.bottom()};
    case 'x':
        return r.bottomRight();
    default:
        return r.center();
    }
}

} // namespace

class ScalingTest : public QObject {
    Q_OBJECT
private slots:
    void windowOpensAtTwiceTheSize();
    void startScreenEdgesScale_data();
    void startScreenEdgesScale();
    void textGrowsWithTheWindow_data();
    void textGrowsWithTheWindow();
    void okButtonKeepsItsPlace();
    void periodBarScales_data();
    void periodBarScales();
    void wholeWindowMatchesTheUnscaledOne();
};

void ScalingTest::windowOpensAtTwiceTheSize() {
    uitest::Window ui(false);
    QCOMPARE(ui.window.size(), QSize(826, 705));
    QCOMPARE(ui.window.windowHandle()->devicePixelRatio(), qreal(scale));
    const QPixmap grab = ui.window.grab();
    QCOMPARE(grab.size(), QSize(1652, 1410));
    QCOMPARE(grab.devicePixelRatio(), qreal(scale));
}

void ScalingTest::startScreenEdgesScale_data() {
    QTest::addColumn<QString>("control"); // empty for the window itself
    QTest::addColumn<char>("edge");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<QRgb>("colour");
    const QRgb purple = rgb(128, 0, 128);
    const QRgb green = rgb(0, 128, 0);
    const QRgb light = rgb(255, 255, 255);
    const QRgb shadow = rgb(160, 160, 160);
    // The start screen's one-pixel bevel becomes two device pixels wide.
    QTest::newRow("left margin, last column") << "Panel2" << 'l' << QPoint(-1, 0) << purple;
    QTest::newRow("left bevel, first column") << "Panel2" << 'l' << QPoint(0, 0) << light;
    QTest::newRow("left bevel, second column") << "Panel2" << 'l' << QPoint(1, 0) << light;
    QTest::newRow("inside the left edge") << "Panel2" << 'l' << QPoint(2, 0) << green;
    QTest::newRow("top margin, last row") << "Panel2" << 't' << QPoint(0, -1) << purple;
    QTest::newRow("top bevel") << "Panel2" << 't' << QPoint(0, 0) << light;
    QTest::newRow("inside the top edge") << "Panel2" << 't' << QPoint(0, 2) << green;
    QTest::newRow("inside the right edge") << "Panel2" << 'r' << QPoint(-2, 0) << green;
    QTest::newRow("right bevel") << "Panel2" << 'r' << QPoint(0, 0) << shadow;
    QTest::newRow("right margin, first column") << "Panel2" << 'r' << QPoint(1, 0) << purple;
    QTest::newRow("bottom bevel") << "Panel2" << 'b' << QPoint(0, 0) << shadow;
    QTest::newRow("bottom margin, first row") << "Panel2" << 'b' << QPoint(0, 1) << purple;
    QTest::newRow("window corner") << "" << 'x' << QPoint(0, 0) << purple;
    QTest::newRow("over the period bar") << "PeriodBar1" << 'c' << QPoint(0, 0) << green;
}

void ScalingTest::startScreenEdgesScale() {
    QFETCH(QString, control);
    QFETCH(char, edge);
    QFETCH(QPoint, offset);
    QFETCH(QRgb, colour);
    uitest::Window ui(false);
    const QImage image = deviceGrab(ui.window);
    const QRect logical =
        control.isEmpty() ? ui.window.rect() : inWindow(ui.window, qPrintable(control));
    const QPoint device = deviceEdge(logical, edge) + offset;
    QCOMPARE(at(image, device.x(), device.y()), colour);
}

void ScalingTest::textGrowsWithTheWindow_data() {
    QTest::addColumn<QString>("label");
    QTest::newRow("ZEITRAD, Tahoma 16") << "Label245";
    QTest::newRow("web address, Tahoma 12 bold") << "Label251";
    QTest::newRow("programmer, Tahoma 10") << "Label252";
    QTest::newRow("mail link, Arial 16 bold") << "Label415";
}

// Text is drawn at twice the size, not at its logical size in a corner of a doubled box: its ink
// on the green start screen covers about four times as many device pixels as logical ones.
void ScalingTest::textGrowsWithTheWindow() {
    QFETCH(QString, label);
    uitest::Window ui(false);
    const QRgb green = rgb(0, 128, 0);
    const QRect box = inWindow(ui.window, label.toLatin1().constData());
    const int logical = countInk(unscaledRender(ui.window), box, green);
    const int device = countInk(deviceGrab(ui.window), scaled(box), green);
    QVERIFY2(logical > 20, qPrintable(QString("%1 ink pixels at scale 1").arg(logical)));
    const double ratio = double(device) / logical;
    QVERIFY2(
        ratio > 2.5 && ratio < 5.5,
        qPrintable(QString("%1 ink pixels at scale 2, %2 at scale 1").arg(device).arg(logical)));
}

void ScalingTest::okButtonKeepsItsPlace() {
    uitest::Window ui(false);
    const QRect button = inWindow(ui.window, "Button4");
    const QImage image = deviceGrab(ui.window);
    const QRgb green = rgb(0, 128, 0);
    const int midY = scale * button.center().y();
    // The button's face fills its doubled rectangle, and green lies just outside it.
    QCOMPARE(at(image, scale * button.left() - 1, midY), green);
    QCOMPARE(at(image, scale * (button.right() + 1), midY), green);
    QCOMPARE(at(image, scale * button.center().x(), scale * button.top() - 1), green);
    QCOMPARE(at(image, scale * button.center().x(), scale * (button.bottom() + 1)), green);
    const QRect face = scaled(button).adjusted(4, 4, -4, -4);
    const int faceGreen = countColour(image, face, green);
    QCOMPARE(faceGreen, 0);
    // A click on the window at the button's place, in logical pixels, reaches the button.
    QTest::mouseClick(ui.window.windowHandle(), Qt::LeftButton, {}, button.center());
    QVERIFY(!uitest::shown(&ui.window, "Panel2"));
}

void ScalingTest::periodBarScales_data() {
    QTest::addColumn<char>("edge");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<QRgb>("colour");
    // The Sukra bar, lime with a black outline two device pixels wide.
    QTest::newRow("above the bar") << 't' << QPoint(0, -1) << rgb(128, 0, 128);
    QTest::newRow("top outline") << 't' << QPoint(0, 0) << rgb(0, 0, 0);
    QTest::newRow("top outline, second row") << 't' << QPoint(0, 1) << rgb(0, 0, 0);
    QTest::newRow("fill") << 'c' << QPoint(0, 0) << rgb(0, 255, 0);
    QTest::newRow("bottom outline") << 'b' << QPoint(0, 0) << rgb(0, 0, 0);
    QTest::newRow("below the bar") << 'b' << QPoint(0, 1) << rgb(128, 0, 128);
    QTest::newRow("left outline") << 'l' << QPoint(0, 0) << rgb(0, 0, 0);
    QTest::newRow("just inside left") << 'l' << QPoint(2, 0) << rgb(0, 255, 0);
}

void ScalingTest::periodBarScales() {
    QFETCH(char, edge);
    QFETCH(QPoint, offset);
    QFETCH(QRgb, colour);
    uitest::Window ui; // past the start screen
    const QPoint device = deviceEdge(inWindow(ui.window, "PeriodBar2"), edge) + offset;
    QCOMPARE(at(deviceGrab(ui.window), device.x(), device.y()), colour);
}

// At every point of a coarse grid over the window, the doubled picture shows the colour that the
// window has at scale 1. Only the edges of text and of smoothed lines may differ.
void ScalingTest::wholeWindowMatchesTheUnscaledOne() {
    for (const bool pastStart : {false, true}) {
        uitest::Window ui(pastStart);
        const QImage logical = unscaledRender(ui.window);
        const QImage device = deviceGrab(ui.window);
        int points = 0, same = 0;
        for (int y = 2; y < 705; y += 7) {
            for (int x = 2; x < 826; x += 7) {
                ++points;
                same += at(logical, x, y) == at(device, scale * x, scale * y) &&
                        at(logical, x, y) == at(device, scale * x + 1, scale * y + 1);
            }
        }
        const double share = double(same) / points;
        QVERIFY2(share > 0.95, qPrintable(QString("%1: %2 of %3 grid points match")
                                              .arg(pastStart ? "after OK" : "start")
                                              .arg(same)
                                              .arg(points)));
    }
}

// The scale factor is read when the application starts, so it is set before QApplication exists.
int main(int argc, char* argv[]) {
    qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
    QApplication app(argc, argv);
    ScalingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_scaling.moc"
