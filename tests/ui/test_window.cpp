// The main window as the user first meets it: the start screen, "OK", the toolbar, the period
// bar, the fonts, and a window that keeps its controls in place.
#include <QtTest>

#include "app/appearance.h"
#include "uitest.h"

using uitest::rgb;

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void captionSizeAndIcon();
    void startShowsOnlyStartScreenAndMargin_data();
    void startShowsOnlyStartScreenAndMargin();
    void startScreenTexts_data();
    void startScreenTexts();
    void okRevealsToolbarAndEmptyWindow();
    void toolbarGeometryAndGap_data();
    void toolbarGeometryAndGap();
    void periodBarColours_data();
    void periodBarColours();
    void legendLabelsHiddenUntilCalculation();
    void fontsResolveToInstalledFamilies_data();
    void fontsResolveToInstalledFamilies();
    void windowFontLineHeight();
    void maximisingKeepsControlsInPlace();
    void hiddenScreensAreBuiltAfterFirstPaintInStackingOrder();
};

void WindowTest::captionSizeAndIcon() {
    uitest::Window ui(false);
    QCOMPARE(ui.window.windowTitle(), QString("Zeitrad"));
    QCOMPARE(ui.window.size(), QSize(826, 705));
    QCOMPARE(ui.window.minimumSize(), QSize(826, 705));
    QCOMPARE(ui.window.maximumSize(), QSize(826, 705));
    QVERIFY(ui.window.windowFlags() & Qt::WindowMaximizeButtonHint);
    QVERIFY(ui.window.windowFlags() & Qt::WindowMinimizeButtonHint);
    const QIcon icon = ui.window.windowIcon();
    QVERIFY(!icon.isNull());
    const QImage image = icon.pixmap(32, 32).toImage();
    QCOMPARE(image.size(), QSize(32, 32));
    QVERIFY(image.hasAlphaChannel());
}

void WindowTest::startShowsOnlyStartScreenAndMargin_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QRgb>("colour");
    const QRgb purple = rgb(128, 0, 128);
    const QRgb green = rgb(0, 128, 0);
    // The margin around the start screen: 11 px left, 16 top, 9 right, 12 bottom.
    QTest::newRow("left margin") << QPoint(10, 300) << purple;
    QTest::newRow("top margin") << QPoint(400, 15) << purple;
    QTest::newRow("right margin") << QPoint(817, 300) << purple;
    QTest::newRow("bottom margin") << QPoint(400, 693) << purple;
    QTest::newRow("corner") << QPoint(0, 0) << purple;
    QTest::newRow("inside left edge") << QPoint(13, 300) << green;
    QTest::newRow("inside right edge") << QPoint(814, 300) << green;
    QTest::newRow("over the period bar") << QPoint(180, 658) << green;
    QTest::newRow("over Urtexte") << QPoint(310, 580) << green;
    QTest::newRow("toolbar row") << QPoint(60, 20) << green;
}

void WindowTest::startShowsOnlyStartScreenAndMargin() {
    QFETCH(QPoint, at);
    QFETCH(QRgb, colour);
    uitest::Window ui(false);
    QCOMPARE(uitest::pixel(ui.window, at), colour & 0xFFFFFFu);
}

void WindowTest::startScreenTexts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPoint>("topLeft");
    QTest::newRow("title") << "Label245"
                           << "ZEITRAD" << QPoint(272, 408);
    QTest::newRow("programming") << "Label255"
                                 << "Programmieung:" << QPoint(369, 474);
    QTest::newRow("mail link") << "Label415"
                               << "Kontakt Email schicken" << QPoint(296, 576);
    QTest::newRow("web address") << "Label251"
                                 << "www.kelmora.example" << QPoint(328, 440);
}

void WindowTest::startScreenTexts() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QPoint, topLeft);
    uitest::Window ui(false);
    auto* label = uitest::find<zeitrad::ui::Label>(&ui.window, name.toLatin1().constData());
    QCOMPARE(label->text(), text);
    QCOMPARE(label->pos(), topLeft);
    QVERIFY(label->isVisible());
    // Self-sizing: as wide as its text in the font it got (a bold last letter may add a few).
    const int advance = QFontMetrics(label->font()).horizontalAdvance(text);
    QVERIFY(label->width() >= advance && label->width() <= advance + 4);
    QVERIFY(label->height() >= QFontMetrics(label->font()).height());
}

void WindowTest::okRevealsToolbarAndEmptyWindow() {
    uitest::Window ui(false);
    auto* ok = uitest::find<QPushButton>(&ui.window, "Button4");
    QCOMPARE(ok->text(), QString("OK"));
    QCOMPARE(ok->geometry(), QRect(328, 632, 177, 25));
    for (QPushButton* b : ui.window.findChildren<QPushButton*>())
        if (b->parentWidget() == &ui.window && b->objectName() != "Button22")
            QVERIFY2(!b->isVisible(), qPrintable(b->objectName()));
    uitest::click(&ui.window, "Button4");
    QVERIFY(!uitest::shown(&ui.window, "Panel2"));
    int toolbar = 0;
    for (QPushButton* b : ui.window.findChildren<QPushButton*>())
        if (b->parentWidget() == &ui.window && b->y() == 8 && b->isVisible())
            ++toolbar;
    QCOMPARE(toolbar, 10);
    for (QWidget* child : ui.window.findChildren<zeitrad::ui::Panel*>(Qt::FindDirectChildrenOnly))
        QVERIFY2(!child->isVisible(), qPrintable(child->objectName()));
    // The empty purple window, and the "Urtexte" button on it.
    QCOMPARE(uitest::pixel(ui.window, QPoint(400, 300)), rgb(128, 0, 128));
    QCOMPARE(uitest::pixel(ui.window, QPoint(300, 580)), rgb(128, 0, 128));
    QVERIFY(uitest::shown(&ui.window, "Button22"));
    QCOMPARE(ui.window.childAt(QPoint(396, 580))->objectName(), QString("Button22"));
}

void WindowTest::toolbarGeometryAndGap_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Berechnungsangaben") << "Button13" << 16 << 113 << "Berechnungsangaben";
    QTest::newRow("Text anzeigen") << "Button3" << 136 << 75 << "Text anzeigen";
    QTest::newRow("Deutung") << "Button5" << 216 << 75 << "Deutung";
    QTest::newRow("Mahadasamarkierung") << "Button2" << 296 << 115 << "Mahadasamarkierung";
    QTest::newRow("Antardasacolor") << "Button1" << 416 << 97 << "Antardasacolor";
    QTest::newRow("1/3") << "Button15" << 520 << 25 << "1/3";
    QTest::newRow("2/3") << "Button16" << 552 << 25 << "2/3";
    QTest::newRow("3/3") << "Button17" << 584 << 25 << "3/3";
    QTest::newRow("Amsa") << "Button14" << 616 << 33 << "Amsa";
    QTest::newRow("Info") << "Button7" << 704 << 33 << "Info";
}

void WindowTest::toolbarGeometryAndGap() {
    QFETCH(QString, name);
    QFETCH(int, left);
    QFETCH(int, width);
    QFETCH(QString, caption);
    uitest::Window ui;
    auto* button = uitest::find<QPushButton>(&ui.window, name.toLatin1().constData());
    QCOMPARE(button->geometry(), QRect(left, 8, width, 25));
    QCOMPARE(button->text(), caption);
    QVERIFY(button->isVisible());
    // The empty place between "Amsa" and "Info" shows the purple window.
    for (int x = 650; x < 704; x += 6)
        QCOMPARE(uitest::pixel(ui.window, QPoint(x, 20)), rgb(128, 0, 128));
}

void WindowTest::periodBarColours_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<QRgb>("colour");
    QTest::newRow("Ketu") << 182 << rgb(128, 0, 128);
    QTest::newRow("Sukra") << 238 << rgb(0, 255, 0);
    QTest::newRow("Surya") << 291 << rgb(255, 255, 0);
    QTest::newRow("Chandra") << 322 << rgb(255, 255, 255);
    QTest::newRow("Mangal") << 356 << rgb(255, 0, 0);
    QTest::newRow("Rahu") << 407 << rgb(255, 0, 255);
    QTest::newRow("Guru") << 478 << rgb(0, 0, 255);
    QTest::newRow("Sani") << 548 << rgb(0, 0, 0);
    QTest::newRow("Buddha") << 623 << rgb(166, 202, 240);
    QTest::newRow("left of the bar") << 160 << rgb(128, 0, 128);
    QTest::newRow("outline") << 168 << rgb(0, 0, 0);
    QTest::newRow("right of the bar") << 665 << rgb(128, 0, 128);
}

void WindowTest::periodBarColours() {
    QFETCH(int, x);
    QFETCH(QRgb, colour);
    uitest::Window ui;
    QCOMPARE(uitest::pixel(ui.window, QPoint(x, 658)), colour);
    // The bar's outline above and below.
    if (x > 168 && x < 657) {
        QCOMPARE(uitest::pixel(ui.window, QPoint(x, 648)), rgb(0, 0, 0));
        QCOMPARE(uitest::pixel(ui.window, QPoint(x, 667)), rgb(0, 0, 0));
        QCOMPARE(uitest::pixel(ui.window, QPoint(x, 668)), rgb(128, 0, 128));
    }
}

void WindowTest::legendLabelsHiddenUntilCalculation() {
    uitest::Window ui;
    const char* legend[] = {"Label247", "Label263", "Label264", "Label265", "Label266",
                            "Label267", "Label268", "Label269", "Label270"};
    uitest::click(&ui.window, "Button13");
    QVERIFY(uitest::shown(&ui.window, "Shape183"));
    for (const char* name : legend)
        QVERIFY(!uitest::shown(&ui.window, name));
    auto* nakshatra = uitest::find<zeitrad::ui::Label>(&ui.window, "Label261");
    QCOMPARE(nakshatra->text(), QString());
    uitest::click(&ui.window, "Button12");
    for (const char* name : legend)
        QVERIFY(uitest::shown(&ui.window, name));
    // The birth nakshatra, in fuchsia below the period bar.
    QVERIFY(uitest::shown(&ui.window, "Label261"));
    QCOMPARE(nakshatra->text(), QString("Bharani"));
    const QImage window = ui.window.grab().toImage();
    int fuchsia = 0;
    const QRect box = nakshatra->geometry();
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            fuchsia += (window.pixel(x, y) & 0xFFFFFFu) == rgb(255, 0, 255);
    QVERIFY2(fuchsia > 20, qPrintable(QString::number(fuchsia)));
    // Nothing hides them again.
    for (const char* other : {"Button14", "Button15", "Button3", "Button5", "Button18"}) {
        uitest::click(&ui.window, other);
        for (const char* name : legend)
            QVERIFY(uitest::find<QWidget>(&ui.window, name)->isVisibleTo(&ui.window));
    }
    // "Sani - Saturn" in silver on black, "Guru - Jupiter" in yellow on navy.
    uitest::click(&ui.window, "Button13");
    auto* sani = uitest::find<zeitrad::ui::Label>(&ui.window, "Label267");
    QCOMPARE(sani->text(), QString("  Sani - Saturn  "));
    QCOMPARE(uitest::pixel(ui.window, sani->geometry().topLeft() + QPoint(2, 2)), rgb(0, 0, 0));
    auto* guru = uitest::find<zeitrad::ui::Label>(&ui.window, "Label266");
    QCOMPARE(uitest::pixel(ui.window, guru->geometry().topLeft() + QPoint(2, 2)), rgb(0, 0, 128));
}

void WindowTest::fontsResolveToInstalledFamilies_data() {
    QTest::addColumn<QString>("requested");
    QTest::addColumn<QString>("family");
    QTest::newRow("Tahoma") << "Tahoma"
                            << "Tahoma";
    QTest::newRow("Arial") << "Arial"
                           << "Liberation Sans";
    QTest::newRow("Times New Roman") << "Times New Roman"
                                     << "Liberation Serif";
}

void WindowTest::fontsResolveToInstalledFamilies() {
    QFETCH(QString, requested);
    QFETCH(QString, family);
    uitest::Window ui(false);
    QCOMPARE(zeitrad::ui::resolvedFamily(requested), family);
}

void WindowTest::windowFontLineHeight() {
    uitest::Window ui(false);
    // Tahoma 8 pt at 96 dpi: 11-pixel characters on 13-pixel lines.
    QCOMPARE(zeitrad::ui::windowFont().pixelSize(), 11);
    const zeitrad::ui::Label label("Line", nullptr, QPoint(0, 0), "Sukra");
    QCOMPARE(label.height(), 13);
}

void WindowTest::maximisingKeepsControlsInPlace() {
    uitest::Window ui;
    auto* button = uitest::find<QPushButton>(&ui.window, "Button13");
    const QRect before = button->geometry();
    ui.window.showMaximized();
    QTRY_VERIFY(ui.window.width() > 826 || ui.window.height() > 705);
    QCOMPARE(button->geometry(), before);
    const QImage shot = ui.window.grab().toImage();
    QCOMPARE(shot.pixel(shot.width() - 2, shot.height() - 2) & 0xFFFFFFu, rgb(128, 0, 128));
    ui.window.showNormal();
    QTRY_COMPARE(ui.window.size(), QSize(826, 705));
}

void WindowTest::hiddenScreensAreBuiltAfterFirstPaintInStackingOrder() {
    TZeitrad window;
    // Only what the user sees at start exists before the window is painted.
    QVERIFY(window.findChild<QWidget*>("Panel2"));
    QVERIFY(!window.findChild<QWidget*>("Panel1"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.findChild<QWidget*>("Panel1"));

    // The window's panels and buttons, lowest first: a later one covers an earlier one.
    const QStringList expected = {
        "Button22", "Panel1",  "Panel16", "Button17", "Button16", "Button15", "Button7", "Button1",
        "Button2",  "Button3", "Button5", "Button13", "Panel9",   "Panel11",  "Panel10", "Panel12",
        "Button14", "Panel14", "Panel8",  "Panel3",   "Panel2",   "Panel5",   "Panel7",  "Panel13"};
    QStringList order;
    for (QObject* child : window.children())
        if (qobject_cast<zeitrad::ui::Panel*>(child) || qobject_cast<QPushButton*>(child))
            order.append(child->objectName());
    QCOMPARE(order, expected);
    // Only the start screen is visible, as before they were built.
    for (const QString& name : expected)
        QCOMPARE(window.findChild<QWidget*>(name)->isVisibleTo(&window),
                 name == "Panel2" || name == "Button22");
}

QTEST_MAIN(WindowTest)
#include "test_window.moc"
