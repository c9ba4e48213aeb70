// The dialogue as the trainer shows it, in correct German, laid out from the program's events
// in the order in which the program writes its own texts: the greeting, each problem with its
// question, the feedback, the question whether to go on, the score and verdict, the pause.
// The terminal keeps the program's own 7-bit texts; the page speaks these.

import { statement } from "../shared/problem_text.js";

export const SEPARATOR = "-".repeat(58);
export const GREETING = ["Willkommen beim Übungs-Simulator für indirekte Proportionalität!",
                         "Viel Vergnügen beim Rätseln!"];
export const ANSWER_PROMPT = "Gib dein Ergebnis ein und drücke ENTER:";
export const CONTINUE_PROMPT = ["Zum Beenden des Programms drücke 9 und ENTER,",
                                "zum Weitermachen drücke 1 und ENTER:"];
export const RIGHT = "Richtig gerechnet! :-)";
export const WRONG = "Dein Ergebnis ist leider falsch!";
export const rightAnswer = (answer) => `Das richtige Ergebnis lautet: ${answer}`;
export const summary = ({ posed, correct }) =>
  `Du hast insgesamt ${correct} von ${posed} Punkten erreicht!`;
export const BRAVO = "Bravo!";
export const PRACTISE = "Du musst noch mehr üben!";
// Learners hold tablets and phones as often as keyboards, so the pause names both.
export const PAUSE_PROMPT = "Drücke eine Taste oder tippe auf Weiter …";

// What the dialogue shows for an event: its lines (SEPARATOR for the separator, "" for an empty
// line), then the prompt that stays open on its line for the learner's answer, if the event
// opens one. Events that show nothing give no lines.
export function shownFor(event) {
  switch (event.type) {
  case "greetingShown":
    return { lines: [...GREETING, ""] };
  case "problemPosed": {
    const [given, question] = statement(event.problem);
    return { lines: [SEPARATOR, "", given, question, ""] };
  }
  case "questionOpened":
    return event.question === "answer" ? { lines: [], prompt: ANSWER_PROMPT }
      : { lines: [CONTINUE_PROMPT[0]], prompt: CONTINUE_PROMPT[1] };
  case "answerJudged":
    return { lines: ["", ...(event.right ? [RIGHT] : [WRONG, rightAnswer(event.answer)]), ""] };
  case "sessionFinished":
    // Ctrl-C ends the session where it stands, as in a terminal: no score.
    return event.how === "interrupted" ? { lines: [] }
      : { lines: [SEPARATOR, "", summary(event), event.praised ? BRAVO : PRACTISE, ""] };
  case "pauseBegun":
    return event.inputEnded ? { lines: [] } : { lines: [], prompt: PAUSE_PROMPT };
  default:
    return { lines: [] };
  }
}
