// ShortestTest.cpp: the shortest-solution search against breadth-first search, replayed through the game's rules.
#include <atomic>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

#include "support/PuzzleRig.h"
#include "support/Paths.h"
#include "files/ProblemFile.h"
#include "solver/Shortest.h"

namespace {

// Empty when `moves` take `path` to straight along +x through ApplyOperation,
// every move applied; otherwise what went wrong.
std::string ReplayFault(const Problem& path, const std::vector<SolverMove>& moves)
{
    auto puzzle = std::make_unique<TPuzzle>();
    puzzle->LoadProblem(path);
    for (std::size_t i = 0; i < moves.size(); ++i)
        if (puzzle->ApplyOperation(moves[i].OpCode, moves[i].Pivot) != MoveOutcome::Applied)
            return "move " + std::to_string(i + 1) + " not applied";
    return puzzle->IsSolved() ? "" : "not solved";
}

Problem Sample()
{
    return std::get<ParsedProblem>(ParseProblemLines(BuiltInSampleLines()));
}

// Fewest moves to every path of `points` points, by breadth-first search
// from the straight path through ApplyOperation: every move can be taken back
// by the reverse move, so the distance from the solved path is the answer.
std::map<Coords, int> DistancesFromSolved(int points)
{
    std::map<Coords, int> distance{{StraightPath(points, 1, 0), 0}};
    std::vector<Coords> layer{StraightPath(points, 1, 0)};
    auto puzzle = std::make_unique<TPuzzle>();
    for (int d = 1; !layer.empty(); ++d) {
        std::vector<Coords> next;
        for (const Coords& from : layer)
            for (int pivot = 1; pivot <= points; ++pivot)
                for (std::uint8_t op = OpR; op <= OpV; ++op) {
                    puzzle->SetPath(ProblemOf(from));
                    puzzle->ResetToProblem();
                    if (puzzle->ApplyOperation(op, static_cast<std::uint8_t>(pivot)) == MoveOutcome::Applied &&
                        distance.emplace(WorkCoords(*puzzle), d).second)
                        next.push_back(WorkCoords(*puzzle));
                }
        layer.swap(next);
    }
    return distance;
}

} // namespace

TEST(Shortest, LengthEqualsBreadthFirstSearchOnEveryPathUpTo9Points)
{
    // The known counts of self-avoiding walks of 1 to 8 steps: the search
    // above reaches every path there is.
    const std::size_t walks[] = {4, 12, 36, 100, 284, 780, 2172, 5916};
    for (int points = 2; points <= 9; ++points) {
        const std::map<Coords, int> distance = DistancesFromSolved(points);
        EXPECT_EQ(distance.size(), walks[points - 2]) << points << " points";
        for (const auto& [path, moves] : distance) {
            const ShortestSolution s = SolveShortest(ProblemOf(path));
            EXPECT_TRUE(s.Proven);
            EXPECT_EQ(static_cast<int>(s.Moves.size()), moves);
            EXPECT_EQ(ReplayFault(ProblemOf(path), s.Moves), "");
        }
    }
}

TEST(Shortest, SolutionsReplayToSolvedAtTheLowerBound)
{
    std::vector<NamedPath> cases = ExtremeShapes();
    std::mt19937_64 rng(0x5017'7e57);
    for (int i = 0; i < 6; ++i)
        cases.push_back({"random path " + std::to_string(i), RandomPath(rng, 2, 255)});
    cases.push_back({"one point", {{0, 0}}});
    cases.push_back({"straight", StraightPath(MaxPoints, 1, 0)});
    for (const NamedPath& c : cases) {
        const Problem problem = ProblemOf(c.Path);
        const ShortestSolution s = SolveShortest(problem);
        EXPECT_TRUE(s.Proven) << c.Name;
        EXPECT_EQ(static_cast<int>(s.Moves.size()), MoveLowerBound(problem)) << c.Name;
        EXPECT_EQ(s.LowerBound, MoveLowerBound(problem)) << c.Name;
        EXPECT_EQ(ReplayFault(problem, s.Moves), "") << c.Name;
    }
    const ShortestSolution sample = SolveShortest(Sample());
    EXPECT_EQ(sample.Moves.size(), 17u);
    EXPECT_EQ(ReplayFault(Sample(), sample.Moves), "");
    EXPECT_EQ(MoveLowerBound(ProblemOf({{0, 0}, {-1, 0}, {-1, 1}})), 2);
}

// A search stopped in its first round still proves the demonstration's
// moves when there are no more of them than the bound.
TEST(Shortest, StoppedSearchProvesADemonstrationAsShortAsTheBound)
{
    const std::atomic<bool> cancel{true};
    const ShortestSolution s = SolveShortest(ProblemOf({{0, 0}, {0, 1}}), {10.0, 0, &cancel});
    EXPECT_EQ(s.Moves, DemonstrationSolution(ProblemOf({{0, 0}, {0, 1}})));
    EXPECT_TRUE(s.Proven);
    EXPECT_EQ(s.LowerBound, 1);
}

TEST(Shortest, SamePathSameMovesInTheDocumentedOrder)
{
    // The corner nearest the end first, the first step last.
    const Problem zigzag = ProblemOf({{0, 0}, {0, 1}, {1, 1}, {1, 2}});
    EXPECT_EQ(SolveShortest(zigzag).Moves, (std::vector<SolverMove>{{OpR, 3}, {OpL, 2}, {OpR, 1}}));
    EXPECT_EQ(SolveShortest(Sample()).Moves, SolveShortest(Sample()).Moves);
}

TEST(Shortest, StoppedSearchGivesTheDemonstrationUnproven)
{
    const std::atomic<bool> cancel{true};
    const struct {
        ShortestBudget Budget;
        bool Cancelled;
    } cases[] = {{{10.0, 0, &cancel}, true}, {{10.0, 1, nullptr}, false}, {{0.0, 0, nullptr}, false}};
    for (const auto& c : cases) {
        const ShortestSolution s = SolveShortest(Sample(), c.Budget);
        EXPECT_FALSE(s.Proven);
        EXPECT_EQ(s.Cancelled, c.Cancelled);
        EXPECT_EQ(s.Moves, DemonstrationSolution(Sample()));
        EXPECT_EQ(s.Moves.size(), 31u);
        EXPECT_EQ(s.LowerBound, 17);
        EXPECT_EQ(ReplayFault(Sample(), s.Moves), "");
    }
}
