// libFuzzer target: the whole dialogue on arbitrary bytes as its input. It must always end,
// pose at most one round more than there are bytes (each further round needs a typed 1), and
// never count more right answers than posed exercises.
#include "practice_session.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <streambuf>
#include <string>

namespace {

struct DiscardingBuffer : std::streambuf {
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(data, data + size));
    DiscardingBuffer discarded;
    std::ostream out(&discarded);
    const ScoreTally tally = practiceSession(
        in, out, {[] {}, [](bool) {}, [](const Exercise&) {}, [](Question, const ScoreTally&) {}},
        1);

    const auto posed = static_cast<std::size_t>(tally.posedCount);
    if (tally.posedCount < 1 || posed > size + 1 || tally.correctCount < 0 ||
        tally.correctCount > tally.posedCount) {
        std::abort();
    }
    return 0;
}
