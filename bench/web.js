#!/usr/bin/env node
// Measures the browser site (a benchmark, not a test: the figures depend on the machine):
//   (d) what a first visit over http loads before the first prompt, each file gzipped
//                                                                  target: at most 100 KiB
//   (e) navigation to the first answer prompt on screen (median)  target: at most 200 ms
//   (f) Enter to the feedback on screen, typed once the learner has read the problem (two
//       seconds, less than anyone reads it in) (median)           target: at most 15 ms
//   (f0) the same, typed the moment the prompt shows, while the page still settles after its
//       first load (the browser compiles, collects and loads what comes later) (median)
//                                                                  target: at most 30 ms
//   (g) (e) on a slow phone's first visit: CPU 4x slower, 400 ms round trip, 400 kbit/s
//       each way, the site served gzipped (median)                target: at most 2500 ms
//   (h) the SCORM package that a teacher uploads, zipped as the release zips it
//   (i) the package launched in a learning platform's frame (scorm-again's runtime, the
//       WebAssembly as application/octet-stream), to its first prompt (median)
//                                                                  target: at most 300 ms
// in headless Chromium on this machine, over http from 127.0.0.1. Builds the site first;
// exits 1 when a figure misses. Needs the web preset's tools (emscripten, chromium) and
// npm ci in web/.
"use strict";

const { execFileSync } = require("node:child_process");
const fs = require("node:fs");
const path = require("node:path");
const zlib = require("node:zlib");
const { chromium } = require("../web/node_modules/playwright-core");
const os = require("node:os");
const { CHROMIUM_ARGS, servePlatform, serveSite } = require("../tests/browser/site_server.js");

const root = path.join(__dirname, "..");
const build = path.join(root, "build/web");
const site = path.join(build, "site");
const runs = 21;
const READING = 2000; // ms: the learner reads the problem before typing
const phoneRuns = 5; // each takes seconds

// The web preset sets NODE_PATH for Debian's emcc.
execFileSync("cmake", ["--preset", "web"], { cwd: root, stdio: "ignore" });
execFileSync("cmake", ["--build", "--preset", "web"], { cwd: root, stdio: "ignore" });

const median = (values) => values.sort((a, b) => a - b)[values.length >> 1];

const gzipped = (name) => zlib.gzipSync(fs.readFileSync(path.join(site, name)), { level: 9 }).length;

// Tells, as a console message, when each pattern first shows in the transcript: the frame after
// the text is in the page, as the browser paints it, in this frame's time and as a time from
// the epoch (to compare times of two frames). Installed before the page's own scripts run, in
// every frame. A console message, not a page function that Playwright polls: that would load
// Playwright's own script into the page in the middle of the first load that it measures.
function watchTranscript(patterns) {
  const seen = new Set();
  new MutationObserver(() => {
    const transcript = document.getElementById("transcript");
    for (const source of patterns) {
      if (transcript && !seen.has(source) && new RegExp(source).test(transcript.textContent)) {
        seen.add(source);
        requestAnimationFrame(() => console.debug(JSON.stringify({
          shown: source, at: performance.now(), atEpoch: performance.timeOrigin + performance.now(),
        })));
      }
    }
  }).observe(document, { subtree: true, childList: true, characterData: true });
}
const PROMPT = "Ergebnis ein und drücke ENTER: $";
const FEEDBACK = "Dein Ergebnis ist leider falsch!";
// When the pattern showed: { at, atEpoch }. Asked before what makes it show.
const shownTimes = (page, source) => page.waitForEvent("console", {
  predicate: (message) => message.text().startsWith(`{"shown":${JSON.stringify(source)}`),
  timeout: 60000,
}).then((message) => JSON.parse(message.text()));
const shown = (page, source) => shownTimes(page, source).then((times) => times.at);

async function main() {
  const server = await serveSite(site); // as a plain web space serves it
  const origin = server.origin;
  const browser = await chromium.launch({ executablePath: "/usr/bin/chromium", args: CHROMIUM_ARGS });
  const firstPrompt = [];
  const feedback = [];
  const feedbackAtOnce = [];
  let firstVisit = 0;
  for (let i = 0; i < runs; ++i) {
    // A fresh context each time: a first visit, with nothing cached and no worker yet.
    const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
    const page = await context.newPage();
    await page.addInitScript(watchTranscript, [PROMPT, FEEDBACK]);
    const loaded = new Set();
    const record = (request) => loaded.add(new URL(request.url()).pathname.slice(1) || "index.html");
    page.on("request", record);
    const prompt = shown(page, PROMPT);
    await page.goto(`${origin}index.html`, { waitUntil: "commit" });
    firstPrompt.push(await prompt);
    page.off("request", record);
    firstVisit = Math.max(firstVisit, [...loaded].reduce((sum, name) => sum + gzipped(name), 0));
    await page.evaluate(() => document.addEventListener("keydown", (event) => {
      if (event.key === "Enter") window.enterAt = performance.now();
    }, true));
    // Every other run types at once, the others after the reading time.
    const atOnce = i % 2 === 0;
    if (!atOnce) {
      await page.waitForTimeout(READING);
    }
    const judged = shown(page, FEEDBACK);
    await page.keyboard.type("0");
    await page.keyboard.press("Enter");
    (atOnce ? feedbackAtOnce : feedback)
      .push((await judged) - (await page.evaluate(() => window.enterAt)));
    await context.close();
  }
  server.close();

  // A phone on a slow mobile network, throttled by Chromium itself; 390x844 is a common
  // phone's viewport.
  const gzipServer = await serveSite(site, { gzip: true });
  const phonePrompt = [];
  for (let i = 0; i < phoneRuns; ++i) {
    const context = await browser.newContext({ viewport: { width: 390, height: 844 } });
    const page = await context.newPage();
    await page.addInitScript(watchTranscript, [PROMPT]);
    const cdp = await context.newCDPSession(page);
    await cdp.send("Emulation.setCPUThrottlingRate", { rate: 4 });
    await cdp.send("Network.enable");
    const bytesPerSecond = 400 * 1000 / 8;
    await cdp.send("Network.emulateNetworkConditions", {
      offline: false, latency: 400, downloadThroughput: bytesPerSecond, uploadThroughput: bytesPerSecond,
    });
    const prompt = shown(page, PROMPT);
    await page.goto(`${gzipServer.origin}index.html`, { waitUntil: "commit" });
    phonePrompt.push(await prompt);
    await context.close();
  }
  gzipServer.close();

  // The package as a teacher uploads it, and launched as a platform launches it.
  const zip = path.join(fs.mkdtempSync(path.join(os.tmpdir(), "dreisatz-bench-")), "scorm12.zip");
  execFileSync("python3", [path.join(root, "cmake/reproducible_zip.py"), zip, "0",
                           path.join(build, "scorm12-10")]);
  const packageSize = fs.statSync(zip).size;
  const platform = await servePlatform(build);
  const framePrompt = [];
  for (let i = 0; i < runs; ++i) {
    const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
    const page = await context.newPage();
    await page.addInitScript(watchTranscript, [PROMPT]);
    await page.goto(`${platform.origin}/mod/scorm/player.html`);
    const prompt = shownTimes(page, PROMPT); // the frame's console is the page's
    const launchedAt = await page.evaluate(() => {
      const at = performance.timeOrigin + performance.now();
      window.platform.launch({ core: { entry: "ab-initio" }, launch_data: "anzahl=10" },
                             "/pluginfile.php/123/mod_scorm/content/10/index.html");
      return at;
    });
    framePrompt.push((await prompt).atEpoch - launchedAt);
    await context.close();
  }
  platform.close();
  await browser.close();

  let missed = 0;
  const report = (name, value, unit, target) => {
    const ok = target === undefined || value <= target;
    missed |= !ok;
    const verdict = target === undefined ? "" : ` (target ${target}) ${ok ? "ok" : "MISSED"}`;
    console.log(`${name.padEnd(50)} ${value.toFixed(1).padStart(8)} ${unit} ${verdict}`);
  };
  report("(d) first visit before the first prompt, gzipped", firstVisit / 1024, "KiB", 100);
  report(`(e) first answer prompt, median of ${runs}`, median(firstPrompt), "ms", 200);
  report(`(f) Enter to feedback, median of ${feedback.length}`, median(feedback), "ms", 15);
  report(`(f0) the same at once, median of ${feedbackAtOnce.length}`, median(feedbackAtOnce), "ms", 30);
  report(`(g) first prompt on a slow phone, median of ${phoneRuns}`, median(phonePrompt), "ms", 2500);
  report("(h) the SCORM package, zipped", packageSize / 1024, "KiB");
  report(`(i) launch to first prompt in a platform, median of ${runs}`, median(framePrompt), "ms", 300);
  process.exit(missed);
}

main();
