#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cp932.hpp"
#include "defint.hpp"
#include "dialogue_case.hpp"
#include "memory_console.hpp"

namespace calculators {
namespace {

const std::u8string head =
    u8"●積分の計算●\n"
    u8"∫a-b[f(x)]dxを計算します\n"
    u8"但し、f(x)=c x^2 + dx + eとする\n"
    u8"\n"
    u8"a >>  b >>  c >>  d >>  e >>  "
    u8"=================RESULT=================\n";

const std::u8string reminder = u8"\n約分は自分でするんだよ！";

class DefintDialogue : public testing::TestWithParam<dialogue_case> {};

TEST_P(DefintDialogue, WritesTheWholeDialogue) {
    const dialogue_case& row = GetParam();
    const dialogue_run run = run_dialogue(defint, row.input);
    EXPECT_EQ(run.output, cp932(head + row.ending + reminder));
    EXPECT_EQ(pause_lengths(run), std::vector<int32>{20000});
    EXPECT_EQ(run.pauses.back().bytes_written_before, run.output.size());
    EXPECT_TRUE(run.finished_cleanly);
}

INSTANTIATE_TEST_SUITE_P(
    Defint, DefintDialogue,
    testing::Values(
        dialogue_case{"example", "0\n3\n1\n2\n3\n",
                      u8"F=1/3 x^3 + 2/2 x^2 + 3x + C\n∫0-3[1 x^2 + 2 + 3]＝162/6"},
        dialogue_case{"square_only", "1\n2\n3\n0\n0\n",
                      u8"F=3/3 x^3 + 0/2 x^2 + 0x + C\n∫1-2[3 x^2 + 0 + 0]＝42/6"},
        dialogue_case{"limits_reversed", "2\n0\n1\n2\n3\n",
                      u8"F=1/3 x^3 + 2/2 x^2 + 3x + C\n∫2-0[1 x^2 + 2 + 3]＝-76/6"},
        dialogue_case{"odd_function_over_symmetric_range", "-1\n1\n0\n1\n0\n",
                      u8"F=0/3 x^3 + 1/2 x^2 + 0x + C\n∫-1-1[0 x^2 + 1 + 0]＝0/6"},
        dialogue_case{"widest_exact_cube", "0\n1000\n1\n0\n0\n",
                      u8"F=1/3 x^3 + 0/2 x^2 + 0x + C\n∫0-1000[1 x^2 + 0 + 0]＝2000000000/6"},
        dialogue_case{"wider_range_wraps", "0\n1100\n1\n0\n0\n",
                      u8"F=1/3 x^3 + 0/2 x^2 + 0x + C\n∫0-1100[1 x^2 + 0 + 0]＝-1632967296/6"},
        dialogue_case{"negative_coefficient", "1\n2\n0\n-4\n0\n",
                      u8"F=0/3 x^3 + -4/2 x^2 + 0x + C\n∫1-2[0 x^2 + -4 + 0]＝-36/6"},
        dialogue_case{
            "limits_at_int32_bounds", "-2147483648 2147483647 1 1 1\n",
            u8"F=1/3 x^3 + 1/2 x^2 + 1x + C\n∫-2147483648-2147483647[1 x^2 + 1 + 1]＝-5/6"},
        dialogue_case{"everything_at_int32_bounds",
                      "-2147483648 2147483647 2147483647 -2147483648 2147483647\n",
                      u8"F=2147483647/3 x^3 + -2147483648/2 x^2 + 2147483647x + C\n"
                      u8"∫-2147483648-2147483647[2147483647 x^2 + -2147483648 + 2147483647]"
                      u8"＝-2147483640/6"},
        dialogue_case{
            "width_wraps", "2147483647\n-2147483648\n0\n0\n1\n",
            u8"F=0/3 x^3 + 0/2 x^2 + 1x + C\n∫2147483647--2147483648[0 x^2 + 0 + 1]＝6/6"},
        dialogue_case{"no_input_at_all", "",
                      u8"F=0/3 x^3 + 0/2 x^2 + 0x + C\n∫0-0[0 x^2 + 0 + 0]＝0/6"}),
    case_name());

}  // namespace
}  // namespace calculators
