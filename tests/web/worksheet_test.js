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
  await page.waitForSelector(".solution");
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
  number: document.getElementById("number").value,
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
      const page = await open(`?blatt=4711&anzahl=${count}`);
      const pages = await printed(page);
      assert.match(pages[0],
                   /^ ?Arbeitsblatt Nr\. 4711 Name: Klasse: Datum: Umgekehrter Dreisatz /);
      assert.deepStrictEqual(headings(pages[0], /Aufgabe (\d+) /g), range(count));
      assert.strictEqual(pages[0].match(/Antwort:/g).length, count);
      assert.doesNotMatch(pages[0], /Lösungen/);
      assert.match(pages[1], /^ ?Arbeitsblatt Nr\. 4711 Lösungen Aufgabe 1: \d+ /);
      // Two columns of solutions, which pdftotext reads across.
      const solved = headings(pages.slice(1).join(" "), /Aufgabe (\d+): /g);
      assert.deepStrictEqual(solved.sort((a, b) => a - b), range(count));
      await page.done();
    });
}

test("a sheet of 30 of one kind splits no problem across pages and numbers every page",
  async () => {
    const page = await open("?blatt=31337&anzahl=30&art=arbeit");
    const { problems, solutions } = await sheetOf(page);
    const pages = await printed(page);
    const first = pages.findIndex((text) => text.includes("Lösungen"));
    assert.ok(first >= 3, `the key starts on page ${first + 1}`);
    // Each problem and its answer line on the page of its heading; no page without a number.
    const problemPage = [];
    pages.forEach((text, index) => {
      assert.match(text, /^ ?Arbeitsblatt Nr\. 31337 /, `page ${index + 1}`);
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

test("the same sheet number gives the same sheet, typed in over http as from file://",
  async () => {
    const fromFile = await open("?blatt=2026&anzahl=12&art=vorrat");
    const first = await sheetOf(fromFile);
    await fromFile.done();

    const page = await open("", true);
    const drawn = await sheetOf(page);
    assert.ok(drawn.number >= 1 && drawn.number <= 99999, `drawn number ${drawn.number}`);
    await page.fill("#count", "12");
    await page.check("input[value=vorrat]");
    await page.fill("#number", "2026");
    await page.click("button[type=submit]");
    await page.waitForFunction(() => document.title === "Arbeitsblatt Nr. 2026 zum Dreisatz");
    assert.deepStrictEqual(await sheetOf(page), first);
    assert.strictEqual(first.problems.length, 12);
    assert.ok(first.problems.every(([, sentence]) => / kommen mit /.test(sentence)), "only supply");

    await page.fill("#number", "2027");
    await page.click("button[type=submit]");
    await page.waitForFunction(() => document.title === "Arbeitsblatt Nr. 2027 zum Dreisatz");
    assert.notDeepStrictEqual((await sheetOf(page)).problems, first.problems);
    await page.done();
  });

test("every answer on the key is the answer to its problem", async () => {
  const page = await open("?blatt=777&anzahl=30");
  const { problems, solutions } = await sheetOf(page);
  const work = /von (\d+)\s\S+ schafft [^]* in (\d+)\s(\S+)\.[^]* von (\d+)\s/;
  const supply = /(\d+)\s\S+ kommen mit [^]* (\d+)\s(\S+) aus\.[^]* fuer (\d+)\s/;
  assert.ok(problems.some((p) => work.test(p)) && problems.some((p) => supply.test(p)));
  problems.forEach((problem, i) => {
    const text = problem.join(" ");
    const [, first, duration, unit, second] = text.match(work) ?? text.match(supply);
    const answer = (first * duration) / second;
    const nominative = unit.replace(/Tagen$/, "Tage");
    assert.deepStrictEqual(solutions[i].map((line) => line.replace(/ [A-Za-z]+/g, " X")), [
      `Aufgabe ${i + 1}: ${answer} ${nominative}`.replace(/ [A-Za-z]+/g, " X"),
      `${first} X → ${duration} X`,
      `1 X → ${first} · ${duration} = ${first * duration} X`,
      `${second} X → ${first * duration} : ${second} = ${answer} X`,
    ]);
    assert.ok(solutions[i].every((line) => line.endsWith(` ${nominative}`)), solutions[i]);
  });
  await page.done();
});

// With both kinds, each sheet as even as it can be, and no problem twice.
test("both kinds differ by at most one on every sheet, and no problem repeats", async () => {
  for (const [number, count] of [[3333, 8], [1, 8], [2026, 8], [4711, 7], [99999, 30], [5, 1],
                                 [42, 2], [777, 15]]) {
    const page = await open(`?blatt=${number}&anzahl=${count}&art=beide`);
    const { problems } = await sheetOf(page);
    const work = problems.filter(([, first]) => first.startsWith("Eine Gruppe von ")).length;
    assert.ok(Math.abs(2 * work - count) <= 1, `sheet ${number}: ${work} of ${count} work`);
    const texts = problems.map(([, ...sentences]) => sentences.join(" "));
    assert.strictEqual(new Set(texts).size, count, `sheet ${number}`);
    await page.done();
  }
});

// Each value of the address used when it is valid, else named and replaced by its default.
const ADDRESSES = [
  ["?blatt=2026&anzahl=40", "Anzahl 40 geht nicht (1 bis 30): 8 Aufgaben.", "2026", 8],
  ["?blatt=2026&anzahl=0", "Anzahl 0 geht nicht (1 bis 30): 8 Aufgaben.", "2026", 8],
  ["?blatt=2026&anzahl=31&art=vorrat", "Anzahl 31 geht nicht (1 bis 30): 8 Aufgaben.", "2026", 8],
  ["?blatt=2026&anzahl=-1", "Anzahl -1 geht nicht (1 bis 30): 8 Aufgaben.", "2026", 8],
  ["?blatt=2026&anzahl=8.5", "Anzahl 8.5 geht nicht (1 bis 30): 8 Aufgaben.", "2026", 8],
  ["?blatt=1e3&anzahl=5", /^Blatt 1e3 geht nicht \(1 bis 99999\): Nr\. (\d+)\. /, null, 5],
  ["?blatt=0&anzahl=5", /^Blatt 0 geht nicht \(1 bis 99999\): Nr\. (\d+)\. /, null, 5],
  ["?blatt=0042&anzahl=3", /^Arbeitsblatt Nr\. 42 mit 3 Aufgaben erstellt\.$/, "42", 3],
  ["?blatt=7&art=gemischt", "Art gemischt geht nicht (beide, arbeit oder vorrat): beide.", "7", 8],
  ["?blatt=7&art=toString", "Art toString geht nicht (beide, arbeit oder vorrat): beide.", "7", 8],
];

for (const [query, note, number, count] of ADDRESSES) {
  test(`the address ${query} gives the sheet its fields show`, async () => {
    const page = await open(query);
    const status = await page.textContent("#status");
    if (typeof note === "string") assert.ok(status.startsWith(`${note} `), status);
    else assert.match(status, note);
    const { number: shown, problems } = await sheetOf(page);
    assert.strictEqual(shown, number ?? status.match(note)[1]);
    assert.strictEqual(await page.title(), `Arbeitsblatt Nr. ${shown} zum Dreisatz`);
    assert.strictEqual(await page.inputValue("#count"), String(count));
    assert.strictEqual(problems.length, count);
    await page.done();
  });
}

test("the sheet follows each input at once, so that printing prints what is on screen",
  async () => {
    const page = await open("?blatt=4711&anzahl=8");
    await page.focus("#count");
    await page.keyboard.press("Control+A");
    await page.keyboard.type("3");
    await page.waitForFunction(() => document.querySelectorAll(".task").length === 3);
    assert.strictEqual(await page.evaluate(() => document.activeElement.id), "count");
    const pages = await printed(page);
    assert.deepStrictEqual(headings(pages[0], /Aufgabe (\d+) /g), range(3));
    // The key names the address that makes this very sheet again.
    const [address, shown] = await page.evaluate(() => [location.href,
      document.querySelector(".address").textContent]);
    assert.strictEqual(shown, `Dieses Blatt wieder erstellen: ${address}`);
    assert.match(address, /\?blatt=4711&anzahl=3&art=beide$/);
    await page.check("input[value=arbeit]");
    await page.waitForFunction(() => [...document.querySelectorAll(".task p")]
      .every((p, i) => i % 2 || p.textContent.startsWith("Eine Gruppe von ")));
    await page.done();
  });

test("axe finds no violation of WCAG 2.2 AA", async () => {
  const page = await open("?blatt=4711&anzahl=8", true);
  assert.deepStrictEqual(await accessibilityViolations(page), []);
  await page.done();
});

// Each page's content inside the page, for the longest sheets of each kind: the pages hold as
// many problems and solutions as they do with room to spare.
test("every page of a sheet of 30 holds its content", async () => {
  for (const number of [1, 4711, 31337, 99999, 2026]) {
    for (const kind of ["beide", "arbeit", "vorrat"]) {
      const page = await open(`?blatt=${number}&anzahl=30&art=${kind}`);
      const spilt = await page.evaluate(() => [...document.querySelectorAll(".page")]
        .map((sheet, index) => {
          const bottom = sheet.getBoundingClientRect().bottom -
            parseFloat(getComputedStyle(sheet).paddingBottom);
          const lowest = Math.max(...[...sheet.querySelectorAll("li, .page-body, .trainer")]
            .map((part) => part.getBoundingClientRect().bottom));
          return lowest > bottom + 0.5 || sheet.scrollHeight > sheet.clientHeight ? index + 1 : 0;
        }).filter(Boolean));
      assert.deepStrictEqual(spilt, [], `sheet ${number}, ${kind}`);
      await page.done();
    }
  }
});

test("on a phone the sheet is as wide as the screen", async () => {
  const page = await open("?blatt=4711&anzahl=8");
  await page.setViewportSize({ width: 360, height: 640 });
  // Reading a size lays the page out anew, at the viewport's new size.
  const widths = await page.evaluate(() => [document.documentElement.scrollWidth,
    ...[...document.querySelectorAll(".page")].map((part) => part.getBoundingClientRect().right)]);
  assert.ok(widths.every((width) => width <= 360), widths);
  await page.done();
});

// layOut on its own, on the worksheet page with its stylesheet: groups, modes and codes that
// the page does not use yet. esbuild gives the module as a script that sets sheetLayout.
async function laidOut(sheet) {
  const { buildSync } = require("../../web/node_modules/esbuild");
  const [bundle] = buildSync({ entryPoints: [path.join(__dirname, "../../web/sheet_layout.js")],
                               bundle: true, format: "iife", globalName: "sheetLayout",
                               write: false }).outputFiles;
  const context = await browser.newContext({ bypassCSP: true });
  const page = await context.newPage();
  await page.goto(`file://${SITE}/arbeitsblatt.html?blatt=1&anzahl=1`);
  await page.waitForSelector(".solution");
  await page.addScriptTag({ content: bundle.text });
  const pages = await page.evaluate((input) => {
    const made = sheetLayout.layOut(input);
    document.getElementById("sheet").replaceChildren(...made);
    return made.map((sheet) => ({
      kind: sheet.className,
      head: sheet.querySelector(".page-head").textContent,
      headings: [...sheet.querySelectorAll("h2, h3")].map((heading) => heading.textContent),
      trainer: sheet.querySelector(".trainer > p")?.textContent,
      address: sheet.querySelector(".address")?.textContent,
      fits: sheet.scrollHeight <= sheet.clientHeight,
    }));
  }, sheet);
  await context.close();
  return pages;
}

const PROBLEM = { sentences: ["7 Kuehe fressen das Heu in 12 Monaten.", "Wie lange 3 Kuehe ?"],
                  answer: "28 Monate", lines: ["7 Kuehe -> 12 Monate",
                    "1 Kuh -> 7 * 12 = 84 Monate", "3 Kuehe -> 84 : 3 = 28 Monate"] };
const problems = (n) => Array(n).fill(PROBLEM);
const TWO_GROUPS = [{ name: "Gruppe A", problems: problems(3) },
                    { name: "Gruppe B", problems: problems(30) }];
const SHEET = { label: "Blatt K7Q4", code: "K7QM4XA2", address: "https://schule.example/a?b=1",
                trainer: "https://schule.example/index.html" };
const tasks = (from, to) => range(to).slice(from - 1).map((k) => `Aufgabe ${k}`);
const keys = (from, to) => range(to).slice(from - 1).map((k) => `Aufgabe ${k}: 28 Monate`);

// Each row: mode, groups, then each page as its head and its headings.
const LAYOUTS = [
  ["mit", TWO_GROUPS, [
    ["Blatt K7Q4 · Gruppe A", ["Umgekehrter Dreisatz", ...tasks(1, 3)]],
    ["Blatt K7Q4 · Gruppe B", ["Umgekehrter Dreisatz", ...tasks(1, 8)]],
    ["Blatt K7Q4 · Gruppe B", tasks(9, 17)],
    ["Blatt K7Q4 · Gruppe B", tasks(18, 26)],
    ["Blatt K7Q4 · Gruppe B", tasks(27, 30)],
    ["Blatt K7Q4 · Gruppe A · Code: K7QM4XA2", ["Lösungen · Gruppe A", ...keys(1, 3)]],
    ["Blatt K7Q4 · Gruppe B · Code: K7QM4XA2", ["Lösungen · Gruppe B", ...keys(1, 24)]],
    ["Blatt K7Q4 · Gruppe B · Code: K7QM4XA2", keys(25, 30)],
  ]],
  ["ohne", [{ name: "", problems: problems(9) }], [
    ["Blatt K7Q4", ["Umgekehrter Dreisatz", ...tasks(1, 8)]],
    ["Blatt K7Q4", tasks(9, 9)],
  ]],
  ["nur", TWO_GROUPS.slice(0, 1), [
    ["Blatt K7Q4 · Gruppe A · Code: K7QM4XA2", ["Lösungen · Gruppe A", ...keys(1, 3)]],
  ]],
];

for (const [mode, groups, expected] of LAYOUTS) {
  test(`layOut in mode ${mode} with ${groups.length} group(s) gives each page its head`,
    async () => {
      const pages = await laidOut({ ...SHEET, mode, groups });
      assert.deepStrictEqual(pages.map(({ head, headings }) => [head, headings]), expected);
      for (const page of pages) {
        const key = page.kind.includes("key-page");
        assert.strictEqual(page.trainer, key ? undefined : SHEET.trainer, page.head);
        assert.strictEqual(page.address, key ? `Dieses Blatt wieder erstellen: ${SHEET.address}`
                                             : undefined, page.head);
        assert.ok(page.fits, page.head);
      }
    });
}
