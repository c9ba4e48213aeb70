// The helpers of the page's tests: the program's records and events, made by the real
// catalogue, generator and dialogue through page_records, so that no test keeps a copy of the
// vocabulary or builds an event by hand. page_records is the one RECORDS names (ctest sets it),
// else the one the dev preset builds: run `cmake --workflow --preset dev` once, then
// `node --test tests/page/NAME.test.mjs` works on its own.
import { execFileSync } from "node:child_process";
import { existsSync } from "node:fs";
import { fileURLToPath } from "node:url";

const TOOL = process.env.RECORDS ??
  fileURLToPath(new URL("../../build/dev/page_records", import.meta.url));
if (!existsSync(TOOL)) {
  throw new Error(`${TOOL} is missing: build it with cmake --workflow --preset dev, or name ` +
                  "another page_records in RECORDS");
}

const made = (...args) => JSON.parse(execFileSync(TOOL, args.map(String), { encoding: "utf8" }));

// One problem: kind "work" or "supply", the scenario, both groups, the factor (what each member
// achieves for a direct problem, the duration for a constant one) and the model ("inverse",
// "direct" or "constant").
export const problem = (kind, scenario, first, second, factor, model = "inverse") =>
  made("problem", kind, scenario, first, second, factor, model);

// The round's options as page_records takes them.
const flags = ({ mixed = false, byHand = false } = {}) =>
  [...(mixed ? ["--mixed"] : []), ...(byHand ? ["--by-hand"] : [])];

// count problems as the program draws them after seeding with seed: the problems of a session
// with that seed and these options ({ mixed, byHand }), in order.
export const drawn = (seed, count, options) => made("drawn", seed, count, ...flags(options));

// The events of a whole session from seed, with these lines typed, in a round with options.
export const sessionEvents = (seed, lines, options) =>
  made("session", seed, ...flags(options), ...lines);

// The events of a session from seed in which each of answers, given as a function of the
// problem (problem => number), is typed and followed by 1, but the last by 9.
export function answeredSession(seed, answers) {
  const problems = drawn(seed, answers.length);
  const lines = answers.flatMap((answer, at) =>
    [String(answer(problems[at])), at === answers.length - 1 ? "9" : "1"]);
  return { problems, lines, events: sessionEvents(seed, lines) };
}

// Answers by what they do with a problem.
export const RIGHT = (p) => p.answer;
export const WRONG = (p) => p.answer + 1;
export const DIRECT = (p) => p.given * p.second / p.first; // the proportional model's number

// The code of a sheet: kinds "both", "work" or "supply", calculator true for the whole ranges,
// models "inverse" or "mixed".
export const code = (nonce, count, kinds, groups, calculator = false, models = "inverse") =>
  made("code", nonce, count, kinds, groups, calculator ? 1 : 0, models);

// The worksheet of a code as the page gets it; count, kinds and groups count for older codes.
export const worksheet = (text, count = 8, kinds = "both", groups = 1) =>
  made("worksheet", text, count, kinds, groups);
