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
// A round of up to 500 problems is kept and replayed (a few seconds, with the page answering
// meanwhile); a longer one, or a damaged journal of millions of lines, is not.
export const MOST_LINES = 1000;

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
    Array.isArray(value.lines) && value.lines.length <= MOST_LINES &&
    value.lines.every((line) => typeof line === "string" &&
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

// The journal as the tab keeps it: a round too long to replay is not kept.
export const keptJournal = (journal) =>
  (journal && journal.lines.length <= MOST_LINES ? journal : null);

// The tab's record of this visit: the round under way (or null) and the list of rounds.
export const visitText = (journal, rounds) => JSON.stringify({ journal, rounds });

const KINDS = ["work", "supply"];
const ENDS = ["declined", "inputEnded", "interrupted"];
const count = (value) => Number.isInteger(value) && value >= 0;
const MOST_ROUNDS = 100;

// A kept problem's record, with what does not fit dropped to its default; null for one that is
// not a record at all.
function problemRecord(value) {
  if (!value || typeof value !== "object") {
    return null;
  }
  const oneOf = (allowed, field, fallback) => (allowed.includes(value[field]) ? value[field]
                                                                             : fallback);
  return {
    kind: oneOf(KINDS, "kind", "work"),
    model: oneOf(MODELS, "model", "inverse"),
    right: typeof value.right === "boolean" ? value.right : null,
    hinted: value.hinted === true,
    mistake: typeof value.mistake === "string" && /^[a-zA-Z]{1,20}$/.test(value.mistake)
      ? value.mistake : null,
    chosen: oneOf(MODELS, "chosen", null),
  };
}

// A kept round's record, read as untrusted: one without a score is dropped; its problems that
// are no records are dropped, the rest kept.
function roundRecord(value) {
  if (!value || typeof value !== "object" || !count(value.posed) || !count(value.correct) ||
      value.correct > value.posed) {
    return null;
  }
  const problems = Array.isArray(value.problems)
    ? value.problems.slice(0, value.posed).map(problemRecord).filter(Boolean) : [];
  return { posed: value.posed, correct: value.correct,
           how: ENDS.includes(value.how) ? value.how : "declined", problems };
}

// The visit a tab kept, whatever shape the stored text has: a journal that is no journal
// starts a new round, a round record that is none is left out.
export function readVisit(text) {
  const value = parsed(text);
  return {
    journal: validJournal(value?.journal) ? copied(value.journal) : null,
    rounds: Array.isArray(value?.rounds)
      ? value.rounds.slice(-MOST_ROUNDS).map(roundRecord).filter(Boolean) : [],
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
    // The lines left are dropped: the round ends here.
    drop() {
      left.length = 0;
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
