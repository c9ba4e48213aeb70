// The offline worker: asked for once, by the site over http(s) only; not from file://, and not
// by the learning platform's package, which has no web app manifest and must leave the
// platform's origin alone.
import assert from "node:assert";
import { test } from "node:test";
import { OFFLINE_DELAY } from "../../web/offline/offline.js";

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

// A clock of the test's own: Node 18's mock timers differ from later ones.
function fakeTimers() {
  let now = 0;
  let timers = [];
  const timing = {
    setTimeout: (run, delay) => { timers.push({ run, at: now + delay }); return timers.at(-1); },
    clearTimeout: (timer) => { timers = timers.filter((kept) => kept !== timer); },
    tick(passing) {
      now += passing;
      const due = timers.filter((timer) => timer.at <= now);
      timers = timers.filter((timer) => timer.at > now);
      due.forEach((timer) => timer.run());
    },
  };
  return timing;
}

test("the worker is asked for after the first feedback, or a while after the first prompt", async (t) => {
  // What the page calls, and how many milliseconds pass after each call.
  const cases = [
    ["prompt, no answer", [["soon", OFFLINE_DELAY - 1]], 0],
    ["prompt, no answer for a while", [["soon", OFFLINE_DELAY]], 1],
    ["prompt, then a feedback at once", [["soon", 100], ["now", 0]], 1],
    ["a feedback, then the delay runs out", [["soon", 100], ["now", OFFLINE_DELAY]], 1],
    ["asked soon twice", [["soon", 100], ["soon", OFFLINE_DELAY]], 1],
  ];
  const { setTimeout, clearTimeout } = globalThis;
  t.after(() => Object.assign(globalThis, { setTimeout, clearTimeout }));
  for (const [index, [name, calls, expected]] of cases.entries()) {
    const timing = fakeTimers();
    Object.assign(globalThis, { setTimeout: timing.setTimeout, clearTimeout: timing.clearTimeout });
    const registered = [];
    Object.defineProperty(globalThis, "navigator", { configurable: true, value: {
      serviceWorker: { register: (script) => registered.push(script) && Promise.resolve() } } });
    globalThis.location = { protocol: "https:" };
    globalThis.document = { querySelector: () => ({}) };
    const offline = await import(`../../web/offline/offline.js?timing=${index}`);
    for (const [call, passing] of calls) {
      (call === "soon" ? offline.keepSiteOfflineSoon : offline.keepSiteOffline)();
      timing.tick(passing);
    }
    assert.strictEqual(registered.length, expected, name);
    timing.tick(2 * OFFLINE_DELAY);
    assert.strictEqual(registered.length, Math.max(expected, 1), `${name}, at last`);
  }
});
