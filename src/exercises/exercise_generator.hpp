#pragma once

#include "exercise_catalogue.hpp"

// One posed problem. givenDuration is factor * secondGroupSize and expectedAnswer is
// factor * firstGroupSize, so firstGroupSize * givenDuration == secondGroupSize * expectedAnswer
// and the answer is always a whole number.
struct Exercise {
    ExerciseKind kind = ExerciseKind::WorkExercise;
    int scenarioIndex = 0;
    int firstGroupSize = 0;
    int secondGroupSize = 0;
    int factor = 0;
    int givenDuration = 0;
    int expectedAnswer = 0;
};

// Draws a new exercise from the standard random source (std::rand), which the caller seeds.
Exercise drawExercise();
