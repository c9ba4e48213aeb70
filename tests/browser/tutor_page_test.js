// The tutor's page in headless Chromium where only playwright sets the scene: the browser's
// voices, taps on a phone, small and turning viewports, a program that does not load, and
// axe-core over hints and the review. Run with node --test; SITE is the site folder, CHROMIUM
// the browser.
"use strict";

const assert = require("node:assert");
const path = require("node:path");
const { after, before, test } = require("node:test");
const { chromium, devices } = require("../../web/node_modules/playwright-core");
const { ANSWER_PROMPT: ANSWER, CONTINUE_PROMPT: CONTINUE, lastProblem } =
  require("./dialogue.js");
const { CHROMIUM_ARGS, accessibilityViolations, serveSite } = require("./site_server.js");

const SITE = path.resolve(process.env.SITE);
const WAIT = { timeout: 15000 }; // conditions, not sleeps: generous for a loaded machine

let browser;
let server;
before(async () => {
  browser = await chromium.launch({ executablePath: process.env.CHROMIUM, args: CHROMIUM_ARGS });
  server = await serveSite(SITE);
});
after(() => Promise.all([browser?.close(), server?.close()]));

const DESKTOP = { viewport: { width: 1280, height: 800 } };

const transcript = (page) => page.locator("#transcript").textContent();
const waitForEnd = (page, end) => page.waitForFunction((text) =>
  document.getElementById("transcript").textContent.endsWith(text), end, WAIT);

// A page in a context of its own, prepared before it loads; run(page) uses it.
async function withPage(device, prepare = async () => {}, run = prepare) {
  const context = await browser.newContext(device);
  try {
    const page = await context.newPage();
    await prepare(page);
    await page.goto(`${server.origin}index.html`);
    await run(page);
  } finally {
    await context.close();
  }
}

// The browser's speech synthesis with the test's voices, noting what it is asked to say. The
// utterance is the test's too: the browser's own takes only the browser's voices.
const speechWith = (voices) => (page) => page.addInitScript((list) => {
  window.spoken = [];
  speechSynthesis.getVoices = () => list;
  speechSynthesis.speak = ({ text, voice, lang }) => window.spoken.push({ text, voice, lang });
  speechSynthesis.cancel = () => {};
  window.SpeechSynthesisUtterance = class { constructor(text) { this.text = text; } };
}, voices);

const VOICES = [
  ["no voice", [], false],
  ["only a network voice", [{ name: "Google Deutsch", lang: "de-DE", localService: false }], false],
  ["a German voice on the device", [{ name: "Google Deutsch", lang: "de-DE", localService: false },
                                    { name: "Anna", lang: "de-DE", localService: true }], true],
];

for (const [name, voices, reads] of VOICES) {
  test(`read aloud with ${name}: ${reads ? "the problem in German" : "no button"}`, () =>
    withPage(DESKTOP, speechWith(voices), async (page) => {
      await waitForEnd(page, ANSWER);
      assert.strictEqual(await page.locator("#speak").isVisible(), reads);
      if (!reads) return;
      await page.getByRole("button", { name: "Vorlesen" }).click();
      const [spoken] = await page.evaluate(() => window.spoken);
      assert.deepStrictEqual([spoken.voice.name, spoken.lang], ["Anna", "de-DE"]);
      const { first, second } = lastProblem(await transcript(page));
      assert.match(spoken.text, new RegExp(`^(Eine Gruppe von )?${first} .+\\. Wie viele .+ ` +
                                           `${second} \\p{L}+\\?$`, "u"));
      assert.doesNotMatch(spoken.text, /Wieviele|ae|oe|ue[^rn]|ein Gruppe/);
      // What is read is what the dialogue shows.
      const shown = (await transcript(page)).split("\n").slice(-4, -2).join(" ");
      assert.strictEqual(spoken.text, shown);
    }));
}

// A stray tap proves something only while the buttons still wait (aria-disabled, guard.js): the
// page notes, for each touch, whether they did. A machine so loaded that the first tap came
// after the quiet moment tries again with a fresh page.
const noteTaps = (page) => page.addInitScript(() => {
  window.tapsWhileWaiting = [];
  addEventListener("touchstart", () => window.tapsWhileWaiting.push(
    document.getElementById("next")?.getAttribute("aria-disabled") === "true"), true);
});

test("on a 390 px phone a second tap where OK was, or on the buttons, skips nothing", async () => {
  let tried = 0;
  let proved = false;
  while (!proved && tried++ < 5) {
    await withPage(devices["iPhone 12"], noteTaps, async (page) => {
      await waitForEnd(page, ANSWER);
      await page.locator("#field").fill(String(lastProblem(await transcript(page)).answer + 1));
      const ok = await page.locator("#enter").boundingBox();
      await page.locator("#enter").tap();
      // The buttons' places as soon as they show, in one call: every call takes time.
      const boxes = await (await page.waitForFunction((end) => {
        if (!document.getElementById("transcript").textContent.endsWith(end)) return null;
        return ["next", "stop"].map((id) => {
          const { x, y, width, height } = document.getElementById(id).getBoundingClientRect();
          return { x, y, width, height };
        });
      }, CONTINUE, WAIT)).jsonValue();
      const judged = await transcript(page);
      await page.evaluate(() => { window.tapsWhileWaiting = []; });
      for (const box of [ok, ...boxes]) {
        await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
      }
      await page.waitForFunction(() => !document.getElementById("next").ariaDisabled, null, WAIT);
      proved = (await page.evaluate(() => window.tapsWhileWaiting))[0] === true;
      if (proved) {
        assert.strictEqual(await transcript(page), judged);
        await page.getByRole("button", { name: "Nächste Aufgabe" }).tap(); // deliberate
        await waitForEnd(page, ANSWER);
      }
    });
  }
  assert.ok(proved, "no try tapped within the quiet moment");
});

// Two problems, the first right, so that the page has scrolled; the second typed as given.
async function secondProblem(page, typed) {
  await waitForEnd(page, ANSWER);
  await page.keyboard.type(`${lastProblem(await transcript(page)).answer}\n`);
  await waitForEnd(page, CONTINUE);
  await page.keyboard.type("1\n");
  await waitForEnd(page, ANSWER);
  await page.keyboard.type(typed);
}

// The last working's first line is not under the progress line, and the buttons are in view
// where the screen holds both (within a pixel: layout comes in fractions of one).
async function checkWorkingInView(page, what) {
  await waitForEnd(page, CONTINUE);
  // The page scrolls with the frame after the question: measured once that frame is done.
  await page.evaluate(() => new Promise((done) => {
    requestAnimationFrame(() => requestAnimationFrame(done));
  }));
  const seen = await page.evaluate(() => {
    const box = [...document.querySelectorAll("#transcript .working")].at(-1)
      .getBoundingClientRect();
    const choice = document.getElementById("choice").getBoundingClientRect();
    const padding = parseFloat(getComputedStyle(document.documentElement).scrollPaddingTop);
    return { top: box.top, fitsBoth: choice.bottom - box.top <= innerHeight - padding,
             covered: !document.elementFromPoint(box.left + 20, box.top + 4).closest(".working"),
             choiceInView: choice.top >= 0 && choice.bottom <= innerHeight + 1 };
  });
  assert.ok(seen.top >= -1 && !seen.covered && (seen.choiceInView || !seen.fitsBoth),
            `${what}: ${JSON.stringify(seen)}`);
}

const VIEWS = [
  ["200 % text on a phone", { viewport: { width: 390, height: 844 }, hasTouch: true }, "200%"],
  ["200 % zoom", { viewport: { width: 640, height: 400 }, deviceScaleFactor: 2 }],
  ["a phone with its keyboard open", { viewport: { width: 390, height: 300 }, hasTouch: true }],
  ["200 % text, keyboard open", { viewport: { width: 390, height: 420 }, hasTouch: true }, "200%"],
  ["Pixel 5 landscape", devices["Pixel 5 landscape"]],
  ["a desktop", DESKTOP],
];

for (const [name, device, textSize] of VIEWS) {
  test(`on ${name} a note is in view and keeps the text; the working is clear of the ` +
       "progress line", () => withPage(device, undefined, async (page) => {
    if (textSize) {
      await page.evaluate((size) => { document.documentElement.style.fontSize = size; }, textSize);
    }
    await secondProblem(page, "zwölf\n");
    await page.locator("#note").getByText("Bitte eine Zahl eingeben").waitFor(WAIT);
    assert.strictEqual(await page.locator("#field").inputValue(), "zwölf");
    const [top, bottom] = await page.locator("#note").evaluate((note) =>
      [note.getBoundingClientRect().top, note.getBoundingClientRect().bottom]);
    assert.ok(top >= 0 && bottom <= page.viewportSize().height + 1, `note at ${top}–${bottom}`);
    await page.locator("#field").fill(String(lastProblem(await transcript(page)).answer + 1));
    await page.keyboard.press("Enter");
    await checkWorkingInView(page, name);
  }));
}

test("turning a tablet keeps the working and the buttons in view", () =>
  withPage(devices["iPad (gen 7)"], undefined, async (page) => {
    await secondProblem(page, "0\n");
    await checkWorkingInView(page, "portrait");
    const { width, height } = page.viewportSize();
    await page.setViewportSize({ width: height, height: width });
    await page.waitForFunction(() => innerWidth > innerHeight &&
      document.getElementById("choice").getBoundingClientRect().bottom <= innerHeight + 1,
    null, WAIT);
    await checkWorkingInView(page, "landscape");
  }));

const NOT_LOADED = [
  ["blocked", (route) => route.abort("blockedbyclient")],
  ["broken", (route) => route.fulfill({ contentType: "application/wasm", body: "kein Programm" })],
  // A valid module that does not fit the script, as a stale copy of either would be: it
  // imports x.y, which the script does not provide.
  ["stale", (route) => route.fulfill({ contentType: "application/wasm", body: Buffer.from([
    0x00, 0x61, 0x73, 0x6d, 0x01, 0x00, 0x00, 0x00, 0x01, 0x04, 0x01, 0x60, 0x00, 0x00,
    0x02, 0x07, 0x01, 0x01, 0x78, 0x01, 0x79, 0x00, 0x00]) })],
];

for (const [how, answer] of NOT_LOADED) {
  test(`a ${how} program is said so, with what to do`, () =>
    withPage(DESKTOP, (page) => page.route("**/dreisatz.wasm", answer), async (page) => {
      await page.locator("#progress").getByText("Der Trainer konnte nicht geladen werden.")
        .waitFor(WAIT);
      assert.match(await transcript(page), /Lade die Seite neu\. Ohne Netz startet er nur, wenn/);
    }));
}

test("axe finds no WCAG 2.2 AA violation with hints, a named mistake and the review", () =>
  withPage(DESKTOP, speechWith(VOICES[2][1]), async (page) => {
    const check = async (when) => assert.deepStrictEqual(
      (await accessibilityViolations(page)).map((line) => `${when}: ${line}`), []);
    await waitForEnd(page, ANSWER);
    await page.getByRole("button", { name: "Tipp" }).click();
    await check("a hint and the read-aloud button");
    const { first, duration } = lastProblem(await transcript(page));
    await page.keyboard.type(`${first * duration}\n`);
    await page.locator("#transcript .working .mistake").waitFor(WAIT);
    await check("the named mistake");
    await page.getByRole("button", { name: "Aufhören" }).click();
    await page.getByRole("button", { name: "Weiter" }).click();
    await page.locator("#scores .marks").waitFor(WAIT);
    await check("the review");
  }));
