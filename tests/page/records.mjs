// The program's records for the page's tests, made by the real catalogue and generator through
// page_records (its path in RECORDS), so that no test keeps a copy of the vocabulary.
import { execFileSync } from "node:child_process";

const made = (...args) => JSON.parse(execFileSync(process.env.RECORDS, args.map(String),
                                                  { encoding: "utf8" }));

// One problem: kind "work" or "supply", the scenario, both groups and the factor.
export const problem = (kind, scenario, first, second, factor) =>
  made("problem", kind, scenario, first, second, factor);

// count problems as the program draws them after seeding with seed.
export const drawn = (seed, count) => made("drawn", seed, count);

// The code of a sheet: kinds "both", "work" or "supply", calculator true for the whole ranges.
export const code = (nonce, count, kinds, groups, calculator = false) =>
  made("code", nonce, count, kinds, groups, calculator ? 1 : 0);

// The worksheet of a code as the page gets it; count, kinds and groups count for older codes.
export const worksheet = (text, count = 8, kinds = "both", groups = 1) =>
  made("worksheet", text, count, kinds, groups);
