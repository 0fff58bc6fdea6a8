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
#include <cmath>
#include <variant>

#include "birth/moment.h"
#include "engine/geography.h"
#include "moon/moonreading.h"

namespace zeitrad::ui {

using birth::localAsUtcMSecs;
using birth::ZoneMoment;
using birth::zoneMoments;

namespace {

const QString utcId = QStringLiteral("UTC");
const QString lmtId = QStringLiteral("LMT");

// "UTC+2", "UTC−5", "UTC+0:53:28": the offset as a reader of a birth certificate knows it.
QString offsetText(int seconds) {
    const QChar sign = seconds < 0 ? QChar(0x2212) : QChar('+');
    const int s = std::abs(seconds);
    QString text = QStringLiteral("UTC") + sign + QString::number(s / 3600);
    if (s % 3600 != 0) {
        text += QStringLiteral(":%1").arg(s % 3600 / 60, 2, 10, QChar('0'));
        if (s % 60 != 0)
            text += QStringLiteral(":%1").arg(s % 60, 2, 10, QChar('0'));
    }
    return text;
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

MoonDialog::Moment MoonDialog::moment() const {
    Moment m;
    const int index = zone_->findText(zone_->currentText(), Qt::MatchFixedString);
    const bool lmt = index >= 0 && zone_->itemData(index).toString() == lmtId;
    if (index < 0) {
        m.problem = "Die Zeitzone „" + zone_->currentText() + "“ ist nicht bekannt.";
        return m;
    }
    const qint64 local = localAsUtcMSecs(date_->date(), time_->time());
    const QString id = zone_->itemData(index).toString();
    if (id == utcId) {
        m.utcMSecs = static_cast<double>(local);
        return m;
    }
    if (lmt) {
        const auto parsed = parseGeoLongitude(longitude_->text().toStdString());
        if (const auto* message = std::get_if<std::string>(&parsed)) {
            m.problem = QString::fromStdString(*message);
            return m;
        }
        const double offset = localMeanTimeOffsetSeconds(std::get<GeoLongitude>(parsed));
        m.utcMSecs = static_cast<double>(local) - offset * 1000.0;
        return m;
    }
    const QTimeZone zone(id.toLatin1());
    m.choices = zoneMoments(date_->date(), time_->time(), zone);
    if (m.choices.isEmpty()) {
        m.problem = time_->time().toString("HH:mm:ss") + " gab es am " +
                    date_->date().toString("dd.MM.yyyy") + " in der Zeitzone " + id +
                    " nicht: die Uhren wurden über diese Zeit vorgestellt.";
        return m;
    }
    m.utcMSecs = static_cast<double>(m.choices.first().utcMSecs);
    if (m.choices.size() == 1)
        m.choices.clear();
    return m;
}

void MoonDialog::updateResult() {
    // The longitude counts only for local mean time.
    const int index = zone_->findText(zone_->currentText(), Qt::MatchFixedString);
    longitude_->setEnabled(index >= 0 && zone_->itemData(index).toString() == lmtId);
    const Moment m = moment();
    if (!m.utcMSecs) {
        result_->setText(m.problem);
        return;
    }
    QString text;
    if (!m.choices.isEmpty())
        text += "Diese Uhrzeit gab es in dieser Zeitzone zweimal; hier die frühere.\n";
    const auto reading = readMoon(*m.utcMSecs, date_->date().year());
    if (const auto* problem = std::get_if<QString>(&reading)) {
        result_->setText(text + *problem);
        return;
    }
    text += std::get<MoonReading>(reading).text;
    result_->setText(text);
}

void MoonDialog::apply() {
    Moment m = moment();
    if (!m.utcMSecs) {
        QMessageBox::warning(this, windowTitle(), m.problem);
        return;
    }
    if (!m.choices.isEmpty()) {
        // The clocks showed this time twice: which of the two moments is the birth?
        QMessageBox ask(QMessageBox::Question, windowTitle(),
                        "Die Uhrzeit " + time_->time().toString("HH:mm:ss") +
                            " gab es an diesem Tag zweimal, weil die Uhren zurückgestellt wurden. "
                            "Welche ist gemeint?",
                        QMessageBox::NoButton, this);
        QList<QAbstractButton*> options;
        for (const ZoneMoment& choice : m.choices) {
            const QString kind = choice.daylightTime ? "Sommerzeit" : "Normalzeit";
            options.append(ask.addButton(time_->time().toString("HH:mm") + " " + kind + " (" +
                                             offsetText(choice.offsetSeconds) + ")",
                                         QMessageBox::AcceptRole));
        }
        ask.addButton("Abbrechen", QMessageBox::RejectRole);
        ask.exec();
        const qsizetype chosen = options.indexOf(ask.clickedButton());
        if (chosen < 0)
            return;
        m.utcMSecs = static_cast<double>(m.choices[chosen].utcMSecs);
    }
    const auto reading = readMoon(*m.utcMSecs, date_->date().year());
    if (const auto* problem = std::get_if<QString>(&reading)) {
        QMessageBox::warning(this, windowTitle(), *problem);
        return;
    }
    MoonFields fields = std::get<MoonReading>(reading).fields;
    fields.day = date_->date().day();
    fields.month = date_->date().month();
    fields.year = date_->date().year();
    emit applied(fields);
    accept();
}

} // namespace zeitrad::ui
