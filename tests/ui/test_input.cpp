// The input screen: its controls, the sign group, the keyboard, what a calculation reads from the
// fields, the tropical option, and the refusal of input that cannot be calculated.
#include <QtTest>

#include "birth.h"
#include "uitest.h"

using birth::Entry;
using zeitrad::widgets::Label;

namespace {

Entry fields(const char* day, const char* month, const char* year, const char* degrees,
             const char* minutes, const char* seconds, int sign = 0, bool tropical = false) {
    return {day, month, year, degrees, minutes, seconds, sign, tropical};
}

QString notAnInteger(const QString& text) {
    return "'" + text + "' ist kein gültiger Integerwert";
}

const QString outsideTheCircle =
    "Die Mondposition liegt außerhalb des Tierkreises. Zeichen, Grad, Minuten und Sekunden "
    "müssen zusammen eine Länge von mindestens 0° und weniger als 360° ergeben.";
const QString outsideAfterConversion =
    "Die Mondposition liegt nach der Umrechnung von tropisch auf siderisch außerhalb des "
    "Tierkreises. Die siderische Länge muss mindestens 0° und weniger als 360° betragen; bitte "
    "Zeichen, Grad, Minuten, Sekunden und Geburtsjahr prüfen.";

} // namespace

class InputTest : public QObject {
    Q_OBJECT
private slots:
    void layout();
    void fieldsKeepTheirMaximumLength_data();
    void fieldsKeepTheirMaximumLength();
    void signButtons_data();
    void signButtons();
    void signsFormOneExclusiveGroup();
    void tabOrder();
    void returnPressesTheCalculateButton_data();
    void returnPressesTheCalculateButton();
    void fieldsAsRead_data();
    void fieldsAsRead();
    void tropicalOption_data();
    void tropicalOption();
    void refusals_data();
    void refusals();
};

// The input screen reads top to bottom: the date's caption and fields, the Moon's caption, fields
// and the tropical option, the twelve signs in rows of three inside their frame, the calculate
// button. Everything lies on the screen, every caption fits its control, every field starts empty.
void InputTest::layout() {
    uitest::Window ui;
    QWidget& w = ui.window;
    auto* panel = uitest::find<QWidget>(&w, "Panel8");
    QVERIFY(!panel->isVisibleTo(&w)); // hidden until "Berechnungsangaben"
    uitest::click(&w, "Button13");
    for (const QWidget* control : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QByteArray name = control->objectName().toLatin1();
        QVERIFY2(panel->rect().contains(control->geometry()), name);
        if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
            // Check box and sign buttons draw their indicator left of the caption.
            const int room = qobject_cast<const QPushButton*>(control) ? 0 : 16;
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) + room <
                         button->width(),
                     name);
        }
        if (const auto* edit = qobject_cast<const QLineEdit*>(control))
            QVERIFY2(edit->text().isEmpty(), name);
    }

    const auto at = [&](const char* name) { return uitest::find<QWidget>(&w, name)->geometry(); };
    // One line each, read left to right; neighbouring fields may share their frames' edge.
    const QList<QList<const char*>> lines = {{"Label257", "Edit4", "Edit5", "Edit6", "Label262"},
                                             {"Label256", "Edit1", "Edit2", "Edit3", "CheckBox1"}};
    for (const auto& line : lines)
        for (qsizetype i = 1; i < line.size(); ++i) {
            const QRect before = at(line[i - 1]), after = at(line[i]);
            QVERIFY2(after.left() >= before.right() - 1 && after.top() <= before.bottom() &&
                         after.bottom() >= before.top(),
                     line[i]);
        }
    QVERIFY(at("Label257").bottom() < at("Label256").top());

    // The signs in rows of three in sign order, all inside the group's frame, below the Moon's
    // line and above the calculate button.
    const auto sign = [&](int n) {
        return uitest::find<QRadioButton>(&w, qPrintable(QString("RadioButton%1").arg(n)));
    };
    for (int n = 1; n <= 12; ++n) {
        const QByteArray where = "sign " + QByteArray::number(n);
        const QRect place = sign(n)->geometry();
        QVERIFY2(at("RadioGroup1").contains(place), where);
        QVERIFY2(place.top() > at("Edit1").bottom(), where);
        QVERIFY2(place.bottom() < at("Button12").top(), where);
        if (n % 3 != 1)
            QVERIFY2(place.top() == sign(n - 1)->y() && place.left() > sign(n - 1)->x() + 16,
                     where);
        if (n > 3)
            QVERIFY2(place.left() == sign(n - 3)->x() &&
                         place.top() > sign(n - 3)->geometry().bottom(),
                     where);
    }
}

void InputTest::fieldsKeepTheirMaximumLength_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("kept");
    QTest::newRow("day") << 4 << "12";
    QTest::newRow("month") << 5 << "12";
    QTest::newRow("year") << 6 << "1234";
    QTest::newRow("degrees") << 1 << "12";
    QTest::newRow("minutes") << 2 << "12";
    QTest::newRow("seconds") << 3 << "12";
}

void InputTest::fieldsKeepTheirMaximumLength() {
    QFETCH(int, field);
    QFETCH(QString, kept);
    uitest::Window ui;
    uitest::click(&ui.window, "Button13");
    QTest::keyClicks(birth::edit(ui.window, field), "123456");
    QCOMPARE(birth::edit(ui.window, field)->text(), kept);
}

void InputTest::signButtons_data() {
    QTest::addColumn<int>("sign");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRgb>("colour");

    const QRgb fire = uitest::rgb(255, 0, 0), earth = uitest::rgb(0, 255, 0),
               air = uitest::rgb(255, 255, 0), water = uitest::rgb(0, 255, 255);
    const char* captions[] = {"Widder",  "Stier",     "Zwillinge",  "Krebs",
                              "Löwe",    "Jungfrau",  "Waage",      "Skorpion",
                              "Schütze", "Steinbock", "Wassermann", "Fische"};
    const QRgb elements[] = {fire, earth, air, water};
    for (int i = 0; i < 12; ++i)
        QTest::addRow("%d", i + 1) << i + 1 << QString::fromUtf8(captions[i]) << elements[i % 4];
}

void InputTest::signButtons() {
    QFETCH(int, sign);
    QFETCH(QString, caption);
    QFETCH(QRgb, colour);

    uitest::Window ui;
    uitest::click(&ui.window, "Button13");
    auto* button =
        uitest::find<QRadioButton>(&ui.window, qPrintable(QString("RadioButton%1").arg(sign)));
    QCOMPARE(button->text(), caption);
    // The sign buttons lie on the panel itself, not in the group frame.
    QCOMPARE(button->parentWidget()->objectName(), QString("Panel8"));

    // The caption is written in its element's colour: some pixel of the text comes close to it.
    const QImage image = button->grab().toImage();
    const QColor want(colour);
    bool found = false;
    for (int y = 0; y < image.height() && !found; ++y) {
        for (int x = 20; x < image.width() && !found; ++x) {
            const QColor c = image.pixelColor(x, y);
            found = qAbs(c.red() - want.red()) + qAbs(c.green() - want.green()) +
                        qAbs(c.blue() - want.blue()) <
                    64;
        }
    }
    QVERIFY(found);
}

void InputTest::signsFormOneExclusiveGroup() {
    uitest::Window ui;
    QWidget& w = ui.window;
    uitest::click(&w, "Button13");
    const auto checked = [&] {
        QList<int> on;
        for (int sign = 1; sign <= 12; ++sign)
            if (uitest::find<QRadioButton>(&w, qPrintable(QString("RadioButton%1").arg(sign)))
                    ->isChecked())
                on << sign;
        return on;
    };
    QCOMPARE(checked(), QList<int>{});
    // Across lines and columns, every click leaves exactly the clicked sign chosen.
    for (int sign : {3, 7, 1, 12, 5}) {
        QTest::mouseClick(
            uitest::find<QRadioButton>(&w, qPrintable(QString("RadioButton%1").arg(sign))),
            Qt::LeftButton, {}, QPoint(6, 8));
        QCOMPARE(checked(), QList<int>{sign});
    }
    QCOMPARE(uitest::find<QWidget>(&w, "RadioGroup1")->findChildren<QRadioButton*>().size(), 0);
}

void InputTest::tabOrder() {
    uitest::Window ui;
    QWidget& w = ui.window;
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    uitest::click(&w, "Button13");

    QStringList expected;
    for (int sign = 2; sign <= 12; ++sign)
        expected << QString("RadioButton%1").arg(sign);
    expected << "Edit4"
             << "Edit5"
             << "Edit6"
             << "Edit1"
             << "Edit2"
             << "Edit3"
             << "RadioButton1"
             << "Button12"
             << "CheckBox1"
             << "Button23";

    uitest::find<QWidget>(&w, "RadioButton2")->setFocus(Qt::TabFocusReason);
    QStringList order{QApplication::focusWidget()->objectName()};
    for (qsizetype i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order, expected);
}

void InputTest::returnPressesTheCalculateButton_data() {
    QTest::addColumn<QString>("control");
    for (const char* name : {"Edit4", "Edit5", "Edit6", "Edit1", "Edit2", "Edit3", "CheckBox1",
                             "RadioButton1", "RadioButton9"})
        QTest::newRow(name) << name;
}

void InputTest::returnPressesTheCalculateButton() {
    QFETCH(QString, control);
    uitest::Window ui;
    QWidget& w = ui.window;
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    birth::enter(w, fields("5", "3", "1970", "10", "0", "0"));
    auto* field = uitest::find<QWidget>(&w, qPrintable(control));
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);
    QVERIFY(uitest::shown(&w, "Panel1"));
    QVERIFY(!uitest::shown(&w, "Panel8"));
    QCOMPARE(birth::line(w, 1, 3)->text(), QString("5.3.1970"));
}

void InputTest::fieldsAsRead_data() {
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QString>("nakshatra");
    QTest::addColumn<QString>("date");

    QTest::newRow("all empty") << Entry{} << "Bharani"
                               << "23.12.2012";
    QTest::newRow("date as typed") << fields("5", "3", "70", "", "", "") << "Bharani"
                                   << "5.3.70";
    QTest::newRow("empty day: month and year ignored")
        << fields("", "7", "1999", "", "", "") << "Bharani"
        << "23.12.2012";
    QTest::newRow("leading zeros dropped") << fields("05", "03", "1970", "", "", "") << "Bharani"
                                           << "5.3.1970";
    QTest::newRow("empty degrees: minutes ignored") << fields("", "", "", "", "30", "") << "Bharani"
                                                    << "23.12.2012";
    QTest::newRow("empty degrees, Stier") << fields("", "", "", "", "", "", 2) << "Rohini"
                                          << "23.12.2012";
    QTest::newRow("45 degrees in Widder") << fields("", "", "", "45", "0", "0", 1) << "Rohini"
                                          << "23.12.2012";
    QTest::newRow("75 minutes") << fields("", "", "", "13", "75", "0") << "Bharani"
                                << "23.12.2012";
    QTest::newRow("last second of Fische") << fields("", "", "", "29", "59", "59", 12) << "Revati"
                                           << "23.12.2012";
    QTest::newRow("Skorpion") << fields("1", "1", "2000", "10", "0", "0", 8) << "Anuradha"
                              << "1.1.2000";
}

void InputTest::fieldsAsRead() {
    QFETCH(Entry, entry);
    QFETCH(QString, nakshatra);
    QFETCH(QString, date);
    uitest::Window ui;
    QWidget& w = ui.window;
    birth::calculate(w, entry);
    QCOMPARE(uitest::find<Label>(&w, "Label261")->text(), nakshatra);
    QCOMPARE(birth::line(w, 1, 3)->text(), date);
    // The fields keep what was typed.
    const QStringList typed = {entry.degrees, entry.minutes, entry.seconds,
                               entry.day,     entry.month,   entry.year};
    for (int n = 1; n <= 6; ++n)
        QCOMPARE(birth::edit(w, n)->text(), typed[n - 1]);
}

void InputTest::tropicalOption_data() {
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QString>("nakshatra");
    QTest::addColumn<bool>("onStart");

    // The ayanamsa of 2012, the default year, is 24°01'31.6".
    QTest::newRow("just past the ayanamsa")
        << fields("", "", "", "24", "1", "32", 0, true) << "Aswini" << false;
    QTest::newRow("just short of the ayanamsa: round the circle")
        << fields("", "", "", "24", "1", "31", 0, true) << "Revati" << false;
    QTest::newRow("the same position sidereal")
        << fields("", "", "", "24", "1", "31") << "Bharani" << false;
    // In 1900 the ayanamsa is 22°27'38", in 1800 it is 21°03'48".
    QTest::newRow("1900: the ayanamsa itself")
        << fields("1", "1", "1900", "22", "27", "38", 0, true) << "Aswini" << true;
    QTest::newRow("1800: the ayanamsa itself")
        << fields("1", "1", "1800", "21", "3", "48", 0, true) << "Aswini" << true;
    QTest::newRow("1900: Stier") << fields("1", "1", "1900", "5", "47", "38", 2, true) << "Bharani"
                                 << true;
}

void InputTest::tropicalOption() {
    QFETCH(Entry, entry);
    QFETCH(QString, nakshatra);
    QFETCH(bool, onStart);
    uitest::Window ui;
    QWidget& w = ui.window;
    birth::calculate(w, entry);
    QCOMPARE(uitest::find<Label>(&w, "Label261")->text(), nakshatra);
    QCOMPARE(uitest::shown(&w, "Panel16"), onStart);
    QCOMPARE(uitest::find<QCheckBox>(&w, "CheckBox1")->isChecked(), entry.tropical);
}

void InputTest::refusals_data() {
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<bool>("calculatedBefore");
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<QString>("message");

    QTest::newRow("day not a number")
        << fields("x", "3", "1970", "", "", "") << true << "Button12" << notAnInteger("x");
    QTest::newRow("month empty") << fields("5", "", "1970", "", "", "") << true << "Button12"
                                 << notAnInteger("");
    QTest::newRow("year with a letter")
        << fields("5", "3", "19a0", "", "", "") << true << "Button12" << notAnInteger("19a0");
    QTest::newRow("degrees only a sign")
        << fields("", "", "", "-", "0", "0") << true << "Button12" << notAnInteger("-");
    QTest::newRow("minutes empty")
        << fields("", "", "", "10", "", "0") << true << "Button12" << notAnInteger("");
    QTest::newRow("seconds with a blank")
        << fields("", "", "", "10", "5", "1 ") << true << "Button12" << notAnInteger("1 ");
    QTest::newRow("past 360 degrees")
        << fields("", "", "", "99", "0", "0", 12) << true << "Button12" << outsideTheCircle;
    QTest::newRow("below 0 degrees")
        << fields("", "", "", "-1", "0", "0", 1) << true << "Button12" << outsideTheCircle;
    QTest::newRow("tropical past 360 degrees after conversion")
        << fields("1", "1", "-999", "20", "0", "0", 12, true) << true << "Button12"
        << outsideAfterConversion;
    QTest::newRow("before the first calculation")
        << fields("x", "", "", "", "", "") << false << "Button12" << notAnInteger("x");
    QTest::newRow("by Antardasacolor")
        << fields("", "", "", "10", "x", "0") << true << "Button1" << notAnInteger("x");
    QTest::newRow("by Antardasacolor before the first calculation")
        << fields("", "", "", "99", "0", "0", 12) << false << "Button1" << outsideTheCircle;
}

void InputTest::refusals() {
    QFETCH(Entry, entry);
    QFETCH(bool, calculatedBefore);
    QFETCH(QString, pressed);
    QFETCH(QString, message);

    uitest::Window ui;
    QWidget& w = ui.window;
    if (calculatedBefore)
        birth::calculate(w, birth::position(5, 0, 0, 4));
    birth::enter(w, entry);
    // The press gives the button the focus, which it keeps after the message.
    uitest::find<QWidget>(&w, qPrintable(pressed))->setFocus(Qt::MouseFocusReason);
    const birth::Snapshot before = birth::snapshot(w);
    const zeitrad::Engine engine = ui.window.engine();
    const QImage seen = birth::screen(w);

    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    const QString shown =
        uitest::messageFrom([&] { uitest::click(&w, qPrintable(pressed)); }, &caption, &icon);
    QCOMPARE(shown, message);
    QCOMPARE(caption, QString("Zeitrad"));
    QCOMPARE(icon, QMessageBox::Critical);

    // Nothing else changed: the input screen stays with what was typed, the overview keeps the
    // earlier birth (or its load state), and the run state is as it was.
    QVERIFY(birth::snapshot(w) == before);
    QVERIFY(ui.window.engine() == engine);
    QVERIFY(uitest::shown(&w, "Panel8"));
    QVERIFY(!uitest::shown(&w, "Panel1"));
    QCOMPARE(birth::screen(w), seen);
}

QTEST_MAIN(InputTest)
#include "test_input.moc"
