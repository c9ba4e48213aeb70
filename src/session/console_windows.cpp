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

// The console's own streams; its runtime waits for input as it should. The console window has
// nowhere beside the dialogue to show the session's events.
Console openConsole()
{
    const std::time_t t = std::time(nullptr);
    SessionOperations operations;
    operations.setColours = [] { runCommand("Color e8"); };
    operations.pause = [](bool /*inputEnded*/) { runCommand("PAUSE"); };
    return {std::cin.rdbuf(), std::cout.rdbuf(), static_cast<unsigned>(t), operations, {}};
}
