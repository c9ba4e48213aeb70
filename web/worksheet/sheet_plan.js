// The worksheet as the pages it prints on, as data: which problems and solutions stand on which
// page, each page's head, title and numbers, the key's two columns. sheet_layout.js makes the
// elements from it. How many a page takes comes from arbeitsblatt.css, which sizes the pages
// for them, through the sizes given to planSheet.

import { answerWithUnit, sentences, workingLines } from "../shared/problem_text.js";
import { choicesInWords, shownCode } from "./sheet_choices.js";

// The items spread evenly over as few pages as hold them, the first page taking at most first
// and every other at most size: no page of many less than half full.
export function spread(items, first, size) {
  const pages = items.length <= first ? 1 : 1 + Math.ceil((items.length - first) / size);
  const made = [];
  let at = 0;
  for (let page = 0; page < pages; page += 1) {
    const even = Math.ceil((items.length - at) / (pages - page));
    const taken = Math.min(page === 0 ? first : size, even);
    made.push(items.slice(at, at + taken));
    at += taken;
  }
  return made;
}

const joined = (...parts) => parts.filter((part) => part !== "").join(" · ");

function pupilPages(sheet, group, sizes) {
  const pages = spread(group.problems, sizes.firstPage, sizes.page);
  return pages.map((problems, index) => ({
    kind: "pupil",
    head: joined(sheet.label, group.name),
    page: `Seite ${index + 1} von ${pages.length}`,
    title: index === 0 ? sheet.title || "Umgekehrter Dreisatz" : "",
    total: index === 0 && sheet.points ? sheet.points * group.problems.length : 0,
    problems: problems.map(({ number, problem }) => (
      { number, sentences: sentences(problem), points: sheet.points })),
    trainer: sheet.trainer,
  }));
}

// The solutions of a page down the first column, then down the second.
function keyPages(sheet, group, sizes) {
  const pages = spread(group.problems, sizes.key, sizes.key);
  return pages.map((problems, index) => {
    const solutions = problems.map(({ number, problem }) => (
      { number, answer: answerWithUnit(problem), working: workingLines(problem) }));
    const rows = Math.ceil(solutions.length / 2);
    return {
      kind: "key",
      head: joined(sheet.label, group.name, `Code: ${shownCode(sheet.code)}`),
      page: pages.length > 1 ? `Seite ${index + 1} von ${pages.length}` : "",
      title: index === 0 ? joined("Lösungen", group.name) : "",
      choices: index === 0 ? choicesInWords(sheet.choices) : "",
      columns: [solutions.slice(0, rows), solutions.slice(rows)],
      code: shownCode(sheet.code),
      address: sheet.address,
    };
  });
}

// The pages of a sheet: { label, groups: [[problem, ...], ...] } as the module gives it, with
// code, choices (choicesOfRecord), mode, title, points (per problem, 0 for none), address (that
// remakes it, or null) and trainer (the trainer's address, or null); sizes is { firstPage,
// page, key }, the problems on a group's first page and on each other, and the solutions on a
// page of the key. Mode "ohne" gives each group's pupil pages alone; "nur" the solutions alone;
// "mit" each group's pupil pages, then each group's solutions on pages of their own. Each group
// numbers its problems and its pages from 1.
export function planSheet(sheet, sizes) {
  const groups = sheet.groups.map((problems, index) => ({
    name: sheet.groups.length > 1 ? `Gruppe ${String.fromCharCode(65 + index)}` : "",
    problems: problems.map((problem, at) => ({ number: at + 1, problem })),
  }));
  const pupils = sheet.mode === "nur" ? [] : groups.flatMap((g) => pupilPages(sheet, g, sizes));
  const key = sheet.mode === "ohne" ? [] : groups.flatMap((g) => keyPages(sheet, g, sizes));
  return [...pupils, ...key];
}
