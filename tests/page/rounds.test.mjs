// A round as the page follows it from a real session's events, and its record in the list of
// this visit's rounds.
import assert from "node:assert";
import { test } from "node:test";
import { follow, hinted, newRound, roundOf } from "../../web/trainer/rounds.js";
import { DIRECT, RIGHT, answeredSession, sessionEvents } from "./records.mjs";

const followed = (events, hints) => events.reduce(follow, newRound(hints));

test("a finished session is a round with its score, how it ended and each problem", () => {
  // Seed 1 poses two work problems, then two supply problems.
  const { events } = answeredSession(1, [RIGHT, DIRECT, RIGHT]);
  assert.deepStrictEqual(roundOf(followed(events, [1])), {
    posed: 3, correct: 2, how: "declined", problems: [
      { kind: "work", model: "inverse", right: true, hinted: true, mistake: null, chosen: null },
      { kind: "work", model: "inverse", right: false, hinted: false, mistake: "direct",
        chosen: null },
      { kind: "supply", model: "inverse", right: true, hinted: false, mistake: null,
        chosen: null },
    ],
  });
});

test("a round whose input ended, or that was interrupted, is listed with the problem left open",
     () => {
  const ended = followed(sessionEvents(1, ["9", "1"]));
  assert.deepStrictEqual(roundOf(ended), {
    posed: 2, correct: 1, how: "inputEnded", problems: [
      { kind: "work", model: "inverse", right: true, hinted: false, mistake: null, chosen: null },
      { kind: "work", model: "inverse", right: null, hinted: false, mistake: null, chosen: null },
    ],
  });
  // A round that never told its end is none.
  const cut = sessionEvents(1, ["9", "1"]).filter((event) => event.type !== "sessionFinished");
  assert.strictEqual(roundOf(followed(cut)), null);
});

test("the first hint on a problem counts once, for the problem on screen", () => {
  const events = sessionEvents(1, ["9", "1", "54", "9"]);
  const round = newRound();
  for (const event of events.slice(0, 6)) follow(round, event); // up to the second problem
  assert.deepStrictEqual([hinted(round), hinted(round)], [true, false]);
  assert.deepStrictEqual(round.hints, [2]);
  assert.strictEqual(hinted(newRound()), false); // no problem yet
});
