// PuzzleRig.h: a puzzle for tests, loaded as the game loads a problem, and moves' results compared by their outcome.
#pragma once

#include <ostream>

#include "core/Puzzle.h"
#include "support/Paths.h"

// A move's result equals the outcome it had.
inline bool operator==(const MoveResult& result, MoveOutcome outcome)
{
    return result.Outcome == outcome;
}

inline std::ostream& operator<<(std::ostream& out, MoveOutcome outcome)
{
    const char* names[] = {"Applied", "Refused", "Cancelled", "Ignored", "HistoryFull"};
    return out << names[static_cast<int>(outcome)];
}

inline std::ostream& operator<<(std::ostream& out, const MoveResult& result)
{
    return out << result.Outcome;
}

// A puzzle holding a play of a path. Large (the history holds 65535 moves),
// so tests keep it on the heap.
struct PuzzleRig {
    TPuzzle Puzzle;

    // Starts a play of `points` as the game starts one: the problem loaded,
    // its structure derived, the history empty.
    void Load(const Coords& points) { Puzzle.LoadProblem(ProblemOf(points)); }

    Coords Path() const { return WorkCoords(Puzzle); }
};
