// The round's options from the page's address, a platform's launch data and the form.
import assert from "node:assert";
import { test } from "node:test";
import { formValues, optionsIn, optionsInWords, optionsOf } from "../../web/trainer/round_options.js";

test("the options an address or launch data names; anything else keeps the defaults", () => {
  const cases = [
    ["", false, false],
    [null, false, false],
    ["?art=gemischt&rechner=ohne", true, true],
    ["?rechner=ohne", false, true],
    ["?art=GEMISCHT", true, false],
    ["?art=umgekehrt&rechner=mit", false, false],
    ["anzahl=10&art=gemischt", true, false],
    ["anzahl=10;art=gemischt;rechner=ohne", true, true],
    ["anzahl=10 art=gemischt", true, false],
    ["?art=alles&rechner=vielleicht", false, false],
    ["?art=<script>", false, false],
    ["?xart=gemischt", false, false],
  ];
  for (const [text, mixed, byHand] of cases) {
    assert.deepStrictEqual(optionsIn(text), { mixed, byHand }, String(text));
  }
  // Over other defaults, only what is named changes.
  assert.deepStrictEqual(optionsIn("?rechner=mit", { mixed: true, byHand: true }),
                         { mixed: true, byHand: false });
});

test("the options go to the form and back, and in words", () => {
  for (const options of [{ mixed: false, byHand: false }, { mixed: true, byHand: false },
                         { mixed: false, byHand: true }, { mixed: true, byHand: true }]) {
    assert.deepStrictEqual(optionsOf(formValues(options)), options);
  }
  assert.strictEqual(optionsInWords({ mixed: true, byHand: true }),
                     "Gemischt · ohne Taschenrechner");
  assert.strictEqual(optionsInWords({ mixed: false, byHand: false }),
                     "Nur umgekehrte Aufgaben · mit Taschenrechner");
});
