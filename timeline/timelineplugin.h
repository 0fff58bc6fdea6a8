// The plugin "timeline": the period list window's timeline picture for zeitrad-dasa --timeline
// (cli/timelinewriter.h), painted by the window's own code on Qt's offscreen platform.
#pragma once

#include <QObject>

#include "cli/timelinewriter.h"

namespace zeitrad::timeline {

class TimelinePlugin : public QObject, public cli::TimelineWriter {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZeitradTimelineWriter_iid)
    Q_INTERFACES(zeitrad::cli::TimelineWriter)
public:
    std::string write(const cli::TimelineOrder& order) override;
};

} // namespace zeitrad::timeline
