#include "exercise_catalogue.hpp"
#include "exercise_generator.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
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

// statementOf holds the lines that writeStatement writes, with the empty lines around them.
TEST(Statement, LinesAreTheWrittenStatementWithoutItsEmptyLines)
{
    std::srand(20261208);
    for (int i = 0; i < 500; ++i) {
        const Exercise e = drawExercise();
        const Statement lines = statementOf(e.kind, e.scenarioIndex, e.firstGroupSize,
                                            e.secondGroupSize, e.givenDuration);
        std::string joined = "\n";
        for (const auto& line : lines.given) {
            joined += line + "\n";
        }
        joined += "\n";
        for (const auto& line : lines.question) {
            joined += line + "\n";
        }
        joined += "\n";
        EXPECT_EQ(joined, statement(e.kind, e.scenarioIndex, e.firstGroupSize, e.secondGroupSize,
                                    e.givenDuration));
        EXPECT_EQ(lines.given.size(), e.kind == ExerciseKind::WorkExercise ? 2U : 1U);
    }
}

} // namespace
