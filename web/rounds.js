// The list of this visit's rounds: each round a plain record of the page's, shown as one item.
//   { posed, correct, how }  how the program's sessionFinished says it ended

// The list item of a round, made in document.
export function roundItem(document, round) {
  const item = document.createElement("li");
  item.textContent = `${round.correct} von ${round.posed} Punkten`;
  return item;
}

// The round of a session's end as its record, or null for a round that has no score to list
// (interrupted before its summary).
export function roundOf(finished) {
  if (!finished || finished.how === "interrupted") {
    return null;
  }
  return { posed: finished.posed, correct: finished.correct, how: finished.how };
}
