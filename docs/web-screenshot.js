#!/usr/bin/env node
// Makes docs/web-session.png, the picture of the browser page in the README, from a real
// session in headless Chromium: one right and one wrong answer. The page's clock is fixed, so
// that the same problems are posed each time and the picture comes out the same.
// Needs the web preset's tools (emscripten, npm ci in web/) and chromium.
"use strict";

const { execFileSync } = require("node:child_process");
const path = require("node:path");
const { chromium } = require("../web/node_modules/playwright-core");

const root = path.join(__dirname, "..");
const env = { ...process.env, NODE_PATH: "/usr/share/nodejs" };
execFileSync("cmake", ["--preset", "web"], { cwd: root, env, stdio: "ignore" });
execFileSync("cmake", ["--build", "--preset", "web"], { cwd: root, env, stdio: "ignore" });

const screen = () => {
  const buffer = terminal.buffer.active;
  let all = "";
  for (let y = 0; y < buffer.length; ++y) all += buffer.getLine(y).translateToString(true) + "\n";
  return all.trimEnd();
};

async function main() {
  const browser = await chromium.launch({ executablePath: "/usr/bin/chromium",
    args: ["--no-sandbox", "--disable-background-networking", "--disable-component-update",
           "--disable-sync", "--no-first-run", "--disable-gpu", "--hide-scrollbars"] });
  const page = await browser.newPage({ viewport: { width: 900, height: 1000 } });
  await page.addInitScript(() => { Date.now = () => 1796601600000; });
  await page.goto(`file://${root}/build/web/site/index.html`);
  const prompt = (ending) => page.waitForFunction((end) => {
    const buffer = terminal.buffer.active;
    let all = "";
    for (let y = 0; y < buffer.length; ++y) all += buffer.getLine(y).translateToString(true) + "\n";
    return all.trimEnd().endsWith(end);
  }, ending);
  await prompt("druecke ENTER:");
  const text = await page.evaluate(screen);
  const [, first, duration, second] = text.match(/(\d+) \S+ (?:schafft|kommen)[^]*?(\d+) \S+(?:\. |\s+aus)[^]*?(?:von|fuer) (\d+) /);
  await page.keyboard.type(`${first * duration / second}\n1\n`);
  await page.waitForTimeout(200);
  await page.keyboard.type("7\n");
  await prompt("1 und ENTER:");
  await page.screenshot({ path: path.join(root, "docs/web-session.png") });
  await browser.close();
}

main();
