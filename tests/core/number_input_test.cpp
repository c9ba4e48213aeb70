#include "number_input.hpp"
#include "practice_session.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string manyZeros(1'000'000, '0');
constexpr double infinite = std::numeric_limits<double>::infinity();
constexpr int intMax = std::numeric_limits<int>::max();
constexpr int intMin = std::numeric_limits<int>::min();

// What one read gives: false at the end of input, else the number and what is left after it.
struct NumberCase {
    const char* name;
    std::string input;
    bool read;
    double value;
    std::string rest;
};

template <typename Number> void expectRead(const NumberCase& c)
{
    SCOPED_TRACE(c.name);
    std::istringstream in(c.input);
    Number value{};
    ASSERT_EQ(readNumber(in, value), c.read);
    if (c.read) {
        EXPECT_EQ(value, static_cast<Number>(c.value));
        const auto at = in.rdbuf()->pubseekoff(0, std::ios::cur, std::ios::in);
        EXPECT_EQ(c.input.substr(static_cast<std::size_t>(at)), c.rest);
    }
}

// The verdicts of formatted input, whatever the standard library and however long the number.
const std::vector<NumberCase> reals = {
    {"Whole", "20\n", true, 20, "\n"},
    {"BlanksBeforeAndRestAfter", "  \n\t 20.5x 1\n", true, 20.5, "x 1\n"},
    {"PointWithoutFraction", "5.\n", true, 5, "\n"},
    {"ExponentAfterPoint", "5.e3", true, 5000, ""},
    {"CapitalExponent", "7E1\n", true, 70, "\n"},
    {"SecondPointStaysBehind", "1.2.3", true, 1.2, ".3"},
    {"HexStopsAtX", "0x10", true, 0, "x10"},
    {"CommaStaysBehind", "7,5\n", true, 7, ",5\n"},
    {"TooLargeIsInfinite", "1e40\n", true, infinite, "\n"},
    {"TooLargeNegative", "-1e40", true, -infinite, ""},
    {"TooSmallIsZero", "1e-50", true, 0, ""},
    {"HugeExponent", "1e999999999999999999999999", true, infinite, ""},
    {"HugeNegativeExponent", "1e-999999999999999999999999", true, 0, ""},
    {"LettersDropTheirLine", "zwanzig 5\n7", true, 7, ""},
    {"ExponentWithoutDigitsDropsTheLine", "1e+\n2e\n7", true, 7, ""},
    {"SignsAndPointsAloneDropTheirLine", "-\n+-5\n.\n-.e5\n7", true, 7, ""},
    {"EndOfInput", " \n ", false, 0, ""},
    {"EndOfInputAfterJunk", "abc", false, 0, ""},
    {"EndOfInputInExponent", "1e", false, 0, ""},
    {"HalfwayRoundsToEven", "16777217", true, 16777216, ""},
    // Exactly halfway between two subnormal floats; cut short it would round down. The float
    // with the bits 0x00597926 is 0x597926 times 2 to the -149.
    {"HalfwayOf112DigitsRoundsToEven",
     "8.216818327984555543074214322804788792520369353165308369877927044939536042889027811497726"
     "361267268657684326171875e-39",
     true, 0x597926p-149, ""},
    {"JustAboveHalfwayRoundsUp", "16777217." + manyZeros + "1", true, 16777218, ""},
    {"LongLeadingZeros", manyZeros + "42", true, 42, ""},
    {"LongFractionCancelledByExponent", "0." + manyZeros + "5e1000000", true, 0.5, ""},
    {"LongWholeCancelledByExponent", "1" + manyZeros + "e-1000000", true, 1, ""},
    {"LongDigitsAfterAnswerRoundAway", "42." + manyZeros + "1\n9", true, 42, "\n9"},
};

const std::vector<NumberCase> wholes = {
    {"One", "1\n", true, 1, "\n"},
    {"PlusOne", "+1", true, 1, ""},
    {"FractionStaysBehind", "1.5", true, 1, ".5"},
    {"TooLargeIsLargest", "99999999999", true, intMax, ""},
    {"TooSmallIsLowest", "-99999999999", true, intMin, ""},
    {"LongOneIsNotOne", "1" + manyZeros, true, intMax, ""},
    {"LettersDropTheirLine", "weiter 1\n9", true, 9, ""},
    {"EndOfInputAfterSign", "-", false, 0, ""},
};

TEST(NumberInput, RealsAsFormattedInputReadsThem)
{
    for (const NumberCase& c : reals) {
        expectRead<float>(c);
    }
}

TEST(NumberInput, WholeNumbersAsFormattedInputReadsThem)
{
    for (const NumberCase& c : wholes) {
        expectRead<int>(c);
    }
}

TEST(NumberInput, NumberAtEndOfInputIsReadAndThenInputHasEnded)
{
    std::istringstream in("7");
    float erg = 0;
    EXPECT_TRUE(readNumber(in, erg));
    EXPECT_EQ(erg, 7);
    EXPECT_FALSE(readNumber(in, erg));
}

// A terminal: each string is what one read returns, an empty one the end of input of one
// Ctrl-D. Typing goes on after it.
struct TerminalInput : std::streambuf {
    std::vector<std::string> reads;
    std::size_t next = 0;

    int_type underflow() override
    {
        if (next == reads.size()) {
            return traits_type::eof();
        }
        std::string& got = reads[next++];
        if (got.empty()) {
            return traits_type::eof();
        }
        setg(got.data(), got.data(), got.data() + got.size());
        return traits_type::to_int_type(got[0]);
    }
};

// "70", Ctrl-D, Ctrl-D: the number is taken and the input has ended, without a third read.
TEST(NumberInput, EndOfInputAfterANumberIsNotAskedForAgain)
{
    TerminalInput terminal;
    terminal.reads = {"70", "", "1\n"};
    std::istream in(&terminal);
    float erg = 0;
    EXPECT_TRUE(readNumber(in, erg));
    EXPECT_EQ(erg, 70);
    int ok = 0;
    EXPECT_FALSE(readNumber(in, ok));
}

// Counts far beyond what a 32-bit counter holds are written whole and judged by the same rule.
TEST(Summary, CountsBeyondThirtyTwoBits)
{
    std::ostringstream bravo;
    writeSummary(bravo, {5'000'000'000, 4'000'000'000});
    EXPECT_EQ(bravo.str(), " Du hast insgesamt 4000000000 von 5000000000 Punkten erreicht! \n\n"
                           " Bravo! \n\n");
    std::ostringstream practise;
    writeSummary(practise, {5'000'000'000, 3'999'999'999});
    EXPECT_EQ(practise.str(), " Du hast insgesamt 3999999999 von 5000000000 Punkten erreicht! \n\n"
                              " Du musst noch mehr ueben! \n\n\n");
}

} // namespace
