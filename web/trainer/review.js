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

// The models as the review names them, for a learner who chose one before answering.
export const MODEL_NAMES = { direct: "„je mehr, desto mehr“", inverse: "„je mehr, desto weniger“",
                             constant: "„hängt nicht von der Anzahl ab“" };

// How the models were chosen in a mixed round: how many right, and which was taken for which.
function choiceLines(problems) {
  const chosen = problems.filter((p) => p.chosen);
  if (!chosen.length) {
    return [];
  }
  const right = chosen.filter((p) => p.chosen === p.model).length;
  const lines = [`Zusammenhang richtig erkannt: ${right} von ${chosen.length}.`];
  const confused = new Map();
  for (const { chosen: taken, model } of chosen.filter((p) => p.chosen !== p.model)) {
    const key = `${taken} ${model}`;
    confused.set(key, (confused.get(key) ?? 0) + 1);
  }
  if (confused.size) {
    lines.push(`Verwechselt: ${[...confused].map(([key, n]) => {
      const [taken, model] = key.split(" ");
      return `${n}-mal ${MODEL_NAMES[taken]} gewählt, wo ${MODEL_NAMES[model]} galt`;
    }).join("; ")}.`);
  }
  return lines;
}

// The review's sentences for a round's problems: kinds, the models chosen (in a mixed round),
// mistakes (or none) and advice (or none).
export function reviewLines(problems) {
  const lines = [];
  const kinds = KINDS.map(([kind, name]) => [name, problems.filter((p) => p.kind === kind)])
    .filter(([, ofKind]) => ofKind.length)
    .map(([name, ofKind]) =>
      `${name}: ${ofKind.filter((p) => p.right).length} von ${ofKind.length} richtig`);
  if (kinds.length) {
    lines.push(`${kinds.join(", ")}.`);
  }
  lines.push(...choiceLines(problems));
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
