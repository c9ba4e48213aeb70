#include "console.hpp"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>

// The command interpreter sets the colours and pauses. Its results are ignored: when a command
// cannot be run, the dialogue goes on unchanged.

namespace {

void runCommand(const char* command)
{
    std::cout.flush();
    static_cast<void>(std::fflush(stdout));
    static_cast<void>(std::system(command));
}

} // namespace

void setConsoleColours()
{
    runCommand("Color e8");
}

void pauseConsole(bool /*inputEnded*/)
{
    runCommand("PAUSE");
}

// The console window has nowhere beside the dialogue to show the working.
void offerConsoleWorking(const Exercise& /*exercise*/) {}

// The console window shows the prompts, and the typed line answers them.
void askConsole(Question /*question*/, const ScoreTally& /*tally*/) {}

unsigned clockSeed()
{
    const std::time_t t = std::time(nullptr);
    return static_cast<unsigned>(t); // the low 32 bits of the clock
}

// The console's own streams; its runtime waits for input as it should.
std::streambuf* standardInput()
{
    return std::cin.rdbuf();
}

std::streambuf* standardOutput()
{
    return std::cout.rdbuf();
}
