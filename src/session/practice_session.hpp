#pragma once

#include "exercise_generator.hpp"

#include <functional>
#include <istream>
#include <ostream>
#include <string_view>
#include <variant>

// Wide enough that no session, however long its input, can count past the end.
struct ScoreTally {
    long long posedCount = 0;
    long long correctCount = 0;
};

// The two questions of a round: the answer to the problem, and whether to go on.
enum class Question { Answer, Continue };

// How a session ended: the learner declined to go on, the input ended, or the console
// interrupted a read (a page's Ctrl-C; a terminal's ends the whole process instead).
enum class SessionEnd { Declined, InputEnded, Interrupted };

// What happens in a session, as plain records for whatever shows it: one stream of events,
// each told once what it reports has been written.
struct GreetingShown {}; // the greeting and its separator
struct ProblemPosed {    // the statement
    Exercise exercise;
    long long number; // 1 for the session's first problem
};
struct QuestionOpened { // a question's prompt, before its number is read
    Question question;
    ScoreTally tally; // the score before the question is answered
};
struct AnswerJudged { // the feedback
    long long number; // the problem's, as posed
    float erg;
    bool right;
    int expectedAnswer;
};
struct SessionFinished { // the summary and verdict; when a read was interrupted, at once
    ScoreTally tally;
    SessionEnd how;
    bool praised; // the verdict is "Bravo!" (also told, though not written, when interrupted)
};
struct PauseBegun { // the closing pause, which consoles skip once the input has ended
    bool inputEnded;
};

using SessionEvent = std::variant<GreetingShown, ProblemPosed, QuestionOpened, AnswerJudged,
                                  SessionFinished, PauseBegun>;

// The operations around the dialogue: what the console does (colours, the pause), whether it
// interrupted a read, and the events for a front-end. Any member may be left empty; an empty
// one does nothing (and an empty interrupted means never).
struct SessionOperations {
    std::function<void()> setColours;
    std::function<void(bool inputEnded)> pause;
    std::function<bool()> interrupted;
    std::function<void(const SessionEvent&)> event;
};

// Written after the greeting and after every round.
inline constexpr std::string_view separator =
    " ---------------------------------------------------------- ";

// Runs the whole dialogue: colours, seeding std::srand with seed, greeting, rounds until the user
// declines to go on, summary, verdict and pause. Returns the score for callers that check it.
// options are the console's inverse problems unless a front-end asks for others; problems of
// the other models have no statement in the program's own texts, only their event.
ScoreTally practiceSession(std::istream& in, std::ostream& out, const SessionOperations& operations,
                           unsigned seed, RoundOptions options = {});

// The score line and the verdict: below four fifths right asks for more practice.
void writeSummary(std::ostream& out, const ScoreTally& tally);

// Whether the verdict on the tally is "Bravo!": four fifths or more right.
bool earnsPraise(const ScoreTally& tally);
