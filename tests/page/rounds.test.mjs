// The records of this visit's rounds.
import assert from "node:assert";
import { test } from "node:test";
import { roundOf } from "../../web/rounds.js";

const PROBLEMS = [{ kind: "work", right: false, hinted: true, mistake: "direct" }];

test("a finished session is a round with its score, how it ended and its problems", () => {
  const cases = [
    [{ type: "sessionFinished", how: "declined", posed: 2, correct: 1 },
     { posed: 2, correct: 1, how: "declined", problems: PROBLEMS }],
    [{ type: "sessionFinished", how: "inputEnded", posed: 3, correct: 0 },
     { posed: 3, correct: 0, how: "inputEnded", problems: PROBLEMS }],
    // An interrupted round is listed too.
    [{ type: "sessionFinished", how: "interrupted", posed: 3, correct: 2 },
     { posed: 3, correct: 2, how: "interrupted", problems: PROBLEMS }],
    [null, null], // a session that never told its end
  ];
  for (const [finished, round] of cases) {
    assert.deepStrictEqual(roundOf(finished, PROBLEMS), round);
  }
});
