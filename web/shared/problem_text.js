// A problem in the pages' words, correct German, from the program's record of it
// (src/session/records_json.hpp: the numbers and the words of its scenario). Every page words a
// problem here and nowhere else: the trainer's dialogue, its working and tutor, reading aloud,
// and the worksheets with their keys.

// The statement: the given sentence and the question.
//   "Eine Gruppe von 4 Reinigungskräften schafft die vorgegebene Arbeit durchschnittlich in
//    77 Stunden." "Wie viele Stunden braucht dann eine Gruppe von 11 Reinigungskräften?"
//   "12 Autos kommen mit vorrätigem Motoröl 24 Monate aus." "Wie viele Monate reicht das
//    Motoröl für 8 Autos?"
export function statement({ kind, first, second, given, words }) {
  if (kind === "work") {
    return [`Eine Gruppe von ${first} ${words.manyDative} schafft die vorgegebene Arbeit ` +
              `durchschnittlich in ${given} ${words.unitDative}.`,
            `Wie viele ${words.unit} braucht dann eine Gruppe von ${second} ` +
              `${words.manyDative}?`];
  }
  return [`${first} ${words.many} kommen mit ${words.stockDative} ${given} ${words.unit} aus.`,
          `Wie viele ${words.unit} ${words.lasts} ${words.stock} für ${second} ${words.many}?`];
}

// The statement as a sheet prints it, with a no-break blank after each number, so that no
// number is left alone at the end of a line.
export const sentences = (problem) =>
  statement(problem).map((sentence) => sentence.replace(/(\d) /g, "$1\u00a0"));

// The problem as it is read aloud: the statement in one.
export const spokenProblem = (problem) => statement(problem).join(" ");

// The answer with its unit, as the key names it: "28 Monate".
export const answerWithUnit = ({ answer, words }) => `${answer} ${words.unit}`;

// The working as German classes set out an inverse proportion: the given pair, one member's
// time, then the asked group's time. Each line as its two sides:
//   7 Kühe → 12 Monate
//   1 Kuh  → 7 · 12 = 84 Monate
//   3 Kühe → 84 : 3 = 28 Monate
export function workingLines({ first, second, given, words }) {
  const { one, many, unit } = words;
  const alone = first * given; // one member alone needs the group's size times as long
  return [
    [`${first} ${many}`, `${given} ${unit}`],
    [`1 ${one}`, `${first} · ${given} = ${alone} ${unit}`],
    [`${second} ${many}`, `${alone} : ${second} = ${alone / second} ${unit}`],
  ];
}

// The inverse relation of a problem: "Je mehr Kühe, desto kürzer reicht das Heu".
export function relation({ kind, first, second, words }) {
  const more = second > first;
  const { many, stock, lasts } = words;
  const then = kind === "work"
    ? `desto ${more ? "weniger" : "mehr"} Zeit brauchen sie`
    : `desto ${more ? "kürzer" : "länger"} ${lasts} ${stock}`;
  return `Je ${more ? "mehr" : "weniger"} ${many}, ${then}`;
}

// Why the working goes that way: "Je mehr Kühe, desto kürzer reicht das Heu: erst für 1 Kuh,
// dann für 8 Kühe."
export function reasoning(problem) {
  const { one, many } = problem.words;
  return `${relation(problem)}: erst für 1 ${one}, dann für ${problem.second} ${many}.`;
}
