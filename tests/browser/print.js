// A page printed to an A4 PDF in Chromium (playwright-core), Firefox ESR (puppeteer-core over
// WebDriver BiDi) or WebKitGTK (webkit_print.py, WebKitPrintOperation on a display of its own
// from Xvfb), once an element matches a selector; and the PDF read back with pdftotext
// (poppler-utils): each page's text, and each word's box in points.
"use strict";

const { execFile, execFileSync } = require("node:child_process");
const path = require("node:path");
const { promisify } = require("node:util");
const { virtualDisplay } = require("./browsers.js");
const { CHROMIUM_ARGS } = require("./site_server.js");

// Playwright's and puppeteer's pages share what printing needs.
function printing(browser, pdfOptions) {
  return {
    async print(url, selector, file) {
      const page = await browser.newPage();
      const errors = [];
      page.on("pageerror", (error) => errors.push(error.message));
      page.on("console", (message) => message.type() === "error" && errors.push(message.text()));
      await page.goto(url);
      await page.waitForSelector(selector);
      await page.pdf({ path: file, ...pdfOptions });
      await page.close();
      return errors;
    },
    close: () => browser.close(),
  };
}

// Each: start(env) resolves to { print(url, selector, file) resolving to the page's errors,
// close() }.
const ENGINES = {
  async chromium(env) {
    const { chromium } = require("../../web/node_modules/playwright-core");
    const browser = await chromium.launch({ executablePath: env.CHROMIUM, args: CHROMIUM_ARGS });
    return printing(browser, { preferCSSPageSize: true });
  },

  async firefox(env) {
    const puppeteer = require("../../web/node_modules/puppeteer-core");
    const browser = await puppeteer.launch({ browser: "firefox", executablePath: env.FIREFOX,
                                             headless: true, protocol: "webDriverBiDi" });
    return printing(browser, { format: "A4", preferCSSPageSize: true });
  },

  async webkit(env) {
    const display = await virtualDisplay(env.XVFB);
    const script = path.join(__dirname, "webkit_print.py");
    return {
      async print(url, selector, file) {
        const python = env.GI_PYTHON || "/usr/bin/python3";
        await promisify(execFile)(python, [script, url, selector, file],
                                  { env: { ...process.env, DISPLAY: display.name } });
        return [];
      },
      close: async () => display.kill(),
    };
  },
};

const printer = (engine, env = process.env) => ENGINES[engine](env);

// Blanks, line ends and no-break blanks alike as one blank.
const flat = (text) => text.replace(/\s+/g, " ");

const entities = { amp: "&", lt: "<", gt: ">", quot: '"', apos: "'" };
const decoded = (text) => text.replace(/&(\w+);/g, (whole, name) => entities[name] ?? whole);

// The PDF's pages: { text, width, height, words: [{ text, xMin, yMin, xMax, yMax }] }.
function readBack(file, reader = process.env.PDFTOTEXT || "pdftotext") {
  const texts = execFileSync(reader, [file, "-"], { encoding: "utf8" }).split("\f").slice(0, -1);
  const boxes = execFileSync(reader, ["-bbox", file, "-"], { encoding: "utf8" });
  const word = /<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</g;
  return boxes.split("<page ").slice(1).map((part, index) => ({
    text: flat(texts[index]),
    width: Number(part.match(/width="([\d.]+)"/)[1]),
    height: Number(part.match(/height="([\d.]+)"/)[1]),
    words: [...part.matchAll(word)].map(([, xMin, yMin, xMax, yMax, text]) => (
      { text: decoded(text), xMin: Number(xMin), yMin: Number(yMin), xMax: Number(xMax),
        yMax: Number(yMax) })),
  }));
}

module.exports = { flat, printer, readBack };
