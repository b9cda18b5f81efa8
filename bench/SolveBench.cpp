// SolveBench.cpp: how long the shortest-solution search takes on the sample, the extreme shapes and random paths.
#include <algorithm>
#include <ctime>
#include <cstdint>
#include <random>
#include <variant>
#include <vector>

#include <benchmark/benchmark.h>

#include "support/Paths.h"
#include "files/ProblemFile.h"
#include "solver/Shortest.h"

namespace {

// CPU time of this thread in milliseconds: on a shared machine a path's
// figure is what it cost, not how long others held the processor.
double ThreadMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

Problem SampleProblem()
{
    const ProblemParse parsed = ParseProblemLines(BuiltInSampleLines());
    return std::get<ParsedProblem>(parsed);
}

void Report(benchmark::State& state, const ShortestSolution& s)
{
    state.counters["moves"] = static_cast<double>(s.Moves.size());
    state.counters["nodes"] = static_cast<double>(s.Nodes);
    state.counters["proven"] = s.Proven ? 1 : 0;
}

void BM_SolveSample(benchmark::State& state)
{
    const Problem sample = SampleProblem();
    ShortestSolution s;
    for (auto _ : state) {
        s = SolveShortest(sample);
        benchmark::DoNotOptimize(s.Moves.data());
    }
    Report(state, s);
}
BENCHMARK(BM_SolveSample)->Unit(benchmark::kMicrosecond);

void BM_SolveExtremeShape(benchmark::State& state)
{
    const NamedPath shape = ExtremeShapes().at(static_cast<std::size_t>(state.range(0)));
    const Problem problem = ProblemOf(shape.Path);
    ShortestSolution s;
    for (auto _ : state) {
        s = SolveShortest(problem);
        benchmark::DoNotOptimize(s.Moves.data());
    }
    state.SetLabel(shape.Name);
    Report(state, s);
}
BENCHMARK(BM_SolveExtremeShape)->DenseRange(0, 17)->Unit(benchmark::kMillisecond);

// 1,000 random paths of 2 to 255 points (the property tests' kinds, a fixed
// seed), each solved once per iteration and timed on its own.
void BM_SolveRandomPaths(benchmark::State& state)
{
    constexpr int Paths = 1000;
    std::mt19937_64 rng(0x5017'2025'0001ULL);
    std::vector<Problem> problems;
    for (int i = 0; i < Paths; ++i)
        problems.push_back(ProblemOf(RandomPath(rng, 2, 255)));

    std::vector<double> ms(Paths);
    std::uint64_t nodes = 0, mostNodes = 0;
    int proven = 0, worstPoints = 0, worstMoves = 0;
    for (auto _ : state) {
        nodes = mostNodes = 0;
        proven = 0;
        for (int i = 0; i < Paths; ++i) {
            const double t0 = ThreadMs();
            const ShortestSolution s = SolveShortest(problems[static_cast<std::size_t>(i)]);
            const double took = ThreadMs() - t0;
            ms[static_cast<std::size_t>(i)] = took;
            nodes += s.Nodes;
            mostNodes = std::max(mostNodes, s.Nodes);
            proven += s.Proven;
            if (took >= *std::max_element(ms.begin(), ms.begin() + i + 1)) {
                worstPoints = problems[static_cast<std::size_t>(i)].PointCount;
                worstMoves = static_cast<int>(s.Moves.size());
            }
        }
    }
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    state.counters["median_ms"] = sorted[Paths / 2];
    state.counters["p99_ms"] = sorted[Paths * 99 / 100];
    state.counters["worst_ms"] = sorted.back();
    state.counters["worst_points"] = worstPoints;
    state.counters["worst_moves"] = worstMoves;
    state.counters["proven"] = proven;
    state.counters["nodes"] = static_cast<double>(nodes);
    state.counters["most_nodes"] = static_cast<double>(mostNodes);
}
BENCHMARK(BM_SolveRandomPaths)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
