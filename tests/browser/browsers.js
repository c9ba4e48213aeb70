// One small set of page operations over the engines that have no playwright build here:
// Firefox ESR driven by puppeteer-core over WebDriver BiDi, headless, and WebKitGTK's
// MiniBrowser driven by selenium-webdriver through WebKitWebDriver, on a display of its own
// from Xvfb; and the same over Chromium with playwright-core, so that one test file runs in
// all three. Every wait is for a condition, never for a time.
"use strict";

const { spawn } = require("node:child_process");
const net = require("node:net");

const TIMEOUT = 15000; // generous for a loaded machine

// A page: evaluate(fn, ...args), waitFor(fn, arg), keys(text) to the focused element, where
// "\n" is Enter, click(selector), reload(), close().
async function firefox(executable) {
  const puppeteer = require("../../web/node_modules/puppeteer-core");
  const browser = await puppeteer.launch({ browser: "firefox", executablePath: executable,
                                           headless: true, protocol: "webDriverBiDi" });
  return {
    version: await browser.version(),
    async open(url, { width = 1280, height = 800 } = {}) {
      const page = await browser.newPage();
      await page.setViewport({ width, height });
      const errors = [];
      page.on("pageerror", (error) => errors.push(error.message));
      await page.goto(url);
      return {
        errors,
        evaluate: (fn, ...args) => page.evaluate(fn, ...args),
        waitFor: (fn, arg) => page.waitForFunction(fn, { timeout: TIMEOUT }, arg),
        keys: (text) => page.keyboard.type(text),
        click: (selector) => page.click(selector),
        // The page may ask before it leaves a round (beforeunload): the reload goes ahead.
        async reload() {
          const accept = (dialog) => dialog.accept();
          page.on("dialog", accept);
          await page.reload().finally(() => page.off("dialog", accept));
        },
        close: () => page.close(),
      };
    },
    close: () => browser.close(),
  };
}

async function chromium(executable) {
  const { chromium: engine } = require("../../web/node_modules/playwright-core");
  const browser = await engine.launch({ executablePath: executable,
                                        args: require("./site_server.js").CHROMIUM_ARGS });
  return {
    version: `Chromium ${browser.version()}`,
    async open(url, { width = 1280, height = 800 } = {}) {
      const page = await (await browser.newContext({ viewport: { width, height } })).newPage();
      const errors = [];
      page.on("pageerror", (error) => errors.push(error.message));
      await page.goto(url);
      return {
        errors,
        // playwright hands a function one argument: the call goes over as an expression.
        evaluate: (fn, ...args) => page.evaluate(`(${fn})(...${JSON.stringify(args)})`),
        waitFor: (fn, arg) => page.waitForFunction(fn, arg, { timeout: TIMEOUT }),
        keys: (text) => page.keyboard.type(text),
        click: (selector) => page.click(selector),
        reload: () => page.reload(),
        close: () => page.context().close(),
      };
    },
    close: () => browser.close(),
  };
}

// A port that was free a moment ago, for the driver to listen on.
function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer().once("error", reject);
    server.listen(0, "127.0.0.1", () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

// Resolves once the child has written its first line to the pipe at fd 3 (Xvfb's display).
function firstLine(child) {
  return new Promise((resolve, reject) => {
    child.once("exit", (code) => reject(new Error(`exited with ${code} before it was ready`)));
    child.stdio[3].once("data", (data) => resolve(String(data).trim()));
  });
}

// Resolves once something accepts connections on the port, polling as a driver's wait does.
async function listening(port) {
  for (const started = Date.now(); ; ) {
    const open = await new Promise((resolve) => {
      const socket = net.connect(port, "127.0.0.1", () => socket.end(() => resolve(true)));
      socket.once("error", () => resolve(false));
    });
    if (open) return;
    if (Date.now() - started > TIMEOUT) throw new Error(`nothing listens on port ${port}`);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

// A display of its own from Xvfb: resolves to the Xvfb process, its name in display.name.
async function virtualDisplay(xvfb) {
  const display = spawn(xvfb, ["-displayfd", "3", "-screen", "0", "1600x1200x24", "-nolisten",
                              "tcp"], { stdio: ["ignore", "ignore", "inherit", "pipe"] });
  display.name = `:${await firstLine(display)}`;
  return display;
}

async function webkit(driverProgram, xvfb, miniBrowser) {
  const { Builder, By, Key } = require("../../web/node_modules/selenium-webdriver");
  const display = await virtualDisplay(xvfb);
  const env = { ...process.env, DISPLAY: display.name };
  const port = await freePort();
  const server = spawn(driverProgram, [`--port=${port}`], { stdio: "ignore", env });
  const stop = () => { server.kill(); display.kill(); };
  try {
    await listening(port);
    const driver = await new Builder().usingServer(`http://127.0.0.1:${port}`)
      .withCapabilities({ browserName: "MiniBrowser", "webkitgtk:browserOptions":
                            { binary: miniBrowser, args: ["--automation"] } })
      .build();
    const version = (await (await driver.getCapabilities()).get("browserVersion")) ?? "";
    const script = (fn) => `return (${fn}).apply(null, arguments);`;
    const evaluate = (fn, ...args) => driver.executeScript(script(fn), ...args);
    return {
      version: `WebKitGTK ${version}`,
      async open(url, { width = 1280, height = 800 } = {}) {
        await driver.get(url);
        // The window's size includes its frame and toolbar; the page sees the new size a
        // little after the driver has set it.
        const frame = await evaluate(() => [window.outerWidth - window.innerWidth,
                                             window.outerHeight - window.innerHeight]);
        await driver.manage().window().setRect({ width: width + frame[0], height: height + frame[1] });
        await driver.wait(() => evaluate((w, h) => window.innerWidth === w && window.innerHeight === h,
                                         width, height), TIMEOUT)
          .catch(async (error) => {
            const got = await evaluate(() => `${window.innerWidth}×${window.innerHeight}`);
            throw new Error(`the page is ${got}, not ${width}×${height}: ${error.message}`);
          });
        return {
          errors: [],
          evaluate,
          waitFor: (fn, arg) => driver.wait(() => evaluate(fn, arg), TIMEOUT),
          keys: (text) => driver.actions().sendKeys(...text.split(/(\n)/).filter(Boolean)
            .map((part) => (part === "\n" ? Key.ENTER : part))).perform(),
          click: (selector) => driver.findElement(By.css(selector)).click(),
          reload: () => driver.navigate().refresh(),
          close: async () => {},
        };
      },
      async close() {
        await driver.quit().finally(stop);
      },
    };
  } catch (error) {
    stop();
    throw error;
  }
}

// The engine that ENGINE names (chromium, firefox or webkit), with the tools the environment
// names for it: CHROMIUM, FIREFOX, or WEBKIT_DRIVER, XVFB and MINIBROWSER.
function engine(env = process.env) {
  if (env.ENGINE === "chromium") return chromium(env.CHROMIUM);
  if (env.ENGINE === "firefox") return firefox(env.FIREFOX);
  return webkit(env.WEBKIT_DRIVER, env.XVFB, env.MINIBROWSER);
}

// For a test file: the engine of the environment, and the site folder SITE served on 127.0.0.1,
// opened before the file's tests and closed after them; their browser and server are set once
// the tests run.
function engineAndSite() {
  const { after, before } = require("node:test");
  const { serveSite } = require("./site_server.js");
  const opened = { browser: null, server: null };
  before(async () => {
    opened.browser = await engine();
    opened.server = await serveSite(require("node:path").resolve(process.env.SITE));
  });
  after(async () => {
    await opened.browser?.close();
    opened.server?.close();
  });
  return opened;
}

module.exports = { chromium, engine, engineAndSite, firefox, virtualDisplay, webkit };
