"use strict";
// Loading the program, started from the page's head so that the WebAssembly is on its way
// while the rest of the page loads. Over http it compiles while it streams in, once for all
// sessions (a server that does not call it application/wasm costs only the streaming). From
// file://, where browsers fetch nothing, a copy with the WebAssembly inside is loaded instead.
// programLoaded gives the compiled module over http, null from file://, once createDreisatz
// is defined.

const programLoaded = (async () => {
  const fromFile = location.protocol === "file:";
  const compiled = fromFile ? null : fetch("dreisatz.wasm").then((response) =>
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
  return compiled && await compiled;
})();
