// The tutor in a whole round, in Chromium, Firefox ESR or WebKitGTK (ENGINE is chromium,
// firefox or webkit): hints before answering, the sentence on the mistake before the working,
// the round's review after the score; and a stray second Enter, a wrong number at the continue
// question or Enter hammered at the end lose nothing. Run with node --test; SITE is the site
// folder, and CHROMIUM, FIREFOX, or WEBKIT_DRIVER, XVFB and MINIBROWSER the browser.
"use strict";

const assert = require("node:assert");
const path = require("node:path");
const { after, before, test } = require("node:test");
const { chromium, firefox, webkit } = require("./browsers.js");
const { lastProblem } = require("./problem.js");
const { serveSite } = require("./site_server.js");

const SITE = path.resolve(process.env.SITE);
const ENGINE = process.env.ENGINE;

let browser;
let server;
before(async () => {
  const { CHROMIUM, FIREFOX, WEBKIT_DRIVER, XVFB, MINIBROWSER } = process.env;
  browser = ENGINE === "chromium" ? await chromium(CHROMIUM)
    : ENGINE === "firefox" ? await firefox(FIREFOX)
    : await webkit(WEBKIT_DRIVER, XVFB, MINIBROWSER);
  server = await serveSite(SITE);
});
after(async () => {
  await browser?.close();
  server?.close();
});

const ANSWER_PROMPT = "Gib dein Ergebnis ein und druecke ENTER: ";
const CONTINUE_PROMPT = "zum Weitermachen druecke 1 und ENTER: ";
const PAUSE = "Druecke eine Taste oder tippe auf Weiter . . . ";
const ENDED = "„Noch eine Runde“ oder Enter beginnt eine neue.\n";

const transcript = (page) => page.evaluate(() => document.getElementById("transcript").textContent);
const waitForEnd = (page, text) =>
  page.waitFor((end) => document.getElementById("transcript").textContent.endsWith(end), text);
// A guarded button once it takes a tap again: long after a stray second tap or key would
// have reached it.
const released = (page, id) =>
  page.waitFor((which) => !document.getElementById(which).hasAttribute("aria-disabled"), id);
const text = (page, selector) =>
  page.evaluate((which) => document.querySelector(which)?.textContent ?? null, selector);

test(`${ENGINE}: hints, the named mistake and the review; stray keys lose nothing`, async () => {
  const page = await browser.open(`${server.origin}index.html`, { width: 1024, height: 768 });
  try {
    await waitForEnd(page, ANSWER_PROMPT);
    const { first, duration, second, answer } = lastProblem(await transcript(page));

    // Three hints, one per tap, none with the result; then the button goes.
    for (let tap = 1; tap <= 3; ++tap) {
      await page.waitFor(() => !document.getElementById("tip").hidden);
      await page.click("#tip");
      await page.waitFor((n) => document.querySelectorAll("#tips li").length === n, tap);
    }
    const tips = await page.evaluate(() =>
      [...document.querySelectorAll("#tips li")].map((item) => item.textContent));
    assert.match(tips[0], /^Tipp 1 von 3: Je (mehr|weniger) /);
    assert.ok(tips[1].includes(`${first} · ${duration} = ${first * duration}`), tips[1]);
    assert.ok(tips[2].endsWith(`${first * duration} : ${second} = ?`), tips[2]);
    assert.ok(tips.every((tip) => !tip.includes(`= ${answer} `)));
    assert.ok(await page.evaluate(() => document.getElementById("tip").hidden));
    assert.strictEqual(await text(page, "#progress"), "Aufgabe 1 · 0 richtig · mit Tipp");

    // Stopped after the value for one: the sentence says so, before the working.
    await page.waitFor(() => document.activeElement.id === "field");
    await page.keys(`${first * duration}\n`);
    await waitForEnd(page, CONTINUE_PROMPT);
    assert.match(await text(page, "#transcript .working p"),
                 new RegExp(`^Du hast beim Wert für 1 .+ aufgehört: .+ \\(${first} · ${duration} = `));
    assert.strictEqual(await text(page, "#tips"), "");

    // A second Enter at once, on "Nächste Aufgabe": the working stays.
    const judged = await transcript(page);
    await page.keys("\n");
    await released(page, "next");
    assert.strictEqual(await transcript(page), judged);

    // A number but 1 or 9 would end the round: a note, and the number stays to be corrected.
    await page.evaluate(() => document.getElementById("field").focus());
    await page.keys("2\n");
    await page.waitFor(() => document.getElementById("note").textContent.includes("1 oder 9"));
    assert.strictEqual(await page.evaluate(() => document.getElementById("field").value), "2");
    assert.strictEqual(await transcript(page), judged);

    // Out; in the pause Enter three times: the pause ends, the score stays.
    await page.click("#stop");
    await waitForEnd(page, PAUSE);
    await page.keys("\n");
    await page.keys("\n");
    await page.keys("\n");
    await waitForEnd(page, ENDED);
    await released(page, "restart");
    const ended = await transcript(page);
    assert.match(ended, / Du hast insgesamt 0 von 1 Punkten erreicht! /);
    assert.ok(ended.endsWith(ENDED), ended.slice(-200));

    // The review after the score, and the same in the list of rounds.
    const review = (where) => page.evaluate((selector) => {
      const block = document.querySelector(selector);
      return { marks: block.querySelector(".marks").getAttribute("aria-label"),
               lines: [...block.querySelectorAll(":scope > p:not(.marks)")]
                 .map((line) => line.textContent) };
    }, where);
    const shown = await review("#transcript .review");
    assert.strictEqual(shown.marks, "Aufgabe 1 falsch, mit Tipp");
    assert.match(shown.lines[0], /^(Arbeits|Vorrats)aufgaben: 0 von 1 richtig\.$/);
    assert.strictEqual(shown.lines[1], "Typische Fehler: 1-mal beim Wert für 1 aufgehört.");
    assert.match(shown.lines[2], /^Tipp für die nächste Runde: Denk an den zweiten Schritt/);
    assert.deepStrictEqual(await review("#scores li .review"), shown);
    assert.strictEqual(await text(page, "#scores .score"), "0 von 1 Punkten");

    // A deliberate Enter starts the next round.
    await page.keys("\n");
    await waitForEnd(page, ANSWER_PROMPT);
    assert.doesNotMatch(await transcript(page), /Du hast insgesamt/);
    assert.deepStrictEqual(page.errors, []);
  } catch (error) {
    error.message += `\n${browser.version}, transcript:\n${await transcript(page)}`;
    throw error;
  } finally {
    await page.close();
  }
});
