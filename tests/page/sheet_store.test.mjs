// The sheets kept on this device: what a visit adds, what printing keeps, what the list shows,
// and what a damaged list still gives.
import assert from "node:assert";
import { test } from "node:test";
import {
  KEPT, described, forget, full, printed, remember, storedSheets,
} from "../../web/worksheet/sheet_store.js";

const CHOICES = { count: 8, kind: "beide", groups: 2, calculator: "ohne", models: "umgekehrt" };
const sheet = (code, extra = {}) => ({
  label: `Blatt ${code.slice(0, 4)}`, code, title: "", points: 0, trainer: "",
  choices: CHOICES, ...extra,
});
const MONDAY = "2026-12-07T08:15:00.000Z";
const TUESDAY = "2026-12-08T09:00:00.000Z";
const codes = (list) => list.map((entry) => entry.code);
const code = (i) => `${"ABCDEFGHJK"[i % 10]}${"ABCDEFGHJK"[Math.floor(i / 10) % 10]}`.padEnd(11, "A");

test("trying out choices in one visit keeps one entry; a printed one stays", () => {
  let list = [];
  for (const made of ["AAAAAAAAAAA", "BBBBBBBBBBB", "CCCCCCCCCCC"]) {
    list = remember(list, sheet(made), "visit 1", MONDAY);
  }
  assert.deepStrictEqual(codes(list), ["CCCCCCCCCCC"]);
  list = printed(list, sheet("CCCCCCCCCCC"), MONDAY);
  list = remember(list, sheet("DDDDDDDDDDD"), "visit 1", MONDAY);
  list = remember(list, sheet("EEEEEEEEEEE"), "visit 1", MONDAY);
  assert.deepStrictEqual(codes(list), ["EEEEEEEEEEE", "CCCCCCCCCCC"]);
  assert.deepStrictEqual(list.map((entry) => entry.printed), [null, MONDAY]);
});

test("the sheet shown again moves to the front without a new entry; a change then adds one", () => {
  let list = remember([], sheet("AAAAAAAAAAA"), "visit 1", MONDAY);
  assert.strictEqual(remember(list, sheet("AAAAAAAAAAA"), "visit 2", TUESDAY), list);
  list = remember(list, sheet("BBBBBBBBBBB"), "visit 2", TUESDAY);
  assert.deepStrictEqual(codes(list), ["BBBBBBBBBBB", "AAAAAAAAAAA"]);
  // Another title or address is another sheet to print, though the code is the same.
  list = printed(list, sheet("BBBBBBBBBBB"), TUESDAY);
  list = remember(list, sheet("BBBBBBBBBBB", { title: "Klassenarbeit Nr. 2" }), "visit 2",
                  TUESDAY);
  assert.deepStrictEqual(codes(list), ["BBBBBBBBBBB", "BBBBBBBBBBB", "AAAAAAAAAAA"]);
  // Opened again from the list, a sheet moves to the front as it was.
  const again = remember(list, sheet("AAAAAAAAAAA"), "visit 3", TUESDAY);
  assert.deepStrictEqual(again, [list[2], list[0], list[1]]);
});

test("printing marks the sheet printed, keeps the first date; deleting takes out one entry",
  () => {
    let list = remember([], sheet("AAAAAAAAAAA"), "v", MONDAY);
    list = remember(list, sheet("BBBBBBBBBBB"), "w", MONDAY);
    // The sheet printed is the one given, wherever it stands.
    list = printed(printed(list, sheet("AAAAAAAAAAA"), MONDAY), sheet("AAAAAAAAAAA"), TUESDAY);
    assert.deepStrictEqual(list.map((entry) => entry.printed), [null, MONDAY]);
    assert.deepStrictEqual(codes(forget(list, 1)), ["BBBBBBBBBBB"]);
    assert.deepStrictEqual(codes(forget(list, 0)), ["AAAAAAAAAAA"]);
  });

// Each row: how many of the 50 kept are printed (the oldest ones, or every other one), what a
// new sheet does, and which entry leaves.
test("past 50 the oldest sheet not printed makes room; a printed one never leaves", () => {
  const kept = (isPrinted) => Array.from({ length: KEPT }, (_, i) => ({
    ...sheet(code(i)), visit: "old", made: MONDAY, printed: isPrinted(i) ? MONDAY : null }));
  const cases = [
    ["none printed", () => false, code(KEPT - 1)],
    ["all but the newest printed", (i) => i > 0, code(0)],
    ["every other printed", (i) => i % 2 === 1, code(KEPT - 2)],
  ];
  for (const [name, isPrinted, leaves] of cases) {
    const list = kept(isPrinted);
    const made = remember(list, sheet("NEWNEWNEWNE"), "new", TUESDAY);
    assert.strictEqual(made.length, KEPT, name);
    assert.strictEqual(made[0].code, "NEWNEWNEWNE", name);
    assert.deepStrictEqual(codes(list).filter((c) => !codes(made).includes(c)), [leaves], name);
    assert.strictEqual(made.filter((e) => e.printed).length,
                       list.filter((e) => e.printed).length, name);
    assert.strictEqual(full(list), false, name);
  }
  // All 50 printed: the list is full, the new sheet is not kept until it is printed.
  const all = kept(() => true);
  assert.strictEqual(full(all), true);
  assert.strictEqual(remember(all, sheet("NEWNEWNEWNE"), "new", TUESDAY), all);
  const withIt = printed(all, sheet("NEWNEWNEWNE"), TUESDAY);
  assert.deepStrictEqual([withIt.length, withIt[0].code, withIt[0].printed],
                         [KEPT + 1, "NEWNEWNEWNE", TUESDAY]);
});

// Each row: a stored entry, and what is kept of it (null: dropped).
const GOOD = { ...sheet("K7QM4XA2BCQ"), visit: "v", made: MONDAY, printed: TUESDAY };
const STORED = [
  [GOOD, GOOD],
  [{ ...GOOD, choices: undefined }, { ...GOOD, choices: null }],
  [{ ...GOOD, choices: null }, { ...GOOD, choices: null }],
  [{ ...GOOD, choices: "8 beide" }, { ...GOOD, choices: null }],
  [{ ...GOOD, choices: { ...CHOICES, count: "8" } }, { ...GOOD, choices: null }],
  [{ ...GOOD, choices: { ...CHOICES, kind: "toString" } }, { ...GOOD, choices: null }],
  [{ ...GOOD, choices: { ...CHOICES, models: undefined } }, GOOD], // kept before the models
  [{ ...GOOD, title: 7, points: "2", trainer: null, visit: {} },
    { ...GOOD, title: "", points: 0, trainer: "", visit: "" }],
  [{ ...GOOD, points: 21 }, { ...GOOD, points: 0 }],
  [{ ...GOOD, made: "gestern", printed: 5 }, { ...GOOD, made: null, printed: null }],
  [{ ...GOOD, code: "K7QM4XA2BC0" }, null],
  [{ ...GOOD, code: 12345678 }, null],
  [{ ...GOOD, label: null }, null],
  [{ ...GOOD, unknown: "dropped" }, GOOD],
  [null, null],
  [[GOOD], null],
];

for (const [entry, kept] of STORED) {
  test(`a stored entry ${JSON.stringify(entry).slice(0, 60)} is read as it fits`, () => {
    const list = storedSheets(JSON.stringify([entry, GOOD]));
    assert.deepStrictEqual(list, kept ? [kept, GOOD] : [GOOD]);
    assert.doesNotMatch(list.map(described).join(), /undefined|NaN|null/);
  });
}

test("stored text that is not a list of sheets gives an empty list", () => {
  const good = JSON.stringify([sheet("AAAAAAAAAAA")]);
  const cases = [[null, 0], ["", 0], ["{", 0], ["{}", 0], ["[1, null, {}]", 0], [good, 1]];
  for (const [text, length] of cases) assert.strictEqual(storedSheets(text).length, length, text);
});

test("an entry as the list shows it: code, title, choices, points and its dates", () => {
  const entry = { ...sheet("K7QM4XA2BCQ", { title: "Klassenarbeit Nr. 2", points: 2 }),
                  made: new Date(2026, 11, 7, 9, 5).toISOString(),
                  printed: new Date(2026, 11, 7, 14, 30).toISOString() };
  assert.strictEqual(described(entry), "Code K7QM-4XA2-BCQ · „Klassenarbeit Nr. 2“ · 8 " +
    "Aufgaben je Gruppe · beide Arten · 2 Gruppen · ohne Taschenrechner · nur umgekehrt " +
    "proportional · 2 Punkte je Aufgabe · erstellt am 7.12.2026 um 09:05 Uhr · gedruckt am " +
    "7.12.2026 um 14:30 Uhr");
  assert.strictEqual(described({ ...entry, code: "K7QM4XA2BC", title: "", points: 0,
                                 printed: null, choices: { ...CHOICES, models: "gemischt" } }),
                     "Code K7QM4-XA2BC · 8 Aufgaben je Gruppe · beide Arten · 2 Gruppen · " +
                     "ohne Taschenrechner · Zusammenhang gemischt · erstellt am 7.12.2026 um " +
                     "09:05 Uhr");
  assert.strictEqual(described({ ...entry, choices: null, made: null, printed: null }),
                     "Code K7QM-4XA2-BCQ · „Klassenarbeit Nr. 2“ · 2 Punkte je Aufgabe");
});
