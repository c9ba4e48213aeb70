// The worksheet page: the teacher's choices, then the sheet built from the problems that the
// program's own generator and statement writer give for the sheet number (worksheet.js, the
// WebAssembly module), laid out in pages by sheet_layout.js. The choices also
// stand in the address (?blatt=…&anzahl=…&art=…), so that a bookmark brings a sheet back.

import createWorksheet from "worksheet-module"; // web/worksheet_module.cpp, built by Emscripten
import { keepSiteOffline } from "./offline.js";
import { layOut } from "./sheet_layout.js";

const KINDS = { beide: 0, arbeit: 1, vorrat: 2 };
const form = document.getElementById("choices");
const countField = document.getElementById("count");
const numberField = document.getElementById("number");
const sheet = document.getElementById("sheet");
const status = document.getElementById("status");

function randomSheetNumber() {
  return 1 + Math.floor(Math.random() * 99999);
}

// The statement's two sentences as the program words them, each joined onto one line. The blank
// before a question mark is the program's; it is kept, but as a no-break blank, as are those
// between a number and its word, so that neither is left alone at the start of a line.
function sentences(statement) {
  return statement.split("\n\n")
    .map((part) => part.split("\n").map((line) => line.trim()).join(" ").trim())
    .filter((part) => part !== "")
    .map((part) => part.replace(/ \?$/, "\u00a0?").replace(/(\d) /g, "$1\u00a0"));
}

function problemsOf(module, number, count, kinds) {
  const text = module.ccall("worksheet", "string", ["number", "number", "number"],
                            [number, count, kinds]);
  return text.split("\x1e").map((problem) => {
    const [statement, answer, working] = problem.split("\x1f");
    const lines = working.trimEnd().split("\n");
    const unit = lines[2].split(" ").pop();
    return { sentences: sentences(statement), answer: `${answer} ${unit}`, lines };
  });
}

function render(module, number, count, kind) {
  const problems = problemsOf(module, number, count, KINDS[kind]);
  const label = `Arbeitsblatt Nr. ${number}`;
  // The address of this sheet, not that of the last one: the address bar changes below.
  const query = new URLSearchParams({ blatt: number, anzahl: count, art: kind });
  sheet.replaceChildren(...layOut({
    label, mode: "mit", code: "", address: new URL(`?${query}`, location.href).href,
    trainer: new URL("index.html", location.href).href, groups: [{ name: "", problems }],
  }));
  document.title = `${label} zum Dreisatz`;
  const problemWord = problems.length === 1 ? "Aufgabe" : "Aufgaben";
  status.textContent = `${label} mit ${problems.length} ${problemWord} erstellt.`;
  try {
    history.replaceState(null, "", `?${query}`);
  } catch {
    // Some browsers refuse to change the address of a file:// page; the sheet is there anyway.
  }
}

function chosen() {
  return [Number(numberField.value), Number(countField.value), form.elements.art.value];
}

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
      notes.push(`${label} ${value} geht nicht (${min} bis ${max}): ${instead()}.`);
    }
  };
  whole("anzahl", "Anzahl", countField, () => `${countField.value} Aufgaben`);
  whole("blatt", "Blatt", numberField, () => `Nr. ${numberField.value}`);
  const kind = query.get("art");
  if (Object.prototype.hasOwnProperty.call(KINDS, kind)) { // not "toString" and the like
    form.elements.art.value = kind;
  } else if (kind !== null) {
    notes.push(`Art ${kind} geht nicht (beide, arbeit oder vorrat): ${form.elements.art.value}.`);
  }
  return notes;
}

function start(module) {
  numberField.value = randomSheetNumber();
  const notes = fromAddress(new URLSearchParams(location.search));

  const update = () => {
    if (form.reportValidity()) render(module, ...chosen());
  };
  form.addEventListener("submit", (event) => {
    event.preventDefault();
    update();
  });
  // The sheet follows every input at once, so that printing at any moment prints what is on
  // screen; a value that cannot be used is reported when its field is left.
  form.addEventListener("input", () => form.checkValidity() && render(module, ...chosen()));
  form.addEventListener("change", () => {
    if (!form.reportValidity()) return;
    for (const field of [countField, numberField]) field.value = String(Number(field.value));
  });
  document.getElementById("draw").addEventListener("click", () => {
    numberField.value = randomSheetNumber();
    update();
  });
  document.getElementById("print").addEventListener("click", () => window.print());
  render(module, ...chosen());
  status.textContent = [...notes, status.textContent].join(" ");
  keepSiteOffline(); // a teacher who comes straight here gets the whole site for offline use
}

createWorksheet().then(start);
