#!/usr/bin/env node
// Measures the browser site (a benchmark, not a test: the figures depend on the machine):
//   (d) the whole site gzipped                                    target: at most 250 KiB
//   (e) navigation to the first answer prompt on screen (median)  target: at most 500 ms
//   (f) Enter to the feedback on screen (median)                  target: at most 50 ms
// in headless Chromium on this machine. Builds the site first; exits 1 when a figure misses.
// Needs the web preset's tools (emscripten, npm ci in web/) and chromium.
"use strict";

const { execFileSync } = require("node:child_process");
const fs = require("node:fs");
const path = require("node:path");
const zlib = require("node:zlib");
const { chromium } = require("../web/node_modules/playwright-core");

const root = path.join(__dirname, "..");
const site = path.join(root, "build/web/site");
const runs = 21;

// The web preset sets NODE_PATH for Debian's emcc.
execFileSync("cmake", ["--preset", "web"], { cwd: root, stdio: "ignore" });
execFileSync("cmake", ["--build", "--preset", "web"], { cwd: root, stdio: "ignore" });

const median = (values) => values.sort((a, b) => a - b)[values.length >> 1];

// Polls the terminal's buffer on every frame until the pattern shows, and gives the time.
const shownAt = (source) => new Promise((resolve) => {
  const look = () => {
    const buffer = terminal.buffer.active;
    let all = "";
    for (let y = 0; y < buffer.length; ++y) all += buffer.getLine(y).translateToString(true) + "\n";
    if (new RegExp(source).test(all)) resolve(performance.now());
    else requestAnimationFrame(look);
  };
  look();
});

async function main() {
  const gzipped = fs.readdirSync(site).reduce(
    (sum, name) => sum + zlib.gzipSync(fs.readFileSync(path.join(site, name)), { level: 9 }).length, 0);

  const browser = await chromium.launch({ executablePath: "/usr/bin/chromium",
    args: ["--no-sandbox", "--disable-background-networking", "--disable-component-update",
           "--disable-sync", "--no-first-run", "--disable-gpu"] });
  const firstPrompt = [];
  const feedback = [];
  for (let i = 0; i < runs; ++i) {
    const page = await browser.newPage({ viewport: { width: 1280, height: 800 } });
    await page.goto(`file://${site}/index.html`, { waitUntil: "commit" });
    await page.waitForFunction(() => typeof terminal !== "undefined" && terminal.buffer);
    firstPrompt.push(await page.evaluate(shownAt, "Ergebnis ein und druecke ENTER: "));
    await page.evaluate(() => document.addEventListener("keydown", (event) => {
      if (event.key === "Enter") window.enterAt = performance.now();
    }, true));
    await page.keyboard.type("0");
    const shown = page.evaluate(shownAt, "Dein Ergebnis ist leider falsch!");
    await page.keyboard.press("Enter");
    feedback.push((await shown) - (await page.evaluate(() => window.enterAt)));
    await page.close();
  }
  await browser.close();

  let missed = 0;
  const report = (name, value, unit, target) => {
    const ok = value <= target;
    missed |= !ok;
    console.log(`${name.padEnd(44)} ${value.toFixed(1).padStart(8)} ${unit}  (target ${target}) ${ok ? "ok" : "MISSED"}`);
  };
  report("(d) site gzipped", gzipped / 1024, "KiB", 250);
  report(`(e) first answer prompt, median of ${runs}`, median(firstPrompt), "ms", 500);
  report(`(f) Enter to feedback, median of ${runs}`, median(feedback), "ms", 50);
  process.exit(missed);
}

main();
