#!/usr/bin/env node
// Makes the pictures of the browser page in the README from real sessions in headless
// Chromium: docs/web-session.png on a desktop, a typical mistake named before the working;
// docs/web-tablet.png on a tablet, two hints before answering; docs/web-phone.png on a phone,
// the round's review after the score. The page's clock is fixed, so that the same problems
// are posed each time and the pictures come out the same. Needs the web preset's tools
// (emscripten, chromium) and npm ci in web/.
"use strict";

const { execFileSync } = require("node:child_process");
const path = require("node:path");
const { CHROMIUM_ARGS } = require("../tests/browser/site_server.js");
const { chromium, devices } = require("../web/node_modules/playwright-core");
const { lastProblem } = require("../tests/browser/dialogue.js");

const root = path.join(__dirname, "..");
execFileSync("cmake", ["--preset", "web"], { cwd: root, stdio: "ignore" });
execFileSync("cmake", ["--build", "--preset", "web"], { cwd: root, stdio: "ignore" });

const SHOTS = [
  { file: "web-session.png", device: { viewport: { width: 900, height: 1000 } }, scene: "mistake" },
  { file: "web-tablet.png", device: { ...devices["iPad (gen 7)"], deviceScaleFactor: 1 },
    scene: "hints" },
  { file: "web-phone.png", device: { ...devices["Pixel 5"], deviceScaleFactor: 1 },
    scene: "review" },
];

async function main() {
  const browser = await chromium.launch({ executablePath: "/usr/bin/chromium",
    args: [...CHROMIUM_ARGS, "--hide-scrollbars"] });
  for (const { file, device, scene } of SHOTS) {
    const context = await browser.newContext(device);
    const page = await context.newPage();
    await page.addInitScript(() => { Date.now = () => 1796601600000; });
    await page.goto(`file://${root}/build/web/site/index.html`);
    const prompt = (ending) => page.waitForFunction((end) =>
      document.getElementById("transcript").textContent.endsWith(end), ending);
    const transcript = () => page.locator("#transcript").textContent();
    const ready = (id) => page.waitForFunction((which) =>
      !document.getElementById(which).hasAttribute("aria-disabled"), id);
    // One right answer, then the next problem.
    await prompt("drücke ENTER: ");
    await page.keyboard.type(`${lastProblem(await transcript()).answer}\n`);
    await prompt("1 und ENTER: ");
    await page.keyboard.type("1\n");
    await prompt("drücke ENTER: ");
    const tip = page.getByRole("button", { name: "Tipp" });
    await tip.click();
    if (scene !== "hints") {
      // The direct model, "more of them, more time", rounded to a whole number.
      const { first, duration, second, answer } = lastProblem(await transcript());
      const direct = Math.round((duration * second) / first);
      await page.locator("#field").fill(String(direct === answer ? first * duration : direct));
      await page.keyboard.press("Enter");
      await prompt("1 und ENTER: ");
    } else {
      await tip.click();
    }
    if (scene === "review") {
      await ready("stop");
      await page.getByRole("button", { name: "Aufhören" }).click();
      await prompt("Weiter … ");
      await page.keyboard.press("x");
      await page.locator("#scores .marks").waitFor();
      await ready("restart");
      await page.locator("#transcript .review").evaluate((review) =>
        review.scrollIntoView({ block: "center" }));
    } else if (scene === "mistake") {
      await ready("next");
    }
    await page.screenshot({ path: path.join(root, "docs", file) });
    await context.close();
  }
  await browser.close();
}

main();
