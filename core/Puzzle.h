// Puzzle.h: the rules of the puzzle: the four operations, undo and redo, the solved test.
#pragma once

#include <cstdint>

#include "core/MoveHistory.h"
#include "core/Moves.h"
#include "core/PathStore.h"
#include "core/PuzzleHost.h"

// What ApplyOperation made of a request.
enum class MoveOutcome {
    Applied,      // the path moved (or stayed, for a pivot at the last point) and was recorded
    Refused,      // the result met the path; restored after the failure message
    Cancelled,    // OpCode 0: nothing at all
    Ignored,      // pivot outside 1..PointCount: nothing moved, nothing recorded
    HistoryFull,  // the play already holds the most moves it can record
};

class TPuzzle : public TPathStore {
public:
    static constexpr const char* FailureMessage = "　　失　　敗　　";
    static constexpr const char* HistoryFullMessage =
        "これ以上の手は記録できません（一回のプレイは 65535 手までです）";

    explicit TPuzzle(PuzzleHost& host) : host_(host) {}

    const TMoveHistory& History() const { return history_; }
    std::uint16_t MoveCount() const { return history_.MoveCount(); }

    // Makes `problem` the path in play and the problem, and draws it. The
    // moves of the history stay (undo works on), but none can be redone.
    void LoadProblem(const Problem& problem);

    // Derives the path's structure and asks the host to draw it.
    void Redraw();

    // Asks the host to show the tail from point `from` in a highlight colour.
    void ShowTail(std::uint8_t from, std::uint8_t colour);

    // Selects the point at (x, y) for the next operation and highlights its tail.
    void SelectPointAt(std::int32_t x, std::int32_t y);

    // The one entry for every change of the path by an operation.
    MoveOutcome ApplyOperation(std::uint8_t op, std::uint8_t pivot);

    bool RotateTail(std::uint8_t pivot, QuarterTurns turns);
    bool ReflectTail(std::uint8_t pivot, MirrorAxis axis);

    // Takes back the latest move; false when there was none.
    bool Undo();

    // Makes the latest move taken back again; false when there is none.
    bool Redo();

    // Ends the play through the host when the path is solved; true when it did.
    bool CheckSolved();

    // Puts the problem back into WorkPath and empties the history.
    void ResetToProblem();

    // Path entry: the path is cut back to the origin, grows through
    // ExtendAlongAxis, and becomes the problem when the entry ends.
    void BeginEntry();
    void FinishEntry();

private:
    enum class Recording { NewMove, Undo, Redo };
    MoveOutcome Operate(std::uint8_t op, std::uint8_t pivot, Recording recording);

    PuzzleHost& host_;
    TMoveHistory history_;
};
