#pragma once

#include <streambuf>

// The platform's console operations, one implementation per platform chosen at build time.
// Both flush standard output first, since they may write to the console directly.

// Turns the console light yellow with grey text, and sees that it is reset when the program
// ends, however it ends.
void setConsoleColours();

// Waits for a key press after a prompt of its own, unless input has ended.
void pauseConsole(bool inputEnded);

// Standard input and output as the dialogue should use them; main hands them to std::cin and
// std::cout.
std::streambuf* standardInput();
std::streambuf* standardOutput();
