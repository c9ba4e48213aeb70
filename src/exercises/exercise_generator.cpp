#include "exercise_generator.hpp"

#include <cstdlib>

namespace {

// Plain remainder, without rejecting the few values that make the ranges slightly uneven:
// the same seed must give the same exercises as the draws have always given.
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
