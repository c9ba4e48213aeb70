// The helpers of the browser tests: the trainer's dialogue as the page writes it (its prompts
// and the page's last lines), waits for the transcript to end with one, and the problem on
// screen read as a learner reads it. Shared by every browser test, by docs/web-screenshot.js
// and by bench/web.js.
"use strict";

const ANSWER_PROMPT = "Gib dein Ergebnis ein und drücke ENTER: ";
const CONTINUE_PROMPT = "zum Weitermachen drücke 1 und ENTER: ";
const PAUSE = "Drücke eine Taste oder tippe auf Weiter … ";
const ENDED = "„Noch eine Runde“ oder Enter beginnt eine neue.\n";
const PLATFORM_ENDED =
  "Die Runde ist zu Ende. Für eine neue Runde öffne das Lernpaket noch einmal.\n";

// The transcript's text, and a wait until it ends with end, in a page of browsers.js or of
// playwright; in a learning platform's player page, the package's in its frame.
const transcript = (page) => page.evaluate(() =>
  ((document.getElementById("sco")?.contentDocument ?? document)
    .getElementById("transcript")?.textContent ?? ""));
const waitIn = (page, fn, arg) => (page.waitFor ? page.waitFor(fn, arg)
  : page.waitForFunction(fn, arg, { timeout: 15000 })); // generous for a loaded machine
const waitForEnd = (page, end) => waitIn(page, (wanted) =>
  ((document.getElementById("sco")?.contentDocument ?? document)
    .getElementById("transcript")?.textContent ?? "").endsWith(wanted), end);

const KINDS = [
  // "Eine Gruppe von 4 Ameisen schafft ... in 30 Minuten.\nWie viele ... Gruppe von 6 Ameisen?"
  /Eine Gruppe von (\d+) [^\n]*? in (\d+) [^\n]*\nWie viele [^\n]*? Gruppe von (\d+) /g,
  // "3 Kinder kommen mit Süßigkeiten 80 Tage aus.\nWie viele Tage ... für 16 Kinder?"
  /(\d+) [^\n]*? kommen mit [^\n]*? (\d+) [^\n]*? aus\.\nWie viele [^\n]* für (\d+) /g,
];

// The last problem in the text: the first group's size, the duration given, and the second
// group's size; the answer is first * duration / second.
function lastProblem(text) {
  const found = KINDS.flatMap((kind) => [...text.matchAll(kind)]);
  if (!found.length) {
    throw new Error(`no problem in the text:\n${text}`);
  }
  const last = found.reduce((a, b) => (b.index > a.index ? b : a));
  const [first, duration, second] = last.slice(1, 4).map(Number);
  return { first, duration, second, answer: (first * duration) / second };
}

// What only the program's own 7-bit texts say, and must not stand in a page, a sheet or a key:
// its spellings, and a blank before a question mark.
const SEVEN_BIT = new RegExp(["druecke", "richige", "Wieviele", "ein Gruppe", "durchschnitttlich",
                              "ueben", "fuer ", "Kuehe", "ae[a-z]", "oel\\b", " \\?"].join("|"));

module.exports = { ANSWER_PROMPT, CONTINUE_PROMPT, ENDED, PAUSE, PLATFORM_ENDED, SEVEN_BIT,
                   lastProblem, transcript, waitForEnd };
