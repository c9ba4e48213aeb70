// The tutor's page in headless Chromium where only playwright can set the scene: the browser's
// voices for reading aloud, taps on a phone, small and turning viewports, a program that does
// not load, and axe-core over hints and the review. Run with node --test; SITE is the site
// folder, CHROMIUM the browser.
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
before(async () => {
  browser = await chromium.launch({ executablePath: process.env.CHROMIUM, args: CHROMIUM_ARGS });
  server = await serveSite(SITE);
});
after(async () => {
  await browser?.close();
  server?.close();
});

const ANSWER_PROMPT = "Gib dein Ergebnis ein und druecke ENTER: ";
const CONTINUE_PROMPT = "zum Weitermachen druecke 1 und ENTER: ";
const PAUSE = "Druecke eine Taste oder tippe auf Weiter . . . ";

const transcript = (page) => page.locator("#transcript").textContent();
const waitForEnd = (page, end) => page.waitForFunction((text) =>
  document.getElementById("transcript").textContent.endsWith(text), end, WAIT);
const released = (page, id) => page.waitForFunction((which) =>
  !document.getElementById(which).hasAttribute("aria-disabled"), id, WAIT);

async function open(device, prepare = async () => {}) {
  const context = await browser.newContext(device);
  const page = await context.newPage();
  page.problems = [];
  page.on("pageerror", (error) => page.problems.push(error.message));
  await prepare(page);
  await page.goto(`${server.origin}index.html`);
  return page;
}

// The browser's speech synthesis as the test sets it: its voices, and what it was asked to say.
// The utterance is the test's too, since the browser's own takes only its own voices.
function speechWith(voices, late = false) {
  return (page) => page.addInitScript(([list, arrivesLate]) => {
    window.spoken = [];
    let current = arrivesLate ? [] : list;
    speechSynthesis.getVoices = () => current;
    speechSynthesis.speak = (utterance) => window.spoken.push(
      { text: utterance.text, voice: utterance.voice?.name, lang: utterance.lang });
    speechSynthesis.cancel = () => {};
    window.SpeechSynthesisUtterance = class { constructor(text) { this.text = text; } };
    window.voicesArrive = () => {
      current = list;
      speechSynthesis.dispatchEvent(new Event("voiceschanged"));
    };
  }, [voices, late]);
}

const VOICES = [
  ["no voice", [], false],
  ["only a network voice", [{ name: "Google Deutsch", lang: "de-DE", localService: false }], false],
  ["a German voice on the device", [{ name: "Google Deutsch", lang: "de-DE", localService: false },
                                    { name: "Anna", lang: "de-DE", localService: true }], true],
];

for (const [name, voices, reads] of VOICES) {
  test(`read aloud with ${name}: ${reads ? "the problem in German" : "no button"}`, async () => {
    const page = await open({ viewport: { width: 1024, height: 768 } }, speechWith(voices));
    try {
      await waitForEnd(page, ANSWER_PROMPT);
      const speak = page.getByRole("button", { name: "Vorlesen" });
      if (!reads) {
        assert.ok(await page.locator("#speak").isHidden());
        return;
      }
      await speak.click();
      const [spoken] = await page.evaluate(() => window.spoken);
      assert.strictEqual(spoken.voice, "Anna");
      assert.strictEqual(spoken.lang, "de-DE");
      assert.match(spoken.text, /^(Eine Gruppe von \d+ \p{L}+ schafft|\d+ \p{L}+ kommen mit) .+\. Wie viele \p{L}+ .+ \d+ \p{L}+\?$/u);
      const { first, second } = lastProblem(await transcript(page));
      assert.match(spoken.text, new RegExp(`(^| )${first} .* ${second} `));
      assert.doesNotMatch(spoken.text, /Wieviele|ae|oe|ue[^rn]|ein Gruppe/);
      // Gone once the problem is answered.
      await page.keyboard.type("0\n");
      await waitForEnd(page, CONTINUE_PROMPT);
      assert.ok(await page.locator("#speak").isHidden());
    } finally {
      await page.context().close();
    }
  });
}

test("read aloud: a German voice that the browser lists late brings the button", async () => {
  const page = await open({ viewport: { width: 1024, height: 768 } },
                          speechWith([{ name: "Anna", lang: "de-DE", localService: true }], true));
  try {
    await waitForEnd(page, ANSWER_PROMPT);
    assert.ok(await page.locator("#speak").isHidden());
    await page.evaluate(() => window.voicesArrive());
    await page.locator("#speak").waitFor({ state: "visible", ...WAIT });
  } finally {
    await page.context().close();
  }
});

test("on a 390 px phone a second tap on OK's place, or on the buttons, skips nothing", async () => {
  const page = await open(devices["iPhone 12"]);
  try {
    await waitForEnd(page, ANSWER_PROMPT);
    const { answer } = lastProblem(await transcript(page));
    await page.locator("#field").fill(String(answer + 1));
    const ok = await page.locator("#enter").boundingBox();
    await page.locator("#enter").tap();
    await waitForEnd(page, CONTINUE_PROMPT);
    // The second tap of a double tap, where OK was, then on either button.
    const judged = await transcript(page);
    await page.touchscreen.tap(ok.x + ok.width / 2, ok.y + ok.height / 2);
    for (const id of ["#next", "#stop"]) {
      const box = await page.locator(id).boundingBox();
      await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
    }
    await released(page, "next");
    assert.strictEqual(await transcript(page), judged);
    assert.ok(await page.locator("#transcript .working").isVisible());
    // A deliberate tap goes on.
    await page.getByRole("button", { name: "Nächste Aufgabe" }).tap();
    await waitForEnd(page, ANSWER_PROMPT);
    assert.deepStrictEqual(page.problems, []);
  } finally {
    await page.context().close();
  }
});

// Notes in view, the text kept: on a phone in landscape, a tablet in landscape, a desktop, and
// a phone whose keyboard leaves 390×300 visible.
const NOTE_VIEWS = [
  ["Pixel 5 landscape", devices["Pixel 5 landscape"]],
  ["iPad landscape", devices["iPad (gen 7) landscape"]],
  ["desktop 1280×800", { viewport: { width: 1280, height: 800 } }],
  ["a phone with its keyboard open", { viewport: { width: 390, height: 300 }, hasTouch: true,
                                       isMobile: true }],
];

for (const [name, device] of NOTE_VIEWS) {
  test(`on ${name} a note is in view and the typed text stays`, async () => {
    const page = await open(device);
    try {
      await waitForEnd(page, ANSWER_PROMPT);
      // A longer transcript first, so that the field is low on the page.
      await page.keyboard.type(`${lastProblem(await transcript(page)).answer}\n`);
      await waitForEnd(page, CONTINUE_PROMPT);
      await page.keyboard.type("1\n");
      await waitForEnd(page, ANSWER_PROMPT);
      await page.keyboard.type("zwölf\n");
      await page.locator("#note").getByText("Bitte eine Zahl eingeben").waitFor(WAIT);
      assert.strictEqual(await page.locator("#field").inputValue(), "zwölf");
      const [top, bottom, height] = await page.locator("#note").evaluate((note) => {
        const box = note.getBoundingClientRect();
        return [box.top, box.bottom, window.visualViewport.height];
      });
      assert.ok(top >= 0 && bottom <= height + 1, `note at ${top}–${bottom} of ${height}`);
    } finally {
      await page.context().close();
    }
  });
}

// The working's first line is not under the progress line, and the buttons are in view where
// the screen holds both.
async function checkWorkingInView(page, what) {
  const seen = await page.evaluate(() => {
    const working = [...document.querySelectorAll("#transcript .working")].at(-1);
    const box = working.getBoundingClientRect();
    const choice = document.getElementById("choice").getBoundingClientRect();
    const atFirstLine = document.elementFromPoint(box.left + 20, box.top + 4);
    return { top: box.top, covered: !working.contains(atFirstLine),
             fitsBoth: choice.bottom - box.top <= window.innerHeight -
               parseFloat(getComputedStyle(document.documentElement).scrollPaddingTop),
             // within a pixel: layout in fractions of one
             choiceInView: choice.top >= 0 && choice.bottom <= window.innerHeight + 1 };
  });
  assert.ok(seen.top >= -1 && !seen.covered, `${what}: ${JSON.stringify(seen)}`);
  assert.ok(seen.choiceInView || !seen.fitsBoth, `${what}: ${JSON.stringify(seen)}`);
}

// Two problems, the second answered wrong: the working and the continue question.
async function toWorking(page) {
  await waitForEnd(page, ANSWER_PROMPT);
  await page.keyboard.type(`${lastProblem(await transcript(page)).answer}\n`);
  await waitForEnd(page, CONTINUE_PROMPT);
  await page.keyboard.type("1\n");
  await waitForEnd(page, ANSWER_PROMPT);
  await page.keyboard.type(`${lastProblem(await transcript(page)).answer + 1}\n`);
  await waitForEnd(page, CONTINUE_PROMPT);
}

const SMALL_VIEWS = [
  ["200 % text on a phone", { viewport: { width: 390, height: 844 }, hasTouch: true }, "200%"],
  ["200 % zoom on a desktop", { viewport: { width: 640, height: 400 }, deviceScaleFactor: 2 },
   null],
  ["a phone with its keyboard open", { viewport: { width: 390, height: 420 }, hasTouch: true },
   null],
  ["200 % text with the keyboard open", { viewport: { width: 390, height: 420 }, hasTouch: true },
   "200%"],
];

for (const [name, device, textSize] of SMALL_VIEWS) {
  test(`the working is not under the progress line: ${name}`, async () => {
    const page = await open(device);
    try {
      if (textSize) {
        await page.evaluate((size) => { document.documentElement.style.fontSize = size; },
                            textSize);
      }
      await toWorking(page);
      await checkWorkingInView(page, name);
    } finally {
      await page.context().close();
    }
  });
}

test("turning a tablet keeps the working and the buttons in view", async () => {
  const page = await open(devices["iPad (gen 7)"]);
  try {
    await toWorking(page);
    await checkWorkingInView(page, "portrait");
    const { width, height } = page.viewportSize();
    await page.setViewportSize({ width: height, height: width });
    await page.waitForFunction(() => {
      const box = document.getElementById("choice").getBoundingClientRect();
      return window.innerWidth > window.innerHeight && box.bottom <= window.innerHeight + 1;
    }, null, WAIT);
    await checkWorkingInView(page, "landscape");
  } finally {
    await page.context().close();
  }
});

const BROKEN = [
  ["blocked", (route) => route.abort("blockedbyclient")],
  ["broken", (route) => route.fulfill({ contentType: "application/wasm", body: "kein Programm" })],
  // A valid module that does not fit the script, as a stale copy of either would be: it
  // imports x.y, which the program's script does not provide.
  ["stale", (route) => route.fulfill({ contentType: "application/wasm", body: Buffer.from([
    0x00, 0x61, 0x73, 0x6d, 0x01, 0x00, 0x00, 0x00, 0x01, 0x04, 0x01, 0x60, 0x00, 0x00,
    0x02, 0x07, 0x01, 0x01, 0x78, 0x01, 0x79, 0x00, 0x00]) })],
];

for (const [how, answer] of BROKEN) {
  test(`a ${how} program is said so, with what to do`, async () => {
    const page = await open({ viewport: { width: 1024, height: 768 } },
                            (opened) => opened.route("**/dreisatz.wasm", answer));
    try {
      await page.locator("#progress").getByText("Der Trainer konnte nicht geladen werden.")
        .waitFor(WAIT);
      assert.match(await transcript(page), /Lade die Seite neu\. Ohne Netz startet er nur, wenn/);
      assert.ok(await page.locator("#answer").isHidden());
    } finally {
      await page.context().close();
    }
  });
}

test("axe finds no WCAG 2.2 AA violation with hints, a named mistake and the review", async () => {
  const page = await open({ viewport: { width: 1280, height: 800 } },
                          speechWith([{ name: "Anna", lang: "de-DE", localService: true }]));
  const check = async (when) => assert.deepStrictEqual(
    (await accessibilityViolations(page)).map((line) => `${when}: ${line}`), []);
  try {
    await waitForEnd(page, ANSWER_PROMPT);
    const tip = page.getByRole("button", { name: "Tipp" });
    await tip.click();
    await tip.click();
    await check("two hints and the read-aloud button");
    const { first, duration } = lastProblem(await transcript(page));
    await page.locator("#field").fill(String(first * duration));
    await page.keyboard.press("Enter");
    await waitForEnd(page, CONTINUE_PROMPT);
    assert.match(await page.locator("#transcript .working .mistake").textContent(),
                 /^Du hast beim Wert für 1 /);
    await check("the named mistake");
    await page.getByRole("button", { name: "Aufhören" }).click();
    await waitForEnd(page, PAUSE);
    await page.keyboard.press("x");
    await page.locator("#scores .marks").waitFor(WAIT);
    await check("the review");
  } finally {
    await page.context().close();
  }
});
