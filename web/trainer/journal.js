// A round's journal: its seed and the lines handed to the program, in order, and the problems
// on which hints were asked for. A fresh program given the same seed and the same lines writes
// the same dialogue, so replaying a journal brings back the round with its problems and its
// score, and the hints its review. The standalone page keeps the journal, with
// this visit's rounds, in the tab's sessionStorage; a learning platform keeps it as the round's
// suspend data (web/platform/platform.js).
//   { seed, lines, hints, mixed, byHand, choices }
//     seed as the program takes it, lines as typed (each a number), hints the numbers of the
//     problems with a hint (1 for the first), the round's options (mixed problems, numbers to
//     work by hand) and, in a mixed round, the model chosen for each problem, in order.

import { readTyped } from "./typed_number.js";

const MAX_LINE = 16; // the answer field's maxlength

const MODELS = ["inverse", "direct", "constant"];

// The journal of a round that starts with seed, with the round's options.
export const newJournal = (seed, { mixed = false, byHand = false } = {}) =>
  ({ seed, lines: [], hints: [], mixed, byHand, choices: [] });

export const journalText = ({ seed, lines, hints, mixed, byHand, choices }) =>
  JSON.stringify({ seed, lines, hints, mixed, byHand, choices });

// A journal of before the hints, or the options, were kept has none.
const copied = ({ seed, lines, hints = [], mixed = false, byHand = false, choices = [] }) =>
  ({ seed, lines: [...lines], hints: [...hints], mixed, byHand, choices: [...choices] });

const optional = (value, valid) => value === undefined || valid(value);

// Only what the page itself could have handed over: a whole seed and lines that are numbers.
function validJournal(value) {
  return !!value && Number.isInteger(value.seed) && value.seed >= 0 && value.seed <= 0xffffffff &&
    Array.isArray(value.lines) && value.lines.every((line) => typeof line === "string" &&
      line.length <= MAX_LINE && readTyped("answer", line)?.line === line) &&
    optional(value.hints, (hints) => Array.isArray(hints) &&
      hints.every((number) => Number.isInteger(number) && number >= 1)) &&
    optional(value.mixed, (flag) => typeof flag === "boolean") &&
    optional(value.byHand, (flag) => typeof flag === "boolean") &&
    optional(value.choices, (choices) => Array.isArray(choices) &&
      choices.every((model) => MODELS.includes(model)));
}

function parsed(text) {
  try {
    return JSON.parse(text);
  } catch {
    return null;
  }
}

// The journal that journalText wrote, or null for anything else (an empty text, another
// package's data, a damaged copy): the page then starts a new round.
export function readJournal(text) {
  const value = parsed(text);
  return validJournal(value) ? copied(value) : null;
}

// The tab's record of this visit: the round under way (or null) and the list of rounds, whose
// records are kept as they are, whatever they hold.
export const visitText = (journal, rounds) => JSON.stringify({ journal, rounds });

export function readVisit(text) {
  const value = parsed(text);
  return {
    journal: validJournal(value?.journal) ? copied(value.journal) : null,
    rounds: Array.isArray(value?.rounds) ? value.rounds : [],
  };
}

// Hands a journal's lines out, one for each read of the program. It counts as replaying until a
// read finds no line left: the answer judged after the last replayed line is a replayed one too.
export function createReplay(lines) {
  const left = [...lines];
  let replaying = left.length > 0;
  return {
    get replaying() {
      return replaying;
    },
    get pending() {
      return left.length > 0;
    },
    // The line for the program's next read, or null once the journal is used up.
    next() {
      if (!left.length) {
        replaying = false;
        return null;
      }
      return left.shift();
    },
  };
}
