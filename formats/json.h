// The pieces of JSON that zeitrad-dasa writes: strings and numbers, the same whatever the locale.
#pragma once

#include <string>
#include <string_view>

namespace zeitrad::formats {

// `text` (UTF-8) as a JSON string, quotes included.
std::string jsonString(std::string_view text);
// A number with a point and eight decimals, whatever the locale.
std::string jsonNumber(double value);

} // namespace zeitrad::formats
