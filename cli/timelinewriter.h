// zeitrad-dasa's --timeline: the period list window's timeline as a PNG picture, without a
// window. The painting is the window's own and needs Qt's GUI library, which zeitrad-dasa does not
// link: the plugin "timeline" (timeline/) carries it and is loaded only for --timeline, so that
// every other run starts as fast as before and the program runs where no GUI library is wanted.
#pragma once

#include <QtPlugin>

#include <optional>
#include <string>

#include "engine/calculation.h"
#include "engine/civildate.h"

namespace zeitrad::cli {

struct TimelineOrder {
    Result result;
    YearLength yearLength = YearLength::solar;
    CivilDate today;       // whose periods are outlined, with the day's line
    std::string birthName; // a birth of the register; empty otherwise
    // The first and the last day shown; none: birth, the end of the cycle.
    std::optional<CivilDate> from, to;
    int depth = 3;                // bands, levels 1 .. depth
    int width = 1200, height = 0; // pixels; height 0: as tall as the bands want
    std::string file;
};

class TimelineWriter {
public:
    virtual ~TimelineWriter() = default;
    // Paints the picture and writes it as a PNG file through the program's save; the German
    // message when it could not be written, empty when it was.
    virtual std::string write(const TimelineOrder& order) = 0;
};

} // namespace zeitrad::cli

#define ZeitradTimelineWriter_iid "example.kelmora.zeitrad.TimelineWriter/1"
Q_DECLARE_INTERFACE(zeitrad::cli::TimelineWriter, ZeitradTimelineWriter_iid)
