// The round's review in the page's words, from the round the page follows in a real session.
import assert from "node:assert";
import { test } from "node:test";
import { marksLabel, reviewLines } from "../../web/trainer/review.js";
import { chose, follow, newRound } from "../../web/trainer/rounds.js";
import { DIRECT, RIGHT, WRONG, answeredSession, sessionEvents } from "./records.mjs";

// Seed 1 poses two work problems, then two supply problems:
//   3 → 7 in 21 (answer 9), 6 → 11 in 99 (54), 4 → 9 in 45 (20), 8 → 18 in 36 (16).
const FIRST_STEP = (p) => p.first * p.given;
const ADDED = (p) => p.given + (p.second - p.first);
const problems = (answers, hints) =>
  answeredSession(1, answers).events.reduce(follow, newRound(hints)).problems;

const CASES = [
  ["a typical mistake of each sort: the first named of a tie is advised",
   [RIGHT, DIRECT, FIRST_STEP, ADDED],
   ["Arbeitsaufgaben: 1 von 2 richtig, Vorratsaufgaben: 0 von 2 richtig.",
    "Typische Fehler: 1-mal gerechnet wie beim geraden Dreisatz (mehr braucht mehr Zeit), " +
      "1-mal beim Wert für 1 aufgehört, 1-mal den Unterschied dazugezählt oder abgezogen.",
    "Tipp für die nächste Runde: Frag dich vor dem Rechnen: Wird die Zeit länger oder " +
      "kürzer, wenn es mehr werden? Wenn mehr die Arbeit teilen, gilt: Je mehr, desto weniger " +
      "Zeit."]],
  ["the most frequent mistake's advice",
   [ADDED, RIGHT, ADDED, FIRST_STEP],
   ["Arbeitsaufgaben: 1 von 2 richtig, Vorratsaufgaben: 0 von 2 richtig.",
    "Typische Fehler: 1-mal beim Wert für 1 aufgehört, 2-mal den Unterschied dazugezählt " +
      "oder abgezogen.",
    "Tipp für die nächste Runde: Zähl nicht den Unterschied dazu oder ab: Rechne über den " +
      "Wert für 1, erst mal, dann geteilt."]],
  ["no typical mistake", [RIGHT, () => 1000, RIGHT],
   ["Arbeitsaufgaben: 1 von 2 richtig, Vorratsaufgaben: 1 von 1 richtig."]],
];

for (const [name, answers, lines] of CASES) {
  test(`the review: ${name}`, () => assert.deepStrictEqual(reviewLines(problems(answers)), lines));
}

test("the marks are read as one sentence, hints named, an open problem too", () => {
  const round = sessionEvents(1, ["9", "1", "0", "1"]).reduce(follow, newRound([2]));
  assert.strictEqual(marksLabel(round.problems),
                     "Aufgabe 1 richtig, Aufgabe 2 falsch, mit Tipp, Aufgabe 3 nicht beantwortet");
  assert.strictEqual(marksLabel(problems([RIGHT, WRONG])), "Aufgabe 1 richtig, Aufgabe 2 falsch");
});

test("in a mixed round the review counts the models recognised and names the confusions", () => {
  // Seed 5, mixed: inverse, inverse, inverse, direct, constant, direct. Chosen: right, the
  // direct model twice for an inverse one, the inverse one for a direct, right, right.
  const choices = ["inverse", "direct", "direct", "inverse", "constant", "direct"];
  const events = sessionEvents(5, Array(6).fill(["1", "1"]).flat().slice(0, -1).concat("9"),
                               { mixed: true });
  const round = newRound();
  for (const event of events) {
    follow(round, event);
    if (event.type === "problemPosed") chose(round, choices[event.number - 1]);
  }
  assert.deepStrictEqual(round.problems.map(({ model }) => model),
                         ["inverse", "inverse", "inverse", "direct", "constant", "direct"]);
  const lines = reviewLines(round.problems);
  assert.deepStrictEqual(lines.slice(1, 3), [
    "Zusammenhang richtig erkannt: 3 von 6.",
    "Verwechselt: 2-mal „je mehr, desto mehr“ gewählt, wo „je mehr, desto weniger“ galt; " +
      "1-mal „je mehr, desto weniger“ gewählt, wo „je mehr, desto mehr“ galt.",
  ]);
  // An inverse-only round says nothing of models.
  assert.ok(!problems([RIGHT, WRONG]).some((p) => p.chosen));
  assert.doesNotMatch(reviewLines(problems([RIGHT, WRONG])).join(" "), /Zusammenhang/);
});
