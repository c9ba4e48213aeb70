// The worksheet page: the teacher's choices, then the sheet built from the problems that the
// program's own generator and statement writer give for the sheet's code (worksheet.js, the
// WebAssembly module), laid out in pages by sheet_layout.js. Printing is left to the browser
// and arbeitsblatt.css. The choices but the code also stand in the address
// (?anzahl=…&art=…&gruppen=…&loesungen=…); the address with the code, which remakes the
// sheet, stands on the pages of the key only, since browsers print the address on every page.

import createWorksheet from "worksheet-module"; // web/worksheet_module.cpp, built by Emscripten
import { keepSiteOffline } from "./offline.js";
import { layOut } from "./sheet_layout.js";

const KINDS = { beide: 0, arbeit: 1, vorrat: 2 };
const MODES = ["mit", "ohne", "nur"];
const LETTERS = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789"; // as in the module: no 0, O, 1 or I
const CODE_LENGTH = 8;
const form = document.getElementById("choices");
const countField = document.getElementById("count");
const groupsField = document.getElementById("groups");
const codeField = document.getElementById("code");
const sheetElement = document.getElementById("sheet");
const status = document.getElementById("status");

// 32 letters, so a byte's low five bits pick one evenly.
function randomCode() {
  const bytes = crypto.getRandomValues(new Uint8Array(CODE_LENGTH));
  return Array.from(bytes, (byte) => LETTERS[byte & 31]).join("");
}

// A typed code in capitals, without the blanks and dashes that make it easier to read out;
// null when it is not a code.
function codeOf(text) {
  const code = text.toUpperCase().replace(/[\s-]/g, "");
  const valid = code.length === CODE_LENGTH && [...code].every((c) => LETTERS.includes(c));
  return valid ? code : null;
}

const CODE_RULE = "8 Zeichen, A bis Z ohne I und O, 2 bis 9";

// The statement's two sentences as the program words them, each joined onto one line. The blank
// before a question mark is the program's; it is kept, but as a no-break blank, as are those
// between a number and its word, so that neither is left alone at the start of a line.
function sentences(statement) {
  return statement.split("\n\n")
    .map((part) => part.split("\n").map((line) => line.trim()).join(" ").trim())
    .filter((part) => part !== "")
    .map((part) => part.replace(/ \?$/, "\u00a0?").replace(/(\d) /g, "$1\u00a0"));
}

// The sheet's label and each group's problems, as the module writes them.
function sheetOf(module, code, count, kind, groups) {
  const text = module.ccall("worksheet", "string", ["string", "number", "number", "number"],
                            [code, count, KINDS[kind], groups]);
  const [label, ...parts] = text.split("\x1d");
  return {
    label,
    groups: parts.map((part) => part.split("\x1e").map((problem) => {
      const [statement, answer, working] = problem.split("\x1f");
      const lines = working.trimEnd().split("\n");
      const unit = lines[2].split(" ").pop();
      return { sentences: sentences(statement), answer: `${answer} ${unit}`, lines };
    })),
  };
}

function chosen() {
  return {
    code: codeOf(codeField.value),
    count: Number(countField.value),
    kind: form.elements.art.value,
    groups: Number(groupsField.value),
    mode: form.elements.loesungen.value,
  };
}

function addressOf(choices, withCode) {
  const query = new URLSearchParams({
    ...(withCode ? { code: choices.code } : {}),
    anzahl: choices.count, art: choices.kind, gruppen: choices.groups, loesungen: choices.mode,
  });
  return `${location.href.replace(/[?#].*$/, "")}?${query}`;
}

function render(module, choices) {
  const { label, groups } = sheetOf(module, choices.code, choices.count, choices.kind,
                                    choices.groups);
  const named = groups.map((problems, index) => ({
    name: groups.length > 1 ? `Gruppe ${"ABCDEF"[index]}` : "", problems,
  }));
  sheetElement.replaceChildren(...layOut({
    label, mode: choices.mode, code: choices.code, address: addressOf(choices, true),
    trainer: new URL("index.html", location.href).href, groups: named,
  }));
  document.title = `${label} zum Dreisatz`;
  const problemWord = choices.count === 1 ? "Aufgabe" : "Aufgaben";
  status.textContent = choices.groups === 1
    ? `${label} mit ${choices.count} ${problemWord} erstellt.`
    : `${label} mit ${choices.groups} Gruppen zu je ${choices.count} ${problemWord} erstellt.`;
  try {
    history.replaceState(null, "", addressOf(choices, false));
  } catch {
    // Some browsers refuse to change the address of a file:// page; the sheet is there anyway,
    // but an address with the code would be printed on every page.
    if (new URLSearchParams(location.search).has("code")) status.textContent += ` ${CODE_SHOWN}`;
  }
}

const CODE_SHOWN = "Die Adresszeile zeigt noch den Code: vor dem Drucken die Kopf- und " +
  "Fußzeilen des Browsers ausschalten.";

const shownLabel = () => document.title.replace(/ zum Dreisatz$/, "");

// A value of the address as the status line names it: a long one cut short.
const shortened = (value) => (value.length > 20 ? `${value.slice(0, 20)}…` : value);

// The address's values: each valid one goes into its field; each other one is named, with what
// the sheet takes instead, and its field keeps its default.
function fromAddress(query) {
  const notes = [];
  const whole = (name, label, field, instead) => {
    const value = query.get(name);
    if (value === null) return;
    const min = Number(field.min);
    const max = Number(field.max);
    if (/^\d{1,9}$/.test(value) && Number(value) >= min && Number(value) <= max) {
      field.value = String(Number(value));
    } else {
      notes.push(`${label} ${shortened(value)} geht nicht (${min} bis ${max}): ${instead()}.`);
    }
  };
  const oneOf = (name, label, values, rule) => {
    const value = query.get(name);
    const field = form.elements[name];
    if (values.includes(value)) field.value = value;
    else if (value !== null) {
      notes.push(`${label} ${shortened(value)} geht nicht (${rule}): ${field.value}.`);
    }
  };
  whole("anzahl", "Anzahl", countField, () => `${countField.value} Aufgaben`);
  oneOf("art", "Art", Object.keys(KINDS), "beide, arbeit oder vorrat");
  whole("gruppen", "Gruppen", groupsField, () => {
    const groups = Number(groupsField.value);
    return groups === 1 ? "1 Gruppe" : `${groups} Gruppen`;
  });
  oneOf("loesungen", "Lösungen", MODES, "mit, ohne oder nur");
  const code = query.get("code");
  if (code !== null && codeOf(code)) codeField.value = codeOf(code);
  else if (code !== null) {
    notes.push(`Code ${shortened(code)} geht nicht (${CODE_RULE}): ${codeField.value}.`);
  }
  // Sheets had numbers before they had codes; a number remakes nothing now.
  const number = query.get("blatt");
  if (number !== null && code === null) {
    notes.push(`Blatt ${shortened(number)} gibt es nicht mehr (Blätter haben einen Code): ` +
               `neuer Code ${codeField.value}.`);
  }
  return notes;
}

// A code that is not one makes its field invalid, as a number out of range does.
function checkCode() {
  codeField.setCustomValidity(codeOf(codeField.value) ? "" : `Der Code hat ${CODE_RULE}.`);
}

function start(module) {
  codeField.value = randomCode();
  const notes = fromAddress(new URLSearchParams(location.search));

  const update = () => {
    checkCode();
    if (form.reportValidity()) render(module, chosen());
  };
  form.addEventListener("submit", (event) => {
    event.preventDefault();
    update();
  });
  // The sheet follows every input at once, so that printing at any moment prints what is on
  // screen; while a value cannot be used, the status line says that the sheet is the last one
  // that could, and the value is reported when its field is left.
  form.addEventListener("input", () => {
    checkCode();
    if (form.checkValidity()) render(module, chosen());
    else status.textContent = `So geht die Auswahl nicht; es bleibt ${shownLabel()}.`;
  });
  form.addEventListener("change", (event) => {
    checkCode();
    if (!event.target.reportValidity() || !form.checkValidity()) return;
    for (const field of [countField, groupsField]) field.value = String(Number(field.value));
    codeField.value = codeOf(codeField.value);
  });
  document.getElementById("draw").addEventListener("click", () => {
    codeField.value = randomCode();
    update();
  });
  document.getElementById("print").addEventListener("click", () => {
    checkCode();
    if (form.reportValidity()) window.print();
  });
  render(module, chosen());
  status.textContent = [...notes, status.textContent].join(" ");
  keepSiteOffline(); // a teacher who comes straight here gets the whole site for offline use
}

createWorksheet().then(start);
