// The progress line above the dialogue.
import assert from "node:assert";
import { test } from "node:test";
import { progressText } from "../../web/progress.js";

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
