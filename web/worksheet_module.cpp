// The problems of a worksheet, drawn by the program's own generator and worded by its own
// statement writer, so that a sheet poses word for word what the program would. Built for the
// worksheet page only (web/arbeitsblatt.js), which calls worksheet() once per sheet.
#include "exercise_catalogue.hpp"
#include "worksheet.hpp"

#include <emscripten.h>

#include <sstream>
#include <string>

// The sheet of a code (see makeWorksheet): its label, then each group's problems, each group
// after a group separator (1d). Each problem is its statement, its answer and its working,
// separated by the unit separator (1f); problems are separated by the record separator (1e).
// kinds is 0 for both, 1 for work only, 2 for supply only. The text stays valid until the next
// call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* worksheet(const char* code, int count, int kinds,
                                                      int groups)
{
    static std::string text;
    const auto chosen = kinds == 1   ? SheetKinds::WorkOnly
                        : kinds == 2 ? SheetKinds::SupplyOnly
                                     : SheetKinds::Both;
    const Worksheet sheet = makeWorksheet(code, {count, chosen, groups});
    std::ostringstream out;
    out << sheet.label;
    for (const auto& group : sheet.groups) {
        out << '\x1d';
        for (std::size_t i = 0; i < group.size(); ++i) {
            const Exercise& e = group[i];
            out << (i == 0 ? "" : "\x1e");
            writeStatement(out, e.kind, e.scenarioIndex, e.firstGroupSize, e.secondGroupSize,
                           e.givenDuration);
            out << '\x1f' << e.expectedAnswer << '\x1f';
            writeWorking(out, e.kind, e.scenarioIndex, e.firstGroupSize, e.secondGroupSize,
                         e.givenDuration);
        }
    }
    text = out.str();
    return text.c_str();
}
