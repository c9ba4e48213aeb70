#pragma once

#include "exercise_generator.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The kinds of problems a worksheet asks for.
enum class SheetKinds {
    Both,       // as even as can be: the two kinds differ by at most one
    WorkOnly,   // a group finishes a job
    SupplyOnly, // a group lives off a stock
};

// How hard a sheet's numbers may be.
enum class Calculator {
    Without, // divisors up to 10 and products up to 500, to be worked by hand
    With,    // the generator's whole ranges
};

// The models of a sheet's problems.
enum class SheetModels {
    InverseOnly, // the program's own problems
    Mixed,       // all three, drawn as a mixed round draws them: the pupil decides the model first
};

// The letters of codes and labels: no 0, O, 1 or I, which read alike.
inline constexpr std::string_view codeLetters = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789";

// Everything a sheet is made of besides its code's random part.
struct SheetChoices {
    int count = 8; // problems in each group, 1 to 30
    SheetKinds kinds = SheetKinds::Both;
    int groups = 1; // 1 to 6
    Calculator calculator = Calculator::Without;
    SheetModels models = SheetModels::InverseOnly;
};

// The kinds by the names the front-ends use: "both", "work", "supply".
std::string_view kindsName(SheetKinds kinds);
std::optional<SheetKinds> kindsNamed(std::string_view name);

// The models by the names the front-ends use: "inverse", "mixed".
std::string_view modelsName(SheetModels models);
std::optional<SheetModels> modelsNamed(std::string_view name);

// A code as read from what a teacher typed, in capitals without blanks and dashes. A sheet's
// code has eleven letters: ten that hold a random number and every choice, and a check letter
// that catches a wrong or swapped letter. The tenth is never the letter that would make the first
// ten a code of ten letters, so that a code typed letter by letter shows no other sheet on the
// way. Sheets before the choice of models had ten letters, nine of them holding the random number
// and every other choice; they remake their sheet as they did, with inverse problems only. Older
// sheets had eight random letters, which remake their sheet only together with the count, kinds
// and groups they were made with (and always had the whole ranges).
struct SheetCode {
    enum class Status { Sheet, TenLetters, Older, WrongLength, WrongLetter, Mistyped };
    Status status = Status::WrongLength;
    std::string code;
    std::uint64_t nonce = 0; // the random part of a sheet's code
    SheetChoices choices;    // of a sheet's code; an older code's are the caller's to set
};

SheetCode readCode(std::string_view text);

// The code of a sheet with these choices; nonce may be any number, as it is taken modulo the
// count of random parts a code can hold.
std::string sheetCode(std::uint64_t nonce, SheetChoices choices);

// The ten-letter code that a sheet of these choices (but the models) had before codes carried
// the models, for the tests and measurements of those sheets: the page makes none any more.
std::string tenLetterCode(std::uint64_t nonce, SheetChoices choices);

// A worksheet: its label and each group's problems. The label names the sheet on the pupils'
// pages; neither it nor the problems lead back to the code, which remakes the sheet.
struct Worksheet {
    std::string label;
    SheetCode code;
    std::vector<std::vector<Exercise>> groups;
};

// The sheet of a code that readCode gave as a Sheet, TenLetters or Older: the same code (and an
// older one's choices) always gives the same sheet, and a sheet with more groups begins with the
// groups of one with fewer. No problem stands twice on a sheet, not even in two groups.
// On a sheet of an eleven-letter code, at each place every group has a problem of the same kind
// and model whose divisor is of the same class (2, 5 and 10; 3 and 4; 6 to 9; above 10), whose
// product has as many digits as the others' and differs from each by at most 15 per cent, and
// whose answer has as many digits; no two groups have the same three numbers or the same answer
// there. The divisor and the product are those of the working: an inverse problem multiplies
// the first group by the duration and divides by the second, a direct one divides by the first
// group and multiplies by the second; a constant one has neither.
// On a sheet of a ten-letter code, each group has the difficulty profile of the first (Profile).
Worksheet makeWorksheet(const SheetCode& code);

// What made two problems equally hard on a test of a ten-letter code.
struct Profile {
    ExerciseKind kind;
    bool divisorAboveTen;
    int productBand; // 0 up to 100, 1 up to 500, 2 above

    bool operator==(const Profile&) const = default;
};

Profile profileOf(const Exercise& exercise);
