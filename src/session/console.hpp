#pragma once

#include "practice_session.hpp"

#include <streambuf>

// The platform's console, one implementation per platform chosen at build time: the streams the
// dialogue should use (main makes its streams over them), the seed of the random
// source, read from the clock once per run, and the session's operations that the console
// carries out or shows. Those that show something flush standard output first, since they may
// show it directly.
struct Console {
    std::streambuf* input;
    std::streambuf* output;
    unsigned seed;
    SessionOperations operations;
    RoundOptions options; // what the front-end asks for; a terminal's is the console's round
};

Console openConsole();
