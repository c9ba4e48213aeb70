// Prints the program's records as the page receives them, for the page's tests under Node, so
// that they test the page's sentences against the real catalogue rather than a copy of it.
//   page_records problem KIND SCENARIO FIRST SECOND FACTOR [MODEL]
//                                                             one problem (KIND work or supply,
//                                                             MODEL inverse, direct or constant)
//   page_records drawn SEED COUNT [--mixed] [--by-hand]       the first COUNT problems of a
//                                                             session from SEED
//   page_records worksheet CODE COUNT KINDS GROUPS            a worksheet (KINDS both, work or
//                                                             supply; used for older codes)
//   page_records code NONCE COUNT KINDS GROUPS CALCULATOR [MODELS]
//                                                             a sheet's code as a JSON string
//                                                             (MODELS inverse or mixed)
//   page_records session SEED [--mixed] [--by-hand] [LINE ...]
//                                                             the events of a whole session
//                                                             from SEED with these lines typed
#include "exercise_generator.hpp"
#include "practice_session.hpp"
#include "records_json.hpp"
#include "worksheet.hpp"

#include <cstddef>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

int number(const char* text)
{
    return std::stoi(text);
}

SheetChoices choices(char** argv, Calculator calculator,
                     SheetModels models = SheetModels::InverseOnly)
{
    return {number(argv[0]), kindsNamed(argv[1]).value_or(SheetKinds::Both), number(argv[2]),
            calculator, models};
}

// The round's options that lead the arguments from at, which then stands after them.
RoundOptions optionsAt(const std::vector<std::string_view>& args, std::size_t& at)
{
    RoundOptions options;
    for (; at < args.size() && args[at].starts_with("--"); ++at) {
        options.mixed = options.mixed || args[at] == "--mixed";
        options.byHand = options.byHand || args[at] == "--by-hand";
    }
    return options;
}

// The events of a session as the page gets them, in order, as one JSON array; the dialogue's
// text is dropped. Every line typed is followed by a line end, as the page hands it over.
std::string sessionEvents(unsigned seed, RoundOptions options,
                          const std::vector<std::string_view>& lines)
{
    std::string typed;
    for (const auto line : lines) {
        typed.append(line) += '\n';
    }
    std::istringstream in(typed);
    std::ostringstream dropped;
    std::string json = "[";
    SessionOperations operations;
    operations.event = [&json](const SessionEvent& event) {
        json += (json.size() == 1 ? "" : ",\n") + eventJson(event);
    };
    practiceSession(in, dropped, operations, seed, options);
    return json + "]";
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if ((args.size() == 6 || args.size() == 7) && args[0] == "problem") {
        const std::string_view model = args.size() == 7 ? args[6] : "inverse";
        const Exercise e = exerciseOf(
            args[1] == "work" ? ExerciseKind::WorkExercise : ExerciseKind::SupplyExercise,
            number(argv[3]), number(argv[4]), number(argv[5]), number(argv[6]),
            model == "direct"     ? ExerciseModel::Direct
            : model == "constant" ? ExerciseModel::Constant
                                  : ExerciseModel::Inverse);
        std::cout << problemJson(e) << '\n';
    } else if (args.size() >= 3 && args[0] == "drawn") {
        std::size_t at = 3;
        const RoundOptions options = optionsAt(args, at);
        std::srand(static_cast<unsigned>(std::stoul(argv[2])));
        std::string json = "[";
        std::vector<ExerciseModel> models;
        for (int i = 0; i < number(argv[3]); ++i) {
            const Exercise e = drawExercise(options, models);
            models.push_back(e.model);
            json += (i == 0 ? "" : ",") + problemJson(e);
        }
        std::cout << json << "]\n";
    } else if (args.size() == 5 && args[0] == "worksheet") {
        std::cout << worksheetRecord(argv[2], choices(argv + 3, Calculator::With)) << '\n';
    } else if ((args.size() == 6 || args.size() == 7) && args[0] == "code") {
        const Calculator calculator = number(argv[6]) != 0 ? Calculator::With : Calculator::Without;
        const SheetModels models =
            modelsNamed(args.size() == 7 ? args[6] : "inverse").value_or(SheetModels::InverseOnly);
        std::cout << jsonString(
                         sheetCode(std::stoull(argv[2]), choices(argv + 3, calculator, models)))
                  << '\n';
    } else if (args.size() >= 2 && args[0] == "session") {
        std::size_t at = 2;
        const RoundOptions options = optionsAt(args, at);
        const auto from = args.begin() + static_cast<std::ptrdiff_t>(at);
        std::cout << sessionEvents(static_cast<unsigned>(std::stoul(argv[2])), options,
                                   {from, args.end()})
                  << '\n';
    } else {
        std::cerr << "usage: page_records problem|drawn|worksheet|code|session ...\n";
        return 2;
    }
    return 0;
}
