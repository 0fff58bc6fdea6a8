// The main window as the user first meets it: the start screen, "OK", the toolbar, the period
// bar, the fonts, and a window that keeps its controls in place.
#include <QLineEdit>
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
    void toolbarReadsInOrder();
    void periodBar();
    void legendLabelsHiddenUntilCalculation();
    void fontsResolveToInstalledFamilies_data();
    void fontsResolveToInstalledFamilies();
    void windowFontLineHeight();
    void maximisingKeepsControlsInPlace();
    void hiddenScreensAreBuiltAfterFirstPaintInStackingOrder();
    void qtSpeaksGermanFromTheFirstDialog();
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
    // Where: an edge of the start screen ('l', 't', 'r', 'b') and how far outside it (negative:
    // inside), or the middle of a control that the start screen covers.
    QTest::addColumn<char>("edge");
    QTest::addColumn<int>("outside");
    QTest::addColumn<QString>("covered");
    QTest::addColumn<bool>("margin");
    QTest::newRow("left margin") << 'l' << 1 << QString() << true;
    QTest::newRow("top margin") << 't' << 1 << QString() << true;
    QTest::newRow("right margin") << 'r' << 1 << QString() << true;
    QTest::newRow("bottom margin") << 'b' << 1 << QString() << true;
    QTest::newRow("left margin, outermost") << 'l' << 11 << QString() << true;
    QTest::newRow("inside left edge") << 'l' << -2 << QString() << false;
    QTest::newRow("inside right edge") << 'r' << -2 << QString() << false;
    QTest::newRow("over the period bar") << '-' << 0 << "PeriodBar1" << false;
    QTest::newRow("over Urtexte") << '-' << 0 << "Button22" << false;
    QTest::newRow("over Berechnungsangaben") << '-' << 0 << "Button13" << false;
}

// At start the purple window shows only as a margin round the green start screen, which covers
// everything else.
void WindowTest::startShowsOnlyStartScreenAndMargin() {
    QFETCH(char, edge);
    QFETCH(int, outside);
    QFETCH(QString, covered);
    QFETCH(bool, margin);
    uitest::Window ui(false);
    const QRect start = uitest::find<QWidget>(&ui.window, "Panel2")->geometry();
    QPoint at = start.center();
    switch (edge) {
    case 'l':
        at.setX(start.left() - outside);
        break;
    case 't':
        at.setY(start.top() - outside);
        break;
    case 'r':
        at.setX(start.right() + outside);
        break;
    case 'b':
        at.setY(start.bottom() + outside);
        break;
    default:
        at = uitest::find<QWidget>(&ui.window, qPrintable(covered))->geometry().center();
    }
    QCOMPARE(uitest::pixel(ui.window, at), margin ? rgb(128, 0, 128) : rgb(0, 128, 0));
}

void WindowTest::startScreenTexts_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("title") << "Label245";
    QTest::newRow("programming") << "Label255";
    QTest::newRow("mail link") << "Label415";
    QTest::newRow("web address") << "Label251";
}

// The start screen's labels show on it, each as wide as its text.
void WindowTest::startScreenTexts() {
    QFETCH(QString, name);
    uitest::Window ui(false);
    auto* label = uitest::find<zeitrad::widgets::Label>(&ui.window, qPrintable(name));
    QVERIFY(label->isVisible());
    QVERIFY(!label->text().isEmpty());
    QVERIFY(label->parentWidget()->rect().contains(label->geometry()));
    // Self-sizing: as wide as its text in the font it got (a bold last letter may add a few).
    const int advance = QFontMetrics(label->font()).horizontalAdvance(label->text());
    QVERIFY(label->width() >= advance && label->width() <= advance + 4);
    QVERIFY(label->height() >= QFontMetrics(label->font()).height());
}

void WindowTest::okRevealsToolbarAndEmptyWindow() {
    uitest::Window ui(false);
    // "OK" lies on the start screen, where a click reaches it.
    auto* ok = uitest::find<QPushButton>(&ui.window, "Button4");
    QVERIFY(ok->parentWidget()->rect().contains(ok->geometry()));
    QCOMPARE(ui.window.childAt(ok->mapTo(&ui.window, ok->rect().center())), ok);
    for (QPushButton* b : ui.window.findChildren<QPushButton*>())
        if (b->parentWidget() == &ui.window && b->objectName() != "Button22")
            QVERIFY2(!b->isVisible(), qPrintable(b->objectName()));
    uitest::click(&ui.window, "Button4");
    QVERIFY(!uitest::shown(&ui.window, "Panel2"));
    int toolbar = 0;
    for (QPushButton* b : ui.window.findChildren<QPushButton*>())
        if (b->parentWidget() == &ui.window && b->y() == 8 && b->isVisible())
            ++toolbar;
    QCOMPARE(toolbar, 12);
    for (QWidget* child :
         ui.window.findChildren<zeitrad::widgets::Panel*>(Qt::FindDirectChildrenOnly))
        QVERIFY2(!child->isVisible(), qPrintable(child->objectName()));
    // The empty purple window, and the "Urtexte" button on it.
    auto* urtexte = uitest::find<QPushButton>(&ui.window, "Button22");
    QCOMPARE(uitest::pixel(ui.window, QPoint(400, 300)), rgb(128, 0, 128));
    QCOMPARE(uitest::pixel(ui.window, urtexte->geometry().center() - QPoint(urtexte->width(), 0)),
             rgb(128, 0, 128));
    QVERIFY(uitest::shown(&ui.window, "Button22"));
    QCOMPARE(ui.window.childAt(urtexte->geometry().center()), urtexte);
}

// After "OK" the toolbar reads left to right in one row along the top: each button wide enough
// for its caption, none covering another, and the window showing in the gap before "Info".
void WindowTest::toolbarReadsInOrder() {
    uitest::Window ui;
    const QList<std::pair<QString, QString>> expected = {
        {"Button13", "Berechnungsangaben"},
        {"Button3", "Text anzeigen"},
        {"Button5", "Deutung"},
        {"Button2", "Mahadasamarkierung"},
        {"Button1", "Antardasacolor"},
        {"Button15", "1/3"},
        {"Button16", "2/3"},
        {"Button17", "3/3"},
        {"Button14", "Amsa"},
        {"Button24", "Liste"},
        {"Button7", "Info"},
        {"Button25", "Geburten"},
    };
    QList<QPushButton*> toolbar;
    for (QPushButton* b : ui.window.findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
        if (b->isVisible() && b->objectName() != "Button22")
            toolbar.append(b);
    std::sort(toolbar.begin(), toolbar.end(),
              [](const QPushButton* a, const QPushButton* b) { return a->x() < b->x(); });
    QList<std::pair<QString, QString>> seen;
    for (const QPushButton* b : toolbar)
        seen.append({b->objectName(), b->text()});
    QCOMPARE(seen, expected);

    const QPushButton* first = toolbar.first();
    QVERIFY(first->y() < uitest::find<QWidget>(&ui.window, "Button22")->y());
    for (qsizetype i = 0; i < toolbar.size(); ++i) {
        const QPushButton* b = toolbar[i];
        QVERIFY2(b->y() == first->y() && b->height() == first->height(),
                 qPrintable(b->objectName()));
        QVERIFY2(b->fontMetrics().horizontalAdvance(b->text()) < b->width(),
                 qPrintable(b->objectName()));
        if (i > 0)
            QVERIFY2(b->x() > toolbar[i - 1]->geometry().right(), qPrintable(b->objectName()));
    }
    // "Liste" stands in the place between "Amsa" and "Info", the purple window showing on
    // either side of it.
    const QPushButton* amsa = toolbar[toolbar.size() - 4];
    const QPushButton* liste = toolbar[toolbar.size() - 3];
    const QPushButton* info = toolbar[toolbar.size() - 2];
    const int y = amsa->geometry().center().y();
    for (const auto& [left, right] : {std::pair{amsa, liste}, std::pair{liste, info}}) {
        QVERIFY(right->x() - left->geometry().right() > 4);
        for (int x = left->geometry().right() + 1; x < right->x(); x += 2)
            QCOMPARE(uitest::pixel(ui.window, QPoint(x, y)), rgb(128, 0, 128));
    }
}

// The period bar below the screens: one bar per planet in dasa order, each about 4.1 pixels a
// year of its dasa long, one beside the other, in the planet's colour with a black outline.
void WindowTest::periodBar() {
    uitest::Window ui;
    const struct {
        int years;
        QRgb colour;
    } planets[] = {
        {7, rgb(128, 0, 128)},    // Ketu
        {20, rgb(0, 255, 0)},     // Sukra
        {6, rgb(255, 255, 0)},    // Surya
        {10, rgb(255, 255, 255)}, // Chandra
        {7, rgb(255, 0, 0)},      // Mangal
        {18, rgb(255, 0, 255)},   // Rahu
        {16, rgb(0, 0, 255)},     // Guru
        {19, rgb(0, 0, 0)},       // Sani
        {17, rgb(166, 202, 240)}, // Buddha
    };
    const QImage image = ui.window.grab().toImage();
    const auto at = [&](int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; };
    QRect previous;
    for (int planet = 1; planet <= 9; ++planet) {
        const QRect bar =
            uitest::find<QWidget>(&ui.window, qPrintable(QString("PeriodBar%1").arg(planet)))
                ->geometry();
        const QString where = QString("planet %1").arg(planet);
        QVERIFY2(std::abs(bar.width() - 4.1 * planets[planet - 1].years) <= 1.5, qPrintable(where));
        // Neighbours meet: they touch or share their outline.
        if (planet > 1)
            QVERIFY2(bar.top() == previous.top() && std::abs(bar.left() - previous.right()) <= 1,
                     qPrintable(where));
        const int x = bar.center().x();
        QVERIFY2(at(x, bar.center().y()) == planets[planet - 1].colour, qPrintable(where));
        QVERIFY2(at(x, bar.top()) == rgb(0, 0, 0) && at(x, bar.bottom()) == rgb(0, 0, 0),
                 qPrintable(where));
        QVERIFY2(at(x, bar.bottom() + 1) == rgb(128, 0, 128), qPrintable(where));
        if (planet == 1) {
            QCOMPARE(at(bar.left(), bar.center().y()), rgb(0, 0, 0));
            QCOMPARE(at(bar.left() - 8, bar.center().y()), rgb(128, 0, 128));
        }
        if (planet == 9)
            QCOMPARE(at(bar.right() + 8, bar.center().y()), rgb(128, 0, 128));
        previous = bar;
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
    auto* nakshatra = uitest::find<zeitrad::widgets::Label>(&ui.window, "Label261");
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
    auto* sani = uitest::find<zeitrad::widgets::Label>(&ui.window, "Label267");
    QCOMPARE(sani->text(), QString("  Sani - Saturn  "));
    QCOMPARE(uitest::pixel(ui.window, sani->geometry().topLeft() + QPoint(2, 2)), rgb(0, 0, 0));
    auto* guru = uitest::find<zeitrad::widgets::Label>(&ui.window, "Label266");
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
    QCOMPARE(zeitrad::app::resolvedFamily(requested), family);
}

void WindowTest::windowFontLineHeight() {
    uitest::Window ui(false);
    // Tahoma 8 pt at 96 dpi: 11-pixel characters on 13-pixel lines.
    QCOMPARE(zeitrad::widgets::windowFont().pixelSize(), 11);
    const zeitrad::widgets::Label label("Line", nullptr, QPoint(0, 0), "Sukra");
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
        "Button22", "Panel1",   "Panel16", "Button17", "Button16", "Button15", "Button7",
        "Button24", "Button25", "Button1", "Button2",  "Button3",  "Button5",  "Button13",
        "Panel9",   "Panel11",  "Panel10", "Panel12",  "Button14", "Panel14",  "Panel8",
        "Panel3",   "Panel2",   "Panel5",  "Panel7",   "Panel13"};
    QStringList order;
    for (QObject* child : window.children())
        if (qobject_cast<zeitrad::widgets::Panel*>(child) || qobject_cast<QPushButton*>(child))
            order.append(child->objectName());
    QCOMPARE(order, expected);
    // Only the start screen is visible, as before they were built.
    for (const QString& name : expected)
        QCOMPARE(window.findChild<QWidget*>(name)->isVisibleTo(&window),
                 name == "Panel2" || name == "Button22");
}

// Qt's own words (its dialogs' buttons, context menus) are German once a dialog opens; the
// translation is not loaded while the window starts.
void WindowTest::qtSpeaksGermanFromTheFirstDialog() {
    const auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
    uitest::Window ui(false);
    uitest::click(&ui.window, "Button4");
    QCOMPARE(cancel(), QString("Cancel"));
    // A refused calculation shows the first message box.
    uitest::click(&ui.window, "Button13");
    uitest::find<QLineEdit>(&ui.window, "Edit4")->setText("x");
    QVERIFY(!uitest::messageFrom([&] { uitest::click(&ui.window, "Button12"); }).isEmpty());
    QCOMPARE(cancel(), QString("Abbrechen"));
}

QTEST_MAIN(WindowTest)
#include "test_window.moc"
