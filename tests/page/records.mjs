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

// A worksheet: kinds 0 for both, 1 for work only, 2 for supply only.
export const worksheet = (code, count, kinds, groups) =>
  made("worksheet", code, count, kinds, groups);
