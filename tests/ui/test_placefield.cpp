// The birth place field in a dialog of its own, with the real atlas plugin: typed names list the
// towns, Return takes the first without closing the dialog, a click takes the one clicked.
#include <QAbstractItemView>
#include <QCompleter>
#include <QDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "mooncalculator/placefield.h"

using zeitrad::birth::Place;
using zeitrad::mooncalculator::PlaceField;

namespace {

struct Dialog {
    QDialog dialog;
    PlaceField* field = new PlaceField(&dialog);
    QPushButton* apply = new QPushButton("Übernehmen", &dialog);
    Dialog() {
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(field);
        layout->addWidget(apply);
        apply->setDefault(true);
        QObject::connect(apply, &QPushButton::clicked, &dialog, &QDialog::accept);
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog))
            qFatal("dialog not exposed");
        field->setFocus();
    }
    // Types as a user does (at least two characters in all) and waits for the list of the last
    // keystroke; the lists of the earlier ones are dropped.
    void type(const QString& text) {
        QSignalSpy shown(field, &PlaceField::matchesShown);
        for (const QChar c : text) {
            if (c.unicode() < 0x80) // QTest's own table knows ASCII only
                QTest::keyClick(field, char(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key(c.toUpper().unicode()), QString(c),
                                    Qt::NoModifier);
        }
        shown.clear();
        QVERIFY(QTest::qWaitFor([&] { return !shown.isEmpty(); }, 10000));
    }
    QAbstractItemView* popup() const { return field->findChild<QCompleter*>()->popup(); }
};

} // namespace

class PlaceFieldTest : public QObject {
    Q_OBJECT
private slots:
    // The list opens from the second character, most populous first; Return takes the first
    // town, once, and neither closes the dialog nor presses its default button.
    void listFromTwoCharactersReturnTakesTheFirst() {
        Dialog d;
        QSignalSpy took(d.field, &PlaceField::placeTaken);
        QSignalSpy applied(d.apply, &QPushButton::clicked);
        QTest::keyClicks(d.field, "M");
        QTest::qWait(100);
        QVERIFY(!d.popup()->isVisible());
        d.type("ü");
        QVERIFY(d.popup()->isVisible());
        QCOMPARE(d.popup()->model()->rowCount(), 10);
        QStringList listed;
        for (int row = 0; row < 3; ++row)
            listed << d.popup()->model()->index(row, 0).data().toString();
        QCOMPARE(listed, QStringList({"München, Bayern, Deutschland",
                                      "Münster, Nordrhein-Westfalen, Deutschland",
                                      "Mülheim (Ruhr), Nordrhein-Westfalen, Deutschland"}));
        QTest::keyClick(d.popup(), Qt::Key_Return);
        QCOMPARE(d.field->text(), "München, Bayern, Deutschland");
        QCOMPARE(took.size(), 1);
        QCOMPARE(took.first().first().value<Place>().zoneId, "Europe/Berlin");
        QVERIFY(!d.popup()->isVisible());
        QTest::keyClick(d.field, Qt::Key_Return); // again on the taken place
        QCOMPARE(took.size(), 1);
        QVERIFY(applied.isEmpty());
        QVERIFY(d.dialog.isVisible());
    }

    void clickTakesTheClickedOne() {
        Dialog d;
        d.type("Frankfurt");
        QCOMPARE(d.popup()->model()->rowCount(), 2);
        QAbstractItemView* list = d.popup();
        const QRect second = list->visualRect(list->model()->index(1, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(d.field->text(), "Frankfurt (Oder), Brandenburg, Deutschland");
        QCOMPARE(d.field->place()->longitude, 14.55062);
    }

    // "Übernehmen" asks the field: a typed name that names a town exactly is taken, a taken place
    // altered by typing is no longer the place, an empty field asks for no place.
    void typedTextNamesAPlaceOrNot_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("unknown");
        QTest::addColumn<QString>("shown");
        QTest::newRow("exact") << "Ravensburg" << false
                               << "Ravensburg, Baden-Württemberg, Deutschland";
        QTest::newRow("with country") << "Wien, Österreich" << false << "Wien, Österreich";
        QTest::newRow("a prefix only") << "Ravensb" << true << "Ravensb";
        QTest::newRow("empty") << "" << false << "";
    }
    void typedTextNamesAPlaceOrNot() {
        QFETCH(QString, typed);
        QFETCH(bool, unknown);
        QFETCH(QString, shown);
        Dialog d;
        d.field->setText(typed);
        QCOMPARE(d.field->unknownPlace().has_value(), unknown);
        QCOMPARE(d.field->text(), shown);
    }
};

QTEST_MAIN(PlaceFieldTest)
#include "test_placefield.moc"
