#include "exercise_catalogue.hpp"
#include "exercise_generator.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string statement(ExerciseKind kind, int index, int first, int second, int duration)
{
    std::ostringstream out;
    writeStatement(out, kind, index, first, second, duration);
    return out.str();
}

struct StatementCase {
    const char* name;
    ExerciseKind kind;
    int index;
    int first;
    int second;
    int duration;
    const char* expected;
};

const std::vector<StatementCase> wholeStatements = {
    {"WorkAnts", ExerciseKind::WorkExercise, 4, 4, 6, 30,
     "\n"
     " Eine Gruppe von 4 Ameisen schafft die vorgegebene Arbeit\n"
     " durchschnitttlich in 30 Minuten. \n"
     "\n"
     " Wieviele Minuten braucht dann ein Gruppe von 6 Ameisen ?\n"
     "\n"},
    {"SupplyCows", ExerciseKind::SupplyExercise, 2, 7, 3, 12,
     "\n"
     " 7 Kuehe kommen mit dem gemaehten Heu 12 Monate aus. \n"
     "\n"
     " Wieviele Monate reicht dieselbe Menge an dem gemaehten Heu \n"
     " fuer 3 Kuehe ?\n"
     "\n"},
    {"WorkThreeDigitDuration", ExerciseKind::WorkExercise, 5, 9, 11, 154,
     "\n"
     " Eine Gruppe von 9 Strassenarbeitern schafft die vorgegebene Arbeit\n"
     " durchschnitttlich in 154 Tagen. \n"
     "\n"
     " Wieviele Tagen braucht dann ein Gruppe von 11 Strassenarbeitern ?\n"
     "\n"},
    {"SupplyTwoDigitNumbers", ExerciseKind::SupplyExercise, 0, 13, 19, 95,
     "\n"
     " 13 Expeditionsmitglieder kommen mit den Lebensmittelvorraeten 95 Wochen aus. \n"
     "\n"
     " Wieviele Wochen reicht dieselbe Menge an den Lebensmittelvorraeten \n"
     " fuer 19 Expeditionsmitglieder ?\n"
     "\n"},
};

void PrintTo(const StatementCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string caseName(const testing::TestParamInfo<StatementCase>& param)
{
    return param.param.name;
}

class WholeStatement : public testing::TestWithParam<StatementCase> {};

TEST_P(WholeStatement, IsWrittenByteForByte)
{
    const StatementCase& c = GetParam();
    EXPECT_EQ(statement(c.kind, c.index, c.first, c.second, c.duration), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Statement, WholeStatement, testing::ValuesIn(wholeStatements), caseName);

// Every scenario, with the question line that shows the noun and the unit of one index together.
struct ScenarioCase {
    ExerciseKind kind;
    int index;
    const char* question;
};

const std::vector<ScenarioCase> scenarios = {
    {ExerciseKind::WorkExercise, 0,
     " Wieviele Stunden braucht dann ein Gruppe von 3 Reinigungskraeften ?"},
    {ExerciseKind::WorkExercise, 1,
     " Wieviele Wochen braucht dann ein Gruppe von 3 Richterinnen ?"},
    {ExerciseKind::WorkExercise, 2, " Wieviele Tagen braucht dann ein Gruppe von 3 Bergmaennern ?"},
    {ExerciseKind::WorkExercise, 3, " Wieviele Minuten braucht dann ein Gruppe von 3 Schuelern ?"},
    {ExerciseKind::WorkExercise, 4, " Wieviele Minuten braucht dann ein Gruppe von 3 Ameisen ?"},
    {ExerciseKind::WorkExercise, 5,
     " Wieviele Tagen braucht dann ein Gruppe von 3 Strassenarbeitern ?"},
    {ExerciseKind::SupplyExercise, 0,
     " Wieviele Wochen reicht dieselbe Menge an den Lebensmittelvorraeten \n"
     " fuer 3 Expeditionsmitglieder ?"},
    {ExerciseKind::SupplyExercise, 1,
     " Wieviele Tage reicht dieselbe Menge an den eingelagerten Getraenken \n"
     " fuer 3 Festivalbesucher ?"},
    {ExerciseKind::SupplyExercise, 2,
     " Wieviele Monate reicht dieselbe Menge an dem gemaehten Heu \n fuer 3 Kuehe ?"},
    {ExerciseKind::SupplyExercise, 3,
     " Wieviele Stunden reicht dieselbe Menge an Strom aus einer Solarbatterie \n"
     " fuer 3 Gluehbirnen ?"},
    {ExerciseKind::SupplyExercise, 4,
     " Wieviele Tage reicht dieselbe Menge an Suessigkeiten \n fuer 3 Kinder ?"},
    {ExerciseKind::SupplyExercise, 5,
     " Wieviele Monate reicht dieselbe Menge an vorraetigem Motoroel \n fuer 3 Autos ?"},
};

TEST(Statement, EveryScenarioPairsItsNounWithItsOwnUnit)
{
    for (const ScenarioCase& c : scenarios) {
        const std::string text = statement(c.kind, c.index, 2, 3, 6);
        EXPECT_NE(text.find(std::string(c.question) + "\n\n"), std::string::npos)
            << "index " << c.index << ":\n"
            << text;
    }
}

TEST(Statement, HasSixLinesWithEmptyFirstLastAndMiddle)
{
    for (const ScenarioCase& c : scenarios) {
        const std::string text = statement(c.kind, c.index, 12, 5, 60);
        std::istringstream lines(text);
        std::string line;
        std::vector<std::string> all;
        while (std::getline(lines, line)) {
            all.push_back(line);
        }
        ASSERT_EQ(all.size(), 6U) << text;
        const std::size_t emptyMiddle = c.kind == ExerciseKind::WorkExercise ? 3 : 2;
        for (std::size_t i = 0; i < all.size(); ++i) {
            const bool empty = i == 0 || i == 5 || i == emptyMiddle;
            EXPECT_EQ(all[i].empty(), empty) << "line " << i + 1 << " of:\n" << text;
        }
    }
}

std::string working(ExerciseKind kind, int index, int first, int second, int duration)
{
    std::ostringstream out;
    writeWorking(out, kind, index, first, second, duration);
    return out.str();
}

// Every scenario's working, in the nominative: singular, plural and time unit of one index.
const std::vector<StatementCase> workings = {
    {"WorkCleaners", ExerciseKind::WorkExercise, 0, 3, 4, 12,
     "3 Reinigungskraefte -> 12 Stunden\n"
     "1 Reinigungskraft -> 3 * 12 = 36 Stunden\n"
     "4 Reinigungskraefte -> 36 : 4 = 9 Stunden\n"},
    {"WorkJudges", ExerciseKind::WorkExercise, 1, 2, 5, 10,
     "2 Richterinnen -> 10 Wochen\n1 Richterin -> 2 * 10 = 20 Wochen\n"
     "5 Richterinnen -> 20 : 5 = 4 Wochen\n"},
    {"WorkMiners", ExerciseKind::WorkExercise, 2, 9, 11, 154,
     "9 Bergmaenner -> 154 Tage\n1 Bergmann -> 9 * 154 = 1386 Tage\n"
     "11 Bergmaenner -> 1386 : 11 = 126 Tage\n"},
    {"WorkPupils", ExerciseKind::WorkExercise, 3, 6, 2, 8,
     "6 Schueler -> 8 Minuten\n1 Schueler -> 6 * 8 = 48 Minuten\n"
     "2 Schueler -> 48 : 2 = 24 Minuten\n"},
    {"WorkAnts", ExerciseKind::WorkExercise, 4, 4, 6, 30,
     "4 Ameisen -> 30 Minuten\n1 Ameise -> 4 * 30 = 120 Minuten\n"
     "6 Ameisen -> 120 : 6 = 20 Minuten\n"},
    {"WorkRoadWorkers", ExerciseKind::WorkExercise, 5, 7, 5, 50,
     "7 Strassenarbeiter -> 50 Tage\n1 Strassenarbeiter -> 7 * 50 = 350 Tage\n"
     "5 Strassenarbeiter -> 350 : 5 = 70 Tage\n"},
    {"SupplyExpedition", ExerciseKind::SupplyExercise, 0, 13, 19, 95,
     "13 Expeditionsmitglieder -> 95 Wochen\n"
     "1 Expeditionsmitglied -> 13 * 95 = 1235 Wochen\n"
     "19 Expeditionsmitglieder -> 1235 : 19 = 65 Wochen\n"},
    {"SupplyFestival", ExerciseKind::SupplyExercise, 1, 2, 3, 6,
     "2 Festivalbesucher -> 6 Tage\n1 Festivalbesucher -> 2 * 6 = 12 Tage\n"
     "3 Festivalbesucher -> 12 : 3 = 4 Tage\n"},
    {"SupplyCows", ExerciseKind::SupplyExercise, 2, 7, 3, 12,
     "7 Kuehe -> 12 Monate\n1 Kuh -> 7 * 12 = 84 Monate\n3 Kuehe -> 84 : 3 = 28 Monate\n"},
    {"SupplyBulbs", ExerciseKind::SupplyExercise, 3, 10, 4, 20,
     "10 Gluehbirnen -> 20 Stunden\n1 Gluehbirne -> 10 * 20 = 200 Stunden\n"
     "4 Gluehbirnen -> 200 : 4 = 50 Stunden\n"},
    {"SupplyChildren", ExerciseKind::SupplyExercise, 4, 5, 10, 40,
     "5 Kinder -> 40 Tage\n1 Kind -> 5 * 40 = 200 Tage\n10 Kinder -> 200 : 10 = 20 Tage\n"},
    {"SupplyCars", ExerciseKind::SupplyExercise, 5, 12, 18, 90,
     "12 Autos -> 90 Monate\n1 Auto -> 12 * 90 = 1080 Monate\n"
     "18 Autos -> 1080 : 18 = 60 Monate\n"},
};

class Working : public testing::TestWithParam<StatementCase> {};

TEST_P(Working, IsWrittenByteForByte)
{
    const StatementCase& c = GetParam();
    EXPECT_EQ(working(c.kind, c.index, c.first, c.second, c.duration), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Working, Working, testing::ValuesIn(workings), caseName);

TEST(Working, OfDrawnExercisesMultipliesThenEndsAtTheExpectedAnswer)
{
    const std::regex lines(R"(\d+ [A-Za-z]+ -> \d+ [A-Za-z]+\n)"
                           R"(1 [A-Za-z]+ -> (\d+) \* (\d+) = (\d+) [A-Za-z]+\n)"
                           R"(\d+ [A-Za-z]+ -> (\d+) : \d+ = (\d+) [A-Za-z]+\n)");
    std::srand(20261208);
    for (int i = 0; i < 2000; ++i) {
        const Exercise e = drawExercise();
        const std::string text =
            working(e.kind, e.scenarioIndex, e.firstGroupSize, e.secondGroupSize, e.givenDuration);
        std::smatch m;
        ASSERT_TRUE(std::regex_match(text, m, lines)) << text;
        EXPECT_EQ(std::stoi(m[1]), e.firstGroupSize) << text;
        EXPECT_EQ(std::stoi(m[2]), e.givenDuration) << text;
        EXPECT_EQ(std::stoi(m[3]), e.firstGroupSize * e.givenDuration) << text;
        EXPECT_EQ(std::stoi(m[4]), std::stoi(m[3])) << text;
        EXPECT_EQ(std::stoi(m[5]), e.expectedAnswer) << text;
    }
}

} // namespace
