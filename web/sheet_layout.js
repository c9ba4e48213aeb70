// The worksheet as the pages it prints on: each page an element of A4's size, so that the
// screen shows exactly what each printed page holds. No engine repeats anything on every
// printed page by itself (WebKit repeats no table head), so each page carries its own head and
// foot. How many problems and solutions a page takes is fixed, with room to spare for the
// longest the generator words; arbeitsblatt.css gives them their sizes.

import { qrCode } from "./trainer_qr.js";

const FIRST_PAGE_PROBLEMS = 8; // after the name lines, the heading and the instruction
const PAGE_PROBLEMS = 9;
const PAGE_SOLUTIONS = 24; // two columns of 12

function element(name, className, text) {
  const made = document.createElement(name);
  if (className) made.className = className;
  if (text !== undefined) made.textContent = text;
  return made;
}

// The items in runs: the first of first items, every other of size items.
function runs(items, first, size) {
  const made = [items.slice(0, first)];
  for (let at = first; at < items.length; at += size) made.push(items.slice(at, at + size));
  return made;
}

const joined = (...parts) => parts.filter((part) => part !== "").join(" · ");

function page(kind, head) {
  const made = element("section", `page ${kind}`);
  made.append(element("p", "page-head", head));
  return made;
}

// "3 Kuehe -> 84 : 3 = 28 Monate" as its two sides, with the signs typeset.
function workingLine(line) {
  return line.replace(" * ", " · ").split(" -> ");
}

// The problem on the left; on the right room for the working, and the line for the answer.
function problemItem(problem, number) {
  const task = element("div", "task");
  task.append(element("h3", "", `Aufgabe ${number}`));
  for (const sentence of problem.sentences) task.append(element("p", "", sentence));
  const answer = element("p", "answer", "Antwort: ");
  answer.append(element("span", "blank"));
  const work = element("div", "work");
  work.append(element("div", "room"), answer);
  const item = element("li", "problem");
  item.append(task, work);
  return item;
}

function solutionItem(problem, number) {
  const item = element("li", "solution");
  item.append(element("h3", "", `Aufgabe ${number}: ${problem.answer}`));
  const working = element("p", "working");
  for (const line of problem.lines) {
    const [group, time] = workingLine(line);
    working.append(element("span", "", group), element("span", "arrow", "→"),
                   element("span", "", time), element("br"));
  }
  item.append(working);
  return item;
}

// A numbered list that starts at the number of its first item.
function list(className, items, first, made) {
  const ordered = element("ol", className);
  if (first > 1) ordered.start = first;
  items.forEach((item, index) => ordered.append(made(item, first + index)));
  return ordered;
}

function pupilPages(sheet, group) {
  return runs(group.problems, FIRST_PAGE_PROBLEMS, PAGE_PROBLEMS).map((problems, index) => {
    const made = page("pupil-page", joined(sheet.label, group.name));
    const body = element("div", "page-body");
    if (index === 0) {
      const pupil = element("p", "pupil");
      for (const field of ["Name", "Klasse", "Datum"]) {
        pupil.append(element("span", "field", `${field}: `));
        pupil.lastChild.append(element("span", "blank"));
      }
      body.append(pupil, element("h2", "", "Umgekehrter Dreisatz"), element("p", "instruction",
        "Rechne jede Aufgabe mit dem Dreisatz und schreibe die Antwort mit ihrer Einheit auf."));
    }
    const first = 1 + (index && FIRST_PAGE_PROBLEMS + (index - 1) * PAGE_PROBLEMS);
    body.append(list("problems", problems, first, problemItem));
    // The way to the trainer, for a pupil who types it or holds a phone over it.
    const trainer = element("div", "trainer");
    const text = element("p", "", "Üben mit dem Dreisatz-Trainer: ");
    text.append(element("span", "trainer-address", sheet.trainer));
    trainer.append(text, qrCode(sheet.trainer));
    made.append(body, trainer);
    return made;
  });
}

function keyPages(sheet, group) {
  const code = sheet.code ? `Code: ${sheet.code}` : "";
  return runs(group.problems, PAGE_SOLUTIONS, PAGE_SOLUTIONS).map((solutions, index) => {
    const made = page("key-page", joined(sheet.label, group.name, code));
    const body = element("div", "page-body");
    if (index === 0) body.append(element("h2", "", joined("Lösungen", group.name)));
    const key = list("solutions", solutions, 1 + index * PAGE_SOLUTIONS, solutionItem);
    // Down the first column, then down the second.
    key.style.setProperty("--rows", Math.ceil(solutions.length / 2));
    body.append(key);
    made.append(body, element("p", "address", `Dieses Blatt wieder erstellen: ${sheet.address}`));
    return made;
  });
}

// The sheet's pages: each group's pupil pages, then each group's solutions on pages of their
// own (mode "mit"); the pupil pages alone ("ohne"); the solutions alone ("nur").
export function layOut(sheet) {
  const pupils = sheet.mode === "nur" ? [] : sheet.groups.flatMap((g) => pupilPages(sheet, g));
  const key = sheet.mode === "ohne" ? [] : sheet.groups.flatMap((g) => keyPages(sheet, g));
  return [...pupils, ...key];
}
