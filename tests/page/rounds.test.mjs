// The records of this visit's rounds.
import assert from "node:assert";
import { test } from "node:test";
import { roundOf } from "../../web/rounds.js";

test("a finished session is a round with its score and how it ended", () => {
  const cases = [
    [{ type: "sessionFinished", how: "declined", posed: 2, correct: 1 },
     { posed: 2, correct: 1, how: "declined" }],
    [{ type: "sessionFinished", how: "inputEnded", posed: 3, correct: 0 },
     { posed: 3, correct: 0, how: "inputEnded" }],
    [{ type: "sessionFinished", how: "interrupted", posed: 3, correct: 2 }, null],
    [null, null], // a session that never told its end
  ];
  for (const [finished, round] of cases) {
    assert.deepStrictEqual(roundOf(finished), round);
  }
});
