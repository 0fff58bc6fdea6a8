#include "registerwindow/registerwindow.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QVBoxLayout>

#include "birth/moment.h"
#include "engine/yearlengths.h"
#include "formats/aafplaces.h"
#include "formats/import.h"
#include "pluginloader/pluginloader.h"
#include "registerwindow/birthmodel.h"
#include "registerwindow/eventswindow.h"
#include "widgets/dialogs.h"

namespace zeitrad::registerwindow {

using birth::Birth;

namespace {

QPushButton* button(const char* name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QString message(const Refusal& r) {
    return QString::fromStdString(r.message);
}

template <typename T> T* named(T* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

// The fields of one birth, for editing; false when cancelled. A field left as it was keeps the
// stored value; a new place (or country) takes the atlas's coordinates, or none: *remark then
// says why, when the atlas could not be asked.
bool editBirth(Birth& b, QWidget* parent, QString* remark) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("BirthEditDialog"));
    dialog.setWindowTitle(QStringLiteral("Geburt bearbeiten"));
    auto* form = new QFormLayout;
    auto* surname = named(new QLineEdit(b.surname), "BirthEditSurname");
    auto* firstName = named(new QLineEdit(b.firstName), "BirthEditFirstName");
    auto* kind = named(new QComboBox, "BirthEditKind");
    for (const Birth::Kind k : birth::allKinds)
        kind->addItem(birth::kindLabel(k), QVariant::fromValue(int(k)));
    kind->setCurrentIndex(kind->findData(int(b.kind)));
    auto* date = named(new QDateEdit, "BirthEditDate");
    date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    date->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    date->setDate(b.date);
    const QDate shownDate = date->date();
    const QString shownTime = birth::timeText(b.time, true);
    auto* time = named(new QLineEdit(shownTime), "BirthEditTime");
    time->setPlaceholderText(QStringLiteral("unbekannt"));
    auto* place = named(new QLineEdit(b.place), "BirthEditPlace");
    auto* country = named(new QLineEdit(b.country), "BirthEditCountry");
    auto* zone = named(new QLineEdit(b.clocks ? b.clocks->text() : QString()), "BirthEditZone");
    auto* ayanamsa = named(new QComboBox, "BirthEditAyanamsa");
    for (const astronomy::Ayanamsa a : astronomy::allAyanamsas)
        ayanamsa->addItem(birth::ayanamsaName(a), birth::ayanamsaKey(a));
    ayanamsa->setCurrentIndex(ayanamsa->findData(birth::ayanamsaKey(b.ayanamsa)));
    auto* note = named(new QPlainTextEdit(b.note), "BirthEditNote");
    form->addRow(QStringLiteral("Nachname"), surname);
    form->addRow(QStringLiteral("Vorname"), firstName);
    form->addRow(QStringLiteral("Art"), kind);
    form->addRow(QStringLiteral("Datum"), date);
    form->addRow(QStringLiteral("Uhrzeit"), time);
    form->addRow(QStringLiteral("Ort"), place);
    form->addRow(QStringLiteral("Land"), country);
    form->addRow(QStringLiteral("Zeitzone"), zone);
    form->addRow(QStringLiteral("Ayanamsa"), ayanamsa);
    form->addRow(QStringLiteral("Notiz"), note);
    auto readTime = [&] { return birth::timeOfText(time->text()); };
    QDialogButtonBox* buttons = widgets::okAndCancel(&dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        auto refuse = [&](const QString& why) { widgets::MessageBox::warn(&dialog, why); };
        if (!time->text().trimmed().isEmpty() && !readTime().isValid())
            return refuse(QStringLiteral("Die Uhrzeit „%1“ gibt es nicht (erwartet: HH:MM oder "
                                         "HH:MM:SS; leer, wenn unbekannt).")
                              .arg(time->text()));
        const auto clocks = birth::Clocks::fromText(zone->text());
        if (clocks && !clocks->known())
            return refuse(message(birth::unknownZone(zone->text().trimmed())) +
                          QStringLiteral(" Erwartet: eine Zeitzone wie „Europe/Berlin“, "
                                         "„UTC+01:00“ oder „LMT“ (mittlere Ortszeit)."));
        dialog.accept();
    });
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    b.surname = surname->text().trimmed();
    b.firstName = firstName->text().trimmed();
    b.kind = Birth::Kind(kind->currentData().toInt());
    if (date->date() != shownDate)
        b.date = date->date();
    if (time->text().trimmed().isEmpty())
        b.time.reset();
    else if (time->text().trimmed() != shownTime)
        b.time = readTime();
    const QString newPlace = place->text().trimmed(), newCountry = country->text().trimmed();
    if (newPlace != b.place.trimmed() || newCountry != b.country.trimmed()) {
        b.latitude.reset();
        b.longitude.reset();
        const Refused<birth::Atlas*> atlas =
            newPlace.isEmpty() ? Refused<birth::Atlas*>(nullptr)
                               : pluginloader::plugin<birth::Atlas>(QStringLiteral("atlas"));
        if (const auto* refusal = std::get_if<Refusal>(&atlas))
            *remark = QStringLiteral("Gespeichert, doch ohne Koordinaten für „%1“: %2")
                          .arg(newPlace, message(*refusal));
        else if (birth::Atlas* places = std::get<birth::Atlas*>(atlas))
            if (const auto found = places->exact(newPlace, formats::isoCountry(newCountry))) {
                b.latitude = found->latitude;
                b.longitude = found->longitude;
            }
    }
    b.place = newPlace;
    b.country = newCountry;
    b.clocks = birth::Clocks::fromText(zone->text());
    b.ayanamsa = birth::ayanamsaOfKey(ayanamsa->currentData().toString());
    b.note = note->toPlainText();
    return true;
}

} // namespace

RegisterWindow::RegisterWindow(birth::Register* reg, QWidget* parent)
    : QWidget(parent, Qt::Window), register_(reg), model_(new BirthModel(this)),
      search_(new QLineEdit(this)), table_(new QTableView(this)) {
    setObjectName(QStringLiteral("BirthRegister"));
    setWindowTitle(QStringLiteral("Geburten"));
    search_->setObjectName(QStringLiteral("BirthSearch"));
    search_->setPlaceholderText(QStringLiteral("Name oder Ort suchen"));
    search_->setClearButtonEnabled(true);
    table_->setObjectName(QStringLiteral("BirthTable"));
    table_->setModel(model_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(0, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setColumnWidth(0, 200);
    table_->setColumnWidth(1, 130);

    auto* open = button("BirthOpen", QStringLiteral("Öffnen"), this);
    auto* edit = button("BirthEdit", QStringLiteral("Bearbeiten …"), this);
    auto* remove = button("BirthDelete", QStringLiteral("Löschen"), this);
    auto* events = button("BirthEvents", QStringLiteral("Ereignisse …"), this);
    auto* import = button("BirthImport", QStringLiteral("Importieren …"), this);
    auto* exportButton = button("BirthExport", QStringLiteral("AAF exportieren …"), this);
    open->setDefault(true);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {open, edit, remove, events})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(import);
    buttons->addWidget(exportButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(search_);
    layout->addWidget(table_);
    layout->addLayout(buttons);
    if (register_ && register_->readOnly()) {
        auto* note = new QLabel(register_->readOnlyReason(), this);
        note->setObjectName(QStringLiteral("BirthReadOnly"));
        note->setWordWrap(true);
        layout->addWidget(note);
        for (QPushButton* b : {edit, remove, import})
            b->setEnabled(false);
    }
    resize(560, 420);

    connect(search_, &QLineEdit::textChanged, model_, &BirthModel::setFilter);
    connect(table_, &QTableView::doubleClicked, this, &RegisterWindow::openSelected);
    connect(open, &QPushButton::clicked, this, &RegisterWindow::openSelected);
    connect(edit, &QPushButton::clicked, this, &RegisterWindow::editSelected);
    connect(remove, &QPushButton::clicked, this, &RegisterWindow::deleteSelected);
    connect(events, &QPushButton::clicked, this, &RegisterWindow::showEvents);
    connect(import, &QPushButton::clicked, this, &RegisterWindow::chooseImport);
    connect(exportButton, &QPushButton::clicked, this, &RegisterWindow::chooseExport);
    reload();
}

void RegisterWindow::reload() {
    const auto births = register_->list();
    if (const auto* r = std::get_if<Refusal>(&births)) {
        model_->setBirths({});
        complain(message(*r));
        return;
    }
    model_->setBirths(std::get<QList<Birth>>(births));
}

void RegisterWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openSelected();
        return;
    }
    QWidget::keyPressEvent(event);
}

QList<Birth> RegisterWindow::selectedBirths() const {
    QList<Birth> births;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        births.append(model_->birthAt(index.row()));
    return births;
}

void RegisterWindow::complain(const QString& text) {
    widgets::MessageBox::warn(this, text);
}

void RegisterWindow::openSelected() {
    QList<Birth> births = selectedBirths();
    // With one birth left by the search, Return opens it.
    if (births.isEmpty() && model_->rowCount() == 1)
        births.append(model_->birthAt(0));
    if (!births.isEmpty())
        emit openRequested(births.first());
}

void RegisterWindow::editSelected() {
    const QList<Birth> births = selectedBirths();
    if (births.isEmpty())
        return;
    Birth b = births.first();
    QString remark;
    if (!editBirth(b, this, &remark))
        return;
    const auto done = register_->update(b);
    if (const auto* r = std::get_if<Refusal>(&done))
        complain(message(*r));
    else if (!remark.isEmpty())
        complain(remark);
    reload();
}

void RegisterWindow::deleteSelected() {
    const QList<Birth> births = selectedBirths();
    if (births.isEmpty())
        return;
    QString question =
        births.size() == 1
            ? QStringLiteral("Die Geburt „%1“ aus dem Register löschen?").arg(births.first().name())
            : QStringLiteral("Diese %1 Geburten aus dem Register löschen?").arg(births.size());
    // Their events go with them: the question says so.
    qsizetype events = 0;
    for (const Birth& b : births)
        if (const auto kept = register_->events(b.id);
            std::holds_alternative<QList<birth::Event>>(kept))
            events += std::get<QList<birth::Event>>(kept).size();
    if (events > 0)
        question += events == 1 ? QStringLiteral(" Ein Ereignis geht mit.")
                                : QStringLiteral(" %1 Ereignisse gehen mit.").arg(events);
    if (widgets::MessageBox::ask(this, QStringLiteral("Zeitrad"), question,
                                 {QStringLiteral("Löschen")},
                                 QStringLiteral("BirthDeleteQuestion")) != 0)
        return;
    QList<qint64> ids;
    for (const Birth& b : births)
        ids.append(b.id);
    const auto done = register_->remove(ids);
    if (const auto* r = std::get_if<Refusal>(&done))
        complain(message(*r));
    reload();
}

void RegisterWindow::showEvents() {
    const QList<Birth> births = selectedBirths();
    if (births.isEmpty())
        return;
    // The periods as the period list counts them: its year length.
    const auto length = yearLengthFromToken(
        QSettings().value(QStringLiteral("Perioden/Jahreslaenge")).toString().toStdString());
    auto* window =
        new EventsWindow(register_, births.first(), length.value_or(YearLength::gregorian), this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &EventsWindow::eventsChanged, this, &RegisterWindow::eventsChanged);
    window->show();
}

Refused<QString> RegisterWindow::importFile(const QString& fileName) {
    // A long import shows its progress from about half a second on and can be cancelled.
    widgets::ProgressDialog progress(this, QStringLiteral("Geburten importieren"),
                                     QStringLiteral("Geburten werden aufgenommen …"));
    const auto imported = formats::importFile(
        *register_, fileName,
        [] { return pluginloader::plugin<birth::Atlas>(QStringLiteral("atlas")); },
        [&progress](qsizetype done, qsizetype total) { return progress.step(done, total); });
    if (const auto* r = std::get_if<Refusal>(&imported))
        return *r;
    reload();
    return formats::importReportText(std::get<formats::Imported>(imported));
}

Refused<QString> RegisterWindow::importFiles(const QStringList& fileNames) {
    if (fileNames.size() == 1)
        return importFile(fileNames.front());
    widgets::ProgressDialog progress(this, QStringLiteral("Geburten importieren"),
                                     QStringLiteral("Geburten werden aufgenommen …"));
    const auto imported = formats::importFiles(
        *register_, fileNames,
        [] { return pluginloader::plugin<birth::Atlas>(QStringLiteral("atlas")); },
        [&progress](qsizetype done, qsizetype total) { return progress.step(done, total); });
    if (const auto* r = std::get_if<Refusal>(&imported))
        return *r;
    reload();
    QList<formats::FileImported> files = std::get<QList<formats::FileImported>>(imported);
    for (formats::FileImported& file : files)
        file.path = QFileInfo(file.path).fileName();
    return formats::importReportText(files);
}

Refused<birth::Done> RegisterWindow::exportFile(const QString& fileName,
                                                formats::AafEncoding encoding) {
    QList<Birth> births = selectedBirths();
    if (births.isEmpty()) {
        const auto all = register_->list();
        if (const auto* r = std::get_if<Refusal>(&all))
            return *r;
        births = std::get<QList<Birth>>(all);
    }
    return formats::saveAaf(fileName, births, encoding);
}

void RegisterWindow::chooseImport() {
    const QStringList fileNames = widgets::FileDialog::openSeveral(
        this, QStringLiteral("Geburten importieren"),
        QStringLiteral(
            "AAF- und Maitreya-Dateien (*.aaf *.AAF *.txt *.mtx *.MTX);;Alle Dateien (*)"));
    if (fileNames.isEmpty())
        return;
    const Refused<QString> report = importFiles(fileNames);
    if (const auto* r = std::get_if<Refusal>(&report))
        return complain(message(*r));
    widgets::MessageBox::tell(this, widgets::MessageBox::Kind::Information,
                              std::get<QString>(report), QStringLiteral("Zeitrad"),
                              QStringLiteral("BirthImportReport"));
}

void RegisterWindow::chooseExport() {
    const QString utf8 = QStringLiteral("AAF (UTF-8) (*.aaf)");
    const QString windows = QStringLiteral("AAF für ältere Programme (Windows-1252) (*.aaf)");
    QString filter = utf8;
    QString fileName = widgets::FileDialog::save(this, QStringLiteral("AAF exportieren"),
                                                 QStringLiteral("geburten.aaf"),
                                                 utf8 + QStringLiteral(";;") + windows, &filter);
    if (fileName.isEmpty())
        return;
    if (!fileName.contains(u'.'))
        fileName += QStringLiteral(".aaf");
    const auto saved = exportFile(fileName, filter == windows ? formats::AafEncoding::Windows1252
                                                              : formats::AafEncoding::Utf8);
    if (const auto* r = std::get_if<Refusal>(&saved))
        complain(message(*r));
}

} // namespace zeitrad::registerwindow
