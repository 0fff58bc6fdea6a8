#include "periodlist/periodwindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

#include "birth/road.h"
#include "engine/differences.h"
#include "engine/yearlengths.h"
#include "formats/csv.h"
#include "periodlist/periodmodel.h"
#include "periodlist/periodtimeline.h"
#include "widgets/dialogs.h"

namespace zeitrad::periodlist {

using widgets::FileDialog;
using widgets::MessageBox;
using widgets::speakGerman;

namespace {

const QString yearLengthKey = QStringLiteral("Perioden/Jahreslaenge"); // "365.2425", "360", ...
const QString exportDepthKey = QStringLiteral("Perioden/Exporttiefe");
const QString timelineInPdfKey = QStringLiteral("Perioden/ZeitleisteImPdf");
// Before the choice of five lengths: true for 360 days, else the Gregorian year.
const QString days360Key = QStringLiteral("Perioden/JahrGleich360Tage");
constexpr int defaultExportDepth = 3;

// The export depths as the choice offers them, from 1.
constexpr const char* depthLabels[deepestLevel] = {
    "1 – Mahadasas", "2 – Antardasas", "3 – Pratyantardasas", "4 – Sukshmadasas", "5 – Pranadasas"};

// What the PDF shows of the timeline, in the order of rememberedTimelineInPdf().
constexpr const char* timelineInPdfLabels[] = {
    "Zeitleiste: ganzes Leben", "Zeitleiste: sichtbarer Ausschnitt", "ohne Zeitleiste"};

// The positions from the top of a row: its place in the tree order.
std::vector<int> pathOf(QModelIndex index) {
    std::vector<int> path;
    for (; index.isValid(); index = index.parent())
        path.insert(path.begin(), index.row());
    return path;
}

} // namespace

PeriodWindow::PeriodWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("PeriodList");
    setWindowTitle(QStringLiteral("Vimsottari Dasa – Perioden"));
    // Room for the timeline's bands beside a tree that still shows some twenty rows, on a screen
    // of 1024 x 768 with the desktop's panel and the window's frame.
    resize(960, 680);

    header_ = new QLabel(this);
    header_->setObjectName("PeriodHeader");
    header_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    noDates_ = new QLabel(this);
    noDates_->setObjectName("PeriodNoDates");
    noDates_->setWordWrap(true);
    noDates_->setStyleSheet("color: #a00000");

    model_ = new PeriodModel(this);
    tree_ = new QTreeView(this);
    tree_->setObjectName("PeriodTree");
    tree_->setModel(model_);
    tree_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tree_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree_->setUniformRowHeights(true);
    tree_->setAlternatingRowColors(true);
    tree_->header()->setStretchLastSection(false);
    // The names take what the ages and dates leave; those are as wide as their widest bold text,
    // set once: measuring every row again whenever a row opens costs more than making its rows.
    tree_->header()->setSectionResizeMode(QHeaderView::Interactive);
    tree_->header()->setSectionResizeMode(PeriodModel::name, QHeaderView::Stretch);
    QFont bold = tree_->font();
    bold.setBold(true);
    const QFontMetrics rows(bold), titles(tree_->header()->font());
    const int margins = 4 * tree_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    const std::pair<PeriodModel::Column, QString> widest[] = {
        {PeriodModel::age, QStringLiteral("888 Jahre 88 M 88 T")},
        {PeriodModel::begins, QStringLiteral("88.88.8888")},
        {PeriodModel::ends, QStringLiteral("88.88.8888")}};
    for (const auto& [column, text] : widest)
        tree_->header()->resizeSection(
            column, std::max(rows.horizontalAdvance(text),
                             titles.horizontalAdvance(
                                 model_->headerData(column, Qt::Horizontal).toString())) +
                        margins);

    auto* copy = new QAction(QStringLiteral("Kopieren"), tree_);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &PeriodWindow::copySelection);
    tree_->addAction(copy);

    yearLength_ = new QComboBox(this);
    yearLength_->setObjectName("YearLength");
    yearLength_->setToolTip(
        QStringLiteral("Wie viele Kalendertage ein Jahr der Dasas (360 Tage des Alters) dauert"));
    for (const YearLength length : yearLengths)
        yearLength_->addItem(QString::fromStdString(yearLengthLabel(length)),
                             static_cast<int>(length));
    yearLength_->setCurrentIndex(yearLength_->findData(static_cast<int>(rememberedYearLength())));
    auto* yearLengthLabel = new QLabel(QStringLiteral("&Jahreslänge:"), this);
    yearLengthLabel->setBuddy(yearLength_);
    connect(yearLength_, &QComboBox::currentIndexChanged, this, [this] {
        QSettings().setValue(yearLengthKey, QString::fromStdString(yearLengthToken(yearLength())));
        rebuild();
    });

    auto* why = new QPushButton(QStringLiteral("Warum weichen andere Programme ab?"), this);
    why->setObjectName("PeriodWhy");
    connect(why, &QPushButton::clicked, this, &PeriodWindow::explainDifferences);

    depth_ = new QComboBox(this);
    depth_->setObjectName("ExportDepth");
    depth_->setToolTip(QStringLiteral("Bis zu welcher Ebene die Zeitleiste, Drucken, PDF und CSV "
                                      "die Perioden zeigen"));
    for (const char* label : depthLabels)
        depth_->addItem(QString::fromUtf8(label));
    depth_->setCurrentIndex(rememberedExportDepth() - 1);
    auto* depthLabel = new QLabel(QStringLiteral("&Tiefe:"), this);
    depthLabel->setBuddy(depth_);
    connect(depth_, &QComboBox::currentIndexChanged, this, [this] {
        QSettings().setValue(exportDepthKey, exportDepth());
        timeline_->setDepth(exportDepth());
    });

    timelineInPdf_ = new QComboBox(this);
    timelineInPdf_->setObjectName("TimelineInPdf");
    timelineInPdf_->setToolTip(QStringLiteral("Was die erste Seite des PDFs von der Zeitleiste "
                                              "zeigt (eine Seite im Querformat)"));
    for (const char* label : timelineInPdfLabels)
        timelineInPdf_->addItem(QString::fromUtf8(label));
    timelineInPdf_->setCurrentIndex(rememberedTimelineInPdf());
    connect(timelineInPdf_, &QComboBox::currentIndexChanged, this,
            [this](int index) { QSettings().setValue(timelineInPdfKey, index); });

    timeline_ = new PeriodTimeline(this);
    timeline_->setDepth(exportDepth());
    span_ = new QLabel(this);
    span_->setObjectName("TimelineSpan");
    auto* timelineBar = new QHBoxLayout;
    auto addTool = [&](const char* name, const QString& text, const QString& tip, auto action) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setText(text);
        button->setToolTip(tip);
        button->setAccessibleName(tip.left(tip.indexOf(" (")));
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, timeline_, action);
        timelineBar->addWidget(button);
    };
    auto* timelineTitle = new QLabel(QStringLiteral("Zeitleiste"), this);
    timelineTitle->setStyleSheet("font-weight: bold");
    timelineBar->addWidget(timelineTitle);
    addTool("TimelineZoomOut", QStringLiteral("−"), QStringLiteral("Verkleinern (−)"),
            &PeriodTimeline::zoomOut);
    addTool("TimelineZoomIn", QStringLiteral("+"), QStringLiteral("Vergrößern (+)"),
            &PeriodTimeline::zoomIn);
    addTool("TimelineWhole", QStringLiteral("Ganzes Leben"),
            QStringLiteral("Das ganze Leben zeigen (Pos1)"), &PeriodTimeline::showWholeLife);
    addTool("TimelineToday", QStringLiteral("Heute"),
            QStringLiteral("Ein Jahr um heute zeigen (T)"), &PeriodTimeline::showToday);
    timelineBar->addSpacing(8);
    timelineBar->addWidget(span_);
    timelineBar->addStretch();
    auto* pngButton = new QPushButton(QStringLiteral("Bild …"), this);
    pngButton->setObjectName("TimelinePng");
    pngButton->setToolTip(QStringLiteral("Den sichtbaren Ausschnitt der Zeitleiste als PNG-Bild "
                                         "speichern"));
    connect(pngButton, &QPushButton::clicked, this, &PeriodWindow::exportTimelinePng);
    timelineBar->addWidget(pngButton);
    connect(timeline_, &PeriodTimeline::spanChanged, this, &PeriodWindow::showSpan);
    connect(timeline_, &PeriodTimeline::periodChosen, this, &PeriodWindow::chooseInTree);
    // A row chosen in the tree (by the user, or by a cell of the overview) shows on the timeline.
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!keepSpan_ && current.isValid())
                    timeline_->reveal(pathOf(current));
            });

    auto* printButton = new QPushButton(QStringLiteral("Drucken …"), this);
    printButton->setObjectName("PeriodPrint");
    auto* pdfButton = new QPushButton(QStringLiteral("PDF …"), this);
    pdfButton->setObjectName("PeriodPdf");
    auto* csvButton = new QPushButton(QStringLiteral("CSV …"), this);
    csvButton->setObjectName("PeriodCsv");
    connect(printButton, &QPushButton::clicked, this, &PeriodWindow::print);
    connect(pdfButton, &QPushButton::clicked, this, &PeriodWindow::exportPdf);
    connect(csvButton, &QPushButton::clicked, this, &PeriodWindow::exportCsv);

    auto* choices = new QHBoxLayout;
    choices->addWidget(yearLengthLabel);
    choices->addWidget(yearLength_);
    choices->addStretch();
    choices->addWidget(why);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(depthLabel);
    buttons->addWidget(depth_);
    buttons->addWidget(timelineInPdf_);
    buttons->addStretch();
    buttons->addWidget(printButton);
    buttons->addWidget(pdfButton);
    buttons->addWidget(csvButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header_);
    layout->addWidget(noDates_);
    layout->addLayout(choices);
    layout->addLayout(timelineBar);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(timeline_);
    split->addWidget(tree_);
    split->setStretchFactor(1, 1);
    split->setChildrenCollapsible(false);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);
    tree_->setFocus();
}

YearLength PeriodWindow::rememberedYearLength() {
    QSettings settings;
    if (settings.contains(yearLengthKey)) {
        const auto length =
            yearLengthFromToken(settings.value(yearLengthKey).toString().toStdString());
        return length.value_or(YearLength::gregorian);
    }
    const YearLength carried =
        settings.value(days360Key, false).toBool() ? YearLength::days360 : YearLength::gregorian;
    if (settings.contains(days360Key))
        settings.setValue(yearLengthKey, QString::fromStdString(yearLengthToken(carried)));
    return carried;
}

int PeriodWindow::rememberedExportDepth() {
    bool ok = false;
    const int depth = QSettings().value(exportDepthKey).toInt(&ok);
    return ok && depth >= 1 && depth <= deepestLevel ? depth : defaultExportDepth;
}

int PeriodWindow::rememberedTimelineInPdf() {
    bool ok = false;
    const int choice = QSettings().value(timelineInPdfKey).toInt(&ok);
    return ok && choice >= 0 && choice <= 2 ? choice : 0;
}

YearLength PeriodWindow::yearLength() const {
    return static_cast<YearLength>(yearLength_->currentData().toInt());
}

int PeriodWindow::exportDepth() const {
    return depth_->currentIndex() + 1;
}

void PeriodWindow::showResult(const Result& result, const CivilDate& today,
                              const QString& birthName,
                              const std::optional<astronomy::MoonOrigin>& origin) {
    result_ = result;
    today_ = today;
    birthName_ = birthName;
    origin_ = origin;
    rebuild();
}

void PeriodWindow::showResult(const Result& result, const QString& birthName,
                              const std::optional<astronomy::MoonOrigin>& origin) {
    const QDate now = QDate::currentDate();
    showResult(result, CivilDate{now.year(), now.month(), now.day()}, birthName, origin);
}

QString PeriodWindow::ayanamsaText() const {
    return origin_ ? birth::ayanamsaName(origin_->ayanamsa)
                   : QStringLiteral("unbekannt (Mond siderisch eingegeben)");
}

void PeriodWindow::rebuild() {
    if (!result_)
        return;
    std::vector<PeriodModel::EventDay> days;
    if (events_)
        for (const birth::Event& e : events_->events)
            days.push_back({{e.date.year(), e.date.month(), e.date.day()},
                            QStringLiteral("%1 (%2)").arg(
                                e.text, e.date.toString(QStringLiteral("dd.MM.yyyy"))),
                            e.important});
    model_->setEventDays(std::move(days));
    model_->setPeriods(buildPeriods(*result_, yearLength()), today_);
    timeline_->setPeriods(model_->periods(), today_);
    const PeriodDocument doc = document();
    QString header = QStringLiteral("Geburt: %1\nMond: %2\nNakshatra: %3\nAyanamsa: %4")
                         .arg(doc.birthDate, doc.moon, doc.nakshatra, doc.ayanamsa);
    if (!birthName_.isEmpty())
        header.prepend(QStringLiteral("Name: %1\n").arg(birthName_));
    const PeriodList& list = model_->periods();
    QList<PeriodTimeline::Mark> marks;
    if (events_ && !events_->events.isEmpty()) {
        for (const birth::Event& e : events_->events) {
            const CivilDate day{e.date.year(), e.date.month(), e.date.day()};
            const QString periods = birth::chainText(birth::lordsOn(list, day, 3));
            marks.append({day,
                          QStringLiteral("%1, %2%3")
                              .arg(e.text, e.date.toString(QStringLiteral("dd.MM.yyyy")),
                                   periods.isEmpty() ? QString() : ": " + periods),
                          e.important, runningOn(list, day)});
        }
        const auto window = birth::birthTimeWindow(events_->birth, events_->events, yearLength());
        if (const auto* r = std::get_if<Refusal>(&window))
            header += QStringLiteral("\n") + QString::fromStdString(r->message);
        else
            header +=
                QStringLiteral("\n") + birth::windowText(std::get<birth::BirthTimeWindow>(window));
    }
    timeline_->setMarks(marks);
    header_->setText(header);
    noDates_->setText(QString::fromStdString(list.noDatesReason));
    noDates_->setVisible(!list.hasDates());
    selectRunning();
}

void PeriodWindow::setEvents(std::shared_ptr<const BirthEvents> events) {
    events_ = std::move(events);
}

QString PeriodWindow::headerText() const {
    return header_->text();
}

void PeriodWindow::selectRunning() {
    // The timeline keeps showing the whole life.
    keepSpan_ = true;
    // Without a running period (no dates, or a day outside the cycle) the first row. Opening a
    // running pratyantardasa or sukshmadasa makes its children, and the running path goes on
    // into them, down to the pranadasa.
    QModelIndex deepest = model_->index(0, 0);
    for (std::size_t depth = 1; depth <= model_->running().size(); ++depth) {
        const std::vector<int>& running = model_->running();
        deepest = model_->indexOfPath({running.begin(), running.begin() + depth});
        if (model_->canFetchMore(deepest))
            model_->fetchMore(deepest);
        tree_->expand(deepest);
    }
    tree_->setCurrentIndex(deepest);
    tree_->scrollTo(deepest, QAbstractItemView::PositionAtCenter);
    keepSpan_ = false;
}

void PeriodWindow::chooseInTree(const std::vector<int>& path) {
    QModelIndex at;
    for (std::size_t depth = 1; depth <= path.size(); ++depth) {
        at = model_->indexOfPath({path.begin(), path.begin() + static_cast<long>(depth)});
        if (!at.isValid())
            return;
        if (depth < path.size()) {
            if (model_->canFetchMore(at))
                model_->fetchMore(at);
            tree_->expand(at);
        }
    }
    // The timeline showed it where it is: it stays as it is.
    keepSpan_ = true;
    tree_->setCurrentIndex(at);
    tree_->scrollTo(at, QAbstractItemView::PositionAtCenter);
    keepSpan_ = false;
}

void PeriodWindow::showSpan() {
    span_->setText(timeline_->picture().spanText());
}

void PeriodWindow::showCell(int cell) {
    const QModelIndex at = model_->indexOfCell(cell);
    if (!at.isValid())
        return;
    tree_->setCurrentIndex(at);
    tree_->scrollTo(at, QAbstractItemView::PositionAtCenter);
}

PeriodDocument PeriodWindow::document() const {
    if (!result_)
        return {};
    PeriodDocument doc = documentOf(*result_, model_->periods(), today_, exportDepth(), birthName_);
    switch (timelineInPdf_->currentIndex()) {
    case 0:
        doc.timeline = timeline_->picture().life();
        break;
    case 1:
        doc.timeline = timeline_->span();
        break;
    default:
        break;
    }
    doc.ayanamsa = ayanamsaText();
    return doc;
}

void PeriodWindow::copySelection() {
    QModelIndexList rows = tree_->selectionModel()->selectedRows(0);
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return pathOf(a) < pathOf(b); });
    QStringList headers;
    for (int c = 0; c < model_->columnCount(); ++c)
        headers << model_->headerData(c, Qt::Horizontal).toString();
    QString text = headers.join('\t') + '\n';
    for (const QModelIndex& row : rows) {
        QStringList fields;
        for (int c = 0; c < model_->columnCount(); ++c)
            fields << row.siblingAtColumn(c).data().toString();
        text += fields.join('\t') + '\n';
    }
    QApplication::clipboard()->setText(text);
}

QString PeriodWindow::suggestedFileName(const QString& extension, const QString& stem) const {
    QString name = birthName_;
    // The CSV has no place for the ayanamsa; where it is not the program's own, the name holds it.
    if (origin_ && origin_->ayanamsa != astronomy::Ayanamsa::zeitrad)
        name += (name.isEmpty() ? QString() : QStringLiteral(", ")) +
                birth::ayanamsaName(origin_->ayanamsa);
    // Nothing that a file system or a file manager would read as a folder or a pattern.
    for (QChar& c : name)
        if (c.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = '_';
    name = name.simplified();
    return (name.isEmpty() ? stem : stem + ' ' + name) + '.' + extension;
}

void PeriodWindow::exportCsv() {
    const PeriodDocument doc = document();
    exportToFile(this, QStringLiteral("Perioden als CSV speichern"), suggestedFileName("csv"),
                 QStringLiteral("CSV-Dateien (*.csv)"), [&doc](const QString& path) {
                     return saveBytes(
                         path, QByteArray::fromStdString(formats::periodsCsv(doc.list, doc.depth)));
                 });
}

void PeriodWindow::exportPdf() {
    const PeriodDocument doc = document();
    exportToFile(this, QStringLiteral("Perioden als PDF speichern"), suggestedFileName("pdf"),
                 QStringLiteral("PDF-Dateien (*.pdf)"),
                 [&doc](const QString& path) { return savePdf(path, doc); });
}

// The span shown, at least as wide as zeitrad-dasa draws it by default, and as tall as its bands
// want.
void PeriodWindow::exportTimelinePng() {
    if (!result_)
        return;
    const PeriodDocument doc = document();
    const QImage image =
        timelineImage(timeline_->picture(), timelineTitle(doc, timeline_->picture()),
                      QSize(std::max(timeline_->width(), 1200), 0));
    exportToFile(this, QStringLiteral("Zeitleiste als PNG speichern"),
                 suggestedFileName("png", QStringLiteral("Zeitleiste")),
                 QStringLiteral("PNG-Bilder (*.png)"),
                 [&image](const QString& path) { return savePng(path, image); });
}

void PeriodWindow::print() {
    const PeriodDocument doc = document();
    printWithDialog(this, [&doc](QPagedPaintDevice& printer) { printPeriods(printer, doc); });
}

QString PeriodWindow::differencesText() const {
    if (!result_)
        return {};
    const QString born = document().birthDate;
    const QString whose = birthName_.isEmpty()
                              ? QStringLiteral("Für die Geburt am %1.").arg(born)
                              : QStringLiteral("Für %1, geboren am %2.").arg(birthName_, born);
    // The same Moon under every ayanamsa, each calculated as the input screen would.
    std::vector<AyanamsaVariant> variants;
    std::string note;
    if (origin_) {
        for (const astronomy::Ayanamsa a : astronomy::allAyanamsas) {
            AyanamsaVariant v;
            v.name = birth::ayanamsaName(a).toStdString();
            v.chosen = a == origin_->ayanamsa;
            const Refused<BirthInput> fields = birth::fieldsUnder(*origin_, a);
            if (std::holds_alternative<Refusal>(fields)) {
                v.why = "nicht berechnet";
            } else {
                Engine engine;
                const Outcome outcome = engine.calculate(std::get<BirthInput>(fields));
                if (const auto* result = std::get_if<Result>(&outcome))
                    v.result = *result;
                else
                    v.why = "nicht berechnet";
            }
            variants.push_back(std::move(v));
        }
    } else {
        note = "Der Mond wurde siderisch eingegeben; nach welcher Ayanamsa, weiß dieses Programm "
               "nicht.";
    }
    return whose + "\n\n" +
           QString::fromStdString(whyOthersDiffer(*result_, yearLength(), today_, variants, note));
}

void PeriodWindow::explainDifferences() {
    if (!result_)
        return;
    MessageBox::tell(this, MessageBox::Kind::Information, differencesText(),
                     QStringLiteral("Warum weichen andere Programme ab?"));
}

} // namespace zeitrad::periodlist
