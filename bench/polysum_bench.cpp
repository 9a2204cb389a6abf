// The closed-form sum against adding term by term, over ranges of growing
// width.  The closed form's time does not depend on the width.
#include <benchmark/benchmark.h>

#include <climits>

#include "polysum.hpp"
#include "sum_by_terms.hpp"

namespace calculators {
namespace {

// The range starts at INT_MIN and holds state.range(0) terms.
int32 upper_bound(const benchmark::State& state) {
    return static_cast<int32>(INT_MIN + (state.range(0) - 1));
}

void closed_form(benchmark::State& state) {
    int32 i = INT_MIN;
    int32 n = upper_bound(state);
    int32 a = 3, b = -5, c = 7, d = 11;
    for (auto _ : state) {
        benchmark::DoNotOptimize(i);
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(polynomial_sum(i, n, a, b, c, d));
    }
}

void term_by_term(benchmark::State& state) {
    int32 i = INT_MIN;
    int32 n = upper_bound(state);
    int32 a = 3, b = -5, c = 7, d = 11;
    for (auto _ : state) {
        benchmark::DoNotOptimize(i);
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(sum_by_terms(i, n, a, b, c, d));
    }
}

}  // namespace
}  // namespace calculators

BENCHMARK(calculators::closed_form)->Arg(1)->Arg(1000)->Arg(1000000)->Arg(4294967295);
BENCHMARK(calculators::term_by_term)->Arg(1)->Arg(1000)->Arg(1000000)->Arg(4294967295);
