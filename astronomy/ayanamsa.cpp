#include "astronomy/ayanamsa.h"

namespace zeitrad::astronomy {

namespace {

struct Names {
    Ayanamsa ayanamsa;
    std::string_view token, label;
};

constexpr Names names[] = {
    {Ayanamsa::zeitrad, "zeitrad", "Zeitrad (Lahiri-Formel)"},
    {Ayanamsa::lahiri, "lahiri", "Lahiri (Chitrapaksha)"},
    {Ayanamsa::lahiriIcrc, "lahiri-icrc", "Lahiri (ICRC 1956)"},
    {Ayanamsa::trueChitra, "true-chitra", "True Chitra"},
    {Ayanamsa::krishnamurti, "kp", "Krishnamurti (KP)"},
    {Ayanamsa::raman, "raman", "Raman"},
    {Ayanamsa::faganBradley, "fagan-bradley", "Fagan/Bradley"},
    {Ayanamsa::yukteshwar, "yukteshwar", "Yukteshwar"},
    {Ayanamsa::truePushya, "true-pushya", "True Pushya"},
    {Ayanamsa::ushaShashi, "ushashashi", "Usha-Shashi"},
};

const Names& namesOf(Ayanamsa ayanamsa) {
    for (const Names& n : names)
        if (n.ayanamsa == ayanamsa)
            return n;
    return names[0];
}

} // namespace

std::string_view ayanamsaToken(Ayanamsa ayanamsa) {
    return namesOf(ayanamsa).token;
}

std::string_view ayanamsaLabel(Ayanamsa ayanamsa) {
    return namesOf(ayanamsa).label;
}

std::optional<Ayanamsa> ayanamsaOfToken(std::string_view token) {
    for (const Names& n : names)
        if (n.token == token)
            return n.ayanamsa;
    return std::nullopt;
}

std::string ayanamsaTokens() {
    std::string list;
    for (const Names& n : names)
        list += (list.empty() ? "" : ", ") + std::string(n.token);
    return list;
}

} // namespace zeitrad::astronomy
