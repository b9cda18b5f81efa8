// CollectionTest.cpp: the graded collection's codes make valid problems of the listed fewest moves, in order.
#include <tuple>

#include <gtest/gtest.h>

#include "support/PathChecks.h"
#include "solver/Collection.h"
#include "solver/Shortest.h"

TEST(Collection, EveryCodeMakesItsProblemInTheListedMovesAndTheOrderHolds)
{
    const std::span<const CollectionEntry> entries = GradedCollection();
    ASSERT_GE(entries.size(), 50u);
    EXPECT_EQ(entries.front().Code.Level, Difficulty::Easy);
    EXPECT_EQ(entries.back().Code, (ProblemCode{255, entries.back().Code.Seed, Difficulty::Hard}));
    const auto rank = [](const CollectionEntry& e) { return std::tuple(e.FewestMoves, e.Code.Points, e.Code.Level); };
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const CollectionEntry& entry = entries[i];
        const std::string code = FormatProblemCode(entry.Code);
        EXPECT_EQ(entry.Number, static_cast<int>(i) + 1) << code;
        EXPECT_LT(entry.Code.Seed, ShortSeedLimit) << code;
        const std::optional<Problem> problem = GenerateProblem(entry.Code);
        ASSERT_TRUE(problem) << code;
        EXPECT_EQ(PathFault(problem->Points, problem->PointCount), "") << code;
        const ShortestSolution solution = SolveShortest(*problem);
        EXPECT_EQ(solution.Proven ? static_cast<int>(solution.Moves.size()) : -1, entry.FewestMoves) << code;
        EXPECT_TRUE(i == 0 || rank(entries[i - 1]) < rank(entry)) << code;
    }
}
