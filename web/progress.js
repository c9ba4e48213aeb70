// The line above the dialogue: the problem's number, out of the round's goal where a learning
// platform set one, and the right answers so far.

export function progressText(posed, correct, goal) {
  const problem = goal ? `Aufgabe ${posed} von ${goal}` : `Aufgabe ${posed}`;
  return `${problem} · ${correct} richtig`;
}
