// Feeds arbitrary command lines to zeitrad-dasa's option reader; the input's bytes are the
// arguments, separated by NUL bytes. Every command line is either refused with a message or read
// into options that fit together: the birth road has its moment and clocks and no field texts,
// the road of the field texts no clocks; and the same command line reads the same way twice.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/options.h"
#include "fuzz/require.h"

using zeitrad::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zeitrad::cli;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> arguments;
    for (std::size_t start = 0; start <= bytes.size();) {
        const std::size_t end = std::min(bytes.find('\0', start), bytes.size());
        arguments.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    const auto parsed = parseArguments(arguments);
    const auto again = parseArguments(arguments);
    require(parsed.index() == again.index(), "the same command line read two ways");
    if (const auto* refusal = std::get_if<zeitrad::Refusal>(&parsed)) {
        require(!refusal->message.empty(), "empty refusal");
        return 0;
    }
    const Options& o = std::get<Options>(parsed);
    const zeitrad::BirthInput none;
    if (o.road == Road::born) {
        require(o.input.day == none.day && o.input.degrees == none.degrees &&
                    o.input.sign == none.sign && o.input.tropical == none.tropical,
                "field texts on the birth road");
    } else {
        require(o.born.where.empty() && o.born.moment.empty() && !o.born.summerTime,
                "clocks on the road of the field texts");
    }
    require(!o.depth || (*o.depth >= 1 && *o.depth <= 5), "depth out of range");
    return 0;
}
