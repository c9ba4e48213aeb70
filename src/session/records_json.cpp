#include "records_json.hpp"

#include "exercise_catalogue.hpp"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Each record is written by appending to one string: a member's name, then its value.

namespace {

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

void member(std::string& json, std::string_view member, long long number)
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

// The words of the exercise's own model beside the scenario's: what a direct problem's members
// achieve or use up, or a constant problem's sentences.
void appendModelWords(std::string& json, const Exercise& e, const DirectWords& direct,
                      const ConstantWords& constant)
{
    if (e.model == ExerciseModel::Direct) {
        name(json, "direct");
        json += '{';
        member(json, "verb", direct.verb);
        member(json, "when", direct.when);
        member(json, "again", direct.again);
        member(json, "amount", direct.amount);
        json += '}';
    } else if (e.model == ExerciseModel::Constant) {
        name(json, "constant");
        json += '{';
        member(json, "given", constant.given);
        member(json, "question", constant.question);
        member(json, "unit", constant.unit);
        member(json, "longer", constant.longer);
        member(json, "shorter", constant.shorter);
        json += '}';
    }
}

void appendWords(std::string& json, const Exercise& e)
{
    const auto r = static_cast<std::size_t>(e.scenarioIndex);
    json += '{';
    if (e.kind == ExerciseKind::WorkExercise) {
        const WorkWords& words = workWords[r];
        member(json, "one", words.one);
        member(json, "many", words.many);
        member(json, "manyDative", words.manyDative);
        member(json, "unit", words.unit);
        member(json, "unitDative", words.unitDative);
        appendModelWords(json, e, words.direct, words.constant);
    } else {
        const SupplyWords& words = supplyWords[r];
        member(json, "one", words.one);
        member(json, "many", words.many);
        member(json, "unit", words.unit);
        member(json, "stock", words.stock);
        member(json, "stockDative", words.stockDative);
        member(json, "lasts", words.lasts);
        name(json, "usesUp");
        json += '[';
        appendString(json, words.usesUp);
        if (!words.usesUpParticle.empty()) {
            json += ',';
            appendString(json, words.usesUpParticle);
        }
        json += ']';
        appendModelWords(json, e, words.direct, words.constant);
    }
    json += '}';
}

void appendProblem(std::string& json, const Exercise& e)
{
    json += '{';
    member(json, "kind", e.kind == ExerciseKind::WorkExercise ? "work" : "supply");
    member(json, "model", modelName(e.model));
    member(json, "scenario", e.scenarioIndex);
    member(json, "first", e.firstGroupSize);
    member(json, "second", e.secondGroupSize);
    member(json, "factor", e.factor);
    member(json, "given", e.givenDuration);
    member(json, "answer", e.expectedAnswer);
    name(json, "words");
    appendWords(json, e);
    json += '}';
}

void appendTally(std::string& json, const ScoreTally& tally)
{
    member(json, "posed", tally.posedCount);
    member(json, "correct", tally.correctCount);
}

// The shortest decimal that reads back as the same float, plain where JavaScript writes it
// plain (to_chars would do it, but the libc++ of the browser build has none for floats); an
// infinity, which JSON cannot name, as a number too large for any double, which JSON.parse
// reads as one.
void appendFloat(std::string& json, float number)
{
    if (std::isinf(number)) {
        json += number < 0 ? "-1e999" : "1e999";
        return;
    }
    // The fewest significant digits that read back, as d.ddde±x.
    std::array<char, 32> text{};
    for (int digits = 1; digits <= 9; ++digits) {
        static_cast<void>(std::snprintf(text.data(), text.size(), "%.*e", digits - 1,
                                        static_cast<double>(number)));
        if (std::strtof(text.data(), nullptr) == number) {
            break;
        }
    }
    const std::string_view scientific(text.data());
    const auto e = scientific.find('e');
    const int exponent = std::atoi(text.data() + e + 1);
    const bool negative = scientific.front() == '-';
    std::string digits;
    for (const char c : scientific.substr(negative ? 1 : 0, e - (negative ? 1 : 0))) {
        if (c != '.') {
            digits += c;
        }
    }
    if (exponent < -6 || exponent >= 21) {
        json.append(scientific.substr(0, e)) += 'e' + std::to_string(exponent);
        return;
    }
    // Where the decimal point goes among the digits: after the first exponent + 1 of them.
    const int point = exponent + 1;
    const auto size = static_cast<int>(digits.size());
    std::string plain;
    if (point <= 0) {
        plain = "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
    } else if (point >= size) {
        plain = digits + std::string(static_cast<std::size_t>(point - size), '0');
    } else {
        const auto at = static_cast<std::size_t>(point);
        plain = digits.substr(0, at) + '.' + digits.substr(at);
    }
    json += (negative ? "-" : "") + plain;
}

// One member per event record: its type's name first, then its fields.
void appendEvent(std::string& json, const GreetingShown& /*shown*/)
{
    member(json, "type", "greetingShown");
}

void appendEvent(std::string& json, const ProblemPosed& posed)
{
    member(json, "type", "problemPosed");
    member(json, "number", posed.number);
    name(json, "problem");
    appendProblem(json, posed.exercise);
}

void appendEvent(std::string& json, const QuestionOpened& opened)
{
    member(json, "type", "questionOpened");
    member(json, "question", opened.question == Question::Answer ? "answer" : "continue");
    appendTally(json, opened.tally);
}

void appendEvent(std::string& json, const AnswerJudged& judged)
{
    member(json, "type", "answerJudged");
    member(json, "number", judged.number);
    name(json, "erg");
    appendFloat(json, judged.erg);
    flag(json, "right", judged.right);
    member(json, "answer", judged.expectedAnswer);
}

void appendEvent(std::string& json, const SessionFinished& finished)
{
    member(json, "type", "sessionFinished");
    member(json, "how",
           finished.how == SessionEnd::Declined     ? "declined"
           : finished.how == SessionEnd::InputEnded ? "inputEnded"
                                                    : "interrupted");
    appendTally(json, finished.tally);
    flag(json, "praised", finished.praised);
}

void appendEvent(std::string& json, const PauseBegun& pause)
{
    member(json, "type", "pauseBegun");
    flag(json, "inputEnded", pause.inputEnded);
}

} // namespace

std::string_view modelName(ExerciseModel model)
{
    return model == ExerciseModel::Inverse  ? "inverse"
           : model == ExerciseModel::Direct ? "direct"
                                            : "constant";
}

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

std::string eventJson(const SessionEvent& event)
{
    std::string json = "{";
    std::visit([&json](const auto& record) { appendEvent(json, record); }, event);
    return json + '}';
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
    member(json, "models", modelsName(choices.models));
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
    if (code.status == Status::Sheet || code.status == Status::TenLetters ||
        code.status == Status::Older) {
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
