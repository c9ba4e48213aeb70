// The transcript: what the program writes, one element per line in a live region, so that a
// screen reader announces each line once. A line still open (a prompt) is shown when the
// program waits. The separator, which the program names as one of its fixed texts, is left to
// sighted readers. The learner's typed lines and the page's own notes go in between, as a
// terminal shows them.

// A transcript in log, the live region inside dialogue, the element that takes the program's
// colours.
export function createTranscript(log, dialogue) {
  const programText = new TextDecoder();
  let openLine = ""; // written but not yet shown: the line has not ended
  let separator = null;

  function addLine(text, kind) {
    const line = log.ownerDocument.createElement("span");
    line.textContent = text;
    if (kind) {
      line.className = kind;
    }
    if (text === separator) {
      line.className = "separator";
      line.setAttribute("aria-hidden", "true");
    }
    log.append(line);
    return line;
  }

  // Shows the open line before the program waits; it names the field that answers it.
  function showOpenLine() {
    if (openLine) {
      log.ownerDocument.getElementById("prompt")?.removeAttribute("id");
      addLine(openLine).id = "prompt";
      openLine = "";
    }
  }

  function clear() {
    log.replaceChildren();
    openLine = "";
  }

  return {
    showOpenLine,
    clear,

    // The program's fixed texts, which it hands over before it writes them.
    setProgramTexts(texts) {
      separator = `${texts.separator}\n`;
    },

    // The program's output, as bytes.
    writeProgramText(bytes) {
      openLine += programText.decode(bytes, { stream: true });
      const end = openLine.lastIndexOf("\n");
      if (end >= 0) {
        for (const line of openLine.slice(0, end).split("\n")) {
          addLine(line + "\n");
        }
        openLine = openLine.slice(end + 1);
      }
    },

    // The program's colours on a cleared transcript, as the console window turns yellow.
    showProgramColours() {
      clear();
      dialogue.classList.add("program-colours");
    },

    // An element of the page's own at this point of the dialogue, after what the program wrote.
    append(element) {
      showOpenLine();
      log.append(element);
      return element;
    },

    // A line the learner typed, as the terminal echoes it: after the prompt, also when the
    // line was handed over before the program waited (a replayed one).
    echoTyped(text) {
      showOpenLine();
      addLine(text + "\n", "typed");
    },

    // A line of the page's own, not of the program.
    addPageLine(text) {
      showOpenLine();
      addLine(text + "\n", "page-line");
    },
  };
}
