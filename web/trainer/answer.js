// The answer field: a native text field inline after the prompt, so that editing, paste,
// input methods and dictation are the browser's own. Enter, the "OK" button or the
// keyboard's Go key hands the line and a line end to the program (typed_number.js says what
// may be handed over at which question). The program says which question is open; at the
// continue question "Nächste Aufgabe" and "Aufhören" hand over 1 and 9, once a stray second tap
// can no longer reach them (guard.js). Ctrl-D in an empty field ends the input (see trainer.js,
// which owns the keys).

import { QUIET, createGuard } from "./guard.js";
import { programLine, readTyped } from "./typed_number.js";

// Keeps an element in view, above an on-screen keyboard where the browser knows of it.
// scrollIntoView, not arithmetic on the visual viewport: under zoom WebKit scrolls by other
// units than it reports.
export function keepInView(element) {
  element.scrollIntoView({ block: "nearest", inline: "nearest" });
}

// The answer's controls (form, field, choice, next, stop, note, dialogue: elements of the
// page) wired to the transcript; onLine hears each line handed over. Returns what the session
// needs of them.
export function createAnswer(controls, transcript, onLine = () => {}) {
  const { form, field, choice, next, stop, note, dialogue } = controls;
  let question = null; // "answer" | "continue" while the program waits for its line
  let handedOver = []; // lines handed over and not yet read, as bytes
  let inputEnded = false;
  let interrupted = false;
  let lineWaiter = null; // the read that waits for a line
  let working = null; // the working of the problem just answered, shown with its question
  let quietUntil = 0; // until then a tap on the dialogue selects nothing
  const window = dialogue.ownerDocument.defaultView;
  const guard = createGuard([next, stop], window);

  function hide() {
    form.hidden = true;
    choice.hidden = true;
    guard.reset();
  }

  // The control that answers the open question: the choice's first button, or the field.
  const focusTarget = () => (question === "continue" ? next : field);

  function askForAnswer() {
    form.hidden = false;
    choice.hidden = question !== "continue";
    const target = focusTarget();
    if (dialogue.ownerDocument.activeElement !== target) {
      target.focus({ preventScroll: true });
    }
    if (question === "continue") {
      guard.arm();
      quietUntil = window.performance.now() + QUIET;
    }
    // Scrolled with the next frame, whose layout the browser makes anyway, rather than forcing
    // one more before the answer's feedback is drawn.
    window.requestAnimationFrame(keepQuestionInView);
  }

  // The open question's controls in view, and the working above them with its first line clear
  // of the progress line (trainer.css's scroll-padding-top), its start first where the screen
  // cannot hold both.
  function keepQuestionInView() {
    if (form.hidden) {
      return;
    }
    keepInView(choice.hidden ? form : choice);
    const clear = parseFloat(window.getComputedStyle(dialogue.ownerDocument.documentElement)
      .scrollPaddingTop) || 0;
    if (working?.isConnected && working.getBoundingClientRect().top < clear) {
      working.scrollIntoView({ block: "start" });
    }
  }

  function wake() {
    const waiter = lineWaiter;
    lineWaiter = null;
    waiter?.();
  }

  function handOver(line) {
    quietUntil = window.performance.now() + QUIET;
    transcript.echoTyped(line);
    note.textContent = "";
    question = null;
    hide();
    handedOver.push(programLine(line));
    onLine(line);
    wake();
  }

  function endInput() {
    inputEnded = true;
    hide();
    wake();
  }

  form.addEventListener("submit", (event) => {
    event.preventDefault();
    const typed = readTyped(question, field.value);
    if (!typed) {
      return;
    }
    if (typed.note) {
      // The typed text stays to be corrected, and the note in view below it.
      note.textContent = typed.note;
      keepInView(note);
    } else {
      field.value = "";
      handOver(typed.line);
    }
  });

  next.addEventListener("click", () => question === "continue" && guard.allows() && handOver("1"));
  stop.addEventListener("click", () => question === "continue" && guard.allows() && handOver("9"));

  // A key typed on the choice's buttons, or on the buttons beside the field, goes on into the
  // field, for those who type "9" or their answer after a hint.
  const typeIntoField = (event) => {
    if (event.target !== field && event.key.length === 1 && event.key !== " " &&
        !event.ctrlKey && !event.altKey && !event.metaKey) {
      field.focus({ preventScroll: true });
    }
  };
  choice.addEventListener("keydown", typeIntoField);
  form.addEventListener("keydown", typeIntoField);

  // A press on a blank part of the dialogue keeps the focus where it is; a tap or click on its
  // text brings it back, unless it selected text to copy.
  dialogue.addEventListener("mousedown", (event) => {
    if (!form.hidden && (event.target === dialogue || event.target.id === "transcript")) {
      event.preventDefault();
    }
  });
  dialogue.addEventListener("click", (event) => {
    if (!form.hidden && !event.target.closest("button, input") &&
        String(dialogue.ownerDocument.getSelection()) === "") {
      focusTarget().focus({ preventScroll: true });
    }
  });

  // A double tap on "OK" lands its second tap on the dialogue's text, where the next question
  // has just replaced the field: in that moment it selects no word (which would take the focus
  // off the buttons), and Enter on the page itself goes to the open question's control.
  dialogue.addEventListener("selectstart", (event) => {
    if (window.performance.now() < quietUntil) {
      event.preventDefault();
    }
  });
  dialogue.ownerDocument.addEventListener("keydown", (event) => {
    const { activeElement, body } = dialogue.ownerDocument;
    if (event.key === "Enter" && !form.hidden && (!activeElement || activeElement === body)) {
      event.preventDefault();
      focusTarget().focus({ preventScroll: true });
    }
  });

  return {
    field,
    hide,
    endInput,
    keepQuestionInView,
    handOver, // a line of the page's own, as if typed: a replayed one, or 9 once the goal is met

    // A fresh input for a new session.
    reset() {
      handedOver = [];
      inputEnded = false;
      interrupted = false;
      lineWaiter = null;
      question = null;
      field.value = "";
      note.textContent = "";
      hide();
    },

    // The question whose line the program reads next; a new problem's answer leaves the
    // last working behind.
    openQuestion(kind) {
      question = kind;
      if (kind === "answer") {
        working = null;
      }
    },

    // The working shown after a wrong answer: in view with the continue question, its start
    // first where the screen cannot hold both.
    showWithQuestion(element) {
      working = element;
    },

    // Ends the input at once, dropping what was typed ahead (Ctrl-C): the read is interrupted.
    interrupt() {
      handedOver = [];
      interrupted = true;
      endInput();
    },

    // Up to size bytes of what was typed; none at the end of the input, null once interrupted.
    async readAnswer(size) {
      while (!handedOver.length && !inputEnded) {
        await new Promise((resolve) => {
          lineWaiter = resolve;
          askForAnswer();
        });
      }
      if (!handedOver.length) {
        return interrupted ? null : new Uint8Array(0);
      }
      const bytes = handedOver[0].subarray(0, size);
      if (bytes.length === handedOver[0].length) {
        handedOver.shift();
      } else {
        handedOver[0] = handedOver[0].subarray(bytes.length);
      }
      return bytes;
    },
  };
}
