// A problem as the page words it, from the program's record of it (src/session/records_json.hpp:
// the numbers, the statement's lines and the words of its scenario). Every page formats a
// problem here and nowhere else.

// The statement's sentences, each joined onto one line, as a sheet prints them. The blank
// before a question mark is the program's; it is kept, but as a no-break blank, as are those
// after a number, so that neither is left alone at the start of a line.
export function sentences({ statement }) {
  return [statement.given, statement.question].map((lines) =>
    lines.map((line) => line.trim()).join(" ")
      .replace(/ \?$/, "\u00a0?").replace(/(\d) /g, "$1\u00a0"));
}

// The answer with its unit, as the key names it: "28 Monate".
export const answerWithUnit = ({ answer, words }) => `${answer} ${words.working.unit}`;

// The working as German classes set out an inverse proportion, in the program's spelling: the
// given pair, one member's time, then the asked group's time. Each line as its two sides:
//   7 Kuehe → 12 Monate
//   1 Kuh   → 7 · 12 = 84 Monate
//   3 Kuehe → 84 : 3 = 28 Monate
export function workingLines({ first, second, given, words }) {
  const { one, many, unit } = words.working;
  const alone = first * given; // one member alone needs the group's size times as long
  return [
    [`${first} ${many}`, `${given} ${unit}`],
    [`1 ${one}`, `${first} · ${given} = ${alone} ${unit}`],
    [`${second} ${many}`, `${alone} : ${second} = ${alone / second} ${unit}`],
  ];
}

// The inverse relation of a problem, in the page's words with real umlauts: "Je mehr Kühe,
// desto kürzer reicht das Heu".
export function relation({ kind, first, second, words }) {
  const more = second > first;
  const { many, stock, lasts } = words.spelled;
  const then = kind === "work"
    ? `desto ${more ? "weniger" : "mehr"} Zeit brauchen sie`
    : `desto ${more ? "kürzer" : "länger"} ${lasts} ${stock}`;
  return `Je ${more ? "mehr" : "weniger"} ${many}, ${then}`;
}

// Why the working goes that way: "Je mehr Kühe, desto kürzer reicht das Heu: erst für 1 Kuh,
// dann für 8 Kühe."
export function reasoning(problem) {
  const { one, many } = problem.words.spelled;
  return `${relation(problem)}: erst für 1 ${one}, dann für ${problem.second} ${many}.`;
}

// The problem as it is read aloud: the statement's content in correct German, with umlauts and
// "Wie viele", for a voice that would stumble over the program's spelling.
export function spokenProblem({ kind, first, second, given, words }) {
  const { spelled, unit, working } = words;
  if (kind === "work") {
    return `Eine Gruppe von ${first} ${spelled.groupDative} schafft die vorgegebene Arbeit ` +
      `durchschnittlich in ${given} ${unit}. Wie viele ${working.unit} braucht dann eine ` +
      `Gruppe von ${second} ${spelled.groupDative}?`;
  }
  return `${first} ${spelled.many} kommen mit ${spelled.stockDative} ${given} ${unit} aus. ` +
    `Wie viele ${unit} ${spelled.lasts} ${spelled.stock} für ${second} ${spelled.many}?`;
}
