// A round's journal: what is kept, what is taken back, and how it is replayed.
import assert from "node:assert";
import { test } from "node:test";
import { MOST_LINES, createReplay, journalText, keptJournal, newJournal, readJournal, readVisit,
         visitText } from "../../web/trainer/journal.js";
import { follow, newRound } from "../../web/trainer/rounds.js";
import { programLine } from "../../web/trainer/typed_number.js";
import { sessionEvents } from "./records.mjs";

test("a journal comes back as it was written", () => {
  const journal = newJournal(4294967295);
  journal.lines.push("28", "1", "20,5", "-3.", "9");
  journal.hints.push(1, 3);
  assert.deepStrictEqual(readJournal(journalText(journal)), journal);
  const mixed = newJournal(12, { mixed: true, byHand: true });
  mixed.lines.push("18");
  mixed.choices.push("direct");
  assert.deepStrictEqual(readJournal(journalText(mixed)), mixed);
  // One kept before hints and options were: none, an inverse round with the whole ranges.
  assert.deepStrictEqual(readJournal('{"seed":7,"lines":["28"]}'),
                         { seed: 7, lines: ["28"], hints: [], mixed: false, byHand: false,
                           choices: [] });
});

test("anything but a journal the page wrote is no journal", () => {
  const cases = [
    null,
    "",
    "{",
    "[]",
    '{"lines":[]}',
    '{"seed":-1,"lines":[]}',
    '{"seed":4294967296,"lines":[]}',
    '{"seed":1.5,"lines":[]}',
    '{"seed":"7","lines":[]}',
    '{"seed":7}',
    '{"seed":7,"lines":"28"}',
    '{"seed":7,"lines":[28]}',
    '{"seed":7,"lines":["zwanzig"]}',
    '{"seed":7,"lines":["28\\n1"]}',
    '{"seed":7,"lines":[" 28"]}',
    `{"seed":7,"lines":["${"7".repeat(17)}"]}`,
    '{"seed":7,"lines":[],"hints":"1"}',
    '{"seed":7,"lines":[],"hints":[0]}',
    '{"seed":7,"lines":[],"hints":[1.5]}',
    '{"seed":7,"lines":[],"mixed":"ja"}',
    '{"seed":7,"lines":[],"byHand":1}',
    '{"seed":7,"lines":[],"choices":"direct"}',
    '{"seed":7,"lines":[],"choices":["gerade"]}',
  ];
  for (const text of cases) {
    assert.strictEqual(readJournal(text), null, text);
  }
});

test("the visit keeps the round under way and the rounds' records", () => {
  const journal = { seed: 12, lines: ["5"], hints: [1], mixed: true, byHand: false,
                   choices: ["inverse"] };
  const rounds = [{ posed: 2, correct: 1, how: "declined", problems: [
    { kind: "work", model: "inverse", right: true, hinted: false, mistake: null, chosen: null },
  ] }];
  assert.deepStrictEqual(readVisit(visitText(journal, rounds)), { journal, rounds });
  assert.deepStrictEqual(readVisit(visitText(null, rounds)), { journal: null, rounds });
  const nothing = { journal: null, rounds: [] };
  for (const text of [null, "", "oops", '{"journal":{"seed":"x"},"rounds":{}}']) {
    assert.deepStrictEqual(readVisit(text), nothing, text);
  }
});

test("a replay hands out its lines, one a read, and replays until a read finds none left", () => {
  const replay = createReplay(["28", "1"]);
  const seen = [];
  for (let read = 0; read < 4; ++read) {
    const before = [replay.replaying, replay.pending];
    seen.push([...before, replay.next()]);
  }
  assert.deepStrictEqual(seen, [
    [true, true, "28"],
    [true, true, "1"],
    [true, false, null], // the line read last was replayed
    [false, false, null],
  ]);
  const none = createReplay([]);
  assert.deepStrictEqual([none.replaying, none.pending, none.next()], [false, false, null]);
});

test("a journal of a round replayed brings back its events, and its hints mark the same problems",
     () => {
  const journal = newJournal(1);
  journal.lines.push("9", "1", "20,5", "1");
  journal.hints.push(2);
  const kept = readJournal(journalText(journal));
  const replay = createReplay(kept.lines);
  const replayed = [];
  // Each line as the page hands it to the program, with a full stop for a decimal comma.
  for (let line = replay.next(); line !== null; line = replay.next()) {
    replayed.push(new TextDecoder().decode(programLine(line)).trimEnd());
  }
  const events = sessionEvents(kept.seed, replayed);
  assert.deepStrictEqual(events, sessionEvents(1, ["9", "1", "20.5", "1"]));
  const round = events.reduce(follow, newRound(kept.hints));
  assert.deepStrictEqual(round.problems.map(({ right, hinted }) => [right, hinted]),
                         [[true, false], [false, true], [null, false]]);
});

// What a tab may hold after an older page, a damaged copy or another script: every stored field
// is read as untrusted, what does not fit is dropped and the rest kept, and nothing throws.
test("a damaged visit keeps what fits", () => {
  const problem = { kind: "supply", model: "direct", right: false, hinted: true,
                    mistake: "inverse", chosen: "constant" };
  const round = { posed: 2, correct: 1, how: "declined", problems: [problem] };
  const kept = { ...round, problems: [problem] };
  const plain = { kind: "work", model: "inverse", right: null, hinted: false, mistake: null,
                  chosen: null };
  const cases = [
    // [what is stored, the rounds read back]
    ["rounds without problems", { rounds: [{ posed: 2, correct: 1, how: "declined" }] },
     [{ posed: 2, correct: 1, how: "declined", problems: [] }]],
    ["a null round among good ones", { rounds: [null, round] }, [kept]],
    ["problems that are a string", { rounds: [{ ...round, problems: "x" }] },
     [{ ...round, problems: [] }]],
    ["a problem of another shape", { rounds: [{ ...round, problems: [7, { kind: "x" }] }] },
     [{ ...round, problems: [plain] }]],
    ["more problems than posed", { rounds: [{ ...round, problems: Array(5).fill(problem) }] },
     [{ ...round, problems: [problem, problem] }]],
    ["a score that cannot be", { rounds: [{ ...round, correct: 3 }, { ...round, posed: -1 },
                                          { ...round, posed: "2" }] }, []],
    ["an unknown end", { rounds: [{ ...round, how: "<b>" }] }, [{ ...kept, how: "declined" }]],
    ["a mistake that is markup", { rounds: [{ ...round, problems: [{ ...problem,
                                                                      mistake: "<img>" }] }] },
     [{ ...round, problems: [{ ...problem, mistake: null }] }]],
    ["rounds that are an object", { rounds: { 0: round } }, []],
    ["a null visit", null, []],
    ["too many rounds", { rounds: Array(150).fill(round) }, Array(100).fill(kept)],
  ];
  for (const [what, stored, rounds] of cases) {
    assert.deepStrictEqual(readVisit(JSON.stringify(stored)).rounds, rounds, what);
  }
});

test("a journal too long to replay is neither kept nor read back", () => {
  const long = { ...newJournal(3), lines: Array(MOST_LINES + 1).fill("1") };
  assert.strictEqual(keptJournal(long), null);
  assert.strictEqual(readJournal(journalText(long)), null);
  const longest = { ...long, lines: long.lines.slice(1) };
  assert.strictEqual(keptJournal(longest), longest);
  assert.deepStrictEqual(readJournal(journalText(longest)).lines.length, MOST_LINES);
  // 100,000 lines stored by a damaged page are refused without a freeze.
  const huge = JSON.stringify({ journal: { seed: 1, lines: Array(100000).fill("1") }, rounds: [] });
  assert.deepStrictEqual(readVisit(huge), { journal: null, rounds: [] });
});

test("a replay that reaches the goal drops the rest of its lines", () => {
  const replay = createReplay(["1", "1", "1"]);
  replay.next();
  replay.drop();
  assert.deepStrictEqual([replay.pending, replay.next(), replay.replaying], [false, null, false]);
});
