// The working of a wrongly answered problem, in the dialogue right after its feedback: a
// sentence of the page's own on why, then the program's three lines (Module.offerWorking). It
// stays with its problem in the transcript.

import { appendToTranscript } from "./transcript.js";

// The page's own words, with real umlauts; the lines keep the program's spelling.
const WORK = [
  ["Reinigungskraft", "Reinigungskräfte"], ["Richterin", "Richterinnen"],
  ["Bergmann", "Bergmänner"], ["Schüler", "Schüler"], ["Ameise", "Ameisen"],
  ["Straßenarbeiter", "Straßenarbeiter"],
];
const SUPPLY = [
  ["Expeditionsmitglied", "Expeditionsmitglieder", "reichen die Lebensmittelvorräte"],
  ["Festivalbesucher", "Festivalbesucher", "reichen die eingelagerten Getränke"],
  ["Kuh", "Kühe", "reicht das Heu"],
  ["Glühbirne", "Glühbirnen", "reicht der Strom aus der Solarbatterie"],
  ["Kind", "Kinder", "reichen die Süßigkeiten"],
  ["Auto", "Autos", "reicht das Motoröl"],
];

// "Je mehr Kühe, desto kürzer reicht das Heu: erst für 1 Kuh, dann für 8 Kühe."
export function reasoning({ kind, scenario, first, second }) {
  const more = second > first;
  const [one, many, stock] = (kind === "work" ? WORK : SUPPLY)[scenario];
  const then = kind === "work"
    ? `desto ${more ? "weniger" : "mehr"} Zeit brauchen sie`
    : `desto ${more ? "kürzer" : "länger"} ${stock}`;
  return `Je ${more ? "mehr" : "weniger"} ${many}, ${then}: erst für 1 ${one}, ` +
    `dann für ${second} ${many}.`;
}

export function offerWorking(working) {
  const block = document.createElement("div");
  block.className = "working";
  const why = document.createElement("p");
  why.textContent = reasoning(working);
  const lines = document.createElement("ol");
  lines.setAttribute("aria-label", "Lösungsweg");
  lines.append(...working.lines.trimEnd().split("\n").map((line) => {
    const item = document.createElement("li");
    item.textContent = line.replace(" -> ", " → ").replace(" * ", " · ");
    return item;
  }));
  block.append(why, lines);
  appendToTranscript(block);
  return block;
}
