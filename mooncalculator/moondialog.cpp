#include "mooncalculator/moondialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <variant>

#include "birth/atlas.h"
#include "birth/birthmoon.h"
#include "birth/moment.h"
#include "birth/moonreading.h"
#include "birth/register.h"
#include "engine/geography.h"
#include "formats/privatefile.h"
#include "mooncalculator/placefield.h"

namespace zeitrad::mooncalculator {

namespace {

const QString& utcId = birth::utcZoneId;
const QString& lmtId = birth::localMeanTimeId;

QString german(const Refusal& refusal) {
    return QString::fromStdString(refusal.message);
}

// Where the settings keep the birth place, the zone and the longitude between openings.
const QString placeKey = QStringLiteral("MoonDialog/place");
const QString zoneKey = QStringLiteral("MoonDialog/zone");
const QString longitudeKey = QStringLiteral("MoonDialog/longitude");

// A place's longitude as the longitude field takes it, fine enough for its mean time to the second.
QString longitudeField(double degrees) {
    return QString::number(degrees, 'f', 4);
}

// The name field as the register keeps it: "Nachname, Vorname", split at the first comma; a single
// word is the surname.
void splitName(const QString& text, birth::Birth& birth) {
    const qsizetype comma = text.indexOf(u',');
    birth.surname = (comma < 0 ? text : text.left(comma)).simplified();
    birth.firstName = comma < 0 ? QString() : text.mid(comma + 1).simplified();
}

QString nameField(const birth::Birth& birth) {
    if (birth.firstName.isEmpty())
        return birth.surname;
    return birth.surname + ", " + birth.firstName;
}

} // namespace

MoonDialog::MoonDialog(QWidget* parent, RegisterOpener openRegister)
    : QDialog(parent), openRegister_(std::move(openRegister)) {
    setObjectName("MoonDialog");
    setWindowTitle("Mondposition aus Geburtszeit");

    date_ = new QDateEdit(this);
    date_->setObjectName("MoonDate");
    date_->setDisplayFormat("dd.MM.yyyy");
    // Wider than the supported years, so that a date outside them gets its message.
    date_->setDateRange(QDate(1600, 1, 1), QDate(2399, 12, 31));
    date_->setDate(QDate::currentDate());

    time_ = new QTimeEdit(QTime(12, 0), this);
    time_->setObjectName("MoonTime");
    time_->setDisplayFormat("HH:mm:ss");
    timeUnknown_ = new QCheckBox("Geburtszeit unbekannt", this);
    timeUnknown_->setObjectName("MoonTimeUnknown");

    name_ = new QLineEdit(this);
    name_->setObjectName("MoonName");
    name_->setPlaceholderText("Nachname, Vorname");

    place_ = new PlaceField(this);
    coordinates_ = coordinatesLabel(this);

    zone_ = new QComboBox(this);
    zone_->setObjectName("MoonZone");
    zone_->setEditable(true);
    zone_->setInsertPolicy(QComboBox::NoInsert);
    zone_->addItem(utcId, utcId);
    zone_->addItem("Mittlere Ortszeit (LMT) am Geburtsort", lmtId);
    QList<QByteArray> ids = QTimeZone::availableTimeZoneIds();
    std::sort(ids.begin(), ids.end());
    for (const QByteArray& id : ids)
        if (id != "UTC")
            zone_->addItem(QString::fromLatin1(id), QString::fromLatin1(id));
    auto* completer = new QCompleter(zone_->model(), zone_);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    zone_->setCompleter(completer);
    const int system = zone_->findData(QString::fromLatin1(QTimeZone::systemTimeZoneId()));
    zone_->setCurrentIndex(system >= 0 ? system : 0);

    longitude_ = new QLineEdit(this);
    longitude_->setObjectName("MoonLongitude");
    longitude_->setPlaceholderText("z. B. 13.4, 13°24' O, 73 59 W");

    result_ = new QLabel(this);
    result_->setObjectName("MoonResult");
    result_->setTextFormat(Qt::PlainText);
    result_->setWordWrap(true);
    result_->setMinimumSize(420, 110);
    result_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    result_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(this);
    apply_ = buttons->addButton("Übernehmen", QDialogButtonBox::AcceptRole);
    apply_->setObjectName("MoonApply");
    apply_->setDefault(true);
    save_ = buttons->addButton("In Geburten speichern", QDialogButtonBox::ActionRole);
    save_->setObjectName("MoonSave");
    connect(save_, &QPushButton::clicked, this, &MoonDialog::save);
    QPushButton* cancel = buttons->addButton("Abbrechen", QDialogButtonBox::RejectRole);
    cancel->setObjectName("MoonCancel");
    connect(apply_, &QPushButton::clicked, this, &MoonDialog::apply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(time_, 1);
    timeRow->addWidget(timeUnknown_);
    auto* form = new QFormLayout;
    form->addRow("Name:", name_);
    form->addRow("Geburtsdatum:", date_);
    form->addRow("Geburtszeit:", timeRow);
    form->addRow("Geburtsort:", place_);
    form->addRow(QString(), coordinates_);
    form->addRow("Zeitzone:", zone_);
    form->addRow("Geographische Länge:", longitude_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(result_);
    layout->addWidget(buttons);

    connect(date_, &QDateEdit::dateChanged, this, &MoonDialog::updateResult);
    connect(time_, &QTimeEdit::timeChanged, this, &MoonDialog::updateResult);
    connect(timeUnknown_, &QCheckBox::toggled, this, [this](bool unknown) {
        time_->setEnabled(!unknown);
        updateResult();
    });
    connect(zone_, &QComboBox::currentTextChanged, this, &MoonDialog::updateResult);
    connect(longitude_, &QLineEdit::textChanged, this, &MoonDialog::updateResult);
    connect(place_, &QLineEdit::textChanged, this, &MoonDialog::updateResult);
    connect(place_, &PlaceField::placeTaken, this, &MoonDialog::takePlace);
    connect(place_, &PlaceField::refused, this,
            [this](const QString& message) { QMessageBox::warning(this, windowTitle(), message); });
    connect(this, &QDialog::finished, this, &MoonDialog::remember);
    recall();
    updateResult();
}

void MoonDialog::presetDate(std::optional<QDate> date) {
    date_->setDate(date && date->isValid() ? *date : QDate::currentDate());
    updateResult();
}

QString MoonDialog::zoneId() const {
    const int index = zone_->findText(zone_->currentText(), Qt::MatchFixedString);
    return index >= 0 ? zone_->itemData(index).toString() : zone_->currentText().trimmed();
}

Refused<birth::BirthMoments> MoonDialog::moments() const {
    // A birth time not known counts as noon, local time.
    const QTime time = timeUnknown_->isChecked() ? QTime(12, 0) : time_->time();
    birth::LocalBirth local{date_->date(), time, zoneId(), {}};
    // A typed place counts once it is taken from the atlas; an empty field leaves the zone alone.
    const std::optional<birth::Place> place = place_->place();
    if (!place && !place_->text().trimmed().isEmpty())
        return Refusal{("Geburtsort „" + place_->text().trimmed() +
                        "“: bitte einen Ort aus der Liste wählen (die Eingabetaste nimmt den "
                        "ersten) oder das Feld leeren.")
                           .toStdString()};
    if (local.zoneId == lmtId || place) {
        const auto parsed = parseGeoLongitude(longitude_->text().toStdString());
        if (const auto* refusal = std::get_if<Refusal>(&parsed))
            return *refusal;
        local.longitudeDegrees = std::get<GeoLongitude>(parsed).degrees;
        if (place)
            local.placeName = place->name;
    }
    return birth::birthMoments(local);
}

void MoonDialog::updateResult() {
    // The longitude counts for local mean time, and with a birth place for the place's own.
    const QString zone = zoneId();
    const std::optional<birth::Place> place = place_->place();
    longitude_->setEnabled(place || zone == lmtId);
    coordinates_->setText(place ? place->coordinates() : QString());
    const auto found = moments();
    if (const auto* refusal = std::get_if<Refusal>(&found)) {
        result_->setText(german(*refusal));
        return;
    }
    const birth::BirthMoments& m = std::get<birth::BirthMoments>(found);
    QString text;
    if (timeUnknown_->isChecked()) {
        std::optional<double> longitude;
        if (zone == lmtId || place)
            longitude =
                std::get<GeoLongitude>(parseGeoLongitude(longitude_->text().toStdString())).degrees;
        const auto day = birth::unknownTimeText(date_->date(), zone, longitude);
        if (const auto* refusal = std::get_if<Refusal>(&day))
            text = german(*refusal) + "\n";
        else
            text = std::get<QString>(day) + "\nDer Mond hier für 12:00 Ortszeit.\n";
    }
    text += "Gerechnet nach: " + m.clock + "\n";
    if (!m.choices.isEmpty())
        text += "Diese Uhrzeit gab es in dieser Zeitzone zweimal; hier die frühere.\n";
    const auto reading = birth::readMoon(m.utcMSecs, date_->date());
    if (const auto* refusal = std::get_if<Refusal>(&reading)) {
        result_->setText(text + german(*refusal));
        return;
    }
    text += std::get<birth::MoonReading>(reading).text;
    result_->setText(text);
}

void MoonDialog::apply() {
    // A birth place typed but not known is never silently replaced by the zone's field.
    if (place_->namesUnknownPlace()) {
        QMessageBox::warning(this, windowTitle(), place_->unknownPlaceMessage());
        return;
    }
    const auto found = moments();
    if (const auto* refusal = std::get_if<Refusal>(&found)) {
        QMessageBox::warning(this, windowTitle(), german(*refusal));
        return;
    }
    const birth::BirthMoments& m = std::get<birth::BirthMoments>(found);
    double utcMSecs = m.utcMSecs;
    if (!m.choices.isEmpty()) {
        // The clocks showed this time twice: which of the two moments is the birth?
        QMessageBox ask(QMessageBox::Question, windowTitle(),
                        "Die Uhrzeit " + time_->time().toString("HH:mm:ss") +
                            " gab es an diesem Tag zweimal, weil die Uhren zurückgestellt wurden. "
                            "Welche ist gemeint?",
                        QMessageBox::NoButton, this);
        QList<QAbstractButton*> options;
        for (const birth::ZoneMoment& choice : m.choices)
            options.append(
                ask.addButton(birth::choiceText(time_->time(), choice), QMessageBox::AcceptRole));
        ask.addButton("Abbrechen", QMessageBox::RejectRole);
        ask.exec();
        const qsizetype chosen = options.indexOf(ask.clickedButton());
        if (chosen < 0)
            return;
        utcMSecs = static_cast<double>(m.choices[chosen].utcMSecs);
    }
    const auto reading = birth::readMoon(utcMSecs, date_->date());
    if (const auto* refusal = std::get_if<Refusal>(&reading)) {
        QMessageBox::warning(this, windowTitle(), german(*refusal));
        return;
    }
    emit applied(std::get<birth::MoonReading>(reading).fields);
    accept();
}

void MoonDialog::setOpenedBirth(const birth::Birth& birth) {
    opened_ = birth;
    name_->setText(nameField(birth));
    date_->setDate(birth.date);
    timeUnknown_->setChecked(!birth.time);
    if (birth.time)
        time_->setTime(*birth.time);
    if (birth.latitude && birth.longitude && !birth.place.isEmpty()) {
        birth::Place place;
        place.name = birth.place;
        place.countryCode = birth.country;
        place.latitude = *birth.latitude;
        place.longitude = *birth.longitude;
        place.zoneId = birth.zone;
        place_->setPlace(place);
    } else {
        // Without coordinates the atlas has not placed it: the field stays empty, and saving
        // keeps the place the birth has.
        place_->clear();
    }
    openedPlaceText_ = place_->text();
    if (!birth.zone.isEmpty()) {
        const int index = zone_->findData(birth.zone);
        if (index >= 0)
            zone_->setCurrentIndex(index);
        else
            zone_->setCurrentText(birth.zone);
    }
    longitude_->setText(birth.longitude ? longitudeField(*birth.longitude) : QString());
    updateResult();
}

void MoonDialog::save() {
    auto refuse = [this](const QString& why) { QMessageBox::warning(this, windowTitle(), why); };
    birth::Birth b = opened_.value_or(birth::Birth{});
    splitName(name_->text(), b);
    if (b.surname.isEmpty() && b.firstName.isEmpty())
        return refuse("Bitte einen Namen eingeben (Nachname, Vorname), unter dem die Geburt "
                      "gespeichert wird.");
    if (place_->namesUnknownPlace())
        return refuse(place_->unknownPlaceMessage());
    const auto found = moments();
    if (const auto* refusal = std::get_if<Refusal>(&found))
        return refuse(german(*refusal));
    b.date = date_->date();
    b.time = timeUnknown_->isChecked() ? std::nullopt : std::optional<QTime>(time_->time());
    const QString zone = zoneId();
    b.zone = zone == lmtId ? birth::Birth::localMeanTime : zone;
    const std::optional<birth::Place> place = place_->place();
    // An opened birth keeps its place, country and coordinates unless the place field changed.
    if (!opened_ || place_->text() != openedPlaceText_) {
        b.place = place ? place->name : QString();
        b.country = place ? place->countryCode : QString();
        b.latitude = place ? std::optional<double>(place->latitude) : std::nullopt;
        b.longitude.reset();
    }
    // moments() has taken the longitude already wherever it counts.
    if (place || zone == lmtId)
        b.longitude =
            std::get<GeoLongitude>(parseGeoLongitude(longitude_->text().toStdString())).degrees;

    QString why;
    birth::Register* reg = openRegister_(&why);
    if (!reg)
        return refuse(why);
    if (b.id != 0) {
        const auto updated = reg->update(b);
        if (const auto* refusal = std::get_if<Refusal>(&updated))
            return refuse(german(*refusal));
    } else {
        // The register refuses the same birth twice.
        const auto added = reg->add(b);
        if (const auto* refusal = std::get_if<Refusal>(&added))
            return refuse(german(*refusal));
        b.id = std::get<qint64>(added);
    }
    updateResult();
    result_->setText("Gespeichert: " + b.name() + "\n" + result_->text());
    emit saved(b);
}

void MoonDialog::takePlace(const birth::Place& place) {
    const int index = zone_->findData(place.zoneId);
    if (index >= 0)
        zone_->setCurrentIndex(index);
    else
        zone_->setCurrentText(place.zoneId);
    longitude_->setText(longitudeField(place.longitude));
    updateResult();
}

void MoonDialog::remember() const {
    QSettings settings;
    if (const auto place = place_->place())
        settings.setValue(placeKey, place->toVariant());
    else
        settings.remove(placeKey);
    const int index = zone_->findText(zone_->currentText(), Qt::MatchFixedString);
    if (index >= 0)
        settings.setValue(zoneKey, zone_->itemData(index));
    settings.setValue(longitudeKey, longitude_->text());
    // The birth place is personal.
    const auto saved = formats::syncPrivately(settings);
    if (const auto* refusal = std::get_if<Refusal>(&saved))
        QMessageBox::warning(parentWidget(), windowTitle(), german(*refusal));
}

void MoonDialog::recall() {
    const QSettings settings;
    const int index = zone_->findData(settings.value(zoneKey).toString());
    if (index >= 0)
        zone_->setCurrentIndex(index);
    longitude_->setText(settings.value(longitudeKey).toString());
    if (const auto place = birth::Place::fromVariant(settings.value(placeKey).toMap()))
        place_->setPlace(*place);
}

} // namespace zeitrad::mooncalculator
