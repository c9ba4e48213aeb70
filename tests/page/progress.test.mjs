// The progress line above the dialogue, as the page follows a real session's events.
import assert from "node:assert";
import { test } from "node:test";
import { progressText } from "../../web/trainer/progress.js";
import { follow, newRound } from "../../web/trainer/rounds.js";
import { RIGHT, WRONG, answeredSession } from "./records.mjs";

test("the progress line names the problem, out of the goal where there is one, and hints", () => {
  const cases = [
    [[1, 0, undefined], "Aufgabe 1 · 0 richtig"],
    [[3, 1, undefined], "Aufgabe 3 · 1 richtig"],
    [[3, 1, 10], "Aufgabe 3 von 10 · 1 richtig"],
    [[20, 20, 20], "Aufgabe 20 von 20 · 20 richtig"],
    [[3, 1, undefined, true], "Aufgabe 3 · 1 richtig · mit Tipp"],
    [[4, 2, 5, true], "Aufgabe 4 von 5 · 2 richtig · mit Tipp"],
  ];
  for (const [[posed, correct, goal, hinted], text] of cases) {
    assert.strictEqual(progressText(posed, correct, goal, hinted), text);
  }
});

test("at each question of a session the line counts the right answers before it", () => {
  const { events } = answeredSession(1, [RIGHT, WRONG, RIGHT]);
  const round = newRound([2]); // a hint on the second problem
  const shown = [];
  for (const event of events) {
    follow(round, event);
    if (event.type === "questionOpened") {
      const { posed, correct } = round.tally;
      shown.push(progressText(posed, correct, 3, round.problems.at(-1).hinted));
    }
  }
  assert.deepStrictEqual(shown, [
    "Aufgabe 1 von 3 · 0 richtig", "Aufgabe 1 von 3 · 1 richtig",
    "Aufgabe 2 von 3 · 1 richtig · mit Tipp", "Aufgabe 2 von 3 · 1 richtig · mit Tipp",
    "Aufgabe 3 von 3 · 1 richtig", "Aufgabe 3 von 3 · 2 richtig",
  ]);
});
