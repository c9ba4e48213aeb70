#!/usr/bin/env node
// Makes docs/worksheet.png, the picture of a printed worksheet in the README: the sheet of code
// K7QM4XA2 with 8 problems, printed to A4 by headless Chromium, and its first page turned into a
// PNG by pdftoppm. The code fixes the problems, so the picture comes out the same but for
// the trainer's address at the foot, the path of the site that it was opened from.
// Needs the web preset's tools (emscripten, npm ci in web/), chromium and poppler-utils.
"use strict";

const { execFileSync } = require("node:child_process");
const path = require("node:path");
const { CHROMIUM_ARGS } = require("../tests/web/site_server.js");
const { chromium } = require("../web/node_modules/playwright-core");

const root = path.join(__dirname, "..");
execFileSync("cmake", ["--preset", "web"], { cwd: root, stdio: "ignore" });
execFileSync("cmake", ["--build", "--preset", "web"], { cwd: root, stdio: "ignore" });

async function main() {
  const browser = await chromium.launch({ executablePath: "/usr/bin/chromium",
    args: CHROMIUM_ARGS });
  const page = await browser.newPage();
  await page.goto(`file://${root}/build/web/site/arbeitsblatt.html?code=K7QM4XA2&anzahl=8&art=beide`);
  await page.waitForSelector(".solution");
  const pdf = path.join(root, "build/web/worksheet.pdf");
  await page.pdf({ path: pdf, preferCSSPageSize: true });
  await browser.close();
  execFileSync("pdftoppm", ["-f", "1", "-l", "1", "-r", "72", "-gray", "-png", "-singlefile",
                            pdf, path.join(root, "docs/worksheet")]);
  console.log("docs/worksheet.png");
}

main();
