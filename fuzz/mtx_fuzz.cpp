// Feeds arbitrary files to the reader of Maitreya's chart files. Whatever it is given, a chart it
// reads is a birth with a real date of the years it accepts, a time of the day, coordinates on the
// globe, a fixed offset of at most 16 hours and a note no longer than a birth keeps; one it refuses
// says why and names a line the file has. Telling a chart from an AAF file looks at the content
// alone and never fails.
#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "astronomy/moon.h"
#include "formats/aaf.h"
#include "formats/mtx.h"
#include "fuzz/require.h"

using zeitrad::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)zeitrad::formats::isMtx(bytes);
    int line = 0;
    const auto read = zeitrad::formats::readMtx(bytes, &line);
    if (const auto* refusal = std::get_if<zeitrad::Refusal>(&read)) {
        require(!refusal->message.empty(), "a refusal without a reason");
        require(line >= 1 && line <= qMax<qsizetype>(11, bytes.count('\n') + bytes.count('\r') + 1),
                "a refusal on a line the file does not have");
        return 0;
    }
    const zeitrad::birth::Birth& b = std::get<zeitrad::birth::Birth>(read);
    require(b.date.isValid(), "a birth without a valid date");
    require(b.date.year() >= zeitrad::astronomy::firstYear &&
                b.date.year() <= zeitrad::astronomy::lastYear,
            "a year outside the range");
    require(b.time && b.time->isValid(), "a chart without a valid time");
    require(b.latitude && *b.latitude >= -90 && *b.latitude <= 90, "latitude out of range");
    require(b.longitude && *b.longitude >= -180 && *b.longitude <= 180, "longitude out of range");
    require(b.clocks && b.clocks->isOffset() && std::abs(b.clocks->offsetSeconds()) <= 16 * 3600,
            "clocks that are no fixed offset of at most 16 hours");
    require(b.note.toUtf8().size() <= zeitrad::formats::maxNoteBytes,
            "a note longer than a birth keeps");
    return 0;
}
