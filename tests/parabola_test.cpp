#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cp932.hpp"
#include "dialogue_case.hpp"
#include "memory_console.hpp"
#include "parabola.hpp"

namespace calculators {
namespace {

struct parabola_case {
    const char* name;
    std::string input;
    // The echoed function, as it stands between the empty lines.
    std::u8string function;
    std::u8string result_block;
};

void PrintTo(const parabola_case& row, std::ostream* out) {
    *out << row.name;
}

std::u8string whole_output(const parabola_case& row) {
    return u8"y=ax^2+bx+c\n"
           u8"a >>  b >>  c >>  "
           u8"\n\n" +
           row.function +
           u8"\n\n"
           u8"Now calculating...\n"
           u8"========== RESULT ==========\n" +
           row.result_block;
}

class ParabolaDialogue : public testing::TestWithParam<parabola_case> {};

TEST_P(ParabolaDialogue, WritesTheWholeDialogue) {
    const parabola_case& row = GetParam();
    const dialogue_run run = run_dialogue(parabola, row.input);
    EXPECT_EQ(run.output, cp932(whole_output(row)));
    EXPECT_EQ(pause_lengths(run), (std::vector<int32>{500, 500, 500, 100000}));
    EXPECT_EQ(run.pauses.back().bytes_written_before, run.output.size());
    EXPECT_TRUE(run.finished_cleanly);
}

INSTANTIATE_TEST_SUITE_P(
    Parabola, ParabolaDialogue,
    testing::Values(
        parabola_case{
            "example", "1\n-2\n3\n", u8"y=1x^2+-2x+3",
            u8"Origine:(x,y)=(2/2, 8/4)\n3point : (0,3) (-10,123) (10, 83)\n Y' = 2x + -2"},
        parabola_case{
            "straight_line_has_zero_denominators", "0\n2\n1\n", u8"y=0x^2+2x+1",
            u8"Origine:(x,y)=(-2/0, -4/0)\n3point : (0,1) (-10,-19) (10, 21)\n Y' = 0x + 2"},
        parabola_case{
            "negative_denominators_stay", "-1\n4\n0\n", u8"y=-1x^2+4x+0",
            u8"Origine:(x,y)=(-4/-2, -16/-4)\n3point : (0,0) (-10,-140) (10, -60)\n Y' = -2x + 4"},
        parabola_case{
            "fractions_are_not_reduced", "2\n4\n1\n", u8"y=2x^2+4x+1",
            u8"Origine:(x,y)=(-4/4, -8/8)\n3point : (0,1) (-10,161) (10, 241)\n Y' = 4x + 4"},
        parabola_case{"int32_min_everywhere", "-2147483648 -2147483648 -2147483648\n",
                      u8"y=-2147483648x^2+-2147483648x+-2147483648",
                      u8"Origine:(x,y)=(-2147483648/0, 0/0)\n"
                      u8"3point : (0,-2147483648) (-10,-2147483648) (10, -2147483648)\n"
                      u8" Y' = 0x + -2147483648"},
        parabola_case{"int32_max_everywhere", "2147483647 2147483647 2147483647\n",
                      u8"y=2147483647x^2+2147483647x+2147483647",
                      u8"Origine:(x,y)=(-2147483647/-2, 3/-4)\n"
                      u8"3point : (0,2147483647) (-10,2147483557) (10, 2147483537)\n"
                      u8" Y' = -2x + 2147483647"},
        parabola_case{"negating_int32_min_keeps_it", "1 -2147483648 0\n", u8"y=1x^2+-2147483648x+0",
                      u8"Origine:(x,y)=(-2147483648/2, 0/4)\n3point : (0,0) (-10,100) (10, 100)\n"
                      u8" Y' = 2x + -2147483648"},
        parabola_case{"no_input_at_all", "", u8"y=0x^2+0x+0",
                      u8"Origine:(x,y)=(0/0, 0/0)\n3point : (0,0) (-10,0) (10, 0)\n Y' = 0x + 0"}),
    case_name());

TEST(ParabolaTiming, EachDotShowsBeforeItsPause) {
    const dialogue_run run = run_dialogue(parabola, "1 -2 3\n");
    const std::string output = run.output;
    const std::size_t words_end = output.find("Now calculating") + 15;
    ASSERT_EQ(run.pauses.size(), 4U);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(run.pauses[k].bytes_written_before, words_end + k);
    }
}

}  // namespace
}  // namespace calculators
