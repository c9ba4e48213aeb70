// The answer field: a native text field inline after the prompt, so that editing, paste,
// input methods and dictation are the browser's own. Enter, the "OK" button or the
// keyboard's Go key hands the line and a line end to the program; a decimal comma, all that
// German decimal keypads offer, is handed over as a full stop. The program says which question
// is open (Module.openQuestion): only a number answers a problem and only a whole number the
// continue question, for which "Nächste Aufgabe" and "Aufhören" hand over 1 and 9. Anything
// else gets a note and reaches nothing, so no input ever answers a problem not yet on screen.
// Ctrl-D in an empty field ends the input (see session.js, which owns the keys).

import { echoTyped, showOpenLine } from "./transcript.js";

export const answerForm = document.getElementById("answer");
export const field = document.getElementById("field");
const choice = document.getElementById("choice");
const nextButton = document.getElementById("next");
const stopButton = document.getElementById("stop");
const note = document.getElementById("note");
const typedText = new TextEncoder();
const NUMBER = /^[+-]?(\d+([.,]\d*)?|[.,]\d+)$/;
const WHOLE = /^[+-]?\d+$/;
const NOTES = {
  answer: "Bitte eine Zahl eingeben, zum Beispiel 42.",
  continue: "Bitte eine ganze Zahl eingeben: 1 für die nächste Aufgabe, 9 zum Aufhören.",
};
let question = null; // "answer" | "continue" while the program waits for its line
let handedOver = []; // lines handed over and not yet read, as bytes
let inputEnded = false;
let lineWaiter = null; // the read that waits for a line
let working = null; // the working of the problem just answered, to be shown with its question

// A fresh input for a new session; a read of the old one waits for ever.
export function resetAnswer() {
  handedOver = [];
  inputEnded = false;
  lineWaiter = null;
  question = null;
  field.value = "";
  note.textContent = "";
  hideAnswer();
}

export function hideAnswer() {
  answerForm.hidden = true;
  choice.hidden = true;
}

// The question whose line the program reads next.
export function openQuestion(kind) {
  question = kind;
}

// The working shown after a wrong answer: in view with the continue question, its start first
// where the screen cannot hold both.
export function showWithQuestion(element) {
  working = element;
}

// Up to size bytes of what was typed; none at the end of the input.
export async function readAnswer(size) {
  while (!handedOver.length && !inputEnded) {
    await new Promise((resolve) => {
      lineWaiter = resolve;
      askForAnswer();
    });
  }
  if (!handedOver.length) {
    return new Uint8Array(0);
  }
  const bytes = handedOver[0].subarray(0, size);
  if (bytes.length === handedOver[0].length) {
    handedOver.shift();
  } else {
    handedOver[0] = handedOver[0].subarray(bytes.length);
  }
  return bytes;
}

// The control that answers the open question: the choice's first button, or the field.
export function focusTarget() {
  return question === "continue" ? nextButton : field;
}

function askForAnswer() {
  showOpenLine();
  answerForm.hidden = false;
  choice.hidden = question !== "continue";
  const target = focusTarget();
  if (document.activeElement !== target) {
    target.focus({ preventScroll: true });
  }
  keepInView(choice.hidden ? answerForm : choice);
  if (working && working.getBoundingClientRect().top < 0) {
    working.scrollIntoView({ block: "start" });
  }
  working = null;
}

function handOver(line) {
  echoTyped(line);
  note.textContent = "";
  question = null;
  hideAnswer();
  handedOver.push(typedText.encode(line.replaceAll(",", ".") + "\n"));
  const waiter = lineWaiter;
  lineWaiter = null;
  waiter?.();
}

answerForm.addEventListener("submit", (event) => {
  event.preventDefault();
  const line = field.value.trim();
  if (!question || line === "") {
    return;
  }
  field.value = "";
  if ((question === "continue" ? WHOLE : NUMBER).test(line)) {
    handOver(line);
  } else {
    note.textContent = NOTES[question];
  }
});

nextButton.addEventListener("click", () => question === "continue" && handOver("1"));
stopButton.addEventListener("click", () => question === "continue" && handOver("9"));

// A key typed on the choice's buttons goes on into the field, for those who type "9".
choice.addEventListener("keydown", (event) => {
  if (event.key.length === 1 && event.key !== " " && !event.ctrlKey && !event.altKey &&
      !event.metaKey) {
    field.focus({ preventScroll: true });
  }
});

// A press on a blank part of the dialogue keeps the focus where it is; a tap or click on its
// text brings it back, unless it selected text to copy.
const dialogue = document.getElementById("console");
dialogue.addEventListener("mousedown", (event) => {
  if (!answerForm.hidden && (event.target === dialogue || event.target.id === "transcript")) {
    event.preventDefault();
  }
});
dialogue.addEventListener("click", (event) => {
  if (!answerForm.hidden && !event.target.closest("button, input") &&
      String(window.getSelection()) === "") {
    focusTarget().focus({ preventScroll: true });
  }
});

export function endInput() {
  inputEnded = true;
  hideAnswer();
  const waiter = lineWaiter;
  lineWaiter = null;
  waiter?.();
}

// Keeps an element in view, above an on-screen keyboard where the browser knows of it.
// scrollIntoView, not arithmetic on the visual viewport: under zoom WebKit scrolls by other
// units than it reports.
export function keepInView(element) {
  element.scrollIntoView({ block: "nearest", inline: "nearest" });
}

window.visualViewport?.addEventListener("resize", () => {
  if (document.activeElement === field) {
    keepInView(answerForm);
  }
});
