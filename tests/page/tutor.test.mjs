// The tutor's reading of a wrong answer, its sentences and its hints, over problems of both
// kinds and all six scenarios from the program's records.
import assert from "node:assert";
import { test } from "node:test";
import { hints, mistakeOf, mistakeSentence } from "../../web/trainer/tutor.js";
import { problem } from "./records.mjs";

// Each row a problem (kind, scenario, first a, second b, factor; given g = factor·b, answer =
// factor·a) and typed numbers by the strategy they follow. direct is g·b/a, whole or rounded;
// firstStep a·g; additive g − (b − a) and g + (b − a); unchanged g; slip within 10 % of the
// answer or two of its digits swapped; none nothing of these.
const STRATEGIES = [
  [["work", 0, 3, 4, 3], { direct: [16], firstStep: [36], additive: [11, 13], unchanged: [12],
                           slip: [8.5, 9.9], none: [20, 1, 8] }],
  [["work", 1, 2, 5, 2], { direct: [25], firstStep: [20], additive: [7, 13], unchanged: [10],
                           slip: [4.4, 3.6], none: [5, 3, -4] }],
  [["work", 2, 9, 11, 14], { direct: [188.2222222, 188, 188.2], firstStep: [1386],
                             additive: [152, 156], unchanged: [154], slip: [162, 216, 130],
                             none: [100, 188.3, 612.5] }],
  [["work", 3, 6, 2, 4], { direct: [2.6666667, 3, 2.7], firstStep: [48], additive: [12, 4],
                           unchanged: [8], slip: [42, 26], none: [16, 2.6] }],
  [["work", 4, 4, 6, 5], { direct: [45], firstStep: [120], additive: [28, 32], unchanged: [30],
                           slip: [21, 18], none: [2, 60] }],
  [["work", 5, 7, 5, 10], { direct: [35.7142857, 36, 35.7], firstStep: [350],
                            additive: [48, 52], unchanged: [50], slip: [75, 63], none: [7, 100] }],
  [["supply", 0, 13, 19, 5], { direct: [138.8461538, 139, 138.8], firstStep: [1235],
                               additive: [89, 101], unchanged: [95], slip: [56, 60],
                               none: [30, 138.5] }],
  [["supply", 1, 2, 3, 2], { direct: [9], firstStep: [12], additive: [5, 7], unchanged: [6],
                             slip: [4.4], none: [3, 8] }],
  [["supply", 2, 4, 8, 3], { direct: [48], firstStep: [96], additive: [20, 28], unchanged: [24],
                             slip: [21, 13], none: [6] }],
  [["supply", 3, 10, 4, 5], { direct: [8], firstStep: [200], additive: [26, 14],
                              unchanged: [20], slip: [52], none: [100, 40, 5] }],
  [["supply", 4, 5, 10, 4], { direct: [80], firstStep: [200], additive: [35, 45],
                              unchanged: [40], slip: [19], none: [10] }],
  [["supply", 5, 12, 18, 5], { direct: [135], firstStep: [1080], additive: [84, 96],
                               unchanged: [90], slip: [63], none: [30, 6] }],
];

for (const [numbers, byStrategy] of STRATEGIES) {
  const made = problem(...numbers);
  test(`the strategies of typed numbers for ${numbers.join(" ")}`, () => {
    for (const [strategy, typed] of Object.entries(byStrategy)) {
      for (const erg of typed) {
        assert.strictEqual(mistakeOf(made, Math.fround(erg)), strategy === "none" ? null : strategy,
                           `${erg}`);
      }
    }
    // A right answer is never a mistake, however it was typed.
    assert.strictEqual(mistakeOf(made, made.answer), null);
  });
}

test("where two strategies give the same number the direct model is named", () => {
  // 6 Schüler, 6 Minuten, then 3: g·b/a = 3 = g + (b − a).
  assert.strictEqual(mistakeOf(problem("work", 3, 6, 3, 2), 3), "direct");
});

// One sentence per strategy, with the problem's words and numbers.
const SENTENCES = [
  [["supply", 2, 4, 8, 3], 48, "Du hast gerechnet, als ob 8 Kühe länger mit dem gemähten Heu " +
   "auskämen als 4. Mehr Kühe fressen es schneller auf."],
  [["work", 5, 7, 5, 10], 36, "Du hast gerechnet, als ob 5 Straßenarbeiter weniger Zeit für " +
   "die Arbeit bräuchten als 7. Weniger Straßenarbeiter schaffen sie langsamer."],
  [["supply", 2, 4, 8, 3], 96, "Du hast beim Wert für 1 Kuh aufgehört: So lange reicht das Heu " +
   "für 1 Kuh (4 · 24 = 96 Monate). Gefragt ist aber die Zeit für 8 Kühe, also teile noch " +
   "durch 8."],
  [["supply", 3, 10, 4, 5], 26, "Du hast so viel dazugezählt, wie Glühbirnen wegfallen: 20 + 6 " +
   "= 26. Die Zeit ändert sich aber nicht um dieselbe Zahl, sondern im umgekehrten " +
   "Verhältnis: doppelt so viele Glühbirnen, halb so viel Zeit."],
  [["work", 5, 7, 5, 10], 50, "Du hast die Zeit aus der Aufgabe übernommen. Aber die 50 Tage " +
   "gelten für 7 Straßenarbeiter; 5 Straßenarbeiter brauchen mehr Zeit."],
  [["work", 2, 9, 11, 14], 162, "Der Weg stimmt wohl, aber zwei Ziffern sind vertauscht: 162 " +
   "statt 126."],
  [["supply", 0, 13, 19, 5], 60, "Dein Ergebnis liegt nah am richtigen: Der Weg stimmt wohl, " +
   "aber du hast dich verrechnet. Prüfe 13 · 95 und das Teilen durch 19."],
];

for (const [numbers, erg, sentence] of SENTENCES) {
  test(`the sentence for ${erg} at ${numbers.join(" ")}`, () => {
    const made = problem(...numbers);
    assert.strictEqual(mistakeSentence(made, erg, mistakeOf(made, erg)), sentence);
  });
}

test("the hints of a problem", () => {
  assert.deepStrictEqual(hints(problem("supply", 2, 4, 8, 3)), [
    "Je mehr Kühe, desto kürzer reicht das Heu.",
    "Für 1 Kuh reicht das Heu 4-mal so lange wie für 4 Kühe: 4 · 24 = 96 Monate.",
    "Für 8 Kühe teilst du durch 8: 96 : 8 = ?",
  ]);
});
