// The worksheet page: the teacher's choices, then the sheet built from the problems that the
// program's own generator and statement writer give for the sheet number (worksheet.js, the
// WebAssembly module). Printing is left to the browser and arbeitsblatt.css. The choices also
// stand in the address (?blatt=…&anzahl=…&art=…), so that a bookmark brings a sheet back.

import createWorksheet from "worksheet-module"; // web/worksheet_module.cpp, built by Emscripten
import { keepSiteOffline } from "./offline.js";

const KINDS = { beide: 0, arbeit: 1, vorrat: 2 };
const form = document.getElementById("choices");
const countField = document.getElementById("count");
const numberField = document.getElementById("number");
const sheet = document.getElementById("sheet");
const status = document.getElementById("status");

function element(name, className, text) {
  const made = document.createElement(name);
  if (className) made.className = className;
  if (text !== undefined) made.textContent = text;
  return made;
}

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

// "3 Kuehe -> 84 : 3 = 28 Monate" as its two sides, with the signs typeset.
function workingLine(line) {
  return line.replace(" * ", " · ").split(" -> ");
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

// The problem on the left; on the right room for the working, and the line for the answer.
function problemItem(problem, index) {
  const task = element("div", "task");
  task.append(element("h3", "", `Aufgabe ${index + 1}`));
  for (const sentence of problem.sentences) task.append(element("p", "", sentence));
  const answer = element("p", "answer", "Antwort: ");
  answer.append(element("span", "blank"));
  const work = element("div", "work");
  work.append(element("div", "room"), answer);
  const item = element("li", "problem");
  item.append(task, work);
  return item;
}

function solutionItem(problem, index) {
  const item = element("li", "solution");
  item.append(element("h3", "", `Aufgabe ${index + 1}: ${problem.answer}`));
  const working = element("p", "working");
  for (const line of problem.lines) {
    const [group, time] = workingLine(line);
    working.append(element("span", "", group), element("span", "arrow", "→"),
                   element("span", "", time), element("br"));
  }
  item.append(working);
  return item;
}

function render(module, number, count, kind) {
  const problems = problemsOf(module, number, count, KINDS[kind]);
  const label = `Arbeitsblatt Nr. ${number}`;

  const pupil = element("p", "pupil");
  for (const field of ["Name", "Klasse", "Datum"]) {
    pupil.append(element("span", "field", `${field}: `));
    pupil.lastChild.append(element("span", "blank"));
  }
  const tasks = element("section", "problems");
  tasks.append(pupil, element("h2", "", "Umgekehrter Dreisatz"), element("p", "instruction",
    "Rechne jede Aufgabe mit dem Dreisatz und schreibe die Antwort mit ihrer Einheit auf."));
  tasks.append(element("ol"));
  problems.forEach((problem, index) => tasks.lastChild.append(problemItem(problem, index)));

  const key = element("section", "solutions");
  key.append(element("h2", "", "Lösungen"), element("ol"));
  problems.forEach((problem, index) => key.lastChild.append(solutionItem(problem, index)));

  // The head of a table is repeated on every printed page, and with it the sheet number. The
  // table only lays out the sheet; it holds no data.
  const frame = element("table", "frame");
  frame.setAttribute("role", "presentation");
  frame.createTHead().insertRow().insertCell().append(element("p", "sheet-number", label));
  frame.createTBody().insertRow().insertCell().append(tasks, key);
  sheet.replaceChildren(frame);
  document.title = `${label} zum Dreisatz`;
  const problemWord = problems.length === 1 ? "Aufgabe" : "Aufgaben";
  status.textContent = `${label} mit ${problems.length} ${problemWord} erstellt.`;
  try {
    const query = new URLSearchParams({ blatt: number, anzahl: count, art: kind });
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
