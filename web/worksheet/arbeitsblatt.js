// The worksheet page: the teacher's choices (sheet_choices.js), then the sheet that the
// program's own generator and statement writer give for the sheet's code (worksheet.js, the
// WebAssembly module, as a JSON record), planned in pages by sheet_plan.js and made into
// elements by sheet_layout.js. Printing is left to the browser and arbeitsblatt.css. The sheets
// made here are kept in local storage (sheet_store.js), so that a reload shows the last one and
// no key is lost; the address bar never shows the code, since browsers print the address on
// every page.

import createWorksheet from "worksheet-module"; // web/worksheet/worksheet_module.cpp, built by Emscripten
import { keepSiteOffline } from "../offline/offline.js";
import {
  CODE_SHOWN, KINDS, TRAINER_RULE, choicesOf, choicesOfRecord, codeError, codeNote, fromAddress,
  keptStatus, madeStatus, sheetAddress, sheetQuery, shownAgainStatus, shownCode,
  trainerAddress, webAddress,
} from "./sheet_choices.js";
import { layOut } from "./sheet_layout.js";
import { planSheet } from "./sheet_plan.js";
import {
  STORE_KEY, dated, described, forget, printed, remember, storedSheets,
} from "./sheet_store.js";

const form = document.getElementById("choices");
const fields = form.elements; // by the names that the address uses too
const sheetElement = document.getElementById("sheet");
const status = document.getElementById("status");
const keptList = document.getElementById("kept-list");
const keptNote = document.getElementById("kept-note");
const CODED = ["anzahl", "art", "gruppen", "rechner"]; // the choices that a code carries
const visit = Array.from(crypto.getRandomValues(new Uint8Array(8)), (b) => b.toString(16)).join("");
let shown = null; // the module's record of the sheet on screen

// Six random bytes for the random part of a new code, which the program takes modulo its range.
const randomNonce = () => crypto.getRandomValues(new Uint8Array(6))
  .reduce((number, byte) => number * 256 + byte, 0);

// How many problems and solutions a page takes, as arbeitsblatt.css sizes the pages for them.
function pageSizes() {
  const style = getComputedStyle(document.documentElement);
  const size = (name) => Number(style.getPropertyValue(name));
  return { firstPage: size("--first-page-problems"), page: size("--page-problems"),
           key: size("--key-page-solutions") };
}

// The list kept in local storage; null where the browser keeps nothing for this page.
function keptSheets() {
  try {
    return storedSheets(localStorage.getItem(STORE_KEY));
  } catch {
    return null;
  }
}

function keep(list) {
  try {
    localStorage.setItem(STORE_KEY, JSON.stringify(list));
  } catch {
    // A full or refused storage leaves the list as it was; the code on the key still remakes.
  }
  showKept(list);
}

function showKept(list) {
  keptNote.textContent = list === null
    ? "Dieser Browser lässt die Seite nichts speichern: Den Code auf den Lösungen gut " +
      "aufheben, denn er allein erstellt das Blatt wieder."
    : list.length === 0 ? "Noch kein Blatt." : "";
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
}

const sheetOf = (module, code, choices) => JSON.parse(module.ccall("worksheet", "string",
  ["string", "number", "string", "number"],
  [code, choices.count, KINDS[choices.kind], choices.groups]));

const codeFor = (module, nonce, choices) => module.ccall("sheetCode", "string",
  ["number", "number", "string", "number", "number"],
  [nonce, choices.count, KINDS[choices.kind], choices.groups, choices.calculator === "mit" ? 1 : 0]);

function render(record) {
  const choices = { ...choicesOf(fields), ...choicesOfRecord(record) };
  const trainer = trainerAddress(location.href, fields.trainer.value);
  sheetElement.replaceChildren(...layOut(planSheet({
    ...record, mode: choices.mode, title: choices.title, points: choices.points, choices, trainer,
    address: sheetAddress(location.href, trainer, record, choices),
  }, pageSizes())));
  shown = record;
  document.title = `${record.label} zum Dreisatz`;
  status.textContent = madeStatus(record.label, choices);
  const list = keptSheets();
  if (list === null) return showKept(null);
  const { title, points } = choices;
  const entry = { label: record.label, code: record.code, title, points,
                  choices: choicesOfRecord(record), trainer: webAddress(fields.trainer.value) ?? "" };
  return keep(remember(list, entry, visit, new Date().toISOString()));
}

// The coded choices in the form as the record has them.
function showChoices(record) {
  const choices = choicesOfRecord(record);
  fields.anzahl.value = String(choices.count);
  fields.art.value = choices.kind;
  fields.gruppen.value = String(choices.groups);
  fields.rechner.value = choices.calculator;
}

function check() {
  const trainer = fields.trainer.value.trim();
  fields.trainer.setCustomValidity(trainer && !webAddress(trainer) ? TRAINER_RULE : "");
  fields.code.setCustomValidity("");
  return form.checkValidity();
}

// The sheet after a change of field (null for the code drawn anew): a coded choice changes the
// code, keeping its random part; an older code stays with any choice but numbers for working by
// hand, which older sheets never had.
function update(module, field) {
  const label = shown?.label ?? "das Blatt";
  const invalid = () => {
    const named = form.querySelector(":invalid");
    status.textContent = keptStatus(label, named?.labels?.[0]?.textContent.trim() ?? "");
  };
  if (!check()) return invalid();
  const choices = choicesOf(fields);
  let code = fields.code.value;
  if (CODED.includes(field?.name) && shown) {
    if (!shown.older) code = codeFor(module, shown.nonce, choices);
    else if (choices.calculator === "ohne") code = codeFor(module, randomNonce(), choices);
  }
  const record = sheetOf(module, code, choices);
  if (record.error) {
    fields.code.setCustomValidity(codeError(record.error));
    return invalid();
  }
  if (field !== fields.code) fields.code.value = shownCode(record.code);
  showChoices(record);
  return render(record);
}

// The sheet to show first: the address's, else the one kept last, else a new one; and the
// notes on what the address brought.
function firstSheet(module) {
  const query = new URLSearchParams(location.search);
  const { values, notes } = fromAddress(query, fields);
  const newest = keptSheets()?.[0];
  if (newest?.trainer) fields.trainer.value = newest.trainer;
  const asked = query.has("code") || CODED.some((name) => query.has(name)) || query.has("blatt");
  if (!asked && newest) {
    values.titel ??= newest.title;
    values.punkte ??= String(newest.points);
    fields.anzahl.value = String(newest.choices.count);
    fields.art.value = newest.choices.kind;
    fields.gruppen.value = String(newest.choices.groups);
  }
  for (const [name, value] of Object.entries(values)) fields[name].value = value;
  const code = query.get("code") ?? (asked ? null : newest?.code) ?? null;
  let record = code === null ? null : sheetOf(module, code, choicesOf(fields));
  if (query.has("code") && (record.error || record.older)) {
    notes.push(codeNote(record.code, record.error));
  }
  if (record === null || record.error) {
    record = sheetOf(module, codeFor(module, randomNonce(), choicesOf(fields)), choicesOf(fields));
  }
  fields.code.value = shownCode(record.code);
  showChoices(record);
  render(record);
  if (!asked && newest?.code === record.code) {
    status.textContent = shownAgainStatus(record.label, choicesOf(fields), dated(newest.made));
  }
  document.getElementById("notes").textContent = notes.join(" ");
  try {
    history.replaceState(null, "", location.pathname);
  } catch {
    // Some browsers refuse to change the address of a file:// page; the sheet is there anyway,
    // but an address with the code would be printed on every page.
    if (query.has("code")) status.textContent += ` ${CODE_SHOWN}`;
  }
}

function start(module) {
  form.addEventListener("submit", (event) => event.preventDefault());
  // The sheet follows every input at once, so that printing at any moment prints what is on
  // screen; while a value cannot be used, the status line says that the sheet stays the last
  // one that could, and the value is reported when its field is left.
  form.addEventListener("input", (event) => update(module, event.target));
  form.addEventListener("change", (event) => {
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
    if (check() && form.reportValidity()) window.print();
  });
  // Printing from the browser's menu as well as by the button: the sheet printed stays listed.
  window.addEventListener("beforeprint", () => {
    const list = keptSheets();
    if (list !== null && shown) keep(printed(list, new Date().toISOString()));
  });
  firstSheet(module);
  keepSiteOffline(); // a teacher who comes straight here gets the whole site for offline use
}

createWorksheet().then(start);
