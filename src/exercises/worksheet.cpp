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

// Draws count problems of the kinds from std::rand seeded with seed, skipping those in taken,
// which gains the drawn ones.
std::vector<Exercise> drawProblems(unsigned seed, int count, SheetKinds kinds,
                                   std::vector<Exercise>& taken)
{
    std::srand(seed);
    const auto wanted = static_cast<std::size_t>(std::clamp(count, 1, 30));
    std::vector<Exercise> drawn;
    while (drawn.size() < wanted) {
        const Exercise e = drawExercise();
        const bool work = e.kind == ExerciseKind::WorkExercise;
        const auto sameKind = std::count_if(drawn.begin(), drawn.end(),
                                            [&e](const Exercise& d) { return d.kind == e.kind; });
        if ((kinds == SheetKinds::WorkOnly && !work) || (kinds == SheetKinds::SupplyOnly && work) ||
            (kinds == SheetKinds::Both && static_cast<std::size_t>(sameKind) == (wanted + 1) / 2) ||
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

    std::vector<Exercise> taken;
    const int groups = std::clamp(choices.groups, 1, 6);
    for (int group = 0; group < groups; ++group) {
        const auto seed = sha256(hashed("group " + std::to_string(group), code, choices));
        const unsigned s = unsigned{seed[0]} << 24 | unsigned{seed[1]} << 16 |
                           unsigned{seed[2]} << 8 | unsigned{seed[3]};
        sheet.groups.push_back(drawProblems(s, choices.count, choices.kinds, taken));
    }
    return sheet;
}
