// What a typed line hands the program at each of its questions. Only a number answers a
// problem, and only 1 or 9 the continue question: the program ends the round on any number
// but 1, so a slip such as 2 or 11 would end it. Anything else gets a note and reaches
// nothing, so no input ever answers a problem not yet on screen. A decimal comma, all
// that German decimal keypads offer, is handed over as a full stop.

const NUMBER = /^[+-]?(\d+([.,]\d*)?|[.,]\d+)$/;
const WHOLE = /^[+-]?\d+$/;
const NOTES = {
  answer: "Bitte eine Zahl eingeben, zum Beispiel 42.",
  continue: "Bitte eine ganze Zahl eingeben: 1 für die nächste Aufgabe, 9 zum Aufhören.",
  choice: "Bitte 1 oder 9 eingeben: 1 für die nächste Aufgabe, 9 zum Aufhören.",
};

// For the open question ("answer" or "continue") and the field's text: { line } to hand over
// (echoed as typed, sent with a full stop), { note } to show instead, or null when there is
// nothing to hand over.
export function readTyped(question, text) {
  const line = text.trim();
  if (!question || line === "") {
    return null;
  }
  if (!(question === "continue" ? WHOLE : NUMBER).test(line)) {
    return { note: NOTES[question] };
  }
  if (question === "continue" && line !== "1" && line !== "9") {
    return { note: NOTES.choice };
  }
  return { line };
}

// The bytes the program reads for a line handed over.
export const programLine = (line) => new TextEncoder().encode(`${line.replaceAll(",", ".")}\n`);
