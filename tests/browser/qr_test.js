// web/worksheet/trainer_qr.js in headless Chromium: each address drawn as a QR code under the worksheet's
// CSP, photographed, and read back by zbarimg as the very bytes of its UTF-8. Run with
// node --test; CHROMIUM is the browser, ZBARIMG the reader.
"use strict";

const assert = require("node:assert");
const { execFileSync } = require("node:child_process");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { after, before, test } = require("node:test");
const { chromium } = require("../../web/node_modules/playwright-core");
const { CHROMIUM_ARGS } = require("./site_server.js");

const WEB = path.join(__dirname, "../../web");
const CSP = "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self'";
let browser;
let page;
let work;
const problems = [];
before(async () => {
  work = fs.mkdtempSync(path.join(os.tmpdir(), "qr-test-"));
  execFileSync(path.join(WEB, "node_modules/.bin/esbuild"), [
    path.join(WEB, "worksheet/trainer_qr.js"), "--bundle", "--format=iife", "--global-name=trainerQr",
    "--target=es2020,chrome100,firefox100,safari15", "--log-level=warning",
    `--outfile=${path.join(work, "qr.js")}`]);
  // A dark page, so that the code is read against its own light ground alone.
  fs.writeFileSync(path.join(work, "qr.css"),
                   "body { background: #000; } svg { display: block; width: 300px; }\n");
  fs.writeFileSync(path.join(work, "index.html"), `<!DOCTYPE html><html lang="de">
<meta http-equiv="Content-Security-Policy" content="${CSP}"><title>QR</title>
<link rel="stylesheet" href="qr.css"><script src="qr.js"></script><body></body></html>\n`);
  browser = await chromium.launch({ executablePath: process.env.CHROMIUM, args: CHROMIUM_ARGS });
  page = await browser.newPage();
  page.on("console", (message) => message.type() === "error" && problems.push(message.text()));
  page.on("pageerror", (error) => problems.push(error.message));
  await page.goto(`file://${work}/index.html`);
  await page.waitForFunction(() => typeof trainerQr === "object");
});
after(async () => {
  await browser?.close();
  fs.rmSync(work, { recursive: true, force: true });
});

const ADDRESSES = {
  "a short http address": "http://example.org/",
  "a long https address with a path and a query":
    "https://schule.example.de/faecher/mathematik/klasse-7/dreisatz/trainer/index.html" +
    "?blatt=12345&anzahl=8&art=beide&lang=de#start",
  "a file path with umlauts and spaces, percent-encoded":
    "file:///home/lehrerin/Arbeitsbl%C3%A4tter/Klasse%207b/Dreisatz%20%C3%BCben/index.html",
  "a file path with umlauts and spaces, raw":
    "file:///home/lehrerin/Arbeitsblätter/Klasse 7b/Dreisatz üben/index.html",
};

for (const [name, address] of Object.entries(ADDRESSES)) {
  test(`${name} reads back exactly`, async () => {
    const parts = await page.evaluate((text) => {
      const svg = trainerQr.qrCode(text);
      document.body.replaceChildren(svg);
      const size = svg.viewBox.baseVal.width;
      const box = svg.querySelector("path").getBBox();
      return { label: svg.getAttribute("aria-label"), paths: svg.querySelectorAll("path").length,
               margins: [box.x, box.y, size - box.x - box.width, size - box.y - box.height] };
    }, address);
    const quiet = [4, 4, 4, 4]; // modules on each side
    assert.deepStrictEqual(parts, { label: `QR-Code: ${address}`, paths: 1, margins: quiet });
    const file = path.join(work, "qr.png");
    await page.locator("svg").screenshot({ path: file });
    // The bytes as they are, read as UTF-8: zbarimg's own guess takes some UTF-8 for Big5.
    const read = execFileSync(process.env.ZBARIMG || "zbarimg",
                              ["--raw", "-q", "-Sbinary", "--nodbus", file], { encoding: "utf8" });
    assert.strictEqual(read, address);
    assert.deepStrictEqual(problems, []);
  });
}

// The largest code (version 40, level M) holds 2331 bytes; an umlaut takes two.
test("fitsQrCode says whether an address fits the largest code, and qrCode draws all that do",
  async () => {
    // Each row: the address's bytes in UTF-8, after "https://s.de/" (13), in letters of one or
    // two bytes.
    const cases = [[2331, "a", true], [2332, "a", false], [2331, "ä", true], [2333, "ä", false]];
    for (const [length, letter, fits] of cases) {
      const got = await page.evaluate(([n, c]) => {
        const text = `https://s.de/${c.repeat((n - 13) / new TextEncoder().encode(c).length)}`;
        let drawn = true;
        try {
          trainerQr.qrCode(text);
        } catch {
          drawn = false;
        }
        return [trainerQr.fitsQrCode(text), drawn];
      }, [length, letter]);
      assert.deepStrictEqual(got, [fits, fits], `${length} × ${letter}`);
    }
    assert.deepStrictEqual(problems, []);
  });
