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

// How the asked quantity depends on the size of the group. The console poses inverse problems
// only; a mixed round in the page poses all three, so that the learner decides the model first.
enum class ExerciseModel {
    Inverse,  // the more of them, the less time: the program's own problems
    Direct,   // the more of them, the more they achieve or use up in the same time
    Constant, // the asked quantity does not depend on the group at all
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
// scenarios as the arrays above, at the same index, in the cases the sentences need, and what
// the scenario's direct and constant problems need besides.

// A direct problem, the same story at a fixed time: "{first} {many} {verb} {when} {given}
// {amount}." "Wie viele {amount} {verb} {second} {many} {again}?" Each member achieves or uses
// up between rateLow and rateHigh of the amount.
struct DirectWords {
    std::string_view verb;   // "fressen"
    std::string_view when;   // "in einer Woche"
    std::string_view again;  // "in derselben Zeit"
    std::string_view amount; // "Ballen Heu"
    int rateLow;
    int rateHigh;
};

// A constant problem, the same group in a duration that does not depend on it: its two
// sentences, with the places of the numbers marked {first}, {given} and {second}; the unit; how
// a longer and a shorter duration are said after "je mehr Kühe, desto"; and the duration's
// range.
struct ConstantWords {
    std::string_view given;    // "Ein Viehtransporter bringt {first} Kühe in einer Fahrt ..."
    std::string_view question; // "Wie viele Stunden dauert die Fahrt, wenn ..."
    std::string_view unit;     // "Stunden"
    std::string_view longer;   // "länger dauert die Fahrt"
    std::string_view shorter;  // "kürzer dauert die Fahrt"
    int low;
    int high;
};

struct WorkWords {
    std::string_view one;        // a member of the group: "Bergmann"
    std::string_view many;       // the members: "Bergmänner"
    std::string_view manyDative; // "eine Gruppe von 3 Bergmännern"
    std::string_view unit;       // "Wie viele Tage"
    std::string_view unitDative; // "in 5 Tagen"
    DirectWords direct;
    ConstantWords constant;
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
    DirectWords direct;
    ConstantWords constant;
};

inline constexpr std::string_view sameTime = "in derselben Zeit";

inline constexpr std::array<WorkWords, scenarioCount> workWords = {{
    {"Reinigungskraft",
     "Reinigungskräfte",
     "Reinigungskräften",
     "Stunden",
     "Stunden",
     {"putzen", "an einem Vormittag", sameTime, "Räume", 3, 8},
     {"{first} Reinigungskräfte wischen den Boden einer Turnhalle. Danach muss er {given} "
      "Minuten trocknen.",
      "Wie viele Minuten muss der Boden trocknen, wenn {second} Reinigungskräfte ihn wischen?",
      "Minuten", "länger muss der Boden trocknen", "kürzer muss der Boden trocknen", 20, 60}},
    {"Richterin",
     "Richterinnen",
     "Richterinnen",
     "Wochen",
     "Wochen",
     {"entscheiden", "in einer Woche", sameTime, "Fälle", 2, 6},
     {"{first} Richterinnen besuchen eine Fortbildung, die {given} Wochen dauert.",
      "Wie viele Wochen dauert die Fortbildung, wenn {second} Richterinnen sie besuchen?", "Wochen",
      "länger dauert die Fortbildung", "kürzer dauert die Fortbildung", 2, 6}},
    {"Bergmann",
     "Bergmänner",
     "Bergmännern",
     "Tage",
     "Tagen",
     {"fördern", "an einem Tag", sameTime, "Tonnen Kohle", 2, 8},
     {"Der Förderkorb bringt {first} Bergmänner in einer Fahrt unter Tage. Die Fahrt dauert "
      "{given} Minuten.",
      "Wie viele Minuten dauert die Fahrt, wenn der Förderkorb {second} Bergmänner bringt?",
      "Minuten", "länger dauert die Fahrt", "kürzer dauert die Fahrt", 2, 9}},
    {"Schüler",
     "Schüler",
     "Schülern",
     "Minuten",
     "Minuten",
     {"basteln", "in einer Stunde", sameTime, "Sterne", 2, 8},
     {"{first} Schüler schauen einen Film, der {given} Minuten dauert.",
      "Wie viele Minuten dauert der Film, wenn {second} Schüler ihn schauen?", "Minuten",
      "länger dauert der Film", "kürzer dauert der Film", 60, 120}},
    {"Ameise",
     "Ameisen",
     "Ameisen",
     "Minuten",
     "Minuten",
     {"tragen", "in einer Minute", sameTime, "Krümel", 2, 5},
     {"{first} Ameisen warten unter einem Blatt, bis ein Regenschauer vorbei ist. Er dauert "
      "{given} Minuten.",
      "Wie viele Minuten dauert der Regenschauer, wenn {second} Ameisen unter dem Blatt warten?",
      "Minuten", "länger dauert der Regenschauer", "kürzer dauert der Regenschauer", 5, 40}},
    {"Straßenarbeiter",
     "Straßenarbeiter",
     "Straßenarbeitern",
     "Tage",
     "Tagen",
     {"pflastern", "an einem Tag", sameTime, "Meter Gehweg", 3, 12},
     {"{first} Straßenarbeiter gießen ein Fundament aus Beton. Danach muss der Beton {given} "
      "Tage trocknen.",
      "Wie viele Tage muss der Beton trocknen, wenn {second} Straßenarbeiter ihn gießen?", "Tage",
      "länger muss der Beton trocknen", "kürzer muss der Beton trocknen", 3, 7}},
}};

inline constexpr std::array<SupplyWords, scenarioCount> supplyWords = {{
    {"Expeditionsmitglied",
     "Expeditionsmitglieder",
     "Wochen",
     "die Lebensmittelvorräte",
     "den Lebensmittelvorräten",
     "reichen",
     "essen sie",
     "auf",
     {"essen", "in einer Woche", sameTime, "Packungen Nudeln", 3, 7},
     {"{first} Expeditionsmitglieder fahren mit dem Schiff zum Basislager. Die Fahrt dauert "
      "{given} Wochen.",
      "Wie viele Wochen dauert die Fahrt, wenn {second} Expeditionsmitglieder mitfahren?", "Wochen",
      "länger dauert die Fahrt", "kürzer dauert die Fahrt", 2, 6}},
    {"Festivalbesucher",
     "Festivalbesucher",
     "Tage",
     "die eingelagerten Getränke",
     "den eingelagerten Getränken",
     "reichen",
     "trinken sie",
     "aus",
     {"trinken", "an einem Tag", sameTime, "Flaschen Wasser", 2, 5},
     {"{first} Festivalbesucher kommen zu einem Festival, das {given} Tage dauert.",
      "Wie viele Tage dauert das Festival, wenn {second} Festivalbesucher kommen?", "Tage",
      "länger dauert das Festival", "kürzer dauert das Festival", 2, 5}},
    {"Kuh",
     "Kühe",
     "Monate",
     "das Heu",
     "dem gemähten Heu",
     "reicht",
     "fressen es",
     "auf",
     {"fressen", "in einer Woche", sameTime, "Ballen Heu", 5, 8},
     {"Ein Viehtransporter bringt {first} Kühe in einer Fahrt zum neuen Stall. Die Fahrt "
      "dauert {given} Stunden.",
      "Wie viele Stunden dauert die Fahrt, wenn der Viehtransporter {second} Kühe bringt?",
      "Stunden", "länger dauert die Fahrt", "kürzer dauert die Fahrt", 2, 6}},
    {"Glühbirne",
     "Glühbirnen",
     "Stunden",
     "der Strom aus der Solarbatterie",
     "Strom aus einer Solarbatterie",
     "reicht",
     "verbrauchen ihn",
     "",
     {"verbrauchen", "an einem Abend", sameTime, "Wattstunden Strom", 20, 60},
     {"{first} Glühbirnen hängen an einer Zeitschaltuhr, die das Licht nach {given} Stunden "
      "ausschaltet.",
      "Nach wie vielen Stunden schaltet die Uhr das Licht aus, wenn {second} Glühbirnen daran "
      "hängen?",
      "Stunden", "später schaltet die Uhr das Licht aus", "früher schaltet die Uhr das Licht aus",
      2, 8}},
    {"Kind",
     "Kinder",
     "Tage",
     "die Süßigkeiten",
     "Süßigkeiten",
     "reichen",
     "essen sie",
     "auf",
     {"essen", "an einem Tag", sameTime, "Bonbons", 2, 6},
     {"{first} Kinder fahren in ein Ferienlager, das {given} Tage dauert.",
      "Wie viele Tage dauert das Ferienlager, wenn {second} Kinder mitfahren?", "Tage",
      "länger dauert das Ferienlager", "kürzer dauert das Ferienlager", 7, 14}},
    {"Auto",
     "Autos",
     "Monate",
     "das Motoröl",
     "vorrätigem Motoröl",
     "reicht",
     "verbrauchen es",
     "",
     {"brauchen", "beim Ölwechsel", "beim Ölwechsel", "Liter Motoröl", 4, 6},
     {"{first} Autos fahren hintereinander in den Urlaub. Die Fahrt dauert {given} Stunden.",
      "Wie viele Stunden dauert die Fahrt, wenn {second} Autos hintereinander fahren?", "Stunden",
      "länger dauert die Fahrt", "kürzer dauert die Fahrt", 3, 9}},
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
