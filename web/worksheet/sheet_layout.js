// The worksheet's pages as elements, from the plan of sheet_plan.js: each page an element of
// A4's size, so that the screen shows exactly what each printed page holds. No engine repeats
// anything on every printed page by itself (WebKit repeats no table head), so each page carries
// its own head, name line and foot.

import { qrCode } from "./trainer_qr.js";

function element(name, className, text) {
  const made = document.createElement(name);
  if (className) made.className = className;
  if (text !== undefined) made.textContent = text;
  return made;
}

// A label with a line to write on after it.
function field(label, after) {
  const made = element("span", "field", `${label} `);
  made.append(element("span", "blank"));
  if (after) made.append(` ${after}`);
  return made;
}

// The relations to tick, as empty boxes drawn by the stylesheet: paper needs no form control.
function modelBoxes(labels) {
  const boxes = element("ul", "models");
  boxes.setAttribute("aria-label", "Zusammenhang ankreuzen");
  boxes.append(...labels.map((label) => element("li", "", label)));
  return boxes;
}

// The problem, on a mixed sheet the relations to tick, then room for the working, then the
// line for the answer and its points.
function problemItem({ number, sentences, points, models }) {
  const task = element("div", "task");
  task.append(element("h3", "", `Aufgabe ${number}`), " ");
  for (const sentence of sentences) task.append(element("p", "", sentence));
  const answer = element("p", "answer");
  answer.append(field("Antwort:"));
  if (points) answer.append(field("", `von ${points} P.`));
  const item = element("li", "problem");
  item.append(task);
  if (models.length > 0) item.append(modelBoxes(models));
  item.append(element("div", "room"), answer);
  return item;
}

function solutionItem({ number, answer, working, model }) {
  const item = element("li", "solution");
  item.append(element("h3", "", `Aufgabe ${number}: ${answer}`));
  if (model) item.append(element("p", "model", model));
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

// A column of the key: each group's heading, and the solutions after it in lists of their own.
function keyColumn(items) {
  const column = element("div", "key-column");
  let run = [];
  const close = () => {
    if (run.length > 0) column.append(list("solutions", run, solutionItem));
    run = [];
  };
  for (const item of items) {
    if (item.group) {
      close();
      column.append(element("h3", "key-group", item.group));
    } else {
      run.push(item);
    }
  }
  close();
  return column;
}

function pageOf(plan, className, body) {
  const made = element("section", `page ${plan.kind}-page ${className}`.trim());
  const head = element("p", "page-head");
  head.append(element("span", "", plan.head), element("span", "page-number", plan.page));
  made.append(head, body);
  return made;
}

function pupilPage(plan) {
  const body = element("div", "page-body");
  const pupil = element("p", "pupil");
  pupil.append(field("Name:"), field("Klasse:"), field("Datum:"));
  if (plan.total) pupil.append(field("Punkte:", `von ${plan.total}`));
  body.append(pupil);
  if (plan.title) {
    body.append(element("h2", "", plan.title), element("p", "instruction", plan.mixed
      ? "Kreuze bei jeder Aufgabe zuerst an, welcher Zusammenhang gilt. Rechne dann mit dem " +
        "Dreisatz und schreibe die Antwort mit ihrer Einheit auf."
      : "Rechne jede Aufgabe mit dem Dreisatz und schreibe die Antwort mit ihrer Einheit auf."));
  }
  body.append(list("problems", plan.problems, problemItem));
  const made = pageOf(plan, [plan.title && "first", plan.mixed && "mixed"].filter(Boolean)
    .join(" "), body);
  // The way to the trainer, for a pupil who types it or holds a phone over it.
  if (plan.trainer) {
    const trainer = element("div", "trainer");
    const text = element("p", "", "Üben mit dem Dreisatz-Trainer: ");
    text.append(element("span", "trainer-address", plan.trainer));
    trainer.append(text, qrCode(plan.trainer));
    made.append(trainer);
  }
  return made;
}

function keyPage(plan) {
  const body = element("div", "page-body");
  if (plan.title) body.append(element("h2", "", plan.title));
  if (plan.choices) body.append(element("p", "choices", plan.choices));
  const key = element("div", "key");
  key.append(...plan.columns.map(keyColumn));
  body.append(key);
  const made = pageOf(plan, "", body);
  const address = element("p", "address", "Dieses Blatt wieder erstellen: ");
  if (plan.address) {
    const link = element("a", "", plan.address);
    link.href = plan.address;
    address.append(link);
  } else {
    address.append(`den Code ${plan.code} auf der Seite „Arbeitsblatt zum Dreisatz“ eingeben.`);
  }
  made.append(address);
  return made;
}

// The pages of a plan (planSheet) as sections.
export const layOut = (pages) => pages.map((plan) => (plan.kind === "key" ? keyPage(plan)
                                                                          : pupilPage(plan)));
