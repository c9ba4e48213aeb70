#include "exercise_generator.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <iterator>
#include <utility>

namespace {

// Plain remainder, without rejecting the few values that make a range slightly uneven: the
// bias is far below anything a learner could notice, and with one rand() per draw the
// exercises of a seed follow simply from rand()'s sequence, which the tests replay.
int draw(int modulus)
{
    return std::rand() % modulus;
}

// The ranges of the draws, each counted from 2: a group's size in the given sentence and in the
// question, and what each member of an inverse problem takes.
int firstSizes(bool work)
{
    return work ? 8 : 12;
}

int secondSizes(bool work)
{
    return work ? 10 : 18;
}

int inverseFactors(bool work)
{
    return work ? 13 : 4;
}

// The range of a direct or constant problem's factor in its scenario.
std::pair<int, int> factorRange(ExerciseKind kind, ExerciseModel model, std::size_t scenario)
{
    const bool work = kind == ExerciseKind::WorkExercise;
    if (model == ExerciseModel::Direct) {
        const DirectWords& words = work ? workWords[scenario].direct : supplyWords[scenario].direct;
        return {words.rateLow, words.rateHigh};
    }
    const ConstantWords& words =
        work ? workWords[scenario].constant : supplyWords[scenario].constant;
    return {words.low, words.high};
}

// The longest run of one model a mixed round poses.
constexpr std::size_t longestRun = 3;

// The models of a mixed round come in blocks of six, each block three inverse, two direct and
// one constant in a random order, so that every stretch of a round holds each model in its
// share; of the models left in the block, one that would make a fourth in a row is passed over.
ExerciseModel drawModel(const std::vector<ExerciseModel>& earlier)
{
    constexpr std::array<ExerciseModel, 6> block = {
        ExerciseModel::Inverse, ExerciseModel::Inverse, ExerciseModel::Inverse,
        ExerciseModel::Direct,  ExerciseModel::Direct,  ExerciseModel::Constant};
    std::vector<ExerciseModel> left(block.begin(), block.end());
    for (std::size_t i = earlier.size() - earlier.size() % block.size(); i < earlier.size(); ++i) {
        left.erase(std::find(left.begin(), left.end(), earlier[i]));
    }
    const auto lengthensRun = [&earlier](ExerciseModel model) {
        return earlier.size() >= longestRun &&
               std::all_of(earlier.end() - longestRun, earlier.end(),
                           [model](ExerciseModel e) { return e == model; });
    };
    std::vector<ExerciseModel> allowed;
    std::copy_if(left.begin(), left.end(), std::back_inserter(allowed),
                 [&](ExerciseModel model) { return !lengthensRun(model); });
    const std::vector<ExerciseModel>& from = allowed.empty() ? left : allowed;
    return from[static_cast<std::size_t>(draw(static_cast<int>(from.size())))];
}

// A direct or constant exercise: the kind, the scenario and the groups drawn as for an inverse
// one, then what each member achieves or the duration from the scenario's range.
Exercise drawOther(ExerciseModel model)
{
    Exercise exercise;
    exercise.model = model;
    exercise.kind = draw(2) == 1 ? ExerciseKind::WorkExercise : ExerciseKind::SupplyExercise;
    exercise.scenarioIndex = draw(scenarioCount);
    const bool work = exercise.kind == ExerciseKind::WorkExercise;
    exercise.firstGroupSize = draw(firstSizes(work)) + 2;
    do {
        exercise.secondGroupSize = draw(secondSizes(work)) + 2;
    } while (exercise.secondGroupSize == exercise.firstGroupSize);

    const auto [low, high] =
        factorRange(exercise.kind, model, static_cast<std::size_t>(exercise.scenarioIndex));
    return exerciseOf(exercise.kind, exercise.scenarioIndex, exercise.firstGroupSize,
                      exercise.secondGroupSize, low + draw(high - low + 1), model);
}

} // namespace

Exercise drawExercise()
{
    Exercise exercise;
    exercise.kind = draw(2) == 1 ? ExerciseKind::WorkExercise : ExerciseKind::SupplyExercise;
    exercise.scenarioIndex = draw(scenarioCount);

    const bool work = exercise.kind == ExerciseKind::WorkExercise;
    exercise.firstGroupSize = draw(firstSizes(work)) + 2;
    do {
        exercise.secondGroupSize = draw(secondSizes(work)) + 2;
    } while (exercise.secondGroupSize == exercise.firstGroupSize);
    exercise.factor = draw(inverseFactors(work)) + 2;

    exercise.givenDuration = exercise.factor * exercise.secondGroupSize;
    exercise.expectedAnswer = exercise.factor * exercise.firstGroupSize;
    return exercise;
}

Exercise exerciseOf(ExerciseKind kind, int scenarioIndex, int firstGroupSize, int secondGroupSize,
                    int factor, ExerciseModel model)
{
    Exercise e{kind, scenarioIndex, firstGroupSize, secondGroupSize, factor, factor, factor, model};
    if (model == ExerciseModel::Inverse) {
        e.givenDuration = factor * secondGroupSize;
        e.expectedAnswer = factor * firstGroupSize;
    } else if (model == ExerciseModel::Direct) {
        e.givenDuration = factor * firstGroupSize;
        e.expectedAnswer = factor * secondGroupSize;
    }
    return e;
}

std::vector<Exercise> everyExercise(ExerciseKind kind, ExerciseModel model)
{
    const bool work = kind == ExerciseKind::WorkExercise;
    std::vector<Exercise> all;
    for (int scenario = 0; scenario < scenarioCount; ++scenario) {
        const auto [low, high] = model == ExerciseModel::Inverse
                                     ? std::pair{2, inverseFactors(work) + 1}
                                     : factorRange(kind, model, static_cast<std::size_t>(scenario));
        for (int first = 2; first < firstSizes(work) + 2; ++first) {
            for (int second = 2; second < secondSizes(work) + 2; ++second) {
                for (int factor = low; factor <= high && second != first; ++factor) {
                    all.push_back(exerciseOf(kind, scenario, first, second, factor, model));
                }
            }
        }
    }
    return all;
}

bool workableByHand(const Exercise& e)
{
    switch (e.model) {
    case ExerciseModel::Inverse: // first times given, divided by second
        return e.secondGroupSize <= 10 && e.firstGroupSize * e.givenDuration <= 500;
    case ExerciseModel::Direct: // given divided by first, times second
        return e.firstGroupSize <= 10 && e.givenDuration <= 500 && e.expectedAnswer <= 500;
    case ExerciseModel::Constant:
        break;
    }
    return true;
}

Exercise drawExercise(RoundOptions options, const std::vector<ExerciseModel>& earlier)
{
    const ExerciseModel model = options.mixed ? drawModel(earlier) : ExerciseModel::Inverse;
    for (;;) {
        const Exercise exercise =
            model == ExerciseModel::Inverse ? drawExercise() : drawOther(model);
        if (!options.byHand || workableByHand(exercise)) {
            return exercise;
        }
    }
}
