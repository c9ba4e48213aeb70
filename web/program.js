// Loading the program, once for all sessions. Over http it compiles while it streams in (a
// server that does not call it application/wasm costs only the streaming). From file://,
// where browsers fetch nothing, a copy with the WebAssembly inside is loaded instead.
// The loaded script, which Emscripten makes, defines the global createDreisatz; loadProgram
// resolves to a function that starts an instance of the program with the page's calls (see
// src/session/console_web.cpp).

// As index.html preloads it: a same-origin request in no-cors mode still gives a readable
// response, and a preload without crossorigin, which needs no CORS from file://, is no-cors.
const PRELOADED = { mode: "no-cors", credentials: "include" };

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
  // Emscripten would wait for it for ever, so the failure rejects the start.
  return (calls) => new Promise((resolve, reject) => {
    createDreisatz({
      ...calls,
      instantiateWasm: module && ((imports, receive) => {
        WebAssembly.instantiate(module, imports).then((made) => receive(made, module), reject);
        return {};
      }),
    }).then(resolve, reject);
  });
}
