// The page's wording of a problem, from the program's records.
import assert from "node:assert";
import { test } from "node:test";
import { answerWithUnit, reasoning, sentences, statement, workingLines } from "../../web/shared/problem_text.js";
import { drawn, problem } from "./records.mjs";

// Every scenario's working, in the nominative: singular, plural and time unit of one index.
const WORKINGS = [
  [["work", 0, 3, 4, 3], ["3 Reinigungskräfte", "12 Stunden"],
   ["1 Reinigungskraft", "3 · 12 = 36 Stunden"], ["4 Reinigungskräfte", "36 : 4 = 9 Stunden"]],
  [["work", 1, 2, 5, 2], ["2 Richterinnen", "10 Wochen"], ["1 Richterin", "2 · 10 = 20 Wochen"],
   ["5 Richterinnen", "20 : 5 = 4 Wochen"]],
  [["work", 2, 9, 11, 14], ["9 Bergmänner", "154 Tage"], ["1 Bergmann", "9 · 154 = 1386 Tage"],
   ["11 Bergmänner", "1386 : 11 = 126 Tage"]],
  [["work", 3, 6, 2, 4], ["6 Schüler", "8 Minuten"], ["1 Schüler", "6 · 8 = 48 Minuten"],
   ["2 Schüler", "48 : 2 = 24 Minuten"]],
  [["work", 4, 4, 6, 5], ["4 Ameisen", "30 Minuten"], ["1 Ameise", "4 · 30 = 120 Minuten"],
   ["6 Ameisen", "120 : 6 = 20 Minuten"]],
  [["work", 5, 7, 5, 10], ["7 Straßenarbeiter", "50 Tage"],
   ["1 Straßenarbeiter", "7 · 50 = 350 Tage"], ["5 Straßenarbeiter", "350 : 5 = 70 Tage"]],
  [["supply", 0, 13, 19, 5], ["13 Expeditionsmitglieder", "95 Wochen"],
   ["1 Expeditionsmitglied", "13 · 95 = 1235 Wochen"],
   ["19 Expeditionsmitglieder", "1235 : 19 = 65 Wochen"]],
  [["supply", 1, 2, 3, 2], ["2 Festivalbesucher", "6 Tage"],
   ["1 Festivalbesucher", "2 · 6 = 12 Tage"], ["3 Festivalbesucher", "12 : 3 = 4 Tage"]],
  [["supply", 2, 7, 3, 4], ["7 Kühe", "12 Monate"], ["1 Kuh", "7 · 12 = 84 Monate"],
   ["3 Kühe", "84 : 3 = 28 Monate"]],
  [["supply", 3, 10, 4, 5], ["10 Glühbirnen", "20 Stunden"],
   ["1 Glühbirne", "10 · 20 = 200 Stunden"], ["4 Glühbirnen", "200 : 4 = 50 Stunden"]],
  [["supply", 4, 5, 10, 4], ["5 Kinder", "40 Tage"], ["1 Kind", "5 · 40 = 200 Tage"],
   ["10 Kinder", "200 : 10 = 20 Tage"]],
  [["supply", 5, 12, 18, 5], ["12 Autos", "90 Monate"], ["1 Auto", "12 · 90 = 1080 Monate"],
   ["18 Autos", "1080 : 18 = 60 Monate"]],
];

for (const [numbers, ...lines] of WORKINGS) {
  test(`the working of ${numbers.join(" ")} in three lines`, () => {
    assert.deepStrictEqual(workingLines(problem(...numbers)), lines);
  });
}

test("the working of drawn problems multiplies, then divides to the expected answer", () => {
  for (const drawnProblem of drawn(20261208, 500)) {
    const [, , [, last]] = workingLines(drawnProblem);
    assert.strictEqual(last.split(" = ")[1], answerWithUnit(drawnProblem));
  }
});

// The statement of each scenario in correct German, as the trainer shows it and the sheets print
// it; the sheets with no-break blanks after the numbers.
const STATEMENTS = [
  [["work", 0, 4, 11, 7], "Eine Gruppe von 4 Reinigungskräften schafft die vorgegebene Arbeit " +
    "durchschnittlich in 77 Stunden.", "Wie viele Stunden braucht dann eine Gruppe von 11 " +
    "Reinigungskräften?"],
  [["work", 2, 9, 11, 14], "Eine Gruppe von 9 Bergmännern schafft die vorgegebene Arbeit " +
    "durchschnittlich in 154 Tagen.", "Wie viele Tage braucht dann eine Gruppe von 11 " +
    "Bergmännern?"],
  [["work", 3, 6, 2, 4], "Eine Gruppe von 6 Schülern schafft die vorgegebene Arbeit " +
    "durchschnittlich in 8 Minuten.", "Wie viele Minuten braucht dann eine Gruppe von 2 " +
    "Schülern?"],
  [["supply", 2, 7, 3, 4], "7 Kühe kommen mit dem gemähten Heu 12 Monate aus.",
   "Wie viele Monate reicht das Heu für 3 Kühe?"],
  [["supply", 3, 10, 4, 5], "10 Glühbirnen kommen mit Strom aus einer Solarbatterie 20 Stunden " +
    "aus.", "Wie viele Stunden reicht der Strom aus der Solarbatterie für 4 Glühbirnen?"],
  [["supply", 4, 5, 10, 4], "5 Kinder kommen mit Süßigkeiten 40 Tage aus.",
   "Wie viele Tage reichen die Süßigkeiten für 10 Kinder?"],
  [["supply", 5, 12, 8, 3], "12 Autos kommen mit vorrätigem Motoröl 24 Monate aus.",
   "Wie viele Monate reicht das Motoröl für 8 Autos?"],
];

for (const [numbers, given, question] of STATEMENTS) {
  test(`the statement of ${numbers.join(" ")}`, () => {
    const made = problem(...numbers);
    assert.deepStrictEqual(statement(made), [given, question]);
    assert.deepStrictEqual(sentences(made), [given, question].map((sentence) =>
      sentence.replace(/(\d) /g, "$1\u00a0")));
  });
}

test("no statement of a drawn problem has a blank before its question mark or a 7-bit word",
     () => {
  for (const drawnProblem of drawn(20261210, 300)) {
    const text = statement(drawnProblem).join(" ");
    assert.doesNotMatch(text, / \?|Wieviele|ein Gruppe|ttt|ue|ae|oe|ss/, text);
  }
});

const REASONS = [
  [["supply", 2, 4, 8, 3], "Je mehr Kühe, desto kürzer reicht das Heu: erst für 1 Kuh, " +
    "dann für 8 Kühe."],
  [["supply", 4, 9, 3, 2], "Je weniger Kinder, desto länger reichen die Süßigkeiten: erst " +
    "für 1 Kind, dann für 3 Kinder."],
  [["work", 5, 3, 9, 2], "Je mehr Straßenarbeiter, desto weniger Zeit brauchen sie: erst für " +
    "1 Straßenarbeiter, dann für 9 Straßenarbeiter."],
  [["work", 0, 6, 2, 2], "Je weniger Reinigungskräfte, desto mehr Zeit brauchen sie: erst für " +
    "1 Reinigungskraft, dann für 2 Reinigungskräfte."],
];

for (const [numbers, sentence] of REASONS) {
  test(`the reason for ${numbers.join(" ")}`, () => {
    assert.strictEqual(reasoning(problem(...numbers)), sentence);
  });
}
