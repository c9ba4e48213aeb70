// A problem in the pages' words, correct German, from the program's record of it
// (src/session/records_json.hpp: its model, numbers and the words of its scenario). Every page
// words a problem here and nowhere else: the trainer's dialogue, its working, tutor and choice
// of the model, reading aloud, and the worksheets with their keys.

// A constant problem's sentence with its numbers in their places.
const filled = (template, { first, second, given }) => template
  .replace("{first}", first).replace("{given}", given).replace("{second}", second);

// The statement: the given sentence and the question.
//   inverse: "Eine Gruppe von 4 Reinigungskräften schafft die vorgegebene Arbeit
//     durchschnittlich in 77 Stunden." "Wie viele Stunden braucht dann eine Gruppe von 11
//     Reinigungskräften?"; "12 Autos kommen mit vorrätigem Motoröl 24 Monate aus." "Wie viele
//     Monate reicht das Motoröl für 8 Autos?"
//   direct: "7 Kühe fressen in einer Woche 42 Ballen Heu." "Wie viele Ballen Heu fressen 3 Kühe
//     in derselben Zeit?"
//   constant: the scenario's own two sentences.
export function statement(problem) {
  const { kind, model, first, second, given, words } = problem;
  if (model === "direct") {
    const { verb, when, again, amount } = words.direct;
    return [`${first} ${words.many} ${verb} ${when} ${given} ${amount}.`,
            `Wie viele ${amount} ${verb} ${second} ${words.many} ${again}?`];
  }
  if (model === "constant") {
    return [filled(words.constant.given, problem), filled(words.constant.question, problem)];
  }
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

// What the answer counts: the time, what is achieved or used up, or the constant's duration.
export function unitOf({ model, words }) {
  return model === "direct" ? words.direct.amount
    : model === "constant" ? words.constant.unit : words.unit;
}

// The answer with its unit, as the key names it: "28 Monate".
export const answerWithUnit = (problem) => `${problem.answer} ${unitOf(problem)}`;

// The working as German classes set it out, each line as its two sides. Inverse: the given
// pair, one member's time, then the asked group's time; direct: the given pair, one member's
// share, then the asked group's; constant: the same duration for both groups.
//   7 Kühe → 12 Monate           7 Kühe → 42 Ballen Heu             6 Schüler → 90 Minuten
//   1 Kuh  → 7 · 12 = 84 Monate  1 Kuh  → 42 : 7 = 6 Ballen Heu     8 Schüler → 90 Minuten
//   3 Kühe → 84 : 3 = 28 Monate  3 Kühe → 6 · 3 = 18 Ballen Heu
export function workingLines(problem) {
  const { model, first, second, given, answer, words } = problem;
  const { one, many } = words;
  const unit = unitOf(problem);
  if (model === "constant") {
    return [[`${first} ${many}`, `${given} ${unit}`], [`${second} ${many}`, `${answer} ${unit}`]];
  }
  if (model === "direct") {
    const share = given / first;
    return [
      [`${first} ${many}`, `${given} ${unit}`],
      [`1 ${one}`, `${given} : ${first} = ${share} ${unit}`],
      [`${second} ${many}`, `${share} · ${second} = ${answer} ${unit}`],
    ];
  }
  const alone = first * given; // one member alone needs the group's size times as long
  return [
    [`${first} ${many}`, `${given} ${unit}`],
    [`1 ${one}`, `${first} · ${given} = ${alone} ${unit}`],
    [`${second} ${many}`, `${alone} : ${second} = ${alone / second} ${unit}`],
  ];
}

// How the asked quantity is said after "desto", growing and shrinking: "länger reicht das Heu",
// "mehr Ballen Heu fressen sie", "länger dauert der Film".
export function comparatives({ kind, model, words }) {
  if (model === "direct") {
    const { verb, amount } = words.direct;
    return [`mehr ${amount} ${verb} sie`, `weniger ${amount} ${verb} sie`];
  }
  if (model === "constant") {
    return [words.constant.longer, words.constant.shorter];
  }
  return kind === "work" ? ["mehr Zeit brauchen sie", "weniger Zeit brauchen sie"]
    : [`länger ${words.lasts} ${words.stock}`, `kürzer ${words.lasts} ${words.stock}`];
}

// Which way each model makes the asked quantity go when the group grows.
const GROWS = { direct: 0, inverse: 1 };

// The relation of a problem in the direction of its numbers: "Je mehr Kühe, desto kürzer
// reicht das Heu", "Je weniger Kühe, desto weniger Ballen Heu fressen sie", "Das hängt nicht
// von der Anzahl der Schüler ab".
export function relation(problem) {
  const { model, first, second, words } = problem;
  if (model === "constant") {
    return `Das hängt nicht von der Anzahl der ${words.many} ab`;
  }
  const more = second > first;
  const [grows, shrinks] = comparatives(problem);
  const then = (GROWS[model] === 0) === more ? grows : shrinks;
  return `Je ${more ? "mehr" : "weniger"} ${words.many}, desto ${then}`;
}

// Why the working goes that way: "Je mehr Kühe, desto kürzer reicht das Heu: erst für 1 Kuh,
// dann für 8 Kühe." For a constant problem: "Das hängt nicht von der Anzahl der Schüler ab: Für
// 8 Schüler sind es genauso 90 Minuten wie für 6."
export function reasoning(problem) {
  const { model, first, second, given, words } = problem;
  if (model === "constant") {
    return `${relation(problem)}: Für ${second} ${words.many} sind es genauso ${given} ` +
      `${unitOf(problem)} wie für ${first}.`;
  }
  return `${relation(problem)}: erst für 1 ${words.one}, dann für ${second} ${words.many}.`;
}

// The three choices of a model, in the problem's own words, each with the model it names:
// the asked quantity growing with the group, shrinking, or not depending on it.
export function modelChoices(problem) {
  const [grows, shrinks] = comparatives(problem);
  const { many } = problem.words;
  return [
    { model: "direct", label: `Je mehr ${many}, desto ${grows}` },
    { model: "inverse", label: `Je mehr ${many}, desto ${shrinks}` },
    { model: "constant", label: `Das hängt nicht von der Anzahl der ${many} ab` },
  ];
}

// The model that holds, to go on after a colon: "je mehr Kühe, desto mehr Ballen Heu fressen
// sie"; "Das hängt …" is a sentence of its own.
export function modelRule(problem) {
  const holds = modelChoices(problem).find(({ model }) => model === problem.model).label;
  return problem.model === "constant" ? holds : holds.replace(/^Je/, "je");
}

// The model that holds, said after a wrong choice: "Hier gilt: je mehr Kühe, desto mehr Ballen
// Heu fressen sie."
export const modelSentence = (problem) => `Hier gilt: ${modelRule(problem)}.`;
