#include "sha256.hpp"
#include "worksheet.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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

bool sameSheet(const Worksheet& a, const Worksheet& b)
{
    return a.label == b.label &&
           std::equal(a.groups.begin(), a.groups.end(), b.groups.begin(), b.groups.end(),
                      [](const auto& x, const auto& y) {
                          return std::equal(x.begin(), x.end(), y.begin(), y.end(), same);
                      });
}

int workCount(const std::vector<Exercise>& group)
{
    return static_cast<int>(std::count_if(group.begin(), group.end(), [](const Exercise& e) {
        return e.kind == ExerciseKind::WorkExercise;
    }));
}

struct SheetCase {
    const char* code;
    SheetChoices choices;
};

const std::array<SheetCase, 9> sheets = {{
    {"K7QM4XA2", {8, SheetKinds::Both, 1}},
    {"K7QM4XA2", {8, SheetKinds::Both, 6}},
    {"K7QM4XA2", {7, SheetKinds::Both, 3}},
    {"K7QM4XA2", {30, SheetKinds::Both, 6}},
    {"AAAAAAAA", {1, SheetKinds::Both, 6}},
    {"AAAAAAAA", {2, SheetKinds::Both, 2}},
    {"ZZZZ9999", {30, SheetKinds::WorkOnly, 6}},
    {"ZZZZ9999", {30, SheetKinds::SupplyOnly, 6}},
    {"23456789", {15, SheetKinds::Both, 4}},
}};

// Each group as long as chosen, of the kinds chosen, both kinds as even as can be; no problem
// twice on the sheet, not even in two groups; one label of four code letters.
TEST(Worksheet, HasTheChosenGroupsAndKindsWithoutARepeat)
{
    for (const auto& [code, choices] : sheets) {
        const Worksheet sheet = makeWorksheet(code, choices);
        SCOPED_TRACE(std::string(code) + " " + std::to_string(choices.count) + " " +
                     std::to_string(choices.groups));
        ASSERT_EQ(sheet.label.size(), 10U);
        EXPECT_EQ(sheet.label.substr(0, 6), "Blatt ");
        EXPECT_EQ(sheet.label.find_first_not_of(codeLetters, 6), std::string::npos);
        ASSERT_EQ(sheet.groups.size(), static_cast<std::size_t>(choices.groups));
        std::vector<Exercise> all;
        for (const auto& group : sheet.groups) {
            ASSERT_EQ(group.size(), static_cast<std::size_t>(choices.count));
            const int work = workCount(group);
            EXPECT_EQ(work, workCount(sheet.groups[0])) << "the same mix in every group";
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
        EXPECT_TRUE(sameSheet(sheet, makeWorksheet(code, choices))) << "made again";
    }
}

// More groups add groups and keep the first ones; a code that differs in one letter, or a
// count or kind that differs, gives another label and other problems.
TEST(Worksheet, FollowsTheCodeAndTheChoices)
{
    const Worksheet two = makeWorksheet("K7QM4XA2", {8, SheetKinds::Both, 2});
    const Worksheet five = makeWorksheet("K7QM4XA2", {8, SheetKinds::Both, 5});
    EXPECT_EQ(five.label, two.label);
    EXPECT_TRUE(std::equal(two.groups[1].begin(), two.groups[1].end(), five.groups[1].begin(),
                           five.groups[1].end(), same));

    const std::array<std::pair<const char*, SheetChoices>, 4> others = {{
        {"K7QM4XA3", {8, SheetKinds::Both, 2}},
        {"L7QM4XA2", {8, SheetKinds::Both, 2}},
        {"K7QM4XA2", {9, SheetKinds::Both, 2}},
        {"K7QM4XA2", {8, SheetKinds::WorkOnly, 2}},
    }};
    for (const auto& [code, choices] : others) {
        const Worksheet other = makeWorksheet(code, choices);
        EXPECT_NE(other.label, two.label) << code << " " << choices.count;
        EXPECT_FALSE(same(other.groups[0][0], two.groups[0][0]) &&
                     same(other.groups[0][1], two.groups[0][1]))
            << code << " " << choices.count;
    }
}

// A longer sheet of a code does not begin with, nor anywhere repeat, two problems in a row of
// a shorter one.
TEST(Worksheet, SheetsOfDifferentLengthsShareNoRunOfProblems)
{
    for (const char* code : {"K7QM4XA2", "AAAAAAAA", "ZZZZ9999"}) {
        std::vector<std::vector<Exercise>> byCount;
        for (int count = 2; count <= 30; ++count) {
            byCount.push_back(makeWorksheet(code, {count, SheetKinds::Both, 1}).groups[0]);
        }
        for (std::size_t a = 0; a < byCount.size(); ++a) {
            for (std::size_t b = a + 1; b < byCount.size(); ++b) {
                const auto& x = byCount[a];
                const auto& y = byCount[b];
                for (std::size_t i = 0; i + 1 < x.size(); ++i) {
                    for (std::size_t j = 0; j + 1 < y.size(); ++j) {
                        EXPECT_FALSE(same(x[i], y[j]) && same(x[i + 1], y[j + 1]))
                            << code << ": " << x.size() << " and " << y.size() << " at " << i;
                    }
                }
            }
        }
    }
}

} // namespace
