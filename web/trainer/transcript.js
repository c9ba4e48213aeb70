// The transcript: the dialogue's lines, one element per line in a live region, so that a screen
// reader announces each line once. A prompt stays open on its line, named so that the field
// that answers it is labelled by it, and the learner's typed line follows it, as a terminal
// echoes it. The separator is left to sighted readers. The page's own notes and blocks (the
// working, the review) go in between.

import { SEPARATOR } from "./dialogue.js";

// A transcript in log, the live region inside dialogue, the element that takes the program's
// colours.
export function createTranscript(log, dialogue) {
  const document = log.ownerDocument;

  function addLine(text, kind) {
    const line = document.createElement("span");
    line.textContent = text;
    if (kind) {
      line.className = kind;
    }
    log.append(line);
    return line;
  }

  return {
    clear() {
      log.replaceChildren();
    },

    // The program's colours on a cleared transcript, as the console window turns yellow.
    showProgramColours() {
      log.replaceChildren();
      dialogue.classList.add("program-colours");
    },

    // The dialogue's lines for an event (dialogue.js), and the prompt it opens.
    show({ lines, prompt }) {
      for (const line of lines) {
        if (line === SEPARATOR) {
          addLine(`${line}\n`, "separator").setAttribute("aria-hidden", "true");
        } else {
          addLine(`${line}\n`);
        }
      }
      if (prompt) {
        document.getElementById("prompt")?.removeAttribute("id");
        addLine(`${prompt} `).id = "prompt";
      }
    },

    // An element of the page's own at this point of the dialogue.
    append(element) {
      log.append(element);
      return element;
    },

    // A line the learner typed, after its prompt.
    echoTyped(text) {
      addLine(`${text}\n`, "typed");
    },

    // The end of the open line, as Enter or a key ends it in a terminal.
    closeLine() {
      addLine("\n");
    },

    // A line of the page's own, not of the program.
    addPageLine(text) {
      addLine(`${text}\n`, "page-line");
    },
  };
}
