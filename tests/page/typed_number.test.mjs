// What a typed line hands the program at each question.
import assert from "node:assert";
import { test } from "node:test";
import { programLine, readTyped } from "../../web/trainer/typed_number.js";

const NOTE_ANSWER = { note: "Bitte eine Zahl eingeben, zum Beispiel 42." };
const NOTE_CONTINUE = {
  note: "Bitte eine ganze Zahl eingeben: 1 für die nächste Aufgabe, 9 zum Aufhören.",
};
const NOTE_CHOICE = {
  note: "Bitte 1 oder 9 eingeben: 1 für die nächste Aufgabe, 9 zum Aufhören.",
};

const CASES = [
  // question, typed, what it gives
  ["answer", "20", { line: "20" }],
  ["answer", "  20.5 ", { line: "20.5" }],
  ["answer", "20,5", { line: "20,5" }],
  ["answer", ",5", { line: ",5" }],
  ["answer", "-3.", { line: "-3." }],
  ["answer", "+7", { line: "+7" }],
  ["answer", "zwanzig", NOTE_ANSWER],
  ["answer", "20 1", NOTE_ANSWER],
  ["answer", "1e3", NOTE_ANSWER],
  ["answer", "--5", NOTE_ANSWER],
  ["answer", ".", NOTE_ANSWER],
  ["answer", "", null],
  ["answer", "   ", null],
  ["continue", "1", { line: "1" }],
  ["continue", "9", { line: "9" }],
  ["continue", " 9 ", { line: "9" }],
  // Any other whole number would end the round.
  ["continue", "-2", NOTE_CHOICE],
  ["continue", "2", NOTE_CHOICE],
  ["continue", "11", NOTE_CHOICE],
  ["continue", "0", NOTE_CHOICE],
  ["continue", "1,5", NOTE_CONTINUE],
  ["continue", "1.0", NOTE_CONTINUE],
  ["continue", "weiter", NOTE_CONTINUE],
  ["continue", "", null],
  [null, "20", null], // no question open: nothing is handed over
];

for (const [question, typed, gives] of CASES) {
  test(`${JSON.stringify(typed)} at the ${question ?? "no"} question`, () => {
    assert.deepStrictEqual(readTyped(question, typed), gives);
  });
}

test("a line goes to the program with a full stop and a line end", () => {
  for (const [line, bytes] of [["20,5", "20.5\n"], ["7", "7\n"], [",5", ".5\n"]]) {
    assert.strictEqual(new TextDecoder().decode(programLine(line)), bytes);
  }
});
