// The trainer as a SCORM 1.2 package in a learning platform, and the standalone page that comes
// back after a reload, in Chromium, Firefox ESR or WebKitGTK (ENGINE). The platform is a
// stand-in for Moodle's SCORM player with Moodle's rules and defaults (platform/moodle.js and
// moodle_rules.js, after platform/MOODLE.md): its run-time's mastery override at LMSFinish,
// attempts, review mode and credit, and the gradebook's grading. The package runs in its frame
// from a deep path, its WebAssembly served as application/octet-stream, under the platform's
// own Content-Security-Policy. The page's own calls are recorded and judged against the
// standard's data types and order (scorm_calls.js) too.
// Run with node --test; SITE is the site folder (the packages are beside it), and CHROMIUM,
// FIREFOX, or WEBKIT_DRIVER, XVFB and MINIBROWSER the browser.
"use strict";

const assert = require("node:assert");
const path = require("node:path");
const { after, before, test } = require("node:test");
const { engine } = require("./browsers.js");
const { ANSWER_PROMPT, CONTINUE_PROMPT, ENDED, PAUSE, PLATFORM_ENDED, lastProblem,
        transcript: text, waitForEnd } = require("./dialogue.js");
const { faultsIn, writesOf } = require("./scorm_calls.js");
const { servePlatform, serveSite } = require("./site_server.js");

const SITE = path.resolve(process.env.SITE);
const BUILD = path.dirname(SITE);
const ENGINE = process.env.ENGINE;

let browser;
let platformServer;
let siteServer;
before(async () => {
  browser = await engine();
  platformServer = await servePlatform(BUILD);
  siteServer = await serveSite(SITE);
});
after(async () => {
  await browser?.close();
  platformServer?.close();
  siteServer?.close();
});

// Each function below runs in the page and finds the trainer's document as
//   document.getElementById("sco")?.contentDocument ?? document
// that is, the package's page in the player's frame, or the standalone page itself.
const state = (page) => page.evaluate(() => {
  const trainer = document.getElementById("sco")?.contentDocument ?? document;
  const { localStorage, sessionStorage } = trainer.defaultView;
  return {
    progress: trainer.getElementById("progress").textContent,
    note: trainer.getElementById("note").textContent,
    restartShown: !trainer.getElementById("actions").hidden,
    scores: [...trainer.querySelectorAll("#scores .score")].map((item) => item.textContent),
    privacy: trainer.getElementById("privacy").textContent,
    stored: [localStorage.length, sessionStorage.length],
    visit: JSON.parse(sessionStorage.getItem("dreisatz")),
  };
});
// Types a line into the field and hands it over with "OK".
const type = (page, line) => page.evaluate((typed) => {
  const trainer = document.getElementById("sco")?.contentDocument ?? document;
  trainer.getElementById("field").value = typed;
  trainer.getElementById("enter").click();
}, line);
// A button is pressed once it takes a tap (guard.js).
async function press(page, id) {
  await page.waitFor((button) => !(document.getElementById("sco")?.contentDocument ?? document)
    .getElementById(button).hasAttribute("aria-disabled"), id);
  await page.evaluate((button) =>
    (document.getElementById("sco")?.contentDocument ?? document).getElementById(button).click(),
  id);
}

// Answers the problem on screen, right or wrong, and waits for the transcript to end with then.
async function answer(page, right, then = CONTINUE_PROMPT) {
  const { answer: expected } = lastProblem(await text(page));
  await type(page, String(right ? expected : expected + 1));
  await waitForEnd(page, then);
}

async function next(page) {
  await press(page, "next");
  await waitForEnd(page, ANSWER_PROMPT);
}

// The calls of the current launch, as the player recorded them.
const calls = (page) => page.evaluate(() => window.moodle.calls);

// The values the page wrote to the elements that match, in order.
const written = (made, element) => writesOf(made)
  .filter(([name, key]) => name === "LMSSetValue" && element.test(key)).map(([, , value]) => value);

// The page's calls in short: I an interaction's id, C a commit, F the finish.
const commitsAndFinish = (made) => writesOf(made).map(([name, key]) => (name === "LMSCommit"
  ? "C" : name === "LMSFinish" ? "F" : /\.id$/.test(key) ? "I" : "")).join("");

const PACKAGE = (name) => `/pluginfile.php/123/mod_scorm/content/${name}/index.html`;

// A learner's visit to the activity in a fresh Moodle player page, with Moodle's defaults.
const moodle = () => browser.open(`${platformServer.origin}/mod/scorm/moodle.html`);

// The learner enters the activity with the package of name, asking for a new attempt or not;
// resolves to what Moodle opened (attempt, mode, entry, credit) once the first prompt stands.
async function enter(page, name, newAttempt = false) {
  const launched = await page.evaluate((address, asked) =>
    window.moodle.launch(address, { newAttempt: asked }), PACKAGE(name), newAttempt);
  await waitForEnd(page, ANSWER_PROMPT);
  return { attempt: launched.attempt, mode: launched.mode, entry: launched.entry,
           credit: launched.credit };
}

// Answers the round's problems right or wrong in turn; after the last of them the learner
// stops, unless they reach the round's goal of 10 (then the page answers for the learner).
// Waits for the pause, ends it, and waits for the round's last line.
async function play(page, answers, end = PLATFORM_ENDED) {
  const goal = answers.length === 10;
  for (const [at, right] of answers.entries()) {
    const last = at === answers.length - 1;
    await answer(page, right, last && goal ? PAUSE : CONTINUE_PROMPT);
    if (!last) {
      await next(page);
    } else if (!goal) {
      await press(page, "stop");
    }
  }
  await waitForEnd(page, PAUSE);
  await press(page, "weiter");
  await waitForEnd(page, end);
  // A counted round's calls go in the page's own time, the finish last.
  if (end === PLATFORM_ENDED) {
    await page.waitFor(() => window.moodle.calls.some(({ name }) => name === "LMSFinish"));
  }
}

// What Moodle keeps of the learner: each attempt's status and the gradebook's grade.
const kept = (page) => page.evaluate(() => ({
  attempts: window.moodle.attempts.map(({ number }) => window.moodle.attemptStatus(number)),
  raw: window.moodle.attempts.map(({ number }) =>
    window.moodle.tracks(number)["cmi.core.score.raw"] ?? null),
  grade: window.moodle.gradebook(),
}));

async function check(page, work) {
  try {
    await work();
    assert.deepStrictEqual(page.errors, []);
  } catch (error) {
    error.message += `\n${browser.version}, transcript:\n${await text(page).catch(() => "")}`;
    throw error;
  } finally {
    await page.close();
  }
}

test("the judge of the calls rejects what scorm-again lets through", () => {
  const start = { name: "LMSInitialize", args: [""], result: "true", error: "0" };
  const set = (element, value) => ({ name: "LMSSetValue", args: [element, value], result: "true",
                                     error: "0" });
  const finish = { name: "LMSFinish", args: [""], result: "true", error: "0" };
  const cases = [
    [set("cmi.core.session_time", "0:00:05")],
    [set("cmi.interactions.0.id", "Aufgabe 1")],
    [set("cmi.interactions.0.id", "a"), set("cmi.interactions.0.type", "numeric"),
     set("cmi.interactions.0.student_response", "zwanzig")],
    [set("cmi.interactions.0.id", "a"), set("cmi.interactions.0.result", "incorrect")],
    [set("cmi.interactions.0.result", "correct")],
    [set("cmi.interactions.1.id", "a")],
    [set("cmi.suspend_data", "x".repeat(4097))],
    [set("cmi.core.score.raw", "120")],
    [set("cmi.core.lesson_status", "not attempted")],
    [finish, set("cmi.core.exit", "")],
    [{ ...set("cmi.core.score.raw", "50"), error: "405" }],
  ];
  for (const made of cases) {
    assert.notDeepStrictEqual(faultsIn([start, ...made]), [], JSON.stringify(made));
  }
  assert.deepStrictEqual(faultsIn([start, set("cmi.core.score.raw", "0.0"), finish]), []);
  assert.notDeepStrictEqual(faultsIn([set("cmi.core.score.raw", "50")]), []);
});

const FINISHED = { status: "passed", finished: true, suspended: false };

test(`${ENGINE}: Moodle's defaults: a round of 10 with 8 right passes with 80; reopened it is ` +
     "practice that changes nothing; a new attempt keeps the best grade", async () => {
  const page = await moodle();
  await check(page, async () => {
    assert.deepStrictEqual(await enter(page, "10"),
                           { attempt: 1, mode: "normal", entry: "ab-initio", credit: "credit" });
    assert.strictEqual((await state(page)).progress, "Aufgabe 1 von 10 · 0 richtig");
    await play(page, [true, true, false, true, true, true, true, false, true, true]);
    const made = await calls(page);
    assert.deepStrictEqual(faultsIn(made), []);
    assert.deepStrictEqual(written(made, /^cmi\.core\.score\.raw$/),
                           ["10", "20", "20", "30", "40", "50", "60", "60", "70", "80", "80"]);
    assert.deepStrictEqual(written(made, /^cmi\.core\.lesson_status$/),
                           [...Array(10).fill("incomplete"), "passed"]);
    assert.strictEqual(made.at(-1).name, "LMSFinish");
    assert.match(written(made, /^cmi\.interactions\.\d+\.id$/)[0], /^A1_[A-Za-z]+_\d+_\d+_\d+$/);
    assert.deepStrictEqual(await kept(page), { attempts: [FINISHED], raw: ["80"], grade: 80 });
    const seen = await state(page);
    assert.strictEqual(seen.restartShown, false);
    assert.match(seen.privacy, /nur an die Lernplattform deiner Schule/);
    assert.deepStrictEqual(seen.stored, [0, 0]); // nothing kept in the platform's tab

    // Opened again without a new attempt: Moodle shows the finished one for review; the
    // round is practice, says so, and writes nothing.
    assert.deepStrictEqual(await enter(page, "10"),
                           { attempt: 1, mode: "review", entry: "", credit: "no-credit" });
    assert.match(await page.evaluate(() => document.getElementById("sco").contentDocument
      .getElementById("notice").textContent), /^Diese Runde ist eine Übung und zählt nicht/);
    await play(page, [false], "Die Runde ist zu Ende. Sie hat nicht gezählt.\n");
    assert.deepStrictEqual(writesOf(await calls(page)), []);
    assert.deepStrictEqual(await kept(page), { attempts: [FINISHED], raw: ["80"], grade: 80 });

    // A new attempt counts, and the best attempt's grade stays in the gradebook.
    assert.deepStrictEqual(await enter(page, "10", true),
                           { attempt: 2, mode: "normal", entry: "ab-initio", credit: "credit" });
    await play(page, [true]);
    assert.deepStrictEqual(await kept(page), {
      attempts: [FINISHED, { status: "failed", finished: true, suspended: false }],
      raw: ["80", "10"], grade: 80 });
  });
});

test(`${ENGINE}: stopping early never gives more than the answers earned against the goal`,
  async () => {
    for (const [answers, raw] of [[[true, true, false], "20"], [[true], "10"]]) {
      const page = await moodle();
      await check(page, async () => {
        await enter(page, "10");
        await play(page, answers);
        assert.deepStrictEqual(faultsIn(await calls(page)), []);
        assert.deepStrictEqual(await kept(page), {
          attempts: [{ status: "failed", finished: true, suspended: false }], raw: [raw],
          grade: Number(raw) });
        // The page's own verdict is the program's: 1 of 1 is a Bravo.
        if (answers.length === 1) {
          assert.match(await text(page), /\nDu hast insgesamt 1 von 1 Punkten erreicht!\nBravo!\n/);
        }
      });
    }
  });

test(`${ENGINE}: a round left in the middle stays incomplete and resumes with credit`,
  async () => {
    const page = await moodle();
    await check(page, async () => {
      await enter(page, "10");
      await answer(page, false);
      await next(page);
      await answer(page, true);
      await next(page);
      const before = await text(page);
      await page.evaluate(() => window.moodle.closePackage());
      await page.waitFor(() => window.moodle.calls.some(({ name }) => name === "LMSCommit" &&
        window.moodle.calls.some(({ args }) => args[0] === "cmi.core.exit")));
      const made = await calls(page);
      assert.deepStrictEqual(faultsIn(made), []);
      assert.ok(!made.some(({ name }) => name === "LMSFinish"), "the attempt is not finished");
      assert.deepStrictEqual(await kept(page), {
        attempts: [{ status: "incomplete", finished: false, suspended: true }], raw: ["10"],
        grade: 10 });

      // The next launch resumes the same attempt with credit: the same problems and answers.
      assert.deepStrictEqual(await enter(page, "10"),
                             { attempt: 1, mode: "normal", entry: "resume", credit: "credit" });
      assert.strictEqual(await text(page), before);
      assert.strictEqual((await state(page)).progress, "Aufgabe 3 von 10 · 1 richtig");
      assert.deepStrictEqual(writesOf(await calls(page)), [], "replayed answers are not sent again");
      await play(page, [true]);
      const resumed = await calls(page);
      assert.deepStrictEqual(faultsIn(resumed), []);
      // Numbered after the two that the platform kept of the first launch.
      assert.match(written(resumed, /^cmi\.interactions\.2\.id$/)[0], /^A3_/);
      assert.deepStrictEqual(await kept(page), {
        attempts: [{ status: "failed", finished: true, suspended: false }], raw: ["20"],
        grade: 20 });
    });
  });

test(`${ENGINE}: the mixed package: each model chosen is reported as a choice before its number`,
  async () => {
    const page = await moodle();
    await check(page, async () => {
      await enter(page, "gemischt");
      const wrong = { direct: "inverse", inverse: "constant", constant: "direct" };
      for (const rightModel of [true, false]) {
        const { model, answer: expected } = lastProblem(await text(page));
        await press(page, `model-${rightModel ? model : wrong[model]}`);
        await type(page, String(expected));
        await waitForEnd(page, CONTINUE_PROMPT);
        await (rightModel ? next(page) : press(page, "stop"));
      }
      await waitForEnd(page, PAUSE);
      // Both answers' calls go in the page's own time.
      await page.waitFor(() =>
        window.moodle.calls.filter(({ name }) => name === "LMSCommit").length >= 2);
      const made = await calls(page);
      assert.deepStrictEqual(faultsIn(made), []);
      assert.deepStrictEqual(written(made, /^cmi\.interactions\.\d+\.type$/),
                             ["choice", "numeric", "choice", "numeric"]);
      assert.deepStrictEqual(written(made, /^cmi\.interactions\.\d+\.result$/),
                             ["correct", "correct", "wrong", "correct"]);
      assert.match(written(made, /^cmi\.interactions\.\d+\.student_response$/)[0], /^[abc]$/);
      const report = await page.evaluate(() => window.moodle.report());
      assert.ok(JSON.stringify(report).includes("_Zusammenhang"), JSON.stringify(report));
    });
  });

test(`${ENGINE}: the standalone page comes back to its round after a reload, and to its list`,
  async () => {
    const page = await browser.open(`${siteServer.origin}index.html`);
    await check(page, async () => {
      await waitForEnd(page, ANSWER_PROMPT);
      await answer(page, true);
      await next(page);
      await press(page, "tip"); // a hint on the second problem, which its review keeps
      await answer(page, false);
      const before = await text(page);
      // The tab keeps the line once the page has drawn it.
      await page.waitFor(() => JSON.parse(sessionStorage.getItem("dreisatz")).journal.lines.length === 3);
      const { visit } = await state(page);
      assert.strictEqual(visit.journal.lines.length, 3);
      assert.deepStrictEqual(visit.journal.hints, [2]);
      assert.deepStrictEqual(visit.rounds, []);

      await page.reload();
      await waitForEnd(page, CONTINUE_PROMPT);
      assert.strictEqual(await text(page), before);
      assert.strictEqual((await state(page)).progress, "Aufgabe 2 · 1 richtig · mit Tipp");
      await press(page, "stop");
      await waitForEnd(page, PAUSE);
      await press(page, "weiter");
      await waitForEnd(page, ENDED);
      assert.deepStrictEqual((await state(page)).scores, ["1 von 2 Punkten"]);

      // After the round, a reload starts a new one, and this visit's rounds stay listed.
      await page.reload();
      await waitForEnd(page, ANSWER_PROMPT);
      const after = await state(page);
      assert.deepStrictEqual(after.scores, ["1 von 2 Punkten"]);
      // The round's review comes back with it, from the kept records.
      assert.deepStrictEqual(await page.evaluate(() => [...document.querySelectorAll(
        "#scores li .marks .mark")].map((mark) => mark.classList.contains("hinted"))),
      [false, true]);
      assert.deepStrictEqual(after.stored, [0, 1]);
      assert.deepStrictEqual(after.visit.journal.lines, []);
      assert.doesNotMatch(await text(page), /Du hast insgesamt/);
    });
  });
