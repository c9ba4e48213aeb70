// The working of a wrongly answered problem, in the dialogue right after its feedback: the
// tutor's sentence on the learner's mistake where it has one, a sentence of the page's own on
// why, then the working in three lines. It stays with its problem in the transcript.

import { reasoning, workingLines } from "../shared/problem_text.js";

// The working's element for a problem record, made in document, after the sentence on the
// mistake (or null).
export function workingBlock(document, problem, mistake = null) {
  const block = document.createElement("div");
  block.className = "working";
  if (mistake) {
    const sentence = document.createElement("p");
    sentence.className = "mistake";
    sentence.textContent = mistake;
    block.append(sentence);
  }
  const why = document.createElement("p");
  why.textContent = reasoning(problem);
  const lines = document.createElement("ol");
  lines.setAttribute("aria-label", "Lösungsweg");
  lines.append(...workingLines(problem).map(([group, time]) => {
    const item = document.createElement("li");
    item.textContent = `${group} → ${time}`;
    return item;
  }));
  block.append(why, lines);
  return block;
}
