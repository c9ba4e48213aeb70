// Reading aloud: which voice may read, and what it reads.
import assert from "node:assert";
import { test } from "node:test";
import { spokenProblem } from "../../web/problem_text.js";
import { localGermanVoice } from "../../web/speech.js";
import { problem } from "./records.mjs";

const voice = (name, lang, localService, isDefault = false) =>
  ({ name, lang, localService, default: isDefault });

const VOICES = [
  ["no voice", [], null],
  ["only a network voice", [voice("Google Deutsch", "de-DE", false)], null],
  ["a local voice of another language", [voice("Alex", "en-US", true, true)], null],
  ["a local German voice", [voice("Google Deutsch", "de-DE", false), voice("Anna", "de-DE", true)],
   "Anna"],
  ["the default among local German voices", [voice("Anna", "de-AT", true),
                                              voice("Markus", "de_DE", true, true)], "Markus"],
  ["a bare language code", [voice("espeak", "de", true)], "espeak"],
  ["not a language that merely starts with de", [voice("Dene", "den", true)], null],
];

for (const [name, voices, chosen] of VOICES) {
  test(`the voice: ${name}`, () => {
    assert.strictEqual(localGermanVoice(voices)?.name ?? null, chosen);
  });
}

test("a problem is read in correct German with umlauts", () => {
  assert.strictEqual(spokenProblem(problem("supply", 2, 7, 3, 4)),
                     "7 Kühe kommen mit dem gemähten Heu 12 Monate aus. Wie viele Monate " +
                     "reicht das Heu für 3 Kühe?");
  assert.strictEqual(spokenProblem(problem("work", 2, 9, 11, 14)),
                     "Eine Gruppe von 9 Bergmännern schafft die vorgegebene Arbeit " +
                     "durchschnittlich in 154 Tagen. Wie viele Tage braucht dann eine Gruppe " +
                     "von 11 Bergmännern?");
  assert.strictEqual(spokenProblem(problem("supply", 0, 13, 19, 5)),
                     "13 Expeditionsmitglieder kommen mit den Lebensmittelvorräten 95 Wochen " +
                     "aus. Wie viele Wochen reichen die Lebensmittelvorräte für 19 " +
                     "Expeditionsmitglieder?");
});
