// libFuzzer target: the whole dialogue on arbitrary bytes as its input. It must always end,
// pose at most one round more than there are bytes (each further round needs a typed 1), and
// never count more right answers than posed exercises; it tells its end once, with the score it
// returns, and judges every posed exercise but perhaps the last.
#include "practice_session.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <streambuf>
#include <string>
#include <variant>

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
    SessionOperations operations;
    int finished = 0;
    ScoreTally told;
    long long judged = 0;
    operations.event = [&](const SessionEvent& event) {
        if (const auto* end = std::get_if<SessionFinished>(&event)) {
            ++finished;
            told = end->tally;
        }
        judged += std::holds_alternative<AnswerJudged>(event) ? 1 : 0;
    };
    const ScoreTally tally = practiceSession(in, out, operations, 1);

    const auto posed = static_cast<std::size_t>(tally.posedCount);
    if (tally.posedCount < 1 || posed > size + 1 || tally.correctCount < 0 ||
        tally.correctCount > tally.posedCount || finished != 1 ||
        told.posedCount != tally.posedCount || told.correctCount != tally.correctCount ||
        judged > tally.posedCount || judged < tally.posedCount - 1) {
        std::abort();
    }
    return 0;
}
