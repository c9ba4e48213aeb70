// The worksheet page in headless Chromium: printed to A4 with page.pdf and read back page by
// page with pdftotext (poppler-utils), from file:// and over http on 127.0.0.1, with the sheets
// kept in local storage. Run with node --test; SITE is the site folder, CHROMIUM the browser,
// PDFTOTEXT the reader, ZBARIMG the QR code's.
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
async function open(query, overHttp = false, context = null) {
  const site = overHttp ? server.origin : `file://${SITE}/`;
  context ??= await browser.newContext();
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

// The sheet on screen: its code, label and coded choices, each group's problems as their
// heading and sentences, each solution as its heading and its three lines of working.
const sheetOf = (page) => page.evaluate(() => {
  const fields = document.getElementById("choices").elements;
  const groups = {};
  for (const part of document.querySelectorAll(".pupil-page")) {
    const name = part.querySelector(".page-head").textContent.match(/Gruppe [A-F]/)?.[0] ?? "";
    groups[name] ??= [];
    for (const task of part.querySelectorAll(".task")) {
      groups[name].push([...task.children].map((child) => child.textContent));
    }
  }
  return {
    code: fields.code.value,
    label: document.title.replace(/ zum Dreisatz$/, ""),
    choices: ["anzahl", "art", "gruppen", "rechner"].map((name) => fields[name].value).join(" "),
    groups,
    problems: Object.values(groups).flat(),
    solutions: [...document.querySelectorAll(".solution")].map((item) => {
      const parts = [...item.querySelectorAll(".working span")].map((span) => span.textContent);
      const lines = [0, 3, 6].map((at) => parts.slice(at, at + 3).join(" "));
      return [item.querySelector("h3").textContent, ...lines];
    }),
  };
});

const status = (page) => page.textContent("#status");
const headings = (text, pattern) => [...text.matchAll(pattern)].map((m) => Number(m[1]));
const range = (n) => Array.from({ length: n }, (_, i) => i + 1);
const ELEVEN = /^[A-HJ-NP-Z2-9]{4}-[A-HJ-NP-Z2-9]{4}-[A-HJ-NP-Z2-9]{3}$/;
const letters = (code) => code.replace(/-/g, "");

// Printing starts without the key: the class's pile holds the pupils' pages alone, each with
// the name line and its number within the group; the key comes by its own choice.
test("a sheet of 8 prints on 3 pages of problems without the key, each numbered and named",
  async () => {
    const page = await open("?anzahl=8");
    assert.strictEqual(await page.inputValue("input[name=loesungen]:checked"), "ohne");
    const { label, code } = await sheetOf(page);
    const pages = await printed(page);
    assert.strictEqual(pages.length, 3);
    pages.forEach((text, index) => {
      for (const part of [label, `Seite ${index + 1} von 3`, "Name:", "Klasse:", "Datum:"]) {
        assert.ok(text.includes(part), `page ${index + 1}: ${part}`);
      }
      assert.doesNotMatch(text, /Lösungen|Code/);
    });
    assert.deepStrictEqual(pages.map((text) => headings(text, /Aufgabe (\d+) /g)),
                           [[1, 2, 3], [4, 5, 6], [7, 8]]);
    await page.check("input[value=nur]");
    const key = await printed(page);
    assert.strictEqual(key.length, 1);
    assert.ok(key[0].startsWith(`${label} · Lösungen · Code: ${code} Lösungen: Umgekehrter ` +
                                "Dreisatz 8 Aufgaben je Gruppe · beide Arten · 1 Gruppe · ohne " +
                                "Taschenrechner · nur umgekehrt proportional Aufgabe 1: "), key[0]);
    await page.done();
  });

// The code carries every choice: typed on another device, into a page with other choices, it
// makes the very same sheet.
test("the code alone remakes the whole sheet, typed in on another device", async () => {
  const page = await open("?anzahl=12&art=vorrat&gruppen=3&rechner=mit&loesungen=mit", true);
  const made = await sheetOf(page);
  assert.match(made.code, ELEVEN);
  assert.strictEqual(made.choices, "12 vorrat 3 mit");
  assert.strictEqual(Object.keys(made.groups).length, 3);
  assert.ok(made.problems.every(([, sentence]) => / kommen mit /.test(sentence)), "only supply");
  await page.done();

  const other = await open("?anzahl=5&loesungen=mit");
  await other.fill("#code", made.code.toLowerCase().replace("-", " "));
  await other.waitForFunction((label) => document.title === `${label} zum Dreisatz`, made.label);
  assert.deepStrictEqual(await sheetOf(other), { ...made, code: made.code.toLowerCase()
    .replace("-", " ") });
  await other.dispatchEvent("#code", "change");
  assert.strictEqual(await other.inputValue("#code"), made.code);
  const head = await other.textContent(".key-page .choices");
  assert.strictEqual(head, "12 Aufgaben je Gruppe · nur Vorrat · 3 Gruppen · mit Taschenrechner · " +
                     "nur umgekehrt proportional");
  await other.done();
});

// What the page keeps: the sheet shown last comes back after a reload, every printed sheet
// stays listed until deleted, and its entry remakes it.
test("a reload shows the last sheet again; the list keeps the printed one until deleted",
  async () => {
    const page = await open("?anzahl=5", true);
    await page.fill("#title", "Klassenarbeit Nr. 2");
    await page.waitForFunction(() => document.querySelector(".pupil-page h2")?.textContent ===
                                     "Klassenarbeit Nr. 2");
    const test = await sheetOf(page);
    await printed(page); // printing marks the sheet as printed
    await page.fill("#count", "6");
    await page.waitForFunction(() => document.querySelectorAll(".task").length === 6);
    const practice = await sheetOf(page);
    await page.fill("#count", "7"); // tried, never printed: it replaces the entry of 6
    await page.waitForFunction(() => document.querySelectorAll(".task").length === 7);
    const last = await sheetOf(page);
    assert.notStrictEqual(practice.code, last.code);

    await page.reload();
    await page.waitForFunction((label) => document.title === `${label} zum Dreisatz`, last.label);
    assert.deepStrictEqual(await sheetOf(page), last);
    assert.match(await status(page), new RegExp(`^${last.label} mit 7 Aufgaben, zuletzt erstellt am ` +
                                                 "[\\d.]+ um \\d\\d:\\d\\d Uhr, ist wieder da\\.$"));
    assert.strictEqual(await page.inputValue("#title"), "Klassenarbeit Nr. 2");
    const entries = await page.locator("#kept-list li").allTextContents();
    assert.strictEqual(entries.length, 2);
    assert.match(entries[0], new RegExp(`^${last.label} · Code ${last.code} · „Klassenarbeit ` +
                                        "Nr. 2“ · 7 Aufgaben je Gruppe .* erstellt am [^·]*Löschen$"));
    assert.match(entries[1], new RegExp(`^${test.label} · Code ${test.code} .* gedruckt am `));
    // The stored list holds the sheets and nothing else.
    const stored = await page.evaluate(() => Object.keys(localStorage));
    assert.deepStrictEqual(stored, ["dreisatz.arbeitsblaetter"]);

    await page.click(`#kept-list li:nth-child(2) a`);
    await page.waitForFunction((label) => document.title === `${label} zum Dreisatz`, test.label);
    assert.deepStrictEqual(await sheetOf(page), test);
    await page.click(`button[aria-label="${test.label} löschen"]`);
    await page.click(`button[aria-label="${last.label} löschen"]`);
    await page.waitForFunction(() => document.querySelectorAll("#kept-list li").length === 0);
    assert.strictEqual(await page.textContent("#kept-note"), "Noch kein Blatt.");
    assert.strictEqual(await page.evaluate(() => localStorage.getItem("dreisatz.arbeitsblaetter")),
                       "[]");
    await page.done();
  });

// A key printed before codes carried their choices: its eight-letter code and the address on it
// remake its sheet, with the label the pupils' pages carry.
test("an older key's address remakes its sheet, and the page says what the code needs",
  async () => {
    const page = await open("?code=K7QM4XA2&anzahl=8&art=beide&gruppen=1&loesungen=mit");
    const { code, label, choices } = await sheetOf(page);
    assert.deepStrictEqual([code, label, choices], ["K7QM4XA2", "Blatt 6G4X", "8 beide 1 mit"]);
    assert.strictEqual(await status(page), "Blatt 6G4X mit 8 Aufgaben erstellt.");
    assert.match(await page.textContent("#notes"), /^Der Code K7QM4XA2 ist der eines älteren /);
    assert.strictEqual(await page.evaluate(() => location.search), "");
    // Numbers for working by hand need a new code.
    await page.check("input[name=rechner][value=ohne]");
    await page.waitForFunction(() => document.getElementById("code").value.length === 13);
    await page.done();
  });

// A key printed before codes carried the models: its ten-letter code remakes its sheet, of
// inverse problems, and a change of choice makes a code of eleven letters.
test("a ten-letter key's address remakes its sheet, and the page says so", async () => {
  const page = await open("?code=AAAAAABK8S&loesungen=mit");
  const { code, choices } = await sheetOf(page);
  assert.deepStrictEqual([code, choices], ["AAAAA-ABK8S", "8 beide 6 ohne"]);
  assert.match(await page.textContent("#notes"), /^Der Code AAAAA-ABK8S stammt von einem Blatt, /);
  assert.strictEqual(await page.locator(".solution .model").count(), 0);
  await page.check("input[name=modelle][value=gemischt]");
  await page.waitForFunction(() => document.querySelectorAll(".solution .model").length === 48);
  assert.match(await page.inputValue("#code"), ELEVEN);
  await page.done();
});

test("a mistyped code says so, and the sheet stays", async () => {
  const page = await open("");
  const { code: shownAs, label } = await sheetOf(page);
  const code = letters(shownAs);
  const wrong = code.slice(0, 3) + code[4] + code[3] + code.slice(5); // two letters swapped
  await page.fill("#code", code[3] === code[4] ? `${code.slice(0, 10)}${code[10] === "9" ? "8" : "9"}`
                                               : wrong);
  assert.strictEqual(await status(page), `Die Eingabe bei „Code“ passt so nicht; bis sie ` +
                     `stimmt, bleibt ${label} stehen.`);
  assert.strictEqual(await page.$eval("#code", (field) => field.validationMessage),
                     "Dieser Code ist vertippt: Ein Zeichen stimmt nicht, oder zwei sind " +
                     "vertauscht.");
  assert.strictEqual(await page.title(), `${label} zum Dreisatz`);
  await page.done();
});

// The numbers a pupil reads in a problem: the groups, the duration given, and what the
// working does with them.
const WORK = /von (\d+)\s\S+ schafft .* in (\d+)\s\S+\. .* von (\d+)\s/;
const SUPPLY = /^(\d+)\s\S+ kommen mit .* (\d+)\s\S+ aus\. .* für (\d+)\s/;
function numbersOf(sentences) {
  const text = sentences.join(" ");
  const work = text.match(WORK);
  const [, first, given, second] = (work ?? text.match(SUPPLY)).map(Number);
  return { kind: work ? "work" : "supply", second, product: first * given,
           answer: (first * given) / second };
}
const divisorClass = (d) => [[2, 5, 10], [3, 4], [6, 7, 8, 9]].findIndex((c) => c.includes(d));

for (const calculator of ["ohne", "mit"]) {
  test(`the groups of a test are equally hard, problem by problem (${calculator} Taschenrechner)`,
    async () => {
      const page = await open(`?anzahl=10&gruppen=5&rechner=${calculator}`);
      const { groups } = await sheetOf(page);
      const read = Object.values(groups).map((tasks) => tasks.map(([, ...s]) => numbersOf(s)));
      assert.strictEqual(read.length, 5);
      read[0].forEach((_, at) => {
        const place = read.map((group) => group[at]);
        const products = place.map(({ product }) => product);
        assert.deepStrictEqual(new Set(place.map(({ kind }) => kind)).size, 1, `${at + 1}`);
        assert.strictEqual(new Set(place.map(({ second }) => divisorClass(second))).size, 1);
        assert.ok(Math.max(...products) <= Math.min(...products) * 1.15, `${products}`);
        assert.strictEqual(new Set(place.map(({ answer }) => answer)).size, 5, `${at + 1}`);
      });
      const small = read.flat().every(({ second, product }) => second <= 10 && product <= 500);
      assert.strictEqual(small, calculator === "ohne");
      await page.done();
    });
}

// Every problem's room for the working at least 30 mm high, on the longest sheets of each kind
// and a mixed one with its relations to tick, with a trainer's address of 120 characters, and
// every page's content inside the page.
test("every problem has room for four lines, and every page of a sheet of 30 holds its content",
  async () => {
    const trainer = `https://schule.example/${"x".repeat(87)}/index.html`;
    assert.strictEqual(trainer.length, 121);
    for (const kind of ["beide", "arbeit", "vorrat", "beide&modelle=gemischt"]) {
      const page = await open(`?anzahl=30&art=${kind}&rechner=mit&loesungen=mit`);
      await page.fill("#trainer", trainer);
      await page.waitForSelector(".trainer svg");
      const { rooms, spilt } = await page.evaluate(() => ({
        rooms: [...document.querySelectorAll(".room")]
          .map((room) => room.getBoundingClientRect().height * 25.4 / 96),
        spilt: [...document.querySelectorAll(".page")].map((sheet, index) => {
          const bottom = sheet.getBoundingClientRect().bottom -
            parseFloat(getComputedStyle(sheet).paddingBottom);
          const lowest = Math.max(...[...sheet.querySelectorAll("li, .page-body, .trainer")]
            .map((part) => part.getBoundingClientRect().bottom));
          return lowest > bottom + 0.5 || sheet.scrollHeight > sheet.clientHeight ? index + 1 : 0;
        }).filter(Boolean),
      }));
      assert.strictEqual(rooms.length, 30);
      assert.ok(Math.min(...rooms) >= 30, `${kind}: ${Math.min(...rooms)} mm`);
      assert.deepStrictEqual(spilt, [], kind);
      await page.done();
    }
  });

// The QR code's modules in millimetres, and what a phone reads from it.
async function readQr(page) {
  const codes = page.locator(".pupil-page .trainer svg");
  const module = await codes.first().evaluate((svg) =>
    svg.getBoundingClientRect().width * 25.4 / 96 / svg.viewBox.baseVal.width);
  const image = path.join(work, "qr.png");
  await codes.first().screenshot({ path: image });
  const read = execFileSync(process.env.ZBARIMG || "zbarimg",
                            ["--raw", "-q", "-Sbinary", "--nodbus", image]);
  return { module, read: read.toString("utf8").trim(), count: await codes.count() };
}

// Opened from a folder on the teacher's disk, the pupils' pages carry no path: only a web
// address, typed by the teacher and kept with the sheets, goes on them and into the QR code.
test("from file:// the pupils' pages carry no path; a typed web address goes on each page",
  async () => {
    const page = await open("?anzahl=8&loesungen=mit");
    assert.strictEqual(await page.locator(".trainer").count(), 0);
    assert.match(await page.textContent(".address"), /^Dieses Blatt wieder erstellen: den Code /);
    for (const text of await printed(page)) assert.doesNotMatch(text, /file:|\/work\/|site/);
    for (const typed of ["schule.example/dreisatz",
                         `https://schule.example/${"x".repeat(87)}/index.html`]) {
      await page.fill("#trainer", typed);
      await page.waitForSelector(".trainer svg");
      const address = typed.startsWith("https") ? typed : "https://schule.example/dreisatz/";
      const { module, read, count } = await readQr(page);
      assert.deepStrictEqual([read, count], [address, 3]);
      assert.ok(module >= 0.45, `${module} mm for ${address.length} characters`);
      assert.deepStrictEqual(await page.locator(".trainer-address").allTextContents(),
                             [address, address, address]);
    }
    assert.match(await page.getAttribute(".address a", "href"),
                 /^https:\/\/schule\.example\/x+\/arbeitsblatt\.html\?code=[A-Z2-9]{11}$/);
    await page.fill("#trainer", `file://${SITE}/index.html`);
    assert.match(await status(page), /^Die Eingabe bei „Webadresse des Trainers/);
    await page.fill("#trainer", "schule.example/dreisatz");
    await page.waitForFunction(() => document.querySelector(".trainer-address")?.textContent ===
                                     "https://schule.example/dreisatz/");
    await page.reload();
    await page.waitForSelector(".page");
    assert.strictEqual(await page.inputValue("#trainer"), "https://schule.example/dreisatz/");
    await page.done();
  });

// Over the web the site's own trainer is the default; the key's address remakes the sheet and
// is a link.
test("over http the key's address is a link that remakes the sheet", async () => {
  const page = await open("?anzahl=4&gruppen=2&loesungen=mit&titel=Test&punkte=2", true);
  const made = await sheetOf(page);
  const { read } = await readQr(page);
  assert.strictEqual(read, `${server.origin}index.html`);
  const href = await page.getAttribute(".address a", "href");
  assert.strictEqual(await page.textContent(".address a"), href);
  assert.strictEqual(href, `${server.origin}arbeitsblatt.html?code=${letters(made.code)}` +
                     "&titel=Test&punkte=2");
  await page.done();
  const again = await open(`?${href.split("?")[1]}&loesungen=mit`, true);
  assert.deepStrictEqual(await sheetOf(again), made);
  assert.strictEqual(await again.textContent(".pupil-page h2"), "Test");
  await again.done();
});

// What a pupil can see: the printed pages of problems, the page's title and its address. None
// of them carries the code, so none remakes the sheet or its key.
test("the pupils' pages, the title and the address bar never show the code", async () => {
  const page = await open("?anzahl=8&gruppen=2", true);
  const { code, label } = await sheetOf(page);
  assert.match(label, /^Blatt [A-HJ-NP-Z2-9]{4}$/);
  const seen = await page.evaluate(() => [location.href, document.title,
    ...[...document.querySelectorAll(".pupil-page")].map((part) => part.textContent)]);
  assert.ok(seen.length >= 4);
  const bare = letters(code);
  for (const text of seen) assert.ok(!text.includes(code) && !text.includes(bare), text);
  assert.strictEqual(seen[0], `${server.origin}arbeitsblatt.html`);
  await page.done();
});

test("values of the address in any case, and the sheet follows each input at once",
  async () => {
    const page = await open("?anzahl=8&art=ARBEIT&loesungen=Mit&gruppen=9");
    assert.strictEqual(await page.inputValue("input[name=art]:checked"), "arbeit");
    assert.strictEqual(await page.inputValue("input[name=loesungen]:checked"), "mit");
    assert.strictEqual(await page.textContent("#notes"), "In der Adresse ist „9“ nicht möglich " +
                       "für die Gruppen (1 bis 6); das Blatt hat 1 Gruppe.");
    assert.strictEqual(await page.locator("button[type=submit]").count(), 0);
    await page.focus("#count");
    await page.keyboard.press("Control+A");
    await page.keyboard.type("3");
    await page.waitForFunction(() => document.querySelectorAll(".task").length === 3);
    assert.strictEqual(await page.evaluate(() => document.activeElement.id), "count");
    const pages = await printed(page);
    assert.deepStrictEqual(headings(pages[0], /Aufgabe (\d+) /g), range(3));
    const { label } = await sheetOf(page);
    await page.fill("#count", "");
    assert.strictEqual(await status(page), "Die Eingabe bei „Aufgaben je Gruppe (1 bis 30)“ " +
                       `passt so nicht; bis sie stimmt, bleibt ${label} stehen.`);
    assert.strictEqual(await page.title(), `${label} zum Dreisatz`);
    await page.done();
  });

test("axe finds no violation of WCAG 2.2 AA, on a sheet of each model choice", async () => {
  for (const models of ["umgekehrt", "gemischt"]) {
    const page = await open(`?anzahl=8&gruppen=2&loesungen=mit&punkte=2&modelle=${models}`, true);
    assert.deepStrictEqual(await accessibilityViolations(page), [], models);
    await page.done();
  }
});

test("on a phone the sheet is as wide as the screen", async () => {
  const page = await open("?anzahl=8&loesungen=mit");
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
             resolveDir: path.join(__dirname, "../../web/worksheet") },
    bundle: true, format: "iife", globalName: "sheetPages", write: false,
  }).outputFiles;
  const context = await browser.newContext({ bypassCSP: true });
  const page = await context.newPage();
  await page.goto(`file://${SITE}/arbeitsblatt.html?anzahl=1&loesungen=nur`);
  await page.waitForSelector(".solution");
  await page.addScriptTag({ content: bundle.text });
  const pages = await page.evaluate((input) => {
    const style = getComputedStyle(document.documentElement);
    const size = (name) => Number(style.getPropertyValue(name));
    const plan = sheetPages.planSheet(input, {
      firstPage: size("--first-page-problems"), page: size("--page-problems"),
      mixedFirstPage: size("--mixed-first-page-problems"),
      mixedPage: size("--mixed-page-problems"), keyLines: size("--key-column-lines") });
    const made = sheetPages.layOut(plan);
    document.getElementById("sheet").replaceChildren(...made);
    const left = (item) => item.getBoundingClientRect().left;
    return made.map((sheet, index) => ({
      plan: plan[index],
      kind: sheet.className,
      head: sheet.querySelector(".page-head").textContent,
      headings: [...sheet.querySelectorAll("h2, h3")].map((heading) => heading.textContent),
      boxes: [...sheet.querySelectorAll(".models li")].map((box) => [box.textContent,
        getComputedStyle(box, "::before").borderTopStyle]),
      models: [...sheet.querySelectorAll(".solution .model")].map((line) => line.textContent),
      working: [...sheet.querySelectorAll(".working")].map((lines) =>
        [...lines.querySelectorAll("span")].map((part) => part.textContent).join(" ")),
      columns: [...new Set([...sheet.querySelectorAll(".solution")].map(left))].length,
      secondColumn: [...sheet.querySelectorAll(".solution, .key-group")]
        .filter((item, _, all) => left(item) > left(all[0]))
        .map((item) => (item.querySelector("h3") ?? item).textContent),
      trainer: sheet.querySelector(".trainer-address")?.textContent,
      points: [...sheet.querySelectorAll(".answer")]
        .filter((answer) => /^Antwort: +von 2 P\.$/.test(answer.textContent)).length,
      address: sheet.querySelector(".address")?.textContent,
      fits: sheet.scrollHeight <= sheet.clientHeight,
    }));
  }, sheet);
  await context.close();
  return pages;
}

// A record as the module gives it (records_json.hpp), in two models.
const PROBLEM = {
  kind: "supply", model: "inverse", scenario: 2, first: 7, second: 3, factor: 4, given: 12,
  answer: 28,
  words: { one: "Kuh", many: "Kühe", unit: "Monate", stock: "das Heu",
           stockDative: "dem gemähten Heu", lasts: "reicht", usesUp: ["fressen es", "auf"],
           direct: { verb: "fressen", when: "in einer Woche", again: "in derselben Zeit",
                     amount: "Ballen Heu" } },
};
const DIRECT = { ...PROBLEM, model: "direct", factor: 6, given: 42, answer: 18 };
const SHEET = { label: "Blatt K7Q4", code: "K7QM4XA2BCQ", address: "https://schule.example/a?b=1",
                trainer: "https://schule.example/index.html", title: "", points: 2,
                choices: { count: 30, kind: "vorrat", groups: 2, calculator: "ohne",
                           models: "umgekehrt" },
                groups: [Array(3).fill(PROBLEM), Array(30).fill(PROBLEM)] };
const WORKING = "7 Kühe → 12 Monate 1 Kuh → 7 · 12 = 84 Monate " +
  "3 Kühe → 84 : 3 = 28 Monate";
const MIXED = { ...SHEET, choices: { ...SHEET.choices, models: "gemischt" },
                groups: [[PROBLEM, DIRECT, PROBLEM], Array(30).fill(DIRECT)] };

for (const [mode, sheet] of [["mit", SHEET], ["ohne", SHEET], ["nur", SHEET], ["mit", MIXED]]) {
  const mixed = sheet === MIXED;
  test(`layOut shows each page of the plan in mode ${mode}${mixed ? ", mixed" : ""}, each within ` +
       "its page", async () => {
    const pages = await laidOut({ ...sheet, mode });
    assert.ok(pages.length > 0);
    for (const page of pages) {
      const { plan } = page;
      const key = plan.kind === "key";
      const items = key ? plan.columns.flat() : plan.problems;
      const solved = items.filter((item) => !item.group);
      const headings = items.map((item) => item.group ??
        `Aufgabe ${item.number}${key ? `: ${item.answer}` : ""}`);
      const classes = ["page", `${plan.kind}-page`, plan.kind === "pupil" && plan.title && "first",
                       plan.kind === "pupil" && mixed && "mixed"];
      assert.deepStrictEqual(
        [page.kind, page.head, page.headings],
        [classes.filter(Boolean).join(" "), plan.head + plan.page,
          [plan.title, ...headings].filter(Boolean)]);
      assert.strictEqual(page.points, key ? 0 : items.length, plan.head);
      assert.deepStrictEqual(page.working, key ? solved.map((item) =>
        item.working.map((line) => line.join(" → ")).join(" ")) : []);
      if (!mixed) assert.deepStrictEqual(page.working, key ? solved.map(() => WORKING) : []);
      assert.deepStrictEqual(page.models, key ? solved.map((item) => item.model).filter(Boolean)
                                              : []);
      assert.deepStrictEqual(page.boxes, key || !mixed ? []
        : items.flatMap((item) => item.models.map((label) => [label, "solid"])));
      const used = plan.columns?.filter((column) => column.some((item) => !item.group)).length;
      assert.strictEqual(page.columns, key ? used : 0, plan.head);
      assert.deepStrictEqual(page.secondColumn, key ? plan.columns[1].map((item) => item.group ??
        `Aufgabe ${item.number}: ${item.answer}`) : [], plan.head);
      assert.strictEqual(page.trainer, key ? undefined : SHEET.trainer, plan.head);
      assert.strictEqual(page.address, key ? `Dieses Blatt wieder erstellen: ${SHEET.address}`
                                           : undefined, plan.head);
      assert.ok(page.fits, plan.head);
    }
  });
}

// The stored list as the page keeps it.
const storedList = (page) => page.evaluate(() =>
  JSON.parse(localStorage.getItem("dreisatz.arbeitsblaetter") ?? "null"));

// A code typed letter by letter is read when it is whole: its first eight letters, the length of
// an older code, wait for more; so no older sheet is shown, kept or printed on the way. An older
// code itself is read once the typing stops, or at once with Enter.
test("a code typed letter by letter shows, keeps and prints only the finished code's sheet",
  async () => {
    const page = await open("?anzahl=5&gruppen=2&modelle=gemischt&loesungen=mit", true);
    const made = await sheetOf(page);
    await page.click("#draw");
    await page.waitForFunction((code) => document.getElementById("code").value !== code,
                               made.code);
    const other = await sheetOf(page);
    const before = (await storedList(page)).map((entry) => entry.code);
    await page.fill("#code", "");
    await page.focus("#code");
    await page.keyboard.type(letters(made.code).slice(0, 8));
    assert.match(await status(page), /^8 Zeichen: So lautet ein Code älterer Blätter/);
    assert.strictEqual(await page.title(), `${other.label} zum Dreisatz`);
    await page.keyboard.type(letters(made.code).slice(8));
    await page.waitForFunction((label) => document.title === `${label} zum Dreisatz`, made.label);
    assert.deepStrictEqual(await sheetOf(page), { ...made, code: letters(made.code) });
    const codes = (await storedList(page)).map((entry) => entry.code);
    assert.ok(codes.every((code) => code.length === 11), codes.join());
    assert.deepStrictEqual(codes.filter((code) => !before.includes(code)), [letters(made.code)]);
    const pages = await printed(page);
    assert.ok(pages.every((text) => text.includes(made.label)), "only the finished sheet");
    assert.ok(pages.some((text) => text.includes(`Code: ${made.code}`)));

    // An older code: read when the typing stops, so the status changes by itself.
    await page.fill("#code", "");
    await page.keyboard.type("k7qm4xa2");
    assert.match(await status(page), /^8 Zeichen/);
    await page.waitForFunction(() => !/^8 Zeichen/.test(document.getElementById("status")
      .textContent));
    const older = await sheetOf(page);
    assert.match(await status(page), new RegExp(`^${older.label} mit 2 Gruppen zu je 5 `));
    assert.ok(![made.label, other.label].includes(older.label));
    await page.fill("#code", "");
    await page.keyboard.type("HJKMNPQR");
    await page.keyboard.press("Enter");
    assert.strictEqual(await page.inputValue("#code"), "HJKMNPQR");
    assert.ok(![made.label, other.label, older.label].includes((await sheetOf(page)).label));
    await page.done();
  });

// Under a school's strict policy the page fetches nothing, not even its own WebAssembly.
test("under a strict Content-Security-Policy the page works and breaks no rule of it",
  async () => {
    const policy = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'";
    const strict = await serveSite(SITE, { policy });
    const context = await browser.newContext();
    await context.addInitScript(() => {
      window.violations = [];
      document.addEventListener("securitypolicyviolation",
                                (event) => window.violations.push(event.violatedDirective));
    });
    const page = await context.newPage();
    const problems = [];
    page.on("console", (message) => message.type() === "error" && problems.push(message.text()));
    page.on("pageerror", (error) => problems.push(error.message));
    const requests = [];
    page.on("request", (request) => requests.push(request.url().slice(0, 40)));
    await page.goto(`${strict.origin}arbeitsblatt.html?modelle=gemischt&gruppen=2&loesungen=mit`);
    await page.waitForSelector(".solution .model");
    assert.deepStrictEqual(await page.evaluate(() => window.violations), []);
    assert.deepStrictEqual(problems, []);
    assert.ok(requests.every((url) => url.startsWith(strict.origin)), requests.join());
    await context.close();
    strict.close();
  });

// What another page, an older version or a full browser leaves in the storage never blanks
// the page: what fits is shown, the rest left out.
test("a damaged list of kept sheets is read as far as it fits, and the page still stands",
  async () => {
    const page = await open("", true);
    const good = (await storedList(page))[0];
    await page.evaluate((entries) => localStorage.setItem("dreisatz.arbeitsblaetter",
                                                           JSON.stringify(entries)), [
      { ...good, choices: null }, { ...good, code: "AAAAAABK8S", choices: "8", made: 5 },
      { label: 1, code: good.code }, null, "Blatt", { ...good, points: "viele", title: [] }]);
    await page.goto(`${server.origin}arbeitsblatt.html`);
    await page.waitForSelector(".page");
    const entries = await page.locator("#kept-list li").allTextContents();
    assert.strictEqual(entries.length, 3, entries.join("\n"));
    for (const entry of entries) assert.doesNotMatch(entry, /undefined|null|NaN|\[object/);
    await page.click("#kept-list li:nth-child(2) a");
    await page.waitForFunction(() => document.getElementById("code").value === "AAAAA-ABK8S");
    await page.done();
  });

// A full storage keeps nothing: the page says so before printing, with the code to note.
test("a browser that refuses to keep the sheet says so before printing, with the code",
  async () => {
    const context = await browser.newContext();
    await context.addInitScript(() => {
      Storage.prototype.setItem = () => {
        throw new DOMException("The quota has been exceeded.", "QuotaExceededError");
      };
    });
    const page = await open("?anzahl=3", true, context);
    const { code, label } = await sheetOf(page);
    assert.strictEqual(await page.textContent("#print-note"), "Der Browser nimmt nichts mehr an " +
      `(sein Speicher ist voll oder gesperrt): ${label} ist nicht gemerkt. Gedruckt ohne ` +
      `Lösungen trägt das Blatt keinen Code: vor dem Drucken den Code ${code} notieren oder die ` +
      "Lösungen mitdrucken.");
    assert.match(await page.textContent("#kept-note"), /ist nicht gemerkt\.$/);
    await page.done();
  });

// A list of 50 printed sheets is full: none of them leaves for a new one, which the page says;
// printed, the new one comes in too.
test("a full list of printed sheets drops none of them, says so, and takes in a printed one",
  async () => {
    const page = await open("", true);
    const good = (await storedList(page))[0];
    const fifty = Array.from({ length: 50 }, (_, i) => ({
      ...good, label: `Blatt ${String(i).padStart(4, "A")}`, visit: "earlier",
      printed: good.made }));
    await page.evaluate((list) => localStorage.setItem("dreisatz.arbeitsblaetter",
                                                        JSON.stringify(list)), fifty);
    await page.goto(`${server.origin}arbeitsblatt.html?anzahl=4`);
    await page.waitForSelector(".page");
    const { label } = await sheetOf(page);
    assert.match(await page.textContent("#kept-note"),
                 new RegExp(`^Die Liste ist voll mit 50 gedruckten Blättern: ${label} ist nicht`));
    assert.match(await page.textContent("#print-note"), /vor dem Drucken den Code/);
    assert.strictEqual((await storedList(page)).length, 50);
    await printed(page);
    const list = await storedList(page);
    assert.deepStrictEqual([list.length, list[0].label, Boolean(list[0].printed)],
                           [51, label, true]);
    await page.done();
  });

// The largest QR code holds some 2,300 bytes: a longer address is refused, and the sheet and its
// code stay together.
test("a trainer's address too long for a QR code is refused, and the sheet keeps its code",
  async () => {
    const page = await open("?anzahl=3", true);
    const made = await sheetOf(page);
    await page.fill("#trainer", `https://schule.example/${"x".repeat(2400)}/`);
    assert.strictEqual(await status(page), "Die Eingabe bei „Webadresse des Trainers für die " +
                       `Seiten der Klasse“ passt so nicht; bis sie stimmt, bleibt ${made.label} ` +
                       "stehen.");
    assert.match(await page.$eval("#trainer", (field) => field.validationMessage),
                 /zu lang für einen QR-Code/);
    await page.fill("#count", "4");
    assert.deepStrictEqual(await sheetOf(page), { ...made, choices: "4 beide 1 ohne" });
    await page.fill("#trainer", "schule.example/dreisatz");
    await page.waitForFunction(() => document.querySelectorAll(".task").length === 4);
    await page.done();
  });

// The trainer's link to the worksheets opens a new sheet: a pupil who follows it finds neither
// the last test nor its key; the teacher finds it in the list.
test("the trainer's link opens a new sheet, never the last test; the list still opens it",
  async () => {
    const page = await open("?anzahl=6&gruppen=3&titel=Klassenarbeit", true);
    const test = await sheetOf(page);
    await page.goto(`${server.origin}index.html`);
    const [tab] = await Promise.all([page.context().waitForEvent("page"),
                                     page.click("a[href='arbeitsblatt.html']")]);
    await tab.waitForSelector(".page");
    const fresh = await sheetOf(tab);
    assert.notStrictEqual(fresh.code, test.code);
    assert.strictEqual(await tab.inputValue("#title"), "");
    await tab.check("input[value=nur]");
    const key = (await printed(tab)).join(" ");
    assert.ok(!key.includes(test.code) && !key.includes(test.label), "the last test's key");
    await tab.click(`#kept-list a:text("${test.label}")`);
    await tab.waitForFunction((label) => document.title === `${label} zum Dreisatz`, test.label);
    assert.deepStrictEqual(await sheetOf(tab), test);
    assert.strictEqual(await tab.inputValue("#title"), "Klassenarbeit");
    await tab.check("input[value=nur]");
    const again = (await printed(tab)).join(" ");
    assert.match(again, /Lösungen: Klassenarbeit /);
    await page.done();
  });

// On a shared computer: the list emptied at once, and nothing kept but that wish.
test("the list can be emptied, and on a shared computer the page keeps nothing but the wish",
  async () => {
    const page = await open("?anzahl=2", true);
    await printed(page);
    await page.fill("#count", "3");
    await page.waitForFunction(() => document.querySelectorAll("#kept-list li").length === 2);
    page.once("dialog", (dialog) => dialog.accept());
    await page.click("#clear-kept");
    await page.waitForFunction(() => document.querySelectorAll("#kept-list li").length === 0);
    assert.deepStrictEqual(await storedList(page), []);
    await page.check("#keep-nothing");
    await page.waitForFunction(() => /nichts außer dieser Einstellung/
      .test(document.getElementById("kept-note").textContent));
    await page.fill("#count", "4");
    await page.waitForFunction(() => document.querySelectorAll(".task").length === 4);
    await printed(page);
    assert.deepStrictEqual(await page.evaluate(() => ({ ...localStorage })),
                           { "dreisatz.arbeitsblaetter.nichts": "1" });
    assert.match(await page.textContent("#print-note"), /Auf Wunsch wird nichts gemerkt/);
    await page.goto(`${server.origin}arbeitsblatt.html`);
    await page.waitForSelector(".page");
    assert.strictEqual(await page.isChecked("#keep-nothing"), true);
    await page.uncheck("#keep-nothing");
    await page.waitForFunction(() => document.querySelectorAll("#kept-list li").length === 1);
    await page.done();
  });
