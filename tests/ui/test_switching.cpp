// Screen switching: every toolbar handler and close control writes a fixed list of visibility
// flags and reads none.
#include <QLineEdit>
#include <QtTest>

#include "uitest.h"

namespace {

// The flags the handlers write, in the columns of the switching table.
const char* const flagNames[] = {"Panel2", "Panel8", "Panel1",  "Panel16", "Panel9",  "Panel3",
                                 "Panel5", "Panel7", "Panel13", "Panel14", "Shape183"};
constexpr int flagCount = 11;

using Flags = QList<bool>;

Flags readFlags(const QWidget& w) {
    Flags flags;
    for (const char* name : flagNames)
        flags.append(uitest::find<QWidget>(&w, name)->isVisibleTo(&w));
    return flags;
}

void writeFlags(QWidget& w, bool visible) {
    for (const char* name : flagNames) {
        uitest::find<QWidget>(&w, name)->setVisible(visible);
        // The four strips are one screen.
        if (QString(name) == "Panel9")
            for (const char* strip : {"Panel10", "Panel11", "Panel12"})
                uitest::find<QWidget>(&w, strip)->setVisible(visible);
    }
}

} // namespace

class SwitchingTest : public QObject {
    Q_OBJECT
private slots:
    void handlersWriteTheirFlags_data();
    void handlersWriteTheirFlags();
    void pressingTwiceEqualsOnce_data() { handlersWriteTheirFlags_data(); }
    void pressingTwiceEqualsOnce();
    void stripsMoveTogether();
    void bookButtonIsCoveredByScreens_data();
    void bookButtonIsCoveredByScreens();
    void bookScreenOverInputThenMarking();
    void infoFromInputReturnsToInput();
    void infoFromOverviewReturnsToEmptyWindow();
    void courseClosesOnlyOnItsMargin_data();
    void courseClosesOnlyOnItsMargin();
    void escapeClosesCoveringScreens_data();
    void escapeClosesCoveringScreens();
    void keyboardStaysOnCoveringScreen();
    void calculationAfterAmsaShowsOverviewUnobstructed();
};

void SwitchingTest::handlersWriteTheirFlags_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("effect"); // S shown, H hidden, - left as it was; per flag column

    //                                     start input ov  sample pages text book info course div
    //                                     strip
    QTest::newRow("Berechnungsangaben") << "Button13"
                                        << "HSHHHHHHHHS";
    QTest::newRow("Text anzeigen") << "Button3"
                                   << "HHHHHSHHHH-";
    QTest::newRow("Deutung") << "Button5"
                             << "HHHHHHHHSH-";
    QTest::newRow("Info") << "Button7"
                          << "H-HHHHHSHH-";
    QTest::newRow("Amsa") << "Button14"
                          << "HHHHHHHHHSH";
    QTest::newRow("Urtexte") << "Button22"
                             << "------S----";
    QTest::newRow("course X") << "Button18"
                              << "--------H--";
    QTest::newRow("course background") << "Panel13"
                                       << "--------H--";
    QTest::newRow("info X") << "Button21"
                            << "-------H---";
    QTest::newRow("OK") << "Button4"
                        << "H--H-------";
    QTest::newRow("Antardasacolor") << "Button1"
                                    << "HHS-HHHHHH-";
    QTest::newRow("calculate") << "Button12"
                               << "HHS-HHHHHH-";
    QTest::newRow("Mahadasamarkierung") << "Button2"
                                        << "------H----";
    QTest::newRow("1/3") << "Button15"
                         << "HHHHSHHHHHH";
    QTest::newRow("2/3") << "Button16"
                         << "HHHHSHHHHHH";
    QTest::newRow("3/3") << "Button17"
                         << "HHHHSHHHHHH";
}

void SwitchingTest::handlersWriteTheirFlags() {
    QFETCH(QString, control);
    QFETCH(QString, effect);
    QCOMPARE(effect.size(), flagCount);
    for (const bool before : {false, true}) {
        uitest::Window ui;
        writeFlags(ui.window, before);
        // Clicks go to the control itself, whatever covers it.
        uitest::click(&ui.window, control.toLatin1().constData());
        const Flags after = readFlags(ui.window);
        for (int i = 0; i < flagCount; ++i) {
            const bool expected = effect[i] == 'S' ? true : effect[i] == 'H' ? false : before;
            QVERIFY2(after[i] == expected,
                     qPrintable(QString("%1 after %2 (all %3 before)")
                                    .arg(flagNames[i], control, before ? "shown" : "hidden")));
        }
    }
}

void SwitchingTest::pressingTwiceEqualsOnce() {
    QFETCH(QString, control);
    uitest::Window once;
    uitest::Window twice;
    for (QWidget* w : {&once.window, &twice.window})
        uitest::click(w, "Button13");
    uitest::click(&once.window, control.toLatin1().constData());
    uitest::click(&twice.window, control.toLatin1().constData());
    uitest::click(&twice.window, control.toLatin1().constData());
    QCOMPARE(readFlags(twice.window), readFlags(once.window));
}

void SwitchingTest::stripsMoveTogether() {
    uitest::Window ui;
    uitest::click(&ui.window, "Button16");
    for (const char* strip : {"Panel9", "Panel10", "Panel11", "Panel12"})
        QVERIFY(uitest::shown(&ui.window, strip));
    uitest::click(&ui.window, "Button3");
    for (const char* strip : {"Panel9", "Panel10", "Panel11", "Panel12"})
        QVERIFY(!uitest::shown(&ui.window, strip));
}

void SwitchingTest::bookButtonIsCoveredByScreens_data() {
    QTest::addColumn<QString>("opener");
    QTest::addColumn<bool>("reachable");
    QTest::newRow("empty window") << QString() << true;
    QTest::newRow("input screen") << "Button13" << true;
    QTest::newRow("divisions chart") << "Button14" << true;
    QTest::newRow("overview") << "Button1" << false;
    QTest::newRow("text screen") << "Button3" << false;
    QTest::newRow("pages") << "Button15" << false;
    QTest::newRow("course screen") << "Button5" << false;
    QTest::newRow("info screen") << "Button7" << false;
}

void SwitchingTest::bookButtonIsCoveredByScreens() {
    QFETCH(QString, opener);
    QFETCH(bool, reachable);
    uitest::Window ui;
    if (!opener.isEmpty())
        uitest::click(&ui.window, opener.toLatin1().constData());
    auto* button = uitest::find<QPushButton>(&ui.window, "Button22");
    const QPoint centre = button->geometry().center();
    // What a click at that point of the window reaches.
    QCOMPARE(ui.window.childAt(centre) == button, reachable);
}

void SwitchingTest::bookScreenOverInputThenMarking() {
    uitest::Window ui;
    uitest::click(&ui.window, "Button13");
    auto* day = uitest::find<QLineEdit>(&ui.window, "Edit4");
    QTest::keyClicks(day, "17");
    uitest::click(&ui.window, "Button22");
    auto* book = uitest::find<QWidget>(&ui.window, "Panel5");
    const QRect input = uitest::find<QWidget>(&ui.window, "Panel8")->geometry();
    QVERIFY(book->isVisible());
    QVERIFY(book->geometry().contains(input));
    uitest::click(&ui.window, "Button2");
    QVERIFY(!book->isVisible());
    QVERIFY(uitest::shown(&ui.window, "Panel8"));
    QCOMPARE(day->text(), QString("17"));
}

void SwitchingTest::infoFromInputReturnsToInput() {
    uitest::Window ui;
    uitest::click(&ui.window, "Button13");
    uitest::click(&ui.window, "Button7");
    QVERIFY(uitest::shown(&ui.window, "Panel7"));
    uitest::click(&ui.window, "Button21");
    QVERIFY(uitest::shown(&ui.window, "Panel8"));
    QVERIFY(!uitest::shown(&ui.window, "Panel7"));
}

void SwitchingTest::infoFromOverviewReturnsToEmptyWindow() {
    uitest::Window ui;
    uitest::click(&ui.window, "Button1");
    QVERIFY(uitest::shown(&ui.window, "Panel1"));
    uitest::click(&ui.window, "Button7");
    uitest::click(&ui.window, "Button21");
    const Flags flags = readFlags(ui.window);
    for (int i = 0; i < flagCount - 1; ++i)
        QVERIFY2(!flags[i], flagNames[i]);
    // The empty purple window in the middle of where the overview was.
    QCOMPARE(uitest::pixel(ui.window, QPoint(400, 300)), uitest::rgb(128, 0, 128));
}

void SwitchingTest::courseClosesOnlyOnItsMargin_data() {
    QTest::addColumn<QString>("target"); // a control's name, or "" for a window point
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("hit");
    QTest::addColumn<bool>("closes");
    QTest::newRow("margin left of the picture") << "" << QPoint(40, 200) << "Panel13" << true;
    QTest::newRow("margin right of the picture") << "" << QPoint(780, 300) << "Panel13" << true;
    QTest::newRow("margin under the links") << "" << QPoint(700, 690) << "Panel13" << true;
    QTest::newRow("margin at the bottom left") << "" << QPoint(20, 690) << "Panel13" << true;
    QTest::newRow("the picture") << "" << QPoint(400, 150) << "Image4" << false;
    QTest::newRow("the picture's last row") << "" << QPoint(700, 504) << "Image4" << false;
    QTest::newRow("the title") << "Label416" << QPoint() << "Label416" << false;
    QTest::newRow("a line of the advert") << "Label425" << QPoint() << "Label425" << false;
    QTest::newRow("the last line") << "Label434" << QPoint() << "Label434" << false;
    QTest::newRow("X") << "Button18" << QPoint() << "Button18" << true;
}

// A click reaches what the user sees at that point; only the margin and the X close the screen.
void SwitchingTest::courseClosesOnlyOnItsMargin() {
    QFETCH(QString, target);
    QFETCH(QPoint, at);
    QFETCH(QString, hit);
    QFETCH(bool, closes);
    uitest::Window ui;
    QWidget& w = ui.window;
    uitest::click(&w, "Button5");
    auto* course = uitest::find<QWidget>(&w, "Panel13");
    QVERIFY(course->isVisible());
    if (!target.isEmpty()) {
        const QWidget* control = uitest::find<QWidget>(&w, qPrintable(target));
        at = control->mapTo(&w, control->rect().center());
    }
    QWidget* reached = w.childAt(at);
    QVERIFY(reached);
    QCOMPARE(reached->objectName(), hit);
    QTest::mouseClick(reached, Qt::LeftButton, {}, reached->mapFrom(&w, at));
    QCOMPARE(course->isVisible(), !closes);
}

void SwitchingTest::escapeClosesCoveringScreens_data() {
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QString>("panel");
    QTest::newRow("info") << "Button7"
                          << "Panel7";
    QTest::newRow("course") << "Button5"
                            << "Panel13";
}

void SwitchingTest::escapeClosesCoveringScreens() {
    QFETCH(QString, opener);
    QFETCH(QString, panel);
    uitest::Window ui;
    ui.window.activateWindow();
    uitest::click(&ui.window, opener.toLatin1().constData());
    auto* screen = uitest::find<QWidget>(&ui.window, panel.toLatin1().constData());
    QVERIFY(screen->isVisible());
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &ui.window, Qt::Key_Escape);
    QVERIFY(!screen->isVisible());
}

void SwitchingTest::keyboardStaysOnCoveringScreen() {
    uitest::Window ui;
    ui.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&ui.window));
    uitest::click(&ui.window, "Button7");
    auto* info = uitest::find<QWidget>(&ui.window, "Panel7");
    for (int i = 0; i < 15; ++i) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        QVERIFY2(info->isAncestorOf(focus), qPrintable(focus->objectName()));
        QTest::keyClick(focus, Qt::Key_Tab);
    }
}

void SwitchingTest::calculationAfterAmsaShowsOverviewUnobstructed() {
    uitest::Window ui;
    uitest::click(&ui.window, "Button1");
    uitest::click(&ui.window, "Button14");
    QVERIFY(uitest::shown(&ui.window, "Panel14"));
    uitest::click(&ui.window, "Button1");
    QVERIFY(!uitest::shown(&ui.window, "Panel14"));
    QVERIFY(uitest::shown(&ui.window, "Panel1"));
    QCOMPARE(ui.window.childAt(QPoint(400, 300))->window(), &ui.window);
    QVERIFY(uitest::find<QWidget>(&ui.window, "Panel1")
                ->isAncestorOf(ui.window.childAt(QPoint(400, 300))) ||
            ui.window.childAt(QPoint(400, 300))->objectName() == "Panel1");
}

QTEST_MAIN(SwitchingTest)
#include "test_switching.moc"
