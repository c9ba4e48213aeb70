// The list of this visit's rounds: each round a plain record of the page's, shown as one item.
//   { posed, correct, how, problems }
// how as the program's sessionFinished says the round ended; problems one per posed problem,
// as tracked by roundTracker: { kind, right (null while unanswered), hinted, mistake }.

import { reviewBlock } from "./review.js";

// The list item of a round, made in document: the score, then the round's review.
export function roundItem(document, round) {
  const item = document.createElement("li");
  const score = document.createElement("p");
  score.className = "score";
  score.textContent = `${round.correct} von ${round.posed} Punkten` +
    (round.how === "interrupted" ? ", mit Strg+C beendet" : "");
  item.append(score, reviewBlock(document, round));
  return item;
}

// The round of a session's end as its record, or null for a session that never told its end.
export function roundOf(finished, problems = []) {
  if (!finished) {
    return null;
  }
  return { posed: finished.posed, correct: finished.correct, how: finished.how,
           problems: problems.map((problem) => ({ ...problem })) };
}

// A problem's entry for the round's record, from the events of the session.
export const posedProblem = (problem) =>
  ({ kind: problem.kind, right: null, hinted: false, mistake: null });
