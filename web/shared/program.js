// The seam between a front-end and the C++ program compiled to WebAssembly: loading it, and
// running one session of it with the front-end's calls. The program reports what happens as
// events, each one JSON record (src/session/records_json.hpp), and asks for two things: a typed
// line and, in the closing pause, a key (src/session/console_web.cpp). Its own text, which the
// page lays out in its own words from the events, goes to print, which drops it unless a
// runner wants it (tests/console/web_pipe.mjs writes it to a pipe).

// As index.html preloads it: a same-origin request in no-cors mode still gives a readable
// response, and a preload without crossorigin, which needs no CORS from file://, is no-cors.
const PRELOADED = { mode: "no-cors", credentials: "include" };

// Runs one session of the program that create (Emscripten's factory) makes:
//   seed        the random source's seed, a whole number below 2^32
//   mixed       whether the round mixes the three models (default: inverse problems only)
//   byHand      whether its numbers are to be worked without a calculator
//   onEvent     each event as an object: { type: "problemPosed", number, problem }, ...
//   readLine    resolves to a line's bytes with its line end, no bytes at the end of the input,
//               or null when the learner interrupted the read (Ctrl-C)
//   waitForKey  resolves once the closing pause may end
//   print       each line of the program's own text, without its line end
// options go to Emscripten as they are (wasmBinary, instantiateWasm). Resolves once the
// session has ended.
export async function runProgram(create, { seed, mixed = false, byHand = false, onEvent, readLine,
                                           waitForKey, print = () => {} }, options = {}) {
  const program = await create({
    ...options,
    seed,
    mixed,
    byHand,
    onEvent: (json) => onEvent(JSON.parse(json)),
    readLine,
    waitForKey,
    print,
    printErr: print,
  });
  await program.ccall("main", "number", [], [], { async: true });
}

// Loads the program once for all of window's sessions, and resolves to a function that runs a
// session with runProgram's calls. Over http it compiles while it streams in (a server that
// does not call it application/wasm costs only the streaming). From file://, where browsers
// fetch nothing, a copy with the WebAssembly inside is loaded instead. The loaded script, which
// Emscripten makes, defines the global createDreisatz.
export async function loadProgram(window) {
  const { document, location } = window;
  const fromFile = location.protocol === "file:";
  const compiled = fromFile ? null : window.fetch("dreisatz.wasm", PRELOADED).then((response) =>
    response.headers.get("Content-Type")?.startsWith("application/wasm")
      ? WebAssembly.compileStreaming(response)
      : response.arrayBuffer().then((bytes) => WebAssembly.compile(bytes)));
  await new Promise((resolve, reject) => {
    const script = document.createElement("script");
    script.src = fromFile ? "dreisatz-file.js" : "dreisatz.js";
    script.onload = resolve;
    script.onerror = () => reject(new Error(`${script.src} did not load`));
    document.head.append(script);
  });
  const module = compiled && await compiled;
  const { createDreisatz } = window;
  // A module that does not fit the script (a stale copy of one of them) fails to instantiate;
  // Emscripten would wait for it for ever, so the failure rejects the session.
  return (calls) => new Promise((resolve, reject) => {
    runProgram(createDreisatz, calls, {
      instantiateWasm: module && ((imports, receive) => {
        WebAssembly.instantiate(module, imports).then((made) => receive(made, module), reject);
        return {};
      }),
    }).then(resolve, reject);
  });
}
