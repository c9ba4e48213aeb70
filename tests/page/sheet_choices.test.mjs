// The worksheet's choices: codes, the address's values with their notes, the address that
// remakes a sheet, the status line.
import assert from "node:assert";
import { test } from "node:test";
import {
  CODE_LENGTH, choicesOf, codeOf, codeValidity, fromAddress, madeStatus, randomCode, sheetAddress,
} from "../../web/sheet_choices.js";

const CODES = [
  ["K7QM4XA2", "K7QM4XA2"], ["k7qm-4xa2", "K7QM4XA2"], [" K7QM 4XA2\t", "K7QM4XA2"],
  ["K7QM4XA", null], ["K7QM4XA22", null], ["K7QM4XA0", null], ["K7QM4XO2", null],
  ["K7QM4XI2", null], ["K7QM4X12", null], ["K7QM4XÄ2", null], ["K7QM_XA2", null], ["", null],
];

for (const [text, code] of CODES) {
  test(`"${text}" is ${code ? `the code ${code}` : "no code"}`, () => {
    assert.strictEqual(codeOf(text), code);
    assert.strictEqual(codeValidity(text) === "", code !== null);
  });
}

test("random bytes give valid codes, each byte's letter as likely as any other", () => {
  const letters = new Map();
  for (let byte = 0; byte < 256; byte += 1) {
    const code = randomCode(new Uint8Array(CODE_LENGTH).fill(byte));
    assert.strictEqual(codeOf(code), code);
    letters.set(code[0], (letters.get(code[0]) ?? 0) + 1);
  }
  assert.deepStrictEqual([letters.size, new Set(letters.values())], [32, new Set([8])]);
});

// The form's fields as the page has them, with a drawn code.
const FIELDS = {
  anzahl: { value: "8", min: "1", max: "30" }, gruppen: { value: "1", min: "1", max: "6" },
  art: { value: "beide" }, loesungen: { value: "mit" }, code: { value: "DRAWN234" },
};
const RULE = "(8 Zeichen, A bis Z ohne I und O, 2 bis 9)";

// Each row: the address's query, the values the fields take, the notes.
const ADDRESSES = [
  ["?code=K7QM4XA2&anzahl=12&art=vorrat&gruppen=3&loesungen=nur",
    { anzahl: "12", art: "vorrat", gruppen: "3", loesungen: "nur", code: "K7QM4XA2" }, []],
  ["?anzahl=08&gruppen=006", { anzahl: "8", gruppen: "6" }, []],
  ["?code=k7qm-4xa2&anzahl=3", { anzahl: "3", code: "K7QM4XA2" }, []],
  ["?anzahl=40", {}, ["Anzahl 40 geht nicht (1 bis 30): 8 Aufgaben."]],
  ["?anzahl=8.5", {}, ["Anzahl 8.5 geht nicht (1 bis 30): 8 Aufgaben."]],
  ["?anzahl=1e1", {}, ["Anzahl 1e1 geht nicht (1 bis 30): 8 Aufgaben."]],
  ["?anzahl=0000000005", {}, ["Anzahl 0000000005 geht nicht (1 bis 30): 8 Aufgaben."]],
  ["?art=toString", {}, ["Art toString geht nicht (beide, arbeit oder vorrat): beide."]],
  ["?code=K7QM4XA0&anzahl=5", { anzahl: "5" }, [`Code K7QM4XA0 geht nicht ${RULE}: DRAWN234.`]],
  [`?code=${"X".repeat(5000)}`, {}, [`Code ${"X".repeat(20)}… geht nicht ${RULE}: DRAWN234.`]],
  ["?blatt=2026&anzahl=5", { anzahl: "5" },
    ["Blatt 2026 gibt es nicht mehr (Blätter haben einen Code): neuer Code DRAWN234."]],
  ["?blatt=2026&code=K7QM4XA2", { code: "K7QM4XA2" }, []],
  ["?code=K7QM&loesungen=x&gruppen=0&art=alle&anzahl=x", {}, [
    "Anzahl x geht nicht (1 bis 30): 8 Aufgaben.",
    "Art alle geht nicht (beide, arbeit oder vorrat): beide.",
    "Gruppen 0 geht nicht (1 bis 6): 1 Gruppe.",
    "Lösungen x geht nicht (mit, ohne oder nur): mit.",
    `Code K7QM geht nicht ${RULE}: DRAWN234.`,
  ]],
];

for (const [query, values, notes] of ADDRESSES) {
  test(`the address ${query.slice(0, 40)} fills the fields it can, and names the others`, () => {
    assert.deepStrictEqual(fromAddress(new URLSearchParams(query), FIELDS), { values, notes });
  });
}

// Each row: the choices, the address with the code, and the one without it.
const SHEETS = [
  [{ code: "HJKMNPQR", count: 30, kind: "vorrat", groups: 6, mode: "nur" },
    "?code=HJKMNPQR&anzahl=30&art=vorrat&gruppen=6&loesungen=nur",
    "?anzahl=30&art=vorrat&gruppen=6&loesungen=nur"],
];

for (const [choices, withCode, withoutCode] of SHEETS) {
  test(`the address that remakes ${withCode}, and the one a pupil may see`, () => {
    const page = "file:///home/lehrerin/Arbeitsblätter/arbeitsblatt.html";
    const made = sheetAddress(`${page}?code=ZZZZZZZZ&anzahl=2#oben`, choices, true);
    assert.strictEqual(made, page + withCode);
    assert.strictEqual(sheetAddress(page, choices, false), page + withoutCode);
    // Read back as the page reads its address, the choices are the same.
    const { values } = fromAddress(new URLSearchParams(withCode), FIELDS);
    const fields = Object.fromEntries(Object.entries(values).map(([name, value]) =>
      [name, { value }]));
    assert.deepStrictEqual(choicesOf(fields), choices);
  });
}

const STATUSES = [
  [1, 1, "Blatt 6G4X mit 1 Aufgabe erstellt."],
  [8, 1, "Blatt 6G4X mit 8 Aufgaben erstellt."],
  [1, 2, "Blatt 6G4X mit 2 Gruppen zu je 1 Aufgabe erstellt."],
  [30, 6, "Blatt 6G4X mit 6 Gruppen zu je 30 Aufgaben erstellt."],
];

for (const [count, groups, sentence] of STATUSES) {
  test(`the status of ${groups} group(s) of ${count}`, () => {
    assert.strictEqual(madeStatus("Blatt 6G4X", { count, groups }), sentence);
  });
}
