// When the progress line may stay stuck at the top.
import assert from "node:assert";
import { test } from "node:test";
import { progressFits } from "../../web/view.js";

const CASES = [
  // line height and height of the progress line, visible height (px), stuck?
  ["one line on a phone", 30.4, 30.4, 844, true],
  ["one line above an on-screen keyboard", 30.4, 30.4, 420, true],
  ["two lines at 200 % text", 60.8, 105.6, 844, false],
  ["one line at 200 % text above the keyboard", 60.8, 60.8, 420, false],
  ["one line at 400 % zoom", 30.4, 30.4, 200, false],
];

for (const [name, lineHeight, height, visibleHeight, fits] of CASES) {
  test(`the progress line: ${name}`, () => {
    assert.strictEqual(progressFits({ lineHeight, height, visibleHeight }), fits);
  });
}
