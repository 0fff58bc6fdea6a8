// Feeds arbitrary texts to the reader of a birth place's longitude (the dialog's field and
// zeitrad-dasa --lmt). A text is either refused with a message, or read as a finite longitude
// within -180..180 whose decimal writing reads back as the same longitude.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "engine/geography.h"
#include "fuzz/require.h"

using zeitrad::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto read = zeitrad::parseGeoLongitude(text);
    if (const auto* refusal = std::get_if<zeitrad::Refusal>(&read)) {
        require(!refusal->message.empty(), "empty refusal");
        return 0;
    }
    const double degrees = std::get<zeitrad::GeoLongitude>(read).degrees;
    require(std::isfinite(degrees) && degrees >= -180 && degrees <= 180, "longitude out of range");
    char buffer[512]; // 180 and 1e-300 alike, without exponent
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, degrees, std::chars_format::fixed);
    const auto again = zeitrad::parseGeoLongitude(std::string_view(buffer, end.ptr));
    require(std::holds_alternative<zeitrad::GeoLongitude>(again) &&
                std::get<zeitrad::GeoLongitude>(again).degrees == degrees,
            "the decimal writing of a longitude does not read back");
    return 0;
}
