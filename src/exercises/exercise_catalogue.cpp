#include "exercise_catalogue.hpp"

#include <cstddef>

void writeStatement(std::ostream& out, ExerciseKind kind, int scenarioIndex, int firstGroupSize,
                    int secondGroupSize, int givenDuration)
{
    const auto r = static_cast<std::size_t>(scenarioIndex);
    out << std::endl;
    if (kind == ExerciseKind::WorkExercise) {
        const auto personal = work::personal[r];
        const auto zeit = work::zeit[r];
        out << " Eine Gruppe von " << firstGroupSize << personal
            << " schafft die vorgegebene Arbeit" << std::endl;
        out << " durchschnitttlich in " << givenDuration << zeit << ". " << std::endl;
        out << std::endl;
        out << " Wieviele" << zeit << " braucht dann ein Gruppe von " << secondGroupSize << personal
            << " ?" << std::endl;
    } else {
        const auto lebens = supply::lebens[r];
        const auto futter = supply::futter[r];
        const auto zeit = supply::zeit[r];
        out << " " << firstGroupSize << lebens << " kommen mit" << futter << givenDuration << zeit
            << " aus. " << std::endl;
        out << std::endl;
        out << " Wieviele" << zeit << " reicht dieselbe Menge an" << futter << std::endl;
        out << " fuer " << secondGroupSize << lebens << " ?" << std::endl;
    }
    out << std::endl;
}
