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
    return savePng(QString::fromStdString(order.file), image).toStdString();
}

} // namespace

std::string TimelinePlugin::write(const cli::TimelineOrder& order) {
    if (QCoreApplication::instance())
        return draw(order);
    // Fonts and painting need a QGuiApplication, and zeitrad-dasa has none (nor a
    // QCoreApplication): one is made for the picture on the offscreen platform, which needs no
    // display, and ends after it, when everything painted with it is gone.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zeitrad-dasa";
    static char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    return draw(order);
}

} // namespace zeitrad::timeline
