// The trainer in a learning platform: where the SCORM 1.2 API is found, the values the page
// writes, and what it does when the platform refuses or the round ends without a verdict.
import assert from "node:assert";
import { test } from "node:test";
import { journalText } from "../../web/trainer/journal.js";
import { connectPlatform, decimalOf, findApi, goalOf, interactionId, scoreOf, timeOfDay, timespan }
  from "../../web/platform/platform.js";
import { sessionEvents } from "./records.mjs";

// A platform's API that records each call as [name, ...args] and refuses to set the elements
// in failing (error 405); throwing makes every call throw. The rest of a round's calls and
// values are judged in the browser tests, against scorm-again.
function recordingApi({ failing = [], throwing = false, values = {} } = {}) {
  const calls = [];
  let error = "0";
  const call = (name) => (...args) => {
    calls.push([name, ...args]);
    if (throwing) throw new Error("API gone");
    error = failing.includes(args[0]) ? "405" : "0";
    return name === "LMSGetValue" ? values[args[0]] ?? "" : String(error === "0");
  };
  return {
    calls,
    ...Object.fromEntries(["LMSInitialize", "LMSGetValue", "LMSSetValue", "LMSCommit", "LMSFinish"]
      .map((name) => [name, call(name)])),
    LMSGetLastError: () => error,
    LMSGetErrorString: () => "Incorrect Data Type",
  };
}

function connected(options) {
  const api = recordingApi(options);
  const reported = [];
  const platform = connectPlatform(api, { now: () => 0, report: (m) => reported.push(m) });
  return { api, platform, reported };
}

// The events of a real session (seed 1: 3 → 7 in 21, answer 9; then 6 → 11 in 99, answer 54),
// heard by the platform as the page hears them.
const hearAll = (platform, events, journal = { seed: 1, lines: [] }) =>
  events.forEach((event) => platform.hear(event, journal, false));
// The values set to element, a name or a pattern of names, in order.
const sets = (api, element) => api.calls.filter(([name, key]) => name === "LMSSetValue" &&
  (typeof element === "string" ? key === element : element.test(key))).map(([, , value]) => value);

test("the API is found in the window, its parents and the openers, as a package searches", () => {
  const api = { LMSInitialize() {} };
  // A chain of windows, innermost first; each may hold the API, be another origin's, or have
  // an opener (itself a chain).
  const chain = (...kinds) => {
    const windows = kinds.map((kind) => {
      const window = {};
      if (kind === "api") window.API = api;
      if (kind === "foreign") {
        Object.defineProperty(window, "API", { get() { throw new Error("cross-origin"); } });
      }
      if (kind === "fake") window.API = { name: "not an API" };
      if (kind && kind.opener) window.opener = kind.opener;
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
    ["seven parents up", chain(...Array(7).fill(null), "api"), api],
    ["eight parents up: too far", chain(...Array(8).fill(null), "api"), null],
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
  const refused = connected({ failing: [""] }); // LMSInitialize("") among them
  assert.strictEqual(refused.platform, null);
  assert.deepStrictEqual(refused.api.calls, [["LMSInitialize", ""]]);
});

test("errors the platform reports are named, never thrown", () => {
  const refused = connected({ failing: ["cmi.core.score.raw"] });
  hearAll(refused.platform, sessionEvents(1, ["0"]).slice(0, 4)); // up to the answer judged
  assert.deepStrictEqual(refused.reported, [
    "Die Lernplattform meldet Fehler 405 (Incorrect Data Type) bei cmi.core.score.raw.",
  ]);
  const broken = connected({ throwing: true });
  assert.strictEqual(broken.platform, null);
  assert.deepStrictEqual(broken.reported,
                         ["Die Lernplattform meldet einen Fehler bei LMSInitialize: API gone"]);
});

test("each answer of a session is an interaction with its response, result and score", () => {
  const { api, platform } = connected();
  hearAll(platform, sessionEvents(1, ["9", "1", "20.5", "9"]));
  const interaction = (field) => sets(api, new RegExp(`^cmi\\.interactions\\.\\d+\\.${field}$`));
  assert.deepStrictEqual(interaction("id"), ["Aufgabe1", "Aufgabe2"]);
  assert.deepStrictEqual(interaction("student_response"), ["9", "20.5"]);
  assert.deepStrictEqual(interaction("correct_responses\\.0\\.pattern"), ["9", "54"]);
  assert.deepStrictEqual(interaction("result"), ["correct", "wrong"]);
  assert.deepStrictEqual(sets(api, /^cmi\.core\.score\.raw$/), ["100", "50", "50"]);
  assert.deepStrictEqual(sets(api, /^cmi\.core\.lesson_status$/),
                         ["incomplete", "incomplete", "failed"]);
  assert.deepStrictEqual(api.calls.at(-1), ["LMSFinish", ""]);
});

test("a round ended with Ctrl-C has no verdict: it stays incomplete, and is not suspended", () => {
  const { api, platform } = connected();
  const interrupted = { type: "sessionFinished", how: "interrupted", posed: 2, correct: 2,
                        praised: true };
  platform.hear(interrupted, { seed: 1, lines: ["8"] }, false);
  assert.deepStrictEqual(sets(api, "cmi.core.lesson_status"), []);
  assert.deepStrictEqual(sets(api, "cmi.core.exit"), [""]);
  assert.deepStrictEqual(api.calls.at(-1), ["LMSFinish", ""]);
});

test("the longest round fits the suspend data; a journal that does not is not sent", () => {
  const lines = [];
  for (let problem = 0; problem < 30; ++problem) lines.push("-0.0000000000001", "1");
  const hints = Array.from({ length: 30 }, (_, index) => index + 1);
  assert.ok(journalText({ seed: 4294967295, lines, hints }).length <= 4096);
  const { api, platform } = connected();
  platform.suspend({ seed: 9, lines: Array(1000).fill("1234") });
  assert.deepStrictEqual([sets(api, "cmi.core.exit"), sets(api, "cmi.suspend_data")], [[""], [""]]);
});

test("a mixed round from the launch data: each model chosen is an interaction before the number",
     () => {
  const { api, platform } = connected({ values: { "cmi.launch_data": "anzahl=5&art=gemischt" } });
  assert.deepStrictEqual([platform.goal, platform.options], [5, { mixed: true, byHand: false }]);
  // Seed 5, mixed: inverse, inverse, then a direct problem; the learner took the first two for
  // inverse and direct.
  const journal = { seed: 5, lines: [], mixed: true, choices: ["inverse", "direct"] };
  hearAll(platform, sessionEvents(5, ["1", "1", "1", "9"], { mixed: true }), journal);
  const interaction = (field) => sets(api, new RegExp(`^cmi\\.interactions\\.\\d+\\.${field}$`));
  assert.deepStrictEqual(interaction("id"),
                         ["Aufgabe1Zusammenhang", "Aufgabe1", "Aufgabe2Zusammenhang", "Aufgabe2"]);
  assert.deepStrictEqual(interaction("type"), ["choice", "numeric", "choice", "numeric"]);
  assert.deepStrictEqual(interaction("student_response").filter((_, at) => at % 2 === 0),
                         ["b", "a"]);
  assert.deepStrictEqual(interaction("result").filter((_, at) => at % 2 === 0),
                         ["correct", "wrong"]);
});
