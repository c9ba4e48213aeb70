#include "exercise_catalogue.hpp"
#include "records_json.hpp"
#include "worksheet.hpp"

#include <gtest/gtest.h>

#include <array>
#include <limits>
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

TEST(RecordsJson, ProblemCarriesItsNumbersAndWords)
{
    const Exercise cows{ExerciseKind::SupplyExercise, 2, 7, 3, 4, 12, 28, {}};
    EXPECT_EQ(problemJson(cows),
              R"({"kind":"supply","model":"inverse","scenario":2,"first":7,"second":3,"factor":4,)"
              R"("given":12,"answer":28,"words":{"one":"Kuh","many":"Kühe","unit":"Monate",)"
              R"("stock":"das Heu","stockDative":"dem gemähten Heu","lasts":"reicht",)"
              R"("usesUp":["fressen es","auf"]}})");
    const Exercise ants{ExerciseKind::WorkExercise, 4, 4, 6, 5, 30, 20, {}};
    EXPECT_EQ(problemJson(ants),
              R"({"kind":"work","model":"inverse","scenario":4,"first":4,"second":6,"factor":5,)"
              R"("given":30,"answer":20,"words":{"one":"Ameise","many":"Ameisen",)"
              R"("manyDative":"Ameisen","unit":"Minuten","unitDative":"Minuten"}})");
}

// A direct and a constant problem carry the words of their own model beside the scenario's.
TEST(RecordsJson, ProblemOfAnotherModelCarriesItsModelsWords)
{
    const Exercise cows{ExerciseKind::SupplyExercise, 2, 7, 3, 6, 42, 18, ExerciseModel::Direct};
    EXPECT_EQ(problemJson(cows),
              R"({"kind":"supply","model":"direct","scenario":2,"first":7,"second":3,"factor":6,)"
              R"("given":42,"answer":18,"words":{"one":"Kuh","many":"Kühe","unit":"Monate",)"
              R"("stock":"das Heu","stockDative":"dem gemähten Heu","lasts":"reicht",)"
              R"("usesUp":["fressen es","auf"],"direct":{"verb":"fressen",)"
              R"("when":"in einer Woche","again":"in derselben Zeit","amount":"Ballen Heu"}}})");
    const Exercise film{ExerciseKind::WorkExercise, 3, 6, 8, 90, 90, 90, ExerciseModel::Constant};
    EXPECT_EQ(problemJson(film),
              R"({"kind":"work","model":"constant","scenario":3,"first":6,"second":8,)"
              R"("factor":90,"given":90,"answer":90,"words":{"one":"Schüler","many":"Schüler",)"
              R"("manyDative":"Schülern","unit":"Minuten","unitDative":"Minuten",)"
              R"("constant":{"given":"{first} Schüler schauen einen Film, der {given} Minuten )"
              R"(dauert.","question":"Wie viele Minuten dauert der Film, wenn {second} Schüler )"
              R"(ihn schauen?","unit":"Minuten","longer":"länger dauert der Film",)"
              R"("shorter":"kürzer dauert der Film"}}})");
}

// The words of every scenario, as the page shows them: a reordered or shifted entry of the
// table shows here.
struct WordsCase {
    ExerciseKind kind;
    int index;
    const char* words;
};

const std::vector<WordsCase> everyScenario = {
    {ExerciseKind::WorkExercise, 0,
     R"({"one":"Reinigungskraft","many":"Reinigungskräfte","manyDative":"Reinigungskräften",)"
     R"("unit":"Stunden","unitDative":"Stunden"})"},
    {ExerciseKind::WorkExercise, 1,
     R"({"one":"Richterin","many":"Richterinnen","manyDative":"Richterinnen","unit":"Wochen",)"
     R"("unitDative":"Wochen"})"},
    {ExerciseKind::WorkExercise, 2,
     R"({"one":"Bergmann","many":"Bergmänner","manyDative":"Bergmännern","unit":"Tage",)"
     R"("unitDative":"Tagen"})"},
    {ExerciseKind::WorkExercise, 3,
     R"({"one":"Schüler","many":"Schüler","manyDative":"Schülern","unit":"Minuten",)"
     R"("unitDative":"Minuten"})"},
    {ExerciseKind::WorkExercise, 4,
     R"({"one":"Ameise","many":"Ameisen","manyDative":"Ameisen","unit":"Minuten",)"
     R"("unitDative":"Minuten"})"},
    {ExerciseKind::WorkExercise, 5,
     R"({"one":"Straßenarbeiter","many":"Straßenarbeiter","manyDative":"Straßenarbeitern",)"
     R"("unit":"Tage","unitDative":"Tagen"})"},
    {ExerciseKind::SupplyExercise, 0,
     R"({"one":"Expeditionsmitglied","many":"Expeditionsmitglieder","unit":"Wochen",)"
     R"("stock":"die Lebensmittelvorräte","stockDative":"den Lebensmittelvorräten",)"
     R"("lasts":"reichen","usesUp":["essen sie","auf"]})"},
    {ExerciseKind::SupplyExercise, 1,
     R"({"one":"Festivalbesucher","many":"Festivalbesucher","unit":"Tage",)"
     R"("stock":"die eingelagerten Getränke","stockDative":"den eingelagerten Getränken",)"
     R"("lasts":"reichen","usesUp":["trinken sie","aus"]})"},
    {ExerciseKind::SupplyExercise, 2,
     R"({"one":"Kuh","many":"Kühe","unit":"Monate","stock":"das Heu",)"
     R"("stockDative":"dem gemähten Heu","lasts":"reicht","usesUp":["fressen es","auf"]})"},
    {ExerciseKind::SupplyExercise, 3,
     R"({"one":"Glühbirne","many":"Glühbirnen","unit":"Stunden",)"
     R"("stock":"der Strom aus der Solarbatterie","stockDative":"Strom aus einer Solarbatterie",)"
     R"("lasts":"reicht","usesUp":["verbrauchen ihn"]})"},
    {ExerciseKind::SupplyExercise, 4,
     R"({"one":"Kind","many":"Kinder","unit":"Tage","stock":"die Süßigkeiten",)"
     R"("stockDative":"Süßigkeiten","lasts":"reichen","usesUp":["essen sie","auf"]})"},
    {ExerciseKind::SupplyExercise, 5,
     R"({"one":"Auto","many":"Autos","unit":"Monate","stock":"das Motoröl",)"
     R"("stockDative":"vorrätigem Motoröl","lasts":"reicht","usesUp":["verbrauchen es"]})"},
};

TEST(RecordsJson, EveryScenarioHasTheWordsOfItsOwnIndex)
{
    for (const WordsCase& c : everyScenario) {
        const std::string json = problemJson({c.kind, c.index, 2, 3, 2, 6, 4, {}});
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

// The page's words are the console's at the same index, spelled with umlauts.
TEST(Catalogue, WordsInCorrectGermanAreTheProgramsWordsWithUmlauts)
{
    for (std::size_t r = 0; r < scenarioCount; ++r) {
        const WorkWords& work = workWords[r];
        EXPECT_EQ(transliterated(work.manyDative), unblanked(work::personal[r]));
        EXPECT_EQ(work.unitDative, unblanked(work::zeit[r]));
        const SupplyWords& supply = supplyWords[r];
        EXPECT_EQ(transliterated(supply.many), unblanked(supply::lebens[r]));
        EXPECT_EQ(supply.unit, unblanked(supply::zeit[r]));
        EXPECT_EQ(transliterated(supply.stockDative) + " ", unblanked(supply::futter[r]));
        // The stock's last word is the noun of the statement's stock phrase.
        const std::string stock = transliterated(supply.stock);
        const std::string noun = stock.substr(stock.rfind(' ') + 1);
        EXPECT_NE(std::string_view(supply::futter[r]).find(noun.substr(0, noun.size() - 1)),
                  std::string_view::npos)
            << noun;
    }
}

// Every event's one JSON form, which the page reads (a renamed field shows here and in the
// page's tests, which read these records from the real session).
TEST(RecordsJson, EachEventHasOneJsonForm)
{
    const Exercise ants{ExerciseKind::WorkExercise, 4, 4, 6, 5, 30, 20, {}};
    const float infinite = std::numeric_limits<float>::infinity();
    const std::vector<std::pair<SessionEvent, std::string>> cases = {
        {GreetingShown{}, R"({"type":"greetingShown"})"},
        {ProblemPosed{ants, 3},
         R"({"type":"problemPosed","number":3,"problem":)" + problemJson(ants) + "}"},
        {QuestionOpened{Question::Answer, {3, 2}},
         R"({"type":"questionOpened","question":"answer","posed":3,"correct":2})"},
        {QuestionOpened{Question::Continue, {3, 3}},
         R"({"type":"questionOpened","question":"continue","posed":3,"correct":3})"},
        {AnswerJudged{3, 20.0F, true, 20},
         R"({"type":"answerJudged","number":3,"erg":20,"right":true,"answer":20})"},
        {AnswerJudged{4, 20.1F, false, 28},
         R"({"type":"answerJudged","number":4,"erg":20.1,"right":false,"answer":28})"},
        {AnswerJudged{5, -0.5F, false, 28},
         R"({"type":"answerJudged","number":5,"erg":-0.5,"right":false,"answer":28})"},
        {AnswerJudged{6, 1e-30F, false, 28},
         R"({"type":"answerJudged","number":6,"erg":1e-30,"right":false,"answer":28})"},
        {AnswerJudged{6, 0.000125F, false, 28},
         R"({"type":"answerJudged","number":6,"erg":0.000125,"right":false,"answer":28})"},
        {AnswerJudged{6, 7777777777777777.0F, false, 28},
         R"({"type":"answerJudged","number":6,"erg":7777778000000000,"right":false,)"
         R"("answer":28})"},
        {AnswerJudged{6, -1234.5F, false, 28},
         R"({"type":"answerJudged","number":6,"erg":-1234.5,"right":false,"answer":28})"},
        {AnswerJudged{6, 3e25F, false, 28},
         R"({"type":"answerJudged","number":6,"erg":3e25,"right":false,"answer":28})"},
        {AnswerJudged{7, infinite, false, 28},
         R"({"type":"answerJudged","number":7,"erg":1e999,"right":false,"answer":28})"},
        {AnswerJudged{8, -infinite, false, 28},
         R"({"type":"answerJudged","number":8,"erg":-1e999,"right":false,"answer":28})"},
        {SessionFinished{{2, 1}, SessionEnd::Declined, false},
         R"({"type":"sessionFinished","how":"declined","posed":2,"correct":1,"praised":false})"},
        {SessionFinished{{1, 1}, SessionEnd::InputEnded, true},
         R"({"type":"sessionFinished","how":"inputEnded","posed":1,"correct":1,"praised":true})"},
        {SessionFinished{{5, 4}, SessionEnd::Interrupted, true},
         R"({"type":"sessionFinished","how":"interrupted","posed":5,"correct":4,)"
         R"("praised":true})"},
        {PauseBegun{false}, R"({"type":"pauseBegun","inputEnded":false})"},
        {PauseBegun{true}, R"({"type":"pauseBegun","inputEnded":true})"},
    };
    for (const auto& [event, json] : cases) {
        EXPECT_EQ(eventJson(event), json);
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
    const std::string code =
        sheetCode(42, {3, SheetKinds::WorkOnly, 2, Calculator::Without, SheetModels::Mixed});
    const Worksheet sheet = makeWorksheet(readCode(code));
    const std::string json = worksheetJson(sheet);
    EXPECT_EQ(json.rfind(R"({"label":")" + sheet.label + R"(","code":")" + code +
                             R"(","older":false,"nonce":42,"choices":{"count":3,"kinds":"work",)"
                             R"("groups":2,"calculator":false,"models":"mixed"},"groups":[[{)",
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
    EXPECT_EQ(
        worksheetRecord(code.substr(0, 4) + "-" + code.substr(4, 4) + "-" + code.substr(8), {}),
        json);
    const std::string ten = worksheetRecord("AAAAA-ABK8S", {});
    EXPECT_NE(ten.find(R"(,"code":"AAAAAABK8S","older":false,"nonce":1,"choices":{"count":8,)"
                       R"("kinds":"both","groups":6,"calculator":false,"models":"inverse"},)"),
              std::string::npos)
        << ten;
}

// An older code takes the choices it is given, with the whole ranges and inverse problems; a
// code that remakes no sheet says why.
TEST(RecordsJson, WorksheetRecordOfATypedCode)
{
    const std::string older = worksheetRecord("k7qm4xa2", {5, SheetKinds::SupplyOnly, 3});
    EXPECT_EQ(older.rfind(R"({"label":"Blatt )", 0), 0U) << older;
    EXPECT_NE(older.find(R"(,"code":"K7QM4XA2","older":true,"nonce":0,"choices":{"count":5,)"
                         R"("kinds":"supply","groups":3,"calculator":true,"models":"inverse"},)"),
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
