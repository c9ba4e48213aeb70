// The working of a wrongly answered problem, beside the transcript: the program hands over its
// three lines after the feedback (Module.offerWorking), and a button shows them. The dialogue
// itself stays as the program wrote it.

const working = document.getElementById("working");
const workingButton = document.getElementById("working-button");
const workingLines = document.getElementById("working-lines");

// Three lines such as "7 Kuehe -> 12 Monate"; the page sets the arrows and dots properly.
export function offerWorking(text) {
  workingLines.replaceChildren(...text.trimEnd().split("\n").map((line) => {
    const item = document.createElement("li");
    item.textContent = line.replace(" -> ", " → ").replace(" * ", " · ");
    return item;
  }));
  workingLines.hidden = true;
  workingButton.setAttribute("aria-expanded", "false");
  working.hidden = false;
}

export function withdrawWorking() {
  working.hidden = true;
  workingLines.replaceChildren();
}

workingButton.addEventListener("click", () => {
  workingLines.hidden = !workingLines.hidden;
  workingButton.setAttribute("aria-expanded", String(!workingLines.hidden));
});
