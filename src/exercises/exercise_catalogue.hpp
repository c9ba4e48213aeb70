#pragma once

#include <array>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

enum class ExerciseKind {
    WorkExercise,   // a group finishes a fixed job: the more workers, the less time
    SupplyExercise, // a group lives off a fixed stock: the more consumers, the sooner it is gone
};

// Every array of the catalogue has this many entries; a scenarioIndex addresses one of them.
inline constexpr int scenarioCount = 6;

using CatalogueTexts = std::array<std::string_view, scenarioCount>;

// Entries of one index belong together. The blanks are part of the texts: nothing is
// inserted between a number and the word that follows it.
namespace work {
inline constexpr CatalogueTexts personal = {
    " Reinigungskraeften", " Richterinnen", " Bergmaennern",
    " Schuelern",          " Ameisen",      " Strassenarbeitern",
};
inline constexpr CatalogueTexts zeit = {
    " Stunden", " Wochen", " Tagen", " Minuten", " Minuten", " Tagen",
};
// The working of a problem (7 Kuehe -> 12 Monate, 1 Kuh -> 7 * 12 = 84 Monate, ...) needs the
// nominative, where personal and zeit hold the datives of the statement ("von 3 Bergmaennern",
// "in 5 Tagen").
inline constexpr CatalogueTexts einzahl = {
    " Reinigungskraft", " Richterin", " Bergmann", " Schueler", " Ameise", " Strassenarbeiter",
};
inline constexpr CatalogueTexts mehrzahl = {
    " Reinigungskraefte", " Richterinnen", " Bergmaenner",
    " Schueler",          " Ameisen",      " Strassenarbeiter",
};
inline constexpr CatalogueTexts einheit = {
    " Stunden", " Wochen", " Tage", " Minuten", " Minuten", " Tage",
};
// The same nouns spelled with umlauts and sharp s, for front-ends that can show them.
namespace spelled {
inline constexpr CatalogueTexts einzahl = {
    "Reinigungskraft", "Richterin", "Bergmann", "Schüler", "Ameise", "Straßenarbeiter",
};
inline constexpr CatalogueTexts mehrzahl = {
    "Reinigungskräfte", "Richterinnen", "Bergmänner", "Schüler", "Ameisen", "Straßenarbeiter",
};
// personal, the statement's dative ("von 3 Bergmännern"), for a page that reads it aloud.
inline constexpr CatalogueTexts personal = {
    "Reinigungskräften", "Richterinnen", "Bergmännern", "Schülern", "Ameisen", "Straßenarbeitern",
};
} // namespace spelled
} // namespace work

namespace supply {
inline constexpr CatalogueTexts lebens = {
    " Expeditionsmitglieder", " Festivalbesucher", " Kuehe", " Gluehbirnen", " Kinder", " Autos",
};
inline constexpr CatalogueTexts futter = {
    " den Lebensmittelvorraeten ",
    " den eingelagerten Getraenken ",
    " dem gemaehten Heu ",
    " Strom aus einer Solarbatterie ",
    " Suessigkeiten ",
    " vorraetigem Motoroel ",
};
inline constexpr CatalogueTexts zeit = {
    " Wochen", " Tage", " Monate", " Stunden", " Tage", " Monate",
};
// lebens and zeit are nominatives already; the working needs the singular besides.
inline constexpr CatalogueTexts einzahl = {
    " Expeditionsmitglied", " Festivalbesucher", " Kuh", " Gluehbirne", " Kind", " Auto",
};
// The nouns spelled with umlauts and sharp s, and the stock in the nominative with the verb
// that agrees with it ("reicht das Heu", "reichen die Getränke"), for front-ends that can show
// them.
namespace spelled {
inline constexpr CatalogueTexts einzahl = {
    "Expeditionsmitglied", "Festivalbesucher", "Kuh", "Glühbirne", "Kind", "Auto",
};
inline constexpr CatalogueTexts mehrzahl = {
    "Expeditionsmitglieder", "Festivalbesucher", "Kühe", "Glühbirnen", "Kinder", "Autos",
};
inline constexpr CatalogueTexts vorrat = {
    "die Lebensmittelvorräte",
    "die eingelagerten Getränke",
    "das Heu",
    "der Strom aus der Solarbatterie",
    "die Süßigkeiten",
    "das Motoröl",
};
inline constexpr CatalogueTexts reicht = {
    "reichen", "reichen", "reicht", "reicht", "reichen", "reicht",
};
// futter, the statement's dative ("mit dem gemähten Heu"), for sentences and reading aloud.
inline constexpr CatalogueTexts futter = {
    "den Lebensmittelvorräten",
    "den eingelagerten Getränken",
    "dem gemähten Heu",
    "Strom aus einer Solarbatterie",
    "Süßigkeiten",
    "vorrätigem Motoröl",
};
// What the consumers do with the stock, the verb with the pronoun that stands for the stock,
// and the particle that a separable verb puts at the end ("fressen es schneller auf").
inline constexpr CatalogueTexts verbrauchen = {
    "essen sie", "trinken sie", "fressen es", "verbrauchen ihn", "essen sie", "verbrauchen es",
};
inline constexpr CatalogueTexts verbrauchenPartikel = {
    "auf", "aus", "auf", "", "auf", "",
};
} // namespace spelled
} // namespace supply

// A problem statement as the console shows it: the given pair and the question, each a sentence
// of one or two lines, every line with its leading blank.
struct Statement {
    std::vector<std::string> given;
    std::vector<std::string> question;
};

// scenarioIndex must lie in [0, scenarioCount).
Statement statementOf(ExerciseKind kind, int scenarioIndex, int firstGroupSize, int secondGroupSize,
                      int givenDuration);

// Writes the six lines of a problem statement: an empty line before, between and after its
// two sentences.
void writeStatement(std::ostream& out, ExerciseKind kind, int scenarioIndex, int firstGroupSize,
                    int secondGroupSize, int givenDuration);
