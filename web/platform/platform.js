// The trainer in a school's learning platform, which runs it as a SCORM 1.2 package and hands it
// the API object in a frame around the page or in the window that opened it. Each judged
// answer goes to the platform as an interaction with the score so far, and is committed at
// once: platforms lose what is written only while the page unloads. For the same reason the
// round is marked suspended, with its journal, at every commit; its end (the program's verdict:
// passed or failed) clears that. Errors the API reports are named to the learner, never thrown.

import { journalText, readJournal } from "../trainer/journal.js";
import { optionsIn } from "../trainer/round_options.js";

const SEARCH_LIMIT = 7; // parents above a window, as ADL's API wrapper climbs
const DEFAULT_GOAL = 10;
const MOST_PROBLEMS = 30;
const SUSPEND_DATA_LIMIT = 4096; // CMIString4096
// A choice interaction's responses are single letters: the models in the buttons' order.
const CHOICE_LETTERS = { direct: "a", inverse: "b", constant: "c" };

// The window's API object, or null where there is none or the window is another origin's.
function apiOf(window) {
  try {
    const api = window.API;
    return api && typeof api.LMSInitialize === "function" ? api : null;
  } catch {
    return null;
  }
}

function apiAbove(start) {
  let window = start;
  for (let climbed = 0; window && climbed <= SEARCH_LIMIT; ++climbed) {
    const api = apiOf(window);
    if (api) {
      return api;
    }
    window = window.parent === window ? null : window.parent;
  }
  return null;
}

function openerOf(window) {
  try {
    return window.opener ?? null;
  } catch {
    return null;
  }
}

// The SCORM 1.2 API as a package looks for it: in the window and its parents, then in the
// window that opened it and that window's parents, then in the opener of the topmost window
// (a platform's popup that holds the package in a frame). Null where there is none.
export function findApi(window) {
  const top = (() => {
    try {
      return window.top;
    } catch {
      return null;
    }
  })();
  return apiAbove(window) ?? apiAbove(openerOf(window)) ??
    (top && top !== window ? apiAbove(openerOf(top)) : null);
}

// The goal of a round: anzahl=N (1 to 30) from the package's launch data, else 10.
export function goalOf(launchData) {
  const asked = /(?:^|[&;\s])anzahl=(\d{1,2})(?=$|[&;\s])/.exec(launchData ?? "");
  const goal = asked ? Number(asked[1]) : 0;
  return goal >= 1 && goal <= MOST_PROBLEMS ? goal : DEFAULT_GOAL;
}

const pad = (value, digits) => String(value).padStart(digits, "0");

// A CMITimespan, HHHH:MM:SS.SS.
export function timespan(milliseconds) {
  const hundredths = Math.min(Math.max(0, Math.round(milliseconds / 10)), 9999 * 360000 - 1);
  const seconds = Math.floor(hundredths / 100);
  return `${pad(Math.floor(seconds / 3600), 4)}:${pad(Math.floor(seconds / 60) % 60, 2)}:` +
    `${pad(seconds % 60, 2)}.${pad(hundredths % 100, 2)}`;
}

// A CMITime, the time of day HH:MM:SS.
export const timeOfDay = (date) =>
  `${pad(date.getHours(), 2)}:${pad(date.getMinutes(), 2)}:${pad(date.getSeconds(), 2)}`;

// The percentage of right answers as a CMIDecimal, to two places. Zero is written "0.0": Moodle
// takes a raw score of "0" for none at all (PHP's empty()).
export function scoreOf(correct, posed) {
  const percent = posed > 0 ? Math.round((10000 * correct) / posed) / 100 : 0;
  return percent === 0 ? "0.0" : String(percent);
}

// The number the program read, held in single precision, as the shortest plain decimal that
// stands for it: 20.1, not 20.100000381469727 and never with an exponent (CMIDecimal).
export function decimalOf(number) {
  let shortest = number;
  for (let digits = 1; digits <= 9; ++digits) {
    const candidate = Number(number.toPrecision(digits));
    if (Math.fround(candidate) === Math.fround(number)) {
      shortest = candidate;
      break;
    }
  }
  return shortest.toLocaleString("en-US", { useGrouping: false, maximumFractionDigits: 20 });
}

// The interaction id of the round's problem number (a CMIIdentifier: no blanks).
export const interactionId = (number) => `Aufgabe${number}`;

// Connects to the platform's api: LMSInitialize first, then what the launch says. Null
// without an api, or when the platform refuses to initialise. now gives the time in
// milliseconds; report(message) shows an error the platform reported. The result:
//   goal     the number of problems in a round
//   options  the round's options: mixed problems, numbers to work by hand (art=gemischt,
//            rechner=ohne in the launch data)
//   resumed  the journal of the suspended round to replay, or null
//   hear(event, journal, replayed)  each of the program's events, with the round's journal and
//            whether the line just read came from a replayed journal (then it was reported
//            before, at an earlier launch)
//   suspend(journal)  the window closes in the middle of the round
export function connectPlatform(api, { now, report }) {
  if (!api) {
    return null;
  }
  let finished = false;

  function call(name, ...args) {
    const what = name === "LMSSetValue" || name === "LMSGetValue" ? args[0] : name;
    try {
      const result = String(api[name](...args));
      if (name !== "LMSFinish" || result !== "true") {
        const code = String(api.LMSGetLastError());
        if (code !== "0" && code !== "") {
          const text = String(api.LMSGetErrorString(code) ?? "");
          report(`Die Lernplattform meldet Fehler ${code}${text ? ` (${text})` : ""} bei ${what}.`);
        }
      }
      return result;
    } catch (error) {
      report(`Die Lernplattform meldet einen Fehler bei ${what}: ${error.message}`);
      return "false";
    }
  }
  const get = (element) => call("LMSGetValue", element);
  const set = (element, value) => call("LMSSetValue", element, value);

  if (call("LMSInitialize", "") !== "true") {
    return null;
  }
  const startedAt = now();
  const launchData = get("cmi.launch_data");
  const goal = goalOf(launchData);
  const options = optionsIn(launchData);
  const resumed = get("cmi.core.entry") === "resume" ? readJournal(get("cmi.suspend_data")) : null;
  const firstInteraction = Number.parseInt(get("cmi.interactions._count"), 10) || 0;
  let reported = 0;
  let posed = 0;
  let model = "inverse";
  let correct = 0;
  let askedAt = startedAt;

  function setScore(score) {
    set("cmi.core.score.min", "0");
    set("cmi.core.score.max", "100");
    set("cmi.core.score.raw", score);
  }

  // The round so far, to come back to if the window closes: the journal, where it fits.
  function keepForResume(journal) {
    const text = journalText(journal);
    const fits = text.length <= SUSPEND_DATA_LIMIT;
    set("cmi.core.exit", fits ? "suspend" : "");
    set("cmi.suspend_data", fits ? text : "");
  }

  function finish() {
    set("cmi.core.session_time", timespan(now() - startedAt));
    call("LMSCommit", "");
    call("LMSFinish", "");
    finished = true;
  }

  // In a mixed round the model chosen first, as an interaction of its own: a, b or c for the
  // three buttons' models.
  function chosen(journal, at) {
    const taken = journal.choices?.[posed - 1];
    if (!journal.mixed || !taken) {
      return;
    }
    const n = `cmi.interactions.${firstInteraction + reported++}`;
    set(`${n}.id`, `${interactionId(posed)}Zusammenhang`);
    set(`${n}.type`, "choice");
    set(`${n}.student_response`, CHOICE_LETTERS[taken]);
    set(`${n}.correct_responses.0.pattern`, CHOICE_LETTERS[model]);
    set(`${n}.result`, taken === model ? "correct" : "wrong");
    set(`${n}.latency`, timespan(at - askedAt));
    set(`${n}.time`, timeOfDay(new Date(at)));
  }

  function answered({ answer, erg, right }, journal) {
    const at = now();
    chosen(journal, at);
    const n = `cmi.interactions.${firstInteraction + reported++}`;
    set(`${n}.id`, interactionId(posed));
    set(`${n}.type`, "numeric");
    set(`${n}.student_response`, decimalOf(erg));
    set(`${n}.correct_responses.0.pattern`, String(answer));
    set(`${n}.result`, right ? "correct" : "wrong");
    set(`${n}.latency`, timespan(at - askedAt));
    set(`${n}.time`, timeOfDay(new Date(at)));
    setScore(scoreOf(correct, posed));
    set("cmi.core.lesson_status", "incomplete");
    keepForResume(journal);
    call("LMSCommit", "");
  }

  return {
    goal,
    options,
    resumed,

    hear(event, journal, replayed) {
      if (finished) {
        return;
      }
      if (event.type === "problemPosed") {
        posed = event.number;
        model = event.problem.model;
      } else if (event.type === "questionOpened" && event.question === "answer") {
        askedAt = now();
      } else if (event.type === "answerJudged") {
        correct += event.right ? 1 : 0;
        if (!replayed) {
          answered(event, journal);
        }
      } else if (event.type === "sessionFinished") {
        // Ctrl-C gives no verdict: the round stays incomplete, with the score of its answers.
        if (event.how !== "interrupted") {
          setScore(scoreOf(event.correct, event.posed));
          set("cmi.core.lesson_status", event.praised ? "passed" : "failed");
        }
        set("cmi.core.exit", "");
        set("cmi.suspend_data", "");
        finish();
      }
    },

    suspend(journal) {
      if (!finished) {
        keepForResume(journal);
        finish();
      }
    },
  };
}
