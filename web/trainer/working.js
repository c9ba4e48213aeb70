// The working of a problem, in the dialogue right after its feedback: after a wrong choice of
// the model in a mixed round, the model that holds; after a wrong number, the tutor's sentence
// on the learner's mistake where it has one, a sentence of the page's own on why, then the
// working line by line. It stays with its problem in the transcript.

import { reasoning, workingLines } from "../shared/problem_text.js";

function paragraph(document, text, className = "") {
  const made = document.createElement("p");
  made.textContent = text;
  if (className) {
    made.className = className;
  }
  return made;
}

// The working's element for a problem record, made in document: model, the sentence on a wrong
// model (or null); mistake, the one on a wrong number (or null); working, whether the number was
// wrong and the working follows.
export function workingBlock(document, problem, { model = null, mistake = null, working = true }
  = {}) {
  const block = document.createElement("div");
  block.className = "working";
  if (model) {
    block.append(paragraph(document, model, "model"));
  }
  if (!working) {
    return block;
  }
  if (mistake) {
    block.append(paragraph(document, mistake, "mistake"));
  }
  const lines = document.createElement("ol");
  lines.setAttribute("aria-label", "Lösungsweg");
  lines.append(...workingLines(problem).map(([group, time]) => {
    const item = document.createElement("li");
    item.textContent = `${group} → ${time}`;
    return item;
  }));
  block.append(paragraph(document, reasoning(problem)), lines);
  return block;
}
