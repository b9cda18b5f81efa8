// Shortest.h: the fewest moves that fold a path straight along +x, found and proven by iterative deepening.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "core/PathPoint.h"
#include "solver/Demonstration.h"

struct ShortestBudget {
    double Seconds = 10.0;                     // wall-clock limit
    std::uint64_t Nodes = 0;                   // moves the search may make; 0: no limit
    const std::atomic<bool>* Cancel = nullptr; // set from another thread to stop soon (checked at every node)
};

struct ShortestSolution {
    std::vector<SolverMove> Moves;  // replays to solved through TPuzzle::ApplyOperation, every move accepted
    bool Proven = false;            // no shorter solution exists
    bool Cancelled = false;         // Cancel was seen set
    std::uint64_t Nodes = 0;        // moves the search made (and took back)
    int LowerBound = 0;             // no solution has fewer moves; Moves.size() when proven
};

// The fewest moves from `path` to straight along +x, within the budget.
//
// The search deepens from MoveLowerBound one move at a time. At each node it
// tries moves in a fixed order, so a path always gets the same moves:
//  - first the moves that straighten a corner, the corner nearest the end of
//    the path first (a refused one is passed over until a later node);
//  - then the move that turns the first step onto +x. When the depth leaves
//    no move to spare it comes only once no corner is left: it is never
//    refused and commutes with straightening, so it can always be made last;
//  - then, where the depth leaves room, every other move: those that keep the
//    count of corners before those that add one, each group by pivot from the
//    end of the path back to 1 and by operation R, L, H, V; a mirror that
//    leaves the tail as it is, and the reverse of the move just made, are
//    never tried.
// The time budget only decides whether the search finishes: a search that
// finishes within it gives the same moves on a fast or a slow machine.
// When the budget runs out or Cancel is set, the result is the shortest
// solution known, at worst the demonstration's, not proven.
// The path must step one unit at a time and never repeat a point; a path
// that does not raises ERangeError.
ShortestSolution SolveShortest(const Problem& path, const ShortestBudget& budget = {});

// corners + (first step is not +x ? 1 : 0): no solution is shorter. A move
// turns or mirrors the tail rigidly, so it changes the turn at its pivot and
// no other, and only a move at point 1 sets the first step.
int MoveLowerBound(const Problem& path);

// The demonstration's moves from `path` until it lies straight along +x
// (none for a path that already does).
std::vector<SolverMove> DemonstrationSolution(const Problem& path);
