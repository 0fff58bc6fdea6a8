// "Mondposition aus Geburtszeit": the Moon's position computed from the birth's date, time and
// time zone (or local mean time at the birth place), for the input screen's fields. The birth
// place, taken from the atlas, sets the zone and the longitude; before the zone's standard time
// the place's own mean time counts. The choice "Ayanamsa" says how the Moon becomes sidereal.
// Place, zone, longitude and ayanamsa are remembered for the next opening.
// With a name the fields become a birth in the register; a birth time not known is taken as 12:00
// local time, and the result tells the Moon's range over that day.
#pragma once

#include <QDate>
#include <QDialog>

#include <functional>
#include <optional>

#include "birth/birth.h"
#include "birth/moment.h"
#include "birth/road.h"
#include "engine/calculation.h"
#include "engine/refusal.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;
namespace zeitrad::birth {
struct Place;
class Register;
} // namespace zeitrad::birth

namespace zeitrad::mooncalculator {

class PlaceField;

class MoonDialog : public QDialog {
    Q_OBJECT
public:
    // The register of births that "In Geburten speichern" writes to, opened when first needed:
    // the window's own, or why it cannot be opened.
    using RegisterOpener = std::function<Refused<birth::Register*>()>;

    MoonDialog(QWidget* parent, RegisterOpener openRegister);

    // The date the dialog shows when it opens; today's when none is given.
    void presetDate(std::optional<QDate> date);
    // A birth opened from the register: its name, date, time, place and clocks into the fields;
    // "In Geburten speichern" then changes that birth instead of adding a new one.
    void setOpenedBirth(const birth::Birth& birth);

    // The choice "Ayanamsa": Zeitrad's own (the tropical position, the input screen's formula)
    // or one of the library's (the sidereal position).
    astronomy::Ayanamsa ayanamsa() const;
    void setAyanamsa(astronomy::Ayanamsa ayanamsa);

signals:
    // "Übernehmen": the birth's local civil date and the Moon's position rounded to whole
    // arc-seconds, as the input screen's fields take them: tropical, "tropisch" ticked, under
    // Zeitrad's own ayanamsa; sidereal, unticked, under any other.
    void applied(const zeitrad::BirthInput& input);
    // The same Moon with where it came from (its moment and ayanamsa), emitted after applied().
    void appliedMoon(const zeitrad::birth::BirthMoon& moon);
    // "In Geburten speichern": the birth as the register now keeps it.
    void saved(const zeitrad::birth::Birth& birth);

private:
    // The clocks the zone field names: the chosen entry's id, else the text as typed, such as a
    // fixed offset ("UTC+01:00") that the list does not hold; the birth library judges it.
    QString zoneId() const;
    // The birth the fields stand for, or why they stand for none.
    Refused<birth::Birth> typedBirth() const;
    void updateResult();
    // A message box over the dialog, with its title.
    void warn(const QString& text);
    void apply();
    void save();
    // A place taken from the atlas: its zone and longitude into their fields.
    void takePlace(const birth::Place& place);
    void remember() const;
    void recall();

    PlaceField* place_ = nullptr;
    QLabel* coordinates_ = nullptr;
    QDateEdit* date_ = nullptr;
    QLineEdit* name_ = nullptr;
    QTimeEdit* time_ = nullptr;
    QCheckBox* timeUnknown_ = nullptr;
    QComboBox* zone_ = nullptr;
    QLineEdit* longitude_ = nullptr;
    QComboBox* ayanamsa_ = nullptr;
    QLabel* result_ = nullptr;
    QPushButton* apply_ = nullptr;
    QPushButton* save_ = nullptr;
    std::optional<birth::Birth> opened_;
    // The place field as the opened birth left it: while it reads so, saving keeps that birth's
    // place, country and coordinates, shown or not.
    QString openedPlaceText_;
    RegisterOpener openRegister_;
};

} // namespace zeitrad::mooncalculator
