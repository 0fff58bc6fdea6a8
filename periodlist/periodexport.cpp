#include "periodlist/periodexport.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextDocument>

#include <algorithm>

#include "engine/periodtext.h"
#include "engine/yearlengths.h"
#include "periodlist/periodmodel.h"
#include "periodlist/printing.h"
#include "pluginloader/pluginloader.h"
#include "widgets/dialogs.h"

namespace zeitrad::periodlist {

using widgets::FileDialog;
using widgets::MessageBox;
using widgets::speakGerman;

namespace {

QString failure(const QString& path, const QString& reason) {
    return QStringLiteral("Die Datei „%1“ konnte nicht geschrieben werden: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

// Opens `path` through a QSaveFile, lets `fill` write into it and commits it.
QString saveThrough(const QString& path, const std::function<bool(QSaveFile&)>& fill) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, file.errorString());
    if (!fill(file)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(path, reason);
    }
    if (!file.commit())
        return failure(path, file.errorString());
    return {};
}

// The document's text in a sans-serif face that every Linux desktop has.
void fillDocument(QTextDocument& text, const PeriodDocument& document) {
    QFont font("DejaVu Sans");
    font.setPointSizeF(9);
    text.setDefaultFont(font);
    text.setHtml(periodsHtml(document));
}

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

} // namespace

ExportDialogs& exportDialogs() {
    static ExportDialogs dialogs;
    return dialogs;
}

QByteArray periodsCsv(const PeriodList& list, int depth) {
    return QByteArray::fromStdString(zeitrad::periodsCsv(list, depth));
}

QString periodsHtml(const PeriodDocument& document) {
    const PeriodList& list = document.list;
    const int depth = std::clamp(document.depth, 1, deepestLevel);
    QString html = QStringLiteral("<h2>Vimsottari Dasa – Perioden</h2><p>");
    if (!document.birthName.isEmpty())
        html += QStringLiteral("Name: %1<br>").arg(escaped(document.birthName));
    html += QStringLiteral("Geburt: %1<br>Mond: %2<br>Nakshatra: %3<br>Ayanamsa: %4<br>"
                           "Jahreslänge: %5")
                .arg(escaped(document.birthDate), escaped(document.moon),
                     escaped(document.nakshatra), escaped(document.ayanamsa),
                     escaped(QString::fromStdString(yearLengthLabel(list.yearLength))));
    if (!list.hasDates())
        html += QStringLiteral("<br><i>%1</i>")
                    .arg(escaped(QString::fromStdString(list.noDatesReason)));
    html += QStringLiteral("</p><table cellspacing=0 cellpadding=2 width=100%>"
                           "<tr><th align=left>Periode</th><th align=left>Alter bei Beginn</th>"
                           "<th align=left>Beginn</th><th align=left>Ende</th></tr>");
    auto row = [&html](const Period& p, int level, bool running) {
        const QString indent = QString("&nbsp;").repeated(6 * (level - 1));
        // The indent outside the bold, so that bold rows line up with the others.
        const QString name = escaped(periodName(p.lord));
        const QString open = running ? QStringLiteral("<b>") : QString();
        const QString close = running ? QStringLiteral("</b>") : QString();
        const QString shade = level == 1 ? QStringLiteral(" bgcolor=#e8e8e8") : QString();
        html += QStringLiteral(
                    "<tr%1><td>%8%2%3%4</td><td>%2%5%4</td><td>%2%6%4</td><td>%2%7%4</td></tr>")
                    .arg(shade, open, name, close, ageText(p), dateText(p.startDate),
                         dateText(p.endDate), indent);
    };
    const CivilDate& today = document.today;
    auto runs = [&today](const Period& p) {
        return p.startDate && p.endDate && *p.startDate <= today && today < *p.endDate;
    };
    // A period and, down to the depth, its children: all antardasas of a mahadasa, the levels
    // below only within a running period. Levels the list was not built to are made here.
    auto add = [&](auto& self, const Period& p, int level, bool running) -> void {
        row(p, level, running);
        if (level >= depth || (level >= 2 && !running))
            return;
        const std::vector<Period> made =
            p.children.empty() ? subPeriods(list, p) : std::vector<Period>{};
        for (const Period& child : p.children.empty() ? made : p.children)
            self(self, child, level + 1, running && runs(child));
    };
    for (const Period& maha : list.mahadasas)
        add(add, maha, 1, runs(maha));
    html += QStringLiteral("</table>");
    return html;
}

QString saveBytes(const QString& path, const QByteArray& data) {
    return saveThrough(path, [&data](QSaveFile& file) { return file.write(data) == data.size(); });
}

QString savePdf(const QString& path, const PeriodDocument& document) {
    return saveThrough(path, [&document](QSaveFile& file) {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setTitle(
            document.birthName.isEmpty()
                ? QStringLiteral("Vimsottari Dasa – Perioden")
                : QStringLiteral("Vimsottari Dasa – Perioden: %1").arg(document.birthName));
        writer.setCreator(QStringLiteral("Zeitrad"));
        QTextDocument text;
        fillDocument(text, document);
        text.print(&writer);
        return file.error() == QFileDevice::NoError;
    });
}

QString savePng(const QString& path, const QImage& image) {
    return saveThrough(path, [&image](QSaveFile& file) { return image.save(&file, "PNG"); });
}

void printPeriods(QPagedPaintDevice& printer, const PeriodDocument& document) {
    QTextDocument text;
    fillDocument(text, document);
    text.print(&printer);
}

void printImage(QPagedPaintDevice& printer, const QImage& image) {
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(image.rect());
    painter.drawImage(0, 0, image);
}

void exportToFile(QWidget* parent, const QString& caption, const QString& suggestedName,
                  const QString& filter, const std::function<QString(const QString&)>& write) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path =
        FileDialog::save(parent, caption, QDir(folder).filePath(suggestedName), filter);
    if (path.isEmpty())
        return;
    const QString message = write(path);
    if (message.isEmpty())
        return;
    MessageBox::refuse(parent, message);
}

void printWithDialog(QWidget* parent, const std::function<void(QPagedPaintDevice&)>& print) {
    const Refused<Printing*> printing = pluginloader::plugin<Printing>(QStringLiteral("print"));
    if (const auto* refusal = std::get_if<Refusal>(&printing)) {
        MessageBox::refuse(parent, QStringLiteral("Drucken ist nicht möglich. %1")
                                       .arg(QString::fromStdString(refusal->message)));
        return;
    }
    // The print dialog is Qt's own.
    speakGerman();
    std::get<Printing*>(printing)->print(parent, exportDialogs().setUpPrinter, print);
}

} // namespace zeitrad::periodlist
