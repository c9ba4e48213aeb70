// How Moodle's SCORM activity treats a SCORM 1.2 package, as plain functions over plain data
// (MOODLE.md has the rules and where Moodle keeps them): which attempt a launch opens and in
// which mode, the data the runtime starts with, the runtime's data model and error codes, what
// it sends at LMSCommit and LMSFinish, how the server keeps it, and the grade. A learner's
// attempts are [{ number, tracks: { element: value } }], the tracks as Moodle's table holds
// them (text, interactions as cmi.interactions_N.field). The player page (moodle.js) and the
// Node tests load this file; it is a classic script in the one and CommonJS in the other.
"use strict";

(function rules(exports) {
  const SETTINGS = Object.freeze({
    grademethod: "GRADEHIGHEST", // GRADESCOES, GRADEHIGHEST, GRADEAVERAGE, GRADESUM
    whatgrade: "HIGHESTATTEMPT", // HIGHESTATTEMPT, AVERAGEATTEMPT, FIRSTATTEMPT, LASTATTEMPT
    maxgrade: 100,
    masteryoverride: true,
    forcenewattempt: "SCORM_FORCEATTEMPT_NO", // _NO, _ONCOMPLETE, _ALWAYS
    maxattempt: 0, // unlimited
    lastattemptlock: false,
    forcecompleted: false,
    hidebrowse: false,
    scormstandard: false, // off: the learner's name as Moodle's full name
    scorm12standard: false, // the old key the runtime's string limits still read
  });
  const FINISHED = ["completed", "passed", "failed"];
  // The children lists Moodle gives a rebuilt item's child objects (an interaction's
  // objectives get the objectives' list).
  const CHILDREN = { objectives: "id,score,status", correct_responses: "pattern",
                     score: "raw,min,max" };

  // The data types as Moodle's runtime checks them. Its patterns come from strings with "\."
  // in them, which is an unescaped dot: a decimal's point, a time's hundredths separator and
  // a numeric result's point match any character.
  const DECIMAL = /^-?[0-9]{0,3}(.[0-9]*)?$/;
  const SINTEGER = /^-?[0-9]+$/;
  const TIME = /^[0-2][0-9]:[0-5][0-9]:[0-5][0-9](.[0-9]{1,2})?$/;
  const TIMESPAN = /^[0-9]{2,4}:[0-9]{2}:[0-9]{2}(.[0-9]{1,2})?$/;
  const IDENTIFIER = /^[\u0021-\u007E]{0,255}$/; // printable ASCII, no blank, may be empty
  const vocabulary = (...words) => new RegExp(`^(${words.join("|")})$`);
  const STATUS = vocabulary("passed", "completed", "failed", "incomplete", "browsed");
  const STATUS2 = vocabulary("passed", "completed", "failed", "incomplete", "browsed",
                             "not attempted");
  const EXIT = vocabulary("time-out", "suspend", "logout", "");
  const TYPE = vocabulary("true-false", "choice", "fill-in", "matching", "performance",
                          "sequencing", "likert", "numeric");
  const RESULT = /^(correct|wrong|unanticipated|neutral|[0-9]{0,3}(.[0-9]*)?)$/;
  const NAV = vocabulary("previous", "continue");
  const string = (limit) => new RegExp(`^[\\u0000-\\uFFFF]{0,${limit}}$`);

  // The data model: mod r (read-only), rw or w (write-only); for the read-only, the value (a
  // keyword's) or the def entry it takes; for the writable, the type and range. A .n. stands
  // for an index. Errors: 402 writing a keyword, 403 another read-only, 404 reading a
  // write-only, 405 a value of the wrong type or range.
  const keyword = (value) => ({ mod: "r", value, writeerror: "402" });
  const given = { mod: "r", writeerror: "403", fromDef: true };
  const rw = (format, range) => ({ mod: "rw", format, range, writeerror: "405", fromDef: true });
  const wo = (format, range) => ({ mod: "w", format, range, writeerror: "405", readerror: "404" });
  const item = (entry, value) => ({ ...entry, fromDef: false, value });
  function dataModel(limits) {
    const [s256, s4096] = limits.map(string);
    return {
      "cmi._children": keyword("core,suspend_data,launch_data,comments,objectives,student_data," +
                               "student_preference,interactions"),
      "cmi._version": keyword("3.4"),
      "cmi.core._children": keyword("student_id,student_name,lesson_location,credit," +
        "lesson_status,entry,score,total_time,lesson_mode,exit,session_time"),
      "cmi.core.student_id": given,
      "cmi.core.student_name": given,
      "cmi.core.lesson_location": rw(s256),
      "cmi.core.credit": given,
      "cmi.core.lesson_status": rw(STATUS),
      "cmi.core.entry": given,
      "cmi.core.score._children": keyword("raw,min,max"),
      "cmi.core.score.raw": rw(DECIMAL, [0, 100]),
      "cmi.core.score.max": rw(DECIMAL, [0, 100]),
      "cmi.core.score.min": rw(DECIMAL, [0, 100]),
      "cmi.core.total_time": given,
      "cmi.core.lesson_mode": given,
      "cmi.core.exit": { ...rw(EXIT), mod: "w", readerror: "404" },
      "cmi.core.session_time": item(wo(TIMESPAN), "00:00:00"),
      "cmi.suspend_data": rw(s4096),
      "cmi.launch_data": given,
      "cmi.comments": rw(s4096),
      "cmi.evaluation.comments._count": keyword("0"),
      "cmi.evaluation.comments._children": keyword("content,location,time"),
      "cmi.evaluation.comments.n.content": item(rw(s256), ""),
      "cmi.evaluation.comments.n.location": item(rw(s256), ""),
      "cmi.evaluation.comments.n.time": item(rw(TIME), ""),
      "cmi.comments_from_lms": { mod: "r", writeerror: "403" },
      "cmi.objectives._children": keyword("id,score,status"),
      "cmi.objectives._count": keyword("0"),
      "cmi.objectives.n.id": item(rw(IDENTIFIER)),
      "cmi.objectives.n.score._children": { mod: "r", writeerror: "402" },
      "cmi.objectives.n.score.raw": item(rw(DECIMAL, [0, 100]), ""),
      "cmi.objectives.n.score.min": item(rw(DECIMAL, [0, 100]), ""),
      "cmi.objectives.n.score.max": item(rw(DECIMAL, [0, 100]), ""),
      "cmi.objectives.n.status": item(rw(STATUS2)),
      "cmi.student_data._children": keyword("mastery_score,max_time_allowed,time_limit_action"),
      "cmi.student_data.mastery_score": given,
      "cmi.student_data.max_time_allowed": given,
      "cmi.student_data.time_limit_action": given,
      "cmi.student_preference._children": keyword("audio,language,speed,text"),
      "cmi.student_preference.audio": rw(SINTEGER, [-1, 100]),
      "cmi.student_preference.language": rw(s256),
      "cmi.student_preference.speed": rw(SINTEGER, [-100, 100]),
      "cmi.student_preference.text": rw(SINTEGER, [-1, 1]),
      "cmi.interactions._children": keyword("id,objectives,time,type,correct_responses," +
                                            "weighting,student_response,result,latency"),
      "cmi.interactions._count": keyword("0"),
      "cmi.interactions.n.id": wo(IDENTIFIER),
      "cmi.interactions.n.objectives._count": keyword("0"),
      "cmi.interactions.n.objectives.n.id": wo(IDENTIFIER),
      "cmi.interactions.n.time": wo(TIME),
      "cmi.interactions.n.type": wo(TYPE),
      "cmi.interactions.n.correct_responses._count": keyword("0"),
      "cmi.interactions.n.correct_responses.n.pattern": wo(s256),
      "cmi.interactions.n.weighting": wo(DECIMAL, [-100, 100]),
      "cmi.interactions.n.student_response": wo(s256),
      "cmi.interactions.n.result": wo(RESULT),
      "cmi.interactions.n.latency": wo(TIMESPAN),
      "nav.event": item(wo(NAV), ""),
    };
  }

  // An element's name in the model (indexes as .n.), and as the runtime keeps it and the
  // server stores it (cmi.interactions_0.id). Moodle's index pattern ends in any character.
  const generic = (element) => String(element).replace(/[._](\d+)./g, ".n.");
  const internal = (element) => String(element).replace(/[._](\d+)./g, "_$1.");
  // Moodle compares the calls' arguments with "" loosely: a missing one is not blank.
  // eslint-disable-next-line eqeqeq
  const blank = (value) => value == "";
  // The limits of its 255 and 4096 character strings: the standard's only under a settings
  // key that Moodle renamed (scorm12standard, now scormstandard), so in effect never.
  const stringLimits = (settings) => (settings.scorm12standard ? [255, 4096] : [64000, 64000]);

  // The total time after a session as Moodle adds it: hours, minutes, seconds and, always,
  // two digits of hundredths (read as a whole number, so ".5" counts as 5).
  function addTime(first, second) {
    const [a, b] = [first, second].map((time) => {
      const [hours, minutes, rest] = time.split(":");
      const [seconds, cents = "0"] = rest.split(".");
      return [hours, minutes, seconds, cents].map((field) => parseInt(field, 10));
    });
    let cents = a[3] + b[3];
    let carry = Math.floor(cents / 100);
    cents -= carry * 100;
    let seconds = a[2] + b[2] + carry;
    carry = Math.floor(seconds / 60);
    seconds -= carry * 60;
    let minutes = a[1] + b[1] + carry;
    carry = Math.floor(minutes / 60);
    minutes -= carry * 60;
    const hours = a[0] + b[0] + carry;
    const two = (n) => (n < 10 ? `0${n}` : String(n));
    return `${two(hours)}:${two(minutes)}:${two(seconds)}.${two(cents)}`;
  }

  // The runtime Moodle's player page installs as window.API (scorm_12.js), for one launch.
  // def: the values the launch starts with (scormDefaults); tracks: the attempt's stored
  // tracks, whose interactions and objectives it rebuilds; store(pairs, finishing): receives
  // what StoreData sends, [element, text] pairs, and returns whether the server kept them.
  function createRuntime({ def, tracks = {}, masteryoverride = true, store,
                           limits = [64000, 64000] }) {
    const model = dataModel(limits);
    let values; // the runtime's cmi, flat: internal name -> value (string or number)
    let objects; // the objects that exist in it (cmi.interactions_0, ...)
    let sent; // per element, the value last sent or started with, as StoreData compares
    let initialized = false;
    let error = "0";

    function reset() {
      values = new Map();
      objects = new Set(["cmi", "cmi.core", "cmi.core.score", "cmi.objectives", "cmi.student_data",
                         "cmi.student_preference", "cmi.interactions", "cmi.evaluation",
                         "cmi.evaluation.comments", "nav"]);
      // What was sent this launch stays: a second LMSInitialize starts from it.
      sent ??= new Map(Object.entries(model).filter(([name]) => !name.includes(".n."))
        .map(([name, entry]) => [name, entry.fromDef ? def[name] : entry.value]));
      for (const name of Object.keys(model)) {
        if (name.startsWith("cmi.") && !name.includes(".n.")) {
          values.set(name, sent.get(name) ?? "");
        }
      }
      if (values.get("cmi.core.lesson_status") === "") {
        values.set("cmi.core.lesson_status", "not attempted");
      }
      rebuild("cmi.interactions", ["objectives", "correct_responses"]);
      rebuild("cmi.objectives", ["score"]);
    }
    // The stored interactions or objectives as Moodle writes them into its page: each item
    // with its child objects, the counts as numbers, a child's count only where it has items.
    function rebuild(array, children) {
      const names = Object.keys(tracks).filter((name) => name.startsWith(`${array}_`));
      const indexes = new Set();
      for (const name of names) {
        const [, index] = /^cmi\.[a-z]+_(\d+)\./.exec(name) ?? [];
        if (index === undefined) continue;
        const path = `${array}_${index}`;
        indexes.add(index);
        objects.add(path);
        for (const child of children) {
          objects.add(`${path}.${child}`);
          values.set(`${path}.${child}._children`, CHILDREN[child]);
        }
        const sub = /^\.([a-z_]+)_(\d+)\.[a-z_]+$/.exec(name.slice(path.length));
        if (sub) {
          const collection = `${path}.${sub[1]}`;
          objects.add(`${collection}_${sub[2]}`);
          const items = names.filter((other) => other.startsWith(`${collection}_`))
            .map((other) => other.slice(collection.length + 1).split(".")[0]);
          values.set(`${collection}._count`, new Set(items).size);
        }
        values.set(name, tracks[name]);
      }
      if (indexes.size > 0) values.set(`${array}._count`, indexes.size);
    }

    const exists = (name) => objects.has(name) || values.has(name);
    const fail = (code, result) => {
      error = code;
      return result;
    };

    function LMSInitialize(param) {
      reset(); // Moodle rebuilds its data model on every call, before it looks at the argument
      if (!blank(param)) return fail("201", "false");
      if (initialized) return fail("101", "false");
      initialized = true;
      return fail("0", "true");
    }

    function LMSGetValue(element) {
      if (!initialized) return fail("301", "");
      if (blank(element)) return fail("201", "");
      const entry = model[generic(element)];
      if (!entry) {
        const parent = /^(.*)\._(children|count)$/.exec(generic(element));
        const code = parent && model[parent[1]] ? (parent[2] === "children" ? "202" : "203")
          : "201";
        return fail(code, "");
      }
      if (entry.mod === "w") return fail(entry.readerror, "");
      const name = internal(element); // one that does not exist yet reads "", without an error
      return fail("0", values.has(name) ? values.get(name) : "");
    }

    // Creates the array items an indexed element lies in, as Moodle's runtime does, whether
    // or not the value is then kept; an index past the count is error 201.
    function createItems(element) {
      const segments = String(element).split(".");
      let path = segments[0];
      let code = "0";
      for (let i = 1; i < segments.length - 1; i += 1) {
        if (/^\d+$/.test(segments[i + 1])) {
          const collection = `${path}.${segments[i]}`;
          if (!exists(collection)) {
            objects.add(collection);
            values.set(`${collection}._count`, 0);
          }
          // A rebuilt item's child may have no count: then no index matches or exceeds it.
          const count = `${collection}._count`;
          const index = Number(segments[i + 1]);
          if (index === Number(values.get(count))) values.set(count, index + 1);
          if (index > Number(values.get(count))) code = "201";
          path = `${collection}_${segments[i + 1]}`;
          i += 1;
        } else {
          path = `${path}.${segments[i]}`;
        }
        if (!exists(path)) {
          objects.add(path);
          if (path.startsWith("cmi.objectives")) {
            objects.add(`${path}.score`);
            values.set(`${path}.score._children`, "raw,min,max");
            for (const score of ["raw", "min", "max"]) values.set(`${path}.score.${score}`, "");
          }
          if (path.startsWith("cmi.interactions")) {
            for (const sub of ["objectives", "correct_responses"]) {
              objects.add(`${path}.${sub}`);
              values.set(`${path}.${sub}._count`, 0);
            }
          }
        }
      }
      return { name: `${path}.${segments.at(-1)}`, code };
    }

    function LMSSetValue(element, value) {
      if (!initialized) return fail("301", "false");
      if (blank(element)) return fail("201", "false");
      const entry = model[generic(element)];
      if (!entry) return fail("201", "false");
      if (entry.mod === "r") return fail(entry.writeerror, "false");
      const text = String(value);
      if (!entry.format.test(text)) return fail(entry.writeerror, "false");
      const { name, code } = generic(element) === element ? { name: element, code: "0" }
        : createItems(element);
      if (code !== "0") return fail(code, "false");
      if (entry.range) {
        const number = text * 1.0; // "" is 0; anything else that is no number fails
        if (!(number >= entry.range[0] && number <= entry.range[1])) {
          return fail(entry.writeerror, "false");
        }
        values.set(name, number); // kept, and read back, as a number
      } else {
        values.set(name, name === "cmi.comments" ? values.get(name) + text : text);
      }
      return fail("0", "true");
    }

    // What StoreData sends: every writable element whose value differs from the one last
    // sent or started with (loosely, or in its type), and at the finish the total time.
    function collect(finishing) {
      const pairs = [];
      for (const [name, value] of values) {
        const entry = model[name] ?? model[generic(name)];
        if (!name.startsWith("cmi.") || name === "cmi.core.session_time" || !entry ||
            entry.mod === "r") continue;
        // An item's element starts from its kind's value, where the kind has one.
        if (!sent.has(name) && !(name in model)) sent.set(name, entry.value);
        const before = sent.get(name);
        // eslint-disable-next-line eqeqeq -- Moodle compares loosely, then the types
        if (before === undefined || before != value || typeof before !== typeof value) {
          pairs.push([name, String(value)]);
          sent.set(name, value);
        }
      }
      if (finishing) {
        pairs.push(["cmi.core.total_time", addTime(String(values.get("cmi.core.total_time")),
                                                   String(values.get("cmi.core.session_time")))]);
      }
      return pairs;
    }

    function storeData(finishing) {
      if (finishing) {
        if (values.get("cmi.core.lesson_status") === "not attempted") {
          values.set("cmi.core.lesson_status", "completed");
        }
        const raw = values.get("cmi.core.score.raw");
        const mastery = values.get("cmi.student_data.mastery_score");
        if (values.get("cmi.core.lesson_mode") === "normal" &&
            values.get("cmi.core.credit") === "credit" && masteryoverride &&
            mastery !== "" && raw !== "") {
          values.set("cmi.core.lesson_status",
                     parseFloat(raw) >= parseFloat(mastery) ? "passed" : "failed");
        }
      }
      return store(collect(finishing), finishing) ? "true" : "false";
    }

    function LMSCommit(param) {
      if (!blank(param)) return fail("201", "false");
      if (!initialized) return fail("301", "false");
      const result = storeData(false);
      return fail(result === "true" ? "0" : "101", result);
    }

    function LMSFinish(param) {
      if (!blank(param)) return fail("201", "false");
      if (!initialized) return fail("301", "false");
      initialized = false;
      const result = storeData(true);
      return fail(result === "true" ? "0" : "101", result);
    }

    const STRINGS = { 0: "No error", 101: "General exception", 201: "Invalid argument error",
                      202: "Element cannot have children",
                      203: "Element not an array - cannot have count", 301: "Not initialized",
                      401: "Not implemented error",
                      402: "Invalid set value, element is a keyword", 403: "Element is read only",
                      404: "Element is write only", 405: "Incorrect data type" };
    return {
      LMSInitialize, LMSFinish, LMSGetValue, LMSSetValue, LMSCommit,
      LMSGetLastError: () => error,
      LMSGetErrorString: (code) => (blank(code) ? "" : STRINGS[code]),
      LMSGetDiagnostic: (code) => (blank(code) ? error : code),
    };
  }

  // The attempts' numbers and tracks.
  const numbers = (attempts) => attempts.filter(({ tracks }) => Object.keys(tracks).length > 0)
    .map(({ number }) => number);
  const lastAttempt = (attempts) => Math.max(1, ...numbers(attempts));
  const tracksOf = (attempts, number) => attempts.find((a) => a.number === number)?.tracks ?? {};
  const finished = (tracks) => FINISHED.includes(tracks["cmi.core.lesson_status"]);

  // Which attempt a launch opens, and in which mode (normal, review or browse), from the
  // learner's request to start a new attempt and the activity's settings.
  function checkMode(attempts, settings, { newAttempt = false, mode = "normal" } = {}) {
    const last = lastAttempt(attempts);
    if (mode === "browse" && !settings.hidebrowse) return { attempt: last, mode: "browse" };
    if (settings.forcenewattempt === "SCORM_FORCEATTEMPT_ALWAYS") {
      return { attempt: numbers(attempts).length === 0 ? 1 : last + 1, mode: "normal" };
    }
    const complete = finished(tracksOf(attempts, last));
    const wanted = complete && (newAttempt || settings.forcenewattempt !== "SCORM_FORCEATTEMPT_NO");
    if (wanted && (last < settings.maxattempt || Number(settings.maxattempt) === 0)) {
      return { attempt: last + 1, mode: "normal" };
    }
    return { attempt: last, mode: complete ? "review" : "normal" };
  }

  // Whether the player refuses the launch: the last attempt used up, with the lock set.
  const locked = (attempts, settings) => settings.lastattemptlock &&
    Number(settings.maxattempt) !== 0 && settings.maxattempt - numbers(attempts).length === 0;

  // The values the runtime starts with for an attempt's tracks; sco holds the manifest's
  // datafromlms and masteryscore, learner { username, firstname, lastname }.
  function scormDefaults(tracks, sco, learner, mode, settings) {
    const stored = (name, otherwise = "") => tracks[name] ?? otherwise;
    const entry = stored("cmi.core.lesson_status") === "" ? "ab-initio"
      : stored("cmi.core.exit") === "suspend" ? "resume" : "";
    const def = {
      "cmi.core.student_id": learner.username,
      "cmi.core.student_name": settings.scormstandard
        ? `${learner.lastname}, ${learner.firstname}` : `${learner.firstname} ${learner.lastname}`,
      "cmi.core.credit": mode === "normal" ? "credit" : "no-credit",
      "cmi.core.entry": entry,
      "cmi.core.lesson_mode": mode,
      "cmi.launch_data": sco.datafromlms ?? "",
      "cmi.student_data.mastery_score": sco.masteryscore ?? "",
      "cmi.student_data.max_time_allowed": sco.maxtimeallowed ?? "",
      "cmi.student_data.time_limit_action": sco.timelimitaction ?? "",
      "cmi.core.total_time": stored("cmi.core.total_time", "00:00:00"),
    };
    for (const name of ["cmi.core.lesson_location", "cmi.core.lesson_status", "cmi.core.score.raw",
                        "cmi.core.score.max", "cmi.core.score.min", "cmi.core.exit",
                        "cmi.suspend_data", "cmi.comments", "cmi.student_preference.language"]) {
      def[name] = stored(name);
    }
    for (const name of ["audio", "speed", "text"]) {
      def[`cmi.student_preference.${name}`] = stored(`cmi.student_preference.${name}`, "0");
    }
    return def;
  }

  // A launch as the player page makes it: the attempt and mode, the runtime with its start
  // values, whose stores go into the attempt's tracks, and the launch's start noted there
  // (which is what creates a new attempt). sco: what the manifest gives the SCO.
  function launch(attempts, settings, { newAttempt, mode, sco = {}, learner, now = 0 } = {}) {
    const opened = checkMode(attempts, settings, { newAttempt, mode });
    if (locked(attempts, settings)) throw new Error("exceededmaxattempts");
    const kept = () => {
      let attempt = attempts.find(({ number }) => number === opened.attempt);
      if (!attempt) attempts.push(attempt = { number: opened.attempt, tracks: {} });
      return attempt.tracks;
    };
    const tracks = { ...tracksOf(attempts, opened.attempt) };
    const def = scormDefaults(tracks, sco, learner, opened.mode, settings);
    const runtime = createRuntime({
      def, tracks, masteryoverride: settings.masteryoverride, limits: stringLimits(settings),
      store(pairs) {
        pairs.forEach(([element, value]) => insertTrack(kept(), element, value, settings));
        return true;
      },
    });
    insertTrack(kept(), "x.start.time", String(now), settings);
    return { ...opened, entry: def["cmi.core.entry"], credit: def["cmi.core.credit"], runtime };
  }

  // The server keeps one posted element in the attempt's tracks (scorm_insert_track); with
  // forcecompleted, an incomplete status becomes completed once a raw score is stored.
  function insertTrack(tracks, element, value, settings = SETTINGS) {
    let kept = String(value);
    if (settings.forcecompleted) {
      if (element === "cmi.core.lesson_status" && kept === "incomplete" &&
          "cmi.core.score.raw" in tracks) kept = "completed";
      if (element === "cmi.core.score.raw" && tracks["cmi.core.lesson_status"] === "incomplete") {
        tracks["cmi.core.lesson_status"] = "completed";
      }
    }
    if (!(element === "x.start.time" && element in tracks)) tracks[element] = kept;
  }

  // A raw score as the grading reads it: two decimals, "" when none is stored.
  const scoreRaw = (tracks) => ("cmi.core.score.raw" in tracks
    ? Number((parseFloat(tracks["cmi.core.score.raw"]) || 0).toFixed(2)) : "");

  // One attempt's grade by the grade method, for a package of one SCO (whose raw score is
  // then the highest, the average and the sum; a raw score of 0 counts as none, which for
  // one SCO is the same 0). The status matters only to GRADESCOES.
  function gradeAttempt(attempts, number, settings) {
    const tracks = tracksOf(attempts, number);
    if (settings.grademethod === "GRADESCOES") {
      return ["completed", "passed"].includes(tracks["cmi.core.lesson_status"]) ? 1 : 0;
    }
    const raw = scoreRaw(tracks);
    return raw === "" ? 0 : raw;
  }

  // The learner's grade over the attempts, by the attempt grading, before the gradebook.
  function gradeUser(attempts, settings) {
    const all = numbers(attempts);
    const last = lastAttempt(attempts);
    const graded = (n) => gradeAttempt(attempts, n, settings);
    switch (settings.whatgrade) {
      case "FIRSTATTEMPT":
        return graded(all.length > 0 ? Math.min(...all) : 1);
      case "LASTATTEMPT": {
        const completed = attempts.filter(({ tracks }) =>
          Object.values(tracks).some((value) => ["completed", "passed"].includes(value)));
        return graded(Math.max(1, ...completed.map(({ number }) => number)));
      }
      case "AVERAGEATTEMPT": {
        const element = settings.grademethod === "GRADESCOES" ? "cmi.core.lesson_status"
          : "cmi.core.score.raw";
        const counted = attempts.filter(({ tracks }) => element in tracks).length;
        if (counted === 0) return 0;
        let sum = 0;
        for (let n = 1; n <= last; n += 1) sum += graded(n);
        return Math.round(sum / counted);
      }
      case "HIGHESTATTEMPT":
      default: {
        const capped = Number(settings.maxattempt) !== 0 && last >= settings.maxattempt
          ? Number(settings.maxattempt) : last;
        let best = 0;
        for (let n = 1; n <= capped; n += 1) best = Math.max(best, graded(n));
        return best;
      }
    }
  }

  // The grade the gradebook shows: the raw grade taken as points of the maximum, cut off at
  // it, not scaled; none before the learner has tracks.
  function gradebook(attempts, settings) {
    if (numbers(attempts).length === 0) return null;
    const max = settings.grademethod === "GRADESCOES" ? 1 : Number(settings.maxgrade);
    if (max === 0) return 0;
    return Math.min(max, Math.max(0, gradeUser(attempts, settings)));
  }

  // The interactions report: one row per attempt, its grade, the SCO's score (or status),
  // and per question (as many as the most any attempt has) its id, response, right answers
  // and result; "" where the attempt has none.
  function interactionsReport(attempts, settings) {
    const ids = attempts.flatMap(({ tracks }) => Object.keys(tracks))
      .map((name) => /^cmi\.interactions_(\d+)\.id$/.exec(name)?.[1]).filter(Boolean);
    const count = ids.length ? Math.max(...ids.map(Number)) + 1 : 0;
    return attempts.filter(({ tracks }) => Object.keys(tracks).length > 0)
      .sort((a, b) => a.number - b.number).map(({ number, tracks }) => {
        const field = (i, name) => tracks[`cmi.interactions_${i}.${name}`] ?? "";
        const right = (i) => {
          const patterns = [];
          const next = () => `cmi.interactions_${i}.correct_responses_${patterns.length}.pattern`;
          while (next() in tracks) patterns.push(tracks[next()]);
          return patterns.join(",");
        };
        const raw = scoreRaw(tracks);
        return {
          attempt: number,
          score: gradeAttempt(attempts, number, settings),
          sco: raw !== "" ? String(raw)
            : (tracks["cmi.core.lesson_status"] ?? "notattempted").replace("not attempted",
                                                                            "notattempted"),
          questions: Array.from({ length: count }, (_, i) => ({
            question: field(i, "id"), response: field(i, "student_response"), right: right(i),
            result: field(i, "result") })),
        };
      });
  }

  exports.SETTINGS = SETTINGS;
  Object.assign(exports, { addTime, checkMode, createRuntime, finished, generic, gradeAttempt,
                           gradeUser, gradebook, insertTrack, interactionsReport, internal,
                           lastAttempt, launch, locked, scormDefaults, stringLimits, tracksOf });
})(typeof module === "object" ? module.exports : (window.moodleRules = {}));
