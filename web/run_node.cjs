#!/usr/bin/env node
// Runs the browser build of dreisatz under Node with standard input and output, as the native
// program runs over pipes: the tests feed it the same input and compare what it writes.
// Usage: node run_node.cjs path/to/dreisatz.js < input
"use strict";

const fs = require("fs");
const path = require("path");

async function main() {
  const script = path.resolve(process.argv[2]);
  const createDreisatz = require(script);
  // Node's fetch takes no file paths: the WebAssembly beside the script is handed over read.
  const wasm = script.replace(/\.js$/, ".wasm");
  let input = fs.readFileSync(0); // all of it: a pipe or a file ends
  const program = await createDreisatz({
    wasmBinary: fs.existsSync(wasm) ? fs.readFileSync(wasm) : undefined,
    writeOutput: (bytes) => fs.writeSync(1, bytes),
    // A line at a time, as a terminal hands it over, so that every read waits as in the page.
    readInput: async (size) => {
      const end = input.indexOf(10);
      const bytes = input.subarray(0, Math.min(size, end < 0 ? input.length : end + 1));
      input = input.subarray(bytes.length);
      return bytes;
    },
    isTerminal: false, // as over a pipe: no colours, and the pause does not wait
  });
  await program.ccall("main", "number", [], [], { async: true });
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
