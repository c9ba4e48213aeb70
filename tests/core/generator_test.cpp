#include "exercise_generator.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <set>
#include <tuple>
#include <vector>

namespace {

struct Range {
    int low;
    int high;
};

struct KindRanges {
    ExerciseKind kind;
    Range first;
    Range second;
    Range factor;
};

const std::array<KindRanges, 2> ranges = {{
    {ExerciseKind::WorkExercise, {2, 9}, {2, 11}, {2, 14}},
    {ExerciseKind::SupplyExercise, {2, 13}, {2, 19}, {2, 5}},
}};

std::vector<Exercise> drawMany(unsigned seed, int count)
{
    std::srand(seed);
    std::vector<Exercise> exercises;
    exercises.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        exercises.push_back(drawExercise());
    }
    return exercises;
}

TEST(Generator, StaysInRangeAndReachesEveryValueOfEachKind)
{
    const std::vector<Exercise> exercises = drawMany(20261208, 200000);
    for (const KindRanges& r : ranges) {
        std::set<int> indices;
        std::set<int> firsts;
        std::set<int> seconds;
        std::set<int> factors;
        for (const Exercise& e : exercises) {
            if (e.kind != r.kind) {
                continue;
            }
            indices.insert(e.scenarioIndex);
            firsts.insert(e.firstGroupSize);
            seconds.insert(e.secondGroupSize);
            factors.insert(e.factor);
        }
        const auto expectAll = [](const std::set<int>& seen, Range range, const char* what) {
            std::set<int> all;
            for (int v = range.low; v <= range.high; ++v) {
                all.insert(v);
            }
            EXPECT_EQ(seen, all) << what;
        };
        expectAll(indices, {0, scenarioCount - 1}, "scenarioIndex");
        expectAll(firsts, r.first, "firstGroupSize");
        expectAll(seconds, r.second, "secondGroupSize");
        expectAll(factors, r.factor, "factor");
    }
}

TEST(Generator, AnswerIsWholeAndInverselyProportional)
{
    for (const Exercise& e : drawMany(42, 100000)) {
        ASSERT_NE(e.secondGroupSize, e.firstGroupSize);
        ASSERT_EQ(e.givenDuration, e.factor * e.secondGroupSize);
        ASSERT_EQ(e.expectedAnswer, e.factor * e.firstGroupSize);
        ASSERT_EQ(e.firstGroupSize * e.givenDuration % e.secondGroupSize, 0);
        ASSERT_EQ(e.firstGroupSize * e.givenDuration / e.secondGroupSize, e.expectedAnswer);
    }
}

TEST(Generator, BothDirectionsOccur)
{
    bool smaller = false;
    bool larger = false;
    for (const Exercise& e : drawMany(3, 1000)) {
        smaller = smaller || e.secondGroupSize < e.firstGroupSize;
        larger = larger || e.secondGroupSize > e.firstGroupSize;
    }
    EXPECT_TRUE(smaller);
    EXPECT_TRUE(larger);
}

auto fields(const Exercise& e)
{
    return std::tie(e.kind, e.scenarioIndex, e.firstGroupSize, e.secondGroupSize, e.factor,
                    e.givenDuration, e.expectedAnswer);
}

TEST(Generator, SameSeedGivesSameSequence)
{
    const std::vector<Exercise> once = drawMany(1234, 500);
    const std::vector<Exercise> again = drawMany(1234, 500);
    const std::vector<Exercise> other = drawMany(1235, 500);
    bool differs = false;
    for (std::size_t i = 0; i < once.size(); ++i) {
        ASSERT_EQ(fields(once[i]), fields(again[i])) << "exercise " << i;
        differs = differs || fields(once[i]) != fields(other[i]);
    }
    EXPECT_TRUE(differs);
}

// The draws come in a fixed order: kind, index, first size, second size (redrawn alone while
// it equals the first), factor. Replaying the raw numbers of the source must give the same.
TEST(Generator, DrawsInTheFixedOrderFromTheStandardSource)
{
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::srand(seed);
        std::vector<int> raw;
        raw.reserve(64);
        for (int i = 0; i < 64; ++i) {
            raw.push_back(std::rand());
        }
        std::srand(seed);
        const Exercise e = drawExercise();

        std::size_t next = 0;
        const auto drawn = [&](int modulus) { return raw.at(next++) % modulus; };
        const ExerciseKind kind =
            drawn(2) == 1 ? ExerciseKind::WorkExercise : ExerciseKind::SupplyExercise;
        const KindRanges& r = kind == ExerciseKind::WorkExercise ? ranges[0] : ranges[1];
        const int index = drawn(6);
        const int first = drawn(r.first.high - 1) + 2;
        int second = drawn(r.second.high - 1) + 2;
        while (second == first) {
            second = drawn(r.second.high - 1) + 2;
        }
        const int factor = drawn(r.factor.high - 1) + 2;

        ASSERT_EQ(e.kind, kind) << "seed " << seed;
        ASSERT_EQ(e.scenarioIndex, index) << "seed " << seed;
        ASSERT_EQ(e.firstGroupSize, first) << "seed " << seed;
        ASSERT_EQ(e.secondGroupSize, second) << "seed " << seed;
        ASSERT_EQ(e.factor, factor) << "seed " << seed;
        ASSERT_EQ(std::rand(), raw.at(next)) << "seed " << seed << ": draws consumed";
    }
}

// A round as the session draws it, with these options.
std::vector<Exercise> drawRound(unsigned seed, int count, RoundOptions options)
{
    std::srand(seed);
    std::vector<Exercise> round;
    std::vector<ExerciseModel> models;
    for (int i = 0; i < count; ++i) {
        round.push_back(drawExercise(options, models));
        models.push_back(round.back().model);
    }
    return round;
}

TEST(MixedRound, TheConsolesRoundIsDrawnAsBefore)
{
    const std::vector<Exercise> console = drawMany(77, 300);
    const std::vector<Exercise> round = drawRound(77, 300, {});
    for (std::size_t i = 0; i < console.size(); ++i) {
        ASSERT_EQ(fields(round[i]), fields(console[i])) << i;
        ASSERT_EQ(round[i].model, ExerciseModel::Inverse);
    }
}

// Each block of six holds three inverse, two direct and one constant problem, so that a round
// of 30 has 15 that are not inverse; no model comes four times in a row.
TEST(MixedRound, ModelsComeInTheirSharesAndNeverFourInARow)
{
    for (unsigned seed = 1; seed <= 500; ++seed) {
        const std::vector<Exercise> round = drawRound(seed, 30, {true, seed % 2 == 0});
        for (std::size_t block = 0; block < round.size(); block += 6) {
            std::array<int, 3> counts{};
            for (std::size_t i = block; i < block + 6; ++i) {
                ++counts.at(static_cast<std::size_t>(round[i].model));
            }
            ASSERT_EQ(counts, (std::array<int, 3>{3, 2, 1})) << "seed " << seed;
        }
        for (std::size_t i = 3; i < round.size(); ++i) {
            ASSERT_FALSE(round[i].model == round[i - 1].model &&
                         round[i].model == round[i - 2].model &&
                         round[i].model == round[i - 3].model)
                << "seed " << seed << ", problem " << i;
        }
    }
}

// Over every scenario of both kinds and every model: the groups in the kind's ranges, a whole
// answer that follows from the model, what each member achieves, or the duration, in the
// scenario's range; every scenario and model is reached.
TEST(MixedRound, EveryScenarioAndModelGivesAWholeAnswerInItsRanges)
{
    std::set<std::tuple<ExerciseKind, int, ExerciseModel>> reached;
    for (const Exercise& e : drawRound(2026, 20000, {true, false})) {
        const KindRanges& r = e.kind == ExerciseKind::WorkExercise ? ranges[0] : ranges[1];
        reached.insert({e.kind, e.scenarioIndex, e.model});
        ASSERT_GE(e.firstGroupSize, r.first.low);
        ASSERT_LE(e.firstGroupSize, r.first.high);
        ASSERT_GE(e.secondGroupSize, r.second.low);
        ASSERT_LE(e.secondGroupSize, r.second.high);
        ASSERT_NE(e.secondGroupSize, e.firstGroupSize);
        const auto at = static_cast<std::size_t>(e.scenarioIndex);
        const bool work = e.kind == ExerciseKind::WorkExercise;
        const DirectWords& direct = work ? workWords[at].direct : supplyWords[at].direct;
        const ConstantWords& constant = work ? workWords[at].constant : supplyWords[at].constant;
        switch (e.model) {
        case ExerciseModel::Inverse:
            ASSERT_EQ(e.firstGroupSize * e.givenDuration, e.secondGroupSize * e.expectedAnswer);
            break;
        case ExerciseModel::Direct:
            ASSERT_GE(e.factor, direct.rateLow);
            ASSERT_LE(e.factor, direct.rateHigh);
            ASSERT_EQ(e.givenDuration, e.factor * e.firstGroupSize);
            ASSERT_EQ(e.givenDuration * e.secondGroupSize, e.expectedAnswer * e.firstGroupSize);
            break;
        case ExerciseModel::Constant:
            ASSERT_GE(e.factor, constant.low);
            ASSERT_LE(e.factor, constant.high);
            ASSERT_EQ(e.givenDuration, e.factor);
            ASSERT_EQ(e.expectedAnswer, e.factor);
            break;
        }
    }
    EXPECT_EQ(reached.size(), 2U * scenarioCount * 3);
}

// Without a calculator: divisors up to 10, products up to 500, in every model.
TEST(MixedRound, WithoutCalculatorEveryProblemIsWorkableByHand)
{
    std::set<ExerciseModel> models;
    for (const Exercise& e : drawRound(9, 5000, {true, true})) {
        models.insert(e.model);
        ASSERT_TRUE(workableByHand(e));
        if (e.model == ExerciseModel::Inverse) {
            ASSERT_LE(e.secondGroupSize, 10);
            ASSERT_LE(e.firstGroupSize * e.givenDuration, 500);
        } else if (e.model == ExerciseModel::Direct) {
            ASSERT_LE(e.firstGroupSize, 10);
            ASSERT_LE(e.expectedAnswer, 500);
        }
    }
    EXPECT_EQ(models.size(), 3U);
    for (const Exercise& e : drawRound(10, 2000, {false, true})) {
        ASSERT_EQ(e.model, ExerciseModel::Inverse);
        ASSERT_TRUE(workableByHand(e));
    }
    // The whole ranges go beyond what is workable by hand.
    const std::vector<Exercise> whole = drawMany(11, 2000);
    EXPECT_FALSE(std::all_of(whole.begin(), whole.end(), workableByHand));
}

} // namespace
