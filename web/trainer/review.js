// The review of a round after its score, in the page's words: a row of marks, one per problem,
// how many problems of each kind were right, which typical mistakes occurred and how often,
// and advice for the most frequent one. Made from the round's record (rounds.js) alone, so
// that the transcript and the list of this visit's rounds show the same.

import { ADVICE, MISTAKES, MISTAKE_NAMES } from "./tutor.js";

const KINDS = [["work", "Arbeitsaufgaben"], ["supply", "Vorratsaufgaben"]];

// A problem's mark: its glyph, class and how a screen reader says it.
function mark({ right, hinted }) {
  const [glyph, kind, said] = right === null ? ["–", "open", "nicht beantwortet"]
    : right ? ["✓", "right", "richtig"] : ["✗", "wrong", "falsch"];
  return { glyph, kind, said: hinted ? `${said}, mit Tipp` : said, hinted };
}

// The review's sentences for a round's problems: kinds, mistakes (or none) and advice (or
// none).
export function reviewLines(problems) {
  const lines = [];
  const kinds = KINDS.map(([kind, name]) => [name, problems.filter((p) => p.kind === kind)])
    .filter(([, ofKind]) => ofKind.length)
    .map(([name, ofKind]) =>
      `${name}: ${ofKind.filter((p) => p.right).length} von ${ofKind.length} richtig`);
  if (kinds.length) {
    lines.push(`${kinds.join(", ")}.`);
  }
  const counts = MISTAKES.map((mistake) =>
    [mistake, problems.filter((p) => p.mistake === mistake).length]).filter(([, n]) => n > 0);
  if (counts.length) {
    lines.push(`Typische Fehler: ${counts.map(([mistake, n]) =>
      `${n}-mal ${MISTAKE_NAMES[mistake]}`).join(", ")}.`);
    // The most frequent; on a tie the one named first in MISTAKES.
    const [most] = counts.reduce((a, b) => (b[1] > a[1] ? b : a));
    lines.push(`Tipp für die nächste Runde: ${ADVICE[most]}`);
  }
  return lines;
}

// What a screen reader says for the row of marks: "Aufgabe 1 richtig, Aufgabe 2 falsch".
export const marksLabel = (problems) =>
  problems.map((p, i) => `Aufgabe ${i + 1} ${mark(p).said}`).join(", ");

// The row of marks, made in document: one image to assistive technology, with its label.
export function marksRow(document, problems) {
  const row = document.createElement("p");
  row.className = "marks";
  row.setAttribute("role", "img");
  row.setAttribute("aria-label", marksLabel(problems));
  row.append(...problems.map((problem) => {
    const { glyph, kind, hinted } = mark(problem);
    const one = document.createElement("span");
    one.className = hinted ? `mark ${kind} hinted` : `mark ${kind}`;
    one.textContent = glyph;
    return one;
  }));
  return row;
}

// The review's element for a round record, made in document.
export function reviewBlock(document, round) {
  const block = document.createElement("div");
  block.className = "review";
  if (round.problems.length) {
    block.append(marksRow(document, round.problems));
  }
  for (const line of reviewLines(round.problems)) {
    const sentence = document.createElement("p");
    sentence.textContent = line;
    block.append(sentence);
  }
  return block;
}
