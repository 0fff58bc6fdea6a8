// The ayanamsas a Moon can be made sidereal with: Zeitrad's own formula, which the input screen
// applies to a tropical position, and the usual ones of the field, as the Swiss Ephemeris defines
// them. Their names on the command line and in the register, and their German labels.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zeitrad::astronomy {

enum class Ayanamsa {
    zeitrad,      // 22°27′38″ in 1900 and 50.3″ a year, the input screen's own
    lahiri,       // Chitrapaksha, the Swiss Ephemeris's standard Lahiri
    lahiriIcrc,   // as the Calendar Reform Committee gave it in 1956
    trueChitra,   // Spica at 180° sidereal, at every moment
    krishnamurti, // KP
    raman,
    faganBradley,
    yukteshwar,
    truePushya, // δ Cancri at 106° sidereal, at every moment
    ushaShashi,
};

// In the order a choice offers them, the program's own first.
inline constexpr Ayanamsa allAyanamsas[] = {
    Ayanamsa::zeitrad,      Ayanamsa::lahiri,     Ayanamsa::lahiriIcrc,   Ayanamsa::trueChitra,
    Ayanamsa::krishnamurti, Ayanamsa::raman,      Ayanamsa::faganBradley, Ayanamsa::yukteshwar,
    Ayanamsa::truePushya,   Ayanamsa::ushaShashi,
};

// "zeitrad", "lahiri", "lahiri-icrc", "true-chitra", "kp", "raman", "fagan-bradley",
// "yukteshwar", "true-pushya", "ushashashi": how the command line, the register and the settings
// name it.
std::string_view ayanamsaToken(Ayanamsa ayanamsa);
// The ayanamsa of its token; nothing for any other text.
std::optional<Ayanamsa> ayanamsaOfToken(std::string_view token);
// Every token, separated by ", ".
std::string ayanamsaTokens();
// "Zeitrad (Lahiri-Formel)", "Lahiri (Chitrapaksha)", …: how the window names it (UTF-8).
std::string_view ayanamsaLabel(Ayanamsa ayanamsa);

} // namespace zeitrad::astronomy
