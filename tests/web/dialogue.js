// The trainer's dialogue as the engine-neutral tests read it (a page of browsers.js): the
// program's prompts and the page's last line, and waits for the transcript to end with one.
"use strict";

const ANSWER_PROMPT = "Gib dein Ergebnis ein und druecke ENTER: ";
const CONTINUE_PROMPT = "zum Weitermachen druecke 1 und ENTER: ";
const PAUSE = "Druecke eine Taste oder tippe auf Weiter . . . ";
const ENDED = "„Noch eine Runde“ oder Enter beginnt eine neue.\n";

const transcript = (page) => page.evaluate(() => document.getElementById("transcript").textContent);
const waitForEnd = (page, text) =>
  page.waitFor((end) => document.getElementById("transcript").textContent.endsWith(end), text);

module.exports = { ANSWER_PROMPT, CONTINUE_PROMPT, ENDED, PAUSE, transcript, waitForEnd };
