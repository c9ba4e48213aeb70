// A control that a stray second tap or key must not reach. When the continue question or the
// end of a round appears, its buttons come up where the learner has just tapped or pressed
// Enter: on a phone "Nächste Aufgabe" scrolls into the place of "OK", and a double tap or a
// double Enter would skip the working or wipe the score. So for a moment the buttons are
// marked as not yet available (aria-disabled, which keeps them focusable) and take nothing;
// every try in that moment starts it anew, so that hammering never gets through and only a
// deliberate act does.

export const QUIET = 700; // ms: well past a double tap (80–250 ms) or a quick second Enter

// A guard over buttons; timers as window provides them (setTimeout, clearTimeout).
export function createGuard(buttons, timers, quiet = QUIET) {
  let timer = null;

  function release() {
    timer = null;
    for (const button of buttons) {
      button.removeAttribute("aria-disabled");
    }
  }

  function arm() {
    timers.clearTimeout(timer);
    for (const button of buttons) {
      button.setAttribute("aria-disabled", "true");
    }
    timer = timers.setTimeout(release, quiet);
  }

  return {
    arm,

    // Whether an act goes through now; one that does not starts the quiet moment anew.
    allows() {
      if (timer === null) {
        return true;
      }
      arm();
      return false;
    },

    // No quiet moment: the buttons are gone or another question is open.
    reset() {
      timers.clearTimeout(timer);
      release();
    },
  };
}
