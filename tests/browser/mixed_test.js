// A mixed round in the trainer on a phone's viewport, in Chromium, Firefox ESR or WebKitGTK
// (ENGINE): the model chosen first with buttons in the problem's words, then the number; a wrong
// model named before the working; a reload in the middle that brings back the choices; the
// review of the models; the round's options from the address and their choice on the end
// screen. Run with node --test; SITE is the site folder, and CHROMIUM, FIREFOX, or
// WEBKIT_DRIVER, XVFB and MINIBROWSER the browser.
"use strict";

const assert = require("node:assert");
const { test } = require("node:test");
const { engineAndSite } = require("./browsers.js");
const { ANSWER_PROMPT, CONTINUE_PROMPT, ENDED, PAUSE, SEVEN_BIT, lastProblem, transcript,
        waitForEnd } = require("./dialogue.js");

const ENGINE = process.env.ENGINE;
// A phone's viewport; WebKitGTK's window is never narrower than about 450 pixels.
const PHONE = { width: ENGINE === "webkit" ? 480 : 390, height: 844 };
const opened = engineAndSite();

// A button once it takes a tap (guard.js), brought into view, as a learner scrolls to it.
const released = (page, selector) => page.waitFor((which) => {
  const button = document.querySelector(which);
  const ready = button && !button.closest("[hidden]") && !button.hasAttribute("aria-disabled");
  if (ready) button.scrollIntoView({ block: "center" });
  return ready && button.getBoundingClientRect().bottom <= window.innerHeight;
}, selector);
const BUTTON = { direct: 1, inverse: 2, constant: 3 }; // the buttons' order
const WRONG = { direct: "inverse", inverse: "direct", constant: "direct" };

// Chooses a model on the problem on screen, right or wrong, and types the number.
async function solve(page, { rightModel, rightNumber }) {
  const problem = lastProblem(await transcript(page));
  const model = rightModel ? problem.model : WRONG[problem.model];
  const button = `#models button:nth-of-type(${BUTTON[model]})`;
  await released(page, button);
  const labels = await page.evaluate(() =>
    [...document.querySelectorAll("#models button")].map((item) => item.textContent));
  assert.match(labels[0], /^Je mehr \p{L}+, desto /u);
  assert.match(labels[2], /^Das hängt nicht von der Anzahl der \p{L}+ ab$/u);
  // Until the model is chosen there is no field and no hint.
  assert.deepStrictEqual(await page.evaluate(() => [document.getElementById("answer").hidden,
                                                    document.getElementById("tip").hidden]),
                         [true, true]);
  await page.click(button);
  await page.waitFor(() => document.activeElement?.id === "field");
  await page.keys(`${rightNumber ? problem.answer : problem.answer + 1}\n`);
  await waitForEnd(page, CONTINUE_PROMPT);
  return problem;
}

async function next(page) {
  await released(page, "#next");
  await page.click("#next");
  await waitForEnd(page, ANSWER_PROMPT);
}

test(`${ENGINE}: a mixed round of 12 on a phone, with a reload in the middle`, async () => {
  const page = await opened.browser.open(`${opened.server.origin}index.html?art=gemischt`, PHONE);
  try {
    await waitForEnd(page, ANSWER_PROMPT);
    assert.deepStrictEqual(await page.evaluate(() =>
      [document.querySelector("[name=art]:checked").value,
       document.querySelector("[name=rechner]:checked").value]), ["gemischt", "mit"]);
    const seen = [];
    for (let number = 1; number <= 12; ++number) {
      // The second problem with the wrong model, the third with a wrong number.
      const problem = await solve(page, { rightModel: number !== 2, rightNumber: number !== 3 });
      seen.push(problem.model);
      const working = await page.evaluate(() =>
        [...document.querySelectorAll("#transcript .working")].at(-1)?.textContent ?? "");
      if (number === 2) {
        assert.match(working, /^Hier gilt: (je mehr \p{L}+, desto |Das hängt nicht)/u);
      } else if (number === 3) {
        assert.doesNotMatch(working, /Hier gilt/);
        assert.match(working, / → /);
      }
      if (number === 6) {
        // A reload brings back the round, with its choices, where it stood.
        const before = await transcript(page);
        await page.reload();
        await waitForEnd(page, CONTINUE_PROMPT);
        assert.strictEqual(await transcript(page), before);
      }
      if (number < 12) await next(page);
    }
    // At least a third of the round is not inverse, and no model four times in a row.
    assert.ok(seen.filter((model) => model !== "inverse").length >= 4, seen.join(" "));
    assert.doesNotMatch(seen.join(" "), /(\b\w+\b)( \1){3}/);
    await released(page, "#stop");
    await page.click("#stop");
    await waitForEnd(page, PAUSE);
    await released(page, "#weiter");
    await page.click("#weiter");
    await waitForEnd(page, ENDED);
    const text = await transcript(page);
    assert.match(text, /\nDu hast insgesamt 11 von 12 Punkten erreicht!\nBravo!\n/);
    assert.match(text, /Zusammenhang richtig erkannt: 11 von 12\./);
    assert.match(text, /Verwechselt: 1-mal „[^“]+“ gewählt, wo „[^“]+“ galt\./);
    assert.doesNotMatch(text, SEVEN_BIT);
    // The options are offered again with "Noch eine Runde"; the next round takes the new one.
    assert.ok(await page.evaluate(() =>
      document.getElementById("actions").contains(document.getElementById("round"))));
    await page.click("[name=art][value=umgekehrt]");
    await released(page, "#restart");
    await page.click("#restart");
    await waitForEnd(page, ANSWER_PROMPT);
    assert.strictEqual(lastProblem(await transcript(page)).model, "inverse");
    assert.ok(await page.evaluate(() => document.getElementById("models").hidden));
    assert.deepStrictEqual(page.errors, []);
  } catch (error) {
    error.message += `\n${opened.browser.version}, transcript:\n${await transcript(page)}`;
    throw error;
  } finally {
    await page.close();
  }
});
