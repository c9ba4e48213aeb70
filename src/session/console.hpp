#pragma once

#include "exercise_generator.hpp"
#include "practice_session.hpp"

#include <streambuf>

// The platform's console operations, one implementation per platform chosen at build time.
// Those that show something flush standard output first, since they may show it directly.

// Turns the console light yellow with grey text, and sees that it is reset when the program
// ends, however it ends.
void setConsoleColours();

// Waits for a key press after a prompt of its own, unless input has ended.
void pauseConsole(bool inputEnded);

// After a wrong answer: offers the working of that problem where the console can show it beside
// the dialogue (the browser page); elsewhere it does nothing, and the dialogue is the same.
void offerConsoleWorking(const Exercise& exercise);

// Before each question is read: the browser page shows the controls that answer it and the
// learner's progress; elsewhere it does nothing.
void askConsole(Question question, const ScoreTally& tally);

// The seed of the random source, read from the clock once per run.
unsigned clockSeed();

// Standard input and output as the dialogue should use them; main hands them to std::cin and
// std::cout.
std::streambuf* standardInput();
std::streambuf* standardOutput();
