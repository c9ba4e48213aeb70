#include "exercise_catalogue.hpp"
#include "records_json.hpp"
#include "worksheet.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

TEST(RecordsJson, StringsEscapeQuotesBackslashesAndControlsAndKeepUtf8)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", R"("")"},
        {"Kuehe", R"("Kuehe")"},
        {"Kühe, Süßigkeiten", "\"Kühe, Süßigkeiten\""},
        {R"(a "b" \c)", R"("a \"b\" \\c")"},
        {std::string("\n\t\x1f\0", 4), R"("\u000a\u0009\u001f\u0000")"},
    };
    for (const auto& [text, json] : cases) {
        EXPECT_EQ(jsonString(text), json);
    }
}

TEST(RecordsJson, ProblemCarriesItsNumbersStatementAndWords)
{
    const Exercise cows{ExerciseKind::SupplyExercise, 2, 7, 3, 4, 12, 28};
    EXPECT_EQ(problemJson(cows),
              R"({"kind":"supply","scenario":2,"first":7,"second":3,"factor":4,"given":12,)"
              R"("answer":28,"statement":{"given":[" 7 Kuehe kommen mit dem gemaehten Heu 12 )"
              R"(Monate aus. "],"question":[" Wieviele Monate reicht dieselbe Menge an dem )"
              R"(gemaehten Heu "," fuer 3 Kuehe ?"]},"words":{"group":"Kuehe","unit":"Monate",)"
              R"("stock":"dem gemaehten Heu","working":{"one":"Kuh","many":"Kuehe",)"
              R"("unit":"Monate"},"spelled":{"one":"Kuh","many":"Kühe","stock":"das Heu",)"
              R"("lasts":"reicht","stockDative":"dem gemähten Heu",)"
              R"("usesUp":["fressen es","auf"]}}})");
    const Exercise ants{ExerciseKind::WorkExercise, 4, 4, 6, 5, 30, 20};
    EXPECT_EQ(problemJson(ants),
              R"({"kind":"work","scenario":4,"first":4,"second":6,"factor":5,"given":30,)"
              R"("answer":20,"statement":{"given":[" Eine Gruppe von 4 Ameisen schafft die )"
              R"(vorgegebene Arbeit"," durchschnitttlich in 30 Minuten. "],"question":[" )"
              R"(Wieviele Minuten braucht dann ein Gruppe von 6 Ameisen ?"]},"words":{)"
              R"("group":"Ameisen","unit":"Minuten","working":{"one":"Ameise","many":"Ameisen",)"
              R"("unit":"Minuten"},"spelled":{"one":"Ameise","many":"Ameisen",)"
              R"("groupDative":"Ameisen"}}})");
}

// The words of every scenario, as the page shows them: a reordered or shifted entry of any
// array of the table shows here.
struct WordsCase {
    ExerciseKind kind;
    int index;
    const char* words;
};

const std::vector<WordsCase> everyScenario = {
    {ExerciseKind::WorkExercise, 0,
     R"({"group":"Reinigungskraeften","unit":"Stunden","working":{"one":"Reinigungskraft",)"
     R"("many":"Reinigungskraefte","unit":"Stunden"},"spelled":{"one":"Reinigungskraft",)"
     R"("many":"Reinigungskräfte","groupDative":"Reinigungskräften"}})"},
    {ExerciseKind::WorkExercise, 1,
     R"({"group":"Richterinnen","unit":"Wochen","working":{"one":"Richterin",)"
     R"("many":"Richterinnen","unit":"Wochen"},"spelled":{"one":"Richterin",)"
     R"("many":"Richterinnen","groupDative":"Richterinnen"}})"},
    {ExerciseKind::WorkExercise, 2,
     R"({"group":"Bergmaennern","unit":"Tagen","working":{"one":"Bergmann",)"
     R"("many":"Bergmaenner","unit":"Tage"},"spelled":{"one":"Bergmann","many":"Bergmänner",)"
     R"("groupDative":"Bergmännern"}})"},
    {ExerciseKind::WorkExercise, 3,
     R"({"group":"Schuelern","unit":"Minuten","working":{"one":"Schueler","many":"Schueler",)"
     R"("unit":"Minuten"},"spelled":{"one":"Schüler","many":"Schüler",)"
     R"("groupDative":"Schülern"}})"},
    {ExerciseKind::WorkExercise, 4,
     R"({"group":"Ameisen","unit":"Minuten","working":{"one":"Ameise","many":"Ameisen",)"
     R"("unit":"Minuten"},"spelled":{"one":"Ameise","many":"Ameisen","groupDative":"Ameisen"}})"},
    {ExerciseKind::WorkExercise, 5,
     R"({"group":"Strassenarbeitern","unit":"Tagen","working":{"one":"Strassenarbeiter",)"
     R"("many":"Strassenarbeiter","unit":"Tage"},"spelled":{"one":"Straßenarbeiter",)"
     R"("many":"Straßenarbeiter","groupDative":"Straßenarbeitern"}})"},
    {ExerciseKind::SupplyExercise, 0,
     R"({"group":"Expeditionsmitglieder","unit":"Wochen","stock":"den Lebensmittelvorraeten",)"
     R"("working":{"one":"Expeditionsmitglied","many":"Expeditionsmitglieder",)"
     R"("unit":"Wochen"},"spelled":{"one":"Expeditionsmitglied",)"
     R"("many":"Expeditionsmitglieder","stock":"die Lebensmittelvorräte","lasts":"reichen",)"
     R"("stockDative":"den Lebensmittelvorräten","usesUp":["essen sie","auf"]}})"},
    {ExerciseKind::SupplyExercise, 1,
     R"({"group":"Festivalbesucher","unit":"Tage","stock":"den eingelagerten Getraenken",)"
     R"("working":{"one":"Festivalbesucher","many":"Festivalbesucher","unit":"Tage"},)"
     R"("spelled":{"one":"Festivalbesucher","many":"Festivalbesucher",)"
     R"("stock":"die eingelagerten Getränke","lasts":"reichen",)"
     R"("stockDative":"den eingelagerten Getränken","usesUp":["trinken sie","aus"]}})"},
    {ExerciseKind::SupplyExercise, 2,
     R"({"group":"Kuehe","unit":"Monate","stock":"dem gemaehten Heu","working":{"one":"Kuh",)"
     R"("many":"Kuehe","unit":"Monate"},"spelled":{"one":"Kuh","many":"Kühe",)"
     R"("stock":"das Heu","lasts":"reicht","stockDative":"dem gemähten Heu",)"
     R"("usesUp":["fressen es","auf"]}})"},
    {ExerciseKind::SupplyExercise, 3,
     R"({"group":"Gluehbirnen","unit":"Stunden","stock":"Strom aus einer Solarbatterie",)"
     R"("working":{"one":"Gluehbirne","many":"Gluehbirnen","unit":"Stunden"},)"
     R"("spelled":{"one":"Glühbirne","many":"Glühbirnen",)"
     R"("stock":"der Strom aus der Solarbatterie","lasts":"reicht",)"
     R"("stockDative":"Strom aus einer Solarbatterie","usesUp":["verbrauchen ihn"]}})"},
    {ExerciseKind::SupplyExercise, 4,
     R"({"group":"Kinder","unit":"Tage","stock":"Suessigkeiten","working":{"one":"Kind",)"
     R"("many":"Kinder","unit":"Tage"},"spelled":{"one":"Kind","many":"Kinder",)"
     R"("stock":"die Süßigkeiten","lasts":"reichen","stockDative":"Süßigkeiten",)"
     R"("usesUp":["essen sie","auf"]}})"},
    {ExerciseKind::SupplyExercise, 5,
     R"({"group":"Autos","unit":"Monate","stock":"vorraetigem Motoroel","working":{"one":"Auto",)"
     R"("many":"Autos","unit":"Monate"},"spelled":{"one":"Auto","many":"Autos",)"
     R"("stock":"das Motoröl","lasts":"reicht","stockDative":"vorrätigem Motoröl",)"
     R"("usesUp":["verbrauchen es"]}})"},
};

TEST(RecordsJson, EveryScenarioHasTheWordsOfItsOwnIndex)
{
    for (const WordsCase& c : everyScenario) {
        const std::string json = problemJson({c.kind, c.index, 2, 3, 2, 6, 4});
        const auto words = json.find(R"("words":)");
        ASSERT_NE(words, std::string::npos) << json;
        EXPECT_EQ(json.substr(words + 8), std::string(c.words) + "}") << c.index;
    }
}

// Umlauts and sharp s as the program spells them.
std::string transliterated(std::string_view text)
{
    const std::vector<std::pair<std::string_view, std::string_view>> letters = {
        {"ä", "ae"}, {"ö", "oe"}, {"ü", "ue"}, {"ß", "ss"}};
    std::string plain(text);
    for (const auto& [letter, spelled] : letters) {
        for (auto at = plain.find(letter); at != std::string::npos; at = plain.find(letter, at)) {
            plain.replace(at, letter.size(), spelled);
        }
    }
    return plain;
}

// The catalogue's texts without their leading blank.
std::string_view unblanked(std::string_view text)
{
    return text.substr(1);
}

TEST(Catalogue, SpelledNounsAreTheProgramsNounsWithUmlauts)
{
    for (std::size_t r = 0; r < scenarioCount; ++r) {
        EXPECT_EQ(transliterated(work::spelled::einzahl[r]), unblanked(work::einzahl[r]));
        EXPECT_EQ(transliterated(work::spelled::mehrzahl[r]), unblanked(work::mehrzahl[r]));
        EXPECT_EQ(transliterated(supply::spelled::einzahl[r]), unblanked(supply::einzahl[r]));
        EXPECT_EQ(transliterated(supply::spelled::mehrzahl[r]), unblanked(supply::lebens[r]));
        EXPECT_EQ(transliterated(work::spelled::personal[r]), unblanked(work::personal[r]));
        EXPECT_EQ(transliterated(supply::spelled::futter[r]) + " ", unblanked(supply::futter[r]));
        // The stock's last word is the noun of the statement's stock phrase.
        const std::string stock = transliterated(supply::spelled::vorrat[r]);
        const std::string noun = stock.substr(stock.rfind(' ') + 1);
        EXPECT_NE(std::string_view(supply::futter[r]).find(noun.substr(0, noun.size() - 1)),
                  std::string_view::npos)
            << noun;
    }
}

std::size_t occurrences(const std::string& text, std::string_view part)
{
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(RecordsJson, WorksheetHoldsItsCodeChoicesAndEachGroupsProblemsInOrder)
{
    const std::string code = sheetCode(42, {3, SheetKinds::WorkOnly, 2});
    const Worksheet sheet = makeWorksheet(readCode(code));
    const std::string json = worksheetJson(sheet);
    EXPECT_EQ(json.rfind(R"({"label":")" + sheet.label + R"(","code":")" + code +
                             R"(","older":false,"nonce":42,"choices":{"count":3,"kinds":"work",)"
                             R"("groups":2,"calculator":false},"groups":[[{)",
                         0),
              0U)
        << json;
    EXPECT_EQ(occurrences(json, R"({"kind":)"), 6U);
    EXPECT_EQ(occurrences(json, "}],[{"), 1U); // two groups
    EXPECT_EQ(json.substr(json.size() - 3), "]]}");
    const auto first = json.find(problemJson(sheet.groups[0][0]));
    const auto last = json.find(problemJson(sheet.groups[1][2]));
    EXPECT_EQ(json.substr(first - 2, 3), "[[{");
    EXPECT_EQ(last + problemJson(sheet.groups[1][2]).size(), json.size() - 3);
    EXPECT_EQ(worksheetRecord(code.substr(0, 5) + "-" + code.substr(5), {}), json);
}

// An older code takes the choices it is given, with the whole ranges; a code that remakes no
// sheet says why.
TEST(RecordsJson, WorksheetRecordOfATypedCode)
{
    const std::string older = worksheetRecord("k7qm4xa2", {5, SheetKinds::SupplyOnly, 3});
    EXPECT_EQ(older.rfind(R"({"label":"Blatt )", 0), 0U) << older;
    EXPECT_NE(older.find(R"(,"code":"K7QM4XA2","older":true,"nonce":0,"choices":{"count":5,)"
                         R"("kinds":"supply","groups":3,"calculator":true},)"),
              std::string::npos)
        << older;
    std::string code = sheetCode(42, {});
    code.back() = code.back() == 'A' ? 'B' : 'A';
    const std::array<std::pair<std::string, std::string>, 4> unread = {{
        {"K7QM4", R"({"error":"length","code":"K7QM4"})"},
        {"K7QM4XA0", R"({"error":"letter","code":"K7QM4XA0"})"},
        {code.substr(1) + code[0],
         R"({"error":"mistyped","code":")" + code.substr(1) + code[0] + R"("})"},
        {"", R"({"error":"length","code":""})"},
    }};
    for (const auto& [text, json] : unread) {
        EXPECT_EQ(worksheetRecord(text, {}), json) << text;
    }
}

} // namespace
