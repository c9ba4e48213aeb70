#include "worksheet.hpp"
#include "sha256.hpp"

#include <algorithm>
#include <cstdlib>

namespace {

bool sameProblem(const Exercise& a, const Exercise& b)
{
    return a.kind == b.kind && a.scenarioIndex == b.scenarioIndex &&
           a.firstGroupSize == b.firstGroupSize && a.secondGroupSize == b.secondGroupSize &&
           a.givenDuration == b.givenDuration;
}

// What is hashed for a sheet: its purpose first, so that a label and a seed never share a
// hash, then the code and the choices.
std::string hashed(std::string_view purpose, std::string_view code, SheetChoices choices)
{
    std::string text(purpose);
    text += '\n';
    text += code;
    text += '\n' + std::to_string(choices.count) + '\n' +
            std::to_string(static_cast<int>(choices.kinds));
    return text;
}

// How many problems of each kind a group may have.
struct KindCaps {
    std::size_t work;
    std::size_t supply;
};

// Draws count problems from std::rand seeded with seed, skipping a problem of a kind that has
// reached its cap and one already in taken, which gains the drawn ones. The caps add up to at
// least count.
std::vector<Exercise> drawProblems(unsigned seed, std::size_t count, KindCaps caps,
                                   std::vector<Exercise>& taken)
{
    std::srand(seed);
    std::vector<Exercise> drawn;
    while (drawn.size() < count) {
        const Exercise e = drawExercise();
        const bool work = e.kind == ExerciseKind::WorkExercise;
        const auto sameKind = static_cast<std::size_t>(std::count_if(
            drawn.begin(), drawn.end(), [&e](const Exercise& d) { return d.kind == e.kind; }));
        if (sameKind == (work ? caps.work : caps.supply) ||
            std::any_of(taken.begin(), taken.end(),
                        [&e](const Exercise& d) { return sameProblem(d, e); })) {
            continue;
        }
        drawn.push_back(e);
        taken.push_back(e);
    }
    return drawn;
}

} // namespace

Worksheet makeWorksheet(std::string_view code, SheetChoices choices)
{
    Worksheet sheet;
    // Four letters of five bits each: a million labels.
    const auto label = sha256(hashed("label", code, choices));
    const unsigned bits = unsigned{label[0]} << 12 | unsigned{label[1]} << 4 | label[2] >> 4;
    sheet.label = "Blatt ";
    for (int shift = 15; shift >= 0; shift -= 5) {
        sheet.label += codeLetters[(bits >> shift) & 31U];
    }

    // With both kinds the first group takes half of each, the odd one to whichever kind its
    // draws give first; the other groups take the same mix, so that no group has more of the
    // harder kind.
    const auto count = static_cast<std::size_t>(std::clamp(choices.count, 1, 30));
    KindCaps caps = choices.kinds == SheetKinds::WorkOnly ? KindCaps{count, 0}
                    : choices.kinds == SheetKinds::SupplyOnly
                        ? KindCaps{0, count}
                        : KindCaps{(count + 1) / 2, (count + 1) / 2};
    std::vector<Exercise> taken;
    const int groups = std::clamp(choices.groups, 1, 6);
    for (int group = 0; group < groups; ++group) {
        const auto seed = sha256(hashed("group " + std::to_string(group), code, choices));
        const unsigned s = unsigned{seed[0]} << 24 | unsigned{seed[1]} << 16 |
                           unsigned{seed[2]} << 8 | unsigned{seed[3]};
        const auto& drawn = sheet.groups.emplace_back(drawProblems(s, count, caps, taken));
        if (group == 0) {
            const auto work = static_cast<std::size_t>(
                std::count_if(drawn.begin(), drawn.end(), [](const Exercise& e) {
                    return e.kind == ExerciseKind::WorkExercise;
                }));
            caps = {work, count - work};
        }
    }
    return sheet;
}
