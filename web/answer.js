// The answer field: a native text field inline after the prompt, so that editing, paste,
// input methods and dictation are the browser's own. Enter, the "OK" button or the
// keyboard's Go key hands the line and a line end to the program; a decimal comma, all that
// German decimal keypads offer, is handed over as a full stop. Ctrl-D in an empty field ends
// the input (see session.js, which owns the keys).

import { echoTyped, showOpenLine } from "./transcript.js";

export const answerForm = document.getElementById("answer");
export const field = document.getElementById("field");
const typedText = new TextEncoder();
let handedOver = []; // lines handed over and not yet read, as bytes
let inputEnded = false;
let lineWaiter = null; // the read that waits for a line

// A fresh input for a new session; a read of the old one waits for ever.
export function resetAnswer() {
  handedOver = [];
  inputEnded = false;
  lineWaiter = null;
  field.value = "";
  answerForm.hidden = true;
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

function askForAnswer() {
  showOpenLine();
  answerForm.hidden = false;
  if (document.activeElement !== field) {
    field.focus({ preventScroll: true });
  }
  keepInView(answerForm);
}

function handOver(bytes) {
  handedOver.push(bytes);
  const waiter = lineWaiter;
  lineWaiter = null;
  waiter?.();
}

answerForm.addEventListener("submit", (event) => {
  event.preventDefault();
  const line = field.value;
  field.value = "";
  echoTyped(line);
  handOver(typedText.encode(line.replaceAll(",", ".") + "\n"));
});

// A tap or click on the dialogue brings back the field (and the on-screen keyboard), unless
// it selected text to copy.
document.getElementById("console").addEventListener("click", (event) => {
  if (!answerForm.hidden && event.target.closest("#transcript") &&
      String(window.getSelection()) === "") {
    field.focus({ preventScroll: true });
  }
});

export function endInput() {
  inputEnded = true;
  answerForm.hidden = true;
  const waiter = lineWaiter;
  lineWaiter = null;
  waiter?.();
}

// Keeps an element above an on-screen keyboard: iOS lays its keyboard over the page, so only
// the visual viewport knows what is still visible.
export function keepInView(element) {
  const view = window.visualViewport;
  const top = view ? view.offsetTop : 0;
  const bottom = top + (view ? view.height : window.innerHeight);
  const box = element.getBoundingClientRect();
  const margin = 8;
  if (box.bottom + margin > bottom) {
    window.scrollBy(0, box.bottom + margin - bottom);
  } else if (box.top - margin < top) {
    window.scrollBy(0, box.top - margin - top);
  }
}

window.visualViewport?.addEventListener("resize", () => {
  if (document.activeElement === field) {
    keepInView(answerForm);
  }
});
