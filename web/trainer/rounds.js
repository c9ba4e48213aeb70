// A round as the page follows it from the program's events, and the list of this visit's
// rounds, each a plain record of the page's, shown as one item:
//   { posed, correct, how, problems }
// how as the program's sessionFinished says the round ended; problems one per posed problem:
// { kind, model, right (null while unanswered), hinted, mistake (tutor.js, or null),
//   chosen (the model the learner chose in a mixed round, else null) }.

import { reviewBlock } from "./review.js";
import { mistakeOf } from "./tutor.js";

// A round under way: the problems' records, the score last told, the problem posed last and
// the end once it is told. hints are the numbers of the problems on which a hint was shown
// (1 for the first), as a replayed journal has them.
export const newRound = (hints = []) =>
  ({ problems: [], tally: { posed: 0, correct: 0 }, problem: null, finished: null,
     hints: [...hints] });

// The round after one of the program's events.
export function follow(round, event) {
  if (event.type === "problemPosed") {
    round.problem = event.problem;
    round.problems.push({ kind: event.problem.kind, model: event.problem.model, right: null,
                          hinted: round.hints.includes(event.number), mistake: null,
                          chosen: null });
  } else if (event.type === "questionOpened") {
    round.tally = { posed: event.posed, correct: event.correct };
  } else if (event.type === "answerJudged") {
    const record = round.problems[event.number - 1];
    record.right = event.right;
    record.mistake = event.right ? null : mistakeOf(round.problem, event.erg);
  } else if (event.type === "sessionFinished") {
    round.finished = event;
  }
  return round;
}

// The first hint on the round's current problem: noted in its record and among the round's
// hints. Whether it was the first.
export function hinted(round) {
  const record = round.problems.at(-1);
  if (!record || record.hinted) {
    return false;
  }
  record.hinted = true;
  round.hints.push(round.problems.length);
  return true;
}

// The model the learner chose for the round's current problem, before answering it.
export function chose(round, model) {
  const record = round.problems.at(-1);
  if (record) {
    record.chosen = model;
  }
}

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

// The round's record once its end is told, or null for a session that never told its end.
export function roundOf({ finished, problems }) {
  if (!finished) {
    return null;
  }
  return { posed: finished.posed, correct: finished.correct, how: finished.how,
           problems: problems.map((problem) => ({ ...problem })) };
}
