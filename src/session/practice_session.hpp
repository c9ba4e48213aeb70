#pragma once

#include <istream>
#include <ostream>

struct ScoreTally {
    int posedCount = 0;
    int correctCount = 0;
};

// The two console operations around the dialogue. main passes the platform's own (console.hpp);
// tests pass their own so that a run in-process touches no terminal.
struct ConsoleOperations {
    void (*setColours)();
    void (*pause)(bool inputEnded);
};

// Runs the whole dialogue: colours, seeding std::srand with seed, greeting, rounds until the user
// declines to go on, summary, verdict and pause. Returns the score for callers that check it.
ScoreTally practiceSession(std::istream& in, std::ostream& out, const ConsoleOperations& console,
                           unsigned seed);
