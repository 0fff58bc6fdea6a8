#include "timeline/timelineplugin.h"

#include <QGuiApplication>

#include "periodlist/periodexport.h"
#include "periodlist/timelinepicture.h"

namespace zeitrad::timeline {

using namespace zeitrad::periodlist;

namespace {

std::string draw(const cli::TimelineOrder& order) {
    const PeriodDocument document =
        documentOf(order.result, buildPeriods(order.result, order.yearLength), order.today,
                   order.depth, QString::fromStdString(order.birthName));
    TimelinePicture picture;
    picture.setPeriods(document.list, order.today);
    picture.setDepth(order.depth);
    DaySpan span = picture.life();
    if (order.from)
        span.from = picture.dayOf(*order.from).value_or(span.from);
    if (order.to)
        span.to = picture.dayOf(*order.to).value_or(span.to) + 1;
    picture.setSpan(
        {std::max(span.from, picture.life().from), std::min(span.to, picture.life().to)});
    const QImage image =
        timelineImage(picture, timelineTitle(document, picture), QSize(order.width, order.height));
    const Refused<birth::Done> saved = savePng(QString::fromStdString(order.file), image);
    const auto* refusal = std::get_if<Refusal>(&saved);
    return refusal ? refusal->message : std::string();
}

} // namespace

std::string TimelinePlugin::write(const cli::TimelineOrder& order) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return draw(order);
    if (QCoreApplication::instance())
        return "Die Zeitleiste lässt sich nicht zeichnen: das Programm hat schon ein "
               "Anwendungsobjekt ohne Grafik.";
    // Fonts and painting need a QGuiApplication, and zeitrad-dasa has none while it draws: one
    // is made for the picture on the offscreen platform, which needs no display, and ends after
    // it, when everything painted with it is gone.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zeitrad-dasa";
    static char* argv[] = {name, nullptr};
    // What Qt says meanwhile (in English, as "XDG_RUNTIME_DIR not set" where cron runs it) is
    // not zeitrad-dasa's to print: its own refusals are German and go to standard error.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    std::string failed;
    {
        const QGuiApplication application(argc, argv);
        failed = draw(order);
    }
    qInstallMessageHandler(previous);
    return failed;
}

} // namespace zeitrad::timeline
