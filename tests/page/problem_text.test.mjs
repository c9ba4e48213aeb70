// The page's wording of a problem, from the program's records.
import assert from "node:assert";
import { test } from "node:test";
import { answerWithUnit, reasoning, sentences, workingLines } from "../../web/problem_text.js";
import { drawn, problem } from "./records.mjs";

// Every scenario's working, in the nominative: singular, plural and time unit of one index.
const WORKINGS = [
  [["work", 0, 3, 4, 3], ["3 Reinigungskraefte", "12 Stunden"],
   ["1 Reinigungskraft", "3 · 12 = 36 Stunden"], ["4 Reinigungskraefte", "36 : 4 = 9 Stunden"]],
  [["work", 1, 2, 5, 2], ["2 Richterinnen", "10 Wochen"], ["1 Richterin", "2 · 10 = 20 Wochen"],
   ["5 Richterinnen", "20 : 5 = 4 Wochen"]],
  [["work", 2, 9, 11, 14], ["9 Bergmaenner", "154 Tage"], ["1 Bergmann", "9 · 154 = 1386 Tage"],
   ["11 Bergmaenner", "1386 : 11 = 126 Tage"]],
  [["work", 3, 6, 2, 4], ["6 Schueler", "8 Minuten"], ["1 Schueler", "6 · 8 = 48 Minuten"],
   ["2 Schueler", "48 : 2 = 24 Minuten"]],
  [["work", 4, 4, 6, 5], ["4 Ameisen", "30 Minuten"], ["1 Ameise", "4 · 30 = 120 Minuten"],
   ["6 Ameisen", "120 : 6 = 20 Minuten"]],
  [["work", 5, 7, 5, 10], ["7 Strassenarbeiter", "50 Tage"],
   ["1 Strassenarbeiter", "7 · 50 = 350 Tage"], ["5 Strassenarbeiter", "350 : 5 = 70 Tage"]],
  [["supply", 0, 13, 19, 5], ["13 Expeditionsmitglieder", "95 Wochen"],
   ["1 Expeditionsmitglied", "13 · 95 = 1235 Wochen"],
   ["19 Expeditionsmitglieder", "1235 : 19 = 65 Wochen"]],
  [["supply", 1, 2, 3, 2], ["2 Festivalbesucher", "6 Tage"],
   ["1 Festivalbesucher", "2 · 6 = 12 Tage"], ["3 Festivalbesucher", "12 : 3 = 4 Tage"]],
  [["supply", 2, 7, 3, 4], ["7 Kuehe", "12 Monate"], ["1 Kuh", "7 · 12 = 84 Monate"],
   ["3 Kuehe", "84 : 3 = 28 Monate"]],
  [["supply", 3, 10, 4, 5], ["10 Gluehbirnen", "20 Stunden"],
   ["1 Gluehbirne", "10 · 20 = 200 Stunden"], ["4 Gluehbirnen", "200 : 4 = 50 Stunden"]],
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

test("sentences join each sentence's lines, with no-break blanks after numbers and before ?",
     () => {
  assert.deepStrictEqual(sentences(problem("supply", 2, 7, 3, 4)), [
    "7\u00a0Kuehe kommen mit dem gemaehten Heu 12\u00a0Monate aus.",
    "Wieviele Monate reicht dieselbe Menge an dem gemaehten Heu fuer 3\u00a0Kuehe\u00a0?",
  ]);
  assert.deepStrictEqual(sentences(problem("work", 4, 4, 6, 5)), [
    "Eine Gruppe von 4\u00a0Ameisen schafft die vorgegebene Arbeit durchschnitttlich in " +
      "30\u00a0Minuten.",
    "Wieviele Minuten braucht dann ein Gruppe von 6\u00a0Ameisen\u00a0?",
  ]);
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
