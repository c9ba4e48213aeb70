// Reading aloud: what is read (which voice may read is tested in the browser).
import assert from "node:assert";
import { test } from "node:test";
import { spokenProblem } from "../../web/shared/problem_text.js";
import { problem } from "./records.mjs";

test("a problem is read in correct German with umlauts", () => {
  assert.strictEqual(spokenProblem(problem("supply", 2, 7, 3, 4)), "7 Kühe kommen mit dem " +
                     "gemähten Heu 12 Monate aus. Wie viele Monate reicht das Heu für 3 Kühe?");
  assert.strictEqual(spokenProblem(problem("work", 2, 9, 11, 14)), "Eine Gruppe von 9 " +
                     "Bergmännern schafft die vorgegebene Arbeit durchschnittlich in 154 Tagen. " +
                     "Wie viele Tage braucht dann eine Gruppe von 11 Bergmännern?");
});
