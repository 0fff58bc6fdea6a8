// Feeds arbitrary files to the AAF reader, and what it read to the writer and back to the reader.
// Every file must give births with real dates and skip reports on lines the file has, in order;
// whatever was read must be written in both encodings and read again without a crash.
#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "formats/aaf.h"
#include "fuzz/require.h"

using zeitrad::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zeitrad::birth;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const AafRead read = readAaf(bytes);
    const qsizetype lines = bytes.count('\n') + 1;
    require(read.births.size() == read.lines.size(), "a birth without its line");
    int previous = 0;
    for (qsizetype i = 0; i < read.births.size(); ++i) {
        const Birth& b = read.births[i];
        require(b.date.isValid(), "a birth without a valid date");
        require(!b.time || b.time->isValid(), "an invalid time");
        require(!b.latitude || (*b.latitude >= -90 && *b.latitude <= 90), "latitude out of range");
        require(!b.longitude || (*b.longitude >= -180 && *b.longitude <= 180),
                "longitude out of range");
        require(read.lines[i] > previous && read.lines[i] <= lines, "a birth's line out of order");
        previous = read.lines[i];
    }
    for (const AafSkip& skip : read.skipped) {
        require(skip.line >= 1 && skip.line <= lines, "a skip report beyond the file");
        require(!skip.reason.isEmpty(), "a skip report without a reason");
    }
    for (const AafEncoding encoding : {AafEncoding::Utf8, AafEncoding::Windows1252}) {
        const AafRead again = readAaf(writeAaf(read.births, encoding));
        require(again.births.size() + again.skipped.size() == read.births.size(),
                "a written birth neither read back nor reported");
    }
    return 0;
}
