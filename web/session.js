// The session's life cycle. Each session is a fresh instance of the program with a new seed
// from the clock, as starting it again is. A new session starts only on a deliberate act:
// "Noch eine Runde", or Enter once a session has ended. The scores of this visit's sessions
// are listed in the page and kept nowhere else. One key handler for the whole page knows
// the state: Ctrl-C ends a running session, Ctrl-D ends the input, a plain key ends the
// pause. During a session "Noch eine Runde" is not offered, and leaving the page asks first.

import { endInput, field, hideAnswer, keepInView, openQuestion, readAnswer, resetAnswer,
         showWithQuestion } from "./answer.js";
import { keepSiteOffline } from "./offline.js";
import { programLoaded } from "./program.js";
import { addPageLine, clearTranscript, echoTyped, showOpenLine, showProgramColours,
         writeProgramText } from "./transcript.js";
import { offerWorking } from "./working.js";

const weiter = document.getElementById("weiter");
const restart = document.getElementById("restart");
const actions = document.getElementById("actions");
const progress = document.getElementById("progress");
const ENDED = "Die Runde ist zu Ende. „Noch eine Runde“ oder Enter beginnt eine neue.";
const INTERRUPTED = "Mit Strg+C beendet. „Noch eine Runde“ oder Enter beginnt eine neue.";

let session = null; // { state: "running" | "pause" | "ended", tally, interrupt, endPause }

async function startSession() {
  const owner = { state: "running", tally: null };
  session = owner;
  resetAnswer();
  weiter.hidden = true;
  actions.hidden = true;
  clearTranscript();
  const interrupted = new Promise((resolve) => { owner.interrupt = resolve; });
  const startProgram = await programLoaded;
  const instance = await startProgram({
    isTerminal: true,
    writeOutput: (bytes) => writeProgramText(bytes),
    readInput: (size) => {
      keepSiteOffline();
      return session === owner ? readAnswer(size) : new Promise(() => {});
    },
    waitForKey: () => waitForKey(owner),
    setColours: showProgramColours,
    offerWorking: (working) => session === owner && showWithQuestion(offerWorking(working)),
    openQuestion: (kind, posed, correct) => {
      if (session === owner) {
        owner.tally = { posed, correct };
        progress.textContent = `Aufgabe ${posed} · ${correct} richtig`;
        openQuestion(kind);
      }
    },
  });
  if (session !== owner) {
    return;
  }
  const how = await Promise.race([
    instance.ccall("main", "number", [], [], { async: true }), interrupted]);
  endSession(owner, how === "interrupted" ? INTERRUPTED : ENDED);
}

function newSession() {
  startSession().catch((error) => console.error(error));
}

function waitForKey(owner) {
  if (session !== owner) {
    return new Promise(() => {});
  }
  showOpenLine();
  hideAnswer();
  owner.state = "pause";
  weiter.hidden = false;
  weiter.focus({ preventScroll: true });
  keepInView(weiter);
  return new Promise((resolve) => {
    owner.endPause = () => {
      owner.state = "running";
      weiter.hidden = true;
      resolve();
    };
  });
}

function endSession(owner, note) {
  if (session !== owner || owner.state === "ended") {
    return;
  }
  owner.state = "ended";
  hideAnswer();
  weiter.hidden = true;
  actions.hidden = false;
  addPageLine(note);
  // The last score the program handed over is its final one: each question hands the score
  // up to then, and the summary follows the last question.
  const score = owner.tally;
  if (score) {
    const item = document.createElement("li");
    item.textContent = `${score.correct} von ${score.posed} Punkten`;
    document.getElementById("scores").append(item);
    document.getElementById("earlier").hidden = false;
  }
  restart.focus({ preventScroll: true });
  keepInView(restart);
}

function interrupt(owner) {
  if (owner.state === "running") {
    owner.tally = null; // no summary was written: nothing to list
    echoTyped(field.value + "^C");
    field.value = "";
  } else {
    addPageLine("^C");
  }
  owner.interrupt("interrupted");
}

function somethingSelected() {
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
  if (owner.state !== "ended" && control && key === "c" && !somethingSelected()) {
    event.preventDefault();
    interrupt(owner);
  } else if (owner.state === "running" && control && key === "d" &&
             (event.target === field ? field.value === "" : !!event.target.closest?.("#choice"))) {
    event.preventDefault();
    endInput();
  } else if (owner.state === "pause" && !NOT_A_KEY_PRESS.has(event.key) && !event.ctrlKey &&
             !event.altKey && !event.metaKey) {
    // The key ends the pause and nothing else: not also a click on what gets the focus next.
    event.preventDefault();
    owner.endPause();
  } else if (owner.state === "ended" && event.key === "Enter" &&
             (event.target === document.body || event.target.closest?.("#console"))) {
    event.preventDefault();
    newSession();
  }
}, true);

weiter.addEventListener("click", () => session?.state === "pause" && session.endPause());
restart.addEventListener("click", newSession);

// The browser's own question before a reload or a closed tab loses a round.
window.addEventListener("beforeunload", (event) => {
  if (session && session.state !== "ended") {
    event.preventDefault();
    event.returnValue = "";
  }
});

newSession();
