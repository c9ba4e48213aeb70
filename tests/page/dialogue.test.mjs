// The trainer's dialogue in correct German, laid out from a real session's events in the order
// in which the program writes its own texts.
import assert from "node:assert";
import { test } from "node:test";
import { SEPARATOR, shownFor } from "../../web/trainer/dialogue.js";
import { sessionEvents } from "./records.mjs";

// The dialogue's text as the transcript shows it: each line, each prompt with the line typed
// after it.
function dialogueText(events, typed) {
  const left = [...typed];
  let text = "";
  for (const event of events) {
    const { lines, prompt } = shownFor(event);
    text += lines.map((line) => `${line}\n`).join("");
    if (prompt) {
      text += `${prompt} ${event.type === "pauseBegun" ? "" : `${left.shift() ?? ""}\n`}`;
    }
  }
  return text;
}

test("a session with a right and a wrong answer, a stop, the score and the pause", () => {
  // Seed 1: 3 ants need 21 minutes, how long do 7 need (9); 6 need 99, how long do 11 (54).
  const typed = ["9", "1", "50", "9"];
  assert.strictEqual(dialogueText(sessionEvents(1, typed), typed), [
    "Willkommen beim Übungs-Simulator für indirekte Proportionalität!",
    "Viel Vergnügen beim Rätseln!",
    "",
    SEPARATOR,
    "",
    "Eine Gruppe von 3 Ameisen schafft die vorgegebene Arbeit durchschnittlich in 21 Minuten.",
    "Wie viele Minuten braucht dann eine Gruppe von 7 Ameisen?",
    "",
    "Gib dein Ergebnis ein und drücke ENTER: 9",
    "",
    "Richtig gerechnet! :-)",
    "",
    "Zum Beenden des Programms drücke 9 und ENTER,",
    "zum Weitermachen drücke 1 und ENTER: 1",
    SEPARATOR,
    "",
    "Eine Gruppe von 6 Ameisen schafft die vorgegebene Arbeit durchschnittlich in 99 Minuten.",
    "Wie viele Minuten braucht dann eine Gruppe von 11 Ameisen?",
    "",
    "Gib dein Ergebnis ein und drücke ENTER: 50",
    "",
    "Dein Ergebnis ist leider falsch!",
    "Das richtige Ergebnis lautet: 54",
    "",
    "Zum Beenden des Programms drücke 9 und ENTER,",
    "zum Weitermachen drücke 1 und ENTER: 9",
    SEPARATOR,
    "",
    "Du hast insgesamt 1 von 2 Punkten erreicht!",
    "Du musst noch mehr üben!",
    "",
    "Drücke eine Taste oder tippe auf Weiter … ",
  ].join("\n"));
});

test("the end of input shows the score without a pause; Ctrl-C shows neither", () => {
  const ended = dialogueText(sessionEvents(1, ["9"]), ["9"]);
  assert.match(ended, /\nDu hast insgesamt 1 von 1 Punkten erreicht!\nBravo!\n\n$/);
  const cut = sessionEvents(1, ["9"]).map((event) => (event.type === "sessionFinished"
    ? { ...event, how: "interrupted" } : event)).filter(({ type }) => type !== "pauseBegun");
  assert.match(dialogueText(cut, ["9"]), /zum Weitermachen drücke 1 und ENTER: \n$/);
});

test("no line of a long session keeps a 7-bit spelling or a blank before a question mark", () => {
  const typed = Array.from({ length: 40 }, (_, at) => (at % 2 ? "1" : "0"));
  const text = dialogueText(sessionEvents(20261210, typed), typed);
  assert.doesNotMatch(text, /druecke|richige|Wieviele|ein Gruppe|ttt|ueben|fuer| \?/);
  assert.doesNotMatch(text, /ae|oe|ue|Strass|ssig/); // ASCII umlauts and sharp s
});
