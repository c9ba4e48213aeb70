#include "console.hpp"
#include "records_json.hpp"

#include <emscripten.h>

#include <array>
#include <iostream>
#include <string>

// In the browser the page owns the console: it lays out the dialogue itself, in correct German,
// from the session's events, which reach it as JSON through one call. The program's own text
// goes to the runtime's standard output, which the page drops and a runner under Node writes to
// a pipe, as the native program would. Besides the events there are two calls, both waiting
// without blocking the page (Asyncify suspends the program until the page's promise settles):
// readLine, which gives a typed line, nothing at the end of input, or -1 when the learner's
// Ctrl-C interrupted the read, and waitForKey for the closing pause. The seed and the round's
// options (mixed problems, numbers to work by hand) are the page's.
// The front-end hands these over when it starts the program (web/shared/program.js).

// clang-format off
EM_JS(void, tellEvent, (const char* json), {
    Module.onEvent(UTF8ToString(json));
});

EM_ASYNC_JS(int, readLine, (char* into, int size), {
    const bytes = await Module.readLine(size);
    if (bytes === null) {
        return -1;
    }
    HEAPU8.set(bytes, into);
    return bytes.length;
});

EM_ASYNC_JS(void, waitForKey, (), {
    await Module.waitForKey();
});

EM_JS(unsigned, sessionSeed, (), {
    return Module.seed >>> 0;
});

// The round the page asks for: 1 for mixed problems, 2 for numbers to work by hand, or both.
EM_JS(int, roundAsked, (), {
    return (Module.mixed ? 1 : 0) | (Module.byHand ? 2 : 0);
});
// clang-format on

namespace {

bool interrupted = false;

struct PageInput : std::streambuf {
    std::array<char, 4096> buffer{};

    int_type underflow() override
    {
        const int got = readLine(buffer.data(), static_cast<int>(buffer.size()));
        interrupted = got < 0;
        if (got <= 0) {
            return traits_type::eof();
        }
        setg(buffer.data(), buffer.data(), buffer.data() + got);
        return traits_type::to_int_type(buffer[0]);
    }
};

} // namespace

Console openConsole()
{
    static PageInput input;
    SessionOperations operations;
    // What the program wrote is flushed before each event, so that a runner sees it in order.
    operations.event = [](const SessionEvent& event) {
        std::cout.flush();
        tellEvent(eventJson(event).c_str());
    };
    operations.interrupted = [] { return interrupted; };
    operations.pause = [](bool inputEnded) {
        if (!inputEnded) {
            waitForKey();
        }
    };
    const int asked = roundAsked();
    return {
        &input, std::cout.rdbuf(), sessionSeed(), operations, {(asked & 1) != 0, (asked & 2) != 0}};
}
