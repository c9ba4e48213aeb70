#pragma once

#include "exercise_generator.hpp"
#include "practice_session.hpp"
#include "worksheet.hpp"

#include <string>

// Records as JSON, for a front-end in another language (the browser page), so that it gets
// numbers and words and never has to read the program's text. A problem:
//   {"kind":"supply","model":"inverse","scenario":2,"first":7,"second":3,"factor":4,
//    "given":12,"answer":28,"words":{"one":"Kuh","many":"Kühe","unit":"Monate",
//    "stock":"das Heu","stockDative":"dem gemähten Heu","lasts":"reicht",
//    "usesUp":["fressen es","auf"]}}
// model is "inverse", "direct" or "constant". The words are the scenario's in correct German
// (exercise_catalogue.hpp): for work one, many, manyDative, unit and unitDative; for supply one,
// many, unit, stock, stockDative, lasts and usesUp, the verb with its pronoun and a separable
// verb's particle where it has one. A direct problem's words have "direct" besides (verb, when,
// again, amount), a constant one's "constant" (given, question, unit, longer, shorter).
std::string problemJson(const Exercise& exercise);

// A model by the name the records give it.
std::string_view modelName(ExerciseModel model);

// An event of the session, its type's name first:
//   {"type":"greetingShown"}
//   {"type":"problemPosed","number":1,"problem":{...}}
//   {"type":"questionOpened","question":"answer"|"continue","posed":1,"correct":0}
//   {"type":"answerJudged","number":1,"erg":20.5,"right":false,"answer":28}
//   {"type":"sessionFinished","how":"declined"|"inputEnded"|"interrupted","posed":1,
//    "correct":0,"praised":false}
//   {"type":"pauseBegun","inputEnded":false}
// erg is the shortest decimal of the float read; an infinite one is written 1e999 or -1e999.
std::string eventJson(const SessionEvent& event);

// A worksheet: {"label":"Blatt ABCD","code":"K7QM4XA2BCQ","older":false,"nonce":123,
//   "choices":{"count":8,"kinds":"both","groups":2,"calculator":false,"models":"mixed"},
//   "groups":[[problem, ...], ...]}
// older is true for an eight-letter code; nonce is the random part of an eleven- or ten-letter
// one, which sheetCode takes to make the code of other choices. models is "inverse" or "mixed"
// (a ten-letter code's are "inverse").
std::string worksheetJson(const Worksheet& sheet);

// The worksheet of a typed code, older (for an eight-letter code, made with the count, kinds
// and groups of older), or {"error":"length"|"letter"|"mistyped","code":"..."} with the code
// as read when it remakes no sheet.
std::string worksheetRecord(std::string_view text, SheetChoices older);

// text as a JSON string, quotes included.
std::string jsonString(std::string_view text);
