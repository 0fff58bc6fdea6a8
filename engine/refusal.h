// The one way the program says "no": a German message for the user; whatever refused changed
// nothing. Every layer that can refuse returns a std::variant<Value, Refusal> (or Refused<Value>).
#pragma once

#include <string>
#include <variant>

namespace zeitrad {

struct Refusal {
    std::string message;
    friend bool operator==(const Refusal&, const Refusal&) = default;
};

template <typename T> using Refused = std::variant<T, Refusal>;

} // namespace zeitrad
