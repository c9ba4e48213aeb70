#include "exercise_generator.hpp"

#include <gtest/gtest.h>

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

} // namespace
