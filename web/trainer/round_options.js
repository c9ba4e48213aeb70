// The round a learner practises: only inverse problems with the whole ranges, as the program
// poses them, or mixed problems whose model is chosen first, and numbers with or without a
// calculator. Chosen in the page, or brought by the address (?art=gemischt&rechner=ohne, for a
// link or a QR code from the teacher) or by a learning platform's launch data
// (anzahl=10&art=gemischt).

export const DEFAULT_OPTIONS = { mixed: false, byHand: false };

// The options that text (an address's query or launch data) names, over defaults; a value
// that is not one of them leaves its default.
export function optionsIn(text, defaults = DEFAULT_OPTIONS) {
  const values = new URLSearchParams(String(text ?? "").replace(/^\?/, "").replace(/[;\s]+/g, "&"));
  const art = values.get("art")?.trim().toLowerCase();
  const rechner = values.get("rechner")?.trim().toLowerCase();
  return {
    mixed: art === "gemischt" ? true : art === "umgekehrt" ? false : defaults.mixed,
    byHand: rechner === "ohne" ? true : rechner === "mit" ? false : defaults.byHand,
  };
}

// The options as the form's values, and back.
export const formValues = ({ mixed, byHand }) =>
  ({ art: mixed ? "gemischt" : "umgekehrt", rechner: byHand ? "ohne" : "mit" });
export const optionsOf = ({ art, rechner }) =>
  ({ mixed: art === "gemischt", byHand: rechner === "ohne" });

// The options in words: "Gemischt · ohne Taschenrechner".
export const optionsInWords = ({ mixed, byHand }) =>
  `${mixed ? "Gemischt" : "Nur umgekehrte Aufgaben"} · ${byHand ? "ohne" : "mit"} Taschenrechner`;
