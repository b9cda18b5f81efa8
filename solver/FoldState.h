// FoldState.h: a path held compactly for searching and random walks: steps, points and an occupancy grid.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/PathPoint.h"
#include "solver/Demonstration.h"

// The path as its step directions (what the solved test and the moves work
// on), its points relative to point 1, and a grid that tells which point lies
// on a lattice point, so that a move's refusal costs one look per tail point.
// Moves follow the game's rule exactly: a move is refused when a point of the
// tail would land on a point with an index below the pivot.
class FoldState {
public:
    // The straight path of `points` points along +x.
    explicit FoldState(int points);
    // The problem's path; its steps must be unit steps and its points distinct.
    explicit FoldState(const Problem& path);

    int Points() const { return n_; }
    // Direction of the step from point i to point i + 1, i in 1..Points() - 1.
    std::uint8_t Dir(int i) const { return dir_[static_cast<std::size_t>(i)]; }
    bool IsCorner(int i) const { return i >= 2 && i < n_ && Dir(i) != Dir(i - 1); }
    int Corners() const { return corners_; }
    // Corners, plus one when the first step is not +x: no solution is shorter.
    int Bound() const { return corners_ + (n_ >= 2 && Dir(1) != DirPlusX ? 1 : 0); }

    // The direction sequence packed two bits a step; equal keys, equal paths.
    const std::uint64_t* Key() const { return key_.data(); }
    int KeyWords() const { return words_; }

    // The one move that makes the path go straight on at `pivot`: for a
    // corner the quarter turn that continues the incoming step, for point 1
    // the operation that turns the first step onto +x. OpCancel when there is
    // nothing to straighten there.
    std::uint8_t StraighteningOp(int pivot) const;

    // Whether the game would accept `op` at `pivot` (1..Points()); the path stays.
    bool Accepts(std::uint8_t op, int pivot);
    // Makes the move when the game would accept it; false, and nothing changed, otherwise.
    bool TryMove(std::uint8_t op, int pivot);
    // Takes back an accepted move.
    void Undo(std::uint8_t op, int pivot);

    // The moves worth trying from here when at most `spare` moves beyond the
    // bound may be made, in the search's order (see Shortest.h). `last` is the
    // move that led here; its reverse is left out.
    void ListMoves(std::vector<SolverMove>& moves, int spare, SolverMove last) const;

    // The path as a problem, point 1 at the origin.
    Problem ToProblem() const;

private:
    // Every point lies within Points() - 1 steps of point 1, whatever the moves.
    std::size_t Cell(std::int32_t x, std::int32_t y) const
    {
        return static_cast<std::size_t>(x + n_) * static_cast<std::size_t>(2 * n_ + 1) +
               static_cast<std::size_t>(y + n_);
    }

    void SetDir(int i, std::uint8_t d);
    bool Move(std::uint8_t op, int pivot, bool commit);
    void Place();  // points and grid from the steps, key and corners too

    int n_ = 0;
    int words_ = 1;
    int corners_ = 0;
    std::array<std::uint8_t, PathSlots> dir_{};
    std::array<std::int32_t, PathSlots> x_{};
    std::array<std::int32_t, PathSlots> y_{};
    std::array<std::int32_t, PathSlots> newX_{};
    std::array<std::int32_t, PathSlots> newY_{};
    std::array<std::uint64_t, 8> key_{};
    std::vector<std::uint8_t> grid_;  // point index on each lattice point, 0 for none
};

// A hash of a packed direction sequence, the same on every machine.
std::uint64_t HashKey(const std::uint64_t* key, int words);
