// The worksheet's kept sheets in Firefox ESR or WebKitGTK (ENGINE), from file:// and over http:
// a reload shows the sheet made last, so that no key is lost. Run with node --test; SITE is the
// site folder, and FIREFOX, or WEBKIT_DRIVER, XVFB and MINIBROWSER, the engine's tools.
"use strict";

const assert = require("node:assert");
const path = require("node:path");
const { test } = require("node:test");
const { engineAndSite } = require("./browsers.js");

const SITE = path.resolve(process.env.SITE);
const ENGINE = process.env.ENGINE;
const opened = engineAndSite();

// The sheet on screen once it stands: its code, the status line and the entries listed.
async function shown(url) {
  const page = await opened.browser.open(url);
  await page.waitFor(() => document.querySelector(".page") !== null);
  const seen = await page.evaluate(() => ({
    code: document.getElementById("code").value,
    status: document.getElementById("status").textContent,
    listed: [...document.querySelectorAll("#kept-list a")].map((link) => link.textContent),
    label: document.title.replace(/ zum Dreisatz$/, ""),
  }));
  assert.deepStrictEqual(page.errors, []);
  await page.close();
  return seen;
}

for (const overHttp of [false, true]) {
  test(`${ENGINE}: a reload shows the sheet made last (${overHttp ? "http" : "file://"})`,
    async () => {
      const site = overHttp ? opened.server.origin : `file://${SITE}/`;
      const made = await shown(`${site}arbeitsblatt.html?anzahl=6&gruppen=2`);
      assert.strictEqual(made.status, `${made.label} mit 2 Gruppen zu je 6 Aufgaben erstellt.`);
      const again = await shown(`${site}arbeitsblatt.html`);
      assert.strictEqual(again.code, made.code);
      assert.match(again.status, new RegExp(`^${made.label} mit 2 Gruppen zu je 6 Aufgaben, ` +
                                            "zuletzt erstellt am .* ist wieder da\\.$"));
      assert.strictEqual(again.listed[0], made.label);
    });
}
