// A stand-in platform with the oddities that real ones have, chosen in the address's hash:
//   package=NAME   the package to load (scorm12-NAME), 10 by default
//   refuse         LMSInitialize answers "false"
//   slow=MS        every call takes that long, holding the thread as a synchronous request does
//   lastError=X    LMSGetLastError answers X ("null" for null) whatever happened
//   throwOn=EL     LMSGetValue throws for that element
//   launch=, entry=, suspend=, mode=, credit=   what the launch hands the package
// Every call is recorded with its arguments, result and the time it began and ended, as
// window.platform.calls.
"use strict";

const asked = new URLSearchParams(location.hash.slice(1));
const store = {
  "cmi.launch_data": asked.get("launch") ?? "anzahl=2",
  "cmi.core.entry": asked.get("entry") ?? "ab-initio",
  "cmi.suspend_data": asked.get("suspend") ?? "",
  "cmi.core.lesson_mode": asked.get("mode") ?? "normal",
  "cmi.core.credit": asked.get("credit") ?? "credit",
  "cmi.interactions._count": "0",
};
const calls = [];
const slow = Number(asked.get("slow") ?? 0);

function recorded(name, answer) {
  return (...args) => {
    const began = Date.now();
    while (Date.now() < began + slow) {
      // held, as a synchronous request to a slow server holds the page
    }
    const result = answer(...args);
    calls.push({ name, args, result, began, ended: Date.now() });
    return result;
  };
}

window.API = {
  LMSInitialize: recorded("LMSInitialize", () => (asked.has("refuse") ? "false" : "true")),
  LMSGetValue: recorded("LMSGetValue", (element) => {
    if (asked.get("throwOn") === element) {
      throw new Error("kaputt");
    }
    return store[element] ?? "";
  }),
  LMSSetValue: recorded("LMSSetValue", (element, value) => {
    store[element] = value;
    return "true";
  }),
  LMSCommit: recorded("LMSCommit", () => "true"),
  LMSFinish: recorded("LMSFinish", () => "true"),
  LMSGetLastError: recorded("LMSGetLastError", () => {
    const error = asked.get("lastError");
    return error === "null" ? null : error ?? "0";
  }),
  LMSGetErrorString: recorded("LMSGetErrorString", () => "Fehler"),
  LMSGetDiagnostic: recorded("LMSGetDiagnostic", () => ""),
};

window.platform = { calls, store };
document.getElementById("sco").src =
  `/pluginfile.php/123/mod_scorm/content/${asked.get("package") ?? "10"}/index.html`;
