#include "records_json.hpp"

#include "exercise_catalogue.hpp"

#include <cstddef>
#include <cstdint>
#include <vector>

// Each record is written by appending to one string: a member's name, then its value.

namespace {

// A catalogue text without the blanks that join it to the numbers in the statement.
std::string_view word(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    return first == std::string_view::npos ? std::string_view{}
                                           : text.substr(first, last - first + 1);
}

void appendString(std::string& json, std::string_view text)
{
    static constexpr std::string_view hex = "0123456789abcdef";
    json += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            json += "\\u00";
            json += hex[byte >> 4U];
            json += hex[byte & 15U];
        } else {
            json += c; // UTF-8 passes as it is
        }
    }
    json += '"';
}

// A member's name, after a comma unless it is the first of its object.
void name(std::string& json, std::string_view member)
{
    if (json.back() != '{') {
        json += ',';
    }
    appendString(json, member);
    json += ':';
}

void member(std::string& json, std::string_view member, std::string_view text)
{
    name(json, member);
    appendString(json, text);
}

void member(std::string& json, std::string_view member, int number)
{
    name(json, member);
    json += std::to_string(number);
}

void member(std::string& json, std::string_view member, std::uint64_t number)
{
    name(json, member);
    json += std::to_string(number);
}

// Named apart: a string literal would take a bool overload before a string_view one.
void flag(std::string& json, std::string_view member, bool truth)
{
    name(json, member);
    json += truth ? "true" : "false";
}

void member(std::string& json, std::string_view member, const std::vector<std::string>& lines)
{
    name(json, member);
    json += '[';
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            json += ',';
        }
        appendString(json, lines[i]);
    }
    json += ']';
}

void appendWords(std::string& json, const Exercise& e)
{
    const auto r = static_cast<std::size_t>(e.scenarioIndex);
    json += '{';
    if (e.kind == ExerciseKind::WorkExercise) {
        member(json, "group", word(work::personal[r]));
        member(json, "unit", word(work::zeit[r]));
        name(json, "working");
        json += '{';
        member(json, "one", word(work::einzahl[r]));
        member(json, "many", word(work::mehrzahl[r]));
        member(json, "unit", word(work::einheit[r]));
        json += '}';
        name(json, "spelled");
        json += '{';
        member(json, "one", work::spelled::einzahl[r]);
        member(json, "many", work::spelled::mehrzahl[r]);
        member(json, "groupDative", work::spelled::personal[r]);
    } else {
        member(json, "group", word(supply::lebens[r]));
        member(json, "unit", word(supply::zeit[r]));
        member(json, "stock", word(supply::futter[r]));
        name(json, "working");
        json += '{';
        member(json, "one", word(supply::einzahl[r]));
        member(json, "many", word(supply::lebens[r]));
        member(json, "unit", word(supply::zeit[r]));
        json += '}';
        name(json, "spelled");
        json += '{';
        member(json, "one", supply::spelled::einzahl[r]);
        member(json, "many", supply::spelled::mehrzahl[r]);
        member(json, "stock", supply::spelled::vorrat[r]);
        member(json, "lasts", supply::spelled::reicht[r]);
        member(json, "stockDative", supply::spelled::futter[r]);
        name(json, "usesUp");
        json += '[';
        appendString(json, supply::spelled::verbrauchen[r]);
        if (!supply::spelled::verbrauchenPartikel[r].empty()) {
            json += ',';
            appendString(json, supply::spelled::verbrauchenPartikel[r]);
        }
        json += ']';
    }
    json += "}}";
}

void appendProblem(std::string& json, const Exercise& e)
{
    json += '{';
    member(json, "kind", e.kind == ExerciseKind::WorkExercise ? "work" : "supply");
    member(json, "scenario", e.scenarioIndex);
    member(json, "first", e.firstGroupSize);
    member(json, "second", e.secondGroupSize);
    member(json, "factor", e.factor);
    member(json, "given", e.givenDuration);
    member(json, "answer", e.expectedAnswer);
    const Statement statement =
        statementOf(e.kind, e.scenarioIndex, e.firstGroupSize, e.secondGroupSize, e.givenDuration);
    name(json, "statement");
    json += '{';
    member(json, "given", statement.given);
    member(json, "question", statement.question);
    json += '}';
    name(json, "words");
    appendWords(json, e);
    json += '}';
}

} // namespace

std::string jsonString(std::string_view text)
{
    std::string json;
    appendString(json, text);
    return json;
}

std::string problemJson(const Exercise& exercise)
{
    std::string json;
    appendProblem(json, exercise);
    return json;
}

std::string worksheetJson(const Worksheet& sheet)
{
    const SheetChoices& choices = sheet.code.choices;
    std::string json = "{";
    member(json, "label", sheet.label);
    member(json, "code", sheet.code.code);
    flag(json, "older", sheet.code.status == SheetCode::Status::Older);
    member(json, "nonce", sheet.code.nonce);
    name(json, "choices");
    json += '{';
    member(json, "count", choices.count);
    member(json, "kinds", kindsName(choices.kinds));
    member(json, "groups", choices.groups);
    flag(json, "calculator", choices.calculator == Calculator::With);
    json += '}';
    name(json, "groups");
    json += '[';
    for (std::size_t g = 0; g < sheet.groups.size(); ++g) {
        json += g == 0 ? "[" : ",[";
        for (std::size_t i = 0; i < sheet.groups[g].size(); ++i) {
            if (i > 0) {
                json += ',';
            }
            appendProblem(json, sheet.groups[g][i]);
        }
        json += ']';
    }
    json += "]}";
    return json;
}

std::string worksheetRecord(std::string_view text, SheetChoices older)
{
    SheetCode code = readCode(text);
    using Status = SheetCode::Status;
    if (code.status == Status::Older) {
        code.choices = {older.count, older.kinds, older.groups, Calculator::With};
    }
    if (code.status == Status::Sheet || code.status == Status::Older) {
        return worksheetJson(makeWorksheet(code));
    }
    std::string json = "{";
    member(json, "error",
           code.status == Status::WrongLength   ? "length"
           : code.status == Status::WrongLetter ? "letter"
                                                : "mistyped");
    member(json, "code", code.code);
    return json + '}';
}
