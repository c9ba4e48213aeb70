// The transcript: what the program writes, one element per line in a live region, so that a
// screen reader announces each line once. A line still open (a prompt) is shown when the
// program waits. The separator line is left to sighted readers. The learner's typed lines
// and the page's own notes go in between, as a terminal shows them.

const transcript = document.getElementById("transcript");
const programText = new TextDecoder();
let openLine = ""; // written but not yet shown: the line has not ended

function addLine(text, kind) {
  const line = document.createElement("span");
  line.textContent = text;
  if (kind) {
    line.className = kind;
  }
  if (/^ -+ \n$/.test(text)) {
    line.className = "separator";
    line.setAttribute("aria-hidden", "true");
  }
  transcript.append(line);
  return line;
}

// The program's output, as bytes.
export function writeProgramText(bytes) {
  openLine += programText.decode(bytes, { stream: true });
  const end = openLine.lastIndexOf("\n");
  if (end >= 0) {
    for (const line of openLine.slice(0, end).split("\n")) {
      addLine(line + "\n");
    }
    openLine = openLine.slice(end + 1);
  }
}

// Shows the open line before the program waits; it names the field that answers it.
export function showOpenLine() {
  if (openLine) {
    document.getElementById("prompt")?.removeAttribute("id");
    addLine(openLine).id = "prompt";
    openLine = "";
  }
}

// The program's colours on a cleared transcript, as the console window turns yellow.
export function showProgramColours() {
  transcript.replaceChildren();
  openLine = "";
  document.getElementById("console").classList.add("program-colours");
}

// An element of the page's own at this point of the dialogue, after what the program wrote.
export function appendToTranscript(element) {
  showOpenLine();
  transcript.append(element);
}

export function clearTranscript() {
  transcript.replaceChildren();
  openLine = "";
}

// A line the learner typed, as the terminal echoes it.
export function echoTyped(text) {
  addLine(text + "\n", "typed");
}

// A line of the page's own, not of the program.
export function addPageLine(text) {
  showOpenLine();
  addLine(text + "\n", "page-line");
}
