// The problems of a worksheet, drawn by the program's own generator and worded by its own
// statement writer, so that a sheet poses word for word what the program would. Built for the
// worksheet page only (web/arbeitsblatt.js), which calls worksheet() once per sheet.
#include "exercise_catalogue.hpp"
#include "exercise_generator.hpp"

#include <emscripten.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The kinds a sheet asks for.
constexpr int bothKinds = 0;
constexpr int workOnly = 1;
constexpr int supplyOnly = 2;

bool sameProblem(const Exercise& a, const Exercise& b)
{
    return a.kind == b.kind && a.scenarioIndex == b.scenarioIndex &&
           a.firstGroupSize == b.firstGroupSize && a.secondGroupSize == b.secondGroupSize &&
           a.givenDuration == b.givenDuration;
}

} // namespace

// Seeds std::srand with the sheet number and draws count problems (1 to 30) of the chosen kinds.
// A draw of the other kind, of a kind that already has half the sheet (rounded up), or of a
// problem already on the sheet, is skipped: both kinds differ by at most one, and one sheet
// number always gives the same sheet. Each problem is its statement, its answer and its
// working, separated by the unit separator (1f); problems are separated by the record separator
// (1e). The text stays valid until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* worksheet(unsigned sheetNumber, int count, int kinds)
{
    static std::string text;
    std::srand(sheetNumber);
    std::vector<Exercise> drawn;
    const auto wanted = static_cast<std::size_t>(std::clamp(count, 1, 30));
    std::ostringstream out;
    while (drawn.size() < wanted) {
        const Exercise e = drawExercise();
        const bool work = e.kind == ExerciseKind::WorkExercise;
        const auto sameKind = std::count_if(drawn.begin(), drawn.end(),
                                            [&e](const Exercise& d) { return d.kind == e.kind; });
        if ((kinds == workOnly && !work) || (kinds == supplyOnly && work) ||
            (kinds == bothKinds && static_cast<std::size_t>(sameKind) == (wanted + 1) / 2) ||
            std::any_of(drawn.begin(), drawn.end(),
                        [&e](const Exercise& d) { return sameProblem(d, e); })) {
            continue;
        }
        if (!drawn.empty()) {
            out << '\x1e';
        }
        drawn.push_back(e);
        writeStatement(out, e.kind, e.scenarioIndex, e.firstGroupSize, e.secondGroupSize,
                       e.givenDuration);
        out << '\x1f' << e.expectedAnswer << '\x1f';
        writeWorking(out, e.kind, e.scenarioIndex, e.firstGroupSize, e.secondGroupSize,
                     e.givenDuration);
    }
    text = out.str();
    return text.c_str();
}
