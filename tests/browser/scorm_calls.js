// Judges a package's calls to a SCORM 1.2 API as the standard and real platforms take them,
// not as a lenient runtime does: the order (LMSInitialize first, nothing after LMSFinish), each
// value against its element's data type, interactions added one after another with their id
// first, no error reported, and a raw score between 0 and 100.
// A call is { name, args, result, error } as the test platforms record it (platform/).
"use strict";

const DECIMAL = /^-?\d+(\.\d+)?$/; // CMIDecimal
const TIMESPAN = /^\d{2,4}:\d{2}:\d{2}(\.\d{1,2})?$/; // CMITimespan, HHHH:MM:SS.SS
const TIME = /^([01]\d|2[0-3]):[0-5]\d:[0-5]\d(\.\d{1,2})?$/; // CMITime, HH:MM:SS.SS
const IDENTIFIER = /^[!-~]{1,255}$/; // CMIIdentifier: no blanks, nothing unprintable

const oneOf = (...values) => (value) => values.includes(value);
const percent = (value) => DECIMAL.test(value) && Number(value) >= 0 && Number(value) <= 100;

// What a package may write, and what each takes.
const CORE = {
  "cmi.core.score.raw": percent,
  "cmi.core.score.min": percent,
  "cmi.core.score.max": percent,
  "cmi.core.lesson_status": oneOf("passed", "completed", "failed", "incomplete", "browsed"),
  "cmi.core.exit": oneOf("time-out", "suspend", "logout", ""),
  "cmi.core.session_time": (value) => TIMESPAN.test(value),
  "cmi.core.lesson_location": (value) => value.length <= 255,
  "cmi.suspend_data": (value) => value.length <= 4096,
};
const INTERACTION = {
  id: (value) => IDENTIFIER.test(value),
  type: oneOf("true-false", "choice", "fill-in", "numeric", "likert", "matching", "performance",
              "sequencing"),
  student_response: (value, type) =>
    (type === "numeric" ? DECIMAL.test(value) : value.length <= 255),
  "correct_responses.0.pattern": (value, type) =>
    (type === "numeric" ? DECIMAL.test(value) : value.length <= 255),
  result: (value) => ["correct", "wrong", "unanticipated", "neutral"].includes(value) ||
    DECIMAL.test(value),
  latency: (value) => TIMESPAN.test(value),
  time: (value) => TIME.test(value),
  weighting: (value) => DECIMAL.test(value),
};

// The calls that write or end something, as [name, element or argument, value].
const writesOf = (calls) => calls.filter(({ name }) => /^LMS(SetValue|Commit|Finish)$/.test(name))
  .map(({ name, args }) => [name, ...args]);

// Every fault found, as a line of text; none for calls that keep to the standard.
function faultsIn(calls) {
  const faults = [];
  const fault = (index, text) => faults.push(`call ${index} (${calls[index].name}): ${text}`);
  if (calls[0]?.name !== "LMSInitialize" || calls[0].args[0] !== "") {
    faults.push("the first call is not LMSInitialize(\"\")");
  }
  const finish = calls.findIndex(({ name }) => name === "LMSFinish");
  if (finish >= 0 && finish !== calls.length - 1) {
    fault(finish + 1, "after LMSFinish");
  }
  // The interactions the platform had, and their types as written.
  let count = Number(calls.find(({ name, args }) => name === "LMSGetValue" &&
                                args[0] === "cmi.interactions._count")?.result ?? 0);
  const types = new Map();
  calls.forEach(({ name, args, error }, index) => {
    if (error !== undefined && error !== "0") {
      fault(index, `error ${error}`);
    }
    if (["LMSInitialize", "LMSCommit", "LMSFinish"].includes(name) && args[0] !== "") {
      fault(index, `argument "${args[0]}"`);
    }
    if (name !== "LMSSetValue") {
      return;
    }
    const [element, value] = args;
    if (typeof value !== "string") {
      fault(index, `${element} set to a ${typeof value}`);
      return;
    }
    const interaction = /^cmi\.interactions\.(\d+)\.(.+)$/.exec(element);
    if (!interaction) {
      if (!CORE[element]?.(value)) {
        fault(index, `${element} = "${value}"`);
      }
      return;
    }
    const [, n, field] = interaction;
    if (Number(n) > count || (Number(n) === count && field !== "id")) {
      fault(index, `${element} before the interaction's id, or out of order`);
    }
    count = Math.max(count, Number(n) + 1);
    if (field === "type") {
      types.set(n, value);
    }
    if (!INTERACTION[field]?.(value, types.get(n))) {
      fault(index, `${element} = "${value}"`);
    }
  });
  return faults;
}

module.exports = { faultsIn, writesOf };
