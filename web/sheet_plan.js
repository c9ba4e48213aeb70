// The worksheet as the pages it prints on, as data: which problems and solutions stand on which
// page, each page's head, title and numbers, the key's two columns. sheet_layout.js makes the
// elements from it. How many a page takes is fixed, with room to spare for the longest problem
// the generator words; arbeitsblatt.css gives them their sizes.

import { answerWithUnit, sentences, workingLines } from "./problem_text.js";

const FIRST_PAGE_PROBLEMS = 8; // after the name lines, the heading and the instruction
const PAGE_PROBLEMS = 9;
const PAGE_SOLUTIONS = 24; // two columns of 12

// The items in runs: the first of first items, every other of size items.
function runs(items, first, size) {
  const made = [items.slice(0, first)];
  for (let at = first; at < items.length; at += size) made.push(items.slice(at, at + size));
  return made;
}

const joined = (...parts) => parts.filter((part) => part !== "").join(" · ");

function pupilPages(sheet, group) {
  return runs(group.problems, FIRST_PAGE_PROBLEMS, PAGE_PROBLEMS).map((problems, index) => ({
    kind: "pupil",
    head: joined(sheet.label, group.name),
    title: index === 0 ? "Umgekehrter Dreisatz" : "",
    problems: problems.map(({ number, problem }) => ({ number, sentences: sentences(problem) })),
    trainer: sheet.trainer,
  }));
}

// The solutions of a page down the first column, then down the second.
function keyPages(sheet, group) {
  const code = sheet.code ? `Code: ${sheet.code}` : "";
  return runs(group.problems, PAGE_SOLUTIONS, PAGE_SOLUTIONS).map((problems, index) => {
    const solutions = problems.map(({ number, problem }) => (
      { number, answer: answerWithUnit(problem), working: workingLines(problem) }));
    const rows = Math.ceil(solutions.length / 2);
    return {
      kind: "key",
      head: joined(sheet.label, group.name, code),
      title: index === 0 ? joined("Lösungen", group.name) : "",
      columns: [solutions.slice(0, rows), solutions.slice(rows)],
      address: sheet.address,
    };
  });
}

// The pages of a sheet: { label, groups: [[problem, ...], ...] } as the module gives it, with
// mode, code, address (that remakes it) and trainer (the trainer's address). Mode "mit" gives
// each group's pupil pages, then each group's solutions on pages of their own; "ohne" the pupil
// pages alone; "nur" the solutions alone. Each group numbers its problems from 1.
export function planSheet(sheet) {
  const groups = sheet.groups.map((problems, index) => ({
    name: sheet.groups.length > 1 ? `Gruppe ${String.fromCharCode(65 + index)}` : "",
    problems: problems.map((problem, at) => ({ number: at + 1, problem })),
  }));
  const pupils = sheet.mode === "nur" ? [] : groups.flatMap((g) => pupilPages(sheet, g));
  const key = sheet.mode === "ohne" ? [] : groups.flatMap((g) => keyPages(sheet, g));
  return [...pupils, ...key];
}
