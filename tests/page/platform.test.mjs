// The trainer in a learning platform: where the SCORM 1.2 API is found, the values the page
// writes, and the order of its calls, against a platform that records every call.
import assert from "node:assert";
import { test } from "node:test";
import { journalText } from "../../web/journal.js";
import { connectPlatform, decimalOf, findApi, goalOf, interactionId, scoreOf, timeOfDay, timespan }
  from "../../web/platform.js";
import { problem } from "./records.mjs";

// A platform's API with the launch's values in data; it records each call as [name, ...args].
// failing names the elements (or calls) it refuses with error 405; throwing makes it throw.
function recordingApi(data = {}, { failing = [], throwing = false } = {}) {
  const calls = [];
  let error = "0";
  const answer = (name, what, result) => (...args) => {
    calls.push([name, ...args]);
    if (throwing) {
      throw new Error("API gone");
    }
    error = failing.includes(what(args)) ? "405" : "0";
    return error === "0" ? result(args) : name === "LMSGetValue" ? "" : "false";
  };
  const api = {
    calls,
    LMSInitialize: answer("LMSInitialize", () => "LMSInitialize", () => "true"),
    LMSGetValue: answer("LMSGetValue", ([element]) => element, ([element]) => data[element] ?? ""),
    LMSSetValue: answer("LMSSetValue", ([element]) => element, () => "true"),
    LMSCommit: answer("LMSCommit", () => "LMSCommit", () => "true"),
    LMSFinish: answer("LMSFinish", () => "LMSFinish", () => "true"),
    LMSGetLastError: () => error,
    LMSGetErrorString: (code) => (code === "405" ? "Incorrect Data Type" : ""),
  };
  return api;
}

// The calls that change something, without the questions after each.
const writes = (api) => api.calls.filter(([name]) => name !== "LMSGetValue");

function connected(data, options) {
  const api = recordingApi(data, options);
  const reported = [];
  let clock = Date.UTC(2026, 8, 14, 10, 0, 0);
  const platform = connectPlatform(api, { now: () => clock, report: (m) => reported.push(m) });
  return { api, platform, reported, tick: (ms) => { clock += ms; } };
}

const work = problem("work", 0, 4, 8, 2); // its answer is what the program would name
const posed = (number) => ({ type: "problemPosed", number, problem: work });
const asked = (question, posedCount, correct) =>
  ({ type: "questionOpened", question, posed: posedCount, correct });
const judged = (erg) => ({ type: "answerJudged", problem: work, erg, right: erg === work.answer });
const finished = (how, posedCount, correct, praised) =>
  ({ type: "sessionFinished", how, posed: posedCount, correct, praised });

test("the API is found in the window, its parents and the openers, as a package searches", () => {
  const api = { LMSInitialize() {} };
  // A chain of windows, innermost first; each may hold the API, be another origin's, or have
  // an opener (itself a chain).
  const chain = (...specs) => {
    const windows = specs.map((spec) => {
      const window = {};
      if (spec === "api") window.API = api;
      if (spec === "foreign") Object.defineProperty(window, "API", { get() { throw new Error("cross-origin"); } });
      if (spec === "fake") window.API = { name: "not an API" };
      if (spec && spec.opener) window.opener = spec.opener;
      return window;
    });
    windows.forEach((window, i) => { window.parent = windows[i + 1] ?? window; });
    const top = windows[windows.length - 1];
    windows.forEach((window) => { window.top = top; });
    return windows[0];
  };
  const cases = [
    ["in the page's own window", chain("api"), api],
    ["in the parent", chain(null, "api"), api],
    ["above a frame of another origin", chain(null, "foreign", "api"), api],
    ["seven parents up", chain(null, null, null, null, null, null, null, "api"), api],
    ["eight parents up: too far", chain(null, null, null, null, null, null, null, null, "api"), null],
    ["in the opener", chain({ opener: chain("api") }), api],
    ["in the opener's parent", chain({ opener: chain(null, "api") }), api],
    ["in the opener of the topmost window", chain(null, { opener: chain("api") }), api],
    ["nowhere", chain(null, null), null],
    ["an object called API without its calls", chain("fake"), null],
    ["only in another origin's frame", chain("foreign"), null],
  ];
  for (const [where, window, expected] of cases) {
    assert.strictEqual(findApi(window), expected, where);
  }
});

test("the goal of a round comes from the launch data", () => {
  const cases = [
    ["anzahl=5", 5], ["anzahl=1", 1], ["anzahl=30", 30], ["x=1&anzahl=20", 20],
    ["anzahl=20;x=1", 20], ["", 10], [null, 10], ["anzahl=0", 10], ["anzahl=31", 10],
    ["anzahl=100", 10], ["anzahl=-5", 10], ["anzahl=5x", 10], ["xanzahl=5", 10],
  ];
  for (const [launchData, goal] of cases) {
    assert.strictEqual(goalOf(launchData), goal, launchData);
  }
});

test("values are written in SCORM 1.2's data types", () => {
  const cases = [
    // [function, argument, value]
    [timespan, 0, "0000:00:00.00"],
    [timespan, 1234, "0000:00:01.23"],
    [timespan, 59999, "0000:01:00.00"],
    [timespan, (27 * 3600 + 5 * 60 + 9) * 1000 + 40, "0027:05:09.04"],
    [timespan, -5, "0000:00:00.00"],
    [timespan, 1e13, "9998:59:59.99"],
    [timeOfDay, new Date(2026, 0, 2, 7, 5, 3), "07:05:03"],
    [timeOfDay, new Date(2026, 0, 2, 23, 59, 59, 999), "23:59:59"],
    [(pair) => scoreOf(...pair), [0, 3], "0.0"], // "0" would be no score in Moodle
    [(pair) => scoreOf(...pair), [1, 3], "33.33"],
    [(pair) => scoreOf(...pair), [2, 3], "66.67"],
    [(pair) => scoreOf(...pair), [4, 5], "80"],
    [(pair) => scoreOf(...pair), [10, 10], "100"],
    [decimalOf, 28, "28"],
    [decimalOf, Math.fround(20.1), "20.1"],
    [decimalOf, Math.fround(-0.5), "-0.5"],
    [decimalOf, Math.fround(1e-14), "0.00000000000001"],
    [decimalOf, Math.fround(9999999999999999), "10000000000000000"],
    [decimalOf, Math.fround(7777777777777777), "7777778000000000"],
    [interactionId, 3, "Aufgabe3"],
  ];
  for (const [write, argument, value] of cases) {
    assert.strictEqual(write(argument), value, `${write.name}(${argument})`);
  }
});

test("without an API, or when the platform refuses to start, nothing is connected", () => {
  assert.strictEqual(connectPlatform(null, { now: Date.now, report: assert.fail }), null);
  const { api, platform, reported } = connected({}, { failing: ["LMSInitialize"] });
  assert.strictEqual(platform, null);
  assert.deepStrictEqual(api.calls, [["LMSInitialize", ""]]);
  assert.deepStrictEqual(reported,
                         ["Die Lernplattform meldet Fehler 405 (Incorrect Data Type) bei LMSInitialize."]);
});

test("a launch initialises first, then reads its goal, whether to resume, and the interactions", () => {
  const journal = { seed: 77, lines: ["28", "1"] };
  const cases = [
    [{}, 10, null],
    [{ "cmi.launch_data": "anzahl=5" }, 5, null],
    [{ "cmi.core.entry": "resume", "cmi.suspend_data": journalText(journal) }, 10, journal],
    [{ "cmi.core.entry": "", "cmi.suspend_data": journalText(journal) }, 10, null],
    [{ "cmi.core.entry": "resume", "cmi.suspend_data": "page 3" }, 10, null],
  ];
  for (const [data, goal, resumed] of cases) {
    const { api, platform } = connected(data);
    assert.deepStrictEqual([platform.goal, platform.resumed], [goal, resumed], JSON.stringify(data));
    assert.deepStrictEqual(api.calls[0], ["LMSInitialize", ""]);
    assert.deepStrictEqual(api.calls.slice(1).map(([name]) => name),
                           Array(api.calls.length - 1).fill("LMSGetValue"));
  }
});

// A round of three answers, right, wrong and right, then how it ends.
function playRound(how, praised) {
  const round = connected({ "cmi.interactions._count": "2" });
  const { api, platform, tick } = round;
  const journal = { seed: 5, lines: [] };
  api.calls.length = 0;
  for (const [number, erg] of [[1, work.answer], [2, work.answer + 1], [3, work.answer]]) {
    platform.hear(posed(number), journal, false);
    platform.hear(asked("answer", number, 0), journal, false);
    tick(12340);
    journal.lines.push(String(erg));
    platform.hear(judged(erg), journal, false);
    platform.hear(asked("continue", number, 0), journal, false);
    journal.lines.push(number < 3 ? "1" : "9");
  }
  tick(1000);
  platform.hear(finished(how, 3, 2, praised), journal, false);
  return round;
}

test("each answer is an interaction with the score so far, suspended with the journal, committed", () => {
  const { api } = playRound("declined", false);
  const first = writes(api).slice(0, 15);
  assert.deepStrictEqual(first, [
    ["LMSSetValue", "cmi.interactions.2.id", "Aufgabe1"], // after the platform's own two
    ["LMSSetValue", "cmi.interactions.2.type", "numeric"],
    ["LMSSetValue", "cmi.interactions.2.student_response", String(work.answer)],
    ["LMSSetValue", "cmi.interactions.2.correct_responses.0.pattern", String(work.answer)],
    ["LMSSetValue", "cmi.interactions.2.result", "correct"],
    ["LMSSetValue", "cmi.interactions.2.latency", "0000:00:12.34"],
    ["LMSSetValue", "cmi.interactions.2.time", timeOfDay(new Date(Date.UTC(2026, 8, 14, 10, 0, 12, 340)))],
    ["LMSSetValue", "cmi.core.score.min", "0"],
    ["LMSSetValue", "cmi.core.score.max", "100"],
    ["LMSSetValue", "cmi.core.score.raw", "100"],
    ["LMSSetValue", "cmi.core.lesson_status", "incomplete"],
    ["LMSSetValue", "cmi.core.exit", "suspend"],
    ["LMSSetValue", "cmi.suspend_data", journalText({ seed: 5, lines: [String(work.answer)] })],
    ["LMSCommit", ""],
    ["LMSSetValue", "cmi.interactions.3.id", "Aufgabe2"],
  ]);
  const second = writes(api).slice(14, 28);
  assert.deepStrictEqual(second.filter(([, element]) => /result|raw|student/.test(element)), [
    ["LMSSetValue", "cmi.interactions.3.student_response", String(work.answer + 1)],
    ["LMSSetValue", "cmi.interactions.3.result", "wrong"],
    ["LMSSetValue", "cmi.core.score.raw", "50"],
  ]);
  assert.deepStrictEqual(writes(api).filter(([name]) => name === "LMSCommit").length, 4);
});

test("the round's end: passed or failed by the verdict, the session's time, commit, finish last", () => {
  const cases = [
    ["declined", true, "passed"],
    ["declined", false, "failed"],
    ["inputEnded", false, "failed"],
    ["interrupted", true, null], // Ctrl-C gives no verdict: the status stays incomplete
  ];
  for (const [how, praised, status] of cases) {
    const { api, platform } = playRound(how, praised);
    const expected = [
      ...(status ? [["LMSSetValue", "cmi.core.score.min", "0"],
                    ["LMSSetValue", "cmi.core.score.max", "100"],
                    ["LMSSetValue", "cmi.core.score.raw", "66.67"],
                    ["LMSSetValue", "cmi.core.lesson_status", status]] : []),
      ["LMSSetValue", "cmi.core.exit", ""],
      ["LMSSetValue", "cmi.suspend_data", ""],
      ["LMSSetValue", "cmi.core.session_time", "0000:00:38.02"],
      ["LMSCommit", ""],
      ["LMSFinish", ""],
    ];
    assert.deepStrictEqual(writes(api).slice(-expected.length), expected, how);
    assert.deepStrictEqual(writes(api).filter(([, element, value]) =>
      element === "cmi.core.lesson_status" && value !== "incomplete").map(([, , value]) => value),
                           status ? [status] : [], how);
    // After LMSFinish the page calls nothing, not even when the window closes.
    assert.deepStrictEqual(api.calls[api.calls.length - 1], ["LMSFinish", ""], how);
    platform.hear(judged(1), { seed: 5, lines: [] }, false);
    platform.suspend({ seed: 5, lines: [] });
    assert.deepStrictEqual(api.calls[api.calls.length - 1], ["LMSFinish", ""], how);
  }
});

test("a window closed mid-round suspends the round with its journal", () => {
  const { api, platform, tick } = connected({});
  api.calls.length = 0;
  tick(2500);
  platform.suspend({ seed: 9, lines: ["3", "1"] });
  assert.deepStrictEqual(writes(api), [
    ["LMSSetValue", "cmi.core.exit", "suspend"],
    ["LMSSetValue", "cmi.suspend_data", '{"seed":9,"lines":["3","1"]}'],
    ["LMSSetValue", "cmi.core.session_time", "0000:00:02.50"],
    ["LMSCommit", ""],
    ["LMSFinish", ""],
  ]);
  // A journal that the platform could not hold is not sent, nor is the round marked suspended.
  const long = connected({});
  long.api.calls.length = 0;
  long.platform.suspend({ seed: 9, lines: Array(1000).fill("1234") });
  assert.deepStrictEqual(writes(long.api).slice(0, 2), [
    ["LMSSetValue", "cmi.core.exit", ""],
    ["LMSSetValue", "cmi.suspend_data", ""],
  ]);
});

test("the longest round the platform asks for fits its suspend data", () => {
  const lines = [];
  for (let problem = 0; problem < 30; ++problem) lines.push("-0.0000000000001", "1");
  assert.ok(journalText({ seed: 4294967295, lines }).length <= 4096);
});

test("answers replayed from the journal were reported before and are not sent again", () => {
  const { api, platform } = connected({ "cmi.core.entry": "resume" });
  api.calls.length = 0;
  const journal = { seed: 5, lines: [String(work.answer)] };
  platform.hear(posed(1), journal, true);
  platform.hear(judged(work.answer), journal, true);
  assert.deepStrictEqual(api.calls, []);
  platform.hear(posed(2), journal, false);
  platform.hear(judged(0), journal, false);
  // The score counts the replayed answer; the interaction is the second problem's.
  assert.ok(writes(api).some(([, e, v]) => e === "cmi.interactions.0.id" && v === "Aufgabe2"));
  assert.ok(writes(api).some(([, e, v]) => e === "cmi.core.score.raw" && v === "50"));
});

test("errors the platform reports are named, never thrown", () => {
  const refused = connected({}, { failing: ["cmi.core.score.raw", "LMSCommit"] });
  refused.platform.hear(posed(1), { seed: 1, lines: [] }, false);
  refused.platform.hear(judged(0), { seed: 1, lines: ["0"] }, false);
  assert.deepStrictEqual(refused.reported, [
    "Die Lernplattform meldet Fehler 405 (Incorrect Data Type) bei cmi.core.score.raw.",
    "Die Lernplattform meldet Fehler 405 (Incorrect Data Type) bei LMSCommit.",
  ]);
  const broken = connected({}, { throwing: true });
  assert.strictEqual(broken.platform, null);
  assert.deepStrictEqual(broken.reported, ["Die Lernplattform meldet einen Fehler bei LMSInitialize: API gone"]);
});
