#include "console.hpp"
#include "practice_session.hpp"

#include <iostream>

int main()
{
    std::cin.rdbuf(standardInput());
    std::cout.rdbuf(standardOutput());
    practiceSession(std::cin, std::cout,
                    {setConsoleColours, pauseConsole, offerConsoleWorking, askConsole},
                    clockSeed());
    return 0;
}
