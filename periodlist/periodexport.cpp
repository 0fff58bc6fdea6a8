#include "periodlist/periodexport.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QScreen>
#include <QStandardPaths>
#include <QTextDocument>
#include <QTextFrame>

#include <algorithm>

#include "engine/periodtext.h"
#include "engine/yearlengths.h"
#include "formats/privatefile.h"
#include "periodlist/periodmodel.h"
#include "periodlist/printing.h"
#include "pluginloader/pluginloader.h"
#include "widgets/dialogs.h"

namespace zeitrad::periodlist {

using widgets::FileDialog;
using widgets::MessageBox;
using widgets::speakGerman;

namespace {

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

// The resolution QTextDocument lays a document out for before it prints it: the screen's.
int screenDpi(Qt::Orientation orientation) {
    if (QCoreApplication::testAttribute(Qt::AA_Use96Dpi))
        return 96;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return qRound(orientation == Qt::Horizontal ? screen->logicalDotsPerInchX()
                                                    : screen->logicalDotsPerInchY());
    return 100;
}

// The document's pages, from the page the painter is on, as QTextDocument::print lays out a
// document of no page size of its own: two centimetres inside the device's margins, each page's
// number at the bottom on the right. (print() opens a painter of its own, and a PDF can only have
// one; the timeline's page comes first.)
void paintTextPages(QPainter& painter, QPagedPaintDevice& device, QTextDocument& text) {
    text.documentLayout()->setPaintDevice(painter.device());
    const int dpiX = screenDpi(Qt::Horizontal), dpiY = screenDpi(Qt::Vertical);
    const int horizontal = int((2 / 2.54) * dpiX), vertical = int((2 / 2.54) * dpiY);
    QTextFrameFormat frame = text.rootFrame()->frameFormat();
    frame.setLeftMargin(horizontal);
    frame.setRightMargin(horizontal);
    frame.setTopMargin(vertical);
    frame.setBottomMargin(vertical);
    text.rootFrame()->setFrameFormat(frame);
    const QRectF body(0, 0, device.width(), device.height());
    const QPointF numberAt(body.width() - horizontal * (double(device.logicalDpiX()) / dpiX),
                           body.height() - vertical * (double(device.logicalDpiY()) / dpiY) +
                               QFontMetrics(text.defaultFont(), painter.device()).ascent() +
                               5 * painter.device()->logicalDpiY() / 72.0);
    text.setPageSize(body.size());
    for (int page = 1; page <= text.pageCount(); ++page) {
        if (page > 1)
            device.newPage();
        painter.save();
        painter.translate(body.left(), body.top() - (page - 1) * body.height());
        const QRectF view(0, (page - 1) * body.height(), body.width(), body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        painter.setClipRect(view);
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        text.documentLayout()->draw(&painter, context);
        painter.setClipping(false);
        painter.setFont(QFont(text.defaultFont()));
        const QString number = QString::number(page);
        painter.drawText(qRound(numberAt.x() - painter.fontMetrics().horizontalAdvance(number)),
                         qRound(numberAt.y() + view.top()), number);
        painter.restore();
    }
}

// The timeline's page: the picture across the page's width, its bands taller than on screen.
void paintTimelinePage(QPainter& painter, QPagedPaintDevice& device,
                       const PeriodDocument& document) {
    TimelinePicture picture;
    picture.setPeriods(document.list, document.today);
    picture.setDepth(document.depth);
    picture.setSpan(*document.timeline);
    constexpr double width = 1120, bandHeight = 64;
    const double scale = device.width() / width;
    const double height = std::min(
        device.height() / scale, picture.naturalHeight(true) + picture.depth() * (bandHeight - 30));
    painter.save();
    painter.scale(scale, scale);
    picture.paint(painter, QRectF(0, 0, width, height), timelineTitle(document, picture));
    painter.restore();
}

} // namespace

PeriodDocument documentOf(const Result& result, PeriodList list, const CivilDate& today, int depth,
                          const QString& birthName) {
    PeriodDocument doc;
    doc.list = std::move(list);
    doc.today = today;
    doc.depth = depth;
    doc.birthName = birthName;
    doc.birthDate = doc.list.birthDate ? dateText(doc.list.birthDate)
                                       : QString::fromStdString(result.birthDateText());
    doc.moon = moonText(result);
    doc.nakshatra = QString::fromStdString(result.nakshatraName).trimmed();
    return doc;
}

QString timelineTitle(const PeriodDocument& document, const TimelinePicture& picture) {
    QString title = QStringLiteral("Vimsottari Dasa – Zeitleiste");
    if (!document.birthName.isEmpty())
        title += QStringLiteral(": ") + document.birthName;
    QStringList facts{QStringLiteral("Geburt: %1").arg(document.birthDate),
                      QStringLiteral("Nakshatra: %1").arg(document.nakshatra),
                      QStringLiteral("Jahreslänge: %1")
                          .arg(QString::fromStdString(yearLengthLabel(document.list.yearLength)))};
    if (const QString span = picture.spanText(); !span.isEmpty())
        facts << span;
    return title + '\n' + facts.join('\n');
}

QImage timelineImage(TimelinePicture& picture, const QString& title, QSize size) {
    if (size.height() <= 0)
        size.setHeight(picture.naturalHeight(true));
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    picture.paint(painter, image.rect(), title);
    painter.end();
    return image;
}

ExportDialogs& exportDialogs() {
    static ExportDialogs dialogs;
    return dialogs;
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

Refused<birth::Done> saveBytes(const QString& path, const QByteArray& data) {
    return formats::savePrivately(path, data);
}

Refused<birth::Done> savePdf(const QString& path, const PeriodDocument& document) {
    return formats::savePrivately(path, [&document](QIODevice& file) {
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
        if (document.timeline)
            writer.setPageOrientation(QPageLayout::Landscape);
        QPainter painter(&writer);
        if (!painter.isActive())
            return false;
        if (document.timeline) {
            paintTimelinePage(painter, writer, document);
            writer.setPageOrientation(QPageLayout::Portrait);
            writer.newPage();
        }
        paintTextPages(painter, writer, text);
        painter.end();
        return true; // into memory, where writing does not fail
    });
}

Refused<birth::Done> savePng(const QString& path, const QImage& image) {
    return formats::savePrivately(path,
                                  [&image](QIODevice& file) { return image.save(&file, "PNG"); });
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
                  const QString& filter,
                  const std::function<Refused<birth::Done>(const QString&)>& write) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path =
        FileDialog::save(parent, caption, QDir(folder).filePath(suggestedName), filter);
    if (path.isEmpty())
        return;
    const Refused<birth::Done> written = write(path);
    if (const auto* refusal = std::get_if<Refusal>(&written))
        MessageBox::refuse(parent, QString::fromStdString(refusal->message));
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
