// Helpers for the tests of the input screen and the overview: typing a birth into the real input
// screen, pressing the calculate button, and reading back what the overview shows.
#pragma once

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include "engine/calculation.h"
#include "engine/tables.h"
#include "screens/overviewgeometry.h"
#include "uitest.h"

namespace birth {

// What the user types: the six fields, the sign (0 for none) and the tropical option.
struct Entry {
    QString day, month, year;
    QString degrees, minutes, seconds;
    int sign = 0;
    bool tropical = false;

    zeitrad::BirthInput input() const {
        return {day.toStdString(),
                month.toStdString(),
                year.toStdString(),
                degrees.toStdString(),
                minutes.toStdString(),
                seconds.toStdString(),
                sign,
                tropical};
    }
};

} // namespace birth

Q_DECLARE_METATYPE(birth::Entry)

namespace birth {

inline Entry position(int degrees, int minutes, int seconds, int sign = 0, bool tropical = false) {
    Entry e;
    e.degrees = QString::number(degrees);
    e.minutes = QString::number(minutes);
    e.seconds = QString::number(seconds);
    e.sign = sign;
    e.tropical = tropical;
    return e;
}

inline QLineEdit* edit(QWidget& w, int n) {
    return uitest::find<QLineEdit>(&w, qPrintable(QString("Edit%1").arg(n)));
}

// Replaces a field's text the way a user does: select all, then type.
inline void type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    if (!text.isEmpty())
        QTest::keyClicks(field, text);
}

// Opens the input screen with "Berechnungsangaben" and fills it in. A sign of 0 leaves the sign
// buttons as they are (a user cannot clear them).
inline void enter(QWidget& w, const Entry& e) {
    uitest::click(&w, "Button13");
    type(edit(w, 4), e.day);
    type(edit(w, 5), e.month);
    type(edit(w, 6), e.year);
    type(edit(w, 1), e.degrees);
    type(edit(w, 2), e.minutes);
    type(edit(w, 3), e.seconds);
    if (e.sign > 0) {
        // On the round indicator, which every sign button has at its left.
        auto* sign =
            uitest::find<QRadioButton>(&w, qPrintable(QString("RadioButton%1").arg(e.sign)));
        QTest::mouseClick(sign, Qt::LeftButton, {}, QPoint(6, 8));
    }
    auto* tropical = uitest::find<QCheckBox>(&w, "CheckBox1");
    if (tropical->isChecked() != e.tropical)
        QTest::mouseClick(tropical, Qt::LeftButton, {}, QPoint(6, 8));
}

// Types the birth and presses "Vimsottari Dasa Übesicht berechnen".
inline void calculate(QWidget& w, const Entry& e) {
    enter(w, e);
    uitest::click(&w, "Button12");
}

namespace ov = zeitrad::screens::overview;

inline zeitrad::widgets::Shape* shape(const QWidget& w, int number) {
    return uitest::find<zeitrad::widgets::Shape>(&w, qPrintable(QString("Shape%1").arg(number)));
}
// The three lines of cell k (1..81), its outer frame and its inner field.
inline zeitrad::widgets::Label* line(const QWidget& w, int k, int n) {
    return uitest::find<zeitrad::widgets::Label>(
        &w, qPrintable(QString("Label%1").arg(ov::lineNumber(k, n))));
}
inline zeitrad::widgets::Shape* frame(const QWidget& w, int k) {
    return shape(w, k);
}
inline zeitrad::widgets::Shape* innerField(const QWidget& w, int k) {
    return shape(w, ov::innerFieldNumber(ov::rowOf(k), ov::columnOf(k)));
}
// The bars, top and bottom, of rows 1..9.
inline zeitrad::widgets::Shape* topBar(const QWidget& w, int row) {
    return shape(w, ov::rowNames[row - 1].topBar);
}
inline zeitrad::widgets::Shape* bottomBar(const QWidget& w, int row) {
    return shape(w, ov::rowNames[row - 1].bottomBar);
}

// Probe points in the window, where the controls are at the time of the call.
// In the coloured band of cell k's outer frame, clear of the row bars and the text.
inline QPoint framePoint(const QWidget& w, int k) {
    const auto* f = frame(w, k);
    return f->mapTo(&w, QPoint(3, f->height() / 2));
}
// Low in the middle of cell k's inner field.
inline QPoint innerPoint(const QWidget& w, int k) {
    const auto* f = innerField(w, k);
    return f->mapTo(&w, QPoint(f->width() / 2, f->height() - 5));
}
// Inside the top and bottom bar of a row, left of the title bar and the frames.
inline QPoint topBarPoint(const QWidget& w, int row) {
    return topBar(w, row)->mapTo(&w, QPoint(1, 3));
}
inline QPoint bottomBarPoint(const QWidget& w, int row) {
    return bottomBar(w, row)->mapTo(&w, QPoint(1, 2));
}

inline QRgb rgb(zeitrad::Rgb c) {
    return uitest::rgb(c.r, c.g, c.b);
}
inline QRgb rgb(const QColor& c) {
    return c.rgb() & 0xFFFFFFu;
}
inline QRgb planetRgb(int planet) {
    return rgb(zeitrad::planetColor[planet]);
}
inline QString planetName(int planet) {
    const std::string_view name = zeitrad::planetName[planet];
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// The exclusive group of the twelve sign buttons.
inline QButtonGroup* signGroup(QWidget& w) {
    return uitest::find<QWidget>(&w, "Panel8")->findChild<QButtonGroup*>();
}

inline QImage screen(QWidget& w) {
    return w.grab().toImage();
}
inline QRgb at(const QImage& image, QPoint p) {
    return image.pixel(p) & 0xFFFFFFu;
}

// Everything a calculation may change, as the controls hold it, plus what the input screen holds.
struct Snapshot {
    QStringList texts;
    QList<bool> lineVisible;
    QList<QRgb> colours; // the 81 frames, then the 18 bars
    QString nakshatra, sampleDate, hint;
    QList<bool> panels, legend;
    QStringList fields;
    int sign = 0;
    bool tropical = false;

    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

inline Snapshot snapshot(QWidget& w) {
    Snapshot s;
    for (int n = 1; n <= 243; ++n) {
        auto* label =
            uitest::find<zeitrad::widgets::Label>(&w, qPrintable(QString("Label%1").arg(n)));
        s.texts << label->text();
        s.lineVisible << label->isVisibleTo(&w);
    }
    for (int k = 1; k <= 81; ++k)
        s.colours << rgb(frame(w, k)->brushColor());
    for (int row = 1; row <= 9; ++row)
        s.colours << rgb(topBar(w, row)->brushColor()) << rgb(bottomBar(w, row)->brushColor());
    s.nakshatra = uitest::find<zeitrad::widgets::Label>(&w, "Label261")->text();
    s.sampleDate = uitest::find<zeitrad::widgets::Label>(&w, "Label419")->text();
    s.hint = uitest::find<QWidget>(&w, "Shape84")->toolTip();
    for (const char* panel : {"Panel1", "Panel2", "Panel3", "Panel5", "Panel7", "Panel8", "Panel9",
                              "Panel13", "Panel14", "Panel16"})
        s.panels << uitest::find<QWidget>(&w, panel)->isVisibleTo(&w);
    for (const char* legend : {"Label247", "Label263", "Label264", "Label265", "Label266",
                               "Label267", "Label268", "Label269", "Label270"})
        s.legend << uitest::find<QWidget>(&w, legend)->isVisibleTo(&w);
    for (int n = 1; n <= 6; ++n)
        s.fields << edit(w, n)->text();
    s.sign = signGroup(w)->checkedId();
    s.tropical = uitest::find<QCheckBox>(&w, "CheckBox1")->isChecked();
    return s;
}

} // namespace birth
