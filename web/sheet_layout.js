// The worksheet's pages as elements, from the plan of sheet_plan.js: each page an element of
// A4's size, so that the screen shows exactly what each printed page holds. No engine repeats
// anything on every printed page by itself (WebKit repeats no table head), so each page carries
// its own head and foot.

import { qrCode } from "./trainer_qr.js";

function element(name, className, text) {
  const made = document.createElement(name);
  if (className) made.className = className;
  if (text !== undefined) made.textContent = text;
  return made;
}

// The problem on the left; on the right room for the working, and the line for the answer.
function problemItem({ number, sentences }) {
  const task = element("div", "task");
  task.append(element("h3", "", `Aufgabe ${number}`));
  for (const sentence of sentences) task.append(element("p", "", sentence));
  const answer = element("p", "answer", "Antwort: ");
  answer.append(element("span", "blank"));
  const work = element("div", "work");
  work.append(element("div", "room"), answer);
  const item = element("li", "problem");
  item.append(task, work);
  return item;
}

function solutionItem({ number, answer, working }) {
  const item = element("li", "solution");
  item.append(element("h3", "", `Aufgabe ${number}: ${answer}`));
  const lines = element("p", "working");
  for (const [left, right] of working) {
    lines.append(element("span", "", left), element("span", "arrow", "→"),
                 element("span", "", right), element("br"));
  }
  item.append(lines);
  return item;
}

// A numbered list that starts at the number of its first item.
function list(className, items, made) {
  const ordered = element("ol", className);
  if (items.length > 0 && items[0].number > 1) ordered.start = items[0].number;
  ordered.append(...items.map(made));
  return ordered;
}

function pageOf(plan, body) {
  const made = element("section", `page ${plan.kind}-page`);
  made.append(element("p", "page-head", plan.head), body);
  return made;
}

function pupilPage(plan) {
  const body = element("div", "page-body");
  if (plan.title) {
    const pupil = element("p", "pupil");
    for (const field of ["Name", "Klasse", "Datum"]) {
      pupil.append(element("span", "field", `${field}: `));
      pupil.lastChild.append(element("span", "blank"));
    }
    body.append(pupil, element("h2", "", plan.title), element("p", "instruction",
      "Rechne jede Aufgabe mit dem Dreisatz und schreibe die Antwort mit ihrer Einheit auf."));
  }
  body.append(list("problems", plan.problems, problemItem));
  // The way to the trainer, for a pupil who types it or holds a phone over it.
  const trainer = element("div", "trainer");
  const text = element("p", "", "Üben mit dem Dreisatz-Trainer: ");
  text.append(element("span", "trainer-address", plan.trainer));
  trainer.append(text, qrCode(plan.trainer));
  const made = pageOf(plan, body);
  made.append(trainer);
  return made;
}

function keyPage(plan) {
  const body = element("div", "page-body");
  if (plan.title) body.append(element("h2", "", plan.title));
  const [first, second] = plan.columns;
  const key = list("solutions", [...first, ...second], solutionItem);
  key.style.setProperty("--rows", first.length); // the grid fills the first column first
  body.append(key);
  const made = pageOf(plan, body);
  made.append(element("p", "address", `Dieses Blatt wieder erstellen: ${plan.address}`));
  return made;
}

// The pages of a plan (planSheet) as sections.
export const layOut = (pages) => pages.map((plan) => (plan.kind === "key" ? keyPage(plan)
                                                                          : pupilPage(plan)));
