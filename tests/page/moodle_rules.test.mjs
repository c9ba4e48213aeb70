// The stand-in Moodle's rules (tests/browser/platform/moodle_rules.js), without a browser:
// the runtime's answers and error codes, the mastery override at the finish, resuming a
// suspended attempt, a finished one reopened for review, new attempts, and the grade.
import assert from "node:assert";
import { createRequire } from "node:module";
import { test } from "node:test";

const rules = createRequire(import.meta.url)("../browser/platform/moodle_rules.js");

const LEARNER = { username: "4711", firstname: "Maxi", lastname: "Muster" };
const SCO = { datafromlms: "anzahl=10", masteryscore: "80" };
const settingsWith = (changes = {}) => ({ ...rules.SETTINGS, ...changes });

// A launch of the package for the learner with these attempts, which it changes.
const launch = (attempts, { settings = settingsWith(), sco = SCO, ...options } = {}) =>
  rules.launch(attempts, settings, { sco, learner: LEARNER, ...options });

// Makes the calls, [name, ...args] each, and returns the last one's result and error.
function run(api, calls) {
  let result;
  for (const [name, ...args] of calls) result = api[name](...args);
  return [result, api.LMSGetLastError()];
}
const init = ["LMSInitialize", ""];
const set = (element, value) => ["LMSSetValue", element, value];
const get = (element) => ["LMSGetValue", element];
const commit = ["LMSCommit", ""];
const finish = ["LMSFinish", ""];

// An attempt's tracks from the elements that matter here.
const attempt = (number, tracks) => ({ number, tracks: { "x.start.time": "1", ...tracks } });
const done = (number, raw, status = "passed") =>
  attempt(number, { "cmi.core.score.raw": raw, "cmi.core.lesson_status": status });

test("the runtime answers and refuses as Moodle's does, with its error codes", () => {
  const cases = [
    ["a value before LMSInitialize", [get("cmi.core.lesson_status")], "", "301"],
    ["LMSInitialize without its argument", [["LMSInitialize"]], "false", "201"],
    ["a second LMSInitialize", [init, init], "false", "101"],
    ["the status at the start", [init, get("cmi.core.lesson_status")], "not attempted", "0"],
    ["the launch data", [init, get("cmi.launch_data")], "anzahl=10", "0"],
    ["the mastery score", [init, get("cmi.student_data.mastery_score")], "80", "0"],
    ["the learner's name, as Moodle's full name", [init, get("cmi.core.student_name")],
     "Maxi Muster", "0"],
    ["reading the write-only exit", [init, get("cmi.core.exit")], "", "404"],
    ["reading the session time", [init, get("cmi.core.session_time")], "", "404"],
    ["reading an interaction's id", [init, set("cmi.interactions.0.id", "a"),
                                     get("cmi.interactions.0.id")], "", "404"],
    ["an element not in the model", [init, get("cmi.core.grade")], "", "201"],
    ["the children of an element that has none", [init, get("cmi.core.exit._children")], "",
     "202"],
    ["the count of an element that is no array", [init, get("cmi.core.lesson_status._count")],
     "", "203"],
    ["writing the learner's id", [init, set("cmi.core.student_id", "x")], "false", "403"],
    ["writing a keyword", [init, set("cmi.interactions._count", "3")], "false", "402"],
    ["the status 'not attempted'", [init, set("cmi.core.lesson_status", "not attempted")],
     "false", "405"],
    ["a raw score above 100", [init, set("cmi.core.score.raw", "100.5")], "false", "405"],
    ["a raw score with a comma", [init, set("cmi.core.score.raw", "12,5")], "false", "405"],
    ["an interaction past the next one", [init, set("cmi.interactions.1.id", "a")], "false",
     "201"],
    ["an interaction's result written before its id", [init,
      set("cmi.interactions.0.result", "correct")], "true", "0"],
    ["the result 'incorrect'", [init, set("cmi.interactions.0.result", "incorrect")], "false",
     "405"],
    ["an id with a blank", [init, set("cmi.interactions.0.id", "Aufgabe 1")], "false", "405"],
    ["an empty id", [init, set("cmi.interactions.0.id", "")], "true", "0"],
    ["a time without its hours' two digits", [init, set("cmi.core.session_time", "0:00:05")],
     "false", "405"],
    ["a commit with an argument", [init, ["LMSCommit", "x"]], "false", "201"],
    ["a value after LMSFinish", [init, finish, set("cmi.core.lesson_status", "passed")],
     "false", "301"],
    ["a commit after LMSFinish", [init, finish, commit], "false", "301"],
    ["a second LMSFinish", [init, finish, finish], "false", "301"],
  ];
  for (const [what, calls, result, error] of cases) {
    assert.deepStrictEqual(run(launch([]).runtime, calls), [result, error], what);
  }
});

test("the runtime hands back scores and counts as numbers, as Moodle's does", () => {
  const api = launch([]).runtime;
  assert.deepStrictEqual(run(api, [init, get("cmi.interactions._count")]), ["0", "0"]);
  assert.deepStrictEqual(run(api, [set("cmi.interactions.0.id", "Aufgabe1"),
                                   get("cmi.interactions._count")]), [1, "0"]);
  assert.deepStrictEqual(run(api, [set("cmi.core.score.raw", "80.50"),
                                   get("cmi.core.score.raw")]), [80.5, "0"]);
});

test("the mastery score overrides the status at LMSFinish only, whatever the package set", () => {
  const cases = [
    // [what, the calls before the end, the end, changes to the settings, sco, status kept]
    ["a score at the mastery score passes", [set("cmi.core.score.raw", "80"),
      set("cmi.core.lesson_status", "incomplete")], finish, {}, SCO, "passed"],
    ["an incomplete, suspended round with a lower score fails", [
      set("cmi.core.score.raw", "40"), set("cmi.core.lesson_status", "incomplete"),
      set("cmi.core.exit", "suspend")], finish, {}, SCO, "failed"],
    ["a raw score of 0 fails", [set("cmi.core.score.raw", "0")], finish, {}, SCO, "failed"],
    ["a raw score of 0.0 fails", [set("cmi.core.score.raw", "0.0")], finish, {}, SCO, "failed"],
    ["an empty raw score is a score of 0, and fails", [set("cmi.core.score.raw", "")], finish, {},
     SCO, "failed"],
    ["a passed with too low a score fails", [set("cmi.core.score.raw", "79.9"),
      set("cmi.core.lesson_status", "passed")], finish, {}, SCO, "failed"],
    ["without a raw score the status stays", [set("cmi.core.lesson_status", "incomplete")],
     finish, {}, SCO, "incomplete"],
    ["at LMSCommit the status stays", [set("cmi.core.score.raw", "90"),
      set("cmi.core.lesson_status", "incomplete")], commit, {}, SCO, "incomplete"],
    ["with the override off the status stays", [set("cmi.core.score.raw", "90"),
      set("cmi.core.lesson_status", "incomplete")], finish, { masteryoverride: false }, SCO,
     "incomplete"],
    ["without a mastery score in the manifest the status stays", [
      set("cmi.core.score.raw", "90"), set("cmi.core.lesson_status", "incomplete")], finish, {},
     { datafromlms: "anzahl=10" }, "incomplete"],
    ["a package that sets no status is completed at the finish", [], finish, {},
     { datafromlms: "anzahl=10" }, "completed"],
    ["in browse mode the status stays", [set("cmi.core.score.raw", "90"),
      set("cmi.core.lesson_status", "incomplete")], finish, {}, SCO, "incomplete", "browse"],
  ];
  for (const [what, calls, end, changes, sco, status, mode] of cases) {
    const attempts = [];
    const { runtime } = launch(attempts, { settings: settingsWith(changes), sco, mode });
    run(runtime, [init, ...calls, end]);
    assert.strictEqual(attempts[0].tracks["cmi.core.lesson_status"], status, what);
  }
});

test("a score kept from the session before decides the status at the next finish", () => {
  const attempts = [attempt(1, { "cmi.core.score.raw": "90", "cmi.core.lesson_status": "incomplete",
                                 "cmi.core.exit": "suspend" })];
  run(launch(attempts).runtime, [init, finish]);
  assert.strictEqual(attempts[0].tracks["cmi.core.lesson_status"], "passed");
});

test("an incomplete, suspended attempt is resumed with what it kept", () => {
  const attempts = [];
  const first = launch(attempts, { sco: { datafromlms: "anzahl=10" } });
  assert.deepStrictEqual([first.attempt, first.mode, first.entry, first.credit],
                         [1, "normal", "ab-initio", "credit"]);
  run(first.runtime, [init, set("cmi.interactions.0.id", "Aufgabe1"),
                      set("cmi.interactions.0.result", "wrong"),
                      set("cmi.core.lesson_status", "incomplete"), set("cmi.suspend_data", "{}"),
                      set("cmi.core.exit", "suspend"), set("cmi.core.session_time", "00:01:05"),
                      commit, finish]);
  assert.deepStrictEqual(rules.tracksOf(attempts, 1), {
    "x.start.time": "0", "cmi.core.lesson_status": "incomplete", "cmi.core.exit": "suspend",
    "cmi.suspend_data": "{}", "cmi.interactions_0.id": "Aufgabe1",
    "cmi.interactions_0.result": "wrong", "cmi.core.total_time": "00:01:05.00" });

  const second = launch(attempts, { sco: { datafromlms: "anzahl=10" } });
  assert.deepStrictEqual([second.attempt, second.mode, second.entry, second.credit],
                         [1, "normal", "resume", "credit"]);
  const api = second.runtime;
  run(api, [init]);
  assert.deepStrictEqual([api.LMSGetValue("cmi.suspend_data"), api.LMSGetValue("cmi.core.entry"),
                          api.LMSGetValue("cmi.core.lesson_status"),
                          api.LMSGetValue("cmi.interactions._count")],
                         ["{}", "resume", "incomplete", 1]);
  // Numbered after the one kept; the time adds up.
  assert.deepStrictEqual(run(api, [set("cmi.interactions.2.id", "Aufgabe3")]), ["false", "201"]);
  run(api, [set("cmi.interactions.1.id", "Aufgabe2"), set("cmi.core.session_time", "00:00:30"),
            finish]);
  assert.strictEqual(rules.tracksOf(attempts, 1)["cmi.interactions_1.id"], "Aufgabe2");
  assert.strictEqual(rules.tracksOf(attempts, 1)["cmi.core.total_time"], "00:01:35.00");
});

test("the entry follows the stored status and exit", () => {
  const cases = [
    ["no tracks", {}, "ab-initio"],
    ["only the launch noted", { "x.start.time": "1" }, "ab-initio"],
    ["incomplete and suspended", { "cmi.core.lesson_status": "incomplete",
                                   "cmi.core.exit": "suspend" }, "resume"],
    ["incomplete, not suspended", { "cmi.core.lesson_status": "incomplete",
                                    "cmi.core.exit": "" }, ""],
    ["a status never set but committed", { "cmi.core.lesson_status": "not attempted" }, ""],
    ["passed and suspended", { "cmi.core.lesson_status": "passed", "cmi.core.exit": "suspend" },
     "resume"],
  ];
  for (const [what, tracks, entry] of cases) {
    assert.strictEqual(rules.scormDefaults(tracks, SCO, LEARNER, "normal", rules.SETTINGS)[
      "cmi.core.entry"], entry, what);
  }
});

test("a finished attempt reopens for review, no credit, and Moodle keeps what it writes", () => {
  const attempts = [done(1, "90")];
  const review = launch(attempts);
  assert.deepStrictEqual([review.attempt, review.mode, review.entry, review.credit],
                         [1, "review", "", "no-credit"]);
  const api = review.runtime;
  assert.deepStrictEqual(run(api, [init, get("cmi.core.lesson_mode")]), ["review", "0"]);
  // No override in review, but the writes land in the finished attempt.
  run(api, [set("cmi.core.score.raw", "10"), set("cmi.core.lesson_status", "incomplete"),
            set("cmi.core.exit", "suspend"), finish]);
  const kept = rules.tracksOf(attempts, 1);
  assert.deepStrictEqual([kept["cmi.core.score.raw"], kept["cmi.core.lesson_status"]],
                         ["10", "incomplete"]);
  const next = launch(attempts);
  assert.deepStrictEqual([next.attempt, next.mode, next.entry], [1, "normal", "resume"]);
});

test("a launch opens a new attempt when asked or forced, within the attempts allowed", () => {
  const incomplete = () => [attempt(1, { "cmi.core.lesson_status": "incomplete" })];
  const cases = [
    // [what, attempts, settings, options, attempt and mode]
    ["the first launch", [], {}, {}, [1, "normal"]],
    ["an incomplete attempt: the request is ignored", incomplete(), {}, { newAttempt: true },
     [1, "normal"]],
    ["a finished attempt, no request: review", [done(1, "90")], {}, {}, [1, "review"]],
    ["a failed attempt is finished too", [done(1, "40", "failed")], {}, {}, [1, "review"]],
    ["a finished attempt, a new one asked for", [done(1, "90")], {}, { newAttempt: true },
     [2, "normal"]],
    ["asked for, but the one attempt allowed is used", [done(1, "90")], { maxattempt: 1 },
     { newAttempt: true }, [1, "review"]],
    ["forced once the last is finished", [done(1, "90")],
     { forcenewattempt: "SCORM_FORCEATTEMPT_ONCOMPLETE" }, {}, [2, "normal"]],
    ["forced once finished: an incomplete one goes on", incomplete(),
     { forcenewattempt: "SCORM_FORCEATTEMPT_ONCOMPLETE" }, {}, [1, "normal"]],
    ["forced always, even on an incomplete one", incomplete(),
     { forcenewattempt: "SCORM_FORCEATTEMPT_ALWAYS" }, {}, [2, "normal"]],
    ["forced always, and past the attempts allowed", [done(1, "90")],
     { forcenewattempt: "SCORM_FORCEATTEMPT_ALWAYS", maxattempt: 1 }, {}, [2, "normal"]],
    ["forced always, the first launch", [], { forcenewattempt: "SCORM_FORCEATTEMPT_ALWAYS" }, {},
     [1, "normal"]],
    ["browsing the last attempt", [done(1, "90"), done(2, "50")], {}, { mode: "browse" },
     [2, "browse"]],
  ];
  for (const [what, attempts, changes, options, expected] of cases) {
    const opened = launch(attempts, { settings: settingsWith(changes), ...options });
    assert.deepStrictEqual([opened.attempt, opened.mode], expected, what);
    assert.ok(rules.tracksOf(attempts, opened.attempt)["x.start.time"], `${what}: noted`);
  }
  const lockedAfterOne = settingsWith({ maxattempt: 1, lastattemptlock: true });
  assert.throws(() => launch([done(1, "90")], { settings: lockedAfterOne }), /exceededmaxattempts/);
});

test("the gradebook takes the attempts' raw scores by the attempt grading", () => {
  const cases = [
    // [what, settings, attempts, grade]
    ["no attempt yet", {}, [], null],
    ["the best attempt", {}, [done(1, "40", "incomplete"), done(2, "90"), done(3, "70")], 90],
    ["an incomplete attempt's score counts", {}, [done(1, "95", "incomplete"), done(2, "60")], 95],
    ["a failed attempt's score counts", {}, [done(1, "75", "failed")], 75],
    ["two decimals", {}, [done(1, "66.666")], 66.67],
    ["a raw score of 0.0", {}, [done(1, "0.0", "failed")], 0],
    ["the attempts past the maximum do not count", { maxattempt: 2 },
     [done(1, "40"), done(2, "50"), done(3, "99")], 50],
    ["the first attempt", { whatgrade: "FIRSTATTEMPT" }, [done(1, "40"), done(2, "90")], 40],
    ["the last completed or passed attempt", { whatgrade: "LASTATTEMPT" },
     [done(1, "40"), done(2, "90", "incomplete")], 40],
    ["no attempt completed: the first", { whatgrade: "LASTATTEMPT" },
     [done(1, "30", "failed"), done(2, "90", "incomplete")], 30],
    ["the average of the attempts with a score", { whatgrade: "AVERAGEATTEMPT" },
     [done(1, "40"), done(2, "91"), attempt(3, {})], 66],
    ["scores are points of the maximum grade, cut off there", { maxgrade: 10 },
     [done(1, "85")], 10],
    ["learning objects completed or passed", { grademethod: "GRADESCOES" }, [done(1, "10")], 1],
    ["a failed learning object", { grademethod: "GRADESCOES" }, [done(1, "10", "failed")], 0],
  ];
  for (const [what, changes, attempts, grade] of cases) {
    assert.strictEqual(rules.gradebook(attempts, settingsWith(changes)), grade, what);
  }
});

test("the interactions report lists each attempt's questions, as many as the most any has", () => {
  const attempts = [
    attempt(1, { "cmi.core.score.raw": "50", "cmi.interactions_0.id": "Aufgabe1",
                 "cmi.interactions_0.student_response": "20",
                 "cmi.interactions_0.correct_responses_0.pattern": "20",
                 "cmi.interactions_0.result": "correct", "cmi.interactions_1.id": "Aufgabe2",
                 "cmi.interactions_1.student_response": "7",
                 "cmi.interactions_1.result": "wrong" }),
    attempt(2, { "cmi.core.lesson_status": "incomplete", "cmi.interactions_0.id": "Aufgabe1" }),
  ];
  assert.deepStrictEqual(rules.interactionsReport(attempts, rules.SETTINGS), [
    { attempt: 1, score: 50, sco: "50", questions: [
      { question: "Aufgabe1", response: "20", right: "20", result: "correct" },
      { question: "Aufgabe2", response: "7", right: "", result: "wrong" }] },
    { attempt: 2, score: 0, sco: "incomplete", questions: [
      { question: "Aufgabe1", response: "", right: "", result: "" },
      { question: "", response: "", right: "", result: "" }] },
  ]);
});
