// The worksheet printed to A4 in one engine (ENGINE is chromium, firefox or webkit) and read
// back page by page: what stands on which page, the label, page number and name line on each,
// the room to work, no path of the teacher's disk, every word inside the margins, the arrows of
// each solution one under the other. Run with node --test; SITE is the
// site folder, PDFTOTEXT the reader, and CHROMIUM, FIREFOX or XVFB (with GI_PYTHON, a python3
// that has gi and WebKit2 4.1) the engine's tools.
"use strict";

const assert = require("node:assert");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { after, before, test } = require("node:test");
const { pathToFileURL } = require("node:url");
const { SEVEN_BIT } = require("./dialogue.js");
const { printer, readBack } = require("./print.js");
const { serveSite } = require("./site_server.js");

const SITE = path.resolve(process.env.SITE);
const ENGINE = process.env.ENGINE;
const MM = 72 / 25.4; // points in a millimetre
const TOLERANCE = 1 * MM;

let engine;
let server;
let work;
let disk; // the site in a folder of the teacher's, as a stick or a download folder has it
before(async () => {
  engine = await printer(ENGINE);
  server = await serveSite(SITE);
  work = fs.mkdtempSync(path.join(os.tmpdir(), "print-test-"));
  disk = path.join(work, "Mathe 7b Arbeitsblätter");
  fs.cpSync(SITE, disk, { recursive: true });
});
after(async () => {
  await engine?.close();
  server?.close();
  if (work) fs.rmSync(work, { recursive: true, force: true });
});

// Each sheet printed once, when a test first asks for it.
const prints = new Map();
function printed(query, fromDisk = false) {
  const key = `${fromDisk}${query}`;
  if (!prints.has(key)) {
    prints.set(key, (async () => {
      const file = path.join(work, `sheet-${prints.size}.pdf`);
      const site = fromDisk ? `${pathToFileURL(disk).href}/` : server.origin;
      const errors = await engine.print(`${site}arbeitsblatt.html${query}`, ".page", file);
      assert.deepStrictEqual(errors, []);
      return readBack(file);
    })());
  }
  return prints.get(key);
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

// A page's pupil's lines of the group: the page number, the name line.
const isPupil = (page) => /Antwort:/.test(page.text);

// The labels are those of these codes in every engine: the same code gives the same sheet.
// Sheets of ten-letter codes, as keys printed before the models printed them, and a mixed test
// of four groups of an eleven-letter code.
const SHORT = { query: "?code=AAWNEN6DW4&loesungen=mit", label: "Blatt X8LQ", count: 8,
                code: "AAWNE-N6DW4", pupilPages: [3], keyPages: 1 };
const LONG = { query: "?code=85RA9H4PKY&loesungen=mit", label: "Blatt GRML", count: 30,
               code: "85RA9-H4PKY", pupilPages: [8], keyPages: 2 };
const TEST = { query: "?code=4YPJADDBUM&titel=Klassenarbeit%20Nr.%202&punkte=2",
               label: "Blatt N88U", count: 5, pupilPages: [2, 2], keyPages: 0 };
const DISK = { query: "?code=AAWNEN6DW4&loesungen=mit", fromDisk: true, label: "Blatt X8LQ",
               count: 8, pupilPages: [3], keyPages: 1 };
const MIXED = { query: "?code=AABLCME9LR7&loesungen=mit&titel=Klassenarbeit%20Nr.%203",
                label: "Blatt G8VV", count: 8, code: "AABL-CME9-LR7", groups: 4,
                pupilPages: [3, 3, 3, 3], keyPages: 3 };

const CASES = [
  ["the pupils' pages first, each numbered within its group with the name line, then the key",
    [SHORT, LONG, TEST, MIXED], (pages, sheet) => {
      const pupil = pages.filter(isPupil);
      assert.strictEqual(pages.length, pupil.length + sheet.keyPages);
      assert.deepStrictEqual(pages.map(isPupil), pages.map((_, i) => i < pupil.length));
      const numbers = pupil.map((page) => page.text.match(/Seite (\d+) von (\d+)/).slice(1));
      const expected = sheet.pupilPages.flatMap((n) => range(n).map((i) => [`${i}`, `${n}`]));
      assert.deepStrictEqual(numbers, expected);
      pupil.forEach((page, index) => ["Name:", "Klasse:", "Datum:"].forEach((field) =>
        assert.ok(page.text.includes(field), `page ${index + 1}: ${field}`)));
    }],
  ["printed as it starts, a test carries no key: no code, no solution", [TEST], (pages) => {
    for (const page of pages) assert.doesNotMatch(page.text, /Lösungen|Code|4YPJA|→/);
  }],
  ["the title and the total on each group's first page, the points at each answer", [TEST],
    (pages) => {
      const pupil = pages.filter(isPupil);
      const firsts = pupil.filter((page) => /Seite 1 von/.test(page.text));
      assert.strictEqual(firsts.length, 2);
      for (const page of pupil) {
        const first = firsts.includes(page);
        assert.strictEqual(page.text.includes("Klassenarbeit Nr. 2"), first);
        assert.strictEqual(/Punkte: von 10/.test(page.text), first, page.text);
        assert.strictEqual(page.text.match(/Antwort:/g).length,
                           page.text.match(/von 2 P\./g).length);
      }
    }],
  ["at least 30 mm to work between each problem and its answer line", [SHORT, LONG, TEST, MIXED],
    (pages) => pages.filter(isPupil).forEach((page, index) => {
      for (const answer of page.words.filter((word) => word.text === "Antwort:")) {
        const above = Math.max(...page.words.filter((word) => word.yMax < answer.yMin - 1)
          .map((word) => word.yMax));
        const room = (answer.yMin - above) / MM;
        assert.ok(room >= 30, `page ${index + 1}: ${room.toFixed(1)} mm above an answer`);
      }
    })],
  ["the key's head names the code, the title and every choice", [SHORT, LONG, MIXED],
    (pages, sheet) => {
      const key = pages.filter(isKey);
      assert.strictEqual(key.length, sheet.keyPages);
      key.forEach((page) => assert.ok(page.text.includes(`Code: ${sheet.code}`), page.text));
      const { title, choices } = {
        [SHORT.label]: { title: "Lösungen: Umgekehrter Dreisatz", choices: "8 Aufgaben je Gruppe " +
          "· beide Arten · 1 Gruppe · ohne Taschenrechner · nur umgekehrt proportional" },
        [LONG.label]: { title: "Lösungen: Umgekehrter Dreisatz", choices: "30 Aufgaben je " +
          "Gruppe · nur Arbeit · 1 Gruppe · mit Taschenrechner · nur umgekehrt proportional" },
        [MIXED.label]: { title: "Lösungen: Klassenarbeit Nr. 3", choices: "8 Aufgaben je " +
          "Gruppe · beide Arten · 4 Gruppen · ohne Taschenrechner · Zusammenhang gemischt" },
      }[sheet.label];
      assert.ok(key[0].text.includes(`${title} ${choices}`), key[0].text);
    }],
  ["each page with the label at its head", [SHORT, LONG, TEST, DISK, MIXED], (pages, sheet) => {
    pages.forEach((page, index) => {
      assert.ok(page.text.includes(sheet.label), `page ${index + 1}`);
      const top = Math.min(...page.words.map((word) => word.yMin));
      const head = page.words.find((word) => word.text === "Blatt");
      assert.ok(head.yMin - top < 1, `page ${index + 1}: the label is not at the head`);
    });
  }],
  ["over the web the trainer's address on each pupil page, the sheet's on each page of the key",
    [SHORT, LONG, MIXED], (pages, sheet) => pages.forEach((page, index) => {
      const address = isKey(page) ? `Dieses Blatt wieder erstellen: ${server.origin}`
                                  : `${server.origin}index.html`;
      // A long address may break after its "?", where pdftotext reads a blank.
      const text = page.text.replace(/\? /g, "?");
      assert.ok(text.includes(address), `page ${index + 1}: ${address}`);
      if (isKey(page)) assert.ok(text.includes(sheet.query.slice(0, 16)), `page ${index + 1}`);
    })],
  ["opened from a folder on the disk, no page prints its path", [DISK], (pages) => {
    assert.strictEqual(pages.length, 4);
    for (const page of pages) assert.doesNotMatch(page.text, /file:|Mathe|Arbeitsblätter|%C3|print-test/);
    assert.match(pages.at(-1).text, /Dieses Blatt wieder erstellen: den Code AAWNE-N6DW4 /);
  }],
  ["the problems and the key in correct German, as the trainer writes them", [SHORT, LONG, MIXED],
    (pages) => {
      const text = pages.map((page) => page.text).join(" ");
      assert.doesNotMatch(text, SEVEN_BIT);
      assert.match(text, /Wie viele /);
      assert.match(text, / → 1 · | 1 \p{L}+ → /u);
    }],
  // Each problem of a mixed test with its three relations to tick, each solution with the one
  // that holds; every group's solutions under the group's name.
  ["a mixed test asks for the relation at each problem, and its key names it", [MIXED],
    (pages, sheet) => {
      const all = (texts, pattern) => texts.join(" ").match(pattern)?.length ?? 0;
      const pupil = pages.filter(isPupil).map((page) => page.text);
      const key = pages.filter(isKey).map((page) => page.text);
      const problems = sheet.groups * sheet.count;
      assert.strictEqual(all(pupil, /Aufgabe \d+ /g), problems);
      assert.strictEqual(all(pupil, /Je mehr [^,]+, desto /g), 2 * problems);
      assert.strictEqual(all(pupil, /Das hängt nicht von der Anzahl der /g), problems);
      assert.ok(pupil.every((text) => text.includes("Kreuze") === /Seite 1 von/.test(text)));
      assert.strictEqual(all(key, /Zusammenhang: (je mehr|Das hängt nicht)/g), problems);
      assert.ok(all(key, /Zusammenhang: Das hängt nicht/g) > 0, "no constant problem");
      assert.deepStrictEqual(key.join(" ").match(/Gruppe [A-D](?! \(Fortsetzung\))/g),
                             ["Gruppe A", "Gruppe B", "Gruppe C", "Gruppe D"]);
    }],
  ["every word inside the margins", [SHORT, LONG, TEST, MIXED], (pages) => {
    const [y, x] = margins().map((length) => length * MM - TOLERANCE);
    pages.forEach((page, index) => {
      const outside = page.words.filter((word) => word.xMin < x || word.yMin < y ||
        word.xMax > page.width - x || word.yMax > page.height - y);
      assert.deepStrictEqual(outside.map((word) => word.text), [], `page ${index + 1}`);
      assert.ok(Math.abs(page.width - 210 * MM) < 1 && Math.abs(page.height - 297 * MM) < 1,
                `page ${index + 1} is ${page.width}×${page.height} points, not A4`);
    });
  }],
  // A constant problem's working has two lines, the others three.
  ["each solution whole on one page, its arrows one under the other", [SHORT, LONG, MIXED],
    (pages, sheet) => {
      const key = pages.filter(isKey);
      const solutions = key.flatMap(solutionsOn);
      const groups = sheet.groups ?? 1;
      assert.deepStrictEqual(solutions.map(({ number }) => number).sort((a, b) => a - b),
                             range(sheet.count).flatMap((n) => Array(groups).fill(n)));
      const constant = key.map((page) => page.text).join(" ")
        .match(/Zusammenhang: Das hängt nicht/g)?.length ?? 0;
      assert.strictEqual(solutions.filter(({ arrows }) => arrows.length === 2).length, constant);
      for (const { number, arrows } of solutions) {
        assert.ok([2, 3].includes(arrows.length), `solution ${number}: ${arrows.length} arrows`);
        const xs = arrows.map((arrow) => arrow.xMin);
        assert.ok(Math.max(...xs) - Math.min(...xs) < 0.5, `solution ${number}: arrows at ${xs}`);
      }
    }],
  ["no problem split across pages, each numbered once in order", [LONG], (pages) => {
    const numbers = [];
    pages.filter(isPupil).forEach((page, index) => {
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
  }],
];

for (const [name, sheets, check] of CASES) {
  for (const sheet of sheets) {
    test(`${ENGINE}: ${name} (${sheet.fromDisk ? "file://" : ""}${sheet.query})`,
      async () => check(await printed(sheet.query, sheet.fromDisk), sheet));
  }
}
