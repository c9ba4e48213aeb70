// The tutor: which typical strategy a wrong answer follows, a sentence on it in this problem's
// words, and hints before answering, in steps that stop short of the result. Learners of
// inverse proportion mostly apply the direct model ("more of them, more time") or an additive
// one; on a direct problem they apply the inverse model they have just practised, and on one
// that does not depend on the group a proportional one. Naming that mistake helps more than the
// same working for every wrong answer.

import { relation, unitOf } from "../shared/problem_text.js";

// The strategies, in the order they are named where two give the same number: the direct model
// on an inverse problem, the inverse model on a direct one, a proportional one on a constant
// one, then the rest.
export const MISTAKES = ["direct", "inverse", "proportional", "firstStep", "additive", "unchanged",
                         "slip"];

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

// A number typed as a model gives it: exact, or rounded to a whole number or a tenth.
const roughly = (is, value) =>
  is(value) || is(Math.round(value)) || is(Math.round(value * 10) / 10);

// The typed number's strategy for a problem: one of MISTAKES, or null for a right answer or
// one that matches none. first a, given g, second b; the answer is a·g/b for an inverse
// problem, g·b/a for a direct one and g for a constant one.
export function mistakeOf({ model = "inverse", first: a, second: b, given: g, answer }, erg) {
  const is = (value) => same(value, erg);
  if (is(answer)) {
    return null;
  }
  if (model === "constant") {
    if (roughly(is, (g * b) / a) || roughly(is, (g * a) / b)) {
      return "proportional";
    }
  } else if (roughly(is, model === "direct" ? (g * a) / b : (g * b) / a)) {
    return model === "direct" ? "inverse" : "direct";
  }
  if (model !== "constant" && is(model === "direct" ? g / a : a * g)) {
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

// On an inverse problem.
function inverseSentence(problem, erg, mistake) {
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

// On an inverse problem: the relation, the value for one with this problem's numbers, then the
// division with its numbers but not its result.
function inverseHints(problem) {
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

// On a direct problem, where the group achieves or uses up more the bigger it is.
function directSentence(problem, erg, mistake) {
  const { first: a, second: b, given: g, answer, words } = problem;
  const { one, many } = words;
  const { verb, again, amount } = words.direct;
  const more = b > a;
  switch (mistake) {
  case "inverse":
    return `Du hast gerechnet, als ob ${b} ${many} ${more ? "weniger" : "mehr"} ${amount} ` +
      `${verb} als ${a}. ${more ? "Mehr" : "Weniger"} ${many} ${verb} ${again} ` +
      `${more ? "mehr" : "weniger"}.`;
  case "firstStep":
    return `Du hast beim Wert für 1 ${one} aufgehört: ${g} : ${a} = ${g / a} ${amount}. ` +
      `Gesucht ist aber, wie viel ${b} ${many} ${verb}: Rechne noch mal ${b}.`;
  case "additive": {
    const added = erg > g;
    return `Du hast so viel ${added ? "dazugezählt" : "abgezogen"}, wie ${many} ` +
      `${more ? "dazukommen" : "wegfallen"}: ${g} ${added ? "+" : "−"} ${Math.abs(b - a)} = ` +
      `${erg}. Die Menge ändert sich aber nicht um dieselbe Zahl, sondern im selben ` +
      `Verhältnis: doppelt so viele ${many}, doppelt so viel.`;
  }
  case "unchanged":
    return `Du hast die Zahl aus der Aufgabe übernommen. Aber die ${g} ${amount} gelten für ` +
      `${a} ${many}; ${b} ${many} ${verb} ${more ? "mehr" : "weniger"}.`;
  case "slip":
    if (!within10Percent(erg, answer)) {
      return `Der Weg stimmt wohl, aber zwei Ziffern sind vertauscht: ${erg} statt ${answer}.`;
    }
    return "Dein Ergebnis liegt nah am richtigen: Der Weg stimmt wohl, aber du hast dich " +
      `verrechnet. Prüfe ${g} : ${a} und das Malnehmen mit ${b}.`;
  default:
    return null;
  }
}

// On a constant problem, where the asked duration does not depend on the group.
function constantSentence(problem, erg, mistake) {
  const { first: a, second: b, given: g, words } = problem;
  const unit = unitOf(problem);
  const same = `${b} ${words.many} sind es genauso ${g} ${unit} wie für ${a}.`;
  switch (mistake) {
  case "proportional":
    return "Du hast gerechnet, als ob die Dauer von der Anzahl der " +
      `${words.many} abhinge. Aber für ${same}`;
  case "additive": {
    const added = erg > g;
    return `Du hast so viel ${added ? "dazugezählt" : "abgezogen"}, wie ${words.many} ` +
      `${b > a ? "dazukommen" : "wegfallen"}. Aber für ${same}`;
  }
  case "slip":
    return `Knapp daneben: Für ${same}`;
  default:
    return null;
  }
}

// What the learner did and why it does not fit, for a mistake of mistakeOf.
export function mistakeSentence(problem, erg, mistake) {
  const sentence = { direct: directSentence, constant: constantSentence }[problem.model] ??
    inverseSentence;
  return sentence(problem, erg, mistake);
}

// The hints for a problem, one per tap, none with the result.
export function hints(problem) {
  const { model, first: a, second: b, given: g, words } = problem;
  if (model === "direct") {
    const { amount } = words.direct;
    return [
      `${relation(problem)}.`,
      `Für 1 ${words.one} ist es der ${a}. Teil: ${g} : ${a} = ${g / a} ${amount}.`,
      `Für ${b} ${words.many} nimmst du das ${b}-mal: ${g / a} · ${b} = ?`,
    ];
  }
  if (model === "constant") {
    return [
      `Frag dich: Ändert sich die Dauer, wenn mehr oder weniger ${words.many} dabei sind?`,
      `${relation(problem)}.`,
    ];
  }
  return inverseHints(problem);
}

// A mistake as the round's review names it, and the advice for the most frequent one.
export const MISTAKE_NAMES = {
  direct: "gerechnet wie beim geraden Dreisatz (mehr braucht mehr Zeit)",
  inverse: "umgekehrt gerechnet, wo mehr auch mehr schaffen",
  proportional: "mit der Anzahl gerechnet, wo sie nichts ändert",
  firstStep: "beim Wert für 1 aufgehört",
  additive: "den Unterschied dazugezählt oder abgezogen",
  unchanged: "die Zeit aus der Aufgabe übernommen",
  slip: "richtig angesetzt, aber verrechnet",
};

export const ADVICE = {
  direct: "Frag dich vor dem Rechnen: Wird die Zeit länger oder kürzer, wenn es mehr werden? " +
    "Wenn mehr die Arbeit teilen, gilt: Je mehr, desto weniger Zeit.",
  inverse: "Frag dich vor dem Rechnen, was gefragt ist: Schaffen mehr in derselben Zeit mehr, " +
    "dann gilt: Je mehr, desto mehr.",
  proportional: "Prüfe vor dem Rechnen, ob die gefragte Dauer überhaupt von der Anzahl abhängt: " +
    "Ein Film wird nicht länger, wenn mehr zuschauen.",
  firstStep: "Denk an den zweiten Schritt: Nach dem Wert für 1 teilst du noch durch die neue " +
    "Anzahl.",
  additive: "Zähl nicht den Unterschied dazu oder ab: Rechne über den Wert für 1, erst mal, " +
    "dann geteilt.",
  unchanged: "Die Zeit aus der Aufgabe gilt nur für die erste Gruppe: Rechne sie immer auf die " +
    "neue Anzahl um.",
  slip: "Dein Weg stimmt: Rechne in Ruhe und prüfe das Ergebnis mit einem Überschlag.",
};
