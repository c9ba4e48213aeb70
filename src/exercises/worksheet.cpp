#include "worksheet.hpp"
#include "sha256.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

constexpr int maxCount = 30;
constexpr int maxGroups = 6;
constexpr std::uint64_t choiceCount = std::uint64_t{maxCount} * 3 * maxGroups * 2;
constexpr std::size_t valueLetters = 9;
constexpr std::uint64_t valueCount = std::uint64_t{1} << (5 * valueLetters);
constexpr std::uint64_t nonceCount = valueCount / choiceCount;
constexpr std::size_t olderLength = 8;

// A group that cannot be matched within this many draws (the profile of the first group needs
// more of a rare sort of problem than is left) makes the sheet start again from other seeds.
constexpr int drawsPerGroup = 200000;

constexpr std::array<std::string_view, 3> kindsNames = {"both", "work", "supply"};

std::uint64_t choiceIndex(SheetChoices c)
{
    const auto count = static_cast<std::uint64_t>(std::clamp(c.count, 1, maxCount) - 1);
    const auto groups = static_cast<std::uint64_t>(std::clamp(c.groups, 1, maxGroups) - 1);
    return ((count * 3 + static_cast<std::uint64_t>(c.kinds)) * maxGroups + groups) * 2 +
           static_cast<std::uint64_t>(c.calculator);
}

SheetChoices choicesAt(std::uint64_t index)
{
    SheetChoices c;
    c.calculator = static_cast<Calculator>(index % 2);
    index /= 2;
    c.groups = static_cast<int>(index % maxGroups) + 1;
    index /= maxGroups;
    c.kinds = static_cast<SheetKinds>(index % 3);
    c.count = static_cast<int>(index / 3) + 1;
    return c;
}

// The letters as the elements of the field of 32 (x^5 + x^2 + 1): doubling, and the Damm
// algorithm, whose state is doubled and added to by each letter. A code's check letter brings
// its state to 0, which catches any one wrong letter and any two neighbours swapped.
unsigned doubled(unsigned element)
{
    element <<= 1U;
    return (element & 32U) != 0 ? element ^ 0x25U : element;
}

unsigned checkState(std::string_view letters)
{
    unsigned state = 0;
    for (const char c : letters) {
        state = doubled(state) ^ static_cast<unsigned>(codeLetters.find(c));
    }
    return state;
}

std::uint32_t firstWord(const std::array<std::uint8_t, 32>& digest)
{
    return std::uint32_t{digest[0]} << 24 | std::uint32_t{digest[1]} << 16 |
           std::uint32_t{digest[2]} << 8 | std::uint32_t{digest[3]};
}

// Four letters of five bits each: a million labels.
std::string labelOf(const std::array<std::uint8_t, 32>& digest)
{
    const unsigned bits = unsigned{digest[0]} << 12 | unsigned{digest[1]} << 4 | digest[2] >> 4;
    std::string label = "Blatt ";
    for (int shift = 15; shift >= 0; shift -= 5) {
        label += codeLetters[(bits >> shift) & 31U];
    }
    return label;
}

bool sameProblem(const Exercise& a, const Exercise& b)
{
    return a.kind == b.kind && a.scenarioIndex == b.scenarioIndex &&
           a.firstGroupSize == b.firstGroupSize && a.secondGroupSize == b.secondGroupSize &&
           a.givenDuration == b.givenDuration;
}

bool taken(const std::vector<Exercise>& sheet, const Exercise& e)
{
    return std::any_of(sheet.begin(), sheet.end(),
                       [&e](const Exercise& d) { return sameProblem(d, e); });
}

bool fits(const Exercise& e, Calculator calculator)
{
    return calculator == Calculator::With ||
           (e.secondGroupSize <= 10 && e.firstGroupSize * e.givenDuration <= 500);
}

// How many problems of each kind a group may have.
struct KindCaps {
    std::size_t work;
    std::size_t supply;
};

KindCaps capsOf(SheetKinds kinds, std::size_t count)
{
    return kinds == SheetKinds::WorkOnly     ? KindCaps{count, 0}
           : kinds == SheetKinds::SupplyOnly ? KindCaps{0, count}
                                             : KindCaps{(count + 1) / 2, (count + 1) / 2};
}

std::size_t workCount(const std::vector<Exercise>& group)
{
    return static_cast<std::size_t>(std::count_if(group.begin(), group.end(), [](const auto& e) {
        return e.kind == ExerciseKind::WorkExercise;
    }));
}

// Draws count problems from std::rand seeded with seed, skipping a problem of a kind that has
// reached its cap, one that does not fit the calculator and one already on the sheet, which
// gains the drawn ones. The caps add up to at least count.
std::vector<Exercise> drawProblems(unsigned seed, std::size_t count, KindCaps caps,
                                   Calculator calculator, std::vector<Exercise>& sheet)
{
    std::srand(seed);
    std::vector<Exercise> drawn;
    while (drawn.size() < count) {
        const Exercise e = drawExercise();
        const bool work = e.kind == ExerciseKind::WorkExercise;
        const auto sameKind = work ? workCount(drawn) : drawn.size() - workCount(drawn);
        if (sameKind == (work ? caps.work : caps.supply) || !fits(e, calculator) ||
            taken(sheet, e)) {
            continue;
        }
        drawn.push_back(e);
        sheet.push_back(e);
    }
    return drawn;
}

// A group with the profile of first, each problem at the place of its profile's next problem
// in first; nothing if drawsPerGroup draws do not complete it.
std::optional<std::vector<Exercise>> drawLike(unsigned seed, const std::vector<Exercise>& first,
                                              std::vector<Exercise>& sheet)
{
    std::srand(seed);
    std::vector<std::optional<Exercise>> places(first.size());
    std::size_t filled = 0;
    for (int draws = 0; draws < drawsPerGroup && filled < first.size(); ++draws) {
        const Exercise e = drawExercise();
        const Profile profile = profileOf(e);
        std::size_t at = 0;
        while (at < first.size() && (places[at] || !(profileOf(first[at]) == profile))) {
            ++at;
        }
        if (at == first.size() || taken(sheet, e)) {
            continue;
        }
        places[at] = e;
        sheet.push_back(e);
        ++filled;
    }
    if (filled < first.size()) {
        return std::nullopt;
    }
    std::vector<Exercise> group;
    group.reserve(places.size());
    for (const auto& place : places) {
        group.push_back(*place);
    }
    return group;
}

// The seeds leave out the number of groups, and all six groups are drawn, so that a sheet with
// more groups begins with the groups of one with fewer.
std::vector<std::vector<Exercise>> fairGroups(const SheetCode& code)
{
    const SheetChoices& c = code.choices;
    const auto count = static_cast<std::size_t>(std::clamp(c.count, 1, maxCount));
    for (int attempt = 0;; ++attempt) {
        const auto seed = [&](int group) {
            std::string text = "group " + std::to_string(group) + '\n' + std::to_string(attempt) +
                               '\n' + std::to_string(code.nonce) + '\n' + std::to_string(c.count) +
                               '\n' + std::string(kindsName(c.kinds)) + '\n' +
                               (c.calculator == Calculator::With ? "with" : "without");
            return firstWord(sha256(text));
        };
        std::vector<Exercise> sheet;
        std::vector<std::vector<Exercise>> groups{
            drawProblems(seed(0), count, capsOf(c.kinds, count), c.calculator, sheet)};
        for (int group = 1; group < maxGroups; ++group) {
            auto drawn = drawLike(seed(group), groups[0], sheet);
            if (!drawn) {
                break;
            }
            groups.push_back(std::move(*drawn));
        }
        if (groups.size() == maxGroups) {
            groups.resize(static_cast<std::size_t>(std::clamp(c.groups, 1, maxGroups)));
            return groups;
        }
    }
}

// What was hashed for an older sheet: its purpose first, so that a label and a seed never
// share a hash, then the code, the count and the kinds.
std::string olderHashed(std::string_view purpose, const SheetCode& code)
{
    std::string text(purpose);
    text += '\n';
    text += code.code;
    text += '\n' + std::to_string(code.choices.count) + '\n' +
            std::to_string(static_cast<int>(code.choices.kinds));
    return text;
}

// An older sheet as it was printed: each group with the first group's mix of kinds only.
std::vector<std::vector<Exercise>> olderGroups(const SheetCode& code)
{
    const auto count = static_cast<std::size_t>(std::clamp(code.choices.count, 1, maxCount));
    KindCaps caps = capsOf(code.choices.kinds, count);
    std::vector<Exercise> sheet;
    std::vector<std::vector<Exercise>> groups;
    for (int group = 0; group < std::clamp(code.choices.groups, 1, maxGroups); ++group) {
        const auto seed = firstWord(sha256(olderHashed("group " + std::to_string(group), code)));
        const auto& drawn =
            groups.emplace_back(drawProblems(seed, count, caps, Calculator::With, sheet));
        if (group == 0) {
            caps = {workCount(drawn), count - workCount(drawn)};
        }
    }
    return groups;
}

} // namespace

std::string_view kindsName(SheetKinds kinds)
{
    return kindsNames.at(static_cast<std::size_t>(kinds));
}

std::optional<SheetKinds> kindsNamed(std::string_view name)
{
    const auto at = std::find(kindsNames.begin(), kindsNames.end(), name);
    if (at == kindsNames.end()) {
        return std::nullopt;
    }
    return static_cast<SheetKinds>(at - kindsNames.begin());
}

SheetCode readCode(std::string_view text)
{
    SheetCode read;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '-') {
            read.code += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        }
    }
    using Status = SheetCode::Status;
    if (read.code.find_first_not_of(codeLetters) != std::string::npos) {
        read.status = Status::WrongLetter;
    } else if (read.code.size() == olderLength) {
        read.status = Status::Older;
        read.choices.calculator = Calculator::With;
    } else if (read.code.size() != valueLetters + 1) {
        read.status = Status::WrongLength;
    } else if (checkState(read.code) != 0) {
        read.status = Status::Mistyped;
    } else {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < valueLetters; ++i) {
            value = value * 32 + codeLetters.find(read.code[i]);
        }
        read.status = Status::Sheet;
        read.nonce = value / choiceCount;
        read.choices = choicesAt(value % choiceCount);
    }
    return read;
}

std::string sheetCode(std::uint64_t nonce, SheetChoices choices)
{
    std::uint64_t value = nonce % nonceCount * choiceCount + choiceIndex(choices);
    std::string code(valueLetters, ' ');
    for (std::size_t i = valueLetters; i-- > 0; value /= 32) {
        code[i] = codeLetters[value % 32];
    }
    return code + codeLetters[doubled(checkState(code))];
}

Worksheet makeWorksheet(const SheetCode& code)
{
    if (code.status == SheetCode::Status::Older) {
        return {labelOf(sha256(olderHashed("label", code))), code, olderGroups(code)};
    }
    return {labelOf(sha256("label\n" + code.code)), code, fairGroups(code)};
}

Profile profileOf(const Exercise& e)
{
    const int product = e.firstGroupSize * e.givenDuration;
    return {e.kind, e.secondGroupSize > 10, product <= 100 ? 0 : product <= 500 ? 1 : 2};
}
