// The trainer as a SCORM 1.2 package in a learning platform, and the standalone page that comes
// back after a reload, in Chromium, Firefox ESR or WebKitGTK (ENGINE). The platform is a
// stand-in player page whose API is scorm-again's runtime (site_server.js, platform/); the
// package runs in its frame from a deep path, its WebAssembly served as
// application/octet-stream, under the platform's own Content-Security-Policy. scorm-again takes
// more than SCORM 1.2 and real platforms do, so the page's own calls are recorded and judged
// against the standard's data types and order (scorm_calls.js), not only what the runtime kept.
// Run with node --test; SITE is the site folder (the packages are beside it), and CHROMIUM,
// FIREFOX, or WEBKIT_DRIVER, XVFB and MINIBROWSER the browser.
"use strict";

const assert = require("node:assert");
const fs = require("node:fs");
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

// The launch a platform gives a learner's first attempt, with the package's own launch data
// and mastery score, as Moodle reads them from its manifest.
function firstLaunch(goal) {
  const manifest = fs.readFileSync(path.join(BUILD, `scorm12-${goal}`, "imsmanifest.xml"), "utf8");
  const [, launchData] = /<adlcp:datafromlms>([^<]*)</.exec(manifest);
  const [, mastery] = /<adlcp:masteryscore>([^<]*)</.exec(manifest);
  return {
    core: { student_id: "4711", student_name: "Muster, Maxi", lesson_status: "not attempted",
            entry: "ab-initio", lesson_mode: "normal", credit: "credit" },
    launch_data: launchData, student_data: { mastery_score: mastery },
  };
}

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

const calls = (page) => page.evaluate(() => window.platform.calls);

// The values the page wrote to the elements that match, in order.
const written = (made, element) => writesOf(made)
  .filter(([name, key]) => name === "LMSSetValue" && element.test(key)).map(([, , value]) => value);

// The page's calls in short: I an interaction's id, C a commit, F the finish.
const commitsAndFinish = (made) => writesOf(made).map(([name, key]) => (name === "LMSCommit"
  ? "C" : name === "LMSFinish" ? "F" : /\.id$/.test(key) ? "I" : "")).join("");

// A launch of the package of the goal with the platform's data, in a fresh player page.
async function launch(goal, data) {
  const page = await browser.open(`${platformServer.origin}/mod/scorm/player.html`);
  await page.evaluate((launched) => window.platform.launch(...launched),
                      [data, `/pluginfile.php/123/mod_scorm/content/${goal}/index.html`]);
  await waitForEnd(page, ANSWER_PROMPT);
  return page;
}

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
    [set("cmi.core.score.raw", "0")],
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

test(`${ENGINE}: a round of 5 in a platform, 4 right: each answer committed, passed, finished last`,
  async () => {
    const page = await launch(5, firstLaunch(5));
    await check(page, async () => {
      assert.strictEqual((await state(page)).progress, "Aufgabe 1 von 5 · 0 richtig");
      for (const right of [true, true, false, true]) {
        await answer(page, right);
        await next(page);
      }
      assert.strictEqual((await state(page)).progress, "Aufgabe 5 von 5 · 3 richtig");
      // After the goal's last answer the page answers the continue question with 9.
      await answer(page, true, PAUSE);
      assert.match(await text(page), new RegExp(`${CONTINUE_PROMPT}9\\n[^]*` +
        "\\nDu hast insgesamt 4 von 5 Punkten erreicht!\\nBravo!\\n"));
      await press(page, "weiter");
      await waitForEnd(page, PLATFORM_ENDED);

      const made = await calls(page);
      assert.deepStrictEqual(faultsIn(made), []);
      assert.strictEqual(made.at(-1).name, "LMSFinish");
      assert.strictEqual(commitsAndFinish(made), `${"IC".repeat(5)}CF`);
      assert.deepStrictEqual(written(made, /^cmi\.interactions\.\d+\.id$/),
                             ["Aufgabe1", "Aufgabe2", "Aufgabe3", "Aufgabe4", "Aufgabe5"]);
      assert.deepStrictEqual(written(made, /^cmi\.interactions\.\d+\.result$/),
                             ["correct", "correct", "wrong", "correct", "correct"]);
      assert.deepStrictEqual(written(made, /^cmi\.interactions\.\d+\.type$/),
                             Array(5).fill("numeric"));
      assert.deepStrictEqual(written(made, /^cmi\.core\.score\.raw$/),
                             ["100", "100", "66.67", "75", "80", "80"]);
      assert.deepStrictEqual(written(made, /^cmi\.core\.lesson_status$/),
                             [...Array(5).fill("incomplete"), "passed"]);
      assert.strictEqual(written(made, /^cmi\.core\.exit$/).at(-1), "");
      const kept = await page.evaluate(() => window.platform.nextLaunch());
      assert.deepStrictEqual([kept.core.score.raw, kept.core.entry], ["80", ""]);
      const seen = await state(page);
      assert.strictEqual(seen.restartShown, false);
      assert.strictEqual(seen.note, "");
      assert.match(seen.privacy, /nur an die Lernplattform deiner Schule/);
      assert.deepStrictEqual(seen.stored, [0, 0]); // nothing kept in the platform's tab
    });
  });

test(`${ENGINE}: a round closed midway is suspended; the next launch goes on, and it fails`,
  async () => {
    const first = await launch(10, firstLaunch(10));
    let kept;
    let before;
    await check(first, async () => {
      await answer(first, false);
      await next(first);
      await answer(first, true);
      await next(first);
      before = await text(first);
      await first.evaluate(() => window.platform.closePackage());
      await first.waitFor(() => window.platform.calls.some(({ name }) => name === "LMSFinish"));
      const made = await calls(first);
      assert.deepStrictEqual(faultsIn(made), []);
      assert.strictEqual(commitsAndFinish(made), "ICICCF");
      // A zero that Moodle counts, then one of two.
      assert.deepStrictEqual(written(made, /^cmi\.core\.score\.raw$/), ["0.0", "50"]);
      const journal = JSON.parse(written(made, /^cmi\.suspend_data$/).at(-1));
      assert.strictEqual(journal.lines.length, 4); // two answers, two times "Nächste Aufgabe"
      assert.strictEqual(written(made, /^cmi\.core\.exit$/).at(-1), "suspend");
      kept = await first.evaluate(() => window.platform.nextLaunch());
      assert.strictEqual(kept.core.entry, "resume");
    });

    const second = await launch(10, kept);
    await check(second, async () => {
      // The same problems, the same answers and score, and the learner at the third problem.
      assert.strictEqual(await text(second), before);
      assert.strictEqual((await state(second)).progress, "Aufgabe 3 von 10 · 1 richtig");
      const resumed = await calls(second);
      assert.strictEqual(commitsAndFinish(resumed), "", "the replayed answers are not sent again");
      await answer(second, false);
      await press(second, "stop");
      await waitForEnd(second, PAUSE);
      const made = await calls(second);
      assert.deepStrictEqual(faultsIn(made), []);
      // Numbered after the two that the platform kept of the first launch.
      const count = made.find(({ args }) => args[0] === "cmi.interactions._count").result;
      assert.strictEqual(count, "2");
      assert.deepStrictEqual(writesOf(made).filter(([, key]) => /\.id$/.test(key)),
                             [["LMSSetValue", `cmi.interactions.${count}.id`, "Aufgabe3"]]);
      assert.deepStrictEqual(written(made, /^cmi\.core\.score\.raw$/), ["33.33", "33.33"]);
      assert.deepStrictEqual(written(made, /^cmi\.core\.lesson_status$/), ["incomplete", "failed"]);
    });
  });

test(`${ENGINE}: the mixed package: each model chosen is reported as a choice before its number`,
  async () => {
    const page = await launch("gemischt", firstLaunch("gemischt"));
    await check(page, async () => {
      const wrong = { direct: "inverse", inverse: "constant", constant: "direct" };
      for (const rightModel of [true, false]) {
        const { model, answer: expected } = lastProblem(await text(page));
        await press(page, `model-${rightModel ? model : wrong[model]}`);
        await type(page, String(expected));
        await waitForEnd(page, CONTINUE_PROMPT);
        await (rightModel ? next(page) : press(page, "stop"));
      }
      await waitForEnd(page, PAUSE);
      const made = await calls(page);
      assert.deepStrictEqual(faultsIn(made), []);
      assert.deepStrictEqual(written(made, /^cmi\.interactions\.\d+\.type$/),
                             ["choice", "numeric", "choice", "numeric"]);
      assert.deepStrictEqual(written(made, /^cmi\.interactions\.\d+\.result$/),
                             ["correct", "correct", "wrong", "correct"]);
      assert.match(written(made, /^cmi\.interactions\.\d+\.student_response$/)[0], /^[abc]$/);
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
