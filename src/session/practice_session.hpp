#pragma once

#include "exercise_generator.hpp"

#include <istream>
#include <ostream>

// Wide enough that no session, however long its input, can count past the end.
struct ScoreTally {
    long long posedCount = 0;
    long long correctCount = 0;
};

// The two questions of a round: the answer to the problem, and whether to go on.
enum class Question { Answer, Continue };

// The console operations around the dialogue. main passes the platform's own (console.hpp);
// tests pass their own so that a run in-process touches no terminal. offerWorking is called
// after each wrong answer, once its feedback is written, with the problem that was answered.
// ask is called once a question's prompt is written, before its number is read, with the score
// so far, so that a console that shows the dialogue its own way knows what is asked.
struct ConsoleOperations {
    void (*setColours)();
    void (*pause)(bool inputEnded);
    void (*offerWorking)(const Exercise& exercise);
    void (*ask)(Question question, const ScoreTally& tally);
};

// Runs the whole dialogue: colours, seeding std::srand with seed, greeting, rounds until the user
// declines to go on, summary, verdict and pause. Returns the score for callers that check it.
ScoreTally practiceSession(std::istream& in, std::ostream& out, const ConsoleOperations& console,
                           unsigned seed);

// The score line and the verdict: below four fifths right asks for more practice.
void writeSummary(std::ostream& out, const ScoreTally& tally);
