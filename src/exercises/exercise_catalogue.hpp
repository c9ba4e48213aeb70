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

// The words of each scenario in correct German, with umlauts and sharp s, for the front-ends
// that show text on a screen or on paper (the page, its worksheets, reading aloud): the same
// scenarios as the arrays above, at the same index, in the cases the sentences need.
struct WorkWords {
    std::string_view one;        // a member of the group: "Bergmann"
    std::string_view many;       // the members: "Bergmänner"
    std::string_view manyDative; // "eine Gruppe von 3 Bergmännern"
    std::string_view unit;       // "Wie viele Tage"
    std::string_view unitDative; // "in 5 Tagen"
};

struct SupplyWords {
    std::string_view one;            // a consumer: "Kuh"
    std::string_view many;           // "Kühe"
    std::string_view unit;           // "12 Monate"
    std::string_view stock;          // the stock as a subject: "das Heu"
    std::string_view stockDative;    // "mit dem gemähten Heu"
    std::string_view lasts;          // the verb that agrees with the stock: "reicht"
    std::string_view usesUp;         // what the consumers do with it, and its pronoun: "fressen es"
    std::string_view usesUpParticle; // a separable verb's particle, or nothing: "auf"
};

inline constexpr std::array<WorkWords, scenarioCount> workWords = {{
    {"Reinigungskraft", "Reinigungskräfte", "Reinigungskräften", "Stunden", "Stunden"},
    {"Richterin", "Richterinnen", "Richterinnen", "Wochen", "Wochen"},
    {"Bergmann", "Bergmänner", "Bergmännern", "Tage", "Tagen"},
    {"Schüler", "Schüler", "Schülern", "Minuten", "Minuten"},
    {"Ameise", "Ameisen", "Ameisen", "Minuten", "Minuten"},
    {"Straßenarbeiter", "Straßenarbeiter", "Straßenarbeitern", "Tage", "Tagen"},
}};

inline constexpr std::array<SupplyWords, scenarioCount> supplyWords = {{
    {"Expeditionsmitglied", "Expeditionsmitglieder", "Wochen", "die Lebensmittelvorräte",
     "den Lebensmittelvorräten", "reichen", "essen sie", "auf"},
    {"Festivalbesucher", "Festivalbesucher", "Tage", "die eingelagerten Getränke",
     "den eingelagerten Getränken", "reichen", "trinken sie", "aus"},
    {"Kuh", "Kühe", "Monate", "das Heu", "dem gemähten Heu", "reicht", "fressen es", "auf"},
    {"Glühbirne", "Glühbirnen", "Stunden", "der Strom aus der Solarbatterie",
     "Strom aus einer Solarbatterie", "reicht", "verbrauchen ihn", ""},
    {"Kind", "Kinder", "Tage", "die Süßigkeiten", "Süßigkeiten", "reichen", "essen sie", "auf"},
    {"Auto", "Autos", "Monate", "das Motoröl", "vorrätigem Motoröl", "reicht", "verbrauchen es",
     ""},
}};

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
