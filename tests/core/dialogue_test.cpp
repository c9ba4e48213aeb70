#include "exercise_generator.hpp"
#include "practice_session.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

namespace {

constexpr unsigned seed = 20261208;

// What the session's operations saw, and how much had been written when each was called.
struct ConsoleLog {
    const std::stringbuf* out = nullptr;
    std::size_t outputAtColours = std::string::npos;
    std::size_t outputAtPause = std::string::npos;
    int pauses = 0;
    bool inputEnded = false;
    struct Posed {
        Exercise exercise;
        long long number;
        std::size_t outputAt;
    };
    std::vector<Posed> posed;
    struct Judged {
        long long number;
        float erg;
        bool right;
        int expectedAnswer;
        std::size_t outputAt;
    };
    std::vector<Judged> judged;
    struct Asked {
        Question question;
        long long posed;
        long long correct;
        std::size_t outputAt;
        bool operator==(const Asked&) const = default;
    };
    std::vector<Asked> asked;
    struct Finished {
        long long posed;
        long long correct;
        SessionEnd how;
        bool praised;
        std::size_t outputAt;
        bool operator==(const Finished&) const = default;
    };
    std::vector<Finished> finished;
    std::vector<std::size_t> greetedAt;
    struct PauseTold {
        bool inputEnded;
        std::size_t outputAt;
        bool operator==(const PauseTold&) const = default;
    };
    std::vector<PauseTold> pausesBegun;
};

// Operations that record into log, whose out must be set.
SessionOperations recording(ConsoleLog& log)
{
    const auto written = [&log] { return log.out->str().size(); };
    SessionOperations operations;
    operations.setColours = [&log, written] { log.outputAtColours = written(); };
    operations.pause = [&log, written](bool inputEnded) {
        ++log.pauses;
        log.outputAtPause = written();
        log.inputEnded = inputEnded;
    };
    operations.event = [&log, written](const SessionEvent& event) {
        if (const auto* posed = std::get_if<ProblemPosed>(&event)) {
            log.posed.push_back({posed->exercise, posed->number, written()});
        } else if (const auto* judged = std::get_if<AnswerJudged>(&event)) {
            log.judged.push_back(
                {judged->number, judged->erg, judged->right, judged->expectedAnswer, written()});
        } else if (const auto* opened = std::get_if<QuestionOpened>(&event)) {
            log.asked.push_back({opened->question, opened->tally.posedCount,
                                 opened->tally.correctCount, written()});
        } else if (const auto* finished = std::get_if<SessionFinished>(&event)) {
            log.finished.push_back({finished->tally.posedCount, finished->tally.correctCount,
                                    finished->how, finished->praised, written()});
        } else if (std::holds_alternative<GreetingShown>(event)) {
            log.greetedAt.push_back(written());
        } else if (const auto* pause = std::get_if<PauseBegun>(&event)) {
            log.pausesBegun.push_back({pause->inputEnded, written()});
        }
    };
    return operations;
}

bool sameExercise(const Exercise& a, const Exercise& b)
{
    return std::tie(a.kind, a.scenarioIndex, a.firstGroupSize, a.secondGroupSize, a.factor,
                    a.givenDuration, a.expectedAnswer) ==
           std::tie(b.kind, b.scenarioIndex, b.firstGroupSize, b.secondGroupSize, b.factor,
                    b.givenDuration, b.expectedAnswer);
}

ConsoleLog consoleLog;

struct SessionResult {
    std::string output;
    ScoreTally tally;
};

// Output kept up to a cap: a dialogue that runs away fails its own test at once, through the
// stream's exception, instead of filling the machine's memory.
struct CappedOutput : std::stringbuf {
    static constexpr std::streamsize cap = 4 << 20;
    std::streamsize written = 0;

    std::streamsize xsputn(const char* text, std::streamsize count) override
    {
        written += count;
        return written > cap ? 0 : std::stringbuf::xsputn(text, count);
    }
    int_type overflow(int_type c) override
    {
        return ++written > cap ? traits_type::eof() : std::stringbuf::overflow(c);
    }
};

SessionResult runSession(const std::string& input)
{
    std::istringstream in(input);
    CappedOutput captured;
    std::ostream out(&captured);
    out.exceptions(std::ios::badbit);
    consoleLog = ConsoleLog{};
    consoleLog.out = &captured;
    try {
        const ScoreTally tally = practiceSession(in, out, recording(consoleLog), seed);
        return {captured.str(), tally};
    } catch (const std::ios::failure&) {
        ADD_FAILURE() << "the dialogue wrote more than " << CappedOutput::cap << " bytes";
        return {captured.str().substr(0, 400), {}};
    }
}

// The exercises the session will pose, drawn the way it draws them.
std::vector<Exercise> sessionExercises()
{
    std::srand(seed);
    std::vector<Exercise> exercises(12);
    for (Exercise& e : exercises) {
        e = drawExercise();
    }
    return exercises;
}

std::vector<int> expectedAnswers()
{
    std::vector<int> answers;
    for (const Exercise& e : sessionExercises()) {
        answers.push_back(e.expectedAnswer);
    }
    return answers;
}

std::string statementOf(const Exercise& e)
{
    std::ostringstream out;
    writeStatement(out, e.kind, e.scenarioIndex, e.firstGroupSize, e.secondGroupSize,
                   e.givenDuration);
    return out.str();
}

const std::string separator = " ---------------------------------------------------------- ";
const std::string greeting =
    "\n"
    " Willkommen beim Uebungs-Simulator fuer Indirekte Proportionalitaet!\n"
    " Viel Vergnuegen beim Raetseln! \n"
    "\n"
    "\n" +
    separator + "\n\n\n";
const std::string answerPrompt = " Gib dein Ergebnis ein und druecke ENTER: ";
const std::string right = "\n\n Richtig gerechnet! :-) \n\n";
const std::string continuePrompt = " Zum Beenden des Programms druecke 9 und ENTER, \n"
                                   " zum Weitermachen druecke 1 und ENTER: ";
const std::string separatorBlock = "\n\n" + separator + "\n\n\n";
const std::string bravo = " Bravo! \n\n";
const std::string practise = " Du musst noch mehr ueben! \n\n\n";

std::string wrong(int expected)
{
    return "\n\n Dein Ergebnis ist leider falsch!\n Das richige Ergebnis lautet: " +
           std::to_string(expected) + "\n\n";
}

std::string summary(int correct, int posed)
{
    return " Du hast insgesamt " + std::to_string(correct) + " von " + std::to_string(posed) +
           " Punkten erreicht! \n\n";
}

enum class Outcome { Right, Wrong, Unanswered };

std::string transcript(const std::vector<Outcome>& rounds)
{
    const std::vector<Exercise> exercises = sessionExercises();
    std::string text = greeting;
    int correct = 0;
    for (std::size_t i = 0; i < rounds.size(); ++i) {
        text += statementOf(exercises[i]) + answerPrompt;
        if (rounds[i] != Outcome::Unanswered) {
            text += rounds[i] == Outcome::Right ? right : wrong(exercises[i].expectedAnswer);
            text += continuePrompt;
        }
        text += separatorBlock;
        correct += rounds[i] == Outcome::Right ? 1 : 0;
    }
    const int posed = static_cast<int>(rounds.size());
    return text + summary(correct, posed) + (5 * correct < 4 * posed ? practise : bravo);
}

using A = std::vector<int>;
struct DialogueCase {
    const char* name;
    std::function<std::string(const A&)> input;
    std::vector<Outcome> rounds;
    bool inputEnded;
};

std::string n(int v)
{
    return std::to_string(v);
}

using enum Outcome;

const std::vector<DialogueCase> dialogues = {
    {"RightThenNine", [](const A& a) { return n(a[0]) + "\n9\n"; }, {Right}, false},
    {"WrongThenNine", [](const A&) { return "0\n9\n"; }, {Wrong}, false},
    {"FourOfFiveIsBravo",
     [](const A& a) {
         return n(a[0]) + "\n1\n" + n(a[1]) + "\n1\n0\n1\n" + n(a[3]) + "\n1\n" + n(a[4]) + "\n9\n";
     },
     {Right, Right, Wrong, Right, Right},
     false},
    {"ThreeOfFourIsNotEnough",
     [](const A& a) { return n(a[0]) + "\n1\n" + n(a[1]) + "\n1\n3\n1\n" + n(a[3]) + "\n9\n"; },
     {Right, Right, Wrong, Right},
     false},
    {"EightOfTenIsBravo",
     [](const A& a) {
         std::string in;
         for (int i = 0; i < 10; ++i) {
             in += (i == 2 || i == 7 ? "1" : n(a[static_cast<std::size_t>(i)])) + "\n";
             in += i == 9 ? "9\n" : "1\n";
         }
         return in;
     },
     {Right, Right, Wrong, Right, Right, Right, Right, Wrong, Right, Right},
     false},
    {"AnswerAndChoiceOnOneLine",
     [](const A& a) { return n(a[0]) + " 1\n" + n(a[1]) + " 9\n"; },
     {Right, Right},
     false},
    {"DecimalZeroIsRight", [](const A& a) { return n(a[0]) + ".0\n9\n"; }, {Right}, false},
    {"SinglePrecisionRoundsTinyExcessAway",
     [](const A& a) { return n(a[0]) + ".0000001\n9\n"; },
     {Right},
     false},
    {"OneThousandthOffIsWrong", [](const A& a) { return n(a[0]) + ".001\n9\n"; }, {Wrong}, false},
    {"ContinueTwoEnds", [](const A& a) { return n(a[0]) + "\n2\n"; }, {Right}, false},
    {"ContinueZeroEnds", [](const A& a) { return n(a[0]) + "\n0\n"; }, {Right}, false},
    {"ContinueNineEnds", [](const A& a) { return n(a[0]) + "\n9\n1\n"; }, {Right}, false},
    {"ContinueOneWithBlanksGoesOn",
     [](const A& a) { return "  " + n(a[0]) + "\n\n  1  \n" + n(a[1]) + "\n9\n"; },
     {Right, Right},
     false},
    {"DecimalCommaJudgesWholeNumberAndDropsTheRest",
     [](const A& a) { return n(a[0]) + ",5\n1\n" + n(a[1]) + "\n9\n"; },
     {Right, Right},
     false},
    {"LettersAtAnswerPromptAreDropped",
     [](const A& a) { return "zwanzig\n" + n(a[0]) + "\n9\n"; },
     {Right},
     false},
    {"LoneSignIsDropped", [](const A& a) { return "-\n+\n" + n(a[0]) + "\n9\n"; }, {Right}, false},
    {"LettersAtContinuePromptAreDropped",
     [](const A& a) { return n(a[0]) + "\nweiter\n1\n0\n9\n"; },
     {Right, Wrong},
     false},
    {"HugeAnswerIsJudgedWrong", [](const A&) { return "1e40\n9\n"; }, {Wrong}, false},
    {"HugeNegativeAnswerIsJudgedWrong",
     [](const A&) { return "-1e40\n1\n0\n9\n"; },
     {Wrong, Wrong},
     false},
    {"HugeChoiceEnds", [](const A& a) { return n(a[0]) + "\n99999999999\n1\n"; }, {Right}, false},
    {"HugeNegativeChoiceEnds",
     [](const A& a) { return n(a[0]) + "\n-99999999999\n"; },
     {Right},
     false},
    {"EndOfInputAtAnswerPrompt", [](const A&) { return ""; }, {Unanswered}, true},
    {"EndOfInputAfterJunkAtAnswerPrompt", [](const A&) { return "abc"; }, {Unanswered}, true},
    {"EndOfInputAfterLoneSign", [](const A&) { return "-"; }, {Unanswered}, true},
    {"EndOfInputInLaterRound",
     [](const A& a) { return n(a[0]) + "\n1\n"; },
     {Right, Unanswered},
     true},
    {"EndOfInputAtContinuePrompt", [](const A& a) { return n(a[0]) + "\n"; }, {Right}, true},
    {"EndOfInputRightAfterAnswer", [](const A& a) { return n(a[0]); }, {Right}, true},
    {"EndOfInputAfterJunkAtContinuePrompt",
     [](const A& a) { return n(a[0]) + "\n,5"; },
     {Right},
     true},
};

void PrintTo(const DialogueCase& c, std::ostream* os)
{
    *os << c.name;
}

std::string caseName(const testing::TestParamInfo<DialogueCase>& param)
{
    return param.param.name;
}

class Dialogue : public testing::TestWithParam<DialogueCase> {};

TEST_P(Dialogue, TranscriptIsExact)
{
    const DialogueCase& c = GetParam();
    const SessionResult run = runSession(c.input(expectedAnswers()));
    EXPECT_EQ(run.output, transcript(c.rounds));
    EXPECT_EQ(run.tally.posedCount, static_cast<int>(c.rounds.size()));
    EXPECT_EQ(consoleLog.outputAtColours, 0U);
    EXPECT_EQ(consoleLog.pauses, 1);
    EXPECT_EQ(consoleLog.outputAtPause, run.output.size());
    EXPECT_EQ(consoleLog.inputEnded, c.inputEnded);

    // Each problem is told once its statement is written, and each answer once its feedback
    // is: right or wrong, with the number read.
    const std::vector<Exercise> exercises = sessionExercises();
    ASSERT_EQ(consoleLog.posed.size(), c.rounds.size());
    std::vector<Outcome> before;
    std::size_t answered = 0;
    for (std::size_t i = 0; i < c.rounds.size(); ++i) {
        before.push_back(c.rounds[i]);
        const std::string text = transcript(before);
        const std::string statement = statementOf(exercises[i]);
        const std::size_t statementAt = text.rfind(statement);
        EXPECT_TRUE(sameExercise(consoleLog.posed[i].exercise, exercises[i]));
        EXPECT_EQ(consoleLog.posed[i].number, static_cast<long long>(i) + 1);
        EXPECT_EQ(consoleLog.posed[i].outputAt, statementAt + statement.size());
        if (c.rounds[i] == Unanswered) {
            continue;
        }
        ASSERT_LT(answered, consoleLog.judged.size()) << "no judgement of answer " << i;
        const auto& judged = consoleLog.judged[answered++];
        EXPECT_EQ(judged.number, static_cast<long long>(i) + 1);
        EXPECT_EQ(judged.expectedAnswer, exercises[i].expectedAnswer);
        EXPECT_EQ(judged.right, c.rounds[i] == Right);
        EXPECT_EQ(judged.right, judged.erg == static_cast<float>(exercises[i].expectedAnswer));
        EXPECT_EQ(judged.outputAt, text.rfind(continuePrompt));
    }
    EXPECT_EQ(consoleLog.judged.size(), answered);

    // The session is told finished once, after the verdict and before the pause, with the
    // verdict it wrote.
    const auto correct = std::count(c.rounds.begin(), c.rounds.end(), Right);
    const bool praised = run.output.ends_with(bravo);
    EXPECT_NE(praised, run.output.ends_with(practise));
    const std::vector<ConsoleLog::Finished> finished = {
        {static_cast<long long>(c.rounds.size()), correct,
         c.inputEnded ? SessionEnd::InputEnded : SessionEnd::Declined, praised, run.output.size()}};
    EXPECT_EQ(consoleLog.finished, finished);
    // The greeting is told once it is written, and the pause as it begins.
    EXPECT_EQ(consoleLog.greetedAt, std::vector<std::size_t>{greeting.size()});
    const std::vector<ConsoleLog::PauseTold> pauses = {{c.inputEnded, run.output.size()}};
    EXPECT_EQ(consoleLog.pausesBegun, pauses);

    // Each question is told once its prompt is on screen, with the score up to then.
    std::vector<ConsoleLog::Asked> asked;
    long long correctSoFar = 0;
    for (std::size_t i = 0; i < c.rounds.size(); ++i) {
        const auto posed = static_cast<long long>(i) + 1;
        before.assign(c.rounds.begin(), c.rounds.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        const std::string text = transcript(before);
        const std::size_t statement = text.rfind(statementOf(sessionExercises()[i]));
        asked.push_back({Question::Answer, posed, correctSoFar,
                         text.find(answerPrompt, statement) + answerPrompt.size()});
        if (c.rounds[i] == Unanswered) {
            break;
        }
        correctSoFar += c.rounds[i] == Right ? 1 : 0;
        asked.push_back({Question::Continue, posed, correctSoFar,
                         text.rfind(continuePrompt) + continuePrompt.size()});
    }
    EXPECT_EQ(consoleLog.asked, asked);
}

INSTANTIATE_TEST_SUITE_P(Dialogue, Dialogue, testing::ValuesIn(dialogues), caseName);

// Output that remembers how much of it had been flushed whenever it was flushed.
struct FlushRecorder : std::stringbuf {
    std::vector<std::size_t> flushedAt;
    int sync() override
    {
        flushedAt.push_back(str().size());
        return 0;
    }
};

// Input that hands out one line at a time, as a terminal does, and notes each time the
// program had to wait for one while some of its output was not yet flushed.
struct LineByLineInput : std::streambuf {
    std::vector<std::string> lines;
    std::size_t next = 0;
    std::string current;
    const FlushRecorder* output = nullptr;
    int waitsWithPendingOutput = 0;

    int_type underflow() override
    {
        if (next == lines.size()) {
            return traits_type::eof();
        }
        const std::size_t written = output->str().size();
        if (output->flushedAt.empty() || output->flushedAt.back() != written) {
            ++waitsWithPendingOutput;
        }
        current = lines[next++];
        setg(current.data(), current.data(), current.data() + current.size());
        return traits_type::to_int_type(current.front());
    }
};

TEST(Dialogue, FlushesEveryLineEndAndEverythingBeforeEachRead)
{
    const A a = expectedAnswers();
    FlushRecorder written;
    LineByLineInput typed;
    typed.output = &written;
    typed.lines = {n(a[0]) + "\n", "1\n", "0\n", "9\n"};
    std::istream in(&typed);
    std::ostream out(&written);

    practiceSession(in, out, {}, seed);

    const std::string text = written.str();
    EXPECT_EQ(typed.waitsWithPendingOutput, 0);
    std::vector<std::size_t> lineEnds;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            lineEnds.push_back(i + 1);
        }
    }
    std::vector<std::size_t> flushedLineEnds;
    for (const std::size_t at : written.flushedAt) {
        if (at > 0 && text[at - 1] == '\n') {
            flushedLineEnds.push_back(at);
        }
    }
    EXPECT_EQ(flushedLineEnds, lineEnds);
    EXPECT_EQ(text, transcript({Right, Wrong}));
}

// A read the console interrupted ends the session where it stands: nothing more is written, no
// score and no pause, and the session is told finished as interrupted. The console is asked
// only when a read gets no number.
TEST(Dialogue, InterruptedReadEndsTheSessionWithNothingMoreWritten)
{
    const A a = expectedAnswers();
    struct InterruptCase {
        std::string input;
        std::vector<Outcome> rounds;
        long long correct;
        bool praised; // what the verdict would have been
    };
    const std::vector<InterruptCase> cases = {
        {"", {Unanswered}, 0, false},
        {n(a[0]) + "\n", {Right}, 1, true},
        {"0\n1\n" + n(a[1]) + "\n", {Wrong, Right}, 1, false},
    };
    for (const InterruptCase& c : cases) {
        std::istringstream in(c.input);
        std::stringbuf captured;
        std::ostream out(&captured);
        consoleLog = ConsoleLog{};
        consoleLog.out = &captured;
        SessionOperations operations = recording(consoleLog);
        int asked = 0;
        operations.interrupted = [&asked] { return ++asked > 0; };
        const ScoreTally tally = practiceSession(in, out, operations, seed);

        std::string expected = transcript(c.rounds);
        expected.erase(c.rounds.back() == Unanswered
                           ? expected.rfind(answerPrompt) + answerPrompt.size()
                           : expected.rfind(continuePrompt) + continuePrompt.size());
        EXPECT_EQ(captured.str(), expected) << c.input;
        EXPECT_EQ(asked, 1) << c.input;
        EXPECT_EQ(consoleLog.pauses, 0) << c.input;
        EXPECT_TRUE(consoleLog.pausesBegun.empty()) << c.input;
        const auto posed = static_cast<long long>(c.rounds.size());
        const std::vector<ConsoleLog::Finished> finished = {
            {posed, c.correct, SessionEnd::Interrupted, c.praised, expected.size()}};
        EXPECT_EQ(consoleLog.finished, finished) << c.input;
        EXPECT_EQ(tally.posedCount, posed);
        EXPECT_EQ(tally.correctCount, c.correct);
    }
}

// A console that was not interrupted lets a failed read end the session as the end of input.
TEST(Dialogue, UninterruptedEndOfInputEndsAsBefore)
{
    std::istringstream in("abc");
    std::stringbuf captured;
    std::ostream out(&captured);
    consoleLog = ConsoleLog{};
    consoleLog.out = &captured;
    SessionOperations operations = recording(consoleLog);
    operations.interrupted = [] { return false; };
    practiceSession(in, out, operations, seed);
    EXPECT_EQ(captured.str(), transcript({Unanswered}));
    EXPECT_EQ(consoleLog.pauses, 1);
    ASSERT_EQ(consoleLog.finished.size(), 1U);
    EXPECT_EQ(consoleLog.finished[0].how, SessionEnd::InputEnded);
}

// A mixed round, which only a page asks for, poses all three models and judges each against
// its own answer; the console's texts know inverse problems alone, so the others are told only
// as events.
TEST(Dialogue, MixedRoundPosesEveryModelAndJudgesItsAnswer)
{
    std::srand(seed);
    std::vector<Exercise> drawn;
    std::vector<ExerciseModel> models;
    std::string input;
    for (int i = 0; i < 12; ++i) {
        drawn.push_back(drawExercise({true, false}, models));
        models.push_back(drawn.back().model);
        input += std::to_string(drawn.back().expectedAnswer) + (i == 11 ? "\n9\n" : "\n1\n");
    }
    std::istringstream in(input);
    std::stringbuf captured;
    std::ostream out(&captured);
    consoleLog = ConsoleLog{};
    consoleLog.out = &captured;
    const ScoreTally tally = practiceSession(in, out, recording(consoleLog), seed, {true, false});

    EXPECT_EQ(tally.correctCount, 12);
    ASSERT_EQ(consoleLog.posed.size(), drawn.size());
    std::size_t statements = 0;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_TRUE(sameExercise(consoleLog.posed[i].exercise, drawn[i]));
        EXPECT_EQ(consoleLog.posed[i].exercise.model, drawn[i].model);
        const bool written = captured.str().find(statementOf(drawn[i])) != std::string::npos;
        EXPECT_EQ(written, drawn[i].model == ExerciseModel::Inverse) << i;
        statements += written ? 1 : 0;
    }
    EXPECT_EQ(statements, 6U); // half of each block of six
    EXPECT_NE(captured.str().find(" Du hast insgesamt 12 von 12 Punkten erreicht! "),
              std::string::npos);
}

} // namespace
