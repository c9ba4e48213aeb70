#pragma once

#include "exercise_generator.hpp"
#include "worksheet.hpp"

#include <string>

// Records as JSON, for a front-end in another language (the browser page), so that it gets
// numbers and words and never has to read the program's text. A problem:
//   {"kind":"supply","scenario":2,"first":7,"second":3,"factor":4,"given":12,"answer":28,
//    "statement":{"given":[" 7 Kuehe kommen mit dem gemaehten Heu 12 Monate aus. "],
//                 "question":[" Wieviele Monate ...Heu "," fuer 3 Kuehe ?"]},
//    "words":{"group":"Kuehe","unit":"Monate","stock":"dem gemaehten Heu",
//             "working":{"one":"Kuh","many":"Kuehe","unit":"Monate"},
//             "spelled":{"one":"Kuh","many":"Kühe","stock":"das Heu","lasts":"reicht",
//                        "stockDative":"dem gemähten Heu","usesUp":["fressen es","auf"]}}}
// The statement's lines are the program's own; words are given without the catalogue's
// blanks. group, unit and stock are the statement's (stock for supply only), working holds the
// nominatives of the working in the program's spelling, and spelled the same nouns with
// umlauts (stock and lasts for supply only), with the statement's datives (groupDative for
// work, stockDative for supply) and, for supply, what the consumers do with the stock: the
// verb with its pronoun, and a separable verb's particle where it has one.
std::string problemJson(const Exercise& exercise);

// A worksheet: {"label":"Blatt ABCD","code":"K7QM4XA2BC","older":false,"nonce":123,
//   "choices":{"count":8,"kinds":"both","groups":2,"calculator":false},
//   "groups":[[problem, ...], ...]}
// older is true for an eight-letter code; nonce is the random part of a ten-letter one, which
// sheetCode takes to make the code of other choices.
std::string worksheetJson(const Worksheet& sheet);

// The worksheet of a typed code, older (for an eight-letter code, made with the count, kinds
// and groups of older), or {"error":"length"|"letter"|"mistyped","code":"..."} with the code
// as read when it remakes no sheet.
std::string worksheetRecord(std::string_view text, SheetChoices older);

// text as a JSON string, quotes included.
std::string jsonString(std::string_view text);
