// The tutor in a whole round, in Chromium, Firefox ESR or WebKitGTK (ENGINE is chromium,
// firefox or webkit): hints before answering, the sentence on the mistake before the working,
// the round's review after the score; and a stray second Enter, a wrong number at the continue
// question or Enter hammered at the end lose nothing. Run with node --test; SITE is the site
// folder, and CHROMIUM, FIREFOX, or WEBKIT_DRIVER, XVFB and MINIBROWSER the browser.
"use strict";

const assert = require("node:assert");
const path = require("node:path");
const { test } = require("node:test");
const { engineAndSite } = require("./browsers.js");
const { ANSWER_PROMPT, CONTINUE_PROMPT, ENDED, PAUSE, lastProblem, transcript, waitForEnd } =
  require("./dialogue.js");

const SITE = path.resolve(process.env.SITE);
const ENGINE = process.env.ENGINE;

const opened = engineAndSite();

// A guarded button once it takes a tap again, long after a stray tap or key would have.
const released = (page, id) =>
  page.waitFor((which) => !document.getElementById(which).hasAttribute("aria-disabled"), id);
const text = (page, selector) =>
  page.evaluate((which) => document.querySelector(which)?.textContent ?? null, selector);

test(`${ENGINE}: hints, the named mistake and the review; stray keys lose nothing`, async () => {
  const page = await opened.browser.open(`${opened.server.origin}index.html`, { width: 1024, height: 768 });
  try {
    await waitForEnd(page, ANSWER_PROMPT);
    const { first, duration, second, answer } = lastProblem(await transcript(page));
    // Three hints, one per tap, none with the result; then the button goes.
    for (let tap = 1; tap <= 3; ++tap) {
      await page.waitFor(() => !document.getElementById("tip").hidden);
      await page.click("#tip");
      await page.waitFor((n) => document.querySelectorAll("#tips li").length === n, tap);
    }
    const tips = await text(page, "#tips");
    assert.match(tips, new RegExp(`^Tipp 1 von 3: Je .+ ${first} · ${duration} = ${first *
      duration} .+ ${first * duration} : ${second} = \\?$`));
    assert.ok(!tips.includes(`= ${answer} `));
    assert.strictEqual(await text(page, "#progress"), "Aufgabe 1 · 0 richtig · mit Tipp");

    // The given time taken over: the sentence says so, before the working. (No other
    // strategy gives g when the groups differ.)
    await page.waitFor(() => document.activeElement.id === "field" &&
                             document.getElementById("tip").hidden);
    await page.keys(`${duration}\n`);
    await waitForEnd(page, CONTINUE_PROMPT);
    const taken = `^Du hast die Zeit aus der Aufgabe übernommen\\. Aber die ${duration} `;
    assert.match(await text(page, "#transcript .working p"), new RegExp(taken));

    // A second Enter at once, on "Nächste Aufgabe": the working stays. A number but 1 or 9,
    // which would end the round, gets a note and stays to be corrected.
    const judged = await transcript(page);
    await page.keys("\n");
    await released(page, "next");
    await page.evaluate(() => document.getElementById("field").focus());
    await page.keys("2\n");
    await page.waitFor(() => document.getElementById("note").textContent.includes("1 oder 9"));
    assert.strictEqual(await page.evaluate(() => document.getElementById("field").value), "2");
    assert.strictEqual(await transcript(page), judged);

    // Out; in the pause Enter three times: the pause ends, the score and the review stay.
    await page.click("#stop");
    await waitForEnd(page, PAUSE);
    for (let press = 0; press < 3; ++press) await page.keys("\n");
    await waitForEnd(page, ENDED);
    await released(page, "restart");
    assert.match(await transcript(page), /\nDu hast insgesamt 0 von 1 Punkten erreicht!\n/);
    const review = await text(page, "#transcript .review");
    assert.match(review, /Typische Fehler: 1-mal die Zeit aus der Aufgabe übernommen\./);
    assert.strictEqual(await text(page, "#scores .review"), review);
    assert.strictEqual(await page.evaluate(() =>
      document.querySelector("#scores .marks").getAttribute("aria-label")),
                       "Aufgabe 1 falsch, mit Tipp");
    await page.keys("\n"); // a deliberate Enter starts the next round
    await waitForEnd(page, ANSWER_PROMPT);
    assert.deepStrictEqual(page.errors, []);
  } catch (error) {
    error.message += `\n${opened.browser.version}, transcript:\n${await transcript(page)}`;
    throw error;
  } finally {
    await page.close();
  }
});
