#!/usr/bin/env node
// Makes docs/worksheet.png, the picture of a printed worksheet in the README: the sheet of code
// F8CH-ZTT5-V77 (8 problems, both kinds, without a calculator, mixed), opened over http with the
// trainer's web address of a school, printed to A4 by headless Chromium, and its first page
// turned into a PNG by pdftoppm. The code fixes the problems, so the picture comes out the same
// every time. Needs the web preset's tools (emscripten, npm ci in web/), chromium and
// poppler-utils.
"use strict";

const { execFileSync } = require("node:child_process");
const path = require("node:path");
const { CHROMIUM_ARGS, serveSite } = require("../tests/browser/site_server.js");
const { chromium } = require("../web/node_modules/playwright-core");

const root = path.join(__dirname, "..");
execFileSync("cmake", ["--preset", "web"], { cwd: root, stdio: "ignore" });
execFileSync("cmake", ["--build", "--preset", "web"], { cwd: root, stdio: "ignore" });

async function main() {
  const server = await serveSite(path.join(root, "build/web/site"));
  const browser = await chromium.launch({ executablePath: "/usr/bin/chromium",
    args: CHROMIUM_ARGS });
  const page = await browser.newPage();
  await page.goto(`${server.origin}arbeitsblatt.html?code=F8CHZTT5V77`);
  await page.waitForSelector(".page");
  const trainer = "https://schule.example/dreisatz/";
  await page.fill("#trainer", trainer);
  await page.waitForFunction((address) => document.querySelector(".trainer-address")
    ?.textContent === address, trainer);
  const pdf = path.join(root, "build/web/worksheet.pdf");
  await page.pdf({ path: pdf, preferCSSPageSize: true });
  await browser.close();
  server.close();
  execFileSync("pdftoppm", ["-f", "1", "-l", "1", "-r", "72", "-gray", "-png", "-singlefile",
                            pdf, path.join(root, "docs/worksheet")]);
  console.log("docs/worksheet.png");
}

main();
