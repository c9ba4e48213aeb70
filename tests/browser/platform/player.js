// A stand-in for a learning platform's player page, as Moodle's is: scorm-again's SCORM 1.2
// runtime in this window as API, the package in the frame below. A test launches the package
// with the data the platform has for the learner (launch), reads every call the package made,
// with its arguments, result and error code (calls), and what the platform would hand the next
// launch (nextLaunch): entry "resume" after an exit "suspend", as Moodle does. All of it as
// window.platform.
"use strict";

const calls = [];
let runtime = null;

const NAMES = ["LMSInitialize", "LMSFinish", "LMSGetValue", "LMSSetValue", "LMSCommit"];
const SUPPORT = ["LMSGetLastError", "LMSGetErrorString", "LMSGetDiagnostic"];

function launch(data, address) {
  runtime = new Scorm12API({ autocommit: false, lmsCommitUrl: false, logLevel: 5 });
  runtime.loadFromJSON(data);
  const api = {};
  for (const name of NAMES) {
    api[name] = (...args) => {
      const result = runtime[name](...args);
      calls.push({ name, args, result: String(result), error: String(runtime.LMSGetLastError()) });
      return result;
    };
  }
  for (const name of SUPPORT) {
    api[name] = (...args) => {
      const result = runtime[name](...args);
      calls.push({ name, args, result: String(result) });
      return result;
    };
  }
  window.API = api;
  document.getElementById("sco").src = address;
}

// What the platform keeps of this launch and hands the next one. The exit is write-only, so
// it is the value the package wrote last.
function nextLaunch() {
  const { core, suspend_data, launch_data, student_data, interactions } =
    JSON.parse(JSON.stringify(runtime.cmi));
  const exits = calls.filter(({ name, args }) =>
    name === "LMSSetValue" && args[0] === "cmi.core.exit");
  return {
    core: { student_id: core.student_id, student_name: core.student_name,
            lesson_status: core.lesson_status, score: core.score, lesson_mode: "normal",
            credit: "credit", entry: exits.at(-1)?.args[1] === "suspend" ? "resume" : "" },
    suspend_data, launch_data, student_data, interactions,
  };
}

// The learner closes the package: its frame goes, as when the platform's window closes.
function closePackage() {
  document.getElementById("sco").remove();
}

window.platform = { calls, launch, nextLaunch, closePackage };
