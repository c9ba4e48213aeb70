// Reads the last problem out of the program's text, as a learner reads it: the first group's
// size, the duration given, and the second group's size; the answer is first * duration /
// second. Shared by the browser tests and docs/web-screenshot.js.
"use strict";

const KINDS = [
  // " Eine Gruppe von 4 Maler schafft ...\n durchschnitttlich in 30 Tagen. \n ... Gruppe von 6 Maler ?"
  / Eine Gruppe von (\d+)\D*?\n durchschnitttlich in (\d+)[^]*? Gruppe von (\d+) /g,
  // " 3 Kinder kommen mit Suessigkeiten 80 Tage aus. \n ... \n fuer 16 Kinder ?"
  / (\d+)\D*? kommen mit\D*?(\d+)\D*? aus\. [^]*?\n fuer (\d+) /g,
];

function lastProblem(text) {
  const found = KINDS.flatMap((kind) => [...text.matchAll(kind)]);
  if (!found.length) {
    throw new Error(`no problem in the text:\n${text}`);
  }
  const last = found.reduce((a, b) => (b.index > a.index ? b : a));
  const [first, duration, second] = last.slice(1, 4).map(Number);
  return { first, duration, second, answer: (first * duration) / second };
}

module.exports = { lastProblem };
