// The offline worker: asked for once, by the site over http(s) only; not from file://, and not
// by the learning platform's package, which has no web app manifest and must leave the
// platform's origin alone.
import assert from "node:assert";
import { test } from "node:test";

test("only the site over http asks for the offline worker, and only once", async () => {
  const cases = [
    // protocol, whether the page links the web app manifest, whether the worker is asked for
    ["https:", true, true],
    ["http:", true, true],
    ["file:", true, false],
    ["https:", false, false], // the SCORM package in a platform's origin
  ];
  for (const [index, [protocol, manifest, asked]] of cases.entries()) {
    const registered = [];
    const register = (script) => registered.push(script) && Promise.resolve();
    Object.defineProperty(globalThis, "navigator",
                          { configurable: true, value: { serviceWorker: { register } } });
    globalThis.location = { protocol };
    globalThis.document = { querySelector: (selector) =>
      (manifest && selector === "link[rel=manifest]" ? {} : null) };
    // A fresh module for each case: it asks at most once.
    const { keepSiteOffline } = await import(`../../web/offline/offline.js?case=${index}`);
    keepSiteOffline();
    keepSiteOffline();
    assert.deepStrictEqual(registered, asked ? ["worker.js"] : [], `${protocol} ${manifest}`);
  }
});
