// The browser site in headless Chromium on the devices learners hold: whole sessions typed
// in the page, read from the transcript's text, from file:// and over http on 127.0.0.1; no
// request leaves the site, nothing is stored, no console error. Run with node --test; SITE is
// the site folder, CHROMIUM the browser.
"use strict";

const assert = require("node:assert");
const path = require("node:path");
const { after, before, test } = require("node:test");
const { chromium, devices } = require("../../web/node_modules/playwright-core");
const { lastProblem } = require("./problem.js");
const { CHROMIUM_ARGS, accessibilityViolations, serveSite } = require("./site_server.js");

const SITE = path.resolve(process.env.SITE);
const WAIT = { timeout: 15000 }; // conditions, not sleeps: generous for a loaded machine

let browser;
let server;
let origin;

before(async () => {
  browser = await chromium.launch({ executablePath: process.env.CHROMIUM, args: CHROMIUM_ARGS });
  server = await serveSite(SITE);
  origin = server.origin;
});

after(async () => {
  await browser?.close();
  server?.close();
});

const ANSWER_PROMPT = /Gib dein Ergebnis ein und druecke ENTER: /;
const CONTINUE_PROMPT = /zum Weitermachen druecke 1 und ENTER: /;
const PAUSE = /Druecke eine Taste oder tippe auf Weiter \. \. \. /;
const ENDED = /Die Runde ist zu Ende\. „Noch eine Runde“ oder Enter beginnt eine neue\.\n/;

const transcript = (page) => page.locator("#transcript").textContent();

// Waits until the transcript ends with what the pattern matches.
function waitForEnd(page, pattern) {
  return page.waitForFunction((source) => new RegExp(`(${source})$`)
    .test(document.getElementById("transcript").textContent), pattern.source, WAIT);
}

// A page with its requests and console errors recorded; the caller closes its context.
async function open(device, where) {
  const context = await browser.newContext(device);
  const page = await context.newPage();
  page.seen = { requests: [], problems: [] };
  page.on("request", (request) => page.seen.requests.push(request.url()));
  page.on("console", (message) => message.type() === "error" && page.seen.problems.push(message.text()));
  page.on("pageerror", (error) => page.seen.problems.push(error.message));
  page.site = where === "http" ? origin : `file://${SITE}/`;
  await page.goto(page.site + "index.html");
  await waitForEnd(page, ANSWER_PROMPT);
  return page;
}

async function checkPrivacy(page) {
  assert.deepStrictEqual(page.seen.requests.filter((url) => !url.startsWith(page.site)), []);
  assert.deepStrictEqual(page.seen.problems.map((text) => text.slice(0, 300)), []);
  assert.deepStrictEqual(await page.context().cookies(), []);
  assert.deepStrictEqual(await page.evaluate(() => [localStorage.length, sessionStorage.length]),
                         [0, 0]);
}

// The program's words whose pieces lie on more than one line (typed lines may wrap anywhere).
const splitWords = (page) => page.evaluate(() => {
  const split = [];
  const texts = document.createTreeWalker(document.getElementById("transcript"),
                                          NodeFilter.SHOW_TEXT);
  for (let node = texts.nextNode(); node; node = texts.nextNode()) {
    if (node.parentElement.closest(".typed")) continue;
    for (const word of node.data.matchAll(/[\p{L}\p{N}]+/gu)) {
      const range = document.createRange();
      range.setStart(node, word.index);
      range.setEnd(node, word.index + word[0].length);
      const tops = new Set([...range.getClientRects()].map((box) => Math.round(box.top)));
      if (tops.size > 1) split.push(word[0]);
    }
  }
  return split;
});


const DEVICES = [
  { name: "iPhone SE", device: devices["iPhone SE"], where: "http" },
  { name: "Pixel 5", device: devices["Pixel 5"], where: "file" },
  { name: "Pixel 5 landscape", device: devices["Pixel 5 landscape"], where: "http" },
  { name: "iPad portrait", device: devices["iPad (gen 7)"], where: "file" },
  { name: "iPad landscape", device: devices["iPad (gen 7) landscape"], where: "http" },
  { name: "desktop 1280x800", device: { viewport: { width: 1280, height: 800 } }, where: "file" },
  { name: "320x200 (400 % zoom)", device: { viewport: { width: 320, height: 200 } }, where: "http" },
];

for (const { name, device, where } of DEVICES) {
  test(`a session on ${name} over ${where}`, async () => {
    const page = await open(device, where);
    const touch = !!device.hasTouch;
    try {
      assert.deepStrictEqual(await page.locator("#console").evaluate((element) => {
        const style = getComputedStyle(element);
        return [style.backgroundColor, style.color];
      }), ["rgb(255, 255, 102)", "rgb(85, 85, 85)"]);
      const field = page.getByRole("textbox", { name: "Gib dein Ergebnis ein und druecke ENTER:" });
      assert.ok(parseFloat(await field.evaluate((element) => getComputedStyle(element).fontSize)) >= 16);
      // A right answer with a decimal comma, as German keypads type it, then a wrong one.
      await field.fill(`${lastProblem(await transcript(page)).answer},0`);
      await (touch ? page.getByRole("button", { name: "OK" }).tap() : field.press("Enter"));
      await waitForEnd(page, CONTINUE_PROMPT);
      assert.match(await transcript(page), /,0\n\n\n Richtig gerechnet! :-\) \n/);
      await page.keyboard.type("1\n");
      await waitForEnd(page, ANSWER_PROMPT);
      const { answer } = lastProblem(await transcript(page));
      await page.keyboard.type(`${answer + 1}\n`);
      await waitForEnd(page, CONTINUE_PROMPT);
      assert.match(await transcript(page), new RegExp(` Das richige Ergebnis lautet: ${answer}\n`));
      // The wrong answer's working, whose last line comes to the answer the program named.
      const offer = page.getByRole("button", { name: "Lösungsweg" });
      await (touch ? offer.tap() : offer.click());
      const lines = await page.locator("#working-lines li").allTextContents();
      assert.strictEqual(lines.length, 3, lines.join("\n"));
      assert.match(lines[2], new RegExp(`= ${answer} \\p{L}+$`, "u"));
      const again = page.locator("#field"); // named now by the continue prompt
      await (touch ? again.tap() : again.focus());
      await page.keyboard.type("9\n");
      await waitForEnd(page, PAUSE);
      await (touch ? page.getByRole("button", { name: "Weiter" }).tap()
                   : page.keyboard.press("Enter"));
      await waitForEnd(page, ENDED);
      const score = / Du hast insgesamt 1 von 2 Punkten erreicht! \n\n Du musst noch mehr ueben! \n/;
      assert.match(await transcript(page), score);
      assert.deepStrictEqual(await page.locator("#scores li").allTextContents(), ["1 von 2 Punkten"]);
      assert.deepStrictEqual(await splitWords(page), []);
      assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <=
                                           document.documentElement.clientWidth),
                "the page reflows without scrolling sideways");

      // Neither a double tap at the score nor a swipe starts a new session.
      const summary = page.locator("#transcript span", { hasText: "Du hast insgesamt" });
      await summary.scrollIntoViewIfNeeded();
      const box = await summary.boundingBox();
      const x = box.x + 20;
      const y = box.y + box.height / 2;
      if (touch) {
        await page.touchscreen.tap(x, y);
        await page.touchscreen.tap(x, y);
        const cdp = await page.context().newCDPSession(page);
        await cdp.send("Input.synthesizeScrollGesture",
                       { x: Math.round(x), y: Math.round(y), yDistance: 150, gestureSourceType: "touch" });
      } else {
        await page.mouse.dblclick(x, y);
        await page.mouse.wheel(0, -150);
      }
      await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve))));
      assert.match(await transcript(page), score);
      assert.match(await transcript(page), new RegExp(`${ENDED.source}$`));

      // The restart button starts a new session; the earlier score stays listed.
      const restart = page.getByRole("button", { name: "Noch eine Runde" });
      await (touch ? restart.tap() : restart.click());
      await waitForEnd(page, ANSWER_PROMPT);
      assert.doesNotMatch(await transcript(page), /Du hast insgesamt/);
      assert.deepStrictEqual(await page.locator("#scores li").allTextContents(), ["1 von 2 Punkten"]);
      assert.deepStrictEqual(await splitWords(page), []);
      await checkPrivacy(page);
    } catch (error) {
      error.message += `\ntranscript:\n${await transcript(page)}`;
      throw error;
    } finally {
      await page.context().close();
    }
  });
}

const DESKTOP = { viewport: { width: 1280, height: 800 } };

test("Ctrl-C in the pause ends the session; Enter starts one whose typing shows", async () => {
  const page = await open(DESKTOP, "file");
  try {
    await page.keyboard.type("0\n9\n");
    await waitForEnd(page, PAUSE);
    await page.keyboard.press("Control+c");
    await waitForEnd(page, /\^C\nMit Strg\+C beendet\. „Noch eine Runde“ oder Enter beginnt eine neue\.\n/);
    assert.match(await transcript(page), / Du hast insgesamt 0 von 1 Punkten erreicht! /);
    await page.keyboard.press("Enter");
    await waitForEnd(page, ANSWER_PROMPT);
    await page.keyboard.type("12");
    assert.strictEqual(await page.locator("#field").inputValue(), "12");
    await page.keyboard.press("Enter");
    await waitForEnd(page, CONTINUE_PROMPT);
    assert.match(await transcript(page), /ENTER: 12\n\n\n (Dein Ergebnis ist leider falsch!|Richtig gerechnet)/);
    // Ctrl-D in the empty field is the end of input: the session ends without a pause.
    await page.keyboard.press("Control+d");
    await waitForEnd(page, ENDED);
    assert.doesNotMatch(await transcript(page), PAUSE);
    await checkPrivacy(page);
  } finally {
    await page.context().close();
  }
});

test("text inserted without key events and a pasted 200 KiB line reach the program", async () => {
  const page = await open(DESKTOP, "http");
  try {
    await page.keyboard.insertText(String(lastProblem(await transcript(page)).answer));
    await page.keyboard.press("Enter");
    await waitForEnd(page, CONTINUE_PROMPT);
    assert.match(await transcript(page), / Richtig gerechnet! :-\) \n/);
    await page.keyboard.type("1\n");
    await waitForEnd(page, ANSWER_PROMPT);
    // 200 KiB of digits and a 9 after a blank: the whole line is read, so the 9 ends the session.
    await page.context().grantPermissions(["clipboard-read", "clipboard-write"]);
    await page.evaluate(() => navigator.clipboard.writeText(`${"7".repeat(200 * 1024)} 9`));
    await page.keyboard.press("Control+v");
    await page.keyboard.press("Enter");
    await waitForEnd(page, PAUSE);
    assert.match(await transcript(page), / Du hast insgesamt 1 von 2 Punkten erreicht! /);
    await checkPrivacy(page);
  } finally {
    await page.context().close();
  }
});

test("after one visit over http the page reloads offline to the first prompt", async () => {
  const page = await open(DESKTOP, "http");
  try {
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null, null, WAIT);
    await page.context().setOffline(true);
    await page.reload();
    await waitForEnd(page, ANSWER_PROMPT);
    assert.strictEqual(await page.evaluate(() => navigator.onLine), false);
    await page.goto(origin); // the site's folder, as a home screen or a bookmark opens it
    await waitForEnd(page, ANSWER_PROMPT);
    await page.goto(origin + "arbeitsblatt.html?blatt=7");
    await page.getByText("Arbeitsblatt Nr. 7 mit 8 Aufgaben erstellt.").waitFor(WAIT);
    await checkPrivacy(page);
  } finally {
    await page.context().close();
  }
});

test("axe finds no WCAG 2.2 AA violation at the first prompt, mid-session and at the score", async () => {
  const page = await open(DESKTOP, "http");
  const check = async (when) => assert.deepStrictEqual(
    (await accessibilityViolations(page)).map((line) => `${when}: ${line}`), []);
  try {
    await check("first prompt");
    await page.keyboard.type("0\n");
    await waitForEnd(page, CONTINUE_PROMPT);
    await page.getByRole("button", { name: "Lösungsweg" }).click();
    await check("continue prompt, with the working shown");
    await page.locator("#field").focus();
    await page.keyboard.type("9\n");
    await waitForEnd(page, PAUSE);
    await check("pause");
    await page.keyboard.press("x");
    await waitForEnd(page, ENDED);
    await check("score");
    await checkPrivacy(page);
  } finally {
    await page.context().close();
  }
});
