// The "Tipp" button while the answer question is open: each tap adds the next of the problem's
// hints (tutor.js) to a list in a status region, so that screen readers hear it too. The last
// hint hides the button and gives the field the focus back.

import { keepInView } from "./answer.js";
import { hints } from "./tutor.js";

// The button and the list (elements of the page) and the field to go back to; onUse is told
// the first time a problem's hint is shown.
export function createTips({ button, list, field }, onUse) {
  let steps = [];
  let shown = 0;

  button.addEventListener("click", () => {
    if (shown >= steps.length) {
      return;
    }
    const item = list.ownerDocument.createElement("li");
    item.textContent = `Tipp ${shown + 1} von ${steps.length}: ${steps[shown]}`;
    list.append(item);
    keepInView(item);
    shown += 1;
    if (shown === 1) {
      onUse();
    }
    if (shown === steps.length) {
      button.hidden = true;
      field.focus({ preventScroll: true });
    }
  });

  return {
    // A new problem: its hints, none shown yet.
    pose(problem) {
      steps = hints(problem);
      shown = 0;
      list.replaceChildren();
    },

    // Whether the button is offered: at the answer question, while hints are left.
    offer(open) {
      button.hidden = !open || shown >= steps.length;
    },

    // The hints go once the answer is given.
    clear() {
      list.replaceChildren();
      button.hidden = true;
    },
  };
}
