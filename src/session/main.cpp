#include "console.hpp"
#include "practice_session.hpp"

#include <istream>
#include <ostream>

// The dialogue's streams over the console's buffers. Not the standard stream objects: setting
// those up (and their wide-character twins) costs a terminal program's start more than its
// whole dialogue.
int main()
{
    const Console console = openConsole();
    std::ostream out(console.output);
    std::istream in(console.input);
    in.tie(&out); // what was written is on screen before a read waits
    practiceSession(in, out, console.operations, console.seed, console.options);
    return 0;
}
