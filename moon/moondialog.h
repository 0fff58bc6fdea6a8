// "Mondposition aus Geburtszeit": the Moon's position computed from the birth's date, time and
// time zone (or local mean time at the birth place), for the input screen's fields. The birth
// place, taken from the atlas, sets the zone and the longitude; before the zone's standard time
// the place's own mean time counts. Place, zone and longitude are remembered for the next opening.
#pragma once

#include <QDate>
#include <QDialog>

#include <optional>

#include "birth/moment.h"
#include "engine/calculation.h"
#include "engine/refusal.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;
namespace zeitrad::birth {
struct Place;
}

namespace zeitrad::ui {

class PlaceField;

class MoonDialog : public QDialog {
    Q_OBJECT
public:
    explicit MoonDialog(QWidget* parent);

    // The date the dialog shows when it opens; today's when none is given.
    void presetDate(std::optional<QDate> date);

signals:
    // "Übernehmen": the birth's local civil date and the Moon's tropical position rounded to whole
    // arc-seconds, as the input screen's fields take them.
    void applied(const zeitrad::BirthInput& input);

private:
    // The moment the fields stand for, or why they stand for none.
    Refused<birth::BirthMoments> moments() const;
    void updateResult();
    void apply();
    // A place taken from the atlas: its zone and longitude into their fields.
    void takePlace(const birth::Place& place);
    void remember() const;
    void recall();

    PlaceField* place_ = nullptr;
    QLabel* coordinates_ = nullptr;
    QDateEdit* date_ = nullptr;
    QTimeEdit* time_ = nullptr;
    QComboBox* zone_ = nullptr;
    QLineEdit* longitude_ = nullptr;
    QLabel* result_ = nullptr;
    QPushButton* apply_ = nullptr;
};

} // namespace zeitrad::ui
