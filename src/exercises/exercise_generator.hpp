#pragma once

#include "exercise_catalogue.hpp"

#include <vector>

// One posed problem. For the program's own, inverse problems givenDuration is
// factor * secondGroupSize and expectedAnswer is factor * firstGroupSize, so firstGroupSize *
// givenDuration == secondGroupSize * expectedAnswer and the answer is always a whole number.
// A direct problem's factor is what each member achieves or uses up (givenDuration, the amount
// stated, is factor * firstGroupSize and expectedAnswer factor * secondGroupSize); a constant
// one's factor is the duration itself, both given and expected.
struct Exercise {
    ExerciseKind kind = ExerciseKind::WorkExercise;
    int scenarioIndex = 0;
    int firstGroupSize = 0;
    int secondGroupSize = 0;
    int factor = 0;
    int givenDuration = 0;
    int expectedAnswer = 0;
    ExerciseModel model = ExerciseModel::Inverse;
};

// Draws a new inverse exercise from the standard random source (std::rand), which the caller
// seeds.
Exercise drawExercise();

// The exercise of these numbers in a model: inverse and direct ones work out the duration given
// and the answer from the factor as above, a constant one takes the factor for both.
Exercise exerciseOf(ExerciseKind kind, int scenarioIndex, int firstGroupSize, int secondGroupSize,
                    int factor, ExerciseModel model);

// Every exercise of this kind and model that the draws below can give, each once.
std::vector<Exercise> everyExercise(ExerciseKind kind, ExerciseModel model);

// What a round asks for: the console's round is inverse problems with the whole ranges.
struct RoundOptions {
    bool mixed = false;  // all three models: half inverse, a third direct, a sixth constant
    bool byHand = false; // no calculator: divisors up to 10 and products up to 500
};

// Whether an exercise can be worked by hand: it divides by at most 10 and no product of its
// working exceeds 500.
bool workableByHand(const Exercise& exercise);

// Draws the next exercise of a round, after those whose models were earlier, from the same
// random source. With neither option it is drawExercise(). A mixed round poses the three
// models in blocks of six (three inverse, two direct, one constant) and never a fourth of one
// model in a row.
Exercise drawExercise(RoundOptions options, const std::vector<ExerciseModel>& earlier);
