#include "moon/moondialog.h"

#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <variant>

#include "birth/moment.h"
#include "birth/moonreading.h"
#include "engine/geography.h"

namespace zeitrad::ui {

namespace {

const QString& utcId = birth::utcZoneId;
const QString& lmtId = birth::localMeanTimeId;

QString german(const Refusal& refusal) {
    return QString::fromStdString(refusal.message);
}

} // namespace

MoonDialog::MoonDialog(QWidget* parent) : QDialog(parent) {
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
    QPushButton* cancel = buttons->addButton("Abbrechen", QDialogButtonBox::RejectRole);
    cancel->setObjectName("MoonCancel");
    connect(apply_, &QPushButton::clicked, this, &MoonDialog::apply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow("Geburtsdatum:", date_);
    form->addRow("Geburtszeit:", time_);
    form->addRow("Zeitzone:", zone_);
    form->addRow("Geographische Länge:", longitude_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(result_);
    layout->addWidget(buttons);

    connect(date_, &QDateEdit::dateChanged, this, &MoonDialog::updateResult);
    connect(time_, &QTimeEdit::timeChanged, this, &MoonDialog::updateResult);
    connect(zone_, &QComboBox::currentTextChanged, this, &MoonDialog::updateResult);
    connect(longitude_, &QLineEdit::textChanged, this, &MoonDialog::updateResult);
    updateResult();
}

void MoonDialog::presetDate(std::optional<QDate> date) {
    date_->setDate(date && date->isValid() ? *date : QDate::currentDate());
    updateResult();
}

Refused<birth::BirthMoments> MoonDialog::moments() const {
    const int index = zone_->findText(zone_->currentText(), Qt::MatchFixedString);
    if (index < 0)
        return birth::unknownZone(zone_->currentText());
    birth::LocalBirth local{date_->date(), time_->time(), zone_->itemData(index).toString(), {}};
    if (local.zoneId == lmtId) {
        const auto parsed = parseGeoLongitude(longitude_->text().toStdString());
        if (const auto* refusal = std::get_if<Refusal>(&parsed))
            return *refusal;
        local.longitudeDegrees = std::get<GeoLongitude>(parsed).degrees;
    }
    return birth::birthMoments(local);
}

void MoonDialog::updateResult() {
    // The longitude counts only for local mean time.
    const int index = zone_->findText(zone_->currentText(), Qt::MatchFixedString);
    longitude_->setEnabled(index >= 0 && zone_->itemData(index).toString() == lmtId);
    const auto found = moments();
    if (const auto* refusal = std::get_if<Refusal>(&found)) {
        result_->setText(german(*refusal));
        return;
    }
    const birth::BirthMoments& m = std::get<birth::BirthMoments>(found);
    QString text;
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

} // namespace zeitrad::ui
