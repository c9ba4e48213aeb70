#include "console.hpp"
#include "records_json.hpp"

#include <emscripten.h>

#include <array>
#include <iostream>
#include <sstream>
#include <string>

// In the browser the page owns the console: a transcript and a text field, no terminal. The
// program reaches it through a few named calls that the page hands over when it starts the
// program: writeOutput (text), readInput (a typed line, empty at the end of input),
// waitForKey (a key or the page's "Weiter" button), setColours (the program's colours on a
// cleared transcript), seed (the random source's; else the page's clock gives one), and
// isTerminal, which is false when a runner feeds the program from a pipe instead (then, as on
// POSIX, there are no colours and no wait). isInterrupted says whether an empty read was the
// learner's Ctrl-C rather than the end of input.
// What happens in the session reaches the page as one object per event through sessionEvent,
// with the problem as data (records_json.hpp), and the program's fixed texts once through
// programTexts, so that the page never has to read the text. No escape sequences: the page
// never has to parse the output. Pages and runners without these calls do without them.
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

// clang-format off
EM_JS(bool, isInterrupted, (), {
    return !!(Module.isInterrupted && Module.isInterrupted());
});

EM_JS(void, tellProgramTexts, (const char* separator), {
    if (Module.programTexts) {
        Module.programTexts({ separator: UTF8ToString(separator) });
    }
});

// One object per event; the problem comes as JSON from problemJson.
EM_JS(void, tellProblemPosed, (const char* problem, double number), {
    if (Module.sessionEvent) {
        Module.sessionEvent({ type: "problemPosed", problem: JSON.parse(UTF8ToString(problem)),
                              number });
    }
});

EM_JS(void, tellAnswerJudged, (const char* problem, double erg, bool right), {
    if (Module.sessionEvent) {
        Module.sessionEvent({ type: "answerJudged", problem: JSON.parse(UTF8ToString(problem)),
                              erg, right });
    }
});

EM_JS(void, tellQuestionOpened, (bool answer, double posed, double correct), {
    if (Module.sessionEvent) {
        Module.sessionEvent({ type: "questionOpened", question: answer ? "answer" : "continue",
                              posed, correct });
    }
});

EM_JS(void, tellSessionFinished, (int how, double posed, double correct, bool praised), {
    if (Module.sessionEvent) {
        Module.sessionEvent({ type: "sessionFinished",
                              how: ["declined", "inputEnded", "interrupted"][how], posed,
                              correct, praised });
    }
});

// The seed the page hands over, or else its millisecond clock: learners who start in the same
// second get different problems, and a page that replays a round gives its seed again.
EM_JS(unsigned, pageSeed, (), {
    return (typeof Module.seed === "number" ? Module.seed : Date.now()) >>> 0;
});
// clang-format on

namespace {

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
    // Ctrl-C ends the pause as it ends a program in a terminal: with nothing more written.
    if (!isInterrupted()) {
        writeText("\n");
    }
}

} // namespace

// Each event is told once what the program wrote before it is on the page.
Console openConsole()
{
    static PageInput input;
    static PageOutput output;
    tellProgramTexts(std::string(separator).c_str());
    SessionOperations operations;
    operations.setColours = setConsoleColours;
    operations.pause = pauseConsole;
    operations.interrupted = [] { return isInterrupted(); };
    operations.problemPosed = [](const ProblemPosed& posed) {
        std::cout.flush();
        tellProblemPosed(problemJson(posed.exercise).c_str(), static_cast<double>(posed.number));
    };
    operations.answerJudged = [](const AnswerJudged& judged) {
        std::cout.flush();
        tellAnswerJudged(problemJson(judged.exercise).c_str(), static_cast<double>(judged.erg),
                         judged.right);
    };
    operations.questionOpened = [](const QuestionOpened& opened) {
        std::cout.flush();
        tellQuestionOpened(opened.question == Question::Answer,
                           static_cast<double>(opened.tally.posedCount),
                           static_cast<double>(opened.tally.correctCount));
    };
    operations.sessionFinished = [](const SessionFinished& finished) {
        std::cout.flush();
        tellSessionFinished(static_cast<int>(finished.how),
                            static_cast<double>(finished.tally.posedCount),
                            static_cast<double>(finished.tally.correctCount), finished.praised);
    };
    return {&input, &output, pageSeed(), operations};
}
