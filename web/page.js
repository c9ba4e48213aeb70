"use strict";
// The page: a terminal (xterm.js) with a pseudo-terminal (xterm-pty) whose line discipline
// echoes typed characters, edits with Backspace, hands over a line on Enter and ends the input
// on Ctrl-D at an empty line, and dreisatz compiled to WebAssembly behind it. Each session is
// a fresh instance of the program with a new seed from the clock, as starting it again is.

const ICANON = 2;
const ECHO = 8;
const ENDED = " Die Sitzung ist beendet. Eine Taste oder ein Tippen startet eine neue.\n";
const YELLOW = "#ffff66";
const GREY = "#555555";

const terminal = new Terminal({
  screenReaderMode: true, // the dialogue as text for screen readers, besides the DOM renderer
  fontFamily: "monospace",
  cursorBlink: true,
  theme: { background: YELLOW, foreground: GREY, cursor: GREY, cursorAccent: YELLOW,
           brightYellow: YELLOW, brightBlack: GREY, selectionBackground: "#b3d7ff",
           selectionForeground: "#000000" },
});
const fit = new FitAddon.FitAddon();
terminal.loadAddon(fit);
const { master, slave } = openpty();
terminal.loadAddon(master);
terminal.open(document.getElementById("terminal"));

// Large enough to read on a tablet, small enough that the widest line (70 characters) fits.
function fitToWindow() {
  const size = Math.max(14, Math.min(24, Math.floor(window.innerWidth / (74 * 0.6))));
  if (terminal.options.fontSize !== size) {
    terminal.options.fontSize = size;
  }
  fit.fit();
}
new ResizeObserver(fitToWindow).observe(document.getElementById("terminal"));
fitToWindow();
terminal.focus();

// A tap anywhere brings up the on-screen keyboard; a tap also answers the pause.
const taps = new Set();
document.addEventListener("pointerdown", () => {
  terminal.focus();
  taps.forEach((tapped) => tapped());
});

// Ctrl-C copies a selection, as everywhere in a browser; without one it interrupts.
terminal.attachCustomKeyEventHandler(
  (event) => !(event.ctrlKey && event.key === "c" && terminal.hasSelection()));

let session = null; // the running session: { ended, interrupt }

function whenReadable(owner) {
  return new Promise((resolve) => {
    if (slave.readable) {
      resolve();
      return;
    }
    const listener = slave.onReadable(() => {
      listener.dispose();
      if (session === owner) {
        resolve(); // an interrupted session never reads again
      }
    });
  });
}

function keyOrTap(owner) {
  const saved = slave.ioctl("TCGETS");
  slave.ioctl("TCSETS", { iflag: saved.iflag, oflag: saved.oflag, cflag: saved.cflag,
                          lflag: saved.lflag & ~(ICANON | ECHO), cc: saved.cc });
  let untap;
  const tapped = new Promise((resolve) => {
    untap = () => taps.delete(resolve);
    taps.add(resolve);
  });
  return Promise.race([whenReadable(owner).then(() => slave.read()), tapped]).finally(() => {
    untap();
    slave.ioctl("TCSETS", saved);
  });
}

async function runSession() {
  const owner = {};
  session = owner;
  const interrupted = new Promise((resolve) => { owner.interrupt = resolve; });
  const program = await createDreisatz({
    isTerminal: true,
    writeOutput: (bytes) => slave.write(Array.from(bytes)),
    readInput: async (size) => {
      await whenReadable(owner);
      return Uint8Array.from(slave.read(size));
    },
    waitForKey: () => keyOrTap(owner),
  });
  const ending = await Promise.race([program.ccall("main", "number", [], [], { async: true }),
                                     interrupted]);
  session = null;
  slave.write("\x1b[0m" + (ending === "interrupted" ? "\n" : "") + ENDED);
  const next = {};
  session = next;
  await keyOrTap(next);
  runSession();
}

// Ctrl-C and Ctrl-\ end the session, as they end the program in a terminal.
slave.onSignal((signal) => {
  if ((signal === "SIGINT" || signal === "SIGQUIT") && session && session.interrupt) {
    session.interrupt("interrupted");
  }
});

runSession();
