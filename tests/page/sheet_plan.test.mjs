// The worksheet's pages as planned from the program's own sheets.
import assert from "node:assert";
import { test } from "node:test";
import { choicesOfRecord } from "../../web/worksheet/sheet_choices.js";
import { planSheet, spread } from "../../web/worksheet/sheet_plan.js";
import { code, worksheet } from "./records.mjs";

const SIZES = { firstPage: 3, page: 4, mixedFirstPage: 3, mixedPage: 3, keyLines: 57 };
const CHOICES = { count: 30, kind: "beide", groups: 2, calculator: "ohne", models: "umgekehrt" };
const SHEET = { label: "Blatt K7Q4", code: "K7QM4XA2BCQ", choices: CHOICES, title: "", points: 0,
                trainer: "https://schule.example/index.html",
                address: "https://schule.example/arbeitsblatt.html?code=K7QM4XA2BCQ" };
const [a, b] = worksheet(code(9, 30, "both", 2)).groups;
const mixedSheet = worksheet(code(9, 30, "both", 4, false, "mixed"));

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
// column, with the groups' headings).
const span = (items) => (items.length ? `${items[0].number}-${items.at(-1).number}` : "");
function column(items) {
  const parts = [];
  for (const item of items) {
    if (item.group) parts.push([item.group]);
    else (parts.at(-1) ?? parts[parts.push([""]) - 1]).push(item);
  }
  return parts.map(([group, ...solutions]) => `${group} ${span(solutions)}`.trim()).join(", ");
}
const summary = (page) => [page.kind, page.head, page.page, page.title,
  page.kind === "key" ? page.columns.map(column) : span(page.problems)];

const A = "Blatt K7Q4 · Gruppe A";
const B = "Blatt K7Q4 · Gruppe B";
const KEY = "Blatt K7Q4 · Lösungen · Code: K7QM-4XA2-BCQ";
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
    // The groups' solutions run on from one to the next, each group headed by its name.
    ["key", KEY, "Seite 1 von 2", `Lösungen: ${TITLE}`, ["Gruppe A 1-3, Gruppe B 1-8", "9-20"]],
    ["key", KEY, "Seite 2 von 2", "", ["Gruppe B (Fortsetzung) 21-26", ""]],
  ]],
  ["ohne", [a.slice(0, 8)], [
    ["pupil", "Blatt K7Q4", "Seite 1 von 3", TITLE, "1-3"],
    ["pupil", "Blatt K7Q4", "Seite 2 von 3", "", "4-6"],
    ["pupil", "Blatt K7Q4", "Seite 3 von 3", "", "7-8"],
  ]],
  ["nur", [a.slice(0, 1)], [["key", KEY, "", `Lösungen: ${TITLE}`, ["1-1", ""]]]],
  ["nur", [a.slice(0, 30)], [["key", KEY, "Seite 1 von 2", `Lösungen: ${TITLE}`,
                              ["1-12", "13-24"]], ["key", KEY, "Seite 2 von 2", "", ["25-30", ""]]]],
];

for (const [mode, groups, expected] of LAYOUTS) {
  test(`mode ${mode} with groups of ${groups.map((g) => g.length)}: each page's head and numbers`,
       () => {
    assert.deepStrictEqual(planSheet({ ...SHEET, mode, groups }, SIZES).map(summary), expected);
  });
}

// The lines a column of the key takes, counted as the plan counts them: at most keyLines, but a
// solution is never split, and a group's heading never stands alone at a column's foot.
test("the key packs the groups' solutions in columns of at most the lines a column holds", () => {
  for (const sheet of [mixedSheet, worksheet(code(4, 30, "work", 6, true))]) {
    const pages = planSheet({ ...SHEET, ...sheet, mode: "nur", choices: choicesOfRecord(sheet) },
                            SIZES);
    const columns = pages.flatMap((page) => page.columns).filter((c) => c.length > 0);
    const solutions = columns.flat().filter((item) => !item.group);
    assert.strictEqual(solutions.length, sheet.groups.flat().length);
    for (const items of columns) {
      assert.ok(!items.at(-1).group, "a heading at a column's foot");
      const lines = items.reduce((sum, item) => sum + (item.group ? 1.75 : 1.75 +
        item.working.length + (item.model ? Math.ceil(item.model.length / 45) : 0)), 0);
      assert.ok(lines <= SIZES.keyLines + 1.75 * 4, `${lines} lines`);
    }
    // Packed: no column but the last could have taken the next column's first solution.
    assert.ok(columns.length <= Math.ceil(solutions.length / 7) + 1, `${columns.length} columns`);
  }
});

// A mixed sheet: each problem with the three relations to tick in its own words, each solution
// with the relation that holds; its pages take three problems each.
test("a mixed sheet asks for the relation on each problem and names it in the key", () => {
  const sheet = { ...SHEET, ...mixedSheet, mode: "mit", choices: choicesOfRecord(mixedSheet) };
  const pages = planSheet(sheet, SIZES);
  const pupil = pages.filter((page) => page.kind === "pupil");
  assert.deepStrictEqual(pupil.slice(0, 10).map((page) => page.problems.length),
                         Array(10).fill(3));
  assert.ok(pupil.every((page) => page.mixed));
  assert.strictEqual(pupil[0].title, "Dreisatz");
  const problems = pupil.flatMap((page) => page.problems);
  const solutions = pages.filter((page) => page.kind === "key")
    .flatMap((page) => page.columns.flat()).filter((item) => !item.group);
  const models = mixedSheet.groups.flat().map((problem) => problem.model);
  assert.deepStrictEqual(new Set(models), new Set(["inverse", "direct", "constant"]));
  problems.forEach(({ models: boxes, sentences }, i) => {
    const problem = mixedSheet.groups.flat()[i];
    const { many } = problem.words;
    assert.strictEqual(boxes.length, 3);
    assert.match(boxes[0], new RegExp(`^Je mehr ${many}, desto `));
    assert.match(boxes[1], new RegExp(`^Je mehr ${many}, desto `));
    assert.strictEqual(boxes[2], `Das hängt nicht von der Anzahl der ${many} ab`);
    const holds = boxes[["direct", "inverse", "constant"].indexOf(problem.model)];
    assert.strictEqual(solutions[i].model, `Zusammenhang: ${problem.model === "constant" ? holds
      : holds.replace(/^Je/, "je")}`, sentences.join(" "));
    assert.strictEqual(solutions[i].working.length, problem.model === "constant" ? 2 : 3);
  });
  const plain = planSheet({ ...SHEET, mode: "mit", groups: [a.slice(0, 4)] }, SIZES);
  assert.ok(plain.every((page) => !page.mixed && (page.problems ?? [])
    .every(({ models: boxes }) => boxes.length === 0)));
  assert.ok(plain.flatMap((page) => page.columns ?? []).flat().every((item) => item.model === ""));
});

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
    const carried = ["K7QM-4XA2-BCQ", SHEET.address, "Taschenrechner", SHEET.trainer]
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
    const solutionsOf = {};
    let group = "";
    for (const item of pages.filter((page) => page.kind === "key").flatMap((page) =>
      page.columns.flat())) {
      if (item.group) group = item.group.replace(" (Fortsetzung)", "");
      else (solutionsOf[group] ??= []).push(item);
    }
    for (const head of new Set(pages.filter((page) => page.kind === "pupil").map((p) => p.head))) {
      const problems = pages.filter((page) => page.kind === "pupil" && page.head === head)
        .flatMap((page) => page.problems);
      const solutions = solutionsOf[head.replace(/^Blatt \S+( · )?/, "")];
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
