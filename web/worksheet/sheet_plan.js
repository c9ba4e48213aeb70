// The worksheet as the pages it prints on, as data: which problems and solutions stand on which
// page, each page's head, title and numbers, the key's two columns. sheet_layout.js makes the
// elements from it. How many a page takes comes from arbeitsblatt.css, which sizes the pages
// for them, through the sizes given to planSheet.

import {
  answerWithUnit, modelChoices, modelRule, sentences, workingLines,
} from "../shared/problem_text.js";
import { choicesInWords, defaultTitle, shownCode } from "./sheet_choices.js";

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
const mixed = (sheet) => sheet.choices.models === "gemischt";

function pupilPages(sheet, group, sizes) {
  const [first, size] = mixed(sheet) ? [sizes.mixedFirstPage, sizes.mixedPage]
                                     : [sizes.firstPage, sizes.page];
  const pages = spread(group.problems, first, size);
  return pages.map((problems, index) => ({
    kind: "pupil",
    mixed: mixed(sheet),
    head: joined(sheet.label, group.name),
    page: `Seite ${index + 1} von ${pages.length}`,
    title: index === 0 ? sheet.title || defaultTitle(sheet.choices.models) : "",
    total: index === 0 && sheet.points ? sheet.points * group.problems.length : 0,
    problems: problems.map(({ number, problem }) => ({
      number, sentences: sentences(problem), points: sheet.points,
      models: mixed(sheet) ? modelChoices(problem).map(({ label }) => label) : [],
    })),
    trainer: sheet.trainer,
  }));
}

// The room an item takes in a column of the key, in lines of a solution's type: its heading, its
// working (a line of more than about COLUMN_CHARACTERS wraps once), on a mixed sheet the model,
// and the gap after it; a group's heading takes GROUP_LINES.
const COLUMN_CHARACTERS = 45;
const GAP_LINES = 0.75;
const GROUP_LINES = 1.75;
const linesOf = (item) => (item.group ? GROUP_LINES
  : 1 + GAP_LINES + (item.model ? Math.ceil(item.model.length / COLUMN_CHARACTERS) : 0) +
    item.working.reduce((lines, [left, right]) =>
      lines + (left.length + right.length + 3 > COLUMN_CHARACTERS ? 2 : 1), 0));

// The key's items, group by group, in columns of at most lines each: a solution is never split,
// and a group's heading stands above its first solution, again atop a page that goes on with it.
function keyColumns(groups, lines) {
  const columns = [[]];
  let used = 0;
  const place = (items) => {
    const needed = items.reduce((sum, item) => sum + linesOf(item), 0);
    if (used > 0 && used + needed > lines) {
      columns.push([]);
      used = 0;
      if (columns.length % 2 === 1 && !items[0].group && items[0].name) {
        items.unshift({ group: `${items[0].name} (Fortsetzung)` });
        used += GROUP_LINES;
      }
    }
    columns.at(-1).push(...items);
    used += needed;
  };
  for (const { name, solutions } of groups) {
    solutions.forEach((solution, index) => place(index === 0 && name
      ? [{ group: name }, solution] : [solution]));
  }
  return columns;
}

function keyPages(sheet, groups, sizes) {
  const solutions = groups.map(({ name, problems }) => ({
    name,
    solutions: problems.map(({ number, problem }) => ({
      name, number, answer: answerWithUnit(problem), working: workingLines(problem),
      model: mixed(sheet) ? `Zusammenhang: ${modelRule(problem)}` : "",
    })),
  }));
  const columns = keyColumns(solutions, sizes.keyLines);
  const pages = Math.ceil(columns.length / 2);
  const title = sheet.title || defaultTitle(sheet.choices.models);
  return Array.from({ length: pages }, (_, index) => ({
    kind: "key",
    head: joined(sheet.label, "Lösungen", `Code: ${shownCode(sheet.code)}`),
    page: pages > 1 ? `Seite ${index + 1} von ${pages}` : "",
    title: index === 0 ? `Lösungen: ${title}` : "",
    choices: index === 0 ? choicesInWords(sheet.choices) : "",
    columns: [columns[2 * index], columns[2 * index + 1] ?? []].map((column) =>
      column.map(({ name, ...item }) => item)),
    code: shownCode(sheet.code),
    address: sheet.address,
  }));
}

// The pages of a sheet: { label, groups: [[problem, ...], ...] } as the module gives it, with
// code, choices (choicesOfRecord), mode, title, points (per problem, 0 for none), address (that
// remakes it, or null) and trainer (the trainer's address, or null); sizes is { firstPage, page,
// mixedFirstPage, mixedPage, keyLines }, the problems on a group's first page and on each other
// (on a mixed sheet, whose problems have the models to tick), and the lines of a column of the
// key. Mode "ohne" gives each group's pupil pages alone; "nur" the key alone; "mit" each group's
// pupil pages, then the key on pages of its own. Each group numbers its problems and its pages
// from 1; the key runs through the groups, each headed by its name where there are several.
export function planSheet(sheet, sizes) {
  const groups = sheet.groups.map((problems, index) => ({
    name: sheet.groups.length > 1 ? `Gruppe ${String.fromCharCode(65 + index)}` : "",
    problems: problems.map((problem, at) => ({ number: at + 1, problem })),
  }));
  const pupils = sheet.mode === "nur" ? [] : groups.flatMap((g) => pupilPages(sheet, g, sizes));
  const key = sheet.mode === "ohne" ? [] : keyPages(sheet, groups, sizes);
  return [...pupils, ...key];
}
