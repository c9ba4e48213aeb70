// Reading the current problem aloud through the browser's speech synthesis, only with a voice
// that runs on the device, so that no text leaves it. Where the browser has no such German
// voice there is no button.

import { spokenProblem } from "../shared/problem_text.js";

// The voice to read with: a German one that runs on the device, the browser's default among
// them first; null when there is none.
export function localGermanVoice(voices) {
  const german = voices.filter((voice) => voice.localService && /^de(\b|[-_])/i.test(voice.lang));
  return german.find((voice) => voice.default) ?? german[0] ?? null;
}

// The "Vorlesen" button of window's page: shown while a problem is open and a voice is there.
export function createReader(window, button) {
  const synthesis = window.speechSynthesis;
  let voice = null;
  let problem = null;

  const update = () => {
    button.hidden = !(voice && problem);
  };
  const findVoice = () => {
    voice = localGermanVoice(synthesis.getVoices());
    update();
  };
  if (synthesis) {
    findVoice();
    synthesis.addEventListener?.("voiceschanged", findVoice);
  }

  button.addEventListener("click", () => {
    if (!voice || !problem) {
      return;
    }
    synthesis.cancel();
    const utterance = new window.SpeechSynthesisUtterance(spokenProblem(problem));
    utterance.voice = voice;
    utterance.lang = voice.lang;
    synthesis.speak(utterance);
  });

  return {
    // The problem whose question is open, or null: the button shows only with one.
    read(open) {
      problem = open;
      // Asked only while it speaks: the call itself is slow on some systems.
      if (!open && (synthesis?.speaking || synthesis?.pending)) {
        synthesis.cancel();
      }
      update();
    },
  };
}
