// The trainer against what goes wrong around it, in headless Chromium where playwright sets the
// scene: learning platforms that refuse, fail at the start, answer oddly or slowly; a resumed
// journal longer than its goal; damaged, huge or full storage of the tab; a double tap on a
// phone; a school's strict Content-Security-Policy. Run with node --test; SITE is the site
// folder (the packages beside it), CHROMIUM the browser.
"use strict";

const assert = require("node:assert");
const path = require("node:path");
const { after, before, test } = require("node:test");
const { chromium, devices } = require("../../web/node_modules/playwright-core");
const { ANSWER_PROMPT, CONTINUE_PROMPT, PAUSE, lastProblem, waitForEnd, transcript } =
  require("./dialogue.js");
const { CHROMIUM_ARGS, STRICT_POLICY, servePlatform, serveSite } = require("./site_server.js");

const SITE = path.resolve(process.env.SITE);
const WAIT = { timeout: 15000 };

let browser;
let platform;
let site;
let strictSite;
let strictPlatform;
before(async () => {
  browser = await chromium.launch({ executablePath: process.env.CHROMIUM, args: CHROMIUM_ARGS });
  platform = await servePlatform(path.dirname(SITE));
  site = await serveSite(SITE);
  strictSite = await serveSite(SITE, { policy: STRICT_POLICY });
  strictPlatform = await servePlatform(path.dirname(SITE), { packagePolicy: STRICT_POLICY });
});
after(() => Promise.all([browser?.close(), platform?.close(), site?.close(), strictSite?.close(),
                         strictPlatform?.close()]));

// The package's document in the player's frame.
const inFrame = (fn) => `(${fn})(document.getElementById("sco").contentDocument)`;

// A page in a context of its own, prepared (init scripts) before it loads; run(page) uses it.
async function withPage(url, run, { device = { viewport: { width: 1024, height: 768 } },
                                    prepare = async () => {} } = {}) {
  const context = await browser.newContext(device);
  const page = await context.newPage();
  page.problems = [];
  page.on("pageerror", (error) => page.problems.push(error.message));
  try {
    await prepare(page);
    await page.goto(url);
    await run(page);
    assert.deepStrictEqual(page.problems, []);
  } catch (error) {
    error.message += `\ntranscript:\n${await transcript(page).catch(() => "")}`;
    throw error;
  } finally {
    await context.close();
  }
}

// The odd platform of platform/odd.js with these oddities.
const odd = (hash) => `${platform.origin}/mod/scorm/odd.html#${hash}`;

async function answerRight(page) {
  const { answer } = lastProblem(await transcript(page));
  await page.evaluate(inFrame((trainer) => trainer.getElementById("field").focus()));
  await page.keyboard.type(`${answer}\n`);
  await waitForEnd(page, CONTINUE_PROMPT);
}

test("a platform that refuses to start: the learner is told, nothing is sent or kept", () =>
  withPage(odd("refuse"), async (page) => {
    await waitForEnd(page, ANSWER_PROMPT);
    await answerRight(page);
    const seen = await page.evaluate(inFrame((trainer) => ({
      note: trainer.getElementById("notice").textContent,
      privacy: trainer.getElementById("privacy").textContent,
      licence: trainer.getElementById("licence").target,
      stored: trainer.defaultView.sessionStorage.length,
    })));
    assert.match(seen.note, /^Die Lernplattform hat die Runde nicht angenommen/);
    assert.doesNotMatch(seen.privacy, /in diesem Tab/);
    assert.deepStrictEqual([seen.licence, seen.stored], ["_blank", 0]);
    const calls = await page.evaluate(() => window.platform.calls.map(({ name }) => name));
    assert.deepStrictEqual(calls.filter((name) => name !== "LMSGetLastError"), ["LMSInitialize"]);
  }));

test("an error at the start stays in view; a junk error code is no error", async () => {
  await withPage(odd("throwOn=cmi.launch_data"), async (page) => {
    await waitForEnd(page, ANSWER_PROMPT);
    await answerRight(page);
    assert.strictEqual(await page.evaluate(inFrame((trainer) =>
      trainer.getElementById("notice").textContent)),
    "Die Lernplattform meldet einen Fehler bei cmi.launch_data: kaputt");
  });
  await withPage(odd("lastError=null"), async (page) => {
    await waitForEnd(page, ANSWER_PROMPT);
    await answerRight(page);
    await page.waitForFunction(() => window.platform.calls.some(({ name }) => name === "LMSCommit"),
                               null, WAIT);
    assert.ok(await page.evaluate(inFrame((trainer) =>
      trainer.getElementById("notice").hidden)));
  });
});

test("a slow platform: the feedback is on screen before the platform hears the answer", () =>
  withPage(odd("slow=150"), async (page) => {
    await waitForEnd(page, ANSWER_PROMPT);
    // The moment the feedback is in the transcript, on the platform's clock.
    await page.evaluate(inFrame((trainer) => {
      new trainer.defaultView.MutationObserver(() => {
        if (/Richtig gerechnet/.test(trainer.getElementById("transcript").textContent)) {
          window.feedbackAt ??= Date.now();
        }
      }).observe(trainer.getElementById("transcript"), { childList: true, subtree: true });
    }));
    await answerRight(page);
    await page.waitForFunction(() => window.platform.calls.some(({ name }) => name === "LMSCommit"),
                               null, WAIT);
    const { feedbackAt, firstWrite } = await page.evaluate(() => ({
      feedbackAt: window.feedbackAt,
      firstWrite: window.platform.calls.find(({ name }) => name === "LMSSetValue").began,
    }));
    assert.ok(feedbackAt <= firstWrite, `feedback at ${feedbackAt}, first write at ${firstWrite}`);
  }));

test("a resumed journal longer than the goal ends the round at the goal", () => {
  const journal = JSON.stringify({ seed: 1, lines: ["1", "1", "1", "1", "1", "1", "1", "1"],
                                   hints: [] });
  return withPage(odd(`entry=resume&suspend=${encodeURIComponent(journal)}`), async (page) => {
    await waitForEnd(page, PAUSE);
    const text = await transcript(page);
    assert.strictEqual(text.match(/Gib dein Ergebnis ein/g).length, 2);
    assert.match(text, /\nDu hast insgesamt \d von 2 Punkten erreicht!\n/);
    assert.strictEqual(await page.evaluate(inFrame((trainer) =>
      trainer.getElementById("progress").textContent)).then((line) => line.split(" · ")[0]),
    "Aufgabe 2 von 2");
  });
});

// A page whose tab already holds text under the trainer's key, set before the page's scripts.
const holding = (stored) => async (page) => page.addInitScript((text) => {
  if (!sessionStorage.getItem("held")) {
    sessionStorage.setItem("held", "1");
    sessionStorage.setItem("dreisatz", text);
  }
}, stored);

test("a tab's damaged records never hang the trainer: the round starts, what fits is kept",
  async () => {
    const round = { posed: 2, correct: 1, how: "declined", problems: [] };
    const shapes = [
      { rounds: [{ posed: 2, correct: 1, how: "declined" }] },
      { journal: null, rounds: [null, round] },
      { rounds: [{ ...round, problems: "x" }] },
      { journal: { seed: 1, lines: Array(5000).fill("1") }, rounds: [] },
      "{",
    ];
    for (const shape of shapes) {
      const stored = typeof shape === "string" ? shape : JSON.stringify(shape);
      await withPage(`${site.origin}index.html`, async (page) => {
        await waitForEnd(page, ANSWER_PROMPT);
        assert.match(await page.locator("#progress").textContent(), /^Aufgabe 1 · 0 richtig/);
        assert.doesNotMatch(await transcript(page), /Du hast insgesamt/);
      }, { prepare: holding(stored) });
    }
  });

test("a long journal replays while the page keeps drawing", () => {
  // 300 problems answered 0, each with "1" to go on: a journal of 600 lines.
  const lines = Array.from({ length: 600 }, (_, at) => (at % 2 ? "1" : "0"));
  const stored = JSON.stringify({ journal: { seed: 7, lines, hints: [] }, rounds: [] });
  return withPage(`${site.origin}index.html`, async (page) => {
    await page.waitForFunction(() =>
      document.getElementById("progress").textContent.startsWith("Aufgabe 301 "), null,
    { timeout: 60000 });
    // Frames were drawn while the replay was under way, not only once it was done.
    const counts = await page.evaluate(() => window.framesSeen);
    assert.ok(counts.some((count) => count > 10 && count < 300), counts.slice(0, 20).join(" "));
  }, { prepare: async (page) => {
    await holding(stored)(page);
    await page.addInitScript(() => {
      window.framesSeen = [];
      const look = () => {
        const posed = /^Aufgabe (\d+)/.exec(document.getElementById("progress")?.textContent ?? "");
        if (posed) window.framesSeen.push(Number(posed[1]));
        requestAnimationFrame(look);
      };
      requestAnimationFrame(look);
    });
  } });
});

test("a full tab says once that the round cannot be kept across a reload", () =>
  withPage(`${site.origin}index.html`, async (page) => {
    await waitForEnd(page, ANSWER_PROMPT);
    await page.keyboard.type("0\n");
    await waitForEnd(page, CONTINUE_PROMPT);
    await page.keyboard.type("1\n");
    await waitForEnd(page, ANSWER_PROMPT);
    assert.strictEqual(await page.locator("#notice").textContent(), "Der Speicher dieses Tabs " +
      "ist voll: Diese Runde geht nach einem Neuladen nicht weiter.");
    assert.ok(await page.locator("#notice").isVisible());
  }, { prepare: (page) => page.addInitScript(() => {
    // Another key of the same origin takes the whole quota.
    if (sessionStorage.length === 0) {
      for (let size = 8 << 20; size >= 1; size >>= 1) {
        try {
          sessionStorage.setItem(`other${size}`, "x".repeat(size));
        } catch {
          // the rest is smaller
        }
      }
    }
  }) }));

// The double tap proves something only within the quiet moment after the question opens, while
// the buttons still wait (aria-disabled): the page notes it at the press. A machine so loaded
// that the press came later tries again with a fresh page.
test("a double tap on OK selects no word and leaves Enter working at the continue question",
  async () => {
    let tried = 0;
    let proved = false;
    while (!proved && tried++ < 5) {
      await withPage(`${site.origin}index.html`, async (page) => {
        await waitForEnd(page, ANSWER_PROMPT);
        await page.locator("#field").fill(String(lastProblem(await transcript(page)).answer));
        await page.locator("#enter").click();
        // The second tap lands on the dialogue's text that the answer has just moved under it,
        // quickly enough to be a double tap, which selects a word.
        const prompt = await (await page.waitForFunction((end) => {
          if (!document.getElementById("transcript").textContent.endsWith(end)) return null;
          const { x, y, height } = document.getElementById("prompt").getBoundingClientRect();
          return { x, y, height };
        }, CONTINUE_PROMPT, WAIT)).jsonValue();
        await page.evaluate(() => {
          window.pressedWhileWaiting = [];
          addEventListener("mousedown", () => window.pressedWhileWaiting.push(
            document.getElementById("next").getAttribute("aria-disabled") === "true"), true);
        });
        await page.mouse.dblclick(prompt.x + 20, prompt.y + prompt.height / 2);
        proved = (await page.evaluate(() => window.pressedWhileWaiting))[0] === true;
        if (!proved) return;
        assert.deepStrictEqual(await page.evaluate(() => [String(getSelection()),
                                                          document.activeElement.id]), ["", "next"]);
        await page.waitForFunction(
          () => !document.getElementById("next").hasAttribute("aria-disabled"), null, WAIT);
        await page.keyboard.press("Enter");
        await waitForEnd(page, ANSWER_PROMPT);
      });
    }
    assert.ok(proved, "no try pressed within the quiet moment");
  });

// Violations of the Content-Security-Policy, in every frame, recorded before any script runs.
const violations = (page) => page.addInitScript(() => {
  window.violations = [];
  document.addEventListener("securitypolicyviolation", (event) =>
    (window.top.violations ?? window.violations).push(
      `${event.violatedDirective} ${event.blockedURI}`));
});

test("under a school's strict Content-Security-Policy the trainer and the package break nothing",
  async () => {
    const round = async (page, frame = false) => {
      await waitForEnd(page, ANSWER_PROMPT);
      const { answer } = lastProblem(await transcript(page));
      if (frame) await page.evaluate(inFrame((trainer) => trainer.getElementById("field").focus()));
      await page.keyboard.type(`${answer}\n`);
      await waitForEnd(page, CONTINUE_PROMPT);
      assert.deepStrictEqual(await page.evaluate(() => window.violations), []);
    };
    await withPage(`${strictSite.origin}index.html`, (page) => round(page),
                   { prepare: violations });
    await withPage(`${strictPlatform.origin}/mod/scorm/odd.html#package=10`,
                   (page) => round(page, true), { prepare: violations });
  });
