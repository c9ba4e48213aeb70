// A stand-in for Moodle's SCORM player page (mod/scorm/player.php) for the browser tests, with
// Moodle's rules from moodle_rules.js: the activity's settings, the learner's attempts with
// their tracks, and launch(), which opens the attempt Moodle would open, in its mode, with the
// runtime Moodle installs as window.API, and the package in the frame "sco". Every call the
// package makes is recorded in calls as { name, args, result, error }, the result as text, and
// type where the runtime returned something else than a string (Moodle hands back numbers).
// All of it as window.moodle.
"use strict";

(function player() {
  const rules = window.moodleRules;
  const NAMES = ["LMSInitialize", "LMSFinish", "LMSGetValue", "LMSSetValue", "LMSCommit"];
  const SUPPORT = ["LMSGetLastError", "LMSGetErrorString", "LMSGetDiagnostic"];

  const moodle = {
    settings: { ...rules.SETTINGS },
    learner: { username: "4711", firstname: "Maxi", lastname: "Muster" },
    attempts: [], // [{ number, tracks: { element: value } }]
    calls: [], // the current launch's
    launches: [], // [{ attempt, mode, entry, credit, calls }], one per launch
    launch,
    closePackage,
    gradebook: () => rules.gradebook(moodle.attempts, moodle.settings),
    tracks: (number) => ({ ...rules.tracksOf(moodle.attempts, number) }),
    attemptStatus(number) {
      const tracks = rules.tracksOf(moodle.attempts, number);
      return { status: tracks["cmi.core.lesson_status"] ?? "", finished: rules.finished(tracks),
               suspended: tracks["cmi.core.exit"] === "suspend" };
    },
    report: () => rules.interactionsReport(moodle.attempts, moodle.settings),
  };
  window.moodle = moodle;

  // What Moodle reads from the package's manifest for its first SCO.
  async function readManifest(address) {
    const url = new URL("imsmanifest.xml", new URL(address, window.location.href));
    const response = await fetch(url);
    if (!response.ok) throw new Error(`no manifest at ${url}`);
    const xml = new DOMParser().parseFromString(await response.text(), "application/xml");
    const item = [...xml.getElementsByTagNameNS("*", "item")]
      .find((element) => element.hasAttribute("identifierref"));
    const field = (name) => [...(item?.children ?? [])]
      .find((child) => child.localName === name)?.textContent;
    return { datafromlms: field("datafromlms"), masteryscore: field("masteryscore"),
             maxtimeallowed: field("maxtimeallowed"), timelimitaction: field("timelimitaction") };
  }

  function recording(runtime, calls) {
    const api = {};
    for (const name of [...NAMES, ...SUPPORT]) {
      api[name] = (...args) => {
        const value = runtime[name](...args);
        calls.push({ name, args, result: String(value),
                     ...(SUPPORT.includes(name) ? {} : { error: runtime.LMSGetLastError() }),
                     ...(typeof value === "string" ? {} : { type: typeof value }) });
        return value;
      };
    }
    return api;
  }

  // The learner enters the activity, asking for a new attempt or not: resolves, once the
  // package's page has loaded, to the attempt opened, its mode, entry and credit.
  async function launch(address, { newAttempt = false, mode = "normal" } = {}) {
    closePackage();
    const sco = await readManifest(address);
    const { runtime, ...launched } = rules.launch(moodle.attempts, moodle.settings, {
      newAttempt, mode, sco, learner: moodle.learner, now: Math.floor(Date.now() / 1000) });
    const calls = [];
    window.API = recording(runtime, calls);
    moodle.calls = calls;
    moodle.launches.push({ ...launched, calls });
    const frame = document.createElement("iframe");
    Object.assign(frame, { id: "sco", title: "Lernpaket", width: "1000", height: "700" });
    const loaded = new Promise((resolve) => {
      frame.addEventListener("load", resolve, { once: true });
    });
    frame.src = address;
    document.body.append(frame);
    await loaded;
    return launched;
  }

  // The package's frame goes, as when the platform's window closes (its pagehide runs).
  function closePackage() {
    document.getElementById("sco")?.remove();
  }
})();
