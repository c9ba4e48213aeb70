#!/usr/bin/env node
// Measures the browser site (a benchmark, not a test: the figures depend on the machine):
//   (d) what a first visit over http loads before the first prompt, each file gzipped
//                                                                  target: at most 100 KiB
//   (e) navigation to the first answer prompt on screen (median)  target: at most 300 ms
//   (f) Enter to the feedback on screen (median)                  target: at most 30 ms
//   (g) (e) on a slow phone's first visit: CPU 4x slower, 400 ms round trip, 400 kbit/s
//       each way, the site served gzipped (median)                target: at most 3000 ms
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
const phoneRuns = 5; // each takes seconds

// The web preset sets NODE_PATH for Debian's emcc.
execFileSync("cmake", ["--preset", "web"], { cwd: root, stdio: "ignore" });
execFileSync("cmake", ["--build", "--preset", "web"], { cwd: root, stdio: "ignore" });

const median = (values) => values.sort((a, b) => a - b)[values.length >> 1];

const gzipped = (name) => zlib.gzipSync(fs.readFileSync(path.join(site, name)), { level: 9 }).length;

// Notes when each pattern first shows in the transcript: the frame after the text is in the
// page, as the browser paints it. Installed before the page's own scripts run, in every frame.
// Also as a time from the epoch (atEpoch), to compare times of two frames.
function watchTranscript(patterns) {
  window.shownAt = {};
  window.atEpoch = {};
  new MutationObserver(() => {
    const transcript = document.getElementById("transcript");
    for (const source of patterns) {
      if (transcript && !(source in window.shownAt) && new RegExp(source).test(transcript.textContent)) {
        window.shownAt[source] = null;
        requestAnimationFrame(() => {
          window.shownAt[source] = performance.now();
          window.atEpoch[source] = performance.timeOrigin + performance.now();
        });
      }
    }
  }).observe(document, { subtree: true, childList: true, characterData: true });
}
const PROMPT = "Ergebnis ein und drücke ENTER: $";
const FEEDBACK = "Dein Ergebnis ist leider falsch!";
const shown = (page, source) => page.waitForFunction((key) => window.shownAt[key], source)
  .then((handle) => handle.jsonValue());

async function main() {
  const server = await serveSite(site); // as a plain web space serves it
  const origin = server.origin;
  const browser = await chromium.launch({ executablePath: "/usr/bin/chromium", args: CHROMIUM_ARGS });
  const firstPrompt = [];
  const feedback = [];
  let firstVisit = 0;
  for (let i = 0; i < runs; ++i) {
    // A fresh context each time: a first visit, with nothing cached and no worker yet.
    const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
    const page = await context.newPage();
    await page.addInitScript(watchTranscript, [PROMPT, FEEDBACK]);
    const loaded = new Set();
    const record = (request) => loaded.add(new URL(request.url()).pathname.slice(1) || "index.html");
    page.on("request", record);
    await page.goto(`${origin}index.html`, { waitUntil: "commit" });
    firstPrompt.push(await shown(page, PROMPT));
    page.off("request", record);
    firstVisit = Math.max(firstVisit, [...loaded].reduce((sum, name) => sum + gzipped(name), 0));
    await page.evaluate(() => document.addEventListener("keydown", (event) => {
      if (event.key === "Enter") window.enterAt = performance.now();
    }, true));
    await page.keyboard.type("0");
    await page.keyboard.press("Enter");
    feedback.push((await shown(page, FEEDBACK)) - (await page.evaluate(() => window.enterAt)));
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
    await page.goto(`${gzipServer.origin}index.html`, { waitUntil: "commit" });
    phonePrompt.push(await shown(page, PROMPT));
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
    const launchedAt = await page.evaluate(() => {
      const at = performance.timeOrigin + performance.now();
      window.platform.launch({ core: { entry: "ab-initio" }, launch_data: "anzahl=10" },
                             "/pluginfile.php/123/mod_scorm/content/10/index.html");
      return at;
    });
    const frame = page.frameLocator("#sco");
    await frame.locator("#transcript").waitFor();
    const inFrame = page.frames().find((made) => made !== page.mainFrame());
    await inFrame.waitForFunction((key) => window.atEpoch?.[key], PROMPT);
    framePrompt.push((await inFrame.evaluate((key) => window.atEpoch[key], PROMPT)) - launchedAt);
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
  report(`(e) first answer prompt, median of ${runs}`, median(firstPrompt), "ms", 300);
  report(`(f) Enter to feedback, median of ${runs}`, median(feedback), "ms", 30);
  report(`(g) first prompt on a slow phone, median of ${phoneRuns}`, median(phonePrompt), "ms", 3000);
  report("(h) the SCORM package, zipped", packageSize / 1024, "KiB");
  report(`(i) launch to first prompt in a platform, median of ${runs}`, median(framePrompt), "ms", 300);
  process.exit(missed);
}

main();
