// The problems of a worksheet, drawn by the program's own generator and worded by its own
// statement writer, so that a sheet poses word for word what the program would. Built for the
// worksheet page only (web/arbeitsblatt.js), which calls worksheet() once per sheet.
#include "records_json.hpp"

#include <emscripten.h>

#include <string>

// The sheet of a code (see makeWorksheet) as JSON (see worksheetJson): its label and each
// group's problems, as data. kinds is 0 for both, 1 for work only, 2 for supply only. The text
// stays valid until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* worksheet(const char* code, int count, int kinds,
                                                      int groups)
{
    static std::string json;
    const auto chosen = kinds == 1   ? SheetKinds::WorkOnly
                        : kinds == 2 ? SheetKinds::SupplyOnly
                                     : SheetKinds::Both;
    json = worksheetJson(makeWorksheet(code, {count, chosen, groups}));
    return json.c_str();
}
