// The trainer page's entry: it finds the page's elements, wires the modules to them and owns
// the session's life cycle. Each session is a fresh run of the program with a new random seed.
// What happens in it reaches the page as the program's events (web/shared/program.js), from
// which the page lays out the dialogue in its own words (dialogue.js) and follows the round
// (rounds.js); it never reads the program's text. A new session starts only on a deliberate
// act: "Noch eine Runde", or Enter once a session has ended, but not in the moment after the
// end, when a stray Enter or tap would wipe the score (guard.js). One key handler for the whole
// page knows the state: Ctrl-C ends a running session, Ctrl-D ends the input, a plain key ends
// the pause. During a session "Noch eine Runde" is not offered, and closing the page asks
// first. The tutor (tutor.js) names the mistake after a wrong answer and gives hints; the
// current problem can be read aloud.
// Each round keeps a journal (journal.js), its seed and the lines handed over. The page keeps it
// with this visit's rounds in the tab's sessionStorage and nowhere else, so that a reload, or a
// tab the browser dropped, replays it and comes back to the same round. Launched by a learning
// platform (web/platform/platform.js), the page reports each answer there instead and keeps
// nothing in the tab: it ends the round after the platform's number of problems, suspends it
// when the window closes and replays it at the next launch; one round per launch.

import { keepSiteOffline, keepSiteOfflineSoon } from "../offline/offline.js";
import { connectPlatform, findApi } from "../platform/platform.js";
import { modelSentence } from "../shared/problem_text.js";
import { loadProgram } from "../shared/program.js";
import { createAnswer, keepInView } from "./answer.js";
import { shownFor } from "./dialogue.js";
import { createGuard } from "./guard.js";
import { createReplay, keptJournal, newJournal, readVisit, visitText } from "./journal.js";
import { createModelChoice } from "./models.js";
import { progressText } from "./progress.js";
import { reviewBlock } from "./review.js";
import { formValues, optionsIn, optionsOf } from "./round_options.js";
import { chose, follow, hinted, newRound, roundItem, roundOf } from "./rounds.js";
import { createReader } from "./speech.js";
import { createTips } from "./tips.js";
import { createTranscript } from "./transcript.js";
import { mistakeSentence } from "./tutor.js";
import { followViewport } from "./view.js";
import { workingBlock } from "./working.js";

const element = (id) => document.getElementById(id);
const dialogue = element("console");
const weiter = element("weiter");
const restart = element("restart");
const actions = element("actions");
const progress = element("progress");
const note = element("note");
const transcript = createTranscript(element("transcript"), dialogue);
const answer = createAnswer({
  form: element("answer"), field: element("field"), choice: element("choice"),
  next: element("next"), stop: element("stop"), note, dialogue,
}, transcript, (line) => {
  session?.journal.lines.push(line);
  keepVisit();
});
const tips = createTips({ button: element("tip"), list: element("tips"), field: answer.field },
                        () => firstHint(session));
const reader = createReader(window, element("speak"));
const models = element("models");
const modelChoice = createModelChoice(
  { group: models, buttons: [...models.querySelectorAll("button")] }, window,
  (model) => choose(session, model));
const roundForm = element("round");
const restartGuard = createGuard([restart], window);
const notice = element("notice");
// What the page must say beside the dialogue (the platform's words, a tab that cannot keep the
// round) stays in view: a new session does not clear it.
function tell(message) {
  notice.textContent = message;
  notice.hidden = false;
}
const platform = connectPlatform(findApi(window), { now: () => Date.now(), report: tell });
const programLoaded = loadProgram(window);
const ENDED = "Die Runde ist zu Ende. „Noch eine Runde“ oder Enter beginnt eine neue.";
const INTERRUPTED = "Mit Strg+C beendet. „Noch eine Runde“ oder Enter beginnt eine neue.";
const PLATFORM_ENDED = "Die Runde ist zu Ende. Deine Punkte hat die Lernplattform bekommen.";
const PLATFORM_UNCOUNTED = "Die Runde ist zu Ende. Sie hat nicht gezählt.";
const PLATFORM_INTERRUPTED = "Mit Strg+C unterbrochen. Öffnest du das Lernpaket wieder, geht " +
  "die Runde weiter.";
const PLATFORM_PRIVACY = "Die Seite sendet deine Antworten und Punkte nur an die Lernplattform " +
  "deiner Schule und speichert sonst nichts.";
const UNCOUNTED_PRIVACY = "Die Seite sendet in dieser Runde nichts und speichert nichts.";
const NOT_KEPT = "Der Speicher dieses Tabs ist voll: Diese Runde geht nach einem Neuladen nicht " +
  "weiter.";
const TOO_LONG = "Diese Runde ist so lang, dass sie nach einem Neuladen nicht mehr weitergeht.";
const REPLAY_STEP = 25; // lines replayed between two looks at the page's own work
const NOT_LOADED = "Der Trainer konnte nicht geladen werden.";
const WHAT_TO_DO = "Lade die Seite neu. Ohne Netz startet er nur, wenn du die Seite vorher " +
  "einmal mit Netz geöffnet hast.";
const VISIT = "dreisatz"; // the sessionStorage key of this visit
const LATER = "Gilt ab der nächsten Runde.";

// { state: "running" | "pause" | "ended", interrupted, endPause, round, journal, replay,
//   choosing, choices, abandon }
// round: as rounds.js follows it from the events; choosing: a promise that the model of the
// problem on screen is chosen, while it is not (a mixed round); choices: those of a replayed
// journal still to come; abandon: ends the session's wait when a new one replaces it.

let session = null;
const rounds = []; // this visit's rounds, as rounds.js records them

// The round under way and the list of rounds, in the tab: standalone only. Written once the
// page has drawn what the learner did, and at once when the page goes or is hidden, as
// before a reload or when the browser drops a tab in the background.
let visitPending = false;
function keepVisit() {
  if (platform || visitPending) {
    return;
  }
  visitPending = true;
  if (document.hidden) {
    setTimeout(writeVisit, 0);
  } else {
    requestAnimationFrame(() => setTimeout(writeVisit, 0));
  }
}

function writeVisit() {
  if (!visitPending) {
    return;
  }
  visitPending = false;
  const journal = session && session.state !== "ended" ? session.journal : null;
  if (journal && !keptJournal(journal) && !notKeptSaid) {
    notKeptSaid = true;
    tell(TOO_LONG);
  }
  try {
    sessionStorage.setItem(VISIT, visitText(keptJournal(journal), rounds));
  } catch {
    // A full or refused storage: a reload starts afresh. Said once a visit.
    if (!notKeptSaid && journal) {
      notKeptSaid = true;
      tell(NOT_KEPT);
    }
  }
}
let notKeptSaid = false;

function restoredVisit() {
  try {
    return readVisit(sessionStorage.getItem(VISIT));
  } catch {
    return readVisit(null);
  }
}

function listRound(round) {
  rounds.push(round);
  element("scores").append(roundItem(document, round));
  element("earlier").hidden = false;
}

function showProgress(owner) {
  const { posed, correct } = owner.round.tally;
  const hint = owner.round.problems.at(-1)?.hinted;
  progress.textContent = progressText(posed, correct, platform?.goal, hint);
  view.fit();
}

// The first hint on the current problem: noted in the round, its journal and the progress line.
function firstHint(owner) {
  if (owner && hinted(owner.round)) {
    keepVisit();
    showProgress(owner);
  }
}

// The options of the next round: the form's, which the address or the platform set first.
const nextOptions = () => optionsOf(Object.fromEntries(new FormData(roundForm)));

function showOptions(options) {
  const values = formValues(options);
  roundForm.elements.art.value = values.art;
  roundForm.elements.rechner.value = values.rechner;
}

// The model chosen for the problem on screen: noted in the round and its journal; then the
// number may be typed.
function choose(owner, model) {
  if (!owner?.choosing) {
    return;
  }
  chose(owner.round, model);
  owner.journal.choices.push(model);
  keepVisit();
  const chosen = owner.choosing;
  owner.choosing = null;
  chosen.resolve();
  tips.offer(true);
}

// A random seed for a new round: neighbours who start together get different problems.
const newSeed = () => crypto.getRandomValues(new Uint32Array(1))[0];

// The program's events for the session owner, while it is the page's session.
function onEvent(owner, event) {
  if (session !== owner) {
    return;
  }
  platform?.hear(event, owner.journal, owner.replay.replaying);
  const { round } = owner;
  follow(round, event);
  if (event.type === "greetingShown") {
    transcript.showProgramColours();
  }
  transcript.show(shownFor(event));
  if (event.type === "problemPosed") {
    tips.pose(event.problem);
    reader.read(null);
    if (owner.journal.mixed) {
      let resolve;
      owner.choosing = new Promise((settle) => { resolve = settle; });
      owner.choosing.resolve = resolve;
      const replayed = owner.choices.shift();
      if (replayed) {
        choose(owner, replayed);
      } else {
        modelChoice.ask(event.problem);
      }
    }
  } else if (event.type === "questionOpened") {
    showProgress(owner);
    answer.openQuestion(event.question);
    tips.offer(event.question === "answer" && !owner.choosing);
    reader.read(event.question === "answer" ? round.problem : null);
    // The goal met, the page answers the continue question itself; a resumed journal never
    // goes past it.
    if (event.question === "continue" && platform && event.posed >= platform.goal) {
      owner.replay.drop();
      answer.handOver("9");
    }
  } else if (event.type === "answerJudged") {
    tips.clear();
    const { mistake, chosen, model } = round.problems[event.number - 1];
    const wrongModel = chosen !== null && chosen !== model;
    if (!event.right || wrongModel) {
      const block = workingBlock(document, round.problem, {
        model: wrongModel ? modelSentence(round.problem) : null,
        mistake: mistake && mistakeSentence(round.problem, event.erg, mistake),
        working: !event.right,
      });
      answer.showWithQuestion(transcript.append(block));
    }
  } else if (event.type === "sessionFinished") {
    if (event.how !== "interrupted") {
      transcript.append(reviewBlock(document, roundOf(round)));
    }
  } else if (event.type === "pauseBegun" && !event.inputEnded) {
    answer.hide();
  }
}

// A new round, or the round of a journal, replayed.
async function startSession(journal = null) {
  const seed = journal ? journal.seed : newSeed();
  const options = journal ? { mixed: journal.mixed, byHand: journal.byHand } : nextOptions();
  showOptions(options);
  const round = newRound(journal?.hints);
  let abandon;
  const abandoned = new Promise((settle) => { abandon = () => settle(null); });
  const owner = { state: "running", interrupted: false, round,
                  journal: { ...newJournal(seed, options), hints: round.hints },
                  replay: createReplay(journal ? journal.lines : []), choosing: null,
                  choices: [...(journal?.choices ?? [])], abandon, replayed: 0, reads: 0 };
  session?.abandon();
  session = owner;
  keepVisit();
  element("round-note").textContent = "";
  element("progress").before(roundForm);
  modelChoice.hide();
  answer.reset();
  restartGuard.reset();
  weiter.hidden = true;
  actions.hidden = true;
  transcript.clear();
  // A program that cannot be loaded (blocked, broken, or offline before a first visit with a
  // network) is said so, with what to do, instead of "Wird geladen …" for ever.
  const runSession = await programLoaded.catch((error) => notLoaded(owner, error));
  await runSession?.({
    seed,
    ...options,
    onEvent: (event) => onEvent(owner, event),
    // A session replaced by another is interrupted where it waits, and ends unseen.
    readLine: (size) => Promise.race([abandoned, (async () => {
      if (!platform) {
        // The first read is the first prompt; any later one follows a feedback, asked for once
        // that is drawn (the timer of the first still asks in a hidden tab).
        if (owner.reads++ === 0) {
          keepSiteOfflineSoon();
        } else {
          requestAnimationFrame(() => setTimeout(keepSiteOffline, 0));
        }
      }
      await owner.choosing;
      // A long journal replays in steps, so that the page answers meanwhile.
      if (owner.replay.replaying && ++owner.replayed % REPLAY_STEP === 0) {
        await new Promise((resolve) => { setTimeout(resolve, 0); });
      }
      if (session !== owner) {
        return abandoned;
      }
      const replayed = owner.replay.next();
      if (replayed !== null) {
        answer.handOver(replayed);
      }
      return answer.readAnswer(size);
    })()]),
    waitForKey: () => waitForKey(owner),
  }).then(() => endSession(owner), (error) => notLoaded(owner, error));
}

function notLoaded(owner, error) {
  console.error(error);
  if (session === owner) {
    session = null;
    progress.textContent = NOT_LOADED;
    transcript.addPageLine(`${NOT_LOADED} ${WHAT_TO_DO}`);
  }
}

function newSession(journal) {
  startSession(journal).catch((error) => console.error(error));
}

function waitForKey(owner) {
  if (session !== owner) {
    return new Promise(() => {});
  }
  owner.state = "pause";
  weiter.hidden = false;
  weiter.focus({ preventScroll: true });
  keepInView(weiter);
  return new Promise((resolve) => {
    owner.endPause = () => {
      owner.state = "running";
      weiter.hidden = true;
      // A key ends the pause's line; Ctrl-C has ended it with "^C".
      if (!owner.interrupted) {
        transcript.closeLine();
      }
      resolve();
    };
  });
}

function endSession(owner) {
  if (session !== owner || owner.state === "ended") {
    return;
  }
  owner.state = "ended";
  answer.hide();
  modelChoice.hide();
  tips.clear();
  reader.read(null);
  weiter.hidden = true;
  const round = roundOf(owner.round);
  if (round) {
    listRound(round);
  }
  keepVisit();
  if (platform) {
    if (owner.interrupted) {
      platform.leave(owner.journal);
    }
    transcript.addPageLine(!platform.counted ? PLATFORM_UNCOUNTED
      : owner.interrupted ? PLATFORM_INTERRUPTED : PLATFORM_ENDED);
    return;
  }
  actions.hidden = false;
  restart.before(roundForm);
  transcript.addPageLine(owner.interrupted ? INTERRUPTED : ENDED);
  restartGuard.arm();
  restart.focus({ preventScroll: true });
  keepInView(restart);
}

// Ctrl-C: the program's read gets nothing and it ends where it stands; in the pause, the
// pause ends.
function interrupt(owner) {
  owner.interrupted = true;
  if (owner.state === "pause") {
    transcript.addPageLine("^C");
    owner.endPause();
  } else {
    transcript.echoTyped(answer.field.value + "^C");
    answer.field.value = "";
    answer.interrupt();
  }
}

function somethingSelected() {
  const { field } = answer;
  return String(window.getSelection()).length > 0 ||
    (document.activeElement === field && field.selectionStart !== field.selectionEnd);
}

const NOT_A_KEY_PRESS = new Set(["Tab", "Shift", "Control", "Alt", "AltGraph", "Meta", "CapsLock",
                                 "Fn", "Dead", "Process", "Unidentified"]);

document.addEventListener("keydown", (event) => {
  const owner = session;
  if (!owner || event.isComposing) {
    return;
  }
  const control = event.ctrlKey && !event.altKey && !event.metaKey;
  const key = event.key.toLowerCase();
  if (event.key === "Enter" && event.repeat) {
    // A held Enter is no answer and no choice.
    event.preventDefault();
  } else if (owner.state !== "ended" && !owner.interrupted && control && key === "c" &&
      !somethingSelected()) {
    event.preventDefault();
    interrupt(owner);
  } else if (owner.state === "running" && control && key === "d" &&
             (event.target === answer.field ? answer.field.value === ""
                                            : !!event.target.closest?.("#choice"))) {
    event.preventDefault();
    answer.endInput();
  } else if (owner.state === "pause" && !NOT_A_KEY_PRESS.has(event.key) && !event.ctrlKey &&
             !event.altKey && !event.metaKey) {
    // The key ends the pause and nothing else: not also a click on what gets the focus next.
    event.preventDefault();
    owner.endPause();
  } else if (owner.state === "ended" && !platform && event.key === "Enter" &&
             (event.target === document.body || event.target.closest?.("#console"))) {
    event.preventDefault();
    if (restartGuard.allows()) {
      newSession();
    }
  }
}, true);

weiter.addEventListener("click", () => session?.state === "pause" && session.endPause());

// Another choice of the round: at once while nothing of the round is answered, else for the
// next one.
roundForm.addEventListener("submit", (event) => event.preventDefault());
roundForm.addEventListener("change", () => {
  const owner = session;
  const untouched = owner && owner.state === "running" && !owner.journal.lines.length &&
    !owner.journal.choices.length && !owner.replay.pending;
  if (untouched) {
    newSession();
  } else if (owner?.state !== "ended") {
    element("round-note").textContent = LATER;
  }
});
restart.addEventListener("click", () => restartGuard.allows() && newSession());

// What is open stays in view when the viewport turns or shrinks.
const view = followViewport(window, progress, () => {
  const state = session?.state;
  if (state === "running") {
    answer.keepQuestionInView();
  } else if (state === "pause") {
    keepInView(weiter);
  } else if (state === "ended") {
    keepInView(restart);
  }
});

// The browser's own question before a closed tab loses a round. A platform keeps the round.
window.addEventListener("beforeunload", (event) => {
  if (!platform && session && session.state !== "ended") {
    event.preventDefault();
    event.returnValue = "";
  }
});

window.addEventListener("visibilitychange", () => document.hidden && writeVisit());

// The platform's window closes, or the learner leaves the package, in the middle of a round.
window.addEventListener("pagehide", () => {
  writeVisit();
  if (platform && session) {
    platform.leave(session.journal); // after the round's end, nothing
  }
});

if (platform) {
  element("privacy").textContent = platform.counted ? PLATFORM_PRIVACY : UNCOUNTED_PRIVACY;
  if (platform.notice) {
    tell(platform.notice);
  }
  // Inside the platform's frame the licence opens beside the round, which it would end.
  element("licence").target = "_blank";
  element("licence").rel = "noopener";
  // The teacher chose the round with the package; the learner does not choose another.
  roundForm.hidden = true;
  showOptions(platform.options);
  newSession(platform.resumed);
} else {
  showOptions(optionsIn(location.search));
  const visit = restoredVisit();
  visit.rounds.forEach(listRound);
  newSession(visit.journal);
}
