#include "periods/periodwindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

#include "periods/periodmodel.h"

namespace zeitrad::ui {

namespace {

const QString yearLengthKey = QStringLiteral("Perioden/JahrGleich360Tage");

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
    resize(480, 640);

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
    // The dates and ages as wide as they need; the names take the rest.
    tree_->header()->setStretchLastSection(false);
    tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tree_->header()->setSectionResizeMode(0, QHeaderView::Stretch);

    auto* copy = new QAction(QStringLiteral("Kopieren"), tree_);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &PeriodWindow::copySelection);
    tree_->addAction(copy);

    days360_ = new QCheckBox(QStringLiteral("Jahr = 360 Tage"), this);
    days360_->setObjectName("PeriodYear360");
    days360_->setToolTip(QStringLiteral(
        "Ein Jahr der Dasas als 360 Kalendertage statt als mittleres Kalenderjahr rechnen"));
    days360_->setChecked(rememberedYearLength() == YearLength::days360);
    connect(days360_, &QCheckBox::toggled, this, [this](bool checked) {
        QSettings().setValue(yearLengthKey, checked);
        rebuild();
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

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(days360_);
    buttons->addStretch();
    buttons->addWidget(printButton);
    buttons->addWidget(pdfButton);
    buttons->addWidget(csvButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header_);
    layout->addWidget(noDates_);
    layout->addWidget(tree_, 1);
    layout->addLayout(buttons);
    tree_->setFocus();
}

YearLength PeriodWindow::rememberedYearLength() {
    return QSettings().value(yearLengthKey, false).toBool() ? YearLength::days360
                                                            : YearLength::solar;
}

void PeriodWindow::showResult(const Result& result, const CivilDate& today) {
    result_ = result;
    today_ = today;
    rebuild();
}

void PeriodWindow::showResult(const Result& result) {
    const QDate now = QDate::currentDate();
    showResult(result, CivilDate{now.year(), now.month(), now.day()});
}

void PeriodWindow::rebuild() {
    if (!result_)
        return;
    const YearLength length = days360_->isChecked() ? YearLength::days360 : YearLength::solar;
    model_->setPeriods(buildPeriods(*result_, length), today_);
    const PeriodDocument doc = document();
    header_->setText(QStringLiteral("Geburt: %1\nMond: %2\nNakshatra: %3")
                         .arg(doc.birthDate, doc.moon, doc.nakshatra));
    const PeriodList& list = model_->periods();
    noDates_->setText(QString::fromStdString(list.noDatesReason));
    noDates_->setVisible(!list.hasDates());
    selectRunning();
}

void PeriodWindow::selectRunning() {
    // Without a running period (no dates, or a day outside the cycle) the first row.
    const std::vector<int>& running = model_->running();
    QModelIndex deepest = model_->index(0, 0);
    for (std::size_t depth = 1; depth <= running.size(); ++depth) {
        deepest = model_->indexOfPath({running.begin(), running.begin() + depth});
        tree_->expand(deepest);
    }
    tree_->setCurrentIndex(deepest);
    tree_->scrollTo(deepest, QAbstractItemView::PositionAtCenter);
}

void PeriodWindow::showCell(int cell) {
    const QModelIndex at = model_->indexOfCell(cell);
    if (!at.isValid())
        return;
    tree_->setCurrentIndex(at);
    tree_->scrollTo(at, QAbstractItemView::PositionAtCenter);
}

PeriodDocument PeriodWindow::document() const {
    PeriodDocument doc;
    if (!result_)
        return doc;
    doc.list = model_->periods();
    doc.running = model_->running();
    doc.birthDate = doc.list.birthDate ? dateText(doc.list.birthDate)
                                       : QString::fromStdString(result_->birthDateText());
    doc.moon = moonText(*result_);
    doc.nakshatra = QString::fromStdString(result_->nakshatraName).trimmed();
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

void PeriodWindow::exportCsv() {
    const PeriodDocument doc = document();
    exportToFile(this, QStringLiteral("Perioden als CSV speichern"), QStringLiteral("Perioden.csv"),
                 QStringLiteral("CSV-Dateien (*.csv)"),
                 [&doc](const QString& path) { return saveBytes(path, periodsCsv(doc.list)); });
}

void PeriodWindow::exportPdf() {
    const PeriodDocument doc = document();
    exportToFile(this, QStringLiteral("Perioden als PDF speichern"), QStringLiteral("Perioden.pdf"),
                 QStringLiteral("PDF-Dateien (*.pdf)"),
                 [&doc](const QString& path) { return savePdf(path, doc); });
}

void PeriodWindow::print() {
    const PeriodDocument doc = document();
    printWithDialog(this, [&doc](QPagedPaintDevice& printer) { printPeriods(printer, doc); });
}

} // namespace zeitrad::ui
