// CodesFuzz.cpp: fuzz target: any bytes as a random problem's code; an accepted code gives an unsolved path that folds in the corner bound.
//
// Checks, for every input:
//  - a code is accepted only when it is exactly what FormatProblemCode writes
//    for the code read from it (no sign, no leading zero, no extra text);
//  - every accepted code generates a problem: its points, starting at the
//    origin, unit steps, no point twice, not already straight along +x;
//  - SolveShortest proves a solution of exactly MoveLowerBound moves (the
//    corners, plus one when the first step is not +x), within a node budget
//    that leaves no time limit to decide it;
//  - those moves, replayed through the game's puzzle, are each applied, and
//    the path is solved after the last of them and not before.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "solver/Generator.h"
#include "solver/Shortest.h"

namespace {

// Moves the search may make per point. Generated paths have needed one per
// move of the solution so far; a path that needs more than this is a finding.
constexpr std::uint64_t SearchNodesPerPoint = 64;

// Plays `moves` on `problem` the way the window does; empty when every move is
// applied and the path is solved after the last and not before, otherwise
// what went wrong. The only place here that drives the game's core.
std::string ReplayFault(const Problem& problem, const std::vector<SolverMove>& moves)
{
    FuzzRig& rig = FreshRig(problem);
    for (std::size_t i = 0; i < moves.size(); ++i) {
        if (rig.Puzzle.IsSolved())
            return "solved before move " + std::to_string(i + 1);
        if (rig.Puzzle.ApplyOperation(moves[i].OpCode, moves[i].Pivot).Outcome != MoveOutcome::Applied)
            return "move " + std::to_string(i + 1) + " not applied";
    }
    if (!rig.Puzzle.IsSolved() || !StraightAlongPlusX(rig.Puzzle.WorkPath(), rig.Puzzle.PointCount()))
        return "not solved after the last move";
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<ProblemCode> code = ParseProblemCode(text);
    if (!code)
        return 0;
    const std::string name = FormatProblemCode(*code);
    FUZZ_CHECK(name == text, "accepted code \"" + std::string(text) + "\" is written \"" + name + "\"");

    const std::optional<Problem> problem = GenerateProblem(*code);
    FUZZ_CHECK(problem.has_value(), name + " generates nothing");
    FUZZ_CHECK(problem->PointCount == code->Points, name + " generates " + std::to_string(problem->PointCount) + " points");
    const std::string fault = PathFault(problem->Points, problem->PointCount);
    FUZZ_CHECK(fault.empty(), name + " generates no path: " + fault);
    FUZZ_CHECK(!StraightAlongPlusX(problem->Points, problem->PointCount), name + " generates a solved path");

    const int bound = MoveLowerBound(*problem);
    ShortestBudget budget;
    budget.Seconds = 1e9;
    budget.Nodes = SearchNodesPerPoint * static_cast<std::uint64_t>(code->Points);
    const ShortestSolution solution = SolveShortest(*problem, budget);
    FUZZ_CHECK(solution.Proven && static_cast<int>(solution.Moves.size()) == bound,
               name + ": " + std::to_string(solution.Moves.size()) + " moves" + (solution.Proven ? "" : " (not proven)") +
                   " against the bound " + std::to_string(bound));

    const std::string replay = ReplayFault(*problem, solution.Moves);
    FUZZ_CHECK(replay.empty(), name + ": " + replay);
    return 0;
}
