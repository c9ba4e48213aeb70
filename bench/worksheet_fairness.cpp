// How fair the groups of tests are: over 400 tests each of 2, 4 and 6 groups of 10 problems
// (every kind, with and without a calculator, inverse and mixed), the worst ratio of two groups'
// sums of products, and how often each rule held at a place of a test; the same for the sheets
// of ten-letter codes, whose groups were matched by a coarser profile, as a measure of before.
// Built and run by bench/worksheet_fairness.
#include "worksheet.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

// The working's numbers and the divisor classes, written again from the rules rather than taken
// from worksheet.cpp, as the core tests do: a measure built from the code it measures would
// report its slips as fair. The product of a direct problem comes from its share here, where
// the sheet takes the answer.
int divisorOf(const Exercise& e)
{
    return e.model == ExerciseModel::Inverse  ? e.secondGroupSize
           : e.model == ExerciseModel::Direct ? e.firstGroupSize
                                              : 0;
}

int productOf(const Exercise& e)
{
    return e.model == ExerciseModel::Inverse  ? e.firstGroupSize * e.givenDuration
           : e.model == ExerciseModel::Direct ? e.factor * e.secondGroupSize
                                              : 0;
}

int divisorClass(int d)
{
    return d == 0 ? 0 : d == 2 || d == 5 || d == 10 ? 1 : d == 3 || d == 4 ? 2 : d < 10 ? 3 : 4;
}

std::size_t digits(int n)
{
    return std::to_string(n).size();
}

enum Rule {
    SameKindAndModel,
    SameDivisorClass,
    ProductsWithin15,
    ProductsWithin20,
    SameDigits,
    AnswersDiffer,
    NumbersDiffer,
    ByHand,
    NoRepeatOnSheet,
    rules
};

constexpr std::array<const char*, rules> ruleNames = {
    "same kind and model",
    "divisor of the same class",
    "products within 15 %",
    "products within 20 %",
    "products and answers of the same digits",
    "no answer twice",
    "no three numbers twice",
    "workable by hand where asked",
    "no problem twice on the sheet (per test)",
};

struct Tally {
    std::array<long, rules> held{};
    std::array<long, rules> asked{};
    double worstSums = 1;
    long directWorkPlaces = 0;

    void count(Rule rule, bool held_)
    {
        ++asked.at(rule);
        held.at(rule) += held_ ? 1 : 0;
    }
};

void measure(const Worksheet& sheet, Tally& tally)
{
    const auto& groups = sheet.groups;
    std::vector<long> sums(groups.size());
    std::vector<Exercise> all;
    for (std::size_t at = 0; at < groups[0].size(); ++at) {
        const Exercise& a = groups[0][at];
        int low = productOf(a);
        int high = low;
        bool sameKind = true;
        bool sameClass = true;
        bool sameDigits = true;
        bool byHand = true;
        std::set<int> answers;
        std::set<std::array<int, 3>> numbers;
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const Exercise& e = groups[g][at];
            all.push_back(e);
            sums[g] += productOf(e);
            low = std::min(low, productOf(e));
            high = std::max(high, productOf(e));
            sameKind = sameKind && e.kind == a.kind && e.model == a.model;
            sameClass = sameClass && divisorClass(divisorOf(e)) == divisorClass(divisorOf(a));
            sameDigits = sameDigits && digits(productOf(e)) == digits(productOf(a)) &&
                         digits(e.expectedAnswer) == digits(a.expectedAnswer);
            byHand = byHand && workableByHand(e);
            answers.insert(e.expectedAnswer);
            std::array<int, 3> read = {e.firstGroupSize, e.givenDuration, e.secondGroupSize};
            std::sort(read.begin(), read.end());
            numbers.insert(read);
        }
        tally.count(SameKindAndModel, sameKind);
        tally.count(SameDivisorClass, sameClass);
        if (a.model != ExerciseModel::Constant) {
            tally.count(ProductsWithin15, high * 100 <= low * 115);
            tally.count(ProductsWithin20, high * 100 <= low * 120);
        }
        tally.directWorkPlaces +=
            a.model == ExerciseModel::Direct && a.kind == ExerciseKind::WorkExercise ? 1 : 0;
        tally.count(SameDigits, sameDigits);
        tally.count(AnswersDiffer, answers.size() == groups.size());
        tally.count(NumbersDiffer, numbers.size() == groups.size());
        if (sheet.code.choices.calculator == Calculator::Without) {
            tally.count(ByHand, byHand);
        }
    }
    bool repeat = false;
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            const Exercise& x = all[i];
            const Exercise& y = all[j];
            repeat = repeat ||
                     (x.kind == y.kind && x.model == y.model &&
                      x.scenarioIndex == y.scenarioIndex && x.firstGroupSize == y.firstGroupSize &&
                      x.secondGroupSize == y.secondGroupSize && x.factor == y.factor);
        }
    }
    tally.count(NoRepeatOnSheet, !repeat);
    const auto [least, most] = std::minmax_element(sums.begin(), sums.end());
    if (*least > 0) {
        tally.worstSums = std::max(tally.worstSums, static_cast<double>(*most) / *least);
    }
}

void report(const char* what, int groups, const Tally& tally)
{
    std::printf("%s, %d groups: worst product-sum ratio %.3f (goal 1.15)\n", what, groups,
                tally.worstSums);
    for (std::size_t rule = 0; rule < rules; ++rule) {
        if (tally.asked.at(rule) > 0) {
            std::printf("  %-42s %7.2f %% of %ld\n", ruleNames.at(rule),
                        100.0 * static_cast<double>(tally.held.at(rule)) /
                            static_cast<double>(tally.asked.at(rule)),
                        tally.asked.at(rule));
        }
    }
    std::printf("  %-42s %7ld\n", "places of direct work problems", tally.directWorkPlaces);
}

} // namespace

int main()
{
    constexpr int tests = 400;
    for (const int groups : {2, 4, 6}) {
        Tally now;
        Tally before;
        for (int test = 0; test < tests; ++test) {
            const SheetChoices choices{10, static_cast<SheetKinds>(test % 3), groups,
                                       test % 2 == 0 ? Calculator::Without : Calculator::With,
                                       test % 4 < 2 ? SheetModels::InverseOnly
                                                    : SheetModels::Mixed};
            const auto nonce = static_cast<std::uint64_t>(test) * 104729 + 17;
            measure(makeWorksheet(readCode(sheetCode(nonce, choices))), now);
            measure(makeWorksheet(readCode(tenLetterCode(nonce, choices))), before);
        }
        report("Eleven-letter codes", groups, now);
        report("Ten-letter codes (before, inverse only)", groups, before);
    }
    return 0;
}
