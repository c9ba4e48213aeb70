#pragma once

#include <array>
#include <ostream>
#include <string_view>

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
// The working of a problem needs the nominative, where personal and zeit hold the datives of
// the statement ("von 3 Bergmaennern", "in 5 Tagen").
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
} // namespace supply

// Writes the six lines of a problem statement, the first and the last empty.
// scenarioIndex must lie in [0, scenarioCount).
void writeStatement(std::ostream& out, ExerciseKind kind, int scenarioIndex, int firstGroupSize,
                    int secondGroupSize, int givenDuration);

// Writes the working of the same problem in three lines, as German classes set out an inverse
// proportion: the given pair, one member's time, then the asked group's time. For supply
// scenario 2 with 7, 3 and 12:
//   7 Kuehe -> 12 Monate
//   1 Kuh -> 7 * 12 = 84 Monate
//   3 Kuehe -> 84 : 3 = 28 Monate
void writeWorking(std::ostream& out, ExerciseKind kind, int scenarioIndex, int firstGroupSize,
                  int secondGroupSize, int givenDuration);
