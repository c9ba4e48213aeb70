#include "sha256.hpp"
#include "worksheet.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
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
    return std::tie(a.kind, a.scenarioIndex, a.firstGroupSize, a.secondGroupSize, a.factor) ==
           std::tie(b.kind, b.scenarioIndex, b.firstGroupSize, b.secondGroupSize, b.factor);
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
    const std::string code = sheetCode(123456789, {12, SheetKinds::SupplyOnly, 3});
    std::string lower = code;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    const std::array<std::tuple<std::string, Status, std::string>, 9> typed = {{
        {code, Status::Sheet, code},
        {lower.substr(0, 5) + "-" + lower.substr(5), Status::Sheet, code},
        {std::string(1, ' ') + code.substr(0, 4) + " " + code.substr(4) + "\t", Status::Sheet,
         code},
        {"k7qm-4xa2", Status::Older, "K7QM4XA2"},
        {"K7QM4XA", Status::WrongLength, "K7QM4XA"},
        {code + "A", Status::WrongLength, code + "A"},
        {"K7QM4XA0", Status::WrongLetter, "K7QM4XA0"},
        {"K7QM4XÄ2", Status::WrongLetter, "K7QM4XÄ2"},
        {"", Status::WrongLength, ""},
    }};
    for (const auto& [text, status, read] : typed) {
        const SheetCode got = readCode(text);
        EXPECT_EQ(got.status, status) << text;
        EXPECT_EQ(got.code, read) << text;
    }
    const SheetCode read = readCode(code);
    EXPECT_EQ(read.nonce, 123456789U);
    EXPECT_EQ(std::tie(read.choices.count, read.choices.kinds, read.choices.groups,
                       read.choices.calculator),
              std::make_tuple(12, SheetKinds::SupplyOnly, 3, Calculator::Without));
}

// Every choice comes back from its code, whatever the random part.
TEST(SheetCode, CarriesEveryChoice)
{
    for (const std::uint64_t nonce :
         {std::uint64_t{0}, std::uint64_t{1} << 34, ~std::uint64_t{0}}) {
        std::map<std::string, int> codes;
        for (int count = 1; count <= 30; ++count) {
            for (const SheetKinds kinds :
                 {SheetKinds::Both, SheetKinds::WorkOnly, SheetKinds::SupplyOnly}) {
                for (int groups = 1; groups <= 6; ++groups) {
                    for (const Calculator calculator : {Calculator::Without, Calculator::With}) {
                        const std::string code =
                            sheetCode(nonce, {count, kinds, groups, calculator});
                        const SheetCode read = readCode(code);
                        ASSERT_EQ(read.status, Status::Sheet) << code;
                        ASSERT_EQ(std::tie(read.choices.count, read.choices.kinds,
                                           read.choices.groups, read.choices.calculator),
                                  std::tie(count, kinds, groups, calculator))
                            << code;
                        ASSERT_EQ(sheetCode(read.nonce, read.choices), code);
                        ++codes[code];
                    }
                }
            }
        }
        EXPECT_EQ(codes.size(), 1080U) << "a code of its own for each choice";
    }
}

// The check letter catches any one letter typed wrong, and any two neighbours swapped.
TEST(SheetCode, CatchesAWrongLetterAndASwap)
{
    for (const std::uint64_t nonce : {std::uint64_t{7}, std::uint64_t{987654321}}) {
        for (int count = 1; count <= 30; ++count) {
            const std::string code = sheetCode(nonce, {count, SheetKinds::Both, 2});
            for (std::size_t i = 0; i < code.size(); ++i) {
                for (const char letter : codeLetters) {
                    std::string wrong = code;
                    wrong[i] = letter;
                    EXPECT_EQ(readCode(wrong).status,
                              letter == code[i] ? Status::Sheet : Status::Mistyped)
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

const std::array<SheetCase, 10> sheets = {{
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
}};

// Each group as long as chosen, of the kinds chosen, both kinds as even as can be; no problem
// twice on the sheet, not even in two groups; one label of four code letters.
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
        EXPECT_TRUE(sameSheet(sheet, sheetOf(nonce, choices))) << "made again";
    }
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

// 200 tests of 2 to 6 groups of 10, both kinds, as a teacher sets them: in every one each group
// has, problem by problem, the kind, side of 10 and band of the first group. Sheets of older
// codes, drawn without that, are measured alike and mostly fail, which shows the measure works.
TEST(Worksheet, GroupsOfATestAreEquallyHard)
{
    int unequal = 0;
    int olderUnequal = 0;
    for (int test = 0; test < 200; ++test) {
        const int groups = 2 + test % 5;
        const SheetChoices choices{10, SheetKinds::Both, groups,
                                   test % 2 == 0 ? Calculator::With : Calculator::Without};
        unequal += equallyHard(sheetOf(static_cast<std::uint64_t>(test) * 7919, choices)) ? 0 : 1;
        SheetCode older =
            readCode(sheetCode(static_cast<std::uint64_t>(test), choices).substr(0, 8));
        older.choices = {10, SheetKinds::Both, groups, Calculator::With};
        olderUnequal += equallyHard(makeWorksheet(older)) ? 0 : 1;
    }
    RecordProperty("unequal", unequal);
    RecordProperty("olderUnequal", olderUnequal);
    EXPECT_EQ(unequal, 0) << "of 200 tests";
    EXPECT_GT(olderUnequal, 150) << "of 200 older tests";
}

// Without a calculator every divisor is at most 10 and every product at most 500; with one the
// whole ranges come up.
TEST(Worksheet, CalculatorChoiceBoundsTheNumbers)
{
    for (const Calculator calculator : {Calculator::Without, Calculator::With}) {
        int largeDivisors = 0;
        int largeProducts = 0;
        for (std::uint64_t nonce = 0; nonce < 20; ++nonce) {
            for (const auto& group : sheetOf(nonce, {30, SheetKinds::Both, 6, calculator}).groups) {
                for (const Exercise& e : group) {
                    largeDivisors += e.secondGroupSize > 10 ? 1 : 0;
                    largeProducts += e.firstGroupSize * e.givenDuration > 500 ? 1 : 0;
                }
            }
        }
        EXPECT_EQ(largeDivisors > 0, calculator == Calculator::With);
        EXPECT_EQ(largeProducts > 0, calculator == Calculator::With);
    }
}

// More groups add groups and keep the first ones; another random part, count, kind or
// calculator gives another label and other problems.
TEST(Worksheet, FollowsTheCodeAndTheChoices)
{
    const Worksheet two = sheetOf(42, {8, SheetKinds::Both, 2});
    const Worksheet five = sheetOf(42, {8, SheetKinds::Both, 5});
    EXPECT_TRUE(sameGroup(two.groups[0], five.groups[0]));
    EXPECT_TRUE(sameGroup(two.groups[1], five.groups[1]));

    const std::array<SheetCase, 4> others = {{
        {43, {8, SheetKinds::Both, 2}},
        {42, {9, SheetKinds::Both, 2}},
        {42, {8, SheetKinds::WorkOnly, 2}},
        {42, {8, SheetKinds::Both, 2, Calculator::With}},
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
