// "Mondposition aus Geburtszeit": the Moon's position computed from the birth's date, time and
// time zone (or local mean time at the birth place), for the input screen's fields.
#pragma once

#include <QDate>
#include <QDialog>
#include <QList>
#include <QTimeZone>

#include <optional>

#include "birth/moment.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;

namespace zeitrad::ui {

// What "Übernehmen" writes into the input screen: the birth's local civil date and the Moon's
// tropical position rounded to whole arc-seconds.
struct MoonFields {
    int day = 0, month = 0, year = 0;
    int sign = 0; // 1 (Widder) .. 12 (Fische)
    int degrees = 0, minutes = 0, seconds = 0;
    friend bool operator==(const MoonFields&, const MoonFields&) = default;
};

class MoonDialog : public QDialog {
    Q_OBJECT
public:
    explicit MoonDialog(QWidget* parent);

    // The date the dialog shows when it opens; today's when none is given.
    void presetDate(std::optional<QDate> date);

signals:
    void applied(const zeitrad::ui::MoonFields& fields);

private:
    // The moment the fields stand for, and why not when they stand for none.
    struct Moment {
        std::optional<double> utcMSecs;   // fractional for local mean time
        QList<birth::ZoneMoment> choices; // a zone's clocks showed the time twice
        QString problem;                  // the German reason when there is no moment
    };
    Moment moment() const;
    void updateResult();
    void apply();

    QDateEdit* date_ = nullptr;
    QTimeEdit* time_ = nullptr;
    QComboBox* zone_ = nullptr;
    QLineEdit* longitude_ = nullptr;
    QLabel* result_ = nullptr;
    QPushButton* apply_ = nullptr;
};

} // namespace zeitrad::ui
