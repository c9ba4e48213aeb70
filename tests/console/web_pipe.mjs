// Runs the browser build of dreisatz under Node with standard input and output, through the
// page's own seam (web/shared/program.js), as the native program runs over pipes: the tests
// feed it the same input and compare what it writes.
// Usage: node web_pipe.mjs path/to/dreisatz.js < input
import { readFileSync, existsSync, writeSync } from "node:fs";
import { createRequire } from "node:module";
import { resolve } from "node:path";
import { runProgram } from "../../web/shared/program.js";

const script = resolve(process.argv[2]);
// Node's fetch takes no file paths: the WebAssembly beside the script is handed over read.
const wasm = script.replace(/\.js$/, ".wasm");
let input = readFileSync(0); // all of it: a pipe or a file ends

await runProgram(createRequire(import.meta.url)(script), {
  seed: Math.floor(Date.now() / 1000), // seconds, as the native program's clock
  onEvent: () => {},
  // A line at a time, as a terminal hands it over, so that every read waits as in the page.
  readLine: async (size) => {
    const end = input.indexOf(10);
    const bytes = input.subarray(0, Math.min(size, end < 0 ? input.length : end + 1));
    input = input.subarray(bytes.length);
    return bytes;
  },
  // As over a pipe: the pause does not wait.
  waitForKey: async () => {},
  print: (line) => writeSync(1, `${line}\n`),
}, { wasmBinary: existsSync(wasm) ? readFileSync(wasm) : undefined });
