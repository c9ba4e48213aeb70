// The sheets kept on this device: what a visit adds, what printing keeps, what the list shows.
import assert from "node:assert";
import { test } from "node:test";
import {
  described, forget, printed, remember, storedSheets,
} from "../../web/worksheet/sheet_store.js";

const sheet = (code, extra = {}) => ({
  label: `Blatt ${code.slice(0, 4)}`, code, title: "", points: 0, trainer: "",
  choices: { count: 8, kind: "beide", groups: 2, calculator: "ohne" }, ...extra,
});
const MONDAY = "2026-12-07T08:15:00.000Z";
const TUESDAY = "2026-12-08T09:00:00.000Z";
const codes = (list) => list.map((entry) => entry.code);

test("trying out choices in one visit keeps one entry; a printed one stays", () => {
  let list = [];
  for (const code of ["AAAAAAAAAA", "BBBBBBBBBB", "CCCCCCCCCC"]) {
    list = remember(list, sheet(code), "visit 1", MONDAY);
  }
  assert.deepStrictEqual(codes(list), ["CCCCCCCCCC"]);
  list = printed(list, MONDAY);
  list = remember(list, sheet("DDDDDDDDDD"), "visit 1", MONDAY);
  list = remember(list, sheet("EEEEEEEEEE"), "visit 1", MONDAY);
  assert.deepStrictEqual(codes(list), ["EEEEEEEEEE", "CCCCCCCCCC"]);
  assert.deepStrictEqual(list.map((entry) => entry.printed), [null, MONDAY]);
});

test("a reload shows the newest again without a new entry; a change then adds one", () => {
  let list = remember([], sheet("AAAAAAAAAA"), "visit 1", MONDAY);
  assert.strictEqual(remember(list, sheet("AAAAAAAAAA"), "visit 2", TUESDAY), list);
  list = remember(list, sheet("BBBBBBBBBB"), "visit 2", TUESDAY);
  assert.deepStrictEqual(codes(list), ["BBBBBBBBBB", "AAAAAAAAAA"]);
  // Another title or address is another sheet to print, though the code is the same.
  list = printed(list, TUESDAY);
  list = remember(list, sheet("BBBBBBBBBB", { title: "Klassenarbeit Nr. 2" }), "visit 2", TUESDAY);
  assert.deepStrictEqual(codes(list), ["BBBBBBBBBB", "BBBBBBBBBB", "AAAAAAAAAA"]);
  // Opened again from the list, a sheet moves to the front as it was.
  const again = remember(list, sheet("AAAAAAAAAA"), "visit 3", TUESDAY);
  assert.deepStrictEqual(again, [list[2], list[0], list[1]]);
});

test("printing twice keeps the first date; deleting takes out that entry alone", () => {
  let list = remember([], sheet("AAAAAAAAAA"), "v", MONDAY);
  list = printed(printed(list, MONDAY), TUESDAY);
  assert.strictEqual(list[0].printed, MONDAY);
  list = remember(list, sheet("BBBBBBBBBB"), "v", TUESDAY);
  assert.deepStrictEqual(codes(forget(list, 1)), ["BBBBBBBBBB"]);
  assert.deepStrictEqual(codes(forget(list, 0)), ["AAAAAAAAAA"]);
  assert.deepStrictEqual(printed([], MONDAY), []);
});

test("the list keeps the newest 50", () => {
  let list = [];
  for (let i = 0; i < 60; i += 1) {
    list = printed(remember(list, sheet(`${i}`.padStart(10, "A")), "v", MONDAY), MONDAY);
  }
  assert.strictEqual(list.length, 50);
  assert.strictEqual(list[0].code, "AAAAAAAA59");
});

test("stored text that is not a list of sheets gives an empty list", () => {
  const good = JSON.stringify([sheet("AAAAAAAAAA")]);
  const cases = [[null, 0], ["", 0], ["{", 0], ["{}", 0], ["[1, null, {}]", 0], [good, 1]];
  for (const [text, length] of cases) assert.strictEqual(storedSheets(text).length, length, text);
});

test("an entry as the list shows it: code, title, choices, points and its dates", () => {
  const entry = { ...sheet("K7QM4XA2BC", { title: "Klassenarbeit Nr. 2", points: 2 }),
                  made: new Date(2026, 11, 7, 9, 5).toISOString(),
                  printed: new Date(2026, 11, 7, 14, 30).toISOString() };
  assert.strictEqual(described(entry), "Code K7QM4-XA2BC · „Klassenarbeit Nr. 2“ · 8 Aufgaben " +
    "je Gruppe · beide Arten · 2 Gruppen · ohne Taschenrechner · 2 Punkte je Aufgabe · " +
    "erstellt am 7.12.2026 um 09:05 Uhr · gedruckt am 7.12.2026 um 14:30 Uhr");
  assert.strictEqual(described({ ...entry, title: "", points: 0, printed: null }),
                     "Code K7QM4-XA2BC · 8 Aufgaben je Gruppe · beide Arten · 2 Gruppen · " +
                     "ohne Taschenrechner · erstellt am 7.12.2026 um 09:05 Uhr");
});
