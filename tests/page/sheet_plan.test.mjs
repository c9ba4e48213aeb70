// The worksheet's pages as planned from the program's own sheets.
import assert from "node:assert";
import { test } from "node:test";
import { planSheet } from "../../web/sheet_plan.js";
import { worksheet } from "./records.mjs";

const SHEET = { label: "Blatt K7Q4", code: "K7QM4XA2", trainer: "https://schule.example/index.html",
                address: "https://schule.example/arbeitsblatt.html?code=K7QM4XA2" };
const [a, b] = worksheet("HJKMNPQR", 30, 0, 2).groups;

// A page as its kind, head, title and the numbers it holds (the key's in each column).
const span = (items) => (items.length ? `${items[0].number}-${items.at(-1).number}` : "");
const summary = (page) => [page.kind, page.head, page.title,
  page.kind === "key" ? page.columns.map(span) : span(page.problems)];

const A = "Blatt K7Q4 · Gruppe A";
const B = "Blatt K7Q4 · Gruppe B";
const CODE = " · Code: K7QM4XA2";
const LAYOUTS = [
  ["mit", [a.slice(0, 3), b], [
    ["pupil", A, "Umgekehrter Dreisatz", "1-3"],
    ["pupil", B, "Umgekehrter Dreisatz", "1-8"],
    ["pupil", B, "", "9-17"],
    ["pupil", B, "", "18-26"],
    ["pupil", B, "", "27-30"],
    ["key", A + CODE, "Lösungen · Gruppe A", ["1-2", "3-3"]],
    ["key", B + CODE, "Lösungen · Gruppe B", ["1-12", "13-24"]],
    ["key", B + CODE, "", ["25-27", "28-30"]],
  ]],
  ["ohne", [a.slice(0, 9)], [
    ["pupil", "Blatt K7Q4", "Umgekehrter Dreisatz", "1-8"],
    ["pupil", "Blatt K7Q4", "", "9-9"],
  ]],
  ["nur", [a.slice(0, 1)], [["key", `Blatt K7Q4${CODE}`, "Lösungen", ["1-1", ""]]]],
];

for (const [mode, groups, expected] of LAYOUTS) {
  test(`mode ${mode} with groups of ${groups.map((g) => g.length)}: each page's head and numbers`,
       () => {
    assert.deepStrictEqual(planSheet({ ...SHEET, mode, groups }).map(summary), expected);
  });
}

test("only the key's pages carry the code and the address that remakes the sheet", () => {
  for (const page of planSheet({ ...SHEET, mode: "mit", groups: [a, b] })) {
    const text = JSON.stringify(page);
    const carried = [SHEET.code, SHEET.address, SHEET.trainer].map((part) => text.includes(part));
    const key = page.kind === "key";
    assert.deepStrictEqual(carried, [key, key, !key], page.head);
  }
});

// The numbers a pupil reads in a problem, and the answer they give.
const WORK = /von (\d+)\s\S+ schafft .* in (\d+)\s(\S+)\. .* von (\d+)\s/;
const SUPPLY = /^(\d+)\s\S+ kommen mit .* (\d+)\s(\S+) aus\. .* fuer (\d+)\s/;

for (const [code, count, kinds, groups] of [["HJKMNPQR", 30, 0, 2], ["K7QM4XA2", 25, 1, 1],
                                             ["AAAAAAAA", 17, 2, 3]]) {
  test(`sheet ${code} of ${groups}×${count}: each solution answers the problem of its number`,
       () => {
    const pages = planSheet({ ...SHEET, mode: "mit", ...worksheet(code, count, kinds, groups) });
    for (const head of new Set(pages.map((page) => page.head.replace(CODE, "")))) {
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
