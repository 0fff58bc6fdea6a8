// Feeds arbitrary files to the AAF reader, and what it read to the writer and back to the reader.
// Every file must give births with real dates and skip reports on lines the file has, in order,
// and a note no longer than the reader keeps. Whatever was read must be written in both encodings
// and read again as the same births: every field that AAF keeps, the texts as the encoding holds
// them, the coordinates to the arc minute the writer rounds to.
#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "formats/aaf.h"
#include "fuzz/require.h"

using zeitrad::fuzz::require;

namespace {

using zeitrad::birth::Birth;
using namespace zeitrad::formats;

// A text as it comes back from a file in the encoding: what Windows-1252 cannot hold is "?".
QString held(const QString& text, AafEncoding encoding) {
    return encoding == AafEncoding::Utf8 ? text : fromWindows1252(toWindows1252(text));
}

// A field of the #A93 line as it comes back: the writer turns the characters that would end the
// field or the line into others, the reader trims and reads "*" as unknown.
QString heldField(QString field, AafEncoding encoding) {
    field.replace(u',', u';').replace(u'#', u' ').replace(u'\n', u' ');
    field = held(field, encoding).trimmed();
    return field == u"*" ? QString() : field;
}

// Within the half arc minute that the writer rounds coordinates by.
bool nearlyEqual(std::optional<double> a, std::optional<double> b) {
    return a && b && std::fabs(*a - *b) <= 0.5 / 60 + 1e-9;
}

// The first field in which the birth read again differs from the one written, or none. `texts`:
// whether the texts can be compared (not when the bytes written as Windows-1252 happened to be
// valid UTF-8 and were read as such).
const char* difference(const Birth& written, const Birth& read, AafEncoding encoding, bool texts) {
    if (texts && (read.surname != heldField(written.surname, encoding) ||
                  read.firstName != heldField(written.firstName, encoding)))
        return "the name read back differs";
    if (texts && (read.place != heldField(written.place, encoding) ||
                  read.country != heldField(written.country, encoding)))
        return "the place read back differs";
    if (texts && read.note != held(written.note, encoding))
        return "the note read back differs";
    if (read.kind != written.kind)
        return "the kind read back differs";
    if (read.date != written.date || read.time != written.time)
        return "the date or time read back differs";
    // The coordinates and clocks are written together or not at all.
    if (written.latitude && written.longitude && written.clocks) {
        if (!nearlyEqual(read.latitude, written.latitude) ||
            !nearlyEqual(read.longitude, written.longitude))
            return "the coordinates read back differ by more than the rounding";
        // A fixed offset's zone difference is written to the minute, as the coordinates are.
        const bool offsets = read.clocks && read.clocks->isOffset() && written.clocks->isOffset();
        if (offsets ? std::abs(read.clocks->offsetSeconds() - written.clocks->offsetSeconds()) >= 60
                    : read.clocks != written.clocks)
            return "the clocks read back differ";
    } else if (read.latitude || read.longitude || read.clocks) {
        return "coordinates or clocks read back that were not written";
    }
    return nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const AafRead read = readAaf(bytes);
    // Lines end with a line feed; in a file without one, with a carriage return alone.
    const qsizetype lines = (bytes.contains('\n') ? bytes.count('\n') : bytes.count('\r')) + 1;
    require(read.births.size() == read.lines.size(), "a birth without its line");
    int previous = 0;
    for (qsizetype i = 0; i < read.births.size(); ++i) {
        const Birth& b = read.births[i];
        require(b.date.isValid(), "a birth without a valid date");
        require(!b.time || b.time->isValid(), "an invalid time");
        require(!b.latitude || (*b.latitude >= -90 && *b.latitude <= 90), "latitude out of range");
        require(!b.longitude || (*b.longitude >= -180 && *b.longitude <= 180),
                "longitude out of range");
        require(b.note.toUtf8().size() <= maxNoteBytes, "a note longer than the reader keeps");
        require(read.lines[i] > previous && read.lines[i] <= lines, "a birth's line out of order");
        previous = read.lines[i];
    }
    for (const AafSkip& skip : read.skipped) {
        require(skip.line >= 1 && skip.line <= lines, "a skip report beyond the file");
        require(!skip.reason.isEmpty(), "a skip report without a reason");
    }
    for (const AafRemark& remark : read.remarks)
        require(read.lines.contains(remark.line), "a remark on no birth that was read");
    for (const AafEncoding encoding : {AafEncoding::Utf8, AafEncoding::Windows1252}) {
        const QByteArray written = writeAaf(read.births, encoding);
        const AafRead again = readAaf(written);
        require(again.skipped.isEmpty(), "a written birth not read back");
        require(again.remarks.isEmpty(), "a written note cut when read back");
        require(again.births.size() == read.births.size(), "a written birth not read back");
        const bool texts =
            encoding == AafEncoding::Utf8 || again.encoding == AafEncoding::Windows1252 ||
            std::none_of(written.begin(), written.end(),
                         [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
        for (qsizetype i = 0; i < read.births.size(); ++i)
            if (const char* why = difference(read.births[i], again.births[i], encoding, texts))
                require(false, why);
    }
    return 0;
}
