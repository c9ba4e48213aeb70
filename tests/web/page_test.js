// The browser site in headless Chromium: whole sessions typed in the page on a desktop and on
// an emulated touch tablet, from file:// and over http on 127.0.0.1; no request leaves the
// site, nothing is stored. Run with node --test; SITE is the site folder, CHROMIUM the browser.
"use strict";

const assert = require("node:assert");
const fs = require("node:fs");
const http = require("node:http");
const path = require("node:path");
const { test } = require("node:test");
const { chromium, devices } = require("../../web/node_modules/playwright-core");

const SITE = path.resolve(process.env.SITE);
const ARGS = ["--no-sandbox", "--disable-background-networking", "--disable-component-update",
              "--disable-sync", "--no-first-run", "--disable-gpu"];

function serve() {
  const server = http.createServer((request, response) => {
    const file = path.join(SITE, path.normalize(new URL(request.url, "http://x").pathname));
    fs.readFile(file.endsWith(path.sep) ? path.join(file, "index.html") : file, (error, data) => {
      response.writeHead(error ? 404 : 200);
      response.end(data);
    });
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

const screen = (page) => page.evaluate(() => {
  const buffer = terminal.buffer.active;
  const lines = [];
  for (let y = 0; y < buffer.length; ++y) lines.push(buffer.getLine(y).translateToString(true));
  return lines.join("\n");
});

// Waits until the screen, blank ends trimmed, ends with what the pattern matches.
function waitForEnd(page, pattern) {
  return page.waitForFunction((source) => {
    const buffer = terminal.buffer.active;
    let all = "";
    for (let y = 0; y < buffer.length; ++y) all += buffer.getLine(y).translateToString(true) + "\n";
    return new RegExp(source + "$").test(all.trimEnd());
  }, pattern.source, { timeout: 5000 });
}

const ANSWER_PROMPT = /Gib dein Ergebnis ein und druecke ENTER:/;
const CONTINUE_PROMPT = /zum Weitermachen druecke 1 und ENTER:/;
const ENDED = /Die Sitzung ist beendet\. Eine Taste oder ein Tippen startet eine neue\./;

// The answer to the last problem on the screen, worked out as a learner would.
async function answer(page) {
  const text = await screen(page);
  const work = /Eine Gruppe von (\d+) [^\n]*\n durchschnitttlich in (\d+) [^]*?Gruppe von (\d+) /g;
  const supply = / (\d+) \S+ kommen mit [^\n]* (\d+) \S+ aus\.[^]*?\n fuer (\d+) /g;
  const last = [...text.matchAll(work), ...text.matchAll(supply)]
    .sort((a, b) => a.index - b.index).pop();
  const [first, duration, second] = last.slice(1, 4).map(Number);
  return first * duration / second;
}

const CASES = [
  { name: "desktop from file://", device: { viewport: { width: 1280, height: 800 } }, http: false },
  { name: "touch tablet over http", device: devices["iPad (gen 7)"], http: true },
  { name: "desktop over http", device: { viewport: { width: 1280, height: 800 } }, http: true },
  { name: "touch tablet from file://", device: devices["iPad (gen 7)"], http: false },
];

for (const { name, device, http: overHttp } of CASES) {
  test(`a whole session typed in the page: ${name}`, async () => {
    const server = overHttp ? await serve() : null;
    const site = overHttp ? `http://127.0.0.1:${server.address().port}/`
                          : `file://${SITE}/`;
    const browser = await chromium.launch({ executablePath: process.env.CHROMIUM, args: ARGS });
    const context = await browser.newContext(device);
    const page = await context.newPage();
    const requests = [];
    const problems = [];
    page.on("request", (request) => requests.push(request.url()));
    page.on("console", (message) => message.type() === "error" && problems.push(message.text()));
    page.on("pageerror", (error) => problems.push(error.message));
    const press = device.hasTouch
      ? () => page.touchscreen.tap(300, 300) : () => page.keyboard.press("x");
    try {
      await page.goto(site + "index.html");
      await waitForEnd(page, ANSWER_PROMPT);
      // The program's colours: light yellow (bright yellow, 103) with grey text (90).
      const colours = await page.evaluate(() => {
        const cell = terminal.buffer.active.getLine(1).getCell(1);
        return [cell.isBgPalette() && cell.getBgColor(), cell.isFgPalette() && cell.getFgColor()];
      });
      assert.deepStrictEqual(colours, [11, 8]);
      if (device.hasTouch) {
        await page.touchscreen.tap(200, 600);
        assert.ok(await page.evaluate(() => document.activeElement.classList.contains(
          "xterm-helper-textarea")), "a tap focuses the terminal's input");
      }
      await page.keyboard.type("99");
      await page.keyboard.press("Backspace");
      await page.keyboard.press("Backspace");
      await page.keyboard.type(`${await answer(page)}\n`);
      await waitForEnd(page, CONTINUE_PROMPT);
      await page.keyboard.type("1\n");
      await waitForEnd(page, ANSWER_PROMPT);
      await page.keyboard.type("0\n9\n");
      await waitForEnd(page, /Druecken Sie eine beliebige Taste \. \. \./);
      assert.match(await screen(page), / Du hast insgesamt 1 von 2 Punkten erreicht! \n\n Du musst noch mehr ueben! \n/);
      await press();
      await waitForEnd(page, ENDED);
      await press();
      await waitForEnd(page, ANSWER_PROMPT);
      // Ctrl-D at an empty line is the end of input: the session ends without a pause.
      await page.keyboard.press("Control+d");
      await waitForEnd(page, ENDED);
      assert.match(await screen(page), /0 von 1 Punkten erreicht! \n\n Du musst noch mehr ueben! \n\n\n Die Sitzung/);
      // Ctrl-C ends a session as it ends the program in a terminal.
      await press();
      await waitForEnd(page, ANSWER_PROMPT);
      await page.keyboard.type("12");
      await page.keyboard.press("Control+c");
      await waitForEnd(page, new RegExp(/ENTER: 12\^C\n /.source + ENDED.source));

      assert.deepStrictEqual(requests.filter((url) => !url.startsWith(site)), []);
      assert.deepStrictEqual(problems, []);
      assert.deepStrictEqual(await context.cookies(), []);
      assert.deepStrictEqual(await page.evaluate(() => [localStorage.length, sessionStorage.length]), [0, 0]);
    } catch (error) {
      error.message += `\nscreen:\n${await screen(page)}`;
      throw error;
    } finally {
      await browser.close();
      server?.close();
    }
  });
}
