#include "registerwindow/eventswindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "birth/road.h"
#include "formats/events.h"
#include "formats/privatefile.h"
#include "widgets/dialogs.h"

namespace zeitrad::registerwindow {

using birth::Event;

namespace {

QString message(const Refusal& r) {
    return QString::fromStdString(r.message);
}

template <typename T> T* named(T* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

CivilDate civil(const QDate& d) {
    return {d.year(), d.month(), d.day()};
}

} // namespace

EventsWindow::EventsWindow(birth::Register* reg, const birth::Birth& birth, YearLength yearLength,
                           QWidget* parent)
    : QWidget(parent, Qt::Window), register_(reg), birth_(birth), yearLength_(yearLength),
      table_(named(new QTableWidget(0, 4, this), "EventTable")),
      level_(named(new QComboBox(this), "EventLevel")),
      depth_(named(new QComboBox(this), "EventExportDepth")),
      window_(named(new QLabel(this), "EventWindowText")) {
    setObjectName(QStringLiteral("BirthEventsWindow"));
    setWindowTitle(QStringLiteral("Ereignisse – %1").arg(birth.name()));
    table_->setHorizontalHeaderLabels({QStringLiteral("Datum"), QStringLiteral("Zeit"),
                                       QStringLiteral("Ereignis"), QStringLiteral("Perioden")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setColumnWidth(0, 90);
    table_->setColumnWidth(1, 50);
    table_->setColumnWidth(2, 200);
    window_->setWordWrap(true);
    window_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    level_->addItem(QStringLiteral("bis Antardasa"), 2);
    level_->addItem(QStringLiteral("bis Pratyantardasa"), 3);
    level_->setCurrentIndex(1);
    static const char* const depths[] = {"1 – Mahadasa", "2 – Antardasa", "3 – Pratyantardasa",
                                         "4 – Sukshmadasa", "5 – Pranadasa"};
    for (int d = 1; d <= deepestLevel; ++d)
        depth_->addItem(QString::fromUtf8(depths[d - 1]), d);
    depth_->setCurrentIndex(2);
    depth_->setToolTip(QStringLiteral("Bis zu welcher Ebene die CSV-Datei die Perioden nennt"));
    level_->setToolTip(QStringLiteral("Bis zu welcher Ebene die Ereignisse in denselben Perioden "
                                      "bleiben sollen"));

    auto* add = named(new QPushButton(QStringLiteral("Hinzufügen …"), this), "EventAdd");
    auto* edit = named(new QPushButton(QStringLiteral("Ändern …"), this), "EventEdit");
    auto* remove = named(new QPushButton(QStringLiteral("Löschen"), this), "EventDelete");
    auto* csv = named(new QPushButton(QStringLiteral("CSV …"), this), "EventExport");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {add, edit, remove})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* levelLabel = new QLabel(QStringLiteral("&Spielraum:"), this);
    levelLabel->setBuddy(level_);
    buttons->addWidget(levelLabel);
    buttons->addWidget(level_);
    auto* depthLabel = new QLabel(QStringLiteral("&Tiefe:"), this);
    depthLabel->setBuddy(depth_);
    buttons->addWidget(depthLabel);
    buttons->addWidget(depth_);
    buttons->addWidget(csv);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(window_);
    layout->addLayout(buttons);
    if (register_->readOnly())
        for (QPushButton* b : {add, edit, remove})
            b->setEnabled(false);
    resize(640, 420);

    // The periods of the birth as it stands: by its road, as "Öffnen" reckons it.
    const Refused<birth::BirthMoon> moon = birth::moonOf(birth_);
    if (const auto* r = std::get_if<Refusal>(&moon)) {
        noPeriods_ = message(*r);
    } else {
        Engine engine;
        const Outcome outcome = engine.calculate(std::get<birth::BirthMoon>(moon).reading.fields);
        if (const auto* r = std::get_if<Refusal>(&outcome))
            noPeriods_ = message(*r);
        else
            periods_ = buildPeriods(std::get<Result>(outcome), yearLength_, 3);
    }

    connect(add, &QPushButton::clicked, this, &EventsWindow::addEvent);
    connect(edit, &QPushButton::clicked, this, &EventsWindow::editSelected);
    connect(table_, &QTableWidget::cellDoubleClicked, this, &EventsWindow::editSelected);
    connect(remove, &QPushButton::clicked, this, &EventsWindow::deleteSelected);
    connect(csv, &QPushButton::clicked, this, &EventsWindow::chooseExport);
    connect(level_, &QComboBox::currentIndexChanged, this, &EventsWindow::showWindow);
    reload();
}

void EventsWindow::reload() {
    const auto read = register_->events(birth_.id);
    if (const auto* r = std::get_if<Refusal>(&read)) {
        events_.clear();
        widgets::MessageBox::warn(this, *r);
    } else {
        events_ = std::get<QList<Event>>(read);
    }
    table_->setRowCount(int(events_.size()));
    for (int row = 0; row < int(events_.size()); ++row) {
        const Event& e = events_[row];
        const QString periods =
            periods_ ? birth::chainText(birth::lordsOn(*periods_, civil(e.date), 3)) : QString();
        const QString texts[] = {e.date.toString(QStringLiteral("dd.MM.yyyy")),
                                 birth::timeText(e.time, true), e.text, periods};
        for (int column = 0; column < 4; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            if (e.important) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            if (column == 2)
                item->setToolTip(
                    QStringLiteral("%1 (%2)").arg(e.text, birth::weightText(e.important)));
            table_->setItem(row, column, item);
        }
    }
    showWindow();
}

void EventsWindow::showWindow() {
    if (!periods_) {
        window_->setText(noPeriods_);
        return;
    }
    if (events_.isEmpty()) {
        window_->setText(QStringLiteral("Noch keine Ereignisse: mit ihnen zeigt das Fenster, wie "
                                        "weit sich die Geburtszeit verschieben lässt."));
        return;
    }
    const Refused<birth::BirthTimeWindow> found =
        birth::birthTimeWindow(birth_, events_, yearLength_, level_->currentData().toInt());
    if (const auto* r = std::get_if<Refusal>(&found)) {
        window_->setText(message(*r));
        return;
    }
    const birth::BirthTimeWindow& w = std::get<birth::BirthTimeWindow>(found);
    window_->setText((QStringList{birth::windowText(w)} + birth::limitLines(w)).join(u'\n'));
}

std::optional<int> EventsWindow::selectedRow() const {
    const auto rows = table_->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first().row();
}

bool EventsWindow::editEvent(Event& e, const QString& title) {
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("EventEditDialog"));
    dialog.setWindowTitle(title);
    auto* date = named(new QDateEdit, "EventEditDate");
    date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    date->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    date->setDate(e.date.isValid() ? e.date : QDate::currentDate());
    auto* time = named(new QLineEdit(birth::timeText(e.time, true)), "EventEditTime");
    time->setPlaceholderText(QStringLiteral("ohne Uhrzeit"));
    auto* text = named(new QLineEdit(e.text), "EventEditText");
    auto* important =
        named(new QCheckBox(QStringLiteral("wichtig (in Liste und Zeitleiste kräftiger)")),
              "EventEditImportant");
    important->setChecked(e.important);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Datum"), date);
    form->addRow(QStringLiteral("Uhrzeit"), time);
    form->addRow(QStringLiteral("Ereignis"), text);
    form->addRow(QString(), important);
    auto readTime = [&] { return birth::timeOfText(time->text()); };
    QDialogButtonBox* buttons = widgets::okAndCancel(&dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        auto refuse = [&](const QString& why) { widgets::MessageBox::warn(&dialog, why); };
        if (!time->text().trimmed().isEmpty() && !readTime().isValid())
            return refuse(QStringLiteral("Die Uhrzeit „%1“ gibt es nicht (erwartet: HH:MM; leer "
                                         "ohne Uhrzeit).")
                              .arg(time->text()));
        if (text->text().trimmed().isEmpty())
            return refuse(QStringLiteral("Das Ereignis braucht einen Text."));
        Event typed = e;
        typed.date = date->date();
        typed.text = text->text().trimmed();
        if (periods_)
            if (const auto refusal = birth::checkEvent(*periods_, typed))
                return refuse(message(*refusal));
        dialog.accept();
    });
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    e.date = date->date();
    e.time = time->text().trimmed().isEmpty() ? std::nullopt : std::optional<QTime>(readTime());
    e.text = text->text().trimmed();
    e.important = important->isChecked();
    return true;
}

void EventsWindow::addEvent() {
    Event e;
    e.birthId = birth_.id;
    if (!editEvent(e, QStringLiteral("Ereignis hinzufügen")))
        return;
    const auto added = register_->addEvent(e);
    reload();
    if (const auto* r = std::get_if<Refusal>(&added))
        widgets::MessageBox::warn(this, *r);
    else
        emit eventsChanged(birth_.id);
}

void EventsWindow::editSelected() {
    const std::optional<int> row = selectedRow();
    if (!row)
        return;
    Event e = events_[*row];
    if (!editEvent(e, QStringLiteral("Ereignis ändern")))
        return;
    const auto done = register_->updateEvent(e);
    reload();
    if (const auto* r = std::get_if<Refusal>(&done))
        widgets::MessageBox::warn(this, *r);
    else
        emit eventsChanged(birth_.id);
}

void EventsWindow::deleteSelected() {
    const std::optional<int> row = selectedRow();
    if (!row)
        return;
    const Event& e = events_[*row];
    if (widgets::MessageBox::ask(this, QStringLiteral("Zeitrad"),
                                 QStringLiteral("Das Ereignis „%1“ vom %2 löschen?")
                                     .arg(e.text, e.date.toString(QStringLiteral("dd.MM.yyyy"))),
                                 {QStringLiteral("Löschen")},
                                 QStringLiteral("EventDeleteQuestion")) != 0)
        return;
    const auto done = register_->removeEvents({e.id});
    reload();
    if (const auto* r = std::get_if<Refusal>(&done))
        widgets::MessageBox::warn(this, *r);
    else
        emit eventsChanged(birth_.id);
}

Refused<birth::Done> EventsWindow::exportCsv(const QString& fileName, int depth) const {
    if (!periods_)
        return Refusal{noPeriods_.toStdString()};
    // The lords below the pratyantardasas are made by the list as they are asked for.
    const std::string csv = formats::eventsCsv(events_, *periods_, depth);
    return formats::savePrivately(fileName, QByteArray::fromStdString(csv));
}

void EventsWindow::chooseExport() {
    QString fileName =
        widgets::FileDialog::save(this, QStringLiteral("Ereignisse als CSV speichern"),
                                  QStringLiteral("ereignisse-%1.csv")
                                      .arg(birth_.name().replace(u',', QString()).simplified()),
                                  QStringLiteral("CSV (*.csv)"));
    if (fileName.isEmpty())
        return;
    if (!fileName.contains(u'.'))
        fileName += QStringLiteral(".csv");
    const auto saved = exportCsv(fileName, depth_->currentData().toInt());
    if (const auto* r = std::get_if<Refusal>(&saved))
        widgets::MessageBox::warn(this, *r);
}

} // namespace zeitrad::registerwindow
