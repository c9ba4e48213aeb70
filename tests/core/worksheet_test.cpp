#include "sha256.hpp"
#include "worksheet.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace {

std::string hex(const std::array<std::uint8_t, 32>& digest)
{
    constexpr std::string_view digits = "0123456789abcdef";
    std::string text;
    for (const std::uint8_t byte : digest) {
        text += digits[byte >> 4];
        text += digits[byte & 15U];
    }
    return text;
}

// The published test vectors, with texts that need one and two blocks of padding.
TEST(Sha256, GivesThePublishedDigests)
{
    const std::array<std::pair<std::string, std::string>, 4> vectors = {{
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqr"
         "lmnopqrsmnopqrstnopqrstu",
         "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
    }};
    for (const auto& [text, digest] : vectors) {
        EXPECT_EQ(hex(sha256(text)), digest) << '"' << text << '"';
    }
}

bool same(const Exercise& a, const Exercise& b)
{
    return std::tie(a.kind, a.model, a.scenarioIndex, a.firstGroupSize, a.secondGroupSize,
                    a.factor) == std::tie(b.kind, b.model, b.scenarioIndex, b.firstGroupSize,
                                          b.secondGroupSize, b.factor);
}

bool sameGroup(const std::vector<Exercise>& x, const std::vector<Exercise>& y)
{
    return std::equal(x.begin(), x.end(), y.begin(), y.end(), same);
}

bool sameSheet(const Worksheet& a, const Worksheet& b)
{
    return a.label == b.label && std::equal(a.groups.begin(), a.groups.end(), b.groups.begin(),
                                            b.groups.end(), sameGroup);
}

int workCount(const std::vector<Exercise>& group)
{
    return static_cast<int>(std::count_if(group.begin(), group.end(), [](const Exercise& e) {
        return e.kind == ExerciseKind::WorkExercise;
    }));
}

Worksheet sheetOf(std::uint64_t nonce, SheetChoices choices)
{
    return makeWorksheet(readCode(sheetCode(nonce, choices)));
}

using Status = SheetCode::Status;

// Typed as a teacher may type it: any case, with blanks and dashes.
TEST(SheetCode, ReadsWhatATeacherTypes)
{
    const std::string code = sheetCode(
        123456789, {12, SheetKinds::SupplyOnly, 3, Calculator::Without, SheetModels::Mixed});
    ASSERT_EQ(code.size(), 11U);
    std::string lower = code;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    const std::array<std::tuple<std::string, Status, std::string>, 12> typed = {{
        {code, Status::Sheet, code},
        {lower.substr(0, 4) + "-" + lower.substr(4, 4) + "-" + lower.substr(8), Status::Sheet,
         code},
        {std::string(1, ' ') + code.substr(0, 4) + " " + code.substr(4) + "\t", Status::Sheet,
         code},
        {"aaaaa-abk8s", Status::TenLetters, "AAAAAABK8S"},
        {"k7qm-4xa2", Status::Older, "K7QM4XA2"},
        {"K7QM4XA", Status::WrongLength, "K7QM4XA"},
        {code.substr(0, 9), Status::WrongLength, code.substr(0, 9)},
        {code + "A", Status::WrongLength, code + "A"},
        {"K7QM4XA0", Status::WrongLetter, "K7QM4XA0"},
        {"K7QM4XÄ2", Status::WrongLetter, "K7QM4XÄ2"},
        {"AAAAAABK8T", Status::Mistyped, "AAAAAABK8T"},
        {"", Status::WrongLength, ""},
    }};
    for (const auto& [text, status, read] : typed) {
        const SheetCode got = readCode(text);
        EXPECT_EQ(got.status, status) << text;
        EXPECT_EQ(got.code, read) << text;
    }
    const SheetCode read = readCode(code);
    EXPECT_EQ(read.nonce, 123456789U);
    EXPECT_EQ(
        std::tie(read.choices.count, read.choices.kinds, read.choices.groups,
                 read.choices.calculator, read.choices.models),
        std::make_tuple(12, SheetKinds::SupplyOnly, 3, Calculator::Without, SheetModels::Mixed));
    const SheetCode ten = readCode("AAAAAABK8S");
    EXPECT_EQ(ten.nonce, 1U);
    EXPECT_EQ(
        std::tie(ten.choices.count, ten.choices.kinds, ten.choices.groups, ten.choices.calculator,
                 ten.choices.models),
        std::make_tuple(8, SheetKinds::Both, 6, Calculator::Without, SheetModels::InverseOnly));
}

// Every choice comes back from its code, whatever the random part; a ten-letter code's too, with
// inverse problems only.
TEST(SheetCode, CarriesEveryChoice)
{
    for (const std::uint64_t nonce :
         {std::uint64_t{0}, std::uint64_t{1} << 34, ~std::uint64_t{0}}) {
        std::map<std::string, int> codes;
        std::map<std::string, int> tenLetterCodes;
        for (int count = 1; count <= 30; ++count) {
            for (const SheetKinds kinds :
                 {SheetKinds::Both, SheetKinds::WorkOnly, SheetKinds::SupplyOnly}) {
                for (int groups = 1; groups <= 6; ++groups) {
                    for (const Calculator calculator : {Calculator::Without, Calculator::With}) {
                        for (const SheetModels models :
                             {SheetModels::InverseOnly, SheetModels::Mixed}) {
                            const SheetChoices choices{count, kinds, groups, calculator, models};
                            const std::string code = sheetCode(nonce, choices);
                            const SheetCode read = readCode(code);
                            ASSERT_EQ(read.status, Status::Sheet) << code;
                            ASSERT_EQ(std::tie(read.choices.count, read.choices.kinds,
                                               read.choices.groups, read.choices.calculator,
                                               read.choices.models),
                                      std::tie(count, kinds, groups, calculator, models))
                                << code;
                            ASSERT_EQ(sheetCode(read.nonce, read.choices), code);
                            ++codes[code];
                            const std::string ten = tenLetterCode(nonce, choices);
                            const SheetCode tenRead = readCode(ten);
                            ASSERT_EQ(tenRead.status, Status::TenLetters) << ten;
                            ASSERT_EQ(std::tie(tenRead.choices.count, tenRead.choices.kinds,
                                               tenRead.choices.groups, tenRead.choices.calculator,
                                               tenRead.choices.models),
                                      std::make_tuple(count, kinds, groups, calculator,
                                                      SheetModels::InverseOnly))
                                << ten;
                            ++tenLetterCodes[ten];
                        }
                    }
                }
            }
        }
        EXPECT_EQ(codes.size(), 2160U) << "a code of its own for each choice";
        EXPECT_EQ(tenLetterCodes.size(), 1080U) << "a code of its own for each choice";
    }
}

// Typed letter by letter, a code passes through no code of another sheet: its first ten letters
// are never a ten-letter code. (Its first eight are always an older code's length: the page waits
// for the typing to stop before it reads eight letters.)
TEST(SheetCode, NoCodeBeginsWithAnother)
{
    int tried = 0;
    for (std::uint64_t nonce = 0; nonce < 4000; ++nonce) {
        const SheetChoices choices{static_cast<int>(nonce % 30) + 1,
                                   static_cast<SheetKinds>(nonce % 3),
                                   static_cast<int>(nonce % 6) + 1,
                                   nonce % 2 == 0 ? Calculator::With : Calculator::Without,
                                   nonce % 4 < 2 ? SheetModels::Mixed : SheetModels::InverseOnly};
        const std::string code = sheetCode(nonce * 104729, choices);
        for (std::size_t length = 1; length < code.size(); ++length) {
            const Status status = readCode(code.substr(0, length)).status;
            EXPECT_TRUE(status == (length == 8    ? Status::Older
                                   : length == 10 ? Status::Mistyped
                                                  : Status::WrongLength))
                << code << " cut to " << length;
        }
        ++tried;
    }
    EXPECT_EQ(tried, 4000);
}

// The check letter catches any one letter typed wrong, and any two neighbours swapped, in a code
// of eleven letters and in one of ten.
TEST(SheetCode, CatchesAWrongLetterAndASwap)
{
    for (const std::uint64_t nonce : {std::uint64_t{7}, std::uint64_t{987654321}}) {
        for (int count = 1; count <= 60; ++count) {
            const SheetChoices choices{(count - 1) % 30 + 1, SheetKinds::Both, 2,
                                       Calculator::Without, SheetModels::Mixed};
            const std::string code =
                count <= 30 ? sheetCode(nonce, choices) : tenLetterCode(nonce, choices);
            const Status right = count <= 30 ? Status::Sheet : Status::TenLetters;
            for (std::size_t i = 0; i < code.size(); ++i) {
                for (const char letter : codeLetters) {
                    std::string wrong = code;
                    wrong[i] = letter;
                    EXPECT_EQ(readCode(wrong).status, letter == code[i] ? right : Status::Mistyped)
                        << wrong;
                }
                if (i + 1 < code.size() && code[i] != code[i + 1]) {
                    std::string swapped = code;
                    std::swap(swapped[i], swapped[i + 1]);
                    EXPECT_EQ(readCode(swapped).status, Status::Mistyped) << swapped;
                }
            }
        }
    }
}

struct SheetCase {
    std::uint64_t nonce;
    SheetChoices choices;
};

constexpr SheetModels mixed = SheetModels::Mixed;

const std::array<SheetCase, 14> sheets = {{
    {1, {8, SheetKinds::Both, 1}},
    {1, {8, SheetKinds::Both, 6}},
    {2, {7, SheetKinds::Both, 3, Calculator::With}},
    {3, {30, SheetKinds::Both, 6}},
    {3, {30, SheetKinds::Both, 6, Calculator::With}},
    {4, {1, SheetKinds::Both, 6}},
    {5, {2, SheetKinds::Both, 2}},
    {6, {30, SheetKinds::WorkOnly, 6}},
    {6, {30, SheetKinds::SupplyOnly, 6, Calculator::With}},
    {7, {15, SheetKinds::Both, 4}},
    {8, {30, SheetKinds::Both, 6, Calculator::Without, mixed}},
    {8, {30, SheetKinds::WorkOnly, 6, Calculator::With, mixed}},
    {9, {30, SheetKinds::SupplyOnly, 6, Calculator::Without, mixed}},
    {9, {13, SheetKinds::Both, 1, Calculator::With, mixed}},
}};

// Each group as long as chosen, of the kinds chosen, both kinds as even as can be; no problem
// twice on the sheet, not even in two groups; one label of four code letters. A mixed sheet's
// first group has the models of a mixed round: in each block of six three inverse, two direct
// and one constant, never four of one in a row; a sheet of inverse problems has no other.
TEST(Worksheet, HasTheChosenGroupsAndKindsWithoutARepeat)
{
    for (const auto& [nonce, choices] : sheets) {
        const Worksheet sheet = sheetOf(nonce, choices);
        SCOPED_TRACE(sheet.code.code);
        ASSERT_EQ(sheet.label.size(), 10U);
        EXPECT_EQ(sheet.label.substr(0, 6), "Blatt ");
        EXPECT_EQ(sheet.label.find_first_not_of(codeLetters, 6), std::string::npos);
        ASSERT_EQ(sheet.groups.size(), static_cast<std::size_t>(choices.groups));
        std::vector<Exercise> all;
        for (const auto& group : sheet.groups) {
            ASSERT_EQ(group.size(), static_cast<std::size_t>(choices.count));
            const int work = workCount(group);
            if (choices.kinds == SheetKinds::Both) {
                EXPECT_LE(std::abs(2 * work - choices.count), 1);
            } else {
                EXPECT_EQ(work, choices.kinds == SheetKinds::WorkOnly ? choices.count : 0);
            }
            all.insert(all.end(), group.begin(), group.end());
        }
        for (std::size_t i = 0; i < all.size(); ++i) {
            for (std::size_t j = i + 1; j < all.size(); ++j) {
                EXPECT_FALSE(same(all[i], all[j])) << "problems " << i << " and " << j;
            }
        }
        const auto& first = sheet.groups[0];
        for (std::size_t block = 0; block + 6 <= first.size(); block += 6) {
            std::map<ExerciseModel, int> shares;
            for (std::size_t i = block; i < block + 6; ++i) {
                ++shares[first[i].model];
            }
            const std::map<ExerciseModel, int> expected =
                choices.models == mixed ? std::map<ExerciseModel, int>{{ExerciseModel::Inverse, 3},
                                                                       {ExerciseModel::Direct, 2},
                                                                       {ExerciseModel::Constant, 1}}
                                        : std::map<ExerciseModel, int>{{ExerciseModel::Inverse, 6}};
            EXPECT_EQ(shares, expected) << "block at " << block;
        }
        for (std::size_t i = 3; i < first.size(); ++i) {
            EXPECT_FALSE(choices.models == mixed && first[i].model == first[i - 1].model &&
                         first[i].model == first[i - 2].model &&
                         first[i].model == first[i - 3].model)
                << "four in a row up to " << i;
        }
        EXPECT_TRUE(sameSheet(sheet, sheetOf(nonce, choices))) << "made again";
    }
}

// The numbers of a problem's working, as a teacher reckons them: the divisor and the product it
// divides; 0 for a constant problem, which has none.
int divisorOf(const Exercise& e)
{
    switch (e.model) {
    case ExerciseModel::Inverse:
        return e.secondGroupSize; // first · given, then : second
    case ExerciseModel::Direct:
        return e.firstGroupSize; // given : first, then · second
    case ExerciseModel::Constant:
        break;
    }
    return 0;
}

int productOf(const Exercise& e)
{
    switch (e.model) {
    case ExerciseModel::Inverse:
        return e.firstGroupSize * e.givenDuration;
    case ExerciseModel::Direct:
        return e.factor * e.secondGroupSize;
    case ExerciseModel::Constant:
        break;
    }
    return 0;
}

int divisorClass(int divisor)
{
    const std::array<std::set<int>, 4> classes = {{{2, 5, 10}, {3, 4}, {6, 7, 8, 9}, {}}};
    for (std::size_t c = 0; c < classes.size(); ++c) {
        if (classes.at(c).contains(divisor)) {
            return static_cast<int>(c);
        }
    }
    return divisor > 10 && divisor < 20 ? 3 : divisor == 0 ? -1 : -2;
}

std::size_t digits(int number)
{
    return std::to_string(number).size();
}

// Which of the rules for a fair test a sheet breaks, by name, with the place.
std::vector<std::string> brokenRules(const Worksheet& sheet)
{
    std::vector<std::string> broken;
    const auto& groups = sheet.groups;
    std::vector<double> sums(groups.size());
    for (std::size_t at = 0; at < groups[0].size(); ++at) {
        const Exercise& a = groups[0][at];
        const auto named = [&broken, at](const char* rule) {
            broken.push_back(std::string(rule) + " at " + std::to_string(at + 1));
        };
        int lowest = productOf(a);
        int highest = productOf(a);
        std::set<int> answers;
        std::set<std::array<int, 3>> numbers;
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const Exercise& e = groups[g][at];
            sums[g] += productOf(e);
            lowest = std::min(lowest, productOf(e));
            highest = std::max(highest, productOf(e));
            std::array<int, 3> read = {e.firstGroupSize, e.givenDuration, e.secondGroupSize};
            std::sort(read.begin(), read.end());
            if (!answers.insert(e.expectedAnswer).second) {
                named("an answer twice");
            }
            if (!numbers.insert(read).second) {
                named("three numbers twice");
            }
            if (e.kind != a.kind || e.model != a.model) {
                named("another kind or model");
            }
            if (divisorClass(divisorOf(e)) != divisorClass(divisorOf(a))) {
                named("a divisor of another class");
            }
            if (digits(productOf(e)) != digits(productOf(a)) ||
                digits(e.expectedAnswer) != digits(a.expectedAnswer)) {
                named("a product or answer of other digits");
            }
            if (sheet.code.choices.calculator == Calculator::Without && !workableByHand(e)) {
                named("not workable by hand");
            }
        }
        // A direct problem of the work kind has too few products for six answers within 15 %.
        const double widest =
            a.model == ExerciseModel::Direct && a.kind == ExerciseKind::WorkExercise ? 1.2 : 1.15;
        if (highest > lowest * widest) {
            named("products too far apart");
        }
    }
    const auto [low, high] = std::minmax_element(sums.begin(), sums.end());
    if (*high > *low * 1.15) {
        broken.emplace_back("product sums too far apart");
    }
    return broken;
}

// 144 tests of 2, 4 and 6 groups of 10, of each kind, with and without a calculator, inverse and
// mixed: at each place every group has a problem of the same kind and model, a divisor of the
// same class, a product within 15 per cent of the others' and of as many digits, an answer of as
// many digits; no two groups have the same three numbers or answer there. The same measure
// fails on nearly every sheet of a ten-letter code, whose groups were matched by a coarser
// profile.
TEST(Worksheet, GroupsOfATestFollowEveryRule)
{
    int tests = 0;
    int tenLetterBroken = 0;
    for (const int groups : {2, 4, 6}) {
        for (const Calculator calculator : {Calculator::Without, Calculator::With}) {
            for (const SheetModels models : {SheetModels::InverseOnly, mixed}) {
                for (std::uint64_t nonce = 0; nonce < 12; ++nonce) {
                    const SheetChoices choices{10, static_cast<SheetKinds>(nonce % 3), groups,
                                               calculator, models};
                    const Worksheet sheet = sheetOf(nonce * 7919 + 11, choices);
                    EXPECT_EQ(brokenRules(sheet), std::vector<std::string>{}) << sheet.code.code;
                    ++tests;
                    const Worksheet ten =
                        makeWorksheet(readCode(tenLetterCode(nonce * 7919 + 11, choices)));
                    tenLetterBroken += brokenRules(ten).empty() ? 0 : 1;
                }
            }
        }
    }
    EXPECT_EQ(tests, 144);
    EXPECT_GT(tenLetterBroken, 130) << "of 144 tests of ten-letter codes";
}

// The profiles of a sheet's groups, each group's in order.
std::vector<std::vector<Profile>> profiles(const Worksheet& sheet)
{
    std::vector<std::vector<Profile>> made;
    for (const auto& group : sheet.groups) {
        auto& profile = made.emplace_back();
        std::transform(group.begin(), group.end(), std::back_inserter(profile), profileOf);
    }
    return made;
}

bool equallyHard(const Worksheet& sheet)
{
    const auto all = profiles(sheet);
    return std::all_of(all.begin(), all.end(), [&all](const auto& p) { return p == all[0]; });
}

// 200 tests of ten-letter codes of 2 to 6 groups of 10, both kinds, as teachers printed them: in
// every one each group has, problem by problem, the kind, side of 10 and band of the first group.
// Sheets of older codes, drawn without that, are measured alike and mostly fail, which shows the
// measure works.
TEST(Worksheet, GroupsOfATenLetterTestHaveOneProfile)
{
    int unequal = 0;
    int olderUnequal = 0;
    for (int test = 0; test < 200; ++test) {
        const int groups = 2 + test % 5;
        const SheetChoices choices{10, SheetKinds::Both, groups,
                                   test % 2 == 0 ? Calculator::With : Calculator::Without};
        const std::string code = tenLetterCode(static_cast<std::uint64_t>(test) * 7919, choices);
        unequal += equallyHard(makeWorksheet(readCode(code))) ? 0 : 1;
        SheetCode older = readCode(code.substr(0, 8));
        older.choices = {10, SheetKinds::Both, groups, Calculator::With};
        olderUnequal += equallyHard(makeWorksheet(older)) ? 0 : 1;
    }
    RecordProperty("unequal", unequal);
    RecordProperty("olderUnequal", olderUnequal);
    EXPECT_EQ(unequal, 0) << "of 200 tests";
    EXPECT_GT(olderUnequal, 150) << "of 200 older tests";
}

// A key printed from a ten-letter code remakes exactly its sheet: each sheet's label and numbers,
// digested, as this platform's std::rand drew them before codes carried the models (glibc's and
// the browser's musl differ, so each has its own digests).
TEST(Worksheet, TenLetterCodesRemakeTheirSheets)
{
    struct Printed {
        const char* code;
        const char* glibc;
        const char* musl;
    };
    const std::array<Printed, 5> printed = {{
        {"AAAAAABK8S", "cd3d470bbf1c073c", "c9e911bf564bee93"},
        {"AAAAAACLPH", "1c022f31cd18564c", "50fe42157909d9fa"},
        {"AAAAAAEGGT", "6ce602f60450c173", "a8a17e0c16d5077f"},
        {"AAAAAAHNHG", "9c364edf8d54de60", "3cd7b79096e3e3b9"},
        {"A9BPEVMCY3", "c322484faa99e3c4", "b8313f16f1d4465f"},
    }};
    std::srand(1);
    const int firstDraw = std::rand();
    if (firstDraw != 1804289383 && firstDraw != 0) {
        GTEST_SKIP() << "a std::rand of neither glibc nor musl";
    }
    for (const auto& [code, glibc, musl] : printed) {
        const Worksheet sheet = makeWorksheet(readCode(code));
        ASSERT_EQ(sheet.code.status, Status::TenLetters) << code;
        std::string text = sheet.label;
        for (const auto& group : sheet.groups) {
            text += '|';
            for (const Exercise& e : group) {
                text += ' ' + std::to_string(static_cast<int>(e.kind)) + ',' +
                        std::to_string(e.scenarioIndex) + ',' + std::to_string(e.firstGroupSize) +
                        ',' + std::to_string(e.secondGroupSize) + ',' + std::to_string(e.factor);
            }
        }
        EXPECT_EQ(hex(sha256(text)).substr(0, 16), firstDraw == 0 ? musl : glibc) << code;
    }
}

// Without a calculator every divisor is at most 10 and every product at most 500, in every model
// and for a ten-letter code too; with one the whole ranges come up.
TEST(Worksheet, CalculatorChoiceBoundsTheNumbers)
{
    for (const Calculator calculator : {Calculator::Without, Calculator::With}) {
        for (const SheetModels models : {SheetModels::InverseOnly, mixed}) {
            int largeDivisors = 0;
            int largeProducts = 0;
            for (std::uint64_t nonce = 0; nonce < 8; ++nonce) {
                const SheetChoices choices{30, SheetKinds::Both, 6, calculator, models};
                const Worksheet sheet = nonce % 4 == 3 && models == SheetModels::InverseOnly
                                            ? makeWorksheet(readCode(tenLetterCode(nonce, choices)))
                                            : sheetOf(nonce, choices);
                for (const auto& group : sheet.groups) {
                    for (const Exercise& e : group) {
                        const bool direct = e.model == ExerciseModel::Direct;
                        largeDivisors += divisorOf(e) > 10 ? 1 : 0;
                        largeProducts +=
                            productOf(e) > 500 || (direct && e.givenDuration > 500) ? 1 : 0;
                    }
                }
            }
            EXPECT_EQ(largeDivisors > 0, calculator == Calculator::With);
            EXPECT_EQ(largeProducts > 0, calculator == Calculator::With);
        }
    }
}

// More groups add groups and keep the first ones; another random part, count, kind, calculator
// or models gives another label and other problems.
TEST(Worksheet, FollowsTheCodeAndTheChoices)
{
    for (const SheetModels models : {SheetModels::InverseOnly, mixed}) {
        const Worksheet two = sheetOf(42, {8, SheetKinds::Both, 2, Calculator::Without, models});
        const Worksheet six = sheetOf(42, {8, SheetKinds::Both, 6, Calculator::Without, models});
        for (std::size_t g = 0; g < 2; ++g) {
            EXPECT_TRUE(sameGroup(two.groups.at(g), six.groups.at(g))) << g;
        }
        const Worksheet ten = makeWorksheet(readCode(tenLetterCode(42, {8, SheetKinds::Both, 2})));
        const Worksheet tenSix =
            makeWorksheet(readCode(tenLetterCode(42, {8, SheetKinds::Both, 6})));
        EXPECT_TRUE(sameGroup(ten.groups[1], tenSix.groups[1]));
    }

    const Worksheet two = sheetOf(42, {8, SheetKinds::Both, 2});
    const std::array<SheetCase, 5> others = {{
        {43, {8, SheetKinds::Both, 2}},
        {42, {9, SheetKinds::Both, 2}},
        {42, {8, SheetKinds::WorkOnly, 2}},
        {42, {8, SheetKinds::Both, 2, Calculator::With}},
        {42, {8, SheetKinds::Both, 2, Calculator::Without, mixed}},
    }};
    for (const auto& [nonce, choices] : others) {
        const Worksheet other = sheetOf(nonce, choices);
        EXPECT_NE(other.label, two.label) << other.code.code;
        EXPECT_FALSE(same(other.groups[0][0], two.groups[0][0]) &&
                     same(other.groups[0][1], two.groups[0][1]))
            << other.code.code;
    }
}

// A longer sheet of a code does not begin with, nor anywhere repeat, two problems in a row of
// a shorter one.
TEST(Worksheet, SheetsOfDifferentLengthsShareNoRunOfProblems)
{
    for (const std::uint64_t nonce : {1U, 2U, 3U}) {
        std::vector<std::vector<Exercise>> byCount;
        for (int count = 2; count <= 30; ++count) {
            byCount.push_back(sheetOf(nonce, {count, SheetKinds::Both, 1}).groups[0]);
        }
        for (std::size_t a = 0; a < byCount.size(); ++a) {
            for (std::size_t b = a + 1; b < byCount.size(); ++b) {
                const auto& x = byCount[a];
                const auto& y = byCount[b];
                for (std::size_t i = 0; i + 1 < x.size(); ++i) {
                    for (std::size_t j = 0; j + 1 < y.size(); ++j) {
                        EXPECT_FALSE(same(x[i], y[j]) && same(x[i + 1], y[j + 1]))
                            << nonce << ": " << x.size() << " and " << y.size() << " at " << i;
                    }
                }
            }
        }
    }
}

// An eight-letter code from an older key remakes the sheet it printed: the label and the seeds
// of its groups are hashed as they were.
TEST(Worksheet, OlderCodesRemakeTheirSheets)
{
    struct Older {
        const char* code;
        SheetChoices choices;
        const char* label;
    };
    const std::array<Older, 2> olders = {{
        {"K7QM4XA2", {8, SheetKinds::Both, 2}, "Blatt 6G4X"},
        {"HJKMNPQR", {30, SheetKinds::WorkOnly, 1}, "Blatt 6YLF"},
    }};
    for (const auto& [text, choices, label] : olders) {
        SheetCode code = readCode(text);
        ASSERT_EQ(code.status, Status::Older);
        code.choices = {choices.count, choices.kinds, choices.groups, code.choices.calculator};
        EXPECT_EQ(code.choices.calculator, Calculator::With);
        EXPECT_EQ(makeWorksheet(code).label, label);
    }
    SheetCode code = readCode("K7QM4XA2");
    code.choices = {8, SheetKinds::Both, 2, Calculator::With};
    const Worksheet sheet = makeWorksheet(code);
    for (const auto& [group, seed] : {std::pair{0, 0x11172f25U}, std::pair{1, 0x272c4a58U}}) {
        std::srand(seed);
        EXPECT_TRUE(same(sheet.groups[static_cast<std::size_t>(group)][0], drawExercise()));
    }
}

} // namespace
