// Generator.cpp: problem codes, the seeded walk, the difficulty score and its bands, and the search for a path in a band.
#include "solver/Generator.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

#include "core/Moves.h"
#include "solver/Shortest.h"

namespace {

constexpr char LevelLetters[] = {'e', 'n', 'h'};

// Scores are whole numbers over N: a margin far below 1/N keeps a score that
// equals a limit on the same side of it whatever the rounding.
constexpr double ScoreMargin = 1e-9;

// Scored paths tried before the nearest one is taken. A band holds about a
// third of the paths wherever it holds any; at every N from 4 to 255 every
// seed tried found its band (40 per band, and 2,000 at most N up to 20).
constexpr int ScoredPaths = 64;

// The search may make this many moves per point when it confirms the
// fewest moves; it needs one per move on every path tried so far.
constexpr std::uint64_t SearchNodesPerPoint = 8;

// The limits measured at these sizes (bench/difficulty_figures.cpp, 2,000
// seeds each) as whole counts of moves plus refused corners, so that a score
// compares exactly; between two sizes the scores are interpolated linearly.
struct LimitRow {
    int Points;
    int NormalFrom;
    int HardFrom;
    BandLimits Limits() const
    {
        return {static_cast<double>(NormalFrom) / Points, static_cast<double>(HardFrom) / Points};
    }
};
constexpr LimitRow LimitTable[] = {
#include "solver/DifficultyLimits.inc"
};

// How far a score lies outside a band; 0 inside.
double DistanceToBand(double score, Difficulty level, const BandLimits& limits)
{
    const double low = level == Difficulty::Easy ? -1.0 : level == Difficulty::Normal ? limits.NormalFrom
                                                                                        : limits.HardFrom;
    const double high = level == Difficulty::Easy ? limits.NormalFrom : level == Difficulty::Normal ? limits.HardFrom
                                                                                                    : 1e9;
    if (score < low - ScoreMargin)
        return low - score;
    if (score >= high - ScoreMargin)
        return score - high + ScoreMargin;
    return 0;
}

bool Cancelled(const std::atomic<bool>* cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
}

} // namespace

std::string FormatProblemCode(const ProblemCode& code)
{
    return std::to_string(code.Points) + "-" + std::to_string(code.Seed) + "-" +
           LevelLetters[static_cast<int>(code.Level)];
}

std::string ProblemCodeName(const ProblemCode& code)
{
    // "乱数" takes 4 bytes of the name field; a code is all ASCII.
    constexpr std::size_t PrefixBytes = 4, FieldBytes = 20;
    const std::string whole = FormatProblemCode(code);
    if (PrefixBytes + whole.size() <= FieldBytes)
        return "乱数" + whole;
    char digest[16];
    std::snprintf(digest, sizeof digest, "%010llu",
                  static_cast<unsigned long long>(SplitMix64(code.Seed).Next() % ShortSeedLimit));
    return "乱数" + std::to_string(code.Points) + "#" + digest + "-" + whole.back();
}

std::uint64_t NewProblemSeed(std::uint64_t entropy)
{
    constexpr std::uint64_t Whole = UINT64_MAX - UINT64_MAX % ShortSeedLimit;
    SplitMix64 random(entropy);
    std::uint64_t draw = random.Next();
    while (draw >= Whole)
        draw = random.Next();
    return draw % ShortSeedLimit;
}

std::optional<ProblemCode> ParseProblemCode(std::string_view text)
{
    // Decimal digits, no sign, no leading zero unless the number is 0; at most 2^64 - 1.
    auto number = [&text](std::uint64_t& value) {
        std::size_t len = 0;
        while (len < text.size() && text[len] >= '0' && text[len] <= '9')
            ++len;
        if (len == 0 || (len > 1 && text[0] == '0'))
            return false;
        value = 0;
        for (std::size_t i = 0; i < len; ++i) {
            const auto digit = static_cast<std::uint64_t>(text[i] - '0');
            if (value > (UINT64_MAX - digit) / 10)
                return false;
            value = value * 10 + digit;
        }
        text.remove_prefix(len);
        return true;
    };
    auto dash = [&text] {
        if (text.empty() || text[0] != '-')
            return false;
        text.remove_prefix(1);
        return true;
    };

    ProblemCode code;
    std::uint64_t points = 0;
    if (!number(points) || points < 2 || points > MaxPoints || !dash() || !number(code.Seed) || !dash() ||
        text.size() != 1)
        return std::nullopt;
    const char* letter = std::find(std::begin(LevelLetters), std::end(LevelLetters), text[0]);
    if (letter == std::end(LevelLetters))
        return std::nullopt;
    code.Points = static_cast<int>(points);
    code.Level = static_cast<Difficulty>(letter - std::begin(LevelLetters));
    return code;
}

bool PivotWalkStep(FoldState& path, SplitMix64& random)
{
    const int n = path.Points();
    if (n < 2)
        return false;
    // A pivot at the last point moves nothing, so it is never drawn.
    const int pivot = 1 + static_cast<int>(random.Below(static_cast<std::uint32_t>(n - 1)));
    const auto op = static_cast<std::uint8_t>(OpR + random.Below(4));
    return path.TryMove(op, pivot);
}

int BurnInMoves(int points)
{
    return 8 * points;
}

DifficultyMeasure MeasureDifficulty(FoldState& path)
{
    DifficultyMeasure m;
    m.Points = path.Points();
    m.Moves = path.Bound();
    m.Corners = path.Corners();
    for (int pivot = 2; pivot < m.Points; ++pivot)
        if (path.IsCorner(pivot) && !path.Accepts(path.StraighteningOp(pivot), pivot))
            ++m.RefusedCorners;
    return m;
}

BandLimits DifficultyLimits(int points)
{
    const LimitRow* first = std::begin(LimitTable);
    const LimitRow* last = std::end(LimitTable) - 1;
    if (points <= first->Points)
        return first->Limits();
    if (points >= last->Points)
        return last->Limits();
    const LimitRow* above = std::lower_bound(first, last, points,
                                             [](const LimitRow& row, int n) { return row.Points < n; });
    if (above->Points == points)
        return above->Limits();
    const BandLimits low = (above - 1)->Limits(), high = above->Limits();
    const double t = static_cast<double>(points - (above - 1)->Points) / (above->Points - (above - 1)->Points);
    return {low.NormalFrom + t * (high.NormalFrom - low.NormalFrom), low.HardFrom + t * (high.HardFrom - low.HardFrom)};
}

Difficulty BandOf(const DifficultyMeasure& measure)
{
    const BandLimits limits = DifficultyLimits(measure.Points);
    const double score = measure.Score();
    if (score >= limits.HardFrom - ScoreMargin)
        return Difficulty::Hard;
    if (score >= limits.NormalFrom - ScoreMargin)
        return Difficulty::Normal;
    return Difficulty::Easy;
}

std::optional<Problem> GenerateProblem(const ProblemCode& code, const std::atomic<bool>* cancel)
{
    const int n = code.Points;
    if (n < 2 || n > MaxPoints)
        return std::nullopt;
    SplitMix64 random(code.Seed);
    FoldState path(n);
    const BandLimits limits = DifficultyLimits(n);

    auto walk = [&](int accepted) {
        for (int made = 0; made < accepted;) {
            if ((made & 63) == 0 && Cancelled(cancel))
                return false;
            made += PivotWalkStep(path, random);
        }
        return true;
    };

    if (!walk(BurnInMoves(n)))
        return std::nullopt;
    std::optional<Problem> nearest;
    double nearestDistance = 0;
    // The share of corners relaxes over about N accepted moves (the mixing
    // measurement), so paths N/2 apart are scored as fresh chances; on very
    // short paths a few moves more keep them from repeating one shape.
    const int stride = std::max(8, n / 2);
    for (int scored = 0; scored < ScoredPaths; ++scored) {
        if (scored > 0 && !walk(stride))
            return std::nullopt;
        if (path.Bound() == 0)
            continue;  // solved: no problem; the walk leaves it soon
        DifficultyMeasure m = MeasureDifficulty(path);
        if (DistanceToBand(m.Score(), code.Level, limits) == 0) {
            // The bound is the first filter; the search confirms the fewest moves.
            ShortestBudget budget;
            budget.Seconds = 1e9;  // nodes alone limit it, the same on every machine
            budget.Nodes = SearchNodesPerPoint * static_cast<std::uint64_t>(n);
            budget.Cancel = cancel;
            const Problem problem = path.ToProblem();
            const ShortestSolution s = SolveShortest(problem, budget);
            if (s.Cancelled)
                return std::nullopt;
            m.Moves = s.Proven ? static_cast<int>(s.Moves.size()) : s.LowerBound;
            if (DistanceToBand(m.Score(), code.Level, limits) == 0)
                return problem;
        }
        const double distance = DistanceToBand(m.Score(), code.Level, limits);
        if (!nearest || distance < nearestDistance) {
            nearest = path.ToProblem();
            nearestDistance = distance;
        }
    }
    // With every scored path solved (only N = 2 could come close), walk on to the first that is not.
    while (!nearest) {
        if (!walk(1))
            return std::nullopt;
        if (path.Bound() != 0)
            nearest = path.ToProblem();
    }
    return nearest;
}
