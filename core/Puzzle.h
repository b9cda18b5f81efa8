// Puzzle.h: the rules of the puzzle: the four operations, undo and redo, the solved test.
#pragma once

#include <cstdint>
#include <optional>

#include "core/MoveHistory.h"
#include "core/Moves.h"
#include "core/PathStore.h"

// What ApplyOperation made of a request.
enum class MoveOutcome {
    Applied,      // the path moved (or stayed, for a pivot at the last point) and was recorded
    Refused,      // the result would meet the path; nothing changed
    Cancelled,    // OpCode 0: nothing at all
    Ignored,      // pivot outside 1..PointCount, or no such operation: nothing at all
    HistoryFull,  // the play already holds the most moves it can record
};

// A move and what became of it. A refused move keeps the path it would have
// made, for whoever shows the player why it was refused.
struct MoveResult {
    MoveOutcome Outcome = MoveOutcome::Ignored;
    std::uint8_t OpCode = 0;
    std::uint8_t Pivot = 0;
    PathArray Refused{};  // points 1..PointCount as the refused move would have left them
};

// The path, the problem and the moves of one play. Only moves the path: what
// is drawn, shown or asked about a move is the caller's business. The
// derived structure of WorkPath is current after every call.
class TPuzzle : public TPathStore {
public:
    const TMoveHistory& History() const { return history_; }
    std::uint16_t MoveCount() const { return history_.MoveCount(); }

    // Makes `problem` the path in play and the problem. A play of another
    // problem is over: no move of it can be taken back or made again here.
    void LoadProblem(const Problem& problem);

    // Selects the point at (x, y) for the next operation: its index, or 0
    // when no point of the path lies there.
    std::uint8_t SelectPointAt(std::int32_t x, std::int32_t y);

    // The one entry for every change of the path by an operation: the tail
    // after `pivot` turns (R, L) or is mirrored (H, V) about it, unless a
    // point of it would land on a point before the pivot.
    MoveResult ApplyOperation(std::uint8_t op, std::uint8_t pivot);

    // Takes back the latest move (its inverse, which is never refused and not
    // recorded); nothing when there is none.
    std::optional<MoveResult> Undo();
    // Makes the latest move taken back again; nothing when there is none.
    std::optional<MoveResult> Redo();

    // Puts the problem back into WorkPath and empties the history.
    void ResetToProblem();

    // Path entry: the path is cut back to the origin, grows through
    // ExtendAlongAxis, and becomes the problem when the entry ends. The moves
    // of a play cannot be taken back on a path being drawn.
    void BeginEntry();
    AppendResult ExtendEntry(std::int32_t fromX, std::int32_t fromY, std::int32_t& toX, std::int32_t& toY);
    void FinishEntry();

private:
    enum class Recording { NewMove, Undo, Redo };
    MoveResult Operate(std::uint8_t op, std::uint8_t pivot, Recording recording);
    // Turns or mirrors the tail of WorkPath; false when a moved point meets the head.
    bool MoveTail(std::uint8_t pivot, std::uint8_t op);

    TMoveHistory history_;
};
