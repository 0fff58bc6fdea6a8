// The three reference tables of the Vimsottari scheme: the nine planets, the 27 nakshatras and
// the 81 antardasa lengths. Planets are named by their index 1..9 in dasa order; 0 is never a
// planet.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zeitrad {

constexpr int planetCount = 9;
constexpr int nakshatraCount = 27;

enum Planet : int {
    Ketu = 1,
    Sukra = 2,
    Surya = 3,
    Chandra = 4,
    Mangal = 5,
    Rahu = 6,
    Guru = 7,
    Sani = 8,
    Buddha = 9,
};

struct Rgb {
    std::uint8_t r, g, b;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// The planet after p in dasa order: Buddha is followed by Ketu.
constexpr int advanceWithWrap(int p) {
    return p >= planetCount ? 1 : p + 1;
}

// Index 0 is unused so that the tables read with the planet index directly.
// The names keep their trailing blanks: they are shown exactly as stored.
constexpr std::array<std::string_view, 10> planetName = {
    "",
    "Ketu         ",
    "Sukra        ",
    "Surya        ",
    "Chandra   ",
    "Mangal       ",
    "Rahu         ",
    "Guru           ",
    "Sani           ",
    "Buddha       ",
};

constexpr std::array<Rgb, 10> planetColor = {{
    {0, 0, 0},
    {128, 0, 128},   // Ketu: purple
    {0, 255, 0},     // Sukra: lime
    {255, 255, 0},   // Surya: yellow
    {255, 255, 255}, // Chandra: white
    {255, 0, 0},     // Mangal: red
    {255, 0, 255},   // Rahu: fuchsia
    {0, 0, 255},     // Guru: blue
    {0, 0, 0},       // Sani: black
    {166, 202, 240}, // Buddha: sky blue
}};

constexpr std::array<int, 10> dasaYears = {0, 7, 20, 6, 10, 7, 18, 16, 19, 17};

constexpr std::array<std::string_view, 28> nakshatraName = {
    "",
    "Aswini",
    "Bharani",
    "Krittikaa",
    "Rohini",
    "Mrigashiraa",
    "Arrdria",
    "Punarvasu",
    "Pushya",
    "Ashleshaa",
    "Maghaa",
    "Purva Phalguni",
    "Uttara Phalguni",
    "Hasta",
    "Chitraa",
    "Swaati",
    "Vishaakhaa",
    "Anuradha",
    "Jyeshta",
    "Mula",
    "Purva Ashada",
    "Uttara Ashada",
    "Shravana",
    "Dhanishta",
    "Shatabisha",
    "Purva Bhadra",
    "Uttara Bhadra",
    "Revati",
};

// Lord of nakshatra n (1..27): Ketu, Sukra, ... Buddha, three times over.
constexpr int nakshatraLord(int n) {
    return (n - 1) % planetCount + 1;
}

// antarDays[M][A]: days of the antardasa of A within the mahadasa of M, that is
// M's years x A's years / 120 years on the 360-day year. Held as constants.
// clang-format off
constexpr std::array<std::array<int, 10>, 10> antarDays = {{
    {0,    0,    0,    0,    0,    0,    0,    0,    0,    0},
    {0,  147,  420,  126,  210,  147,  378,  336,  399,  357}, // Ketu
    {0,  420, 1200,  360,  600,  420, 1080,  960, 1140, 1020}, // Sukra
    {0,  126,  360,  108,  180,  126,  324,  288,  342,  306}, // Surya
    {0,  210,  600,  180,  300,  210,  540,  480,  570,  510}, // Chandra
    {0,  147,  420,  126,  210,  147,  378,  336,  399,  357}, // Mangal
    {0,  378, 1080,  324,  540,  378,  972,  864, 1026,  918}, // Rahu
    {0,  336,  960,  288,  480,  336,  864,  768,  912,  816}, // Guru
    {0,  399, 1140,  342,  570,  399, 1026,  912, 1083,  969}, // Sani
    {0,  357, 1020,  306,  510,  357,  918,  816,  969,  867}, // Buddha
}};
// clang-format on

} // namespace zeitrad
