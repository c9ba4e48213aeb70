#include "records_json.hpp"

#include "exercise_catalogue.hpp"

#include <cstddef>
#include <vector>

namespace {

// A catalogue text without the blanks that join it to the numbers in the statement.
std::string_view word(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    return first == std::string_view::npos ? std::string_view{}
                                           : text.substr(first, last - first + 1);
}

std::string field(std::string_view name, std::string_view text)
{
    return jsonString(name) + ":" + jsonString(text);
}

std::string field(std::string_view name, int number)
{
    return jsonString(name) + ":" + std::to_string(number);
}

std::string lines(const std::vector<std::string>& texts)
{
    std::string json = "[";
    for (const auto& text : texts) {
        json += (json.size() > 1 ? "," : "") + jsonString(text);
    }
    return json + "]";
}

std::string words(const Exercise& e)
{
    const auto r = static_cast<std::size_t>(e.scenarioIndex);
    if (e.kind == ExerciseKind::WorkExercise) {
        return "{" + field("group", word(work::personal[r])) + "," +
               field("unit", word(work::zeit[r])) + ",\"working\":{" +
               field("one", word(work::einzahl[r])) + "," +
               field("many", word(work::mehrzahl[r])) + "," +
               field("unit", word(work::einheit[r])) + "},\"spelled\":{" +
               field("one", work::spelled::einzahl[r]) + "," +
               field("many", work::spelled::mehrzahl[r]) + "}}";
    }
    return "{" + field("group", word(supply::lebens[r])) + "," +
           field("unit", word(supply::zeit[r])) + "," + field("stock", word(supply::futter[r])) +
           ",\"working\":{" + field("one", word(supply::einzahl[r])) + "," +
           field("many", word(supply::lebens[r])) + "," + field("unit", word(supply::zeit[r])) +
           "},\"spelled\":{" + field("one", supply::spelled::einzahl[r]) + "," +
           field("many", supply::spelled::mehrzahl[r]) + "," +
           field("stock", supply::spelled::vorrat[r]) + "," +
           field("lasts", supply::spelled::reicht[r]) + "}}";
}

} // namespace

std::string jsonString(std::string_view text)
{
    static constexpr std::string_view hex = "0123456789abcdef";
    std::string json = "\"";
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
    return json + "\"";
}

std::string problemJson(const Exercise& e)
{
    const bool work = e.kind == ExerciseKind::WorkExercise;
    const Statement statement = statementOf(e.kind, e.scenarioIndex, e.firstGroupSize,
                                            e.secondGroupSize, e.givenDuration);
    return "{" + field("kind", work ? "work" : "supply") + "," +
           field("scenario", e.scenarioIndex) + "," + field("first", e.firstGroupSize) + "," +
           field("second", e.secondGroupSize) + "," + field("factor", e.factor) + "," +
           field("given", e.givenDuration) + "," + field("answer", e.expectedAnswer) +
           ",\"statement\":{\"given\":" + lines(statement.given) +
           ",\"question\":" + lines(statement.question) + "},\"words\":" + words(e) + "}";
}

std::string worksheetJson(const Worksheet& sheet)
{
    std::string json = "{" + field("label", sheet.label) + ",\"groups\":[";
    for (std::size_t g = 0; g < sheet.groups.size(); ++g) {
        json += g == 0 ? "[" : ",[";
        for (std::size_t i = 0; i < sheet.groups[g].size(); ++i) {
            json += (i == 0 ? "" : ",") + problemJson(sheet.groups[g][i]);
        }
        json += "]";
    }
    return json + "]}";
}
