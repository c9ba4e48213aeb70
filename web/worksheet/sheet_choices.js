// The worksheet's choices: the values that the address brings, the addresses that remake a
// sheet and lead to the trainer, the choices in words, and the sentences of the status line.
// Fields are read by their names and values only (an element of the form, or a plain object in
// a test), and never written: arbeitsblatt.js puts what comes back into the form. The code
// itself is read and made by the program (worksheet_module.cpp), which alone knows its letters.

// The module's name for each kind of problem, by its value in the form and the address.
export const KINDS = { beide: "both", arbeit: "work", vorrat: "supply" };
const KIND_WORDS = { beide: "beide Arten", arbeit: "nur Arbeit", vorrat: "nur Vorrat" };
// The module's name for the models of a sheet, by the form's values.
export const MODELS = { umgekehrt: "inverse", gemischt: "mixed" };
const MODEL_WORDS = { umgekehrt: "nur umgekehrt proportional", gemischt: "Zusammenhang gemischt" };
export const MODES = ["ohne", "nur", "mit"];
const CALCULATORS = ["ohne", "mit"];

// Why a typed code remakes no sheet, by the module's error.
const CODE_ERRORS = {
  length: "Ein Code hat 11 Zeichen (der eines älteren Blatts 10 oder 8).",
  letter: "Ein Code hat nur die Buchstaben A bis Z ohne I und O und die Ziffern 2 bis 9.",
  mistyped: "Dieser Code ist vertippt: Ein Zeichen stimmt nicht, oder zwei sind vertauscht.",
};
export const codeError = (error) => CODE_ERRORS[error];

// A code as it is shown and printed: an eleven-letter one in blocks of four, four and three, a
// ten-letter one in two blocks of five, as its key printed it.
export function shownCode(code) {
  if (code.length === 11) return `${code.slice(0, 4)}-${code.slice(4, 8)}-${code.slice(8)}`;
  return code.length === 10 ? `${code.slice(0, 5)}-${code.slice(5)}` : code;
}

// The letters of a code as the program reads them: without blanks and dashes, in capitals.
export const codeLettersOf = (text) => text.replace(/[\s-]/g, "").toUpperCase();

const problems = (count) => (count === 1 ? "1 Aufgabe" : `${count} Aufgaben`);
const groupsOf = (count) => (count === 1 ? "1 Gruppe" : `${count} Gruppen`);
export const points = (count) => (count === 1 ? "1 Punkt" : `${count} Punkte`);

// The choices that a code carries, in words, as the key's head names them.
export const choicesInWords = ({ count, kind, groups, calculator, models }) => [
  `${problems(count)} je Gruppe`, KIND_WORDS[kind], groupsOf(groups),
  `${calculator === "mit" ? "mit" : "ohne"} Taschenrechner`,
  MODEL_WORDS[models] ?? MODEL_WORDS.umgekehrt].join(" · ");

// The choices of a sheet record of the module, by the form's values.
export function choicesOfRecord({ choices }) {
  const kind = Object.keys(KINDS).find((name) => KINDS[name] === choices.kinds);
  return { count: choices.count, kind, groups: choices.groups,
           calculator: choices.calculator ? "mit" : "ohne",
           models: choices.models === "mixed" ? "gemischt" : "umgekehrt" };
}

// The heading of a sheet without its own: a mixed one asks for more than the inverse rule.
export const defaultTitle = (models) => (models === "gemischt" ? "Dreisatz"
                                                              : "Umgekehrter Dreisatz");

// A value of the address as the status line quotes it: a long one cut short.
const quoted = (value) => `„${value.length > 20 ? `${value.slice(0, 20)}…` : value}“`;

// The values of the address (URLSearchParams) that the fields can take, by the fields' names,
// in any case, and a note for each other one that says what the sheet takes instead: the
// field's own value. The code is left to the program; its note comes from codeNote.
export function fromAddress(query, fields) {
  const values = {};
  const notes = [];
  const refused = (value, what, rule, instead) => notes.push(value === ""
    ? `In der Adresse fehlt der Wert für ${what} (${rule}); ${instead}.`
    : `In der Adresse ist ${quoted(value)} nicht möglich für ${what} (${rule}); ${instead}.`);
  const whole = (name, what, instead) => {
    const value = query.get(name);
    if (value === null) return;
    const min = Number(fields[name].min);
    const max = Number(fields[name].max);
    if (/^\d{1,9}$/.test(value) && Number(value) >= min && Number(value) <= max) {
      values[name] = String(Number(value));
    } else {
      refused(value, what, `${min} bis ${max}`, instead(Number(fields[name].value)));
    }
  };
  const oneOf = (name, what, allowed, instead) => {
    const value = query.get(name);
    if (value === null) return;
    const chosen = value.trim().toLowerCase();
    if (allowed.includes(chosen)) values[name] = chosen;
    else {
      const rule = `${allowed.slice(0, -1).join(", ")} oder ${allowed.at(-1)}`;
      refused(value, what, rule, instead(fields[name].value));
    }
  };
  whole("anzahl", "die Anzahl", (n) => `das Blatt hat ${problems(n)} je Gruppe`);
  oneOf("art", "die Art", Object.keys(KINDS), (kind) => `das Blatt hat ${KIND_WORDS[kind]}`);
  whole("gruppen", "die Gruppen", (n) => `das Blatt hat ${groupsOf(n)}`);
  oneOf("rechner", "den Taschenrechner", CALCULATORS,
        (calculator) => `das Blatt ist ${calculator} Taschenrechner`);
  oneOf("modelle", "den Zusammenhang", Object.keys(MODELS),
        (models) => `das Blatt hat ${models === "gemischt" ? "gemischte Zusammenhänge"
                                                           : "nur umgekehrt proportionale Aufgaben"}`);
  oneOf("loesungen", "die Lösungen", MODES, (mode) => `gedruckt wird ${mode} Lösungen`);
  whole("punkte", "die Punkte", (n) => (n === 0 ? "das Blatt hat keine Punkte"
                                                : `jede Aufgabe hat ${points(n)}`));
  const title = query.get("titel");
  if (title !== null) values.titel = title.slice(0, Number(fields.titel.maxLength));
  // Sheets had numbers before they had codes; a number remakes nothing now.
  const number = query.get("blatt");
  if (number !== null && query.get("code") === null) {
    notes.push(`Blätter mit Nummern${number ? ` wie ${quoted(number)}` : ""} gibt es nicht ` +
               "mehr; jedes Blatt hat jetzt einen Code. Dies ist ein neues Blatt.");
  }
  return { values, notes };
}

// What the status line says about a code from the address: why it remakes no sheet, or that it
// is an older one, which needs its choices from the same address.
export const codeNote = (code, error) => (error
  ? `${code ? `Der Code ${quoted(code)}` : "Ein leerer Code"} aus der Adresse ergibt kein ` +
    `Blatt: ${codeError(error)} Dies ist ein neues Blatt.`
  : `Der Code ${code} ist der eines älteren Blatts: Er ergibt es wieder mit der Anzahl, der ` +
    "Art und den Gruppen, die die Adresse auf seinen Lösungen nennt, und immer mit Zahlen " +
    "für den Taschenrechner und nur umgekehrt proportionalen Aufgaben.");

// What the status line says about a ten-letter code from the address, which remakes its sheet as
// printed.
export const tenLetterNote = (code) => `Der Code ${code} stammt von einem Blatt, bevor der Code ` +
  "den Zusammenhang enthielt: Er ergibt das Blatt genau wie gedruckt, mit nur umgekehrt " +
  "proportionalen Aufgaben. Wer die Auswahl ändert, bekommt ein Blatt mit einem Code aus 11 " +
  "Zeichen.";

// The sheet that the fields ask for: the choices and what only the printing takes.
export const choicesOf = (fields) => ({
  count: Number(fields.anzahl.value),
  kind: fields.art.value,
  groups: Number(fields.gruppen.value),
  calculator: fields.rechner.value,
  models: fields.modelle.value,
  mode: fields.loesungen.value,
  title: fields.titel.value.trim(),
  points: Number(fields.punkte.value),
});

// A web address (http or https) from what a teacher typed, with https:// added where the
// scheme is left out; null for anything else, such as a path on the teacher's disk.
export function webAddress(text) {
  const typed = text.trim();
  if (typed === "") return null;
  try {
    const url = new URL(/^[a-z][a-z\d+.-]*:/i.test(typed) ? typed : `https://${typed}`);
    if (!["http:", "https:"].includes(url.protocol) || !url.hostname.includes(".")) return null;
    // A folder named without its closing slash, so that the worksheet beside it is found.
    if (!/(\/|\.[^/]*)$/.test(url.pathname)) url.pathname += "/";
    return url.href;
  } catch {
    return null;
  }
}

export const TRAINER_RULE = "Nur eine Webadresse, etwa https://schule.example/dreisatz/.";
export const TRAINER_TOO_LONG = "Diese Webadresse ist zu lang für einen QR-Code (höchstens " +
  "etwa 2300 Zeichen): bitte eine kürzere eintragen.";

// The trainer's address for the pupils' pages: the one typed, else the site's own over the web;
// from the teacher's disk (file://) none, so that no path of it is printed.
export function trainerAddress(href, typed) {
  if (webAddress(typed)) return webAddress(typed);
  return /^https?:/.test(href) ? new URL("index.html", href).href : null;
}

// The query that remakes a sheet (a record of the module, or a kept entry) with these choices:
// the code, with an older code its choices, and the title and points.
export function sheetQuery(sheet, choices) {
  const query = new URLSearchParams({ code: sheet.code });
  if (sheet.code.length === 8 && choices.count) {
    query.set("anzahl", choices.count);
    query.set("art", choices.kind);
    query.set("gruppen", choices.groups);
  }
  if (choices.title) query.set("titel", choices.title);
  if (choices.points) query.set("punkte", choices.points);
  return query.toString();
}

// The address that remakes a sheet: this page's over the web, or the worksheet beside the
// trainer's web address; null where there is neither, as a path on the teacher's disk is never
// printed.
export function sheetAddress(href, trainer, sheet, choices) {
  const page = /^https?:/.test(href) ? href : trainer;
  return page ? `${new URL("arbeitsblatt.html", page).href}?${sheetQuery(sheet, choices)}` : null;
}

export const madeStatus = (label, { count, groups }) => (groups === 1
  ? `${label} mit ${problems(count)} erstellt.`
  : `${label} mit ${groups} Gruppen zu je ${problems(count)} erstellt.`);

// A field whose value cannot be used, named by its label.
export const keptStatus = (label, field) => `Die Eingabe bei „${field}“ passt so nicht; bis ` +
  `sie stimmt, bleibt ${label} stehen.`;

export const shownAgainStatus = (label, choices, made) => `${madeStatus(label, choices)
  .replace(/ erstellt\.$/, "")}, zuletzt erstellt ${made}, ist wieder da.`;

// While an eight-letter code may still go on to one of eleven letters.
export const CODE_HELD = "8 Zeichen: So lautet ein Code älterer Blätter. Er gilt, sobald das " +
  "Tippen kurz pausiert, mit Enter oder beim Verlassen des Felds.";

export const CODE_SHOWN = "Die Adresszeile zeigt noch den Code: vor dem Drucken die Kopf- und " +
  "Fußzeilen des Browsers ausschalten.";
