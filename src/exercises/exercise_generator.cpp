#include "exercise_generator.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <iterator>

namespace {

// Plain remainder, without rejecting the few values that make a range slightly uneven: the
// bias is far below anything a learner could notice, and with one rand() per draw the
// exercises of a seed follow simply from rand()'s sequence, which the tests replay.
int draw(int modulus)
{
    return std::rand() % modulus;
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
    exercise.firstGroupSize = draw(work ? 8 : 12) + 2;
    do {
        exercise.secondGroupSize = draw(work ? 10 : 18) + 2;
    } while (exercise.secondGroupSize == exercise.firstGroupSize);

    const auto r = static_cast<std::size_t>(exercise.scenarioIndex);
    if (model == ExerciseModel::Direct) {
        const DirectWords& words = work ? workWords[r].direct : supplyWords[r].direct;
        exercise.factor = words.rateLow + draw(words.rateHigh - words.rateLow + 1);
        exercise.givenDuration = exercise.factor * exercise.firstGroupSize;
        exercise.expectedAnswer = exercise.factor * exercise.secondGroupSize;
    } else {
        const ConstantWords& words = work ? workWords[r].constant : supplyWords[r].constant;
        exercise.factor = words.low + draw(words.high - words.low + 1);
        exercise.givenDuration = exercise.factor;
        exercise.expectedAnswer = exercise.factor;
    }
    return exercise;
}

} // namespace

Exercise drawExercise()
{
    Exercise exercise;
    exercise.kind = draw(2) == 1 ? ExerciseKind::WorkExercise : ExerciseKind::SupplyExercise;
    exercise.scenarioIndex = draw(scenarioCount);

    const bool work = exercise.kind == ExerciseKind::WorkExercise;
    exercise.firstGroupSize = draw(work ? 8 : 12) + 2;
    do {
        exercise.secondGroupSize = draw(work ? 10 : 18) + 2;
    } while (exercise.secondGroupSize == exercise.firstGroupSize);
    exercise.factor = draw(work ? 13 : 4) + 2;

    exercise.givenDuration = exercise.factor * exercise.secondGroupSize;
    exercise.expectedAnswer = exercise.factor * exercise.firstGroupSize;
    return exercise;
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
