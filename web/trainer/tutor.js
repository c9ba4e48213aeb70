// The tutor: which typical strategy a wrong answer follows, a sentence on it in this problem's
// words, and hints before answering, in three steps that stop short of the result. Learners of
// inverse proportion mostly apply the direct model ("more of them, more time") or an additive
// one; naming that mistake helps more than the same working for every wrong answer.

import { relation } from "../shared/problem_text.js";

// The strategies, in the order they are named where two give the same number.
export const MISTAKES = ["direct", "firstStep", "additive", "unchanged", "slip"];

// The program compares in single precision (src/session/practice_session.cpp), and the typed
// number reaches the page as that float: so does every comparison here.
const same = (a, b) => Math.fround(a) === Math.fround(b);

// Inclusive, and a float's error does not push 4.4 out for the answer 4.
const within10Percent = (erg, answer) => Math.abs(erg - answer) <= answer * 0.1 * (1 + 1e-6);

// The answer with two of its digits swapped, leading zeros left out: 126 → 216, 162, 621.
function swappedDigits(answer) {
  const digits = [...String(answer)];
  const swapped = [];
  for (let i = 0; i < digits.length; ++i) {
    for (let j = i + 1; j < digits.length; ++j) {
      const other = [...digits];
      [other[i], other[j]] = [other[j], other[i]];
      if (other[i] !== digits[i] && other[0] !== "0") {
        swapped.push(Number(other.join("")));
      }
    }
  }
  return swapped;
}

// The typed number's strategy for a problem: one of MISTAKES, or null for a right answer or
// one that matches none. first a, given g, second b; the answer is a·g/b.
export function mistakeOf({ first: a, second: b, given: g, answer }, erg) {
  const is = (value) => same(value, erg);
  if (is(answer)) {
    return null;
  }
  const direct = (g * b) / a;
  if (is(direct) || is(Math.round(direct)) || is(Math.round(direct * 10) / 10)) {
    return "direct";
  }
  if (is(a * g)) {
    return "firstStep";
  }
  if ([g - (b - a), g + (b - a)].some((value) => value > 0 && is(value))) {
    return "additive";
  }
  if (is(g)) {
    return "unchanged";
  }
  if (within10Percent(erg, answer) || swappedDigits(answer).some(is)) {
    return "slip";
  }
  return null;
}

// What the learner did and why it does not fit, for a mistake of mistakeOf.
export function mistakeSentence(problem, erg, mistake) {
  const { kind, first: a, second: b, given: g, answer, words } = problem;
  const { one, many, stock, lasts, unit } = words;
  const more = b > a;
  const work = kind === "work";
  switch (mistake) {
  case "direct": {
    if (work) {
      return `Du hast gerechnet, als ob ${b} ${many} ${more ? "mehr" : "weniger"} Zeit für die ` +
        `Arbeit bräuchten als ${a}. ${more ? "Mehr" : "Weniger"} ${many} schaffen sie ` +
        `${more ? "schneller" : "langsamer"}.`;
    }
    const [verb, particle] = words.usesUp;
    const consume = [`${more ? "Mehr" : "Weniger"} ${many}`, verb,
                     more ? "schneller" : "langsamer", particle].filter(Boolean).join(" ");
    return `Du hast gerechnet, als ob ${b} ${many} ${more ? "länger" : "kürzer"} mit ` +
      `${words.stockDative} auskämen als ${a}. ${consume}.`;
  }
  case "firstStep": {
    const alone = work ? `So lange bräuchte 1 ${one} allein`
                       : `So lange ${lasts} ${stock} für 1 ${one}`;
    return `Du hast beim Wert für 1 ${one} aufgehört: ${alone} (${a} · ${g} = ${a * g} ` +
      `${unit}). Gefragt ist aber die Zeit für ${b} ${many}, also teile noch durch ${b}.`;
  }
  case "additive": {
    const added = erg > g;
    return `Du hast so viel ${added ? "dazugezählt" : "abgezogen"}, wie ${many} ` +
      `${more ? "dazukommen" : "wegfallen"}: ${g} ${added ? "+" : "−"} ${Math.abs(b - a)} = ` +
      `${erg}. Die Zeit ändert sich aber nicht um dieselbe Zahl, sondern im umgekehrten ` +
      `Verhältnis: doppelt so viele ${many}, halb so viel Zeit.`;
  }
  case "unchanged": {
    const then = work ? `${b} ${many} brauchen ${more ? "weniger" : "mehr"} Zeit`
                      : `für ${b} ${many} ${lasts} ${stock} ${more ? "kürzer" : "länger"}`;
    return `Du hast die Zeit aus der Aufgabe übernommen. Aber die ${g} ${unit} gelten für ` +
      `${a} ${many}; ${then}.`;
  }
  case "slip":
    if (!within10Percent(erg, answer)) {
      return `Der Weg stimmt wohl, aber zwei Ziffern sind vertauscht: ${erg} statt ${answer}.`;
    }
    return "Dein Ergebnis liegt nah am richtigen: Der Weg stimmt wohl, aber du hast dich " +
      `verrechnet. Prüfe ${a} · ${g} und das Teilen durch ${b}.`;
  default:
    return null;
  }
}

// The hints for a problem, one per tap: the relation, the value for one with this problem's
// numbers, then the division with its numbers but not its result.
export function hints(problem) {
  const { kind, first: a, second: b, given: g, words } = problem;
  const { one, many, stock, lasts, unit } = words;
  const alone = a * g;
  return [
    `${relation(problem)}.`,
    kind === "work"
      ? `1 ${one} allein braucht ${a}-mal so lange wie ${a} ${many}: ` +
        `${a} · ${g} = ${alone} ${unit}.`
      : `Für 1 ${one} ${lasts} ${stock} ${a}-mal so lange wie für ${a} ${many}: ` +
        `${a} · ${g} = ${alone} ${unit}.`,
    kind === "work"
      ? `${b} ${many} teilen sich die Arbeit: ${alone} : ${b} = ?`
      : `Für ${b} ${many} teilst du durch ${b}: ${alone} : ${b} = ?`,
  ];
}

// A mistake as the round's review names it, and the advice for the most frequent one.
export const MISTAKE_NAMES = {
  direct: "gerechnet wie beim geraden Dreisatz (mehr braucht mehr Zeit)",
  firstStep: "beim Wert für 1 aufgehört",
  additive: "den Unterschied dazugezählt oder abgezogen",
  unchanged: "die Zeit aus der Aufgabe übernommen",
  slip: "richtig angesetzt, aber verrechnet",
};

export const ADVICE = {
  direct: "Frag dich vor dem Rechnen: Wird die Zeit länger oder kürzer, wenn es mehr werden? " +
    "Bei diesen Aufgaben gilt: Je mehr, desto weniger Zeit.",
  firstStep: "Denk an den zweiten Schritt: Nach dem Wert für 1 teilst du noch durch die neue " +
    "Anzahl.",
  additive: "Zähl nicht den Unterschied dazu oder ab: Rechne über den Wert für 1, erst mal, " +
    "dann geteilt.",
  unchanged: "Die Zeit aus der Aufgabe gilt nur für die erste Gruppe: Rechne sie immer auf die " +
    "neue Anzahl um.",
  slip: "Dein Weg stimmt: Rechne in Ruhe und prüfe das Ergebnis mit einem Überschlag.",
};
