// The plugins of a build as the window program meets them: each libzeitrad_*.so in the folder
// given is one the program loads, loads through the program's own loader (QPluginLoader), gives
// the interface the program asks it for and does its job once; and every plugin the program
// loads is there (and zeitrad-dasa's own, for its --timeline). Prints one line per plugin; exits 1
// when any of this fails. Usage: release_plugin_check FOLDER
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <cstdio>

#include "birth/atlas.h"
#include "birth/register.h"
#include "cli/timelinewriter.h"
#include "periodlist/printing.h"
#include "pluginloader/pluginloader.h"

namespace {

using namespace zeitrad;

// What a plugin does once, with a scratch folder of its own: an empty text when it worked, else
// what went wrong.
using Use = QString (*)(QObject* plugin, const QString& scratch);

template <typename I> I* as(QObject* plugin) {
    return qobject_cast<I*>(plugin);
}

QString findsBerlin(QObject* plugin, const QString&) {
    auto* atlas = as<birth::Atlas>(plugin);
    if (!atlas)
        return QStringLiteral("does not give %1").arg(ZeitradAtlas_iid);
    const std::optional<birth::Place> berlin = atlas->exact(QStringLiteral("Berlin"));
    if (!berlin || berlin->zoneId != QLatin1String("Europe/Berlin"))
        return QStringLiteral("does not find Berlin in Europe/Berlin");
    return {};
}

QString opensARegister(QObject* plugin, const QString& scratch) {
    auto* births = as<birth::Register>(plugin);
    if (!births)
        return QStringLiteral("does not give %1").arg(ZeitradRegister_iid);
    const Refused<birth::Done> opened = births->open(scratch + QStringLiteral("/geburten.sqlite"));
    if (const auto* refusal = std::get_if<Refusal>(&opened))
        return QStringLiteral("cannot make a register: %1").arg(refusal->message.c_str());
    const Refused<QList<birth::Birth>> listed = births->list();
    if (!std::holds_alternative<QList<birth::Birth>>(listed) ||
        !std::get<QList<birth::Birth>>(listed).isEmpty())
        return QStringLiteral("a new register does not list as empty");
    return {};
}

QString printsAPage(QObject* plugin, const QString& scratch) {
    auto* printing = as<periodlist::Printing>(plugin);
    if (!printing)
        return QStringLiteral("does not give %1").arg(ZeitradPrinting_iid);
    const QString file = scratch + QStringLiteral("/page.pdf");
    const bool printed = printing->print(
        nullptr,
        [&](QWidget*, QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
            return true;
        },
        [](QPagedPaintDevice& page) {
            QPainter painter(&page);
            painter.drawText(100, 100, QStringLiteral("Zeitrad"));
        });
    QFile pdf(file);
    if (!printed || !pdf.open(QIODevice::ReadOnly) || !pdf.read(5).startsWith("%PDF-"))
        return QStringLiteral("does not print a page to a PDF file");
    return {};
}

// zeitrad-dasa's plugin: a timeline of a typed Moon, written as a PNG file.
QString drawsATimeline(QObject* plugin, const QString& scratch) {
    auto* writer = as<cli::TimelineWriter>(plugin);
    if (!writer)
        return QStringLiteral("does not give %1").arg(ZeitradTimelineWriter_iid);
    Engine engine;
    const Outcome outcome = engine.calculate({"12", "3", "1975", "10", "20", "30", 4, false});
    if (!std::holds_alternative<Result>(outcome))
        return QStringLiteral("has no periods to draw: the engine refused the test birth");
    cli::TimelineOrder order;
    order.result = std::get<Result>(outcome);
    order.today = {2026, 12, 9};
    order.width = 600;
    order.file = (scratch + QStringLiteral("/timeline.png")).toStdString();
    if (const std::string failed = writer->write(order); !failed.empty())
        return QStringLiteral("does not draw: %1").arg(QString::fromStdString(failed));
    QFile png(QString::fromStdString(order.file));
    if (!png.open(QIODevice::ReadOnly) || !png.read(8).startsWith("\x89PNG"))
        return QStringLiteral("does not write a PNG file");
    return {};
}

// Every plugin the programs load, by the name it asks for (libzeitrad_<name>.so).
const struct {
    const char* name;
    Use use;
} expected[] = {
    {"atlas", findsBerlin},
    {"print", printsAPage},
    {"register", opensARegister},
    {"timeline", drawsATimeline},
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: release_plugin_check FOLDER\n");
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    // The program's loader looks in this folder alone.
    qputenv("ZEITRAD_PLUGIN_PATH", QFile::encodeName(folder));
    QApplication app(argc, argv);
    QTemporaryDir scratch;
    int failures = 0, good = 0;
    auto fail = [&](const QString& what) {
        std::printf("FAIL: %s\n", qPrintable(what));
        ++failures;
    };

    QStringList files = QDir(folder).entryList({QStringLiteral("*.so")}, QDir::Files, QDir::Name);
    for (const auto& plugin : expected) {
        const QString file = QStringLiteral("libzeitrad_%1.so").arg(plugin.name);
        if (!files.removeOne(file)) {
            fail(QStringLiteral("%1 is missing from %2").arg(file, folder));
            continue;
        }
        const Refused<QObject*> loaded = pluginloader::loadPlugin(QString::fromLatin1(plugin.name));
        if (const auto* refusal = std::get_if<Refusal>(&loaded)) {
            fail(QStringLiteral("%1 does not load: %2").arg(file, refusal->message.c_str()));
            continue;
        }
        QObject* object = std::get<QObject*>(loaded);
        const QString own = scratch.filePath(QString::fromLatin1(plugin.name));
        QDir().mkpath(own);
        if (const QString problem = plugin.use(object, own); !problem.isEmpty()) {
            fail(QStringLiteral("%1 %2").arg(file, problem));
            continue;
        }
        std::printf("%s: loads, gives its interface and works\n", qPrintable(file));
        ++good;
    }
    for (const QString& stray : files)
        fail(QStringLiteral("%1 is no plugin that the program loads").arg(stray));
    std::printf("%d of %d plugins good\n", good, int(std::size(expected)));
    return failures == 0 ? 0 : 1;
}
