// The worksheet page in headless Chromium: printed to A4 with page.pdf and read back page by
// page with pdftotext (poppler-utils), from file:// and over http on 127.0.0.1. Run with
// node --test; SITE is the site folder, CHROMIUM the browser, PDFTOTEXT the reader.
"use strict";

const assert = require("node:assert");
const { execFileSync } = require("node:child_process");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { after, before, test } = require("node:test");
const { chromium } = require("../../web/node_modules/playwright-core");
const { CHROMIUM_ARGS, accessibilityViolations, serveSite } = require("./site_server.js");

const SITE = path.resolve(process.env.SITE);
let browser;
let server;
let work;
before(async () => {
  browser = await chromium.launch({ executablePath: process.env.CHROMIUM, args: CHROMIUM_ARGS });
  server = await serveSite(SITE);
  work = fs.mkdtempSync(path.join(os.tmpdir(), "worksheet-test-"));
});
after(async () => {
  await browser.close();
  server.close();
  fs.rmSync(work, { recursive: true, force: true });
});

// The page with a finished sheet; every test also checks that the page made no foreign request
// and logged no error (the CSP would log one).
async function open(query, overHttp = false) {
  const site = overHttp ? server.origin : `file://${SITE}/`;
  const context = await browser.newContext();
  const page = await context.newPage();
  const problems = [];
  page.on("request", (request) => request.url().startsWith(site) ||
    request.url().startsWith("data:") || problems.push(request.url()));
  page.on("console", (message) => message.type() === "error" && problems.push(message.text()));
  page.on("pageerror", (error) => problems.push(error.message));
  await page.goto(`${site}arbeitsblatt.html${query}`);
  await page.waitForSelector(".page"); // the sheet stands, whichever way it prints
  page.done = async () => {
    assert.deepStrictEqual(problems, []);
    await context.close();
  };
  return page;
}

// Blanks, line ends and the no-break blank before a question mark alike as one blank.
const flat = (text) => text.replace(/\s+/g, " ");

// The printed sheet as the text of each page.
async function printed(page) {
  const file = path.join(work, "sheet.pdf");
  await page.pdf({ path: file, preferCSSPageSize: true });
  const reader = process.env.PDFTOTEXT || "pdftotext";
  const text = execFileSync(reader, [file, "-"], { encoding: "utf8" });
  return text.split("\f").slice(0, -1).map(flat);
}

// The sheet on screen: each problem as its heading and sentences, each solution as its heading
// and its three lines of working.
const sheetOf = (page) => page.evaluate(() => ({
  code: document.getElementById("code").value,
  label: document.title.replace(/ zum Dreisatz$/, ""),
  address: document.querySelector(".key-page")?.textContent.match(/\S*arbeitsblatt\.html\S*/)?.[0],
  problems: [...document.querySelectorAll(".task")]
    .map((task) => [...task.children].map((part) => part.textContent)),
  solutions: [...document.querySelectorAll(".solution")].map((item) => {
    const parts = [...item.querySelectorAll(".working span")].map((span) => span.textContent);
    const lines = [0, 3, 6].map((at) => parts.slice(at, at + 3).join(" "));
    return [item.querySelector("h3").textContent, ...lines];
  }),
}));

const headings = (text, pattern) => [...text.matchAll(pattern)].map((m) => Number(m[1]));
const range = (n) => Array.from({ length: n }, (_, i) => i + 1);

// A short sheet as well: its solutions too begin on a page of their own.
for (const count of [8, 2]) {
  test(`a sheet of ${count} prints its problems on page 1 and the solutions from page 2`,
    async () => {
      const page = await open(`?code=K7QM4XA2&anzahl=${count}`);
      const { label } = await sheetOf(page);
      const pages = await printed(page);
      assert.ok(pages[0].startsWith(`${label} Name: Klasse: Datum: Umgekehrter Dreisatz `),
                pages[0]);
      assert.deepStrictEqual(headings(pages[0], /Aufgabe (\d+) /g), range(count));
      assert.strictEqual(pages[0].match(/Antwort:/g).length, count);
      assert.doesNotMatch(pages[0], /Lösungen/);
      assert.ok(pages[1].startsWith(`${label} · Code: K7QM4XA2 Lösungen Aufgabe 1: `),
                pages[1]);
      // Two columns of solutions, which pdftotext reads across.
      const solved = headings(pages.slice(1).join(" "), /Aufgabe (\d+): /g);
      assert.deepStrictEqual(solved.sort((a, b) => a - b), range(count));
      await page.done();
    });
}

test("a sheet of 30 of one kind splits no problem across pages and numbers every page",
  async () => {
    const page = await open("?code=HJKMNPQR&anzahl=30&art=arbeit");
    const { label, problems, solutions } = await sheetOf(page);
    const pages = await printed(page);
    const first = pages.findIndex((text) => text.includes("Lösungen"));
    assert.ok(first >= 3, `the key starts on page ${first + 1}`);
    // Each problem and its answer line on the page of its heading; no page without a number.
    const problemPage = [];
    pages.forEach((text, index) => {
      assert.ok(text.startsWith(`${label} `), `page ${index + 1}`);
      const on = headings(text, /Aufgabe (\d+) /g);
      on.forEach((k) => { problemPage[k] = index; });
      if (index < first) assert.strictEqual(text.match(/Antwort:/g)?.length, on.length);
    });
    problems.forEach(([heading, ...sentences], i) => {
      assert.strictEqual(heading, `Aufgabe ${i + 1}`);
      assert.match(sentences[0], /^Eine Gruppe von /, "only work problems");
      sentences.forEach((s) => assert.ok(pages[problemPage[i + 1]].includes(flat(s)),
                                         `problem ${i + 1}, "${s}"`));
    });
    // Each solution's heading and the results of its working on one page.
    solutions.forEach((solution, i) => {
      const page = pages.slice(first).find((text) => text.includes(`Aufgabe ${i + 1}: `));
      for (const line of solution.slice(2)) {
        assert.ok(page.includes(line.match(/= \d+ \w+$/)[0]), line);
      }
    });
    assert.strictEqual(problemPage.filter((p) => p < first).length, 30);
    await page.done();
  });

test("the same code gives the same sheet, typed in over http as from file://", async () => {
  const fromFile = await open("?code=K7QM4XA2&anzahl=12&art=vorrat");
  const first = await sheetOf(fromFile);
  await fromFile.done();

  const page = await open("", true);
  const drawn = await sheetOf(page);
  assert.match(drawn.code, /^[A-HJ-NP-Z2-9]{8}$/, "a drawn code");
  await page.fill("#count", "12");
  await page.check("input[value=vorrat]");
  await page.fill("#code", "k7qm-4xa2"); // as it may be typed from the key
  await page.click("button[type=submit]");
  await page.waitForFunction((label) => document.title === `${label} zum Dreisatz`, first.label);
  const typed = await sheetOf(page);
  assert.deepStrictEqual({ ...typed, code: "", address: "" }, { ...first, code: "", address: "" });
  assert.strictEqual(new URL(typed.address).search, new URL(first.address).search);
  assert.strictEqual(first.problems.length, 12);
  assert.ok(first.problems.every(([, sentence]) => / kommen mit /.test(sentence)), "only supply");

  await page.fill("#code", "K7QM4XA3");
  await page.waitForFunction((label) => document.title !== `${label} zum Dreisatz`, first.label);
  assert.notDeepStrictEqual((await sheetOf(page)).problems, first.problems);
  await page.done();
});

// With both kinds, each sheet as even as it can be, and no problem twice.
test("both kinds differ by at most one on every sheet, and no problem repeats", async () => {
  for (const [number, count] of [["AAAAAAAA", 8], ["22222222", 8], ["K7QM4XA2", 8],
                                 ["ZZZZ9999", 7], ["HJKMNPQR", 30], ["23456789", 1],
                                 ["STUVWXYZ", 2], ["BCDEFGHA", 15]]) {
    const page = await open(`?code=${number}&anzahl=${count}&art=beide`);
    const { problems } = await sheetOf(page);
    const work = problems.filter(([, first]) => first.startsWith("Eine Gruppe von ")).length;
    assert.ok(Math.abs(2 * work - count) <= 1, `sheet ${number}: ${work} of ${count} work`);
    const texts = problems.map(([, ...sentences]) => sentences.join(" "));
    assert.strictEqual(new Set(texts).size, count, `sheet ${number}`);
    await page.done();
  }
});

// The address's values in the fields and the sheet, its notes in the status line; each value
// and note on its own is checked under Node (tests/page/sheet_choices.test.mjs).
const ADDRESSES = [
  ["?code=K7QM4XA2&anzahl=40", "Anzahl 40 geht nicht (1 bis 30): 8 Aufgaben.", "K7QM4XA2", 8],
  ["?code=K7QM4XA&anzahl=5",
    /^Code K7QM4XA geht nicht \(8 Zeichen, A bis Z ohne I und O, 2 bis 9\): ([A-Z2-9]{8})\. /,
    null, 5],
  ["?blatt=2026&anzahl=5",
    /^Blatt 2026 gibt es nicht mehr \(Blätter haben einen Code\): neuer Code ([A-Z2-9]{8})\. /,
    null, 5],
  ["?code=k7qm-4xa2&anzahl=3", /^Blatt [A-Z2-9]{4} mit 3 Aufgaben erstellt\.$/, "K7QM4XA2", 3],
  ["?code=K7QM4XA2&gruppen=7", "Gruppen 7 geht nicht (1 bis 6): 1 Gruppe.", "K7QM4XA2", 8],
];

for (const [query, note, code, count] of ADDRESSES) {
  test(`the address ${query.slice(0, 40)} gives the sheet its fields show`, async () => {
    const page = await open(query);
    const status = await page.textContent("#status");
    if (typeof note === "string") assert.ok(status.startsWith(`${note} `), status);
    else assert.match(status, note);
    const { code: shown, label, problems } = await sheetOf(page);
    assert.strictEqual(shown, code ?? status.match(note)[1]);
    assert.strictEqual(await page.title(), `${label} zum Dreisatz`);
    assert.strictEqual(await page.inputValue("#count"), String(count));
    assert.strictEqual(problems.length, count);
    await page.done();
  });
}

// Each way to print, told apart page by page: the pupils' pages by their answer lines, the
// key's by its heading. Only the key carries the code and the address that remakes the sheet.
const MODES = [
  ["mit", 1, 1],
  ["ohne", 1, 0],
  ["nur", 0, 1],
];

for (const [mode, pupilPages, keyPages] of MODES) {
  test(`printed ${mode} Lösungen: ${pupilPages} page of problems, ${keyPages} of the key`,
    async () => {
      const page = await open(`?code=K7QM4XA2&anzahl=8&loesungen=${mode}`);
      const { label, address } = await sheetOf(page);
      const pages = await printed(page);
      const pupil = pages.filter((text) => text.includes("Antwort:"));
      const key = pages.filter((text) => text.includes("Lösungen"));
      assert.deepStrictEqual([pupil.length, key.length, pages.length],
                             [pupilPages, keyPages, pupilPages + keyPages]);
      for (const text of pages) assert.ok(text.includes(label), text);
      for (const text of pupil) {
        assert.match(text, /Name: Klasse: Datum:/);
        assert.doesNotMatch(text, /K7QM4XA2|code=/);
      }
      for (const text of key) {
        assert.doesNotMatch(text, /Name:|Antwort:/);
        assert.match(text, /K7QM4XA2/);
      }
      assert.strictEqual(address, keyPages ? `file://${SITE}/arbeitsblatt.html` +
        `?code=K7QM4XA2&anzahl=8&art=beide&gruppen=1&loesungen=${mode}` : undefined);
      await page.done();
    });
}

// What a pupil can see: the printed pages of problems, the page's title and its address. None
// of them carries the code, so none remakes the sheet or its key.
for (const overHttp of [false, true]) {
  test(`the pupils' pages, the title and the address bar never show the code (${
    overHttp ? "http" : "file://"})`, async () => {
    const page = await open("?code=K7QM4XA2&anzahl=8&gruppen=2", overHttp);
    const { label } = await sheetOf(page);
    assert.match(label, /^Blatt [A-HJ-NP-Z2-9]{4}$/);
    const seen = await page.evaluate(() => [location.href, document.title,
      ...[...document.querySelectorAll(".pupil-page")].map((part) => part.textContent)]);
    assert.ok(seen.length >= 4);
    for (const text of seen) assert.doesNotMatch(text, /K7QM4XA2|code=/i, text);
    assert.match(seen[0], /\?anzahl=8&art=beide&gruppen=2&loesungen=mit$/);
    await page.done();
  });
}

// The pages of each group, read from the screen: the group its head names, and its problems.
const groupsOf = (page) => page.evaluate(() => {
  const groups = {};
  for (const part of document.querySelectorAll(".pupil-page")) {
    const name = part.querySelector(".page-head").textContent.match(/Gruppe [A-F]/)?.[0] ?? "";
    groups[name] ??= [];
    for (const task of part.querySelectorAll(".task")) {
      groups[name].push([...task.children].map((child) => child.textContent));
    }
  }
  const keys = [...document.querySelectorAll(".key-page .page-head")]
    .map((head) => head.textContent.match(/Gruppe [A-F]/)?.[0] ?? "");
  return { groups, keys };
});

test("each group has its own problems of the same mix, named on its pages and in the key",
  async () => {
    const page = await open("?code=K7QM4XA2&anzahl=7&gruppen=3");
    const { groups, keys } = await groupsOf(page);
    assert.deepStrictEqual(Object.keys(groups), ["Gruppe A", "Gruppe B", "Gruppe C"]);
    assert.deepStrictEqual([...new Set(keys)], ["Gruppe A", "Gruppe B", "Gruppe C"]);
    const all = Object.values(groups).flat().map(([, ...sentences]) => sentences.join(" "));
    assert.strictEqual(new Set(all).size, 21, "no problem in two groups");
    const mix = Object.entries(groups).map(([name, tasks]) => {
      assert.deepStrictEqual(tasks.map(([heading]) => heading),
                             [1, 2, 3, 4, 5, 6, 7].map((k) => `Aufgabe ${k}`), name);
      return tasks.filter(([, first]) => first.startsWith("Eine Gruppe von ")).length;
    });
    assert.ok(mix[0] === 3 || mix[0] === 4, `${mix[0]} of 7 work`);
    assert.deepStrictEqual(mix, [mix[0], mix[0], mix[0]], "the same mix in every group");
    const solutions = await page.evaluate(() => document.querySelectorAll(".solution").length);
    assert.strictEqual(solutions, 21);
    const pages = await printed(page);
    for (const text of pages) assert.match(text, /Gruppe [ABC]/);
    await page.done();

    // One code remakes every group: group A is the sheet of one group, more groups add to it.
    const one = await open("?code=K7QM4XA2&anzahl=7&gruppen=1");
    const single = await groupsOf(one);
    assert.deepStrictEqual(single.groups[""], groups["Gruppe A"]);
    await one.done();
  });

// Each pupil's page leads to the trainer: its address as text and as a QR code that a phone
// reads, both from where the sheet was opened.
for (const overHttp of [false, true]) {
  test(`each page of problems carries the trainer's address and its QR code (${
    overHttp ? "http" : "file://"})`, async () => {
    const page = await open("?code=K7QM4XA2&anzahl=12", overHttp);
    const trainer = await page.evaluate(() => new URL("index.html", location.href).href);
    const codes = page.locator(".pupil-page .trainer svg");
    assert.strictEqual(await codes.count(), 2);
    const texts = await page.locator(".pupil-page .trainer").allTextContents();
    for (const text of texts) assert.ok(text.includes(trainer), text);
    const image = path.join(work, "qr.png");
    await codes.last().screenshot({ path: image });
    const read = execFileSync(process.env.ZBARIMG || "zbarimg",
                              ["--raw", "-q", "-Sbinary", "--nodbus", image]);
    assert.strictEqual(read.toString("utf8").trim(), trainer);
    await page.done();
  });
}

test("the sheet follows each input at once, so that printing prints what is on screen",
  async () => {
    const page = await open("?code=K7QM4XA2&anzahl=8");
    await page.focus("#count");
    await page.keyboard.press("Control+A");
    await page.keyboard.type("3");
    await page.waitForFunction(() => document.querySelectorAll(".task").length === 3);
    assert.strictEqual(await page.evaluate(() => document.activeElement.id), "count");
    const pages = await printed(page);
    assert.deepStrictEqual(headings(pages[0], /Aufgabe (\d+) /g), range(3));
    // The key names the address that makes this very sheet again.
    const shown = await page.evaluate(() => document.querySelector(".address").textContent);
    assert.strictEqual(shown, `Dieses Blatt wieder erstellen: file://${SITE}/arbeitsblatt.html` +
                       "?code=K7QM4XA2&anzahl=3&art=beide&gruppen=1&loesungen=mit");
    await page.check("input[value=arbeit]");
    await page.waitForFunction(() => [...document.querySelectorAll(".task p")]
      .every((p, i) => i % 2 || p.textContent.startsWith("Eine Gruppe von ")));
    // A value that cannot be used leaves the sheet, and the status line says so.
    const title = await page.title();
    await page.fill("#code", "K7QM");
    const label = title.replace(" zum Dreisatz", "");
    assert.strictEqual(await page.textContent("#status"),
                       `So geht die Auswahl nicht; es bleibt ${label}.`);
    assert.strictEqual(await page.title(), title);
    await page.done();
  });

test("axe finds no violation of WCAG 2.2 AA", async () => {
  const page = await open("?code=K7QM4XA2&anzahl=8&gruppen=2", true);
  assert.deepStrictEqual(await accessibilityViolations(page), []);
  await page.done();
});

// Each page's content inside the page, for the longest sheets of each kind: the pages hold as
// many problems and solutions as they do with room to spare.
test("every page of a sheet of 30 holds its content", async () => {
  for (const code of ["AAAAAAAA", "K7QM4XA2", "HJKMNPQR", "ZZZZ9999", "23456789"]) {
    for (const kind of ["beide", "arbeit", "vorrat"]) {
      const page = await open(`?code=${code}&anzahl=30&art=${kind}`);
      const spilt = await page.evaluate(() => [...document.querySelectorAll(".page")]
        .map((sheet, index) => {
          const bottom = sheet.getBoundingClientRect().bottom -
            parseFloat(getComputedStyle(sheet).paddingBottom);
          const lowest = Math.max(...[...sheet.querySelectorAll("li, .page-body, .trainer")]
            .map((part) => part.getBoundingClientRect().bottom));
          return lowest > bottom + 0.5 || sheet.scrollHeight > sheet.clientHeight ? index + 1 : 0;
        }).filter(Boolean));
      assert.deepStrictEqual(spilt, [], `sheet ${code}, ${kind}`);
      await page.done();
    }
  }
});

test("on a phone the sheet is as wide as the screen", async () => {
  const page = await open("?code=K7QM4XA2&anzahl=8");
  await page.setViewportSize({ width: 360, height: 640 });
  // Reading a size lays the page out anew, at the viewport's new size.
  const widths = await page.evaluate(() => [document.documentElement.scrollWidth,
    ...[...document.querySelectorAll(".page")].map((part) => part.getBoundingClientRect().right)]);
  assert.ok(widths.every((width) => width <= 360), widths);
  await page.done();
});

// The pages that sheet_layout.js makes from a plan of sheet_plan.js, on the worksheet page with
// its stylesheet: each page shows what the plan puts on it, the key's first column stands left of
// its second, and every page holds its content. esbuild gives both modules as a script that sets
// sheetPages.
async function laidOut(sheet) {
  const { buildSync } = require("../../web/node_modules/esbuild");
  const [bundle] = buildSync({
    stdin: { contents: 'export { planSheet } from "./sheet_plan.js";\n' +
                       'export { layOut } from "./sheet_layout.js";\n',
             resolveDir: path.join(__dirname, "../../web") },
    bundle: true, format: "iife", globalName: "sheetPages", write: false,
  }).outputFiles;
  const context = await browser.newContext({ bypassCSP: true });
  const page = await context.newPage();
  await page.goto(`file://${SITE}/arbeitsblatt.html?code=K7QM4XA2&anzahl=1`);
  await page.waitForSelector(".solution");
  await page.addScriptTag({ content: bundle.text });
  const pages = await page.evaluate((input) => {
    const plan = sheetPages.planSheet(input);
    const made = sheetPages.layOut(plan);
    document.getElementById("sheet").replaceChildren(...made);
    const left = (item) => item.getBoundingClientRect().left;
    return made.map((sheet, index) => ({
      plan: plan[index],
      kind: sheet.className,
      head: sheet.querySelector(".page-head").textContent,
      headings: [...sheet.querySelectorAll("h2, h3")].map((heading) => heading.textContent),
      working: [...sheet.querySelectorAll(".working")].map((lines) =>
        [...lines.querySelectorAll("span")].map((part) => part.textContent).join(" ")),
      columns: [...new Set([...sheet.querySelectorAll(".solution")].map(left))].length,
      secondColumn: [...sheet.querySelectorAll(".solution")]
        .filter((item, _, all) => left(item) > left(all[0]))
        .map((item) => item.querySelector("h3").textContent),
      trainer: sheet.querySelector(".trainer-address")?.textContent,
      address: sheet.querySelector(".address")?.textContent,
      fits: sheet.scrollHeight <= sheet.clientHeight,
    }));
  }, sheet);
  await context.close();
  return pages;
}

// A record as the module gives it (records_json.hpp).
const PROBLEM = {
  kind: "supply", scenario: 2, first: 7, second: 3, factor: 4, given: 12, answer: 28,
  statement: { given: [" 7 Kuehe kommen mit dem gemaehten Heu 12 Monate aus. "],
               question: [" Wieviele Monate reicht dieselbe Menge an dem gemaehten Heu ",
                          " fuer 3 Kuehe ?"] },
  words: { group: "Kuehe", unit: "Monate", stock: "dem gemaehten Heu",
           working: { one: "Kuh", many: "Kuehe", unit: "Monate" },
           spelled: { one: "Kuh", many: "Kühe", stock: "das Heu", lasts: "reicht" } },
};
const SHEET = { label: "Blatt K7Q4", code: "K7QM4XA2", address: "https://schule.example/a?b=1",
                trainer: "https://schule.example/index.html",
                groups: [Array(3).fill(PROBLEM), Array(30).fill(PROBLEM)] };
const WORKING = "7 Kuehe → 12 Monate 1 Kuh → 7 · 12 = 84 Monate " +
  "3 Kuehe → 84 : 3 = 28 Monate";

for (const mode of ["mit", "ohne", "nur"]) {
  test(`layOut shows each page of the plan in mode ${mode}, each within its page`, async () => {
    const pages = await laidOut({ ...SHEET, mode });
    assert.ok(pages.length > 0);
    for (const page of pages) {
      const { plan } = page;
      const key = plan.kind === "key";
      const items = key ? plan.columns.flat() : plan.problems;
      const headings = items.map(({ number }) => `Aufgabe ${number}${key ? ": 28 Monate" : ""}`);
      assert.deepStrictEqual(
        [page.kind, page.head, page.headings],
        [`page ${plan.kind}-page`, plan.head, [plan.title, ...headings].filter(Boolean)]);
      assert.deepStrictEqual(page.working, key ? items.map(() => WORKING) : []);
      assert.strictEqual(page.columns, key ? Math.min(items.length, 2) : 0, plan.head);
      assert.deepStrictEqual(page.secondColumn, key ? headings.slice(plan.columns[0].length) : [],
                             plan.head);
      assert.strictEqual(page.trainer, key ? undefined : SHEET.trainer, plan.head);
      assert.strictEqual(page.address, key ? `Dieses Blatt wieder erstellen: ${SHEET.address}`
                                           : undefined, plan.head);
      assert.ok(page.fits, plan.head);
    }
  });
}
