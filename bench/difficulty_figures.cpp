// difficulty_figures.cpp: the generator's measurements: how fast its walk forgets the start, where the bands lie, what each band holds.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "solver/Generator.h"
#include "solver/Shortest.h"

namespace {

// The fraction of values of `sorted` below `v`.
double ShareBelow(const std::vector<int>& sorted, int v)
{
    return static_cast<double>(std::lower_bound(sorted.begin(), sorted.end(), v) - sorted.begin()) /
           static_cast<double>(sorted.size());
}

double Quantile(std::vector<double> v, double q)
{
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(q * static_cast<double>(v.size() - 1) + 0.5)];
}

// Walk number `w` of `n` points from the straight path, through its burn-in;
// `series` keeps the walks of one measurement apart from another's.
FoldState WalkedPath(int n, std::uint64_t series, int w)
{
    SplitMix64 random(series + static_cast<std::uint64_t>(n) * 100000 + static_cast<std::uint64_t>(w));
    FoldState path(n);
    for (int made = 0; made < BurnInMoves(n);)
        made += PivotWalkStep(path, random);
    return path;
}

// From the straight path: the mean share of inner points that are corners
// and the mean squared end-to-end distance after t accepted moves, over many
// walks, against the values long after.
void Mixing(int walks)
{
    const double times[] = {0, 0.25, 0.5, 1, 2, 3, 4, 5, 6, 8, 12, 16, 32};
    std::printf("accepted moves / N | corner share and mean squared end-to-end distance, N = 10, 30, 70, 150, 255\n");
    std::vector<std::vector<double>> corners(std::size(times)), distance(std::size(times));
    std::vector<double> acceptance;
    for (const int n : {10, 30, 70, 150, 255}) {
        std::vector<double> c(std::size(times)), r(std::size(times));
        long tries = 0, made = 0;
        for (int w = 0; w < walks; ++w) {
            SplitMix64 random(0x313A'0000'0000ULL + static_cast<std::uint64_t>(n) * 100000 + static_cast<std::uint64_t>(w));
            FoldState path(n);
            long accepted = 0;
            for (std::size_t k = 0; k < std::size(times); ++k) {
                const long target = std::lround(times[k] * n);
                while (accepted < target) {
                    ++tries;
                    accepted += PivotWalkStep(path, random);
                }
                const Problem p = path.ToProblem();
                const double dx = p.Points[n].X, dy = p.Points[n].Y;
                c[k] += static_cast<double>(path.Corners()) / (n - 2);
                r[k] += dx * dx + dy * dy;
            }
            made += accepted;
        }
        acceptance.push_back(static_cast<double>(made) / static_cast<double>(tries));
        for (std::size_t k = 0; k < std::size(times); ++k) {
            corners[k].push_back(c[k] / walks);
            distance[k].push_back(r[k] / walks);
        }
    }
    for (std::size_t k = 0; k < std::size(times); ++k) {
        std::printf("| %5.2f |", times[k]);
        for (std::size_t i = 0; i < corners[k].size(); ++i)
            std::printf(" %.3f / %.0f |", corners[k][i], distance[k][i]);
        std::printf("\n");
    }
    std::printf("| accepted share of attempts |");
    for (const double a : acceptance)
        std::printf(" %.3f |", a);
    std::printf("\n");
}

// Scores (moves + refused corners, over N) of the walk's paths after the
// burn-in, and the limits that cut them into thirds, as table rows.
void Limits(int walks)
{
    std::vector<int> sizes;
    for (int n = 2; n <= 32; ++n)
        sizes.push_back(n);
    for (const int n : {40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 255})
        sizes.push_back(n);
    for (const int n : sizes) {
        std::vector<int> k;
        for (int w = 0; w < walks; ++w) {
            FoldState path = WalkedPath(n, 0x11A1'0000'0000ULL, w);
            const DifficultyMeasure m = MeasureDifficulty(path);
            if (m.Moves > 0)
                k.push_back(m.Moves + m.RefusedCorners);
        }
        std::sort(k.begin(), k.end());
        int normal = k.front(), hard = k.back() + 1;
        for (int c = k.front(); c <= k.back() + 1; ++c) {
            if (std::abs(ShareBelow(k, c) - 1.0 / 3) < std::abs(ShareBelow(k, normal) - 1.0 / 3))
                normal = c;
        }
        for (int c = k.back() + 1; c > normal; --c) {
            if (std::abs(1 - ShareBelow(k, c) - 1.0 / 3) < std::abs(1 - ShareBelow(k, hard) - 1.0 / 3))
                hard = c;
        }
        std::printf("{%d, %d, %d},  // %.3f / %.3f / %.3f\n", n, normal, hard, ShareBelow(k, normal), ShareBelow(k, hard) - ShareBelow(k, normal),
                    1 - ShareBelow(k, hard));
    }
}

void PrintRow(int n, const char* what, std::vector<double> moves, std::vector<double> refused, const std::string& last)
{
    std::printf("| %d | %s | %.3f, %.3f, %.3f | %.3f, %.3f, %.3f | %s |\n", n, what, Quantile(moves, 0.25),
                Quantile(moves, 0.5), Quantile(moves, 0.75), Quantile(refused, 0.25), Quantile(refused, 0.5),
                Quantile(refused, 0.75), last.c_str());
}

// The walk's own paths after the burn-in and what GenerateProblem gives in
// each band: fewest moves per point and the refused share (quartiles), the
// walk's shares of the bands, and how many generated paths lie outside theirs.
void Bands(int seeds)
{
    std::printf("| N | paths | fewest moves / N (q25, median, q75) | refused share (q25, median, q75) | easy / normal / hard, or outside the band |\n");
    std::printf("|---|---|---|---|---|\n");
    for (const int n : {10, 30, 70, 150, 255}) {
        std::vector<double> moves, refused;
        int share[3] = {};
        for (int w = 0; w < seeds; ++w) {
            FoldState path = WalkedPath(n, 0xB00D'0000'0000ULL, w);
            const DifficultyMeasure m = MeasureDifficulty(path);
            moves.push_back(m.MovesPerPoint());
            refused.push_back(m.RefusedShare());
            ++share[static_cast<int>(BandOf(m))];
        }
        PrintRow(n, "the walk's", moves, refused,
                 std::to_string(share[0]) + " / " + std::to_string(share[1]) + " / " + std::to_string(share[2]));
        for (const Difficulty level : {Difficulty::Easy, Difficulty::Normal, Difficulty::Hard}) {
            moves.clear();
            refused.clear();
            int outside = 0;
            for (int s = 0; s < seeds; ++s) {
                const std::optional<Problem> p = GenerateProblem({n, static_cast<std::uint64_t>(s), level});
                FoldState path(*p);
                DifficultyMeasure m = MeasureDifficulty(path);
                m.Moves = static_cast<int>(SolveShortest(*p).Moves.size());
                moves.push_back(m.MovesPerPoint());
                refused.push_back(m.RefusedShare());
                outside += BandOf(m) != level;
            }
            PrintRow(n, level == Difficulty::Easy ? "easy" : level == Difficulty::Normal ? "normal" : "hard", moves,
                     refused, std::to_string(outside) + " outside");
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    const std::string what = argc > 1 ? argv[1] : "";
    const int count = argc > 2 ? std::atoi(argv[2]) : 1000;
    if (what == "mixing")
        Mixing(count);
    else if (what == "limits")
        Limits(count);
    else if (what == "bands")
        Bands(count);
    else {
        std::fprintf(stderr, "usage: %s mixing|limits|bands [count]\n", argv[0]);
        return 2;
    }
    return 0;
}
