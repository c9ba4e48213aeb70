#include "console.hpp"
#include "practice_session.hpp"

#include <ctime>
#include <iostream>

int main()
{
    std::cin.rdbuf(standardInput());
    std::cout.rdbuf(standardOutput());
    const std::time_t t = std::time(nullptr);
    practiceSession(std::cin, std::cout, {setConsoleColours, pauseConsole, offerConsoleWorking},
                    static_cast<unsigned>(t)); // the low 32 bits of the clock
    return 0;
}
