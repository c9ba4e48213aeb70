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

// The letters of codes and labels: no 0, O, 1 or I, which read alike.
inline constexpr std::string_view codeLetters = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789";

// Everything a sheet is made of besides its code's random part.
struct SheetChoices {
    int count = 8; // problems in each group, 1 to 30
    SheetKinds kinds = SheetKinds::Both;
    int groups = 1; // 1 to 6
    Calculator calculator = Calculator::Without;
};

// The kinds by the names the front-ends use: "both", "work", "supply".
std::string_view kindsName(SheetKinds kinds);
std::optional<SheetKinds> kindsNamed(std::string_view name);

// A code as read from what a teacher typed, in capitals without blanks and dashes. A sheet's
// code has ten letters: nine that hold a random number and every choice, and a check letter
// that catches a wrong or swapped letter. Older sheets had eight random letters, which remake
// their sheet only together with the count, kinds and groups they were made with (and always
// had the whole ranges).
struct SheetCode {
    enum class Status { Sheet, Older, WrongLength, WrongLetter, Mistyped };
    Status status = Status::WrongLength;
    std::string code;
    std::uint64_t nonce = 0; // the random part of a sheet's code
    SheetChoices choices;    // of a sheet's code; an older code's are the caller's to set
};

SheetCode readCode(std::string_view text);

// The code of a sheet with these choices; nonce may be any number, as it is taken modulo the
// count of random parts a code can hold.
std::string sheetCode(std::uint64_t nonce, SheetChoices choices);

// A worksheet: its label and each group's problems. The label names the sheet on the pupils'
// pages; neither it nor the problems lead back to the code, which remakes the sheet.
struct Worksheet {
    std::string label;
    SheetCode code;
    std::vector<std::vector<Exercise>> groups;
};

// The sheet of a code that readCode gave as a Sheet or Older: the same code (and an older one's
// choices) always gives the same sheet. Every group has the same difficulty profile: for each
// problem of the first group, every other group has one at the same place of the same kind,
// whose divisor lies on the same side of 10 and whose product lies in the same band (up to
// 100, up to 500, above); no problem stands twice on a sheet, not even in two groups. A sheet
// with more groups begins with the groups of one with fewer.
Worksheet makeWorksheet(const SheetCode& code);

// What makes two problems equally hard on a test.
struct Profile {
    ExerciseKind kind;
    bool divisorAboveTen;
    int productBand; // 0 up to 100, 1 up to 500, 2 above

    bool operator==(const Profile&) const = default;
};

Profile profileOf(const Exercise& exercise);
