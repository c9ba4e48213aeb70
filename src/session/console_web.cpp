#include "console.hpp"

#include <emscripten.h>

#include <array>
#include <iostream>
#include <sstream>
#include <string>

// In the browser the page owns the console: a transcript and a text field, no terminal. The
// program reaches it through a few named calls that the page hands over when it starts the
// program: writeOutput (text), readInput (a typed line, empty at the end of input),
// waitForKey (a key or the page's "Weiter" button), setColours (the program's colours on a
// cleared transcript), and isTerminal, which is false when a runner feeds the program from a
// pipe instead (then, as on POSIX, there are no colours and no wait). Two calls tell the page
// what the dialogue does, so that it never has to read the text: openQuestion (which question
// is about to be read, with the score so far) and offerWorking (the working after a wrong
// answer). Pages and runners without them ignore them. No escape sequences: the page never has
// to parse the output.
// Reading waits without blocking the page: Asyncify suspends the program until the page
// resolves the promise. Only readInput and waitForKey wait (see src/CMakeLists.txt).

// clang-format off
EM_JS(void, writeOutput, (const char* text, int size), {
    Module.writeOutput(HEAPU8.slice(text, text + size));
});

EM_ASYNC_JS(int, readInput, (char* into, int size), {
    const bytes = await Module.readInput(size);
    HEAPU8.set(bytes, into);
    return bytes.length;
});

EM_JS(bool, isTerminal, (), {
    return !!Module.isTerminal;
});

EM_JS(void, setPageColours, (), {
    Module.setColours();
});

EM_ASYNC_JS(void, waitForKey, (), {
    await Module.waitForKey();
});
// clang-format on

namespace {

// Learners hold tablets and phones as often as keyboards, so the pause names both.
constexpr const char* pausePrompt = " Druecke eine Taste oder tippe auf Weiter . . . ";

void writeText(const char* text)
{
    std::cout.flush();
    writeOutput(text, static_cast<int>(std::char_traits<char>::length(text)));
}

struct PageOutput : std::streambuf {
    std::array<char, 4096> buffer{};

    PageOutput() { setp(buffer.data(), buffer.data() + buffer.size()); }

    int sync() override
    {
        writeOutput(pbase(), static_cast<int>(pptr() - pbase()));
        setp(buffer.data(), buffer.data() + buffer.size());
        return 0;
    }
    int_type overflow(int_type c) override
    {
        sync();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            sputc(traits_type::to_char_type(c));
        }
        return traits_type::not_eof(c);
    }
};

struct PageInput : std::streambuf {
    std::array<char, 4096> buffer{};

    int_type underflow() override
    {
        const int got = readInput(buffer.data(), static_cast<int>(buffer.size()));
        if (got <= 0) {
            return traits_type::eof();
        }
        setg(buffer.data(), buffer.data(), buffer.data() + got);
        return traits_type::to_int_type(buffer[0]);
    }
};

} // namespace

void setConsoleColours()
{
    if (isTerminal()) {
        std::cout.flush();
        setPageColours();
    }
}

void pauseConsole(bool inputEnded)
{
    if (inputEnded || !isTerminal()) {
        return;
    }
    writeText(pausePrompt);
    waitForKey();
    writeText("\n");
}

std::streambuf* standardInput()
{
    static PageInput input;
    return &input;
}

std::streambuf* standardOutput()
{
    static PageOutput output;
    return &output;
}

// clang-format off
EM_JS(void, offerWorkingToPage, (const char* text, int size, bool work, int scenario, int first,
                                 int second), {
    if (Module.offerWorking) {
        Module.offerWorking({
            lines: new TextDecoder().decode(HEAPU8.slice(text, text + size)),
            kind: work ? "work" : "supply", scenario, first, second,
        });
    }
});

EM_JS(void, openQuestionOnPage, (bool answer, double posed, double correct), {
    if (Module.openQuestion) {
        Module.openQuestion(answer ? "answer" : "continue", posed, correct);
    }
});

// The page's millisecond clock: learners who start in the same second get different problems.
EM_JS(unsigned, pageClock, (), {
    return Date.now() >>> 0;
});
// clang-format on

// The working in three lines, with what the page needs to say why in words of its own.
void offerConsoleWorking(const Exercise& exercise)
{
    std::ostringstream working;
    writeWorking(working, exercise.kind, exercise.scenarioIndex, exercise.firstGroupSize,
                 exercise.secondGroupSize, exercise.givenDuration);
    const std::string text = working.str();
    std::cout.flush();
    offerWorkingToPage(text.c_str(), static_cast<int>(text.size()),
                       exercise.kind == ExerciseKind::WorkExercise, exercise.scenarioIndex,
                       exercise.firstGroupSize, exercise.secondGroupSize);
}

void askConsole(Question question, const ScoreTally& tally)
{
    std::cout.flush();
    openQuestionOnPage(question == Question::Answer, static_cast<double>(tally.posedCount),
                       static_cast<double>(tally.correctCount));
}

unsigned clockSeed()
{
    return pageClock();
}
