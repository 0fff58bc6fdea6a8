// Feeds arbitrary texts to the reader of zeitrad-dasa's --born ("T.M.J H:MM[:SS]"). A text is
// either refused with a message, or read as a day that exists and a time of the clock, which,
// written out again, reads back as the same.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "cli/clockreading.h"
#include "fuzz/require.h"

using zeitrad::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zeitrad::cli;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto read = readClock(text);
    if (const auto* refusal = std::get_if<zeitrad::Refusal>(&read)) {
        require(!refusal->message.empty(), "empty refusal");
        return 0;
    }
    const ClockReading& r = std::get<ClockReading>(read);
    require(zeitrad::isValid(r.date), "a day that does not exist");
    require(r.hour >= 0 && r.hour <= 23 && r.minute >= 0 && r.minute <= 59 && r.second >= 0 &&
                r.second <= 59,
            "a time outside the clock");
    const std::string written = std::to_string(r.date.day) + '.' + std::to_string(r.date.month) +
                                '.' + std::to_string(r.date.year) + ' ' + std::to_string(r.hour) +
                                ':' + std::to_string(r.minute) + ':' + std::to_string(r.second);
    const auto again = readClock(written);
    const auto* back = std::get_if<ClockReading>(&again);
    require(back && back->date == r.date && back->hour == r.hour && back->minute == r.minute &&
                back->second == r.second,
            "a reading written out does not read back");
    return 0;
}
