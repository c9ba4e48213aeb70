// The worksheet's choices: the address's values with their notes, the addresses that remake a
// sheet and lead to the trainer, the choices in words, the status line.
import assert from "node:assert";
import { test } from "node:test";
import {
  choicesInWords, choicesOf, choicesOfRecord, codeLettersOf, codeNote, defaultTitle, fromAddress,
  keptStatus, madeStatus, sheetAddress, sheetQuery, shownCode, tenLetterNote, trainerAddress,
  webAddress,
} from "../../web/worksheet/sheet_choices.js";
import { code, worksheet } from "./records.mjs";

// The form's fields as the page has them.
const FIELDS = {
  anzahl: { value: "8", min: "1", max: "30" }, gruppen: { value: "1", min: "1", max: "6" },
  punkte: { value: "0", min: "0", max: "20" }, art: { value: "beide" },
  rechner: { value: "ohne" }, modelle: { value: "umgekehrt" }, loesungen: { value: "ohne" },
  titel: { value: "", maxLength: 60 },
};

// Each row: the address's query, the values the fields take, the notes.
const ADDRESSES = [
  ["?anzahl=12&art=vorrat&gruppen=3&rechner=mit&loesungen=nur&punkte=2&titel=Test%201",
    { anzahl: "12", art: "vorrat", gruppen: "3", rechner: "mit", loesungen: "nur", punkte: "2",
      titel: "Test 1" }, []],
  ["?anzahl=08&gruppen=006", { anzahl: "8", gruppen: "6" }, []],
  ["?modelle=Gemischt", { modelle: "gemischt" }, []],
  ["?modelle=proportional", {}, ["In der Adresse ist „proportional“ nicht möglich für den " +
    "Zusammenhang (umgekehrt oder gemischt); das Blatt hat nur umgekehrt proportionale " +
    "Aufgaben."]],
  ["?art=ARBEIT&loesungen=Nur&rechner=MIT", { art: "arbeit", loesungen: "nur", rechner: "mit" },
    []],
  [`?titel=${"x".repeat(80)}`, { titel: "x".repeat(60) }, []],
  ["?anzahl=40", {}, ["In der Adresse ist „40“ nicht möglich für die Anzahl (1 bis 30); " +
    "das Blatt hat 8 Aufgaben je Gruppe."]],
  ["?anzahl=", {}, ["In der Adresse fehlt der Wert für die Anzahl (1 bis 30); das Blatt hat " +
    "8 Aufgaben je Gruppe."]],
  ["?anzahl=1e1", {}, ["In der Adresse ist „1e1“ nicht möglich für die Anzahl (1 bis 30); " +
    "das Blatt hat 8 Aufgaben je Gruppe."]],
  ["?gruppen=9", {}, ["In der Adresse ist „9“ nicht möglich für die Gruppen (1 bis 6); das " +
    "Blatt hat 1 Gruppe."]],
  ["?art=toString", {}, ["In der Adresse ist „toString“ nicht möglich für die Art (beide, " +
    "arbeit oder vorrat); das Blatt hat beide Arten."]],
  ["?rechner=vielleicht", {}, ["In der Adresse ist „vielleicht“ nicht möglich für den " +
    "Taschenrechner (ohne oder mit); das Blatt ist ohne Taschenrechner."]],
  [`?loesungen=${"y".repeat(5000)}`, {}, [`In der Adresse ist „${"y".repeat(20)}…“ nicht ` +
    "möglich für die Lösungen (ohne, nur oder mit); gedruckt wird ohne Lösungen."]],
  ["?punkte=21", {}, ["In der Adresse ist „21“ nicht möglich für die Punkte (0 bis 20); das " +
    "Blatt hat keine Punkte."]],
  ["?blatt=2026&anzahl=5", { anzahl: "5" }, ["Blätter mit Nummern wie „2026“ gibt es nicht " +
    "mehr; jedes Blatt hat jetzt einen Code. Dies ist ein neues Blatt."]],
  ["?blatt=2026&code=K7QM4XA2", {}, []],
];

for (const [query, values, notes] of ADDRESSES) {
  test(`the address ${query.slice(0, 40)} fills the fields it can, and names the others`, () => {
    assert.deepStrictEqual(fromAddress(new URLSearchParams(query), FIELDS), { values, notes });
  });
}

test("no note has a double blank, a blank before a stop, or a value without its quotes", () => {
  const query = new URLSearchParams("anzahl=&art=&gruppen=&rechner=&modelle=&loesungen=&punkte=" +
                                    "&blatt=");
  const { notes } = fromAddress(query, FIELDS);
  assert.strictEqual(notes.length, 8);
  for (const note of [...notes, codeNote("", "length"), codeNote("K7QM4XA2"),
                      tenLetterNote("AAAAA-ABK8S")]) {
    assert.doesNotMatch(note, /\s\s|\s[.,;:]|„“/, note);
  }
});

const NOTES = [
  ["K7QM", "length", "Der Code „K7QM“ aus der Adresse ergibt kein Blatt: Ein Code hat 11 " +
    "Zeichen (der eines älteren Blatts 10 oder 8). Dies ist ein neues Blatt."],
  ["K7QM4XA0", "letter", "Der Code „K7QM4XA0“ aus der Adresse ergibt kein Blatt: Ein Code " +
    "hat nur die Buchstaben A bis Z ohne I und O und die Ziffern 2 bis 9. Dies ist ein neues " +
    "Blatt."],
  ["AAAAAAAAAB", "mistyped", "Der Code „AAAAAAAAAB“ aus der Adresse ergibt kein Blatt: Dieser " +
    "Code ist vertippt: Ein Zeichen stimmt nicht, oder zwei sind vertauscht. Dies ist ein " +
    "neues Blatt."],
  ["K7QM4XA2", undefined, "Der Code K7QM4XA2 ist der eines älteren Blatts: Er ergibt es " +
    "wieder mit der Anzahl, der Art und den Gruppen, die die Adresse auf seinen Lösungen " +
    "nennt, und immer mit Zahlen für den Taschenrechner und nur umgekehrt proportionalen " +
    "Aufgaben."],
];

for (const [typed, error, note] of NOTES) {
  test(`the note on the code ${typed} from the address`, () => {
    if (error) assert.strictEqual(worksheet(typed).error, error);
    assert.strictEqual(codeNote(typed, error), note);
  });
}

// A code's choices in the form's words, as the program reads them back from the code.
const CODED = [
  [[1, 7, "supply", 6, true], { count: 7, kind: "vorrat", groups: 6, calculator: "mit",
                                models: "umgekehrt" },
    "7 Aufgaben je Gruppe · nur Vorrat · 6 Gruppen · mit Taschenrechner · nur umgekehrt " +
    "proportional"],
  [[2, 1, "work", 1, false, "mixed"], { count: 1, kind: "arbeit", groups: 1, calculator: "ohne",
                                        models: "gemischt" },
    "1 Aufgabe je Gruppe · nur Arbeit · 1 Gruppe · ohne Taschenrechner · Zusammenhang gemischt"],
  [[3, 30, "both", 2, false], { count: 30, kind: "beide", groups: 2, calculator: "ohne",
                                models: "umgekehrt" },
    "30 Aufgaben je Gruppe · beide Arten · 2 Gruppen · ohne Taschenrechner · nur umgekehrt " +
    "proportional"],
];

for (const [made, choices, words] of CODED) {
  test(`the code of ${made.join(" ")} brings back its choices: ${words}`, () => {
    const sheet = worksheet(code(...made));
    assert.deepStrictEqual(choicesOfRecord(sheet), choices);
    assert.strictEqual(choicesInWords(choices), words);
    assert.match(shownCode(sheet.code), /^[A-HJ-NP-Z2-9]{4}-[A-HJ-NP-Z2-9]{4}-[A-HJ-NP-Z2-9]{3}$/);
    assert.deepStrictEqual(worksheet(codeLettersOf(shownCode(sheet.code).toLowerCase())), sheet);
  });
}

// Each row: a code as the program has it, as the page shows and prints it, and what the address
// that remakes it carries besides the code.
const SHOWN = [
  ["K7QM4XA2BCQ", "K7QM-4XA2-BCQ", ["code", "titel"]],
  ["AAAAAABK8S", "AAAAA-ABK8S", ["code", "titel"]],
  ["K7QM4XA2", "K7QM4XA2", ["code", "anzahl", "art", "gruppen", "titel"]],
];

for (const [made, shown, query] of SHOWN) {
  test(`the code ${made} is shown as ${shown}, and remade by an address with ${query}`, () => {
    assert.strictEqual(shownCode(made), shown);
    assert.strictEqual(codeLettersOf(` ${shown.toLowerCase()}\t`), made);
    const choices = { count: 5, kind: "arbeit", groups: 2, title: "Test", points: 0 };
    assert.deepStrictEqual([...new URLSearchParams(sheetQuery({ code: made }, choices)).keys()],
                           query);
  });
}

test("a sheet without a title of its own is headed by what it asks", () => {
  assert.deepStrictEqual([defaultTitle("umgekehrt"), defaultTitle("gemischt")],
                         ["Umgekehrter Dreisatz", "Dreisatz"]);
});

// What a teacher may type as the trainer's address, and what is printed.
const WEB_ADDRESSES = [
  ["https://schule.example/dreisatz/index.html", "https://schule.example/dreisatz/index.html"],
  ["schule.example/dreisatz", "https://schule.example/dreisatz/"],
  [" http://schule.example ", "http://schule.example/"],
  ["file:///home/lehrerin/Mathe%207b/index.html", null],
  ["/home/lehrerin/Mathe 7b/index.html", null],
  ["C:\\Users\\Lehrerin\\index.html", null],
  ["localhost", null],
  ["", null],
];

for (const [typed, address] of WEB_ADDRESSES) {
  test(`"${typed}" as the trainer's address gives ${address}`, () => {
    assert.strictEqual(webAddress(typed), address);
  });
}

// Each row: where the page was opened, the address typed, the trainer's address printed, and the
// address that remakes the sheet.
const OPENED = [
  ["file:///home/lehrerin/Mathe%207b%20Arbeitsbl%C3%A4tter/arbeitsblatt.html?code=X", "",
    null, null],
  ["file:///home/lehrerin/arbeitsblatt.html", "schule.example/dreisatz",
    "https://schule.example/dreisatz/", "https://schule.example/dreisatz/arbeitsblatt.html?"],
  ["https://schule.example/d/arbeitsblatt.html?code=X", "", "https://schule.example/d/index.html",
    "https://schule.example/d/arbeitsblatt.html?"],
  ["https://schule.example/d/arbeitsblatt.html", "https://andere.example/t/",
    "https://andere.example/t/", "https://schule.example/d/arbeitsblatt.html?"],
];

for (const [href, typed, trainer, remakes] of OPENED) {
  test(`opened at ${href.slice(0, 36)}, with "${typed}" typed: nothing of the disk`, () => {
    assert.strictEqual(trainerAddress(href, typed), trainer);
    const sheet = { code: "ABCDEFGHJKL" };
    const choices = { count: 8, kind: "beide", groups: 2, title: "", points: 0 };
    const address = sheetAddress(href, trainer, sheet, choices);
    assert.strictEqual(address, remakes && `${remakes}code=ABCDEFGHJKL`);
  });
}

// The address that remakes a sheet, read back as the page reads its address.
test("the address that remakes a sheet brings back its code, title and points", () => {
  const made = worksheet(code(5, 12, "supply", 3, false, "mixed"));
  const choices = { ...choicesOfRecord(made), mode: "nur", title: "Klassenarbeit Nr. 2",
                    points: 3 };
  const address = new URL(sheetAddress("https://schule.example/a/", null, made, choices));
  assert.deepStrictEqual([...address.searchParams.keys()], ["code", "titel", "punkte"]);
  const { values } = fromAddress(address.searchParams, FIELDS);
  const fields = { ...FIELDS, loesungen: { value: "nur" } };
  for (const [name, value] of Object.entries(values)) fields[name] = { value };
  const again = worksheet(address.searchParams.get("code"));
  assert.deepStrictEqual({ ...choicesOf(fields), ...choicesOfRecord(again) }, choices);
  assert.deepStrictEqual(again, made);
});

test("an older code's address carries the choices that its code does not", () => {
  const older = worksheet("K7QM4XA2", 5, "work", 2);
  const choices = { ...choicesOfRecord(older), title: "", points: 0 };
  assert.deepStrictEqual(choices, { count: 5, kind: "arbeit", groups: 2, calculator: "mit",
                                    models: "umgekehrt", title: "", points: 0 });
  const address = new URL(sheetAddress("http://127.0.0.1:8000/", null, older, choices));
  assert.strictEqual(address.search, "?code=K7QM4XA2&anzahl=5&art=arbeit&gruppen=2");
});

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

test("the status while a field cannot be used names the field", () => {
  assert.strictEqual(keptStatus("Blatt 6G4X", "Code"),
                     "Die Eingabe bei „Code“ passt so nicht; bis sie stimmt, bleibt Blatt 6G4X " +
                     "stehen.");
});
