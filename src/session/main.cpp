#include "console.hpp"
#include "practice_session.hpp"

#include <iostream>

int main()
{
    const Console console = openConsole();
    std::cin.rdbuf(console.input);
    std::cout.rdbuf(console.output);
    practiceSession(std::cin, std::cout, console.operations, console.seed, console.options);
    return 0;
}
