// The guard that keeps a stray second tap or Enter off buttons that have just come up.
import assert from "node:assert";
import { test } from "node:test";
import { createGuard } from "../../web/trainer/guard.js";

test("a tap in the quiet moment is refused and starts it anew; hammering never gets through",
     () => {
  let now = 0;
  let pending = null; // one timer at a time, as the guard keeps it
  const timers = { setTimeout: (run, delay) => (pending = { run, at: now + delay }),
                   clearTimeout: (timer) => { if (pending === timer) pending = null; } };
  const advance = (ms) => {
    now += ms;
    if (pending && pending.at <= now) pending.run((pending = null));
  };
  const marked = new Set();
  const button = { setAttribute: () => marked.add(button), removeAttribute: () => marked.clear() };
  const guard = createGuard([button], timers, 700);
  assert.ok(guard.allows(), "nothing armed yet");
  guard.arm();
  advance(250); // a double tap's second tap
  assert.ok(!guard.allows());
  advance(600); // 850 ms after arming, but only 600 after the refused tap
  assert.ok(marked.has(button));
  for (let press = 0; press < 5; ++press, advance(300)) assert.ok(!guard.allows());
  advance(700);
  assert.ok(!marked.has(button) && guard.allows());
});
