// What a screen reader finds: a walk through Qt's accessibility tree of the real window, after a
// calculation, reads every visible label's text, each overview cell as one sentence, the links as
// links, and names for the input screen's fields.
#include <QAccessible>
#include <QHash>
#include <QtTest>

#include "birth.h"
#include "uitest.h"

namespace {

// The accessible name and role of every object the walk reaches from the window, skipping what
// is invisible (hidden, or on a hidden screen).
struct Reading {
    QString name;
    QAccessible::Role role;
};
void walk(QAccessibleInterface* node, QHash<const QObject*, Reading>& found) {
    if (!node || node->state().invisible)
        return;
    found.insert(node->object(), {node->text(QAccessible::Name), node->role()});
    for (int i = 0; i < node->childCount(); ++i)
        walk(node->child(i), found);
}

QHash<const QObject*, Reading> readWindow(QWidget& window) {
    QHash<const QObject*, Reading> found;
    walk(QAccessible::queryAccessibleInterface(&window), found);
    return found;
}

QString withoutTrailingBlanks(QString text) {
    while (!text.isEmpty() && text.back() == u' ')
        text.chop(1);
    return text;
}

QString ageText(const zeitrad::AgeTriple& age) {
    return QString("%1 Jahre %2 M %3 T").arg(age.years).arg(age.months).arg(age.days);
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void walkReadsEveryVisibleLabelAndCell_data();
    void walkReadsEveryVisibleLabelAndCell();
    void linksReadAsLinks();
    void inputFieldsSayWhatTheyHold();
};

void AccessibilityTest::walkReadsEveryVisibleLabelAndCell_data() {
    QTest::addColumn<birth::Entry>("entry");
    QTest::newRow("default input") << birth::Entry{};
    QTest::newRow("Sukra in Bharani") << birth::position(20, 0, 0, 1);
    QTest::newRow("Guru, tropical, 1961") << [] {
        birth::Entry e = birth::position(14, 30, 0, 9, true);
        e.day = "3", e.month = "4", e.year = "1961";
        return e;
    }();
}

void AccessibilityTest::walkReadsEveryVisibleLabelAndCell() {
    QFETCH(birth::Entry, entry);
    uitest::Window ui;
    QWidget& w = ui.window;
    // A first calculation, then the one under test, so that names follow changed texts.
    birth::calculate(w, birth::position(1, 2, 3, 5));
    birth::calculate(w, entry);
    const auto outcome = zeitrad::Engine().calculate(entry.input());
    const auto& result = std::get<zeitrad::Result>(outcome);

    const QHash<const QObject*, Reading> found = readWindow(w);
    int visible = 0;
    for (const auto* label : w.findChildren<zeitrad::widgets::Label*>()) {
        if (!label->isVisibleTo(&w))
            continue;
        ++visible;
        QVERIFY2(found.contains(label), qPrintable(label->objectName() + " not reached"));
        QCOMPARE(found[label].name, withoutTrailingBlanks(label->text()));
    }
    // The grid's 243 lines less those of row 1 past the birth mahadasa, and the furniture.
    QVERIFY(visible > 200);

    // Each cell the overview shows reads as planet and age; the birth cell gives the date.
    for (int k = 1; k <= 81; ++k) {
        const zeitrad::Cell& cell = result.cells[k];
        const QString planet = withoutTrailingBlanks(birth::planetName(cell.lord));
        QString expected;
        if (k == 1)
            expected = planet + ", Geburt " + QString::fromStdString(result.birthDateText());
        else if (cell.shown)
            expected = planet + ", " + ageText(cell.age);
        const auto* frame = birth::frame(w, k);
        QVERIFY(found.contains(frame));
        QCOMPARE(found[frame].name, expected);
    }
}

void AccessibilityTest::linksReadAsLinks() {
    uitest::Window ui(false);
    QWidget& w = ui.window;
    QSet<QString> linkNames;
    for (const zeitrad::widgets::Label* label : ui.window.links().keys())
        linkNames.insert(label->objectName());
    QCOMPARE(linkNames.size(), 10);
    for (auto* label : w.findChildren<zeitrad::widgets::Label*>()) {
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(label);
        QVERIFY(node);
        const bool link = linkNames.contains(label->objectName());
        QCOMPARE(node->role(), link ? QAccessible::Link : QAccessible::StaticText);
        if (link)
            QVERIFY(!node->text(QAccessible::Name).isEmpty());
    }
}

void AccessibilityTest::inputFieldsSayWhatTheyHold() {
    uitest::Window ui;
    QWidget& w = ui.window;
    uitest::click(&w, "Button13");
    const QHash<const QObject*, Reading> found = readWindow(w);
    QSet<QString> names;
    QStringList controls = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "CheckBox1"};
    for (int sign = 1; sign <= 12; ++sign)
        controls << QString("RadioButton%1").arg(sign);
    for (const QString& name : controls) {
        const auto* control = uitest::find<QWidget>(&w, qPrintable(name));
        QVERIFY2(found.contains(control), qPrintable(name));
        const QString read = found[control].name;
        QVERIFY2(!read.isEmpty(), qPrintable(name));
        names.insert(read);
    }
    QCOMPARE(names.size(), controls.size()); // no two alike
    QCOMPARE(found[uitest::find<QWidget>(&w, "Edit4")].name, QString("Geburtstag"));
    QCOMPARE(found[uitest::find<QWidget>(&w, "RadioButton5")].name, QString("Mond in Löwe"));
}

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
