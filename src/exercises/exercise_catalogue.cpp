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

void writeWorking(std::ostream& out, ExerciseKind kind, int scenarioIndex, int firstGroupSize,
                  int secondGroupSize, int givenDuration)
{
    const auto r = static_cast<std::size_t>(scenarioIndex);
    const bool work = kind == ExerciseKind::WorkExercise;
    const auto mehrzahl = work ? work::mehrzahl[r] : supply::lebens[r];
    const auto einzahl = work ? work::einzahl[r] : supply::einzahl[r];
    const auto einheit = work ? work::einheit[r] : supply::zeit[r];
    // One member alone needs the group's size times as long.
    const int alone = firstGroupSize * givenDuration;
    out << firstGroupSize << mehrzahl << " -> " << givenDuration << einheit << '\n';
    out << 1 << einzahl << " -> " << firstGroupSize << " * " << givenDuration << " = " << alone
        << einheit << '\n';
    out << secondGroupSize << mehrzahl << " -> " << alone << " : " << secondGroupSize << " = "
        << alone / secondGroupSize << einheit << '\n';
}
