// The worksheet's choices: the code, the values that the address brings, the address that remakes
// a sheet, and the sentences of the status line. Fields are read by their names and values only
// (an element of the form, or a plain object in a test), and never written: arbeitsblatt.js puts
// what comes back into the form.

// The module's number for each kind of problem, by its value in the form and the address.
export const KINDS = { beide: 0, arbeit: 1, vorrat: 2 };
export const MODES = ["mit", "ohne", "nur"];
export const CODE_LENGTH = 8;
const LETTERS = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789"; // as in the program: no 0, O, 1 or I
const CODE_RULE = "8 Zeichen, A bis Z ohne I und O, 2 bis 9";

// A code from CODE_LENGTH random bytes: 32 letters, so a byte's low five bits pick one evenly.
export const randomCode = (bytes) => Array.from(bytes, (byte) => LETTERS[byte & 31]).join("");

// A typed code in capitals, without the blanks and dashes that make it easier to read out;
// null when it is not a code.
export function codeOf(text) {
  const code = text.toUpperCase().replace(/[\s-]/g, "");
  const valid = code.length === CODE_LENGTH && [...code].every((c) => LETTERS.includes(c));
  return valid ? code : null;
}

// What the code field says when its text is not a code; "" when it is one.
export const codeValidity = (text) => (codeOf(text) ? "" : `Der Code hat ${CODE_RULE}.`);

const problems = (count) => (count === 1 ? "1 Aufgabe" : `${count} Aufgaben`);
const groupsOf = (count) => (count === 1 ? "1 Gruppe" : `${count} Gruppen`);

// A value of the address as the status line names it: a long one cut short.
const shortened = (value) => (value.length > 20 ? `${value.slice(0, 20)}…` : value);

// The values of the address (URLSearchParams) that the fields can take, by the fields' names,
// and a note for each other one, with what the sheet takes instead: the field's own value.
export function fromAddress(query, fields) {
  const values = {};
  const notes = [];
  const whole = (name, label, instead) => {
    const value = query.get(name);
    if (value === null) return;
    const min = Number(fields[name].min);
    const max = Number(fields[name].max);
    if (/^\d{1,9}$/.test(value) && Number(value) >= min && Number(value) <= max) {
      values[name] = String(Number(value));
    } else {
      notes.push(`${label} ${shortened(value)} geht nicht (${min} bis ${max}): ` +
                 `${instead(Number(fields[name].value))}.`);
    }
  };
  const oneOf = (name, label, allowed, rule) => {
    const value = query.get(name);
    if (allowed.includes(value)) values[name] = value;
    else if (value !== null) {
      notes.push(`${label} ${shortened(value)} geht nicht (${rule}): ${fields[name].value}.`);
    }
  };
  whole("anzahl", "Anzahl", problems);
  oneOf("art", "Art", Object.keys(KINDS), "beide, arbeit oder vorrat");
  whole("gruppen", "Gruppen", groupsOf);
  oneOf("loesungen", "Lösungen", MODES, "mit, ohne oder nur");
  const code = query.get("code");
  if (code !== null && codeOf(code)) values.code = codeOf(code);
  else if (code !== null) {
    notes.push(`Code ${shortened(code)} geht nicht (${CODE_RULE}): ${fields.code.value}.`);
  }
  // Sheets had numbers before they had codes; a number remakes nothing now.
  const number = query.get("blatt");
  if (number !== null && code === null) {
    notes.push(`Blatt ${shortened(number)} gibt es nicht mehr (Blätter haben einen Code): ` +
               `neuer Code ${fields.code.value}.`);
  }
  return { values, notes };
}

// The sheet that the fields ask for; its code null when the field holds no code.
export const choicesOf = (fields) => ({
  code: codeOf(fields.code.value),
  count: Number(fields.anzahl.value),
  kind: fields.art.value,
  groups: Number(fields.gruppen.value),
  mode: fields.loesungen.value,
});

// The page's address (href) with the choices, and with the code when it is to remake the sheet.
export function sheetAddress(href, choices, withCode) {
  const query = new URLSearchParams({
    ...(withCode ? { code: choices.code } : {}),
    anzahl: choices.count, art: choices.kind, gruppen: choices.groups, loesungen: choices.mode,
  });
  return `${href.replace(/[?#].*$/, "")}?${query}`;
}

export const madeStatus = (label, { count, groups }) => (groups === 1
  ? `${label} mit ${problems(count)} erstellt.`
  : `${label} mit ${groups} Gruppen zu je ${problems(count)} erstellt.`);

export const keptStatus = (label) => `So geht die Auswahl nicht; es bleibt ${label}.`;

export const CODE_SHOWN = "Die Adresszeile zeigt noch den Code: vor dem Drucken die Kopf- und " +
  "Fußzeilen des Browsers ausschalten.";
