#include "exercise_catalogue.hpp"

#include <cstddef>

namespace {

void append(std::string& text, std::string_view piece)
{
    text += piece;
}

void append(std::string& text, int number)
{
    text += std::to_string(number);
}

// The pieces of a line, joined with nothing in between: the catalogue's texts bring their own
// blanks.
template <typename... Pieces> std::string line(const Pieces&... pieces)
{
    std::string text;
    (append(text, pieces), ...);
    return text;
}

} // namespace

Statement statementOf(ExerciseKind kind, int scenarioIndex, int firstGroupSize, int secondGroupSize,
                      int givenDuration)
{
    const auto r = static_cast<std::size_t>(scenarioIndex);
    if (kind == ExerciseKind::WorkExercise) {
        const auto personal = work::personal[r];
        const auto zeit = work::zeit[r];
        return {
            {line(" Eine Gruppe von ", firstGroupSize, personal, " schafft die vorgegebene Arbeit"),
             line(" durchschnitttlich in ", givenDuration, zeit, ". ")},
            {line(" Wieviele", zeit, " braucht dann ein Gruppe von ", secondGroupSize, personal,
                  " ?")}};
    }
    const auto lebens = supply::lebens[r];
    const auto futter = supply::futter[r];
    const auto zeit = supply::zeit[r];
    return {
        {line(" ", firstGroupSize, lebens, " kommen mit", futter, givenDuration, zeit, " aus. ")},
        {line(" Wieviele", zeit, " reicht dieselbe Menge an", futter),
         line(" fuer ", secondGroupSize, lebens, " ?")}};
}

void writeStatement(std::ostream& out, ExerciseKind kind, int scenarioIndex, int firstGroupSize,
                    int secondGroupSize, int givenDuration)
{
    const Statement statement =
        statementOf(kind, scenarioIndex, firstGroupSize, secondGroupSize, givenDuration);
    out << std::endl;
    for (const auto& given : statement.given) {
        out << given << std::endl;
    }
    out << std::endl;
    for (const auto& question : statement.question) {
        out << question << std::endl;
    }
    out << std::endl;
}
