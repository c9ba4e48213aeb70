// Whole sessions in the trainer page in Firefox ESR or WebKitGTK (ENGINE is firefox or webkit),
// typed and tapped as a learner does, from file:// and over http on 127.0.0.1: right and wrong
// answers, notes for what is no number, the two buttons, the working, the progress line, the
// pause and the score. Run with node --test; SITE is the site folder, FIREFOX the browser, or
// WEBKIT_DRIVER, XVFB and MINIBROWSER.
"use strict";

const assert = require("node:assert");
const path = require("node:path");
const { test } = require("node:test");
const { engineAndSite } = require("./browsers.js");
const { ANSWER_PROMPT, CONTINUE_PROMPT, ENDED, PAUSE, SEVEN_BIT, lastProblem, transcript,
        waitForEnd } = require("./dialogue.js");

const SITE = path.resolve(process.env.SITE);
const ENGINE = process.env.ENGINE;

const opened = engineAndSite();

const state = (page) => page.evaluate(() => ({
  focus: document.activeElement.id,
  note: document.getElementById("note").textContent,
  progress: document.getElementById("progress").textContent,
  restartShown: !document.getElementById("actions").hidden,
}));

const noted = (page, words) =>
  page.waitFor((part) => document.getElementById("note").textContent.includes(part), words);

// Ways on at the continue question and out of the pause: each row a session.
const WAYS = [
  { where: "http", next: "#next", stop: "#stop", pause: "\n", size: { width: 1280, height: 800 } },
  { where: "file", next: "1\n", stop: "9\n", pause: "#weiter", size: { width: 480, height: 720 } },
];

// A button by its selector, once it takes a tap (guard.js), or typed keys.
async function act(page, how) {
  if (!how.startsWith("#")) {
    return page.keys(how);
  }
  await page.waitFor((id) => !document.getElementById(id).hasAttribute("aria-disabled"),
                     how.slice(1));
  return page.click(how);
}

for (const { where, next, stop, pause, size } of WAYS) {
  test(`${ENGINE}: a session over ${where}, on with ${next.trim()}, ` +
       `out with ${stop.trim()}, the pause ended by ${pause.trim() || "Enter"}, ` +
       `${size.width}×${size.height}`, async () => {
    const site = where === "http" ? opened.server.origin : `file://${SITE}/`;
    const page = await opened.browser.open(`${site}index.html`, size);
    try {
      await waitForEnd(page, ANSWER_PROMPT);
      assert.strictEqual((await state(page)).progress, "Aufgabe 1 · 0 richtig");
      assert.strictEqual(await page.evaluate(() => window.innerWidth), size.width);

      // What is no number gets a note and reaches nothing; a right answer with a comma.
      const before = await transcript(page);
      await page.keys("zwanzig\n");
      await noted(page, "Zahl");
      assert.strictEqual(await transcript(page), before);
      await page.evaluate(() => { document.getElementById("field").value = ""; });
      await page.keys(`${lastProblem(before).answer},0\n`);
      await waitForEnd(page, CONTINUE_PROMPT);
      assert.match(await transcript(page), /\nRichtig gerechnet! :-\)\n/);
      assert.deepStrictEqual(await state(page), { focus: "next", note: "",
                                                  progress: "Aufgabe 1 · 1 richtig",
                                                  restartShown: false });

      // At the continue question a broken number is refused; then on to the next problem.
      const asked = await transcript(page);
      await page.keys("1,5\n");
      await noted(page, "ganze Zahl");
      assert.strictEqual(await transcript(page), asked);
      await page.evaluate(() => { document.getElementById("field").value = ""; });
      await act(page, next);
      await waitForEnd(page, ANSWER_PROMPT);

      // A wrong answer: the working right after the feedback, coming to the named answer.
      const { answer } = lastProblem(await transcript(page));
      await page.keys(`${answer + 1}\n`);
      await waitForEnd(page, CONTINUE_PROMPT);
      assert.match(await transcript(page), new RegExp(`\nDein Ergebnis ist leider falsch!\n` +
                                                       `Das richtige Ergebnis lautet: ${answer}\n`));
      const working = await page.evaluate(() => {
        const block = document.querySelector("#transcript .working");
        const box = block.getBoundingClientRect();
        return { why: block.querySelector("p:not(.mistake)").textContent,
                 lines: [...block.querySelectorAll("li")].map((item) => item.textContent),
                 inView: box.top >= 0 && box.bottom <= window.innerHeight };
      });
      assert.match(working.why, /^Je (mehr|weniger) .+, desto .+: erst für 1 .+, dann für \d+ .+\.$/);
      assert.strictEqual(working.lines.length, 3, working.lines.join("\n"));
      assert.match(working.lines[2], new RegExp(`= ${answer} \\p{L}+$`, "u"));
      assert.ok(working.inView, "the working is in view");
      assert.strictEqual((await state(page)).progress, "Aufgabe 2 · 1 richtig");

      // Out, the pause, the score and the list of this visit's rounds.
      await act(page, stop);
      await waitForEnd(page, PAUSE);
      await act(page, pause);
      await waitForEnd(page, ENDED);
      const ended = await transcript(page);
      assert.match(ended, /\nDu hast insgesamt 1 von 2 Punkten erreicht!\nDu musst noch mehr üben!\n/);
      // The page speaks correct German from the greeting to the score.
      assert.match(ended, /^Willkommen beim Übungs-Simulator für indirekte Proportionalität!\n/);
      assert.match(ended, /\nZum Beenden des Programms drücke 9 und ENTER,\nzum Weitermachen/);
      assert.doesNotMatch(ended, SEVEN_BIT);
      const scores = () => page.evaluate(() =>
        [...document.querySelectorAll("#scores .score")].map((item) => item.textContent));
      assert.deepStrictEqual(await scores(), ["1 von 2 Punkten"]);
      assert.ok((await state(page)).restartShown);
      assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <=
                                           document.documentElement.clientWidth),
                "the page reflows without scrolling sideways");

      await act(page, "#restart");
      await waitForEnd(page, ANSWER_PROMPT);
      assert.doesNotMatch(await transcript(page), /Du hast insgesamt/);
      assert.deepStrictEqual(await scores(), ["1 von 2 Punkten"]);
      assert.deepStrictEqual(page.errors, []);
    } catch (error) {
      error.message += `\n${opened.browser.version}, transcript:\n${await transcript(page)}`;
      throw error;
    } finally {
      await page.close();
    }
  });
}
