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

// For ranges too wide to add term by term: the exact power sums in 128 bits,
// as differences of the sums from 0, reduced modulo 2^32 only at the end.
__extension__ using int128 = __int128;

int32 sum_by_exact_power_sums(int32 i, int32 n, int32 a, int32 b, int32 c, int32 d) {
    if (n == INT_MAX || i > n) {
        return 0;
    }
    const auto up_to = [](int128 x, int power) -> int128 {
        switch (power) {
            case 0:
                return x + 1;
            case 1:
                return x * (x + 1) / 2;
            case 2:
                return x * (x + 1) * (2 * x + 1) / 6;
            default:
                return (x * (x + 1) / 2) * (x * (x + 1) / 2);
        }
    };
    const auto power_sum = [&](int power) {
        return static_cast<uint32>(up_to(n, power) - up_to(int128{i} - 1, power));
    };
    const uint32 total =
        static_cast<uint32>(a) * power_sum(3) + static_cast<uint32>(b) * power_sum(2) +
        static_cast<uint32>(c) * power_sum(1) + static_cast<uint32>(d) * power_sum(0);
    return static_cast<int32>(total);
}

TEST(PolynomialSum, MatchesTheExactSumOnWideRanges) {
    const range_case ranges[] = {
        {INT_MIN, INT_MAX - 1},     {INT_MIN, 0},
        {0, INT_MAX - 1},           {-1, INT_MAX - 1},
        {INT_MIN + 1, INT_MAX - 2}, {-123456789, 987654321},
    };
    std::mt19937 random(42);
    std::uniform_int_distribution<int32> any(INT_MIN, INT_MAX);
    for (const range_case& range : ranges) {
        for (int trial = 0; trial < 20; ++trial) {
            const int32 a = any(random), b = any(random), c = any(random), d = any(random);
            EXPECT_EQ(polynomial_sum(range.i, range.n, a, b, c, d),
                      sum_by_exact_power_sums(range.i, range.n, a, b, c, d))
                << "i=" << range.i << " n=" << range.n << " a=" << a << " b=" << b << " c=" << c
                << " d=" << d;
        }
    }
}

TEST(PolynomialSum, ExactSumAgreesWithTheTermByTermSum) {
    // The wide-range reference is itself checked against the definition.
    std::mt19937 random(7);
    std::uniform_int_distribution<int32> any(INT_MIN, INT_MAX);
    for (int trial = 0; trial < 200; ++trial) {
        const int32 i = any(random) / 2;
        const int32 n = i + trial * 10;
        const int32 a = any(random), b = any(random), c = any(random), d = any(random);
        ASSERT_EQ(sum_by_exact_power_sums(i, n, a, b, c, d), sum_by_terms(i, n, a, b, c, d));
    }
}

}  // namespace
