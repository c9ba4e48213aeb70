// The helpers of the browser tests: the trainer's dialogue as the page writes it (its prompts
// and the page's last lines), waits for the transcript to end with one, and the problem on
// screen read as a learner reads it. Shared by every browser test, by docs/web-screenshot.js
// and by bench/web.js.
"use strict";

const ANSWER_PROMPT = "Gib dein Ergebnis ein und drücke ENTER: ";
const CONTINUE_PROMPT = "zum Weitermachen drücke 1 und ENTER: ";
const PAUSE = "Drücke eine Taste oder tippe auf Weiter … ";
const ENDED = "„Noch eine Runde“ oder Enter beginnt eine neue.\n";
const PLATFORM_ENDED = "Die Runde ist zu Ende. Deine Punkte hat die Lernplattform bekommen.\n";

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

const SEPARATOR = `${"-".repeat(58)}\n\n`;

// The last problem on screen, read as a learner reads it: its given sentence names the first
// group's size and the number given, its question the second group's size. An inverse problem
// names the job or the stock ("vorgegebene Arbeit", "kommen mit"), a direct one asks for the
// same time ("in derselben Zeit", "beim Ölwechsel"); any other does not depend on the group.
// The answer follows from the model.
function lastProblem(text) {
  const at = text.lastIndexOf(SEPARATOR);
  const [given = "", question = ""] = at < 0 ? [] : text.slice(at + SEPARATOR.length).split("\n");
  const numbers = (line) => [...line.matchAll(/\d+/g)].map(Number);
  const [first, duration] = numbers(given);
  const [second] = numbers(question);
  if (!question.endsWith("?") || second === undefined) {
    throw new Error(`no problem in the text:\n${text}`);
  }
  const model = /vorgegebene Arbeit| kommen mit /.test(given) ? "inverse"
    : /(in derselben Zeit|beim Ölwechsel)\?$/.test(question) ? "direct" : "constant";
  const answer = model === "inverse" ? (first * duration) / second
    : model === "direct" ? (duration / first) * second : duration;
  return { first, duration, second, answer, model };
}

// What only the program's own 7-bit texts say, and must not stand in a page, a sheet or a key:
// its spellings, and a blank before a question mark.
const SEVEN_BIT = new RegExp(["druecke", "richige", "Wieviele", "ein Gruppe", "durchschnitttlich",
                              "ueben", "fuer ", "Kuehe", "ae[a-z]", "oel\\b", " \\?"].join("|"));

module.exports = { ANSWER_PROMPT, CONTINUE_PROMPT, ENDED, PAUSE, PLATFORM_ENDED, SEVEN_BIT,
                   lastProblem, transcript, waitForEnd };
