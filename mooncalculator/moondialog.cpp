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
#include <QPushButton>
#include <QSettings>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <variant>

#include "birth/atlas.h"
#include "birth/register.h"
#include "birth/road.h"
#include "birth/unknowntime.h"
#include "engine/geography.h"
#include "formats/privatefile.h"
#include "mooncalculator/placefield.h"
#include "widgets/dialogs.h"

namespace zeitrad::mooncalculator {

namespace {

const QString utcId = birth::Clocks::utc().text();
const QString lmtId = birth::Clocks::meanTime().text();

QString german(const Refusal& refusal) {
    return QString::fromStdString(refusal.message);
}

// Where the settings keep the birth place, the zone and the longitude between openings.
const QString placeKey = QStringLiteral("MoonDialog/place");
const QString zoneKey = QStringLiteral("MoonDialog/zone");
const QString longitudeKey = QStringLiteral("MoonDialog/longitude");
const QString ayanamsaKey = QStringLiteral("MoonDialog/ayanamsa");

// A place's longitude as the longitude field takes it, fine enough for its mean time to the second.
QString longitudeField(double degrees) {
    return QString::number(degrees, 'f', 4);
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

    // Zeitrad's own first: the tropical position, and the input screen's formula. Any other: the
    // sidereal position under it.
    ayanamsa_ = new QComboBox(this);
    ayanamsa_->setObjectName("MoonAyanamsa");
    for (const astronomy::Ayanamsa a : astronomy::allAyanamsas)
        ayanamsa_->addItem(birth::ayanamsaName(a), birth::ayanamsaKey(a));

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
    form->addRow("Ayanamsa:", ayanamsa_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(result_);
    layout->addWidget(buttons);
    // The keyboard goes through the fields in the order they stand, from the name down.
    const QList<QWidget*> order{name_,  date_, time_,      timeUnknown_,
                                place_, zone_, longitude_, ayanamsa_};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(date_, &QDateEdit::dateChanged, this, &MoonDialog::updateResult);
    connect(time_, &QTimeEdit::timeChanged, this, &MoonDialog::updateResult);
    connect(timeUnknown_, &QCheckBox::toggled, this, [this](bool unknown) {
        time_->setEnabled(!unknown);
        updateResult();
    });
    connect(zone_, &QComboBox::currentTextChanged, this, &MoonDialog::updateResult);
    connect(longitude_, &QLineEdit::textChanged, this, &MoonDialog::updateResult);
    connect(ayanamsa_, &QComboBox::currentIndexChanged, this, &MoonDialog::updateResult);
    connect(place_, &QLineEdit::textChanged, this, &MoonDialog::updateResult);
    connect(place_, &PlaceField::placeTaken, this, &MoonDialog::takePlace);
    connect(place_, &PlaceField::refused, this, [this](const QString& message) { warn(message); });
    connect(this, &QDialog::finished, this, &MoonDialog::remember);
    recall();
    updateResult();
}

void MoonDialog::warn(const QString& text) {
    widgets::MessageBox::tell(this, widgets::MessageBox::Kind::Warning, text, windowTitle());
}

void MoonDialog::presetDate(std::optional<QDate> date) {
    date_->setDate(date && date->isValid() ? *date : QDate::currentDate());
    updateResult();
}

QString MoonDialog::zoneId() const {
    const int index = zone_->findText(zone_->currentText(), Qt::MatchFixedString);
    return index >= 0 ? zone_->itemData(index).toString() : zone_->currentText().trimmed();
}

Refused<birth::Birth> MoonDialog::typedBirth() const {
    birth::BirthFields fields;
    fields.name = name_->text();
    fields.date = date_->date();
    if (!timeUnknown_->isChecked())
        fields.time = time_->time();
    fields.place = place_->place();
    fields.placeText = place_->text();
    fields.keepPlace = opened_ && place_->text() == openedPlaceText_;
    fields.clocks = zoneId();
    fields.longitude = longitude_->text();
    fields.ayanamsa = ayanamsa();
    return birth::birthOf(fields, opened_);
}

void MoonDialog::updateResult() {
    // The longitude counts for local mean time, and with a birth place for the place's own.
    const std::optional<birth::Place> place = place_->place();
    longitude_->setEnabled(place || zoneId() == lmtId);
    coordinates_->setText(place ? place->coordinates() : QString());
    const auto b = typedBirth();
    if (const auto* refusal = std::get_if<Refusal>(&b))
        return result_->setText(german(*refusal));
    const auto found = birth::momentsOf(std::get<birth::Birth>(b));
    if (const auto* refusal = std::get_if<Refusal>(&found))
        return result_->setText(german(*refusal));
    const birth::BirthMoments& m = std::get<birth::BirthMoments>(found);
    QString text;
    if (timeUnknown_->isChecked()) {
        const birth::Birth& known = std::get<birth::Birth>(b);
        const auto day =
            birth::unknownTimeText(known.date, *known.clocks, known.longitude, known.ayanamsa);
        if (const auto* refusal = std::get_if<Refusal>(&day))
            text = german(*refusal) + "\n";
        else
            text = std::get<QString>(day) + "\nDer Mond hier für 12:00 Ortszeit.\n";
    }
    text += "Gerechnet nach: " + m.clock + "\n";
    if (!m.choices.isEmpty())
        text += "Diese Uhrzeit gab es in dieser Zeitzone zweimal; hier die frühere.\n";
    const auto moon = birth::moonAt(std::get<birth::Birth>(b), m);
    if (const auto* refusal = std::get_if<Refusal>(&moon))
        return result_->setText(text + german(*refusal));
    result_->setText(text + std::get<birth::BirthMoon>(moon).reading.text);
}

void MoonDialog::apply() {
    // A birth place typed but not known is never silently replaced by the zone's field.
    if (const auto refusal = place_->unknownPlace())
        return warn(german(*refusal));
    const auto b = typedBirth();
    if (const auto* refusal = std::get_if<Refusal>(&b))
        return warn(german(*refusal));
    const auto found = birth::momentsOf(std::get<birth::Birth>(b));
    if (const auto* refusal = std::get_if<Refusal>(&found))
        return warn(german(*refusal));
    const birth::BirthMoments& m = std::get<birth::BirthMoments>(found);
    const birth::ZoneMoment* chosen = nullptr;
    if (!m.choices.isEmpty()) {
        // The clocks showed this time twice: which of the two moments is the birth?
        QStringList options;
        for (const birth::ZoneMoment& choice : m.choices)
            options << birth::choiceText(time_->time(), choice);
        const int index = widgets::MessageBox::ask(
            this, windowTitle(),
            "Die Uhrzeit " + time_->time().toString("HH:mm:ss") +
                " gab es an diesem Tag zweimal, weil die Uhren zurückgestellt wurden. Welche ist "
                "gemeint?",
            options);
        if (index < 0)
            return;
        chosen = &m.choices[index];
    }
    const auto moon = birth::moonAt(std::get<birth::Birth>(b), m, chosen);
    if (const auto* refusal = std::get_if<Refusal>(&moon))
        return warn(german(*refusal));
    emit applied(std::get<birth::BirthMoon>(moon).reading.fields);
    emit appliedMoon(std::get<birth::BirthMoon>(moon));
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
        place.zoneId = birth.clocks ? birth.clocks->text() : QString();
        place_->setPlace(place);
    } else {
        // Without coordinates the atlas has not placed it: the field stays empty, and saving
        // keeps the place the birth has.
        place_->clear();
    }
    openedPlaceText_ = place_->text();
    if (birth.clocks) {
        const int index = zone_->findData(birth.clocks->text());
        if (index >= 0)
            zone_->setCurrentIndex(index);
        else
            zone_->setCurrentText(birth.clocks->text());
    }
    longitude_->setText(birth.longitude ? longitudeField(*birth.longitude) : QString());
    setAyanamsa(birth.ayanamsa);
    updateResult();
}

astronomy::Ayanamsa MoonDialog::ayanamsa() const {
    return birth::ayanamsaOfKey(ayanamsa_->currentData().toString());
}

void MoonDialog::setAyanamsa(astronomy::Ayanamsa ayanamsa) {
    ayanamsa_->setCurrentIndex(std::max(0, ayanamsa_->findData(birth::ayanamsaKey(ayanamsa))));
}

void MoonDialog::save() {
    const auto refuse = [this](const QString& why) { warn(why); };
    if (const auto refusal = place_->unknownPlace())
        return refuse(german(*refusal));
    auto made = typedBirth();
    if (const auto* refusal = std::get_if<Refusal>(&made))
        return refuse(german(*refusal));
    birth::Birth& b = std::get<birth::Birth>(made);
    if (b.surname.isEmpty() && b.firstName.isEmpty())
        return refuse("Bitte einen Namen eingeben (Nachname, Vorname), unter dem die Geburt "
                      "gespeichert wird.");
    const auto found = birth::momentsOf(b);
    if (const auto* refusal = std::get_if<Refusal>(&found))
        return refuse(german(*refusal));

    const Refused<birth::Register*> opened = openRegister_();
    if (const auto* refusal = std::get_if<Refusal>(&opened))
        return refuse(german(*refusal));
    birth::Register* reg = std::get<birth::Register*>(opened);
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
    settings.setValue(ayanamsaKey, birth::ayanamsaKey(ayanamsa()));
    // The birth place is personal.
    const auto saved = formats::syncPrivately(settings);
    if (const auto* refusal = std::get_if<Refusal>(&saved))
        widgets::MessageBox::tell(parentWidget(), widgets::MessageBox::Kind::Warning,
                                  german(*refusal), windowTitle());
}

void MoonDialog::recall() {
    const QSettings settings;
    const int index = zone_->findData(settings.value(zoneKey).toString());
    if (index >= 0)
        zone_->setCurrentIndex(index);
    longitude_->setText(settings.value(longitudeKey).toString());
    setAyanamsa(birth::ayanamsaOfKey(settings.value(ayanamsaKey).toString()));
    if (const auto place = birth::Place::fromVariant(settings.value(placeKey).toMap()))
        place_->setPlace(*place);
}

} // namespace zeitrad::mooncalculator
