// Feeds arbitrary input screens to the calculation. Every input must give either a result whose
// cells tell one consistent story of periods, or a German message naming what was refused; and
// the same input must give the same result whatever was calculated before it.
//
// Input layout: byte 0 picks the sign (its value modulo 13, 0 meaning none chosen), bit 0 of byte
// 1 the tropical box; the rest holds the six field texts (day, month, year, degrees, minutes,
// seconds) separated by newlines, each cut to the characters its field takes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "engine/calculation.h"
#include "engine/input.h"
#include "engine/tables.h"
#include "fuzz/require.h"

using zeitrad::fuzz::require;

namespace {

using namespace zeitrad;

// The text cut to at most maxChars characters of UTF-8: continuation bytes belong to the
// character before them, so a character is never split.
std::string cut(std::string_view text, int maxChars) {
    int chars = 0;
    std::size_t end = 0;
    for (; end < text.size(); ++end) {
        const bool startsCharacter = (static_cast<unsigned char>(text[end]) & 0xC0) != 0x80;
        if (startsCharacter && ++chars > maxChars)
            break;
    }
    return std::string(text.substr(0, end));
}

BirthInput decode(const std::uint8_t* data, std::size_t size) {
    BirthInput in;
    if (size >= 1)
        in.sign = data[0] % 13;
    if (size >= 2)
        in.tropical = (data[1] & 1) != 0;
    std::string_view rest;
    if (size > 2)
        rest = std::string_view(reinterpret_cast<const char*>(data + 2), size - 2);

    // The member pointer through an alias: clang-format 14 and 19 lay out a named member pointer
    // differently, but agree on this.
    using Text = std::string BirthInput::*;
    struct Field {
        Text text;
        int maxChars;
    };
    constexpr Field fields[] = {
        {&BirthInput::day, 2},     {&BirthInput::month, 2},   {&BirthInput::year, 4},
        {&BirthInput::degrees, 2}, {&BirthInput::minutes, 2}, {&BirthInput::seconds, 2},
    };
    for (const Field& f : fields) {
        const std::size_t newline = rest.find('\n');
        in.*f.text = cut(rest.substr(0, newline), f.maxChars);
        rest = newline == std::string_view::npos ? std::string_view{} : rest.substr(newline + 1);
    }
    return in;
}

bool inNormalForm(const AgeTriple& age) {
    return age.totalDays() >= 0 && AgeTriple::fromDays(age.totalDays()) == age;
}

void checkRefusal(const Refusal& refusal, const BirthInput& in) {
    require(!refusal.message.empty(), "empty refusal message");
    if (refusal.message == longitudeOutOfRangeMessage(in.tropical))
        return;
    // Otherwise the message quotes one of the fields, and that field holds no integer.
    for (const std::string* text :
         {&in.day, &in.month, &in.year, &in.degrees, &in.minutes, &in.seconds}) {
        if (refusal.message == notAnIntegerMessage(*text)) {
            require(!toInteger(*text), "a valid integer was refused");
            return;
        }
    }
    require(false, "refusal message is neither the integer nor the position message");
}

void checkResult(const Result& r) {
    require(r.nakshatra >= 1 && r.nakshatra <= nakshatraCount, "nakshatra out of range");
    require(r.nakshatraName == nakshatraName[r.nakshatra], "wrong nakshatra name");
    const int birthLord = r.birthLord;
    require(birthLord == nakshatraLord(r.nakshatra), "wrong birth lord");
    require(r.cells[1].lord == birthLord && r.cells[1].shown, "birth cell");

    for (int k = 1; k <= 81; ++k) {
        const Cell& c = r.cells[k];
        require(inNormalForm(c.age), "age not in normal form");
        if (c.shown)
            require(c.lord >= 1 && c.lord <= planetCount, "shown cell without a planet");
        else
            require(k >= 3 && k <= 9 && c.age == AgeTriple{}, "hidden cell outside row 1");
    }

    // Row 1: the antardasa running at birth, then the following ones until the lord comes back
    // to the birth lord; once a column is hidden, the rest of the row is too.
    const Cell& running = r.cells[2];
    require(running.shown, "running antardasa hidden");
    const int runningLength = antarDays[birthLord][running.lord];
    require(running.age.totalDays() <= runningLength, "more days run than the antardasa has");
    int lord = running.lord;
    int chainEnd = runningLength - running.age.totalDays();
    int lastShown = 2;
    for (int k = 3; k <= 9; ++k) {
        const Cell& c = r.cells[k];
        lord = advanceWithWrap(lord);
        if (!c.shown) {
            require(lord == birthLord, "row 1 ends before the birth mahadasa does");
            for (int j = k + 1; j <= 9; ++j)
                require(!r.cells[j].shown, "shown cell after a hidden one in row 1");
            break;
        }
        require(c.lord == lord && lord != birthLord, "row 1 out of dasa order");
        require(c.age.totalDays() == chainEnd, "row 1 cell is not the end of the one before");
        chainEnd += antarDays[birthLord][lord];
        lastShown = k;
    }
    // When all eight columns are shown, the mahadasa can still hold an antardasa without a column.
    if (lastShown == 9)
        for (lord = advanceWithWrap(lord); lord != birthLord; lord = advanceWithWrap(lord))
            chainEnd += antarDays[birthLord][lord];
    // The second mahadasa starts at the balance, truncated; the walk of row 1 counts the days run
    // truncated instead, so the two may differ by the one day of rounding between them.
    const int balance = r.cells[10].age.totalDays();
    require(chainEnd - balance == 0 || chainEnd - balance == 1, "row 1 does not meet row 2");

    // Rows 2 to 9: each mahadasa's nine antardasas in dasa order, end to end.
    int maha = birthLord;
    int rowStart = balance;
    for (int row = 2; row <= 9; ++row) {
        const int first = 9 * (row - 1) + 1;
        maha = advanceWithWrap(maha);
        require(r.cells[first].lord == maha, "row does not start with its mahadasa");
        require(r.cells[first].age.totalDays() == rowStart, "row does not start where one ends");
        int sub = maha;
        for (int k = first + 1; k <= first + 8; ++k) {
            const int expected = r.cells[k - 1].age.totalDays() + antarDays[maha][sub];
            sub = advanceWithWrap(sub);
            require(r.cells[k].lord == sub, "antardasa out of dasa order");
            require(r.cells[k].age.totalDays() == expected, "antardasa of the wrong length");
        }
        rowStart += daysPerYear * dasaYears[maha];
    }
}

// Lives across inputs, as the window's engine does.
Engine& sharedEngine() {
    static Engine engine;
    return engine;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const BirthInput input = decode(data, size);
    Engine& engine = sharedEngine();
    const Engine before = engine;
    const Outcome outcome = engine.calculate(input);

    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        checkRefusal(*refusal, input);
        require(engine == before, "a refused input changed the engine");
        return 0;
    }
    const Result& result = std::get<Result>(outcome);
    checkResult(result);
    Engine fresh;
    const Outcome again = fresh.calculate(input);
    require(std::holds_alternative<Result>(again) && std::get<Result>(again) == result,
            "result depends on earlier calculations");
    return 0;
}
