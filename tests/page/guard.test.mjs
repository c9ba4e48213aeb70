// The guard that keeps a stray second tap or Enter off buttons that have just come up.
import assert from "node:assert";
import { test } from "node:test";
import { createGuard } from "../../web/guard.js";

// Timers whose clock the test moves on.
function fakeTimers() {
  let now = 0;
  let pending = [];
  return {
    setTimeout(run, delay) {
      const timer = { run, at: now + delay };
      pending.push(timer);
      return timer;
    },
    clearTimeout(timer) {
      pending = pending.filter((other) => other !== timer);
    },
    advance(ms) {
      now += ms;
      for (const timer of pending.filter((other) => other.at <= now)) {
        pending = pending.filter((other) => other !== timer);
        timer.run();
      }
    },
  };
}

const button = () => {
  const attributes = new Map();
  return {
    setAttribute: (name, value) => attributes.set(name, value),
    removeAttribute: (name) => attributes.delete(name),
    disabled: () => attributes.get("aria-disabled") === "true",
  };
};

test("an armed guard refuses a tap at once and takes one after a quiet moment", () => {
  const timers = fakeTimers();
  const buttons = [button(), button()];
  const guard = createGuard(buttons, timers, 700);
  assert.ok(guard.allows(), "nothing armed yet");
  guard.arm();
  assert.ok(buttons.every((b) => b.disabled()));
  timers.advance(250); // a double tap's second tap
  assert.ok(!guard.allows());
  timers.advance(600); // 850 ms after arming, but only 600 after the refused tap
  assert.ok(buttons.every((b) => b.disabled()), "a refused tap starts the quiet moment anew");
  timers.advance(100);
  assert.ok(buttons.every((b) => !b.disabled()));
  assert.ok(guard.allows());
});

test("hammering never gets through; reset ends the quiet moment", () => {
  const timers = fakeTimers();
  const guard = createGuard([button()], timers, 700);
  guard.arm();
  for (let press = 0; press < 20; ++press) {
    timers.advance(300);
    assert.ok(!guard.allows(), `press ${press}`);
  }
  guard.reset();
  assert.ok(guard.allows());
});
