// The choice of the model in a mixed round: before the learner types the number, three buttons
// in the problem's own words ask which relation holds ("Je mehr Kühe, desto länger reicht das
// Heu", "… desto kürzer …", "Das hängt nicht von der Anzahl der Kühe ab"). They come up where the
// learner has just tapped, so they take a tap only after a quiet moment (guard.js). The choice
// is judged with the answer, not here, so that it does not give the model away.

import { modelChoices } from "../shared/problem_text.js";
import { keepInView } from "./answer.js";
import { createGuard } from "./guard.js";

// The group and its three buttons (elements of the page, in the order of modelChoices); onChoose
// hears the model chosen.
export function createModelChoice({ group, buttons }, window, onChoose) {
  const guard = createGuard(buttons, window);
  let open = false;

  buttons.forEach((button) => button.addEventListener("click", () => {
    if (open && guard.allows()) {
      open = false;
      group.hidden = true;
      guard.reset();
      onChoose(button.dataset.model);
    }
  }));

  return {
    // Asks for the model of problem.
    ask(problem) {
      modelChoices(problem).forEach(({ model, label }, at) => {
        buttons[at].dataset.model = model;
        buttons[at].textContent = label;
      });
      open = true;
      group.hidden = false;
      guard.arm();
      buttons[0].focus({ preventScroll: true });
      keepInView(group);
    },

    hide() {
      open = false;
      group.hidden = true;
      guard.reset();
    },
  };
}
