// The three models of a mixed round in the page's words: the statement, the working, the choice
// of the model, the relation, the tutor's sentences and hints, from the program's records, for
// every scenario and model in both directions (more and fewer).
import assert from "node:assert";
import { test } from "node:test";
import { answerWithUnit, modelChoices, modelSentence, reasoning, statement, workingLines }
  from "../../web/shared/problem_text.js";
import { hints, mistakeOf, mistakeSentence } from "../../web/trainer/tutor.js";
import { drawn, problem } from "./records.mjs";

// A table of sentences: each row a problem (kind, scenario, first, second, factor, model) and
// what the page says of it.
const SENTENCES = [
  [["supply", 2, 7, 3, 6, "direct"], {
    statement: ["7 Kühe fressen in einer Woche 42 Ballen Heu.",
                "Wie viele Ballen Heu fressen 3 Kühe in derselben Zeit?"],
    working: ["7 Kühe → 42 Ballen Heu", "1 Kuh → 42 : 7 = 6 Ballen Heu",
              "3 Kühe → 6 · 3 = 18 Ballen Heu"],
    reasoning: "Je weniger Kühe, desto weniger Ballen Heu fressen sie: erst für 1 Kuh, dann " +
      "für 3 Kühe.",
    holds: "Hier gilt: je mehr Kühe, desto mehr Ballen Heu fressen sie.",
    choices: ["Je mehr Kühe, desto mehr Ballen Heu fressen sie",
              "Je mehr Kühe, desto weniger Ballen Heu fressen sie",
              "Das hängt nicht von der Anzahl der Kühe ab"] }],
  [["work", 0, 4, 6, 5, "direct"], {
    statement: ["4 Reinigungskräfte putzen an einem Vormittag 20 Räume.",
                "Wie viele Räume putzen 6 Reinigungskräfte in derselben Zeit?"],
    working: ["4 Reinigungskräfte → 20 Räume", "1 Reinigungskraft → 20 : 4 = 5 Räume",
              "6 Reinigungskräfte → 5 · 6 = 30 Räume"],
    reasoning: "Je mehr Reinigungskräfte, desto mehr Räume putzen sie: erst für 1 " +
      "Reinigungskraft, dann für 6 Reinigungskräfte.",
    holds: "Hier gilt: je mehr Reinigungskräfte, desto mehr Räume putzen sie." }],
  [["supply", 5, 12, 8, 5, "direct"], {
    statement: ["12 Autos brauchen beim Ölwechsel 60 Liter Motoröl.",
                "Wie viele Liter Motoröl brauchen 8 Autos beim Ölwechsel?"] }],
  [["work", 3, 6, 8, 90, "constant"], {
    statement: ["6 Schüler schauen einen Film, der 90 Minuten dauert.",
                "Wie viele Minuten dauert der Film, wenn 8 Schüler ihn schauen?"],
    working: ["6 Schüler → 90 Minuten", "8 Schüler → 90 Minuten"],
    reasoning: "Das hängt nicht von der Anzahl der Schüler ab: Für 8 Schüler sind es genauso " +
      "90 Minuten wie für 6.",
    holds: "Hier gilt: Das hängt nicht von der Anzahl der Schüler ab.",
    choices: ["Je mehr Schüler, desto länger dauert der Film",
              "Je mehr Schüler, desto kürzer dauert der Film",
              "Das hängt nicht von der Anzahl der Schüler ab"] }],
  [["work", 2, 9, 4, 3, "constant"], {
    statement: ["Der Förderkorb bringt 9 Bergmänner in einer Fahrt unter Tage. Die Fahrt dauert " +
                  "3 Minuten.",
                "Wie viele Minuten dauert die Fahrt, wenn der Förderkorb 4 Bergmänner bringt?"] }],
  [["supply", 3, 4, 10, 5, "constant"], {
    statement: ["4 Glühbirnen hängen an einer Zeitschaltuhr, die das Licht nach 5 Stunden " +
                  "ausschaltet.",
                "Nach wie vielen Stunden schaltet die Uhr das Licht aus, wenn 10 Glühbirnen " +
                  "daran hängen?"],
    choices: ["Je mehr Glühbirnen, desto später schaltet die Uhr das Licht aus",
              "Je mehr Glühbirnen, desto früher schaltet die Uhr das Licht aus",
              "Das hängt nicht von der Anzahl der Glühbirnen ab"] }],
  [["supply", 2, 4, 8, 3, "inverse"], {
    reasoning: "Je mehr Kühe, desto kürzer reicht das Heu: erst für 1 Kuh, dann für 8 Kühe.",
    holds: "Hier gilt: je mehr Kühe, desto kürzer reicht das Heu.",
    choices: ["Je mehr Kühe, desto länger reicht das Heu",
              "Je mehr Kühe, desto kürzer reicht das Heu",
              "Das hängt nicht von der Anzahl der Kühe ab"] }],
  [["work", 5, 7, 5, 10, "inverse"], {
    holds: "Hier gilt: je mehr Straßenarbeiter, desto weniger Zeit brauchen sie.",
    choices: ["Je mehr Straßenarbeiter, desto mehr Zeit brauchen sie",
              "Je mehr Straßenarbeiter, desto weniger Zeit brauchen sie",
              "Das hängt nicht von der Anzahl der Straßenarbeiter ab"] }],
];

for (const [numbers, said] of SENTENCES) {
  test(`the words of ${numbers.join(" ")}`, () => {
    const made = problem(...numbers);
    const shown = {
      statement: statement(made),
      working: workingLines(made).map((line) => line.join(" → ")),
      reasoning: reasoning(made),
      holds: modelSentence(made),
      choices: modelChoices(made).map(({ label }) => label),
    };
    for (const [what, expected] of Object.entries(said)) {
      assert.deepStrictEqual(shown[what], expected, what);
    }
    // The choices name the three models, the right one among them.
    assert.deepStrictEqual(modelChoices(made).map(({ model }) => model),
                           ["direct", "inverse", "constant"]);
  });
}

// Each row a problem and typed numbers by the strategy they follow.
const STRATEGIES = [
  // 7 cows eat 42 bales a week; 3 eat 18. The inverse model: 42 · 7 : 3 = 98.
  [["supply", 2, 7, 3, 6, "direct"], { inverse: [98], firstStep: [6], additive: [38, 46],
                                       unchanged: [42], slip: [19, 81], none: [100, 3] }],
  // 4 cleaners do 20 rooms; 6 do 30. Inverse: 20 · 4 : 6 = 13.33.
  [["work", 0, 4, 6, 5, "direct"], { inverse: [13.3333333, 13, 13.3], firstStep: [5],
                                     additive: [22, 18], unchanged: [20], slip: [32],
                                     none: [60, 1] }],
  // A film of 90 minutes for 6 pupils, asked for 8: the proportional models give 120 and 67.5.
  [["work", 3, 6, 8, 90, "constant"], { proportional: [120, 67.5, 68], additive: [92, 88],
                                        slip: [91], none: [45, 180] }],
];

for (const [numbers, byStrategy] of STRATEGIES) {
  test(`the strategies of typed numbers for ${numbers.join(" ")}`, () => {
    const made = problem(...numbers);
    for (const [strategy, typed] of Object.entries(byStrategy)) {
      for (const erg of typed) {
        const mistake = mistakeOf(made, Math.fround(erg));
        assert.strictEqual(mistake, strategy === "none" ? null : strategy, `${erg}`);
        if (mistake) assert.match(mistakeSentence(made, erg, mistake), /^\p{Lu}[^{}]+[.!]$/u);
      }
    }
    assert.strictEqual(mistakeOf(made, made.answer), null);
  });
}

test("the tutor's sentences on the new models", () => {
  const cows = problem("supply", 2, 7, 3, 6, "direct");
  assert.strictEqual(mistakeSentence(cows, 98, "inverse"), "Du hast gerechnet, als ob 3 Kühe " +
    "mehr Ballen Heu fressen als 7. Weniger Kühe fressen in derselben Zeit weniger.");
  assert.strictEqual(mistakeSentence(cows, 6, "firstStep"), "Du hast beim Wert für 1 Kuh " +
    "aufgehört: 42 : 7 = 6 Ballen Heu. Gesucht ist aber, wie viel 3 Kühe fressen: Rechne noch " +
    "mal 3.");
  const film = problem("work", 3, 6, 8, 90, "constant");
  assert.strictEqual(mistakeSentence(film, 120, "proportional"), "Du hast gerechnet, als ob die " +
    "Dauer von der Anzahl der Schüler abhinge. Aber für 8 Schüler sind es genauso 90 Minuten " +
    "wie für 6.");
  assert.deepStrictEqual(hints(cows), [
    "Je weniger Kühe, desto weniger Ballen Heu fressen sie.",
    "Für 1 Kuh ist es der 7. Teil: 42 : 7 = 6 Ballen Heu.",
    "Für 3 Kühe nimmst du das 3-mal: 6 · 3 = ?",
  ]);
  assert.deepStrictEqual(hints(film), [
    "Frag dich: Ändert sich die Dauer, wenn mehr oder weniger Schüler dabei sind?",
    "Das hängt nicht von der Anzahl der Schüler ab.",
  ]);
});

test("every drawn problem of a mixed round, in every scenario and model, is worded in full",
     () => {
  const reached = new Set();
  for (const options of [{ mixed: true }, { mixed: true, byHand: true }]) {
    for (const made of drawn(20261210, 3000, options)) {
      reached.add(`${made.kind} ${made.scenario} ${made.model}`);
      assert.ok(Number.isInteger(made.answer) && made.answer > 0);
      const words = [...statement(made), reasoning(made), modelSentence(made), ...hints(made),
                     ...modelChoices(made).map(({ label }) => label),
                     ...workingLines(made).flat()];
      for (const text of words) {
        assert.doesNotMatch(text, /undefined|null|NaN|[{}]|ae|oe|Kuehe|Schueler|Kruemel|Gluehbirn|Strass|Suess/, text);
      }
      assert.doesNotMatch(statement(made).join(" "), / \?/);
      assert.match(statement(made)[1], /\?$/);
      assert.strictEqual(workingLines(made).at(-1)[1].split(" = ").at(-1), answerWithUnit(made));
      // None of the tutor's sentences is left unbuilt for a strategy that fits.
      for (const erg of [made.given, made.given + 1, made.answer + 1, made.first * made.given]) {
        const mistake = mistakeOf(made, erg);
        if (mistake) assert.ok(mistakeSentence(made, erg, mistake), `${mistake} ${erg}`);
      }
    }
  }
  assert.strictEqual(reached.size, 2 * 6 * 3);
});
