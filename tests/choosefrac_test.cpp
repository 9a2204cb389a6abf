#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "choosefrac.hpp"
#include "cp932.hpp"
#include "dialogue_case.hpp"
#include "memory_console.hpp"

namespace calculators {
namespace {

const std::u8string head =
    u8"コンビデーションの計算　aＣb\n"
    u8"a >>  b >>  "
    u8"  Now calculating................................\n"
    u8"=============== RESULT ===============\n";

std::vector<int32> expected_pauses() {
    std::vector<int32> pauses(16, 100);
    pauses.push_back(60000);
    return pauses;
}

class ChoosefracDialogue : public testing::TestWithParam<dialogue_case> {};

TEST_P(ChoosefracDialogue, WritesTheWholeDialogue) {
    const dialogue_case& row = GetParam();
    const dialogue_run run = run_dialogue(choosefrac, row.input);
    EXPECT_EQ(run.output, cp932(head + row.ending));
    EXPECT_EQ(pause_lengths(run), expected_pauses());
    EXPECT_EQ(run.pauses.back().bytes_written_before, run.output.size());
    EXPECT_TRUE(run.finished_cleanly);
}

INSTANTIATE_TEST_SUITE_P(
    Choosefrac, ChoosefracDialogue,
    testing::Values(
        dialogue_case{"five_choose_two", "5\n2\n", u8"5 Ｃ 2 ＝ 60/6"},
        dialogue_case{"ten_choose_three", "10\n3\n", u8"10 Ｃ 3 ＝ 604800/5040"},
        dialogue_case{"zero_choose_zero", "0\n0\n", u8"0 Ｃ 0 ＝ 1/1"},
        dialogue_case{"b_above_a_truncates_to_zero", "2\n5\n", u8"2 Ｃ 5 ＝ 0/1"},
        dialogue_case{"negative_a", "-1\n3\n", u8"-1 Ｃ 3 ＝ 0/1"},
        dialogue_case{"negative_b", "3\n-2\n", u8"3 Ｃ -2 ＝ 6/120"},
        dialogue_case{"factorial_of_13_wraps", "13\n2\n", u8"13 Ｃ 2 ＝ 966026752/39916800"},
        dialogue_case{"wrapped_quotient_truncates", "20\n13\n", u8"20 Ｃ 13 ＝ -1/5040"},
        dialogue_case{"factorial_of_34_is_zero", "34\n1\n", u8"34 Ｃ 1 ＝ 0/-2147483648"},
        dialogue_case{"thirty_three_choose_itself", "33\n33\n", u8"33 Ｃ 33 ＝ 1/1"},
        dialogue_case{"a_minus_b_wraps_to_int32_max", "-2147483648\n1\n",
                      u8"-2147483648 Ｃ 1 ＝ 1/0"},
        dialogue_case{"a_minus_b_wraps_to_int32_min", "2147483647\n-1\n",
                      u8"2147483647 Ｃ -1 ＝ 0/1"},
        dialogue_case{"wrapped_input", "4294967301 2\n", u8"5 Ｃ 2 ＝ 60/6"},
        dialogue_case{"b_of_34_with_a_above", "40\n34\n", u8"40 Ｃ 34 ＝ overflow"},
        dialogue_case{"b_of_40_with_a_below", "5\n40\n", u8"5 Ｃ 40 ＝ overflow"},
        dialogue_case{"b_at_int32_max", "-2147483648\n2147483647\n",
                      u8"-2147483648 Ｃ 2147483647 ＝ overflow"},
        dialogue_case{"no_input_at_all", "", u8"0 Ｃ 0 ＝ 1/1"},
        dialogue_case{"letter_after_a", "7x\n", u8"7 Ｃ 0 ＝ 5040/5040"}),
    case_name());

TEST(ChoosefracTiming, ConsoleSeesEachPairOfDotsBeforeItsPause) {
    const dialogue_run run = run_dialogue(choosefrac, "10\n3\n", true);
    const std::size_t before_dots = cp932(head).find("Now calculating") + 15;
    ASSERT_EQ(run.pauses.size(), 17U);
    for (std::size_t pair = 0; pair < 16; ++pair) {
        EXPECT_EQ(run.pauses[pair].bytes_written_before, before_dots + 2 * (pair + 1));
    }
}

// The product n (n - 1) ... 1 taken one step at a time, without a shortcut.
int32 factorial_by_steps(int32 n) {
    int32 result = 1;
    for (; n > 0; --n) {
        result = wrapping_mul(result, n);
    }
    return result;
}

TEST(Factorial, AgreesWithTheStepByStepProduct) {
    for (int32 n = -5; n <= 300; ++n) {
        EXPECT_EQ(factorial(n), factorial_by_steps(n)) << "n=" << n;
    }
    for (const int32 n : {1000, 65536, 1000003}) {
        EXPECT_EQ(factorial(n), factorial_by_steps(n)) << "n=" << n;
    }
    EXPECT_EQ(factorial(12), 479001600);
    EXPECT_EQ(factorial(33), INT_MIN);
    EXPECT_EQ(factorial(INT_MIN), 1);
    EXPECT_EQ(factorial(INT_MAX), 0);
}

}  // namespace
}  // namespace calculators
