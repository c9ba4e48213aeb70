// The trainer in a school's learning platform, which runs it as a SCORM 1.2 package and hands it
// the API object in a frame around the page or in the window that opened it. Each judged
// answer goes to the platform as an interaction with the score so far, counted against the
// round's goal, and is committed at once: platforms lose what is written only while the page
// unloads. For the same reason the round is marked suspended, with its journal, at every
// commit; its end (passed or failed against the goal) clears that. A round left in the middle
// is committed but not finished: Moodle's run-time replaces the status from the raw score
// against the mastery score at every LMSFinish that comes with a raw score (a blank one
// counts as 0), which would make the attempt passed or failed and open it in review mode next
// time; committed as incomplete and suspended, it resumes with credit. The platform's calls
// are queued and made
// one at a time after the page has shown what the learner did, so that a slow platform never
// holds up the dialogue. A launch that is not counted (review or browse mode, no credit) or
// that the platform refused writes nothing and says so. Errors the API reports are named to
// the learner, never thrown.

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

// The score of right answers against the round's goal, in percent, as a CMIDecimal to two
// places: stopping early never gives more than the answers earned. Zero is written "0.0", a
// valid decimal either way.
export function scoreOf(correct, goal) {
  const percent = goal > 0 ? Math.min(100, Math.round((10000 * correct) / goal) / 100) : 0;
  return percent === 0 ? "0.0" : String(percent);
}

// Whether a round's answers pass: four fifths of the goal, as the mastery score of 80 says.
export const passes = (correct, goal) => 5 * correct >= 4 * goal;

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

// The identifier of a problem's interaction, as a teacher reads it in the platform's report
// (a CMIIdentifier, letters, digits and underscores): its place, the group in the page's
// words without umlauts, its three numbers, its model where it is not inverse, and "mitTipp"
// where a hint was shown: A3_Kuehe_4_12_8, A5_Autos_3_12_5_gerade_mitTipp.
export function interactionId(number, problem, hinted = false) {
  const plain = problem.words.many.replace(/ä/g, "ae").replace(/ö/g, "oe").replace(/ü/g, "ue")
    .replace(/Ä/g, "Ae").replace(/Ö/g, "Oe").replace(/Ü/g, "Ue").replace(/ß/g, "ss")
    .replace(/[^A-Za-z0-9]/g, "");
  const model = { inverse: [], direct: ["gerade"], constant: ["gleich"] }[problem.model] ?? [];
  return [`A${number}`, plain, problem.first, problem.given, problem.second, ...model,
          ...(hinted ? ["mitTipp"] : [])].join("_");
}

export const REFUSED = "Die Lernplattform hat die Runde nicht angenommen: Deine Antworten " +
  "werden nicht gemeldet und zählen nicht. Schließe das Lernpaket und öffne es in der " +
  "Lernplattform noch einmal; hilft das nicht, sag deiner Lehrkraft Bescheid.";
export const PRACTICE = "Diese Runde ist eine Übung und zählt nicht für die Bewertung: Die " +
  "Lernplattform hat das Lernpaket nur zum Anschauen geöffnet, etwa weil dein Versuch " +
  "abgeschlossen ist. Für eine Runde, die zählt, wähle beim nächsten Öffnen „Neuen Versuch " +
  "beginnen“, wenn deine Lehrkraft das erlaubt.";

// An error code the API gave: a number from 101 up; null, "0" or anything else is none.
const errorCode = (value) => (/^[1-9]\d{2}$/.test(String(value ?? "").trim())
  ? String(value).trim() : null);

// Connects to the platform's api: LMSInitialize first, then what the launch says. Null
// without an api. now gives the time in milliseconds; report(message) shows an error the
// platform reported; later(task) runs a task once the page has drawn (the queue's pace). The
// result:
//   counted  whether the round counts; when not, notice says why, in the page's words
//   goal     the number of problems in a round
//   options  the round's options: mixed problems, numbers to work by hand (art=gemischt,
//            rechner=ohne in the launch data)
//   resumed  the journal of the suspended round to replay, or null
//   hear(event, journal, replayed)  each of the program's events, with the round's journal and
//            whether the line just read came from a replayed journal (then it was reported
//            before, at an earlier launch)
//   leave(journal)  the round ends without its verdict (the window closes, Ctrl-C): it is
//            committed at once, incomplete and suspended, to be resumed
export function connectPlatform(api, { now, report, later = (task) => setTimeout(task, 0) }) {
  if (!api) {
    return null;
  }
  let finished = false;

  function call(name, ...args) {
    const what = name === "LMSSetValue" || name === "LMSGetValue" ? args[0] : name;
    try {
      const result = String(api[name](...args));
      // Only a call that may have failed is worth the question, which a slow platform answers
      // as slowly as the call.
      const doubtful = name === "LMSGetValue" ? result === "" : result !== "true";
      if (doubtful && name !== "LMSFinish") {
        const code = errorCode(api.LMSGetLastError());
        if (code) {
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

  // The writes, in order, one a task.
  const queue = [];
  let pumping = false;
  function pump() {
    queue.shift()?.();
    if (queue.length) {
      later(pump);
    } else {
      pumping = false;
    }
  }
  function enqueue(...tasks) {
    queue.push(...tasks);
    if (!pumping && queue.length) {
      pumping = true;
      later(pump);
    }
  }
  // Before the page unloads, what is queued goes at once.
  function flush() {
    while (queue.length) {
      queue.shift()();
    }
  }
  // A write as a task; an element given as a function is named when the task runs.
  const set = (element, value) => () =>
    call("LMSSetValue", typeof element === "function" ? element() : element, value);
  const commit = () => call("LMSCommit", "");

  const uncounted = (notice, launchData = "") => ({
    counted: false, notice, goal: goalOf(launchData), options: optionsIn(launchData),
    resumed: null, hear() {}, leave() {},
  });
  if (call("LMSInitialize", "") !== "true") {
    return uncounted(REFUSED);
  }
  const startedAt = now();
  const launchData = get("cmi.launch_data");
  const mode = get("cmi.core.lesson_mode");
  const credit = get("cmi.core.credit");
  if (mode === "review" || mode === "browse" || credit === "no-credit") {
    // Nothing that changes the attempt: Moodle stores what a package writes in review mode in
    // the finished attempt, and even a finish would add to its time.
    return uncounted(PRACTICE, launchData);
  }
  const goal = goalOf(launchData);
  const resumed = get("cmi.core.entry") === "resume" ? readJournal(get("cmi.suspend_data")) : null;
  let firstInteraction = null; // read at the first answer, not before the first problem
  let reported = 0;
  let posed = 0;
  let problem = null;
  let correct = 0;
  let askedAt = startedAt;

  const score = (raw) => [set("cmi.core.score.min", "0"), set("cmi.core.score.max", "100"),
                          set("cmi.core.score.raw", raw)];

  // The round so far, to come back to if the window closes: the journal, where it fits.
  function keptForResume(journal) {
    const text = journalText(journal);
    const fits = text.length <= SUSPEND_DATA_LIMIT;
    return [set("cmi.core.exit", fits ? "suspend" : ""), set("cmi.suspend_data", fits ? text : "")];
  }

  // The session's end, after what is queued.
  function finish() {
    finished = true;
    enqueue(set("cmi.core.session_time", timespan(now() - startedAt)), commit,
            () => call("LMSFinish", ""));
  }

  // The fields of the next interaction, numbered after those the platform kept of earlier
  // launches, which the first of them reads.
  const interaction = () => {
    const slot = reported++;
    if (slot === 0) {
      enqueue(() => {
        firstInteraction = Number.parseInt(get("cmi.interactions._count"), 10) || 0;
      });
    }
    return (field) => () => `cmi.interactions.${firstInteraction + slot}.${field}`;
  };

  // In a mixed round the model chosen first, as an interaction of its own: a, b or c for the
  // three buttons' models.
  function chosen(journal, at, id) {
    const taken = journal.choices?.[posed - 1];
    if (!journal.mixed || !taken) {
      return [];
    }
    const field = interaction();
    return [
      set(field("id"), `${id}_Zusammenhang`), set(field("type"), "choice"),
      set(field("student_response"), CHOICE_LETTERS[taken]),
      set(field("correct_responses.0.pattern"), CHOICE_LETTERS[problem.model]),
      set(field("result"), taken === problem.model ? "correct" : "wrong"),
      set(field("latency"), timespan(at - askedAt)), set(field("time"), timeOfDay(new Date(at))),
    ];
  }

  function answered({ answer, erg, right }, journal) {
    const at = now();
    const id = interactionId(posed, problem, journal.hints?.includes(posed));
    const tasks = chosen(journal, at, id);
    const field = interaction();
    tasks.push(
      set(field("id"), id), set(field("type"), "numeric"),
      set(field("student_response"), decimalOf(erg)),
      set(field("correct_responses.0.pattern"), String(answer)),
      set(field("result"), right ? "correct" : "wrong"),
      set(field("latency"), timespan(at - askedAt)), set(field("time"), timeOfDay(new Date(at))),
      ...score(scoreOf(correct, goal)), set("cmi.core.lesson_status", "incomplete"),
      ...keptForResume(journal), commit);
    enqueue(...tasks);
  }

  return {
    counted: true,
    notice: null,
    goal,
    options: optionsIn(launchData),
    resumed,

    hear(event, journal, replayed) {
      if (finished) {
        return;
      }
      if (event.type === "problemPosed") {
        posed = event.number;
        problem = event.problem;
      } else if (event.type === "questionOpened" && event.question === "answer") {
        askedAt = now();
      } else if (event.type === "answerJudged") {
        correct += event.right ? 1 : 0;
        if (!replayed) {
          answered(event, journal);
        }
      } else if (event.type === "sessionFinished" && event.how !== "interrupted") {
        enqueue(...score(scoreOf(event.correct, goal)),
                set("cmi.core.lesson_status", passes(event.correct, goal) ? "passed" : "failed"),
                set("cmi.core.exit", ""), set("cmi.suspend_data", ""));
        finish();
      }
    },

    leave(journal) {
      if (finished) {
        return;
      }
      // Committed, not finished: no mastery override makes the round passed or failed.
      finished = true;
      enqueue(set("cmi.core.lesson_status", "incomplete"), ...keptForResume(journal),
              set("cmi.core.session_time", timespan(now() - startedAt)), commit);
      flush();
    },
  };
}
