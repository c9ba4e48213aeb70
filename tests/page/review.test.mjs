// The round's review in the page's words, from the round's record.
import assert from "node:assert";
import { test } from "node:test";
import { marksLabel, reviewLines } from "../../web/review.js";

const right = (kind) => ({ kind, right: true, hinted: false, mistake: null });
const wrong = (kind, mistake, hinted = false) => ({ kind, right: false, hinted, mistake });
const open = (kind) => ({ kind, right: null, hinted: false, mistake: null });
const KINDS = "Arbeitsaufgaben: 0 von 1 richtig, Vorratsaufgaben: 1 von 2 richtig.";

const CASES = [
  ["no typical mistake, one left open", [right("supply"), wrong("work", null), open("supply")],
   [KINDS]],
  ["the most frequent mistake's advice",
   [wrong("work", "additive"), right("supply"), wrong("supply", "additive"),
    wrong("work", "firstStep")],
   ["Arbeitsaufgaben: 0 von 2 richtig, Vorratsaufgaben: 1 von 2 richtig.",
    "Typische Fehler: 1-mal beim Wert für 1 aufgehört, 2-mal den Unterschied dazugezählt " +
      "oder abgezogen.",
    "Tipp für die nächste Runde: Zähl nicht den Unterschied dazu oder ab: Rechne über den " +
      "Wert für 1, erst mal, dann geteilt."]],
  ["on a tie the direct model's",
   [wrong("work", "slip"), wrong("work", "direct")],
   ["Arbeitsaufgaben: 0 von 2 richtig.",
    "Typische Fehler: 1-mal gerechnet wie beim geraden Dreisatz (mehr braucht mehr Zeit), " +
      "1-mal richtig angesetzt, aber verrechnet.",
    "Tipp für die nächste Runde: Frag dich vor dem Rechnen: Wird die Zeit länger oder " +
      "kürzer, wenn es mehr werden? Bei diesen Aufgaben gilt: Je mehr, desto weniger Zeit."]],
];

for (const [name, problems, lines] of CASES) {
  test(`the review: ${name}`, () => assert.deepStrictEqual(reviewLines(problems), lines));
}

test("the marks are read as one sentence, hints named", () => {
  assert.strictEqual(marksLabel([right("work"), wrong("supply", "direct", true), open("work")]),
                     "Aufgabe 1 richtig, Aufgabe 2 falsch, mit Tipp, Aufgabe 3 nicht beantwortet");
});
