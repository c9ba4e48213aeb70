// The sheets made on this device, as the list that arbeitsblatt.js keeps in the browser's
// local storage: for each its label, code, choices, title, points, the trainer's address and
// when it was made and printed; nothing about pupils. The newest comes first. A new sheet that
// is shown replaces the newest one while that one comes from the same visit and was not
// printed, so that trying out choices leaves one entry and not one for every keystroke.
// Printed sheets are never dropped to make room: their keys may be needed for years.

import { choicesInWords, points, shownCode } from "./sheet_choices.js";

export const STORE_KEY = "dreisatz.arbeitsblaetter";
// The one thing kept on a shared computer, where the page keeps no sheets.
export const NOTHING_KEY = "dreisatz.arbeitsblaetter.nichts";
export const KEPT = 50;

// Each field of an entry as it may be stored: a stored list comes from any version of the page,
// or from anyone with the browser's tools, and is read as untrusted.
const text = (value) => (typeof value === "string" ? value : "");
const date = (value) => (typeof value === "string" && !Number.isNaN(Date.parse(value)) ? value
                                                                                      : null);
const whole = (value, low, high) => (Number.isInteger(value) && value >= low && value <= high
  ? value : null);
const oneOf = (value, allowed) => (allowed.includes(value) ? value : null);

function storedChoices(choices) {
  if (typeof choices !== "object" || choices === null) return null;
  const read = {
    count: whole(choices.count, 1, 30),
    kind: oneOf(choices.kind, ["beide", "arbeit", "vorrat"]),
    groups: whole(choices.groups, 1, 6),
    calculator: oneOf(choices.calculator, ["ohne", "mit"]),
    models: oneOf(choices.models ?? "umgekehrt", ["umgekehrt", "gemischt"]),
  };
  return Object.values(read).includes(null) ? null : read;
}

// An entry with every field that fits, the others as an entry without them has them; null for
// one without a label and a code of the code letters, which remakes nothing.
function storedEntry(entry) {
  if (typeof entry !== "object" || entry === null || typeof entry.label !== "string" ||
      typeof entry.code !== "string" || !/^[A-HJ-NP-Z2-9]{8,11}$/.test(entry.code)) {
    return null;
  }
  return {
    label: entry.label, code: entry.code, title: text(entry.title),
    points: whole(entry.points, 0, 20) ?? 0, choices: storedChoices(entry.choices),
    trainer: text(entry.trainer), visit: text(entry.visit), made: date(entry.made),
    printed: date(entry.printed),
  };
}

// The list from the stored text, with each entry as storedEntry reads it; an empty one for
// anything that is not a list, so that a damaged entry never stops the page.
export function storedSheets(stored) {
  try {
    const list = JSON.parse(stored ?? "[]");
    return Array.isArray(list) ? list.map(storedEntry).filter((entry) => entry !== null) : [];
  } catch {
    return [];
  }
}

const same = (a, b) => a.code === b.code && a.title === b.title && a.points === b.points &&
  a.trainer === b.trainer;

// Whether the list has no room for another sheet: it holds KEPT sheets, all of them printed.
export const full = (list) => list.length >= KEPT && list.every((entry) => entry.printed);

// The list with sheet (an entry without made and printed) as its newest entry, made at now
// (an ISO date) in the visit of that name; a sheet already listed moves to the front. Past KEPT
// the oldest sheet not printed makes room; a full list stays as it is.
export function remember(list, sheet, visit, now) {
  const at = list.findIndex((entry) => same(entry, sheet));
  if (at === 0) return list;
  if (at > 0) return [list[at], ...list.filter((_, index) => index !== at)];
  const [newest, ...rest] = list;
  const replaced = newest && newest.visit === visit && !newest.printed;
  const made = [{ ...sheet, visit, made: now, printed: null }, ...(replaced ? rest : list)];
  if (made.length <= KEPT) return made;
  let unprinted = made.length - 1;
  while (unprinted > 0 && made[unprinted].printed) unprinted -= 1;
  return unprinted === 0 ? list : made.filter((_, index) => index !== unprinted);
}

// The list with sheet printed at now: listed, it keeps the date it was first printed; not
// listed (the list was full), it comes in first, as a printed sheet is never left out.
export function printed(list, sheet, now) {
  const at = list.findIndex((entry) => same(entry, sheet));
  if (at < 0) return [{ ...sheet, made: now, printed: now }, ...list];
  return list.map((entry, index) => (index === at ? { ...entry, printed: entry.printed ?? now }
                                                  : entry));
}

// The list without the entry at index.
export const forget = (list, index) => list.filter((_, at) => at !== index);

// A date as German readers write it, in the device's time: "am 9.12.2026 um 14:05 Uhr".
export function dated(iso) {
  const date = new Date(iso);
  const two = (n) => String(n).padStart(2, "0");
  return `am ${date.getDate()}.${date.getMonth() + 1}.${date.getFullYear()} um ` +
    `${two(date.getHours())}:${two(date.getMinutes())} Uhr`;
}

// An entry as the list shows it, after its label: the code, the choices and the dates.
export function described(entry) {
  const parts = [`Code ${shownCode(entry.code)}`];
  if (entry.title) parts.push(`„${entry.title}“`);
  if (entry.choices) parts.push(choicesInWords(entry.choices));
  if (entry.points) parts.push(`${points(entry.points)} je Aufgabe`);
  if (entry.made) parts.push(`erstellt ${dated(entry.made)}`);
  if (entry.printed) parts.push(`gedruckt ${dated(entry.printed)}`);
  return parts.join(" · ");
}
