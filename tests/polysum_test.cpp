#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "cp932.hpp"
#include "dialogue_case.hpp"
#include "memory_console.hpp"
#include "polysum.hpp"
#include "sum_by_terms.hpp"

namespace calculators {
namespace {

// Everything polysum writes before its result line, whatever the input:
// prompts are passed through even when a read fails.
const std::u8string head =
    u8"S = Σ[k=i,n] f(k)の計算\n"
    u8"但し、f(k)  =  a k^3  +  b k^2 +  c k +dとする\n"
    u8"i >>  n >>  a >>  b >>  c >>  d >>  "
    u8"Now Calculating.......\n"
    u8"================RESULT================\n";

const std::vector<int32> pauses = {150, 150, 150, 150, 150, 150, 150, 1000000000};

class PolysumDialogue : public testing::TestWithParam<dialogue_case> {};

TEST_P(PolysumDialogue, WritesTheWholeDialogue) {
    const dialogue_case& row = GetParam();
    const dialogue_run run = run_dialogue(polysum, row.input);
    EXPECT_EQ(run.output, cp932(head + row.ending));
    EXPECT_EQ(pause_lengths(run), pauses);
    EXPECT_TRUE(run.finished_cleanly);
}

INSTANTIATE_TEST_SUITE_P(
    Polysum, PolysumDialogue,
    testing::Values(
        dialogue_case{"sum_of_k", "1\n10\n0\n0\n1\n0\n", u8"Σ[k=1,10] 0 k^3 + 0 k^2 + 1 k + 0＝55"},
        dialogue_case{"all_ones", "1\n3\n1\n1\n1\n1\n", u8"Σ[k=1,3] 1 k^3 + 1 k^2 + 1 k + 1＝59"},
        dialogue_case{"negative_range", "-2\n2\n0\n1\n0\n5\n",
                      u8"Σ[k=-2,2] 0 k^3 + 1 k^2 + 0 k + 5＝35"},
        dialogue_case{"i_above_n_has_no_terms", "5\n4\n1\n2\n3\n4\n",
                      u8"Σ[k=5,4] 1 k^3 + 2 k^2 + 3 k + 4＝0"},
        dialogue_case{"n_at_int32_max_has_no_terms", "-9\n2147483647\n1\n1\n1\n1\n",
                      u8"Σ[k=-9,2147483647] 1 k^3 + 1 k^2 + 1 k + 1＝0"},
        dialogue_case{"cubes_wrap", "1\n2000\n1\n0\n0\n0\n",
                      u8"Σ[k=1,2000] 1 k^3 + 0 k^2 + 0 k + 0＝1091480128"},
        dialogue_case{"negative_coefficients_follow_a_plus", "0\n1\n-1\n-2\n-3\n-4\n",
                      u8"Σ[k=0,1] -1 k^3 + -2 k^2 + -3 k + -4＝-14"},
        dialogue_case{"widest_range", "-2147483648\n2147483646\n0\n0\n0\n1\n",
                      u8"Σ[k=-2147483648,2147483646] 0 k^3 + 0 k^2 + 0 k + 1＝-1"},
        dialogue_case{"all_six_on_one_line", "1 10 0 0 1 0\n",
                      u8"Σ[k=1,10] 0 k^3 + 0 k^2 + 1 k + 0＝55"},
        dialogue_case{"wrapped_input", "4294967297\n2147483648\n0\n0\n0\n1\n",
                      u8"Σ[k=1,-2147483648] 0 k^3 + 0 k^2 + 0 k + 1＝0"},
        dialogue_case{"letters_after_the_first_number", "12abc\n",
                      u8"Σ[k=12,0] 0 k^3 + 0 k^2 + 0 k + 0＝0"},
        dialogue_case{"sign_then_space", "- 5\n0\n0\n0\n1\n",
                      u8"Σ[k=0,5] 0 k^3 + 0 k^2 + 0 k + 1＝6"},
        dialogue_case{"no_input_at_all", "", u8"Σ[k=0,0] 0 k^3 + 0 k^2 + 0 k + 0＝0"}),
    case_name());

TEST(PolysumTiming, ConsoleSeesEachDotBeforeItsPauseAndTheResultDuringTheLast) {
    const dialogue_run run = run_dialogue(polysum, "1\n10\n0\n0\n1\n0\n", true);
    const std::size_t before_dots = cp932(head).find("Now Calculating") + 15;
    ASSERT_EQ(run.pauses.size(), 8U);
    for (std::size_t dot = 0; dot < 7; ++dot) {
        EXPECT_EQ(run.pauses[dot].bytes_written_before, before_dots + dot + 1);
    }
    EXPECT_EQ(run.pauses.back().bytes_written_before, run.output.size());
}

TEST(PolysumTiming, RedirectedOutputArrivesOnlyAfterTheFinalPause) {
    const dialogue_run run = run_dialogue(polysum, "1\n10\n0\n0\n1\n0\n", false);
    for (const recorded_pause& pause : run.pauses) {
        EXPECT_EQ(pause.bytes_written_before, 0U);
    }
    EXPECT_EQ(run.output, cp932(head + u8"Σ[k=1,10] 0 k^3 + 0 k^2 + 1 k + 0＝55"));
}

struct range_case {
    int32 i;
    int32 n;
};

TEST(PolynomialSum, MatchesTheTermByTermSumAtTheBoundaries) {
    const range_case ranges[] = {
        {INT_MIN, INT_MIN},
        {INT_MIN, INT_MIN + 3000},
        {INT_MAX - 3000, INT_MAX - 1},
        {INT_MAX - 1, INT_MAX - 1},
        {INT_MAX - 50, INT_MAX},
        {INT_MIN, INT_MAX},
        {INT_MAX, INT_MAX},
        {5, 4},
        {INT_MAX - 1, INT_MIN},
        {-1500, 1500},
        {0, 0},
        {-1, -1},
    };
    const int32 coefficients[][4] = {
        {1, 1, 1, 1},         {INT_MAX, INT_MIN, -1, 3}, {INT_MIN, INT_MIN, INT_MIN, INT_MIN},
        {-7, 12345, -678, 9}, {0, 0, 0, INT_MAX},
    };
    for (const range_case& range : ranges) {
        for (const auto& k : coefficients) {
            EXPECT_EQ(polynomial_sum(range.i, range.n, k[0], k[1], k[2], k[3]),
                      sum_by_terms(range.i, range.n, k[0], k[1], k[2], k[3]))
                << "i=" << range.i << " n=" << range.n << " a=" << k[0] << " b=" << k[1]
                << " c=" << k[2] << " d=" << k[3];
        }
    }
}

TEST(PolynomialSum, MatchesTheTermByTermSumOnRandomRanges) {
    std::mt19937 random(20261211);
    std::uniform_int_distribution<int32> any(INT_MIN, INT_MAX);
    std::uniform_int_distribution<int32> width(0, 2000);
    for (int trial = 0; trial < 2000; ++trial) {
        const int32 i = trial % 3 == 0 ? wrapping_sub(INT_MAX, width(random)) : any(random);
        const int32 n = wrapping_add(i, width(random));
        const int32 a = any(random), b = any(random), c = any(random), d = any(random);
        ASSERT_EQ(polynomial_sum(i, n, a, b, c, d), sum_by_terms(i, n, a, b, c, d))
            << "i=" << i << " n=" << n << " a=" << a << " b=" << b << " c=" << c << " d=" << d;
    }
}

// Ranges too wide to add term by term, with sums computed outside this code:
// the exact power sums in arbitrary precision (Python's integers), as
// differences of the sums from 0, reduced modulo 2^32 only at the end.
struct exact_sum {
    int32 i, n, a, b, c, d;
    int32 sum;
};

const exact_sum exact_sums[] = {
    {INT_MIN, INT_MAX - 1, 1, 1, 1, 1, 0},
    {INT_MIN, INT_MAX - 1, -1262829320, 1889767962, -23450587, -1824495864, -1351552005},
    {INT_MIN, INT_MAX - 1, 1233887730, 1325957268, -1943869657, 1337329243, 921698858},
    {INT_MIN, 0, 1, 1, 1, 1, 1},
    {INT_MIN, 0, -271256207, 1764345889, -1244473678, 564814724, 1638556548},
    {INT_MIN, 0, 128885621, 1203359696, 1296682132, -78701873, 2068781775},
    {0, INT_MAX - 1, 1, 1, 1, 1, 0},
    {0, INT_MAX - 1, 506514914, 1252814263, 700651587, 1117784856, -1163432618},
    {0, INT_MAX - 1, 2116382365, 504173379, -1764337254, -864288853, -361581239},
    {-1, INT_MAX - 1, 1, 1, 1, 1, 0},
    {-1, INT_MAX - 1, -746897569, 110297822, 1693917145, -1873712392, 1073741824},
    {-1, INT_MAX - 1, -267279668, -614598548, 865484768, 832123706, 0},
    {INT_MIN + 1, INT_MAX - 2, 1, 1, 1, 1, 4},
    {INT_MIN + 1, INT_MAX - 2, 196474839, -51413070, 1691651223, 1378454572, 817445206},
    {INT_MIN + 1, INT_MAX - 2, -1900246659, -744364702, -1928396617, 516631424, -1388127712},
    {-123456789, 987654321, 1, 1, 1, 1, 584425697},
    {-123456789, 987654321, 1354586745, 1064513984, -1707571997, 826537284, 595444194},
    {-123456789, 987654321, -932860333, -2032935302, 314953524, -29583052, -299570332},
    // Narrow enough to add term by term, which checks the table's source.
    {-3000, 2999, 1, 1, 1, 1, -410061408},
    {-3000, 2999, 40969554, 1595559031, 874867381, 1750115826, 2115157920},
    {-3000, 2999, -1550299913, 546685063, 321335388, 1574756576, -1504639688},
    {INT_MAX - 3000, INT_MAX - 1, 1, 1, 1, 1, -684682288},
    {INT_MAX - 3000, INT_MAX - 1, -1806139672, 1541273560, 1795155363, 1659574541, -1002411684},
    {INT_MAX - 3000, INT_MAX - 1, -536515707, 2023496236, -579179867, 1246408258, -595607996},
};

TEST(PolynomialSum, MatchesExactSumsOnWideRanges) {
    for (const exact_sum& row : exact_sums) {
        EXPECT_EQ(polynomial_sum(row.i, row.n, row.a, row.b, row.c, row.d), row.sum)
            << "i=" << row.i << " n=" << row.n << " a=" << row.a << " b=" << row.b << " c=" << row.c
            << " d=" << row.d;
        if (static_cast<uint32>(row.n) - static_cast<uint32>(row.i) <= 6000) {
            EXPECT_EQ(sum_by_terms(row.i, row.n, row.a, row.b, row.c, row.d), row.sum)
                << "i=" << row.i << " n=" << row.n;
        }
    }
}

}  // namespace
}  // namespace calculators
