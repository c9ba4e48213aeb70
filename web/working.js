// The working of a wrongly answered problem, in the dialogue right after its feedback: a
// sentence of the page's own on why, then the working in three lines. It stays with its
// problem in the transcript.

import { reasoning, workingLines } from "./problem_text.js";

// The working's element for a problem record, made in document.
export function workingBlock(document, problem) {
  const block = document.createElement("div");
  block.className = "working";
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
