// The worksheet printed to A4 in one engine (ENGINE is chromium, firefox or webkit) and read
// back page by page: what stands on which page, the label on each, every word inside the
// margins, the arrows of each solution one under the other. Run with node --test; SITE is the
// site folder, PDFTOTEXT the reader, and CHROMIUM, FIREFOX or XVFB (with GI_PYTHON, a python3
// that has gi and WebKit2 4.1) the engine's tools.
"use strict";

const assert = require("node:assert");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { after, before, test } = require("node:test");
const { printer, readBack } = require("./print.js");
const { serveSite } = require("./site_server.js");

const SITE = path.resolve(process.env.SITE);
const ENGINE = process.env.ENGINE;
const MM = 72 / 25.4; // points in a millimetre
const TOLERANCE = 1 * MM;

let engine;
let server;
let work;
before(async () => {
  engine = await printer(ENGINE);
  server = await serveSite(SITE);
  work = fs.mkdtempSync(path.join(os.tmpdir(), "print-test-"));
});
after(async () => {
  await engine?.close();
  server?.close();
  if (work) fs.rmSync(work, { recursive: true, force: true });
});

// Each sheet printed once, when a test first asks for it.
const prints = new Map();
function printed(query) {
  if (!prints.has(query)) {
    prints.set(query, (async () => {
      const file = path.join(work, `sheet-${prints.size}.pdf`);
      const errors = await engine.print(`${server.origin}arbeitsblatt.html${query}`, ".page", file);
      assert.deepStrictEqual(errors, []);
      return readBack(file);
    })());
  }
  return prints.get(query);
}

// The margins in millimetres, [top and bottom, left and right], as the stylesheet sets them:
// those of @page and, inside them, the padding of each page.
function margins() {
  const css = fs.readFileSync(path.join(SITE, "arbeitsblatt.css"), "utf8");
  const pair = (value) => {
    const [y, x = y] = value.trim().split(/\s+/).map((length) => parseFloat(length));
    return [y, x];
  };
  const page = pair(css.match(/@page\s*{[^}]*\bmargin:\s*([^;]+);/)[1]);
  const inside = pair(css.match(/\n\.page\s*{[^}]*\bpadding:\s*([^;]+);/)[1]);
  return [page[0] + inside[0], page[1] + inside[1]];
}

const headings = (text, pattern) => [...text.matchAll(pattern)].map((m) => Number(m[1]));
const range = (n) => Array.from({ length: n }, (_, i) => i + 1);
const isKey = (page) => page.text.includes("Lösungen") || / Aufgabe \d+: /.test(page.text);

// The key's headings on a page, each with the arrows of its working: an arrow belongs to the
// nearest heading above it in its column.
function solutionsOn(page) {
  const solutions = page.words
    .filter((word, i) => word.text === "Aufgabe" && /^\d+:$/.test(page.words[i + 1]?.text))
    .map((word) => ({ word, number: parseInt(page.words[page.words.indexOf(word) + 1].text, 10),
                      arrows: [] }));
  for (const arrow of page.words.filter((word) => word.text === "→")) {
    const left = solutions.filter(({ word }) => word.xMin <= arrow.xMin + 0.5);
    const column = Math.max(...left.map(({ word }) => word.xMin));
    const above = left.filter(({ word }) => column - word.xMin < 1 && word.yMin < arrow.yMin);
    above.sort((a, b) => b.word.yMin - a.word.yMin)[0]?.arrows.push(arrow);
  }
  return solutions;
}

// The labels are those of these codes in every engine: the same code gives the same sheet.
const SHORT = { query: "?code=K7QM4XA2&anzahl=8", label: "Blatt 6G4X", count: 8,
                pages: 2 };
const LONG = { query: "?code=HJKMNPQR&anzahl=30&art=arbeit", label: "Blatt 6YLF",
               count: 30, pages: 6 };

const CASES = [
  ["8 problems and the name lines on page 1, the key on page 2", [SHORT], (pages) => {
    assert.match(pages[0].text, /^ ?Blatt 6G4X Name: Klasse: Datum: Umgekehrter /);
    assert.deepStrictEqual(headings(pages[0].text, /Aufgabe (\d+) /g), range(8));
    assert.strictEqual(pages[0].text.match(/Antwort:/g).length, 8);
    assert.ok(!isKey(pages[0]));
    assert.match(pages[1].text, /^ ?Blatt 6G4X · Code: K7QM4XA2 Lösungen Aufgabe 1: \d+ /);
  }],
  ["as many pages as on screen, each with the label at its head", [SHORT, LONG],
    (pages, sheet) => {
      assert.strictEqual(pages.length, sheet.pages);
      pages.forEach((page, index) => {
        assert.ok(page.text.trim().startsWith(`${sheet.label} `), `page ${index + 1}`);
        const top = Math.min(...page.words.map((word) => word.yMin));
        const head = page.words.find((word) => word.text === "Blatt");
        assert.ok(head.yMin - top < 1, `page ${index + 1}: the label is not at the head`);
      });
    }],
  ["the trainer's address on each pupil page, the sheet's on each page of the key",
    [SHORT, LONG], (pages, sheet) => pages.forEach((page, index) => {
      const address = isKey(page) ? `Dieses Blatt wieder erstellen: ${server.origin}`
                                  : `${server.origin}index.html`;
      // A long address may break after its "?", where pdftotext reads a blank.
      const text = page.text.replace(/\? /g, "?");
      assert.ok(text.includes(address), `page ${index + 1}: ${address}`);
      if (isKey(page)) assert.ok(text.includes(sheet.query), `page ${index + 1}`);
    })],
  ["every word inside the margins", [SHORT, LONG], (pages) => {
    const [y, x] = margins().map((length) => length * MM - TOLERANCE);
    pages.forEach((page, index) => {
      const outside = page.words.filter((word) => word.xMin < x || word.yMin < y ||
        word.xMax > page.width - x || word.yMax > page.height - y);
      assert.deepStrictEqual(outside.map((word) => word.text), [], `page ${index + 1}`);
      assert.ok(Math.abs(page.width - 210 * MM) < 1 && Math.abs(page.height - 297 * MM) < 1,
                `page ${index + 1} is ${page.width}×${page.height} points, not A4`);
    });
  }],
  ["each solution whole on one page, its three arrows one under the other", [SHORT, LONG],
    (pages, sheet) => {
      const solutions = pages.filter(isKey).flatMap(solutionsOn);
      assert.deepStrictEqual(solutions.map(({ number }) => number).sort((a, b) => a - b),
                             range(sheet.count));
      for (const { number, arrows } of solutions) {
        assert.strictEqual(arrows.length, 3, `solution ${number}`);
        const xs = arrows.map((arrow) => arrow.xMin);
        assert.ok(Math.max(...xs) - Math.min(...xs) < 0.5, `solution ${number}: arrows at ${xs}`);
      }
    }],
  ["no problem split across pages, the key from a page of its own", [LONG], (pages) => {
    const first = pages.findIndex(isKey);
    assert.ok(first >= 3, `the key starts on page ${first + 1}`);
    const numbers = [];
    pages.slice(0, first).forEach((page, index) => {
      const on = headings(page.text, /Aufgabe (\d+) /g);
      assert.strictEqual(page.text.match(/Antwort:/g)?.length, on.length, `page ${index + 1}`);
      // Each problem's answer line below its heading, on the same page.
      const answers = page.words.filter((word) => word.text === "Antwort:");
      const tops = page.words
        .filter((word, i) => word.text === "Aufgabe" && /^\d+$/.test(page.words[i + 1]?.text));
      tops.forEach((top, k) => assert.ok(answers[k].yMin > top.yMin, `page ${index + 1}`));
      numbers.push(...on);
    });
    assert.deepStrictEqual(numbers, range(30));
    assert.ok(pages.slice(first).every((page) => !/Antwort:/.test(page.text)));
  }],
];

for (const [name, sheets, check] of CASES) {
  for (const sheet of sheets) {
    test(`${ENGINE}: ${name} (${sheet.query})`,
      async () => check(await printed(sheet.query), sheet));
  }
}
