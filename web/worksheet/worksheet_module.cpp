// The problems of a worksheet, drawn by the program's own generator, as records with the words
// of the program's one catalogue, so that a sheet poses what the trainer would. Built for the
// worksheet page only (web/worksheet/arbeitsblatt.js), which calls worksheet() once per sheet
// and sheetCode() for a sheet of other choices.
#include "records_json.hpp"
#include "worksheet.hpp"

#include <emscripten.h>

#include <cstdint>
#include <string>

namespace {

SheetChoices choicesOf(int count, const char* kinds, int groups, int calculator, const char* models)
{
    return {count, kindsNamed(kinds).value_or(SheetKinds::Both), groups,
            calculator != 0 ? Calculator::With : Calculator::Without,
            modelsNamed(models).value_or(SheetModels::InverseOnly)};
}

} // namespace

// The sheet of a typed code as JSON (see worksheetRecord); count, kinds ("both", "work" or
// "supply") and groups are used for an older code only. The text stays valid until the next
// call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* worksheet(const char* code, int count,
                                                      const char* kinds, int groups)
{
    static std::string json;
    json = worksheetRecord(code, choicesOf(count, kinds, groups, 1, "inverse"));
    return json.c_str();
}

// The code of a sheet with these choices and the random part nonce (a whole number below
// 2^53); models is "inverse" or "mixed". The text stays valid until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* sheetCode(double nonce, int count, const char* kinds,
                                                      int groups, int calculator,
                                                      const char* models)
{
    static std::string code;
    code = sheetCode(static_cast<std::uint64_t>(nonce),
                     choicesOf(count, kinds, groups, calculator, models));
    return code.c_str();
}
