// GenerateBench.cpp: how long generating a 255-point problem takes at each difficulty.
#include <algorithm>
#include <ctime>
#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

#include "solver/Generator.h"

namespace {

// CPU time of this thread in milliseconds: on a shared machine a path's
// figure is what it cost, not how long others held the processor.
double ThreadMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// 1,000 seeds, each generated once per iteration and timed on its own.
void BM_Generate255(benchmark::State& state)
{
    constexpr int Seeds = 1000;
    const auto level = static_cast<Difficulty>(state.range(0));
    std::vector<double> ms(Seeds);
    for (auto _ : state) {
        for (int s = 0; s < Seeds; ++s) {
            const double t0 = ThreadMs();
            const std::optional<Problem> p = GenerateProblem({MaxPoints, static_cast<std::uint64_t>(s), level});
            benchmark::DoNotOptimize(p);
            ms[static_cast<std::size_t>(s)] = ThreadMs() - t0;
        }
    }
    std::sort(ms.begin(), ms.end());
    state.SetLabel(level == Difficulty::Easy ? "easy" : level == Difficulty::Normal ? "normal" : "hard");
    state.counters["median_ms"] = ms[Seeds / 2];
    state.counters["p99_ms"] = ms[Seeds * 99 / 100];
    state.counters["worst_ms"] = ms.back();
}
BENCHMARK(BM_Generate255)->DenseRange(0, 2)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
