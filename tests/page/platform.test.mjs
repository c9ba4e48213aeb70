// The trainer in a learning platform: where the SCORM 1.2 API is found, the values the page
// writes for a real session's events, and what it does when the platform refuses, answers
// slowly or oddly, opens a round only to look at, or the round ends without a verdict.
import assert from "node:assert";
import { test } from "node:test";
import { journalText } from "../../web/trainer/journal.js";
import { PRACTICE, REFUSED, connectPlatform, decimalOf, findApi, goalOf, interactionId, passes,
         scoreOf, timeOfDay, timespan } from "../../web/platform/platform.js";
import { problem, sessionEvents } from "./records.mjs";

// A platform's API that records each call as [name, ...args] and refuses to set the elements
// in failing (error 405); throwing makes every call throw; values are what LMSGetValue gives;
// lastError, when given, is what LMSGetLastError says whatever happened. The rest of a
// round's calls and values are judged in the browser tests.
function recordingApi({ failing = [], throwing = false, values = {}, lastError } = {}) {
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
    LMSGetLastError: () => {
      calls.push(["LMSGetLastError"]);
      return lastError === undefined ? error : lastError;
    },
    LMSGetErrorString: () => "Incorrect Data Type",
  };
}

// A platform connected to such an API; its queued calls run when drain() is called, as the
// page's tasks would run them.
function connected(options) {
  const api = recordingApi(options);
  const reported = [];
  const tasks = [];
  const platform = connectPlatform(api, { now: () => 0, report: (m) => reported.push(m),
                                          later: (task) => tasks.push(task) });
  const drain = () => {
    while (tasks.length) tasks.shift()();
  };
  return { api, platform, reported, drain, tasks };
}

// The events of a real session (seed 1: 3 → 7 in 21, answer 9; then 6 → 11 in 99, answer 54),
// heard by the platform as the page hears them.
const hearAll = (platform, events, journal = { seed: 1, lines: [] }) =>
  events.forEach((event) => platform.hear(event, journal, false));
const GOAL_OF_2 = { values: { "cmi.launch_data": "anzahl=2" } };
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
    // The score of right answers against the goal.
    [(pair) => scoreOf(...pair), [0, 3], "0.0"],
    [(pair) => scoreOf(...pair), [1, 3], "33.33"],
    [(pair) => scoreOf(...pair), [2, 3], "66.67"],
    [(pair) => scoreOf(...pair), [4, 5], "80"],
    [(pair) => scoreOf(...pair), [1, 10], "10"],
    [(pair) => scoreOf(...pair), [10, 10], "100"],
    [(pair) => passes(...pair), [8, 10], true],
    [(pair) => passes(...pair), [7, 10], false],
    [(pair) => passes(...pair), [1, 10], false],
    [(pair) => passes(...pair), [4, 5], true],
    [decimalOf, 28, "28"],
    [decimalOf, Math.fround(20.1), "20.1"],
    [decimalOf, Math.fround(-0.5), "-0.5"],
    [decimalOf, Math.fround(1e-14), "0.00000000000001"],
    [decimalOf, Math.fround(9999999999999999), "10000000000000000"],
    [decimalOf, Math.fround(7777777777777777), "7777778000000000"],
    [(args) => interactionId(...args), [3, problem("supply", 2, 4, 8, 3)], "A3_Kuehe_4_24_8"],
    [(args) => interactionId(...args), [12, problem("work", 5, 7, 5, 10), true],
     "A12_Strassenarbeiter_7_50_5_mitTipp"],
    [(args) => interactionId(...args), [1, problem("work", 0, 4, 6, 5, "direct")],
     "A1_Reinigungskraefte_4_20_6_gerade"],
    [(args) => interactionId(...args), [2, problem("supply", 3, 4, 10, 5, "constant")],
     "A2_Gluehbirnen_4_5_10_gleich"],
  ];
  for (const [write, argument, value] of cases) {
    assert.strictEqual(write(argument), value, `${write.name}(${argument})`);
  }
});

test("without an API nothing is connected; a platform that refuses counts nothing, and says so",
     () => {
  assert.strictEqual(connectPlatform(null, { now: Date.now, report: assert.fail }), null);
  const refused = connected({ failing: [""] }); // LMSInitialize("") among them
  assert.deepStrictEqual([refused.platform.counted, refused.platform.notice],
                         [false, REFUSED]);
  hearAll(refused.platform, sessionEvents(1, ["9", "9"]));
  refused.platform.leave({ seed: 1, lines: ["9"] });
  refused.drain();
  assert.deepStrictEqual(refused.api.calls.filter(([name]) => name !== "LMSGetLastError"),
                         [["LMSInitialize", ""]]);
});

test("a round the platform opens to review, or without credit, is practice that writes nothing",
     () => {
  for (const values of [{ "cmi.core.lesson_mode": "review" }, { "cmi.core.lesson_mode": "browse" },
                        { "cmi.core.lesson_mode": "normal", "cmi.core.credit": "no-credit" }]) {
    const { api, platform, drain } = connected({ values });
    assert.deepStrictEqual([platform.counted, platform.notice, platform.resumed],
                           [false, PRACTICE, null], JSON.stringify(values));
    hearAll(platform, sessionEvents(1, ["9", "9"]));
    platform.leave({ seed: 1, lines: [] });
    drain();
    assert.deepStrictEqual(api.calls.filter(([name]) => !/^LMS(GetValue|GetLastError)$/.test(name)),
                           [["LMSInitialize", ""]], JSON.stringify(values));
  }
});

test("errors the platform reports are named, never thrown; a junk error code is none", () => {
  const refusing = connected({ failing: ["cmi.core.score.raw"] });
  hearAll(refusing.platform, sessionEvents(1, ["0"]).slice(0, 4)); // up to the answer judged
  refusing.drain();
  assert.deepStrictEqual(refusing.reported, [
    "Die Lernplattform meldet Fehler 405 (Incorrect Data Type) bei cmi.core.score.raw.",
  ]);
  const broken = connected({ throwing: true });
  assert.strictEqual(broken.platform.counted, false);
  assert.deepStrictEqual(broken.reported,
                         ["Die Lernplattform meldet einen Fehler bei LMSInitialize: API gone"]);
  for (const lastError of [null, "null", "junk", "", " 0 ", "99", 405.5]) {
    const odd = connected({ failing: ["cmi.core.score.raw"], lastError });
    hearAll(odd.platform, sessionEvents(1, ["0", "9"]));
    odd.drain();
    assert.deepStrictEqual(odd.reported, [], String(lastError));
  }
  // A call that went well is not followed by the question.
  const fine = connected();
  hearAll(fine.platform, sessionEvents(1, ["9", "9"]));
  fine.drain();
  const askedAfter = fine.api.calls.flatMap(([name], at) => (name === "LMSGetLastError"
    ? [fine.api.calls[at - 1]] : []));
  assert.ok(askedAfter.every(([name]) => name === "LMSGetValue"), JSON.stringify(askedAfter));
});

test("the platform's calls wait until the page has shown the answer, and keep their order", () => {
  const { api, platform, drain, tasks } = connected(GOAL_OF_2);
  const before = api.calls.length;
  hearAll(platform, sessionEvents(1, ["9", "1"]).slice(0, 4)); // up to the answer judged
  assert.strictEqual(api.calls.length, before, "nothing called while the page shows the answer");
  assert.strictEqual(tasks.length, 1);
  drain();
  const names = api.calls.slice(before).map(([name, key]) => (name === "LMSSetValue" ? key : name))
    .filter((name) => name !== "LMSGetLastError");
  assert.deepStrictEqual(names, [
    "LMSGetValue", "cmi.interactions.0.id", "cmi.interactions.0.type",
    "cmi.interactions.0.student_response", "cmi.interactions.0.correct_responses.0.pattern",
    "cmi.interactions.0.result", "cmi.interactions.0.latency", "cmi.interactions.0.time",
    "cmi.core.score.min", "cmi.core.score.max", "cmi.core.score.raw", "cmi.core.lesson_status",
    "cmi.core.exit", "cmi.suspend_data", "LMSCommit",
  ]);
});

test("each answer counts against the goal, and the round's end passes or fails against it", () => {
  const cases = [
    // launch data, lines typed (seed 1: answers 9, 54, 20, 16), raw scores, statuses
    ["anzahl=2", ["9", "1", "54", "1"], ["50", "100", "100"],
     ["incomplete", "incomplete", "passed"]],
    ["anzahl=10", ["9", "9"], ["10", "10"], ["incomplete", "failed"]],
    ["anzahl=5", ["9", "1", "54", "1", "0", "9"], ["20", "40", "40", "40"],
     ["incomplete", "incomplete", "incomplete", "failed"]],
  ];
  for (const [launchData, lines, raws, statuses] of cases) {
    const { api, platform, drain } = connected({ values: { "cmi.launch_data": launchData } });
    hearAll(platform, sessionEvents(1, lines));
    drain();
    assert.deepStrictEqual(sets(api, "cmi.core.score.raw"), raws, launchData);
    assert.deepStrictEqual(sets(api, "cmi.core.lesson_status"), statuses, launchData);
    assert.deepStrictEqual(sets(api, "cmi.core.exit").at(-1), "", launchData);
    assert.deepStrictEqual(api.calls.at(-1), ["LMSFinish", ""]);
  }
});

test("each answer of a session is an interaction whose id names the problem and a hint", () => {
  const { api, platform, drain } = connected(GOAL_OF_2);
  hearAll(platform, sessionEvents(1, ["9", "1", "20.5", "1"]), { seed: 1, lines: [], hints: [2] });
  drain();
  const interaction = (field) => sets(api, new RegExp(`^cmi\\.interactions\\.\\d+\\.${field}$`));
  assert.deepStrictEqual(interaction("id"),
                         ["A1_Ameisen_3_21_7", "A2_Ameisen_6_99_11_mitTipp"]);
  assert.deepStrictEqual(interaction("student_response"), ["9", "20.5"]);
  assert.deepStrictEqual(interaction("correct_responses\\.0\\.pattern"), ["9", "54"]);
  assert.deepStrictEqual(interaction("result"), ["correct", "wrong"]);
});

test("a round left in the middle is committed incomplete and suspended, and not finished", () => {
  const { api, platform, drain } = connected();
  hearAll(platform, sessionEvents(1, ["9", "1"]).slice(0, 6));
  platform.leave({ seed: 1, lines: ["9", "1"] }); // at once, what was queued first, as it goes
  const calls = api.calls.filter(([name]) => name !== "LMSGetLastError");
  assert.deepStrictEqual(calls.at(-1), ["LMSCommit", ""]);
  assert.ok(!calls.some(([name]) => name === "LMSFinish"));
  assert.deepStrictEqual(sets(api, "cmi.core.score.raw"), ["10"]);
  assert.deepStrictEqual(sets(api, "cmi.core.lesson_status").at(-1), "incomplete");
  assert.deepStrictEqual(sets(api, "cmi.core.exit").at(-1), "suspend");
  assert.deepStrictEqual(JSON.parse(sets(api, "cmi.suspend_data").at(-1)).lines, ["9", "1"]);
  const made = api.calls.length;
  platform.leave({ seed: 1, lines: [] }); // the page goes after Ctrl-C left it: nothing more
  drain();
  assert.strictEqual(api.calls.length, made);
});

test("the longest round fits the suspend data; a journal that does not is not sent", () => {
  const lines = [];
  for (let problem = 0; problem < 30; ++problem) lines.push("-0.0000000000001", "1");
  const hints = Array.from({ length: 30 }, (_, index) => index + 1);
  assert.ok(journalText({ seed: 4294967295, lines, hints }).length <= 4096);
  const { api, platform } = connected();
  platform.leave({ seed: 9, lines: Array(1000).fill("1234") });
  assert.deepStrictEqual([sets(api, "cmi.core.exit"), sets(api, "cmi.suspend_data")], [[""], [""]]);
  assert.deepStrictEqual(sets(api, "cmi.core.lesson_status"), ["incomplete"]);
});

test("a mixed round from the launch data: each model chosen is an interaction before the number",
     () => {
  const { api, platform, drain } = connected({ values: { "cmi.launch_data": "anzahl=5&art=gemischt" } });
  assert.deepStrictEqual([platform.goal, platform.options], [5, { mixed: true, byHand: false }]);
  // Seed 5, mixed: inverse, inverse, then a direct problem; the learner took the first two for
  // inverse and direct.
  const journal = { seed: 5, lines: [], mixed: true, choices: ["inverse", "direct"] };
  hearAll(platform, sessionEvents(5, ["1", "1", "1", "9"], { mixed: true }), journal);
  drain();
  const interaction = (field) => sets(api, new RegExp(`^cmi\\.interactions\\.\\d+\\.${field}$`));
  assert.deepStrictEqual(interaction("id").map((id) => id.replace(/^(A\d+)_.*?(_Zusammenhang)?$/, "$1$2")),
                         ["A1_Zusammenhang", "A1", "A2_Zusammenhang", "A2"]);
  assert.deepStrictEqual(interaction("type"), ["choice", "numeric", "choice", "numeric"]);
  assert.deepStrictEqual(interaction("student_response").filter((_, at) => at % 2 === 0),
                         ["b", "a"]);
  assert.deepStrictEqual(interaction("result").filter((_, at) => at % 2 === 0),
                         ["correct", "wrong"]);
});
