// The worksheet's kept sheets in Firefox ESR or WebKitGTK (ENGINE), from file:// and over http:
// a reload shows the tab's sheet, a new visit a new one, and the list the last, so that no key
// is lost and none is shown to whoever comes next. Run with node --test; SITE is the
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
const seen = (page) => page.evaluate(() => ({
  code: document.getElementById("code").value,
  status: document.getElementById("status").textContent,
  listed: [...document.querySelectorAll("#kept-list a")].map((link) => link.textContent),
  label: document.title.replace(/ zum Dreisatz$/, ""),
}));

for (const overHttp of [false, true]) {
  test(`${ENGINE}: a new visit shows a new sheet, a reload the tab's own, the list the last one ` +
       `(${overHttp ? "http" : "file://"})`, async () => {
    const site = overHttp ? opened.server.origin : `file://${SITE}/`;
    const page = await opened.browser.open(`${site}arbeitsblatt.html?anzahl=6&gruppen=2`);
    await page.waitFor(() => document.querySelector(".page") !== null);
    const made = await seen(page);
    assert.strictEqual(made.status, `${made.label} mit 2 Gruppen zu je 6 Aufgaben erstellt.`);
    await page.reload();
    await page.waitFor(() => document.querySelector(".page") !== null);
    const again = await seen(page);
    assert.strictEqual(again.code, made.code);
    assert.match(again.status, new RegExp(`^${made.label} mit 2 Gruppen zu je 6 Aufgaben, ` +
                                          "zuletzt erstellt am .* ist wieder da\\.$"));
    await page.close();

    // Another visit, as by the trainer's link: a new entry in the tab's history.
    await (await opened.browser.open(`${site}index.html`)).close();
    const visit = await opened.browser.open(`${site}arbeitsblatt.html`);
    await visit.waitFor(() => document.querySelector(".page") !== null);
    const fresh = await seen(visit);
    assert.notStrictEqual(fresh.code, made.code);
    assert.deepStrictEqual(fresh.listed.slice(0, 2), [fresh.label, made.label]);
    await visit.click("#kept-list li:nth-child(2) a");
    await visit.waitFor((label) => document.title === `${label} zum Dreisatz`, made.label);
    assert.strictEqual((await seen(visit)).code, made.code);
    assert.deepStrictEqual([...page.errors, ...visit.errors], []);
    await visit.close();
  });
}
