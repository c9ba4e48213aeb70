// The sheets made on this device, as the list that arbeitsblatt.js keeps in the browser's
// local storage: for each its label, code, choices, title, points, the trainer's address and
// when it was made and printed; nothing about pupils. The newest comes first. A new sheet that
// is shown replaces the newest one while that one comes from the same visit and was not
// printed, so that trying out choices leaves one entry and not one for every keystroke.

import { choicesInWords, points, shownCode } from "./sheet_choices.js";

export const STORE_KEY = "dreisatz.arbeitsblaetter";
const KEPT = 50;

// The list from the stored text; an empty one for anything that is not such a list, so that a
// damaged entry never stops the page.
export function storedSheets(text) {
  try {
    const list = JSON.parse(text ?? "[]");
    return Array.isArray(list) ? list.filter((entry) => typeof entry?.code === "string"
                                             && typeof entry.label === "string") : [];
  } catch {
    return [];
  }
}

// The list with sheet (an entry without made and printed) as its newest entry, made at now
// (an ISO date) in the visit of that name; a sheet already listed moves to the front.
export function remember(list, sheet, visit, now) {
  const same = (entry) => entry.code === sheet.code && entry.title === sheet.title &&
    entry.points === sheet.points && entry.trainer === sheet.trainer;
  const at = list.findIndex(same);
  if (at === 0) return list;
  if (at > 0) return [list[at], ...list.filter((_, index) => index !== at)];
  const [newest, ...rest] = list;
  const replaced = newest && newest.visit === visit && !newest.printed;
  const entry = { ...sheet, visit, made: now, printed: null };
  return [entry, ...(replaced ? rest : list)].slice(0, KEPT);
}

// The list with its newest entry printed at now.
export const printed = (list, now) => (list.length === 0 ? list
  : [{ ...list[0], printed: list[0].printed ?? now }, ...list.slice(1)]);

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
  parts.push(`erstellt ${dated(entry.made)}`);
  if (entry.printed) parts.push(`gedruckt ${dated(entry.printed)}`);
  return parts.join(" · ");
}
