// GeneratorTest.cpp: problem codes, the generator's fixed output, valid and distinct paths, and the difficulty bands.
#include <atomic>
#include <optional>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "support/PathChecks.h"
#include "support/Paths.h"
#include "files/ProblemFile.h"
#include "solver/Generator.h"

namespace {

Coords CoordsOf(const Problem& p)
{
    Coords c;
    for (int i = 1; i <= p.PointCount; ++i)
        c.emplace_back(p.Points[i].X, p.Points[i].Y);
    return c;
}

// FNV-1a, 64 bits, of the text's bytes.
std::uint64_t Fnv1a(const QByteArray& bytes)
{
    std::uint64_t h = 0xCBF29CE484222325ULL;
    for (const char c : bytes)
        h = (h ^ static_cast<unsigned char>(c)) * 0x100000001B3ULL;
    return h;
}

} // namespace

TEST(Generator, CodesReadBackExactlyAndMalformedOnesAreRejected)
{
    const struct {
        const char* Text;
        std::optional<ProblemCode> Code;
    } cases[] = {
        {"70-1234567-h", ProblemCode{70, 1234567, Difficulty::Hard}},
        {"2-0-e", ProblemCode{2, 0, Difficulty::Easy}},
        {"255-18446744073709551615-n", ProblemCode{255, UINT64_MAX, Difficulty::Normal}},
        {"1-5-n", std::nullopt},
        {"256-5-n", std::nullopt},
        {"70-18446744073709551616-n", std::nullopt},
        {"70-5-x", std::nullopt},
        {"70-5-hh", std::nullopt},
        {"70-5-h ", std::nullopt},
        {"070-5-h", std::nullopt},
        {"70-05-h", std::nullopt},
        {"+70-5-h", std::nullopt},
        {"70-5", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseProblemCode(c.Text), c.Code) << c.Text;
        if (c.Code) {
            EXPECT_EQ(FormatProblemCode(*c.Code), c.Text);
        }
    }
}

TEST(Generator, NewSeedsAreShortSpreadAndDistinct)
{
    std::set<std::uint64_t> seeds;
    for (std::uint64_t entropy = 0; entropy < 10000; ++entropy)  // readings one apart, as of a clock
        seeds.insert(NewProblemSeed(entropy));
    EXPECT_EQ(seeds.size(), 10000u);
    // Uniform below 10^10: of 10,000 draws about a tenth below 10^9.
    EXPECT_NEAR(std::distance(seeds.begin(), seeds.lower_bound(ShortSeedLimit / 10)), 1000, 150);
    EXPECT_LT(*seeds.rbegin(), ShortSeedLimit);
}

TEST(Generator, FixedCodeGivesFixedPath)
{
    // The published first outputs of SplitMix64 from seed 0.
    SplitMix64 random(0);
    EXPECT_EQ(random.Next(), 0xE220A8397B1DCDAFULL);
    EXPECT_EQ(random.Next(), 0x6E789E6AA1B965F4ULL);

    const std::optional<Problem> small = GenerateProblem(*ParseProblemCode("12-7-e"));
    ASSERT_TRUE(small);
    EXPECT_EQ(CoordsOf(*small), (Coords{{0, 0}, {1, 0}, {2, 0}, {2, 1}, {3, 1}, {4, 1}, {4, 0}, {4, -1}, {4, -2},
                                        {4, -3}, {3, -3}, {3, -4}}));
    const std::optional<Problem> hard = GenerateProblem(*ParseProblemCode("70-20261208-h"));
    ASSERT_TRUE(hard);
    const QStringList lines = FormatProblemLines(hard->Points, hard->PointCount);
    EXPECT_EQ(lines.mid(0, 4).join('|'), "  70|   0   0|   0  -1|   0  -2");
    EXPECT_EQ(Fnv1a(lines.join('\n').toUtf8()), 0xACC9'FE53'6642'759DULL);
}

TEST(Generator, ThousandSeedsGiveThousandValidUnsolvedPaths)
{
    std::set<Coords> seen;
    for (std::uint64_t seed = 0; seed < 1000; ++seed) {
        const std::optional<Problem> p = GenerateProblem({70, seed, Difficulty::Normal});
        ASSERT_TRUE(p);
        const Coords path = CoordsOf(*p);
        EXPECT_EQ(path.size(), 70u);
        EXPECT_EQ(PathFault(path), "") << seed;
        EXPECT_NE(path, StraightPath(70, 1, 0)) << seed;
        seen.insert(path);
    }
    EXPECT_EQ(seen.size(), 1000u);
}

TEST(Generator, EveryLevelAtEverySizeGivesAnUnsolvedPath)
{
    for (int points = 2; points <= MaxPoints; ++points)
        for (const Difficulty level : {Difficulty::Easy, Difficulty::Normal, Difficulty::Hard}) {
            const std::optional<Problem> p = GenerateProblem({points, 99, level});
            ASSERT_TRUE(p);
            FoldState path(*p);
            EXPECT_EQ(path.Points(), points);
            EXPECT_GT(path.Bound(), 0) << points;
            // Only N = 2 (no band but Normal) and Hard at N = 3 fall back.
            if (points > 3 || (points == 3 && level != Difficulty::Hard) || level == Difficulty::Normal) {
                EXPECT_EQ(BandOf(MeasureDifficulty(path)), level) << points;
            }
        }
}

TEST(Generator, BandsHoldAndSplitTheWalksPathsIntoThirds)
{
    for (const int points : {30, 150}) {
        int inBand[3] = {};
        for (std::uint64_t seed = 0; seed < 300; ++seed) {
            for (const Difficulty level : {Difficulty::Easy, Difficulty::Hard}) {
                FoldState made(*GenerateProblem({points, seed, level}));
                EXPECT_EQ(BandOf(MeasureDifficulty(made)), level) << points << " " << seed;
            }
            // The walk itself, unfiltered, from a seed of its own.
            SplitMix64 random(seed + 1000);
            FoldState path(points);
            for (int made = 0; made < BurnInMoves(points);)
                made += PivotWalkStep(path, random);
            ++inBand[static_cast<int>(BandOf(MeasureDifficulty(path)))];
        }
        for (const int n : inBand)
            EXPECT_NEAR(n, 100, 30) << points;
    }
}

TEST(Generator, CancelOrPointsOutOfRangeGiveNothing)
{
    const std::atomic<bool> cancel{true};
    EXPECT_FALSE(GenerateProblem({255, 1, Difficulty::Hard}, &cancel));
    EXPECT_FALSE(GenerateProblem({1, 1, Difficulty::Hard}));
    EXPECT_FALSE(GenerateProblem({256, 1, Difficulty::Hard}));
}
