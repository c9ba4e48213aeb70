#include "worksheet.hpp"
#include "sha256.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <set>
#include <string>

namespace {

constexpr int maxCount = 30;
constexpr int maxGroups = 6;
constexpr std::size_t olderLength = 8;

// A ten-letter code: nine letters of value, nonce times the choices but the models, and the
// check letter.
constexpr std::size_t tenLength = 10;
constexpr std::uint64_t tenChoiceCount = std::uint64_t{maxCount} * 3 * maxGroups * 2;

// An eleven-letter code: nine letters of value, a tenth of 31 (never the one that would end a
// ten-letter code), and the check letter.
constexpr std::size_t codeLength = 11;
constexpr std::uint64_t choiceCount = tenChoiceCount * 2;
constexpr std::uint64_t valueCount = (std::uint64_t{1} << 45) * 31;
constexpr std::uint64_t nonceCount = valueCount / choiceCount;

// A group that cannot be matched within this many draws (the first group needs more of a rare
// sort of problem than is left) makes the sheet start again from other seeds.
constexpr int drawsPerGroup = 200000;

constexpr std::array<std::string_view, 3> kindsNames = {"both", "work", "supply"};

std::uint64_t tenChoiceIndex(SheetChoices c)
{
    const auto count = static_cast<std::uint64_t>(std::clamp(c.count, 1, maxCount) - 1);
    const auto groups = static_cast<std::uint64_t>(std::clamp(c.groups, 1, maxGroups) - 1);
    return ((count * 3 + static_cast<std::uint64_t>(c.kinds)) * maxGroups + groups) * 2 +
           static_cast<std::uint64_t>(c.calculator);
}

SheetChoices tenChoicesAt(std::uint64_t index)
{
    SheetChoices c;
    c.calculator = static_cast<Calculator>(index % 2);
    index /= 2;
    c.groups = static_cast<int>(index % maxGroups) + 1;
    index /= maxGroups;
    c.kinds = static_cast<SheetKinds>(index % 3);
    c.count = static_cast<int>(index / 3) + 1;
    return c;
}

std::uint64_t choiceIndex(SheetChoices c)
{
    return tenChoiceIndex(c) * 2 + static_cast<std::uint64_t>(c.models);
}

SheetChoices choicesAt(std::uint64_t index)
{
    SheetChoices c = tenChoicesAt(index / 2);
    c.models = static_cast<SheetModels>(index % 2);
    return c;
}

// The letters as the elements of the field of 32 (x^5 + x^2 + 1): doubling, and the Damm
// algorithm, whose state is doubled and added to by each letter. A code's check letter brings
// its state to 0, which catches any one wrong letter and any two neighbours swapped.
unsigned doubled(unsigned element)
{
    element <<= 1U;
    return (element & 32U) != 0 ? element ^ 0x25U : element;
}

unsigned checkState(std::string_view letters)
{
    unsigned state = 0;
    for (const char c : letters) {
        state = doubled(state) ^ static_cast<unsigned>(codeLetters.find(c));
    }
    return state;
}

std::uint32_t firstWord(const std::array<std::uint8_t, 32>& digest)
{
    return std::uint32_t{digest[0]} << 24 | std::uint32_t{digest[1]} << 16 |
           std::uint32_t{digest[2]} << 8 | std::uint32_t{digest[3]};
}

// Four letters of five bits each: a million labels.
std::string labelOf(const std::array<std::uint8_t, 32>& digest)
{
    const unsigned bits = unsigned{digest[0]} << 12 | unsigned{digest[1]} << 4 | digest[2] >> 4;
    std::string label = "Blatt ";
    for (int shift = 15; shift >= 0; shift -= 5) {
        label += codeLetters[(bits >> shift) & 31U];
    }
    return label;
}

bool sameProblem(const Exercise& a, const Exercise& b)
{
    return a.kind == b.kind && a.scenarioIndex == b.scenarioIndex &&
           a.firstGroupSize == b.firstGroupSize && a.secondGroupSize == b.secondGroupSize &&
           a.givenDuration == b.givenDuration;
}

bool taken(const std::vector<Exercise>& sheet, const Exercise& e)
{
    return std::any_of(sheet.begin(), sheet.end(),
                       [&e](const Exercise& d) { return sameProblem(d, e); });
}

bool fits(const Exercise& e, Calculator calculator)
{
    return calculator == Calculator::With ||
           (e.secondGroupSize <= 10 && e.firstGroupSize * e.givenDuration <= 500);
}

// How many problems of each kind a group may have.
struct KindCaps {
    std::size_t work;
    std::size_t supply;
};

KindCaps capsOf(SheetKinds kinds, std::size_t count)
{
    return kinds == SheetKinds::WorkOnly     ? KindCaps{count, 0}
           : kinds == SheetKinds::SupplyOnly ? KindCaps{0, count}
                                             : KindCaps{(count + 1) / 2, (count + 1) / 2};
}

std::size_t workCount(const std::vector<Exercise>& group)
{
    return static_cast<std::size_t>(std::count_if(group.begin(), group.end(), [](const auto& e) {
        return e.kind == ExerciseKind::WorkExercise;
    }));
}

// Draws count problems from std::rand seeded with seed, skipping a problem of a kind that has
// reached its cap, one that does not fit the calculator and one already on the sheet, which
// gains the drawn ones. The caps add up to at least count.
std::vector<Exercise> drawProblems(unsigned seed, std::size_t count, KindCaps caps,
                                   Calculator calculator, std::vector<Exercise>& sheet)
{
    std::srand(seed);
    std::vector<Exercise> drawn;
    while (drawn.size() < count) {
        const Exercise e = drawExercise();
        const bool work = e.kind == ExerciseKind::WorkExercise;
        const auto sameKind = work ? workCount(drawn) : drawn.size() - workCount(drawn);
        if (sameKind == (work ? caps.work : caps.supply) || !fits(e, calculator) ||
            taken(sheet, e)) {
            continue;
        }
        drawn.push_back(e);
        sheet.push_back(e);
    }
    return drawn;
}

// A group with the profile of first, each problem at the place of its profile's next problem
// in first; nothing if drawsPerGroup draws do not complete it.
std::optional<std::vector<Exercise>> drawLike(unsigned seed, const std::vector<Exercise>& first,
                                              std::vector<Exercise>& sheet)
{
    std::srand(seed);
    std::vector<std::optional<Exercise>> places(first.size());
    std::size_t filled = 0;
    for (int draws = 0; draws < drawsPerGroup && filled < first.size(); ++draws) {
        const Exercise e = drawExercise();
        const Profile profile = profileOf(e);
        std::size_t at = 0;
        while (at < first.size() && (places[at] || !(profileOf(first[at]) == profile))) {
            ++at;
        }
        if (at == first.size() || taken(sheet, e)) {
            continue;
        }
        places[at] = e;
        sheet.push_back(e);
        ++filled;
    }
    if (filled < first.size()) {
        return std::nullopt;
    }
    std::vector<Exercise> group;
    group.reserve(places.size());
    for (const auto& place : places) {
        group.push_back(*place);
    }
    return group;
}

// The groups of a ten-letter code, as they were printed. The seeds leave out the number of
// groups, and all six groups are drawn, so that a sheet with more groups begins with the groups
// of one with fewer.
std::vector<std::vector<Exercise>> tenLetterGroups(const SheetCode& code)
{
    const SheetChoices& c = code.choices;
    const auto count = static_cast<std::size_t>(std::clamp(c.count, 1, maxCount));
    for (int attempt = 0;; ++attempt) {
        const auto seed = [&](int group) {
            std::string text = "group " + std::to_string(group) + '\n' + std::to_string(attempt) +
                               '\n' + std::to_string(code.nonce) + '\n' + std::to_string(c.count) +
                               '\n' + std::string(kindsName(c.kinds)) + '\n' +
                               (c.calculator == Calculator::With ? "with" : "without");
            return firstWord(sha256(text));
        };
        std::vector<Exercise> sheet;
        std::vector<std::vector<Exercise>> groups{
            drawProblems(seed(0), count, capsOf(c.kinds, count), c.calculator, sheet)};
        for (int group = 1; group < maxGroups; ++group) {
            auto drawn = drawLike(seed(group), groups[0], sheet);
            if (!drawn) {
                break;
            }
            groups.push_back(std::move(*drawn));
        }
        if (groups.size() == maxGroups) {
            groups.resize(static_cast<std::size_t>(std::clamp(c.groups, 1, maxGroups)));
            return groups;
        }
    }
}

// What was hashed for an older sheet: its purpose first, so that a label and a seed never
// share a hash, then the code, the count and the kinds.
std::string olderHashed(std::string_view purpose, const SheetCode& code)
{
    std::string text(purpose);
    text += '\n';
    text += code.code;
    text += '\n' + std::to_string(code.choices.count) + '\n' +
            std::to_string(static_cast<int>(code.choices.kinds));
    return text;
}

// An older sheet as it was printed: each group with the first group's mix of kinds only.
std::vector<std::vector<Exercise>> olderGroups(const SheetCode& code)
{
    const auto count = static_cast<std::size_t>(std::clamp(code.choices.count, 1, maxCount));
    KindCaps caps = capsOf(code.choices.kinds, count);
    std::vector<Exercise> sheet;
    std::vector<std::vector<Exercise>> groups;
    for (int group = 0; group < std::clamp(code.choices.groups, 1, maxGroups); ++group) {
        const auto seed = firstWord(sha256(olderHashed("group " + std::to_string(group), code)));
        const auto& drawn =
            groups.emplace_back(drawProblems(seed, count, caps, Calculator::With, sheet));
        if (group == 0) {
            caps = {workCount(drawn), count - workCount(drawn)};
        }
    }
    return groups;
}

// The random source of the other groups' picks: splitmix64, the same on every platform, unlike
// std::rand, which only group A's draws take, as a round's draws do.
class Picks {
  public:
    explicit Picks(const std::array<std::uint8_t, 32>& digest)
    {
        for (std::size_t i = 0; i < 8; ++i) {
            state = state << 8U | digest[i];
        }
    }

    std::size_t below(std::size_t n)
    {
        state += 0x9e3779b97f4a7c15U;
        std::uint64_t z = state;
        z = (z ^ (z >> 30U)) * 0xbf58476d1ce4e5b9U;
        z = (z ^ (z >> 27U)) * 0x94d049bb133111ebU;
        return static_cast<std::size_t>((z ^ (z >> 31U)) % n);
    }

  private:
    std::uint64_t state = 0;
};

// The number a problem's working divides by and the product it divides (an inverse problem's
// first group times its duration, a direct one's share times the second group); 0 for a
// constant problem, which has no working.
int divisorOf(const Exercise& e)
{
    return e.model == ExerciseModel::Inverse  ? e.secondGroupSize
           : e.model == ExerciseModel::Direct ? e.firstGroupSize
                                              : 0;
}

int productOf(const Exercise& e)
{
    return e.model == ExerciseModel::Inverse  ? e.firstGroupSize * e.givenDuration
           : e.model == ExerciseModel::Direct ? e.expectedAnswer
                                              : 0;
}

// Divisors as hard as each other to divide by: 2, 5 and 10; 3 and 4; 6 to 9; above 10.
int divisorClass(int divisor)
{
    return divisor == 0                                    ? 0
           : divisor == 2 || divisor == 5 || divisor == 10 ? 1
           : divisor == 3 || divisor == 4                  ? 2
           : divisor < 10                                  ? 3
                                                           : 4;
}

int digits(int number)
{
    int count = 1;
    for (; number >= 10; number /= 10) {
        ++count;
    }
    return count;
}

// Whether c may stand where a stands in another group, as far as a alone decides.
bool equallyHard(const Exercise& a, const Exercise& c)
{
    return a.kind == c.kind && a.model == c.model &&
           divisorClass(divisorOf(a)) == divisorClass(divisorOf(c)) &&
           digits(productOf(a)) == digits(productOf(c)) &&
           digits(a.expectedAnswer) == digits(c.expectedAnswer);
}

// The three numbers a pupil reads, in order of size: two groups with the same ones copy.
std::array<int, 3> numbersOf(const Exercise& e)
{
    std::array<int, 3> numbers = {e.firstGroupSize, e.givenDuration, e.secondGroupSize};
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

bool sameExercise(const Exercise& a, const Exercise& b)
{
    return a.model == b.model && a.factor == b.factor && sameProblem(a, b);
}

bool onSheet(const std::vector<Exercise>& sheet, const Exercise& e)
{
    return std::any_of(sheet.begin(), sheet.end(),
                       [&e](const Exercise& d) { return sameExercise(d, e); });
}

constexpr std::size_t otherGroups = maxGroups - 1;

// The most, in per cent, that a product may reach of another's at one place. A direct problem of
// the work kind multiplies a share of 2 to 12 by a group of 2 to 11: no six of those products
// with different answers lie within 15 per cent of each other, but many within 20.
int windowPercent(const Exercise& e)
{
    return e.model == ExerciseModel::Direct && e.kind == ExerciseKind::WorkExercise ? 120 : 115;
}

std::size_t answerCount(const std::vector<const Exercise*>& exercises)
{
    std::set<int> answers;
    for (const Exercise* e : exercises) {
        answers.insert(e->expectedAnswer);
    }
    return answers.size();
}

// Of the problems that fit a's place, those whose products lie in a window of percent around a's
// product that holds the most different answers (of two, the one nearer a's middle),
// so that every group can have an answer of its own there.
std::vector<const Exercise*> inWindow(const Exercise& a, const std::vector<const Exercise*>& fit,
                                      int percent)
{
    const int product = productOf(a);
    std::vector<const Exercise*> best;
    int bestOffset = 0;
    std::set<int> lows = {product};
    for (const Exercise* e : fit) {
        const int low = productOf(*e);
        if (low < product && product * 100 <= low * percent) {
            lows.insert(low);
        }
    }
    for (const int low : lows) {
        const int high = low * percent / 100;
        std::vector<const Exercise*> within;
        std::copy_if(fit.begin(), fit.end(), std::back_inserter(within), [&](const Exercise* e) {
            return productOf(*e) >= low && productOf(*e) <= high;
        });
        const int offset = std::abs(low + high - 2 * product);
        const std::size_t answers = answerCount(within);
        if (answers > answerCount(best) || (answers == answerCount(best) && offset < bestOffset)) {
            best = std::move(within);
            bestOffset = offset;
        }
    }
    return best;
}

// The five other groups' problems at the place of group A's problem a, or nothing if they cannot
// all have one. sums holds each group's products so far: each pick is drawn from the half of the
// problems left whose products come nearest to evening out its group's sum with group A's.
std::optional<std::array<Exercise, otherGroups>>
matchPlace(const Exercise& a, const std::vector<Exercise>& pool, const std::vector<Exercise>& sheet,
           const std::array<int, maxGroups>& sums, Picks& picks)
{
    std::vector<const Exercise*> fit;
    for (const Exercise& e : pool) {
        if (equallyHard(a, e) && e.expectedAnswer != a.expectedAnswer &&
            numbersOf(e) != numbersOf(a) && !onSheet(sheet, e)) {
            fit.push_back(&e);
        }
    }
    if (a.model != ExerciseModel::Constant) {
        fit = inWindow(a, fit, windowPercent(a));
    }
    if (answerCount(fit) < otherGroups) {
        return std::nullopt;
    }
    std::array<Exercise, otherGroups> place;
    for (std::size_t g = 0; g < otherGroups; ++g) {
        std::vector<const Exercise*> left;
        std::copy_if(fit.begin(), fit.end(), std::back_inserter(left), [&](const Exercise* e) {
            return std::none_of(place.begin(), place.begin() + static_cast<std::ptrdiff_t>(g),
                                [e](const Exercise& p) {
                                    return p.expectedAnswer == e->expectedAnswer ||
                                           numbersOf(p) == numbersOf(*e);
                                });
        });
        if (left.empty()) {
            return std::nullopt;
        }
        const int target = productOf(a) + sums[0] - sums[g + 1];
        std::stable_sort(left.begin(), left.end(), [target](const Exercise* x, const Exercise* y) {
            return std::abs(productOf(*x) - target) < std::abs(productOf(*y) - target);
        });
        place[g] = *left[picks.below((left.size() + 1) / 2)];
    }
    return place;
}

// The groups of an eleven-letter code: group A drawn as a round of its models draws, with a
// problem skipped whose kind has its share, that stands on the sheet already or whose place the
// other groups cannot match; the other groups picked at each place from every problem of the
// generator that fits it. All six groups are made, so that a sheet with more groups begins with
// the groups of one with fewer.
std::vector<std::vector<Exercise>> matchedGroups(const SheetCode& code)
{
    const SheetChoices& c = code.choices;
    const auto count = static_cast<std::size_t>(std::clamp(c.count, 1, maxCount));
    const RoundOptions options{c.models == SheetModels::Mixed, c.calculator == Calculator::Without};
    std::array<std::array<std::vector<Exercise>, 3>, 2> pools;
    for (const ExerciseKind kind : {ExerciseKind::WorkExercise, ExerciseKind::SupplyExercise}) {
        for (const ExerciseModel model :
             {ExerciseModel::Inverse, ExerciseModel::Direct, ExerciseModel::Constant}) {
            auto& pool =
                pools.at(static_cast<std::size_t>(kind)).at(static_cast<std::size_t>(model));
            for (const Exercise& e : everyExercise(kind, model)) {
                if (!options.byHand || workableByHand(e)) {
                    pool.push_back(e);
                }
            }
        }
    }
    const KindCaps caps = capsOf(c.kinds, count);
    for (int attempt = 0;; ++attempt) {
        const std::string seedText = std::to_string(attempt) + '\n' + std::to_string(code.nonce) +
                                     '\n' + std::to_string(c.count) + '\n' +
                                     std::string(kindsName(c.kinds)) + '\n' +
                                     (c.calculator == Calculator::With ? "with" : "without") +
                                     '\n' + (c.models == SheetModels::Mixed ? "mixed" : "inverse");
        std::srand(firstWord(sha256("group A\n" + seedText)));
        Picks picks(sha256("other groups\n" + seedText));
        std::vector<std::vector<Exercise>> groups(maxGroups);
        std::vector<Exercise> sheet;
        std::vector<ExerciseModel> models;
        std::array<int, maxGroups> sums{};
        for (int draws = 0; draws < drawsPerGroup && groups[0].size() < count; ++draws) {
            const Exercise e = drawExercise(options, models);
            const bool work = e.kind == ExerciseKind::WorkExercise;
            const auto sameKind =
                work ? workCount(groups[0]) : groups[0].size() - workCount(groups[0]);
            if (sameKind == (work ? caps.work : caps.supply) || onSheet(sheet, e)) {
                continue;
            }
            const auto& pool =
                pools.at(static_cast<std::size_t>(e.kind)).at(static_cast<std::size_t>(e.model));
            const auto others = matchPlace(e, pool, sheet, sums, picks);
            if (!others) {
                continue;
            }
            groups[0].push_back(e);
            sheet.push_back(e);
            models.push_back(e.model);
            sums[0] += productOf(e);
            for (std::size_t g = 0; g < otherGroups; ++g) {
                groups[g + 1].push_back((*others)[g]);
                sheet.push_back((*others)[g]);
                sums[g + 1] += productOf((*others)[g]);
            }
        }
        if (groups[0].size() == count) {
            groups.resize(static_cast<std::size_t>(std::clamp(c.groups, 1, maxGroups)));
            return groups;
        }
    }
}

} // namespace

std::string_view kindsName(SheetKinds kinds)
{
    return kindsNames.at(static_cast<std::size_t>(kinds));
}

std::optional<SheetKinds> kindsNamed(std::string_view name)
{
    const auto at = std::find(kindsNames.begin(), kindsNames.end(), name);
    if (at == kindsNames.end()) {
        return std::nullopt;
    }
    return static_cast<SheetKinds>(at - kindsNames.begin());
}

std::string_view modelsName(SheetModels models)
{
    return models == SheetModels::Mixed ? "mixed" : "inverse";
}

std::optional<SheetModels> modelsNamed(std::string_view name)
{
    if (name == "mixed" || name == "inverse") {
        return name == "mixed" ? SheetModels::Mixed : SheetModels::InverseOnly;
    }
    return std::nullopt;
}

SheetCode readCode(std::string_view text)
{
    SheetCode read;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '-') {
            read.code += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        }
    }
    using Status = SheetCode::Status;
    const std::size_t length = read.code.size();
    if (read.code.find_first_not_of(codeLetters) != std::string::npos) {
        read.status = Status::WrongLetter;
        return read;
    }
    if (length == olderLength) {
        read.status = Status::Older;
        read.choices.calculator = Calculator::With;
        return read;
    }
    if (length != tenLength && length != codeLength) {
        read.status = Status::WrongLength;
        return read;
    }
    read.status = Status::Mistyped;
    if (checkState(read.code) != 0) {
        return read;
    }
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < 9; ++i) {
        value = value * 32 + codeLetters.find(read.code[i]);
    }
    if (length == tenLength) {
        read.status = Status::TenLetters;
        read.nonce = value / tenChoiceCount;
        read.choices = tenChoicesAt(value % tenChoiceCount);
        return read;
    }
    const auto passed = doubled(checkState(read.code.substr(0, 9)));
    const auto tenth = static_cast<unsigned>(codeLetters.find(read.code[9]));
    if (tenth == passed) {
        return read; // only two letters typed wrong give it
    }
    value = value * 31 + (tenth < passed ? tenth : tenth - 1);
    read.status = Status::Sheet;
    read.nonce = value / choiceCount;
    read.choices = choicesAt(value % choiceCount);
    return read;
}

std::string sheetCode(std::uint64_t nonce, SheetChoices choices)
{
    std::uint64_t value = nonce % nonceCount * choiceCount + choiceIndex(choices);
    const auto tenth = static_cast<unsigned>(value % 31);
    value /= 31;
    std::string code(9, ' ');
    for (std::size_t i = 9; i-- > 0; value /= 32) {
        code[i] = codeLetters[value % 32];
    }
    const auto passed = doubled(checkState(code));
    code += codeLetters[tenth < passed ? tenth : tenth + 1];
    return code + codeLetters[doubled(checkState(code))];
}

std::string tenLetterCode(std::uint64_t nonce, SheetChoices choices)
{
    std::uint64_t value = nonce % ((std::uint64_t{1} << 45) / tenChoiceCount) * tenChoiceCount +
                          tenChoiceIndex(choices);
    std::string code(9, ' ');
    for (std::size_t i = 9; i-- > 0; value /= 32) {
        code[i] = codeLetters[value % 32];
    }
    return code + codeLetters[doubled(checkState(code))];
}

Worksheet makeWorksheet(const SheetCode& code)
{
    if (code.status == SheetCode::Status::Older) {
        return {labelOf(sha256(olderHashed("label", code))), code, olderGroups(code)};
    }
    const std::string label = labelOf(sha256("label\n" + code.code));
    if (code.status == SheetCode::Status::TenLetters) {
        return {label, code, tenLetterGroups(code)};
    }
    return {label, code, matchedGroups(code)};
}

Profile profileOf(const Exercise& e)
{
    const int product = e.firstGroupSize * e.givenDuration;
    return {e.kind, e.secondGroupSize > 10, product <= 100 ? 0 : product <= 500 ? 1 : 2};
}
