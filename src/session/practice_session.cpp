#include "practice_session.hpp"

#include "exercise_generator.hpp"
#include "number_input.hpp"

#include <cstdlib>
#include <type_traits>
#include <vector>

namespace {

void greet(std::ostream& out)
{
    out << std::endl;
    out << " Willkommen beim Uebungs-Simulator fuer Indirekte Proportionalitaet!" << std::endl;
    out << " Viel Vergnuegen beim Raetseln! " << std::endl;
    out << std::endl << std::endl;
    out << separator << std::endl;
    out << std::endl << std::endl;
}

bool judge(std::ostream& out, float erg, const Exercise& exercise, ScoreTally& tally)
{
    // The answer is held in single precision, so that digits beyond what a float holds do not
    // make a right answer wrong: 20.0000001 rounds to 20 and is right, 20.001 does not.
    if (erg == static_cast<float>(exercise.expectedAnswer)) {
        out << " Richtig gerechnet! :-) " << std::endl;
        out << std::endl;
        ++tally.correctCount;
        return true;
    }
    out << " Dein Ergebnis ist leider falsch!" << std::endl;
    out << " Das richige Ergebnis lautet: " << exercise.expectedAnswer << std::endl;
    out << std::endl;
    return false;
}

// Calls an operation that was given; an empty one does nothing.
template <typename... Arguments>
void tell(const std::function<void(Arguments...)>& operation,
          const std::type_identity_t<Arguments>&... arguments)
{
    if (operation) {
        operation(arguments...);
    }
}

} // namespace

bool earnsPraise(const ScoreTally& tally)
{
    const double share =
        static_cast<double>(tally.correctCount) / static_cast<double>(tally.posedCount);
    return share >= 0.8;
}

void writeSummary(std::ostream& out, const ScoreTally& tally)
{
    out << " Du hast insgesamt " << tally.correctCount << " von " << tally.posedCount
        << " Punkten erreicht! " << std::endl;
    out << std::endl;

    if (!earnsPraise(tally)) {
        out << " Du musst noch mehr ueben! " << std::endl;
        out << std::endl << std::endl;
    } else {
        out << " Bravo! " << std::endl;
        out << std::endl;
    }
}

ScoreTally practiceSession(std::istream& in, std::ostream& out, const SessionOperations& operations,
                           unsigned seed, RoundOptions options)
{
    tell(operations.setColours);
    std::srand(seed);
    greet(out);
    tell(operations.event, GreetingShown{});

    ScoreTally tally;
    int ok = 1;
    bool inputEnded = false;
    std::vector<ExerciseModel> models;
    while (ok == 1) {
        const Exercise exercise = drawExercise(options, models);
        // Only a mixed round draws after the models before it; the console's keeps nothing.
        if (options.mixed) {
            models.push_back(exercise.model);
        }
        ++tally.posedCount;
        if (exercise.model == ExerciseModel::Inverse) {
            writeStatement(out, exercise.kind, exercise.scenarioIndex, exercise.firstGroupSize,
                           exercise.secondGroupSize, exercise.givenDuration);
        }
        tell(operations.event, ProblemPosed{exercise, tally.posedCount});

        out << " Gib dein Ergebnis ein und druecke ENTER: " << std::flush;
        tell(operations.event, QuestionOpened{Question::Answer, tally});
        float erg = 0;
        if (readNumber(in, erg)) {
            out << std::endl << std::endl;
            const bool right = judge(out, erg, exercise, tally);
            tell(operations.event,
                 AnswerJudged{tally.posedCount, erg, right, exercise.expectedAnswer});

            out << " Zum Beenden des Programms druecke 9 und ENTER, " << std::endl;
            out << " zum Weitermachen druecke 1 und ENTER: " << std::flush;
            tell(operations.event, QuestionOpened{Question::Continue, tally});
            inputEnded = !readNumber(in, ok);
        } else {
            inputEnded = true;
        }
        if (inputEnded) {
            // An interrupted read ends the session where it stands, as Ctrl-C does in a
            // terminal: no more text, no score, no pause.
            if (operations.interrupted && operations.interrupted()) {
                tell(operations.event,
                     SessionFinished{tally, SessionEnd::Interrupted, earnsPraise(tally)});
                return tally;
            }
            ok = 9;
        }

        out << std::endl << std::endl;
        out << separator << std::endl;
        out << std::endl << std::endl;
    }

    writeSummary(out, tally);
    tell(operations.event,
         SessionFinished{tally, inputEnded ? SessionEnd::InputEnded : SessionEnd::Declined,
                         earnsPraise(tally)});
    tell(operations.event, PauseBegun{inputEnded});
    tell(operations.pause, inputEnded);
    return tally;
}
