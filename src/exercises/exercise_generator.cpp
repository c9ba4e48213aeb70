#include "exercise_generator.hpp"

#include <cstdlib>

namespace {

// Plain remainder, without rejecting the few values that make a range slightly uneven: the
// bias is far below anything a learner could notice, and with one rand() per draw the
// exercises of a seed follow simply from rand()'s sequence, which the tests replay.
int draw(int modulus)
{
    return std::rand() % modulus;
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
