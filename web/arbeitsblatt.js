// The worksheet page: the teacher's choices (sheet_choices.js), then the sheet that the
// program's own generator and statement writer give for the sheet's code (worksheet.js, the
// WebAssembly module, as a JSON record), planned in pages by sheet_plan.js and made into
// elements by sheet_layout.js. Printing is left to the browser and arbeitsblatt.css. The
// choices but the code also stand in the address (?anzahl=…&art=…&gruppen=…&loesungen=…);
// the address with the code, which remakes the sheet, stands on the pages of the key only,
// since browsers print the address on every page.

import createWorksheet from "worksheet-module"; // web/worksheet_module.cpp, built by Emscripten
import { keepSiteOffline } from "./offline.js";
import {
  CODE_LENGTH, CODE_SHOWN, KINDS, choicesOf, codeOf, codeValidity, fromAddress, keptStatus,
  madeStatus, randomCode, sheetAddress,
} from "./sheet_choices.js";
import { layOut } from "./sheet_layout.js";
import { planSheet } from "./sheet_plan.js";

const form = document.getElementById("choices");
const fields = form.elements; // by the names that the address uses too
const sheetElement = document.getElementById("sheet");
const status = document.getElementById("status");
let shownLabel = "";

const drawnCode = () => randomCode(crypto.getRandomValues(new Uint8Array(CODE_LENGTH)));

function render(module, choices) {
  const sheet = JSON.parse(module.ccall("worksheet", "string",
    ["string", "number", "number", "number"],
    [choices.code, choices.count, KINDS[choices.kind], choices.groups]));
  sheetElement.replaceChildren(...layOut(planSheet({
    ...sheet, mode: choices.mode, code: choices.code,
    address: sheetAddress(location.href, choices, true),
    trainer: new URL("index.html", location.href).href,
  })));
  shownLabel = sheet.label;
  document.title = `${sheet.label} zum Dreisatz`;
  status.textContent = madeStatus(sheet.label, choices);
  try {
    history.replaceState(null, "", sheetAddress(location.href, choices, false));
  } catch {
    // Some browsers refuse to change the address of a file:// page; the sheet is there anyway,
    // but an address with the code would be printed on every page.
    if (new URLSearchParams(location.search).has("code")) status.textContent += ` ${CODE_SHOWN}`;
  }
}

// A code that is not one makes its field invalid, as a number out of range does.
const checkCode = () => fields.code.setCustomValidity(codeValidity(fields.code.value));

function start(module) {
  fields.code.value = drawnCode();
  const { values, notes } = fromAddress(new URLSearchParams(location.search), fields);
  for (const [name, value] of Object.entries(values)) fields[name].value = value;

  const update = () => {
    checkCode();
    if (form.reportValidity()) render(module, choicesOf(fields));
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
    if (form.checkValidity()) render(module, choicesOf(fields));
    else status.textContent = keptStatus(shownLabel);
  });
  form.addEventListener("change", (event) => {
    checkCode();
    if (!event.target.reportValidity() || !form.checkValidity()) return;
    for (const name of ["anzahl", "gruppen"]) {
      fields[name].value = String(Number(fields[name].value));
    }
    fields.code.value = codeOf(fields.code.value);
  });
  document.getElementById("draw").addEventListener("click", () => {
    fields.code.value = drawnCode();
    update();
  });
  document.getElementById("print").addEventListener("click", () => {
    checkCode();
    if (form.reportValidity()) window.print();
  });
  render(module, choicesOf(fields));
  status.textContent = [...notes, status.textContent].join(" ");
  keepSiteOffline(); // a teacher who comes straight here gets the whole site for offline use
}

createWorksheet().then(start);
