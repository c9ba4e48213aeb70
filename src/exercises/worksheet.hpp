#pragma once

#include "exercise_generator.hpp"

#include <string>
#include <string_view>
#include <vector>

// The kinds of problems a worksheet asks for.
enum class SheetKinds {
    Both,       // as even as can be: the two kinds differ by at most one
    WorkOnly,   // a group finishes a job
    SupplyOnly, // a group lives off a stock
};

// The letters of codes and labels: no 0, O, 1 or I, which read alike.
inline constexpr std::string_view codeLetters = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789";

// What a sheet is made of besides its code.
struct SheetChoices {
    int count = 8; // problems in each group, 1 to 30
    SheetKinds kinds = SheetKinds::Both;
    int groups = 1; // 1 to 6
};

// A worksheet: its label and each group's problems. The label names the sheet on the pupils'
// pages; neither it nor the problems lead back to the code, which alone remakes the sheet.
struct Worksheet {
    std::string label;
    std::vector<std::vector<Exercise>> groups;
};

// The sheet of a code with these choices: the same code and choices always give the same sheet.
// Each group, and each count, has a seed of its own, drawn from the code; every group has as
// many problems of each kind as the first; no problem stands twice on a sheet, not even in two
// groups.
Worksheet makeWorksheet(std::string_view code, SheetChoices choices);
