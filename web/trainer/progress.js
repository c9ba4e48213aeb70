// The line above the dialogue: the problem's number, out of the round's goal where a learning
// platform set one, the right answers so far, and whether hints were used on this problem.

export function progressText(posed, correct, goal, hinted = false) {
  const problem = goal ? `Aufgabe ${posed} von ${goal}` : `Aufgabe ${posed}`;
  return `${problem} · ${correct} richtig${hinted ? " · mit Tipp" : ""}`;
}
