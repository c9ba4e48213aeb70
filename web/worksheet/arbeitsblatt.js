// The worksheet page: the teacher's choices (sheet_choices.js), then the sheet that the
// program's own generator and statement writer give for the sheet's code (worksheet.js, the
// WebAssembly module, as a JSON record), planned in pages by sheet_plan.js and made into
// elements by sheet_layout.js. Printing is left to the browser and arbeitsblatt.css. The sheets
// made here are kept in local storage (sheet_store.js), so that no key is lost; the address bar
// never shows the code, since browsers print the address on every page. Arriving, the page
// shows a new sheet, never the last one, whose key a pupil could print; a reload of the tab
// shows the tab's sheet again, from the tab's history entry.

import createWorksheet from "worksheet-module"; // web/worksheet/worksheet_module.cpp, built by Emscripten
import wasmBinary from "worksheet-wasm"; // its WebAssembly, carried in this script
import { keepSiteOffline } from "../offline/offline.js";
import {
  CODE_HELD, CODE_SHOWN, KINDS, MODELS, TRAINER_RULE, TRAINER_TOO_LONG, choicesOf,
  choicesOfRecord, codeError, codeLettersOf, codeNote, fromAddress, keptStatus, madeStatus,
  sheetAddress, sheetQuery, shownAgainStatus, shownCode, tenLetterNote, trainerAddress, webAddress,
} from "./sheet_choices.js";
import { layOut } from "./sheet_layout.js";
import { planSheet } from "./sheet_plan.js";
import {
  KEPT, NOTHING_KEY, STORE_KEY, dated, described, forget, full, printed, remember, storedSheets,
} from "./sheet_store.js";
import { fitsQrCode } from "./trainer_qr.js";

const form = document.getElementById("choices");
const fields = form.elements; // by the names that the address uses too
const sheetElement = document.getElementById("sheet");
const status = document.getElementById("status");
const printNote = document.getElementById("print-note");
const keptList = document.getElementById("kept-list");
const keptNote = document.getElementById("kept-note");
const keepNothing = document.getElementById("keep-nothing");
const HOLD = 1000; // how long an eight-letter code waits for more letters, in milliseconds
const visit = Array.from(crypto.getRandomValues(new Uint8Array(8)), (b) => b.toString(16)).join("");
let shown = null; // the module's record of the sheet on screen
let shownEntry = null; // and its entry in the list
let unkept = ""; // why the sheet on screen is not kept, or nothing
let held = null; // the timer of an eight-letter code that may still grow

// Six random bytes for the random part of a new code, which the program takes modulo its range.
const randomNonce = () => crypto.getRandomValues(new Uint8Array(6))
  .reduce((number, byte) => number * 256 + byte, 0);

// How many problems and solutions a page takes, as arbeitsblatt.css sizes the pages for them.
function pageSizes() {
  const style = getComputedStyle(document.documentElement);
  const size = (name) => Number(style.getPropertyValue(name));
  return { firstPage: size("--first-page-problems"), page: size("--page-problems"),
           mixedFirstPage: size("--mixed-first-page-problems"),
           mixedPage: size("--mixed-page-problems"), keyLines: size("--key-column-lines") };
}

// Whether the teacher asked this device to keep nothing but that wish.
function nothingKept() {
  try {
    return localStorage.getItem(NOTHING_KEY) === "1";
  } catch {
    return false;
  }
}

// The list kept in local storage; null where the browser or the teacher keeps nothing.
function keptSheets() {
  if (nothingKept()) return null;
  try {
    return storedSheets(localStorage.getItem(STORE_KEY));
  } catch {
    return null;
  }
}

// Stores the list; false where the browser refuses it (its storage full or shut).
function store(list) {
  try {
    localStorage.setItem(STORE_KEY, JSON.stringify(list));
    return true;
  } catch {
    return false;
  }
}

const NOT_STORED = "Der Browser nimmt nichts mehr an (sein Speicher ist voll oder gesperrt)";

function showKept(list) {
  const printedOnes = (list ?? []).filter((entry) => entry.printed).length;
  keptNote.textContent = keepNothing.checked
    ? "Diese Seite merkt sich auf diesem Gerät nichts außer dieser Einstellung. Den Code auf " +
      "den Lösungen gut aufheben, denn er allein erstellt das Blatt wieder."
    : list === null
      ? "Dieser Browser lässt die Seite nichts speichern: Den Code auf den Lösungen gut " +
        "aufheben, denn er allein erstellt das Blatt wieder."
      : unkept ? `${unkept}.`
        : list.length === 0 ? "Noch kein Blatt."
          : full(list) ? `Die Liste ist voll mit ${printedOnes} gedruckten Blättern: Ein neues ` +
            "Blatt kommt erst dazu, wenn es gedruckt wird, oder nachdem hier eines gelöscht ist."
            : "";
  keptList.replaceChildren(...(list ?? []).map((entry, index) => {
    const item = document.createElement("li");
    const link = document.createElement("a");
    link.href = `?${sheetQuery(entry, { ...entry.choices, title: entry.title,
                                        points: entry.points })}`;
    link.textContent = entry.label;
    const remove = document.createElement("button");
    remove.type = "button";
    remove.textContent = "Löschen";
    remove.setAttribute("aria-label", `${entry.label} löschen`);
    remove.addEventListener("click", () => keep(forget(keptSheets() ?? [], index)));
    item.append(link, ` · ${described(entry)} `, remove);
    return item;
  }));
  document.getElementById("clear-kept").disabled = (list ?? []).length === 0;
  // Printed without its key, a sheet carries no code: one that is not kept must be noted first.
  printNote.textContent = unkept && shown
    ? `${unkept}. Gedruckt ohne Lösungen trägt das Blatt keinen Code: vor dem Drucken den Code ` +
      `${shownCode(shown.code)} notieren oder die Lösungen mitdrucken.`
    : "";
}

function keep(list) {
  unkept = store(list) ? "" : `${NOT_STORED}: ${shown?.label ?? "Das Blatt"} ist nicht gemerkt`;
  showKept(list);
}

// The sheet on screen kept as the list's newest entry, as far as the list can keep it.
function keepShown() {
  const list = keptSheets();
  if (list === null) {
    unkept = keepNothing.checked ? `Auf Wunsch wird nichts gemerkt, auch ${shown.label} nicht`
      : `Der Browser lässt die Seite nichts speichern: ${shown.label} ist nicht gemerkt`;
    return showKept(null);
  }
  const made = remember(list, shownEntry, visit, new Date().toISOString());
  if (made === list && full(list) && !list.some((entry) => entry.code === shownEntry.code)) {
    unkept = `Die Liste ist voll mit ${KEPT} gedruckten Blättern: ${shown.label} ist nicht gemerkt`;
    return showKept(list);
  }
  return keep(made);
}

const sheetOf = (module, code, choices) => JSON.parse(module.ccall("worksheet", "string",
  ["string", "number", "string", "number"],
  [code, choices.count, KINDS[choices.kind], choices.groups]));

const codeFor = (module, nonce, choices) => module.ccall("sheetCode", "string",
  ["number", "number", "string", "number", "number", "string"],
  [nonce, choices.count, KINDS[choices.kind], choices.groups, choices.calculator === "mit" ? 1 : 0,
   MODELS[choices.models]]);

// The coded choices in the form as the record has them.
function showChoices(record) {
  const choices = choicesOfRecord(record);
  fields.anzahl.value = String(choices.count);
  fields.art.value = choices.kind;
  fields.gruppen.value = String(choices.groups);
  fields.rechner.value = choices.calculator;
  fields.modelle.value = choices.models;
}

// The tab's history entry remembers the sheet for a reload, without showing it in the address.
function rememberInTab(query) {
  try {
    history.replaceState({ sheet: query }, "", location.pathname);
    return true;
  } catch {
    return false; // some browsers refuse it for a file:// page
  }
}

// Shows the sheet of record, with the code in the field unless it was typed there: its pages are
// made first, so that the form never names a sheet that is not on screen.
function render(record, typed = false) {
  const choices = { ...choicesOf(fields), ...choicesOfRecord(record) };
  const trainer = trainerAddress(location.href, fields.trainer.value);
  const pages = layOut(planSheet({
    ...record, mode: choices.mode, title: choices.title, points: choices.points, choices, trainer,
    address: sheetAddress(location.href, trainer, record, choices),
  }, pageSizes()));
  if (!typed) fields.code.value = shownCode(record.code);
  showChoices(record);
  sheetElement.replaceChildren(...pages);
  shown = record;
  document.title = `${record.label} zum Dreisatz`;
  status.textContent = madeStatus(record.label, choices);
  const { title, points } = choices;
  shownEntry = { label: record.label, code: record.code, title, points,
                 choices: choicesOfRecord(record), trainer: webAddress(fields.trainer.value) ?? "" };
  rememberInTab(sheetQuery(record, choices));
  keepShown();
}

function check() {
  const trainer = fields.trainer.value.trim();
  const address = webAddress(trainer);
  fields.trainer.setCustomValidity(trainer && !address ? TRAINER_RULE
    : address && !fitsQrCode(address) ? TRAINER_TOO_LONG : "");
  fields.code.setCustomValidity("");
  return form.checkValidity();
}

// The sheet after a change of field (null for the code drawn anew): a coded choice changes the
// code, keeping its random part; an older code stays with any choice but numbers for working by
// hand and mixed models, which older sheets never had.
function update(module, field) {
  clearTimeout(held);
  held = null;
  const label = shown?.label ?? "das Blatt";
  const invalid = () => {
    const named = form.querySelector(":invalid");
    status.textContent = keptStatus(label, named?.labels?.[0]?.textContent.trim() ??
                                           named?.closest("fieldset")?.querySelector("legend")
                                             ?.textContent ?? "");
  };
  if (!check()) return invalid();
  const choices = choicesOf(fields);
  let code = fields.code.value;
  // A coded choice changed, now or while another field could not be used.
  const coded = shown && choicesOfRecord(shown);
  const changed = coded && ["count", "kind", "groups", "calculator", "models"]
    .some((name) => String(choices[name]) !== String(coded[name]));
  if (field !== null && field !== fields.code && changed) {
    if (!shown.older) code = codeFor(module, shown.nonce, choices);
    else if (choices.calculator === "ohne" || choices.models === "gemischt") {
      code = codeFor(module, randomNonce(), choices);
    }
  }
  const record = sheetOf(module, code, choices);
  if (record.error) {
    fields.code.setCustomValidity(codeError(record.error));
    return invalid();
  }
  return render(record, field === fields.code);
}

// A typed code is read once it is whole. Eight letters may be an older code or the start of a
// new one: they wait until the typing stops, Enter is pressed or the field is left.
function typedCode(module, event) {
  clearTimeout(held);
  held = null;
  const pasted = ["insertFromPaste", "insertFromDrop", "insertReplacementText"];
  if (codeLettersOf(fields.code.value).length !== 8 || pasted.includes(event.inputType)) {
    return update(module, fields.code);
  }
  fields.code.setCustomValidity("");
  status.textContent = CODE_HELD;
  held = setTimeout(() => update(module, fields.code), HOLD);
  return undefined;
}

function readHeldCode(module) {
  if (held !== null) update(module, fields.code);
}

// The sheet to show first: the address's, else the tab's own after a reload, else a new one; and
// the notes on what the address brought.
function firstSheet(module) {
  const fromTab = location.search === "" && typeof history.state?.sheet === "string";
  const query = new URLSearchParams(fromTab ? history.state.sheet : location.search);
  const { values, notes } = fromAddress(query, fields);
  const list = keptSheets();
  if (list?.[0]?.trainer) fields.trainer.value = list[0].trainer;
  for (const [name, value] of Object.entries(values)) fields[name].value = value;
  check();
  if (fields.trainer.validationMessage) fields.trainer.value = ""; // kept by an older page
  const code = query.get("code");
  let record = code === null ? null : sheetOf(module, code, choicesOf(fields));
  if (code !== null && !fromTab && (record.error || record.older)) {
    notes.push(codeNote(record.code, record.error));
  } else if (code !== null && !fromTab && record.code.length === 10) {
    notes.push(tenLetterNote(shownCode(record.code)));
  }
  if (record === null || record.error) {
    record = sheetOf(module, codeFor(module, randomNonce(), choicesOf(fields)), choicesOf(fields));
  }
  render(record);
  const again = fromTab && list?.find((entry) => entry.code === record.code);
  if (again?.made) {
    status.textContent = shownAgainStatus(record.label, choicesOf(fields), dated(again.made));
  }
  document.getElementById("notes").textContent = notes.join(" ");
  // Where the browser would not change it, the address still has the code, which would be
  // printed on every page.
  if (location.search.includes("code=")) status.textContent += ` ${CODE_SHOWN}`;
}

function start(module) {
  form.addEventListener("submit", (event) => event.preventDefault());
  // The sheet follows every input at once, so that printing at any moment prints what is on
  // screen; while a value cannot be used, the status line says that the sheet stays the last
  // one that could, and the value is reported when its field is left.
  form.addEventListener("input", (event) => (event.target === fields.code
    ? typedCode(module, event) : update(module, event.target)));
  fields.code.addEventListener("keydown", (event) => {
    if (event.key === "Enter") readHeldCode(module);
  });
  form.addEventListener("change", (event) => {
    if (event.target === fields.code) readHeldCode(module);
    if (!event.target.reportValidity() || !form.checkValidity()) return;
    for (const name of ["anzahl", "gruppen", "punkte"]) {
      fields[name].value = String(Number(fields[name].value));
    }
    fields.code.value = shownCode(shown.code);
    if (webAddress(fields.trainer.value)) fields.trainer.value = webAddress(fields.trainer.value);
  });
  document.getElementById("draw").addEventListener("click", () => {
    if (!check()) return update(module, null);
    fields.code.value = codeFor(module, randomNonce(), choicesOf(fields));
    return update(module, null);
  });
  document.getElementById("print").addEventListener("click", () => {
    readHeldCode(module);
    if (check() && form.reportValidity()) window.print();
  });
  // Printing from the browser's menu as well as by the button: the sheet printed stays listed.
  window.addEventListener("beforeprint", () => {
    readHeldCode(module);
    const list = keptSheets();
    if (list !== null && shownEntry) keep(printed(list, shownEntry, new Date().toISOString()));
  });
  document.getElementById("clear-kept").addEventListener("click", () => {
    const list = keptSheets() ?? [];
    const printedOnes = list.filter((entry) => entry.printed).length;
    if (printedOnes === 0 || window.confirm(`Alle ${list.length} Blätter aus der Liste löschen? ` +
        `Die Lösungen der ${printedOnes} gedruckten lassen sich dann nur noch mit ihrem Code ` +
        "wieder erstellen.")) {
      keep([]);
    }
  });
  keepNothing.checked = nothingKept();
  keepNothing.addEventListener("change", () => {
    try {
      if (keepNothing.checked) {
        localStorage.removeItem(STORE_KEY);
        localStorage.setItem(NOTHING_KEY, "1");
      } else {
        localStorage.removeItem(NOTHING_KEY);
      }
    } catch {
      // A browser that stores nothing keeps nothing either way; showKept says so.
    }
    if (shown) keepShown();
  });
  firstSheet(module);
  keepSiteOffline(); // a teacher who comes straight here gets the whole site for offline use
}

createWorksheet({ wasmBinary }).then(start);
