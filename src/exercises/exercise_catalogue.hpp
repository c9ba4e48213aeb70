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
} // namespace supply

// Writes the six lines of a problem statement, the first and the last empty.
// scenarioIndex must lie in [0, scenarioCount).
void writeStatement(std::ostream& out, ExerciseKind kind, int scenarioIndex, int firstGroupSize,
                    int secondGroupSize, int givenDuration);
