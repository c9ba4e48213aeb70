// The worksheet's pages as planned from the program's own sheets.
import assert from "node:assert";
import { test } from "node:test";
import { choicesOfRecord } from "../../web/worksheet/sheet_choices.js";
import { planSheet, spread } from "../../web/worksheet/sheet_plan.js";
import { code, worksheet } from "./records.mjs";

const SIZES = { firstPage: 3, page: 4, key: 24 };
const CHOICES = { count: 30, kind: "beide", groups: 2, calculator: "ohne" };
const SHEET = { label: "Blatt K7Q4", code: "K7QM4XA2BC", choices: CHOICES, title: "", points: 0,
                trainer: "https://schule.example/index.html",
                address: "https://schule.example/arbeitsblatt.html?code=K7QM4XA2BC" };
const [a, b] = worksheet(code(9, 30, "both", 2)).groups;

// Each row: items, the first page's and every other page's size, the items on each page.
const SPREADS = [
  [1, 3, 4, [1]], [3, 3, 4, [3]], [4, 3, 4, [2, 2]], [5, 3, 4, [3, 2]], [8, 3, 4, [3, 3, 2]],
  [11, 3, 4, [3, 4, 4]], [12, 3, 4, [3, 3, 3, 3]], [30, 3, 4, [3, 4, 4, 4, 4, 4, 4, 3]],
  [25, 24, 24, [13, 12]], [48, 24, 24, [24, 24]], [49, 24, 24, [17, 16, 16]],
];

for (const [count, first, size, pages] of SPREADS) {
  test(`${count} items on pages of ${first}, then ${size}: ${pages.join(", ")}`, () => {
    const items = Array.from({ length: count }, (_, i) => i);
    const made = spread(items, first, size);
    assert.deepStrictEqual(made.map((page) => page.length), pages);
    assert.deepStrictEqual(made.flat(), items);
  });
}

test("no page of many is less than half full, for every count up to 30", () => {
  for (let count = 1; count <= 30; count += 1) {
    const made = spread(Array(count).fill(0), 3, 4);
    if (made.length === 1) continue;
    made.forEach((page, index) => assert.ok(page.length >= (index === 0 ? 3 : 4) / 2,
                                            `${count}: page ${index + 1} holds ${page.length}`));
  }
});

// A page as its kind, head, page number, title and the numbers it holds (the key's in each
// column).
const span = (items) => (items.length ? `${items[0].number}-${items.at(-1).number}` : "");
const summary = (page) => [page.kind, page.head, page.page, page.title,
  page.kind === "key" ? page.columns.map(span) : span(page.problems)];

const A = "Blatt K7Q4 · Gruppe A";
const B = "Blatt K7Q4 · Gruppe B";
const CODE = " · Code: K7QM4-XA2BC";
const TITLE = "Umgekehrter Dreisatz";
const LAYOUTS = [
  ["mit", [a.slice(0, 3), b.slice(0, 26)], [
    ["pupil", A, "Seite 1 von 1", TITLE, "1-3"],
    ["pupil", B, "Seite 1 von 7", TITLE, "1-3"],
    ["pupil", B, "Seite 2 von 7", "", "4-7"],
    ["pupil", B, "Seite 3 von 7", "", "8-11"],
    ["pupil", B, "Seite 4 von 7", "", "12-15"],
    ["pupil", B, "Seite 5 von 7", "", "16-19"],
    ["pupil", B, "Seite 6 von 7", "", "20-23"],
    ["pupil", B, "Seite 7 von 7", "", "24-26"],
    ["key", A + CODE, "", "Lösungen · Gruppe A", ["1-2", "3-3"]],
    ["key", B + CODE, "Seite 1 von 2", "Lösungen · Gruppe B", ["1-7", "8-13"]],
    ["key", B + CODE, "Seite 2 von 2", "", ["14-20", "21-26"]],
  ]],
  ["ohne", [a.slice(0, 8)], [
    ["pupil", "Blatt K7Q4", "Seite 1 von 3", TITLE, "1-3"],
    ["pupil", "Blatt K7Q4", "Seite 2 von 3", "", "4-6"],
    ["pupil", "Blatt K7Q4", "Seite 3 von 3", "", "7-8"],
  ]],
  ["nur", [a.slice(0, 1)], [["key", `Blatt K7Q4${CODE}`, "", "Lösungen", ["1-1", ""]]]],
];

for (const [mode, groups, expected] of LAYOUTS) {
  test(`mode ${mode} with groups of ${groups.map((g) => g.length)}: each page's head and numbers`,
       () => {
    assert.deepStrictEqual(planSheet({ ...SHEET, mode, groups }, SIZES).map(summary), expected);
  });
}

test("a title and points: the title on each group's first page, the total there alone", () => {
  const pages = planSheet({ ...SHEET, mode: "ohne", groups: [a.slice(0, 5), b.slice(0, 5)],
                            title: "Klassenarbeit Nr. 2", points: 3 }, SIZES);
  assert.deepStrictEqual(pages.map((page) => [page.title, page.total]), [
    ["Klassenarbeit Nr. 2", 15], ["", 0], ["Klassenarbeit Nr. 2", 15], ["", 0]]);
  assert.ok(pages.flatMap((page) => page.problems).every((problem) => problem.points === 3));
});

test("only the key's pages carry the code, the choices and the address that remakes the sheet",
     () => {
  for (const page of planSheet({ ...SHEET, mode: "mit", groups: [a, b] }, SIZES)) {
    const text = JSON.stringify(page);
    const carried = ["K7QM4-XA2BC", SHEET.address, "Taschenrechner", SHEET.trainer]
      .map((part) => text.includes(part));
    const key = page.kind === "key";
    const first = page.title !== "";
    assert.deepStrictEqual(carried, [key, key, key && first, !key], page.head);
  }
});

// The numbers a pupil reads in a problem, and the answer they give.
const WORK = /von (\d+)\s\S+ schafft .* in (\d+)\s(\S+)\. .* von (\d+)\s/;
const SUPPLY = /^(\d+)\s\S+ kommen mit .* (\d+)\s(\S+) aus\. .* für (\d+)\s/;

for (const [made, olderChoices] of [[[1, 30, "both", 2]], [[2, 25, "work", 1, true]],
                                    [["K7QM4XA2"], [17, "supply", 3]]]) {
  const sheet = made.length === 1 ? worksheet(made[0], ...olderChoices) : worksheet(code(...made));
  test(`sheet ${sheet.code}: each solution answers the problem of its number`, () => {
    const count = sheet.choices.count;
    const pages = planSheet({ ...SHEET, mode: "mit", ...sheet, choices: choicesOfRecord(sheet) },
                            SIZES);
    for (const head of new Set(pages.map((page) => page.head.replace(/ · Code: .*/, "")))) {
      const of = (kind) => pages.filter((page) => page.kind === kind && page.head.startsWith(head));
      const problems = of("pupil").flatMap((page) => page.problems);
      const solutions = of("key").flatMap((page) => page.columns.flat());
      const numbers = Array.from({ length: count }, (_, i) => i + 1);
      assert.deepStrictEqual(problems.map(({ number }) => number), numbers, head);
      assert.deepStrictEqual(solutions.map(({ number }) => number), numbers, head);
      problems.forEach(({ number, sentences }, i) => {
        const text = sentences.join(" ");
        const [, first, given, unit, second] = text.match(WORK) ?? text.match(SUPPLY);
        const named = unit.replace(/Tagen$/, "Tage"); // the working's nominative
        const alone = first * given;
        assert.deepStrictEqual(solutions[i].working.map(([left, right]) => [
          left.split(" ")[0], right]), [
          [first, `${given} ${named}`],
          ["1", `${first} · ${given} = ${alone} ${named}`],
          [second, `${alone} : ${second} = ${alone / second} ${named}`],
        ], `${head}, problem ${number}: ${text}`);
        assert.strictEqual(solutions[i].answer, `${alone / second} ${named}`);
      });
    }
  });
}
