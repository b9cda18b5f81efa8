// Puzzle.h: the rules of the puzzle: the four operations, undo and the solved test.
#pragma once

#include <cstdint>

#include "core/MoveHistory.h"
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

    TMoveHistory History;

    std::uint16_t MoveCount() const { return History.MoveCount; }

    // Derives the path's structure and asks the host to draw it.
    void Redraw();

    // Selects the point at (x, y) for the next operation and highlights its tail.
    void SelectPointAt(std::int32_t x, std::int32_t y);

    // The one entry for every change of the path by an operation.
    MoveOutcome ApplyOperation(std::uint8_t op, std::uint8_t pivot);

    bool RotateTail(std::uint8_t pivot, int quarterTurns);
    bool ReflectTail(std::uint8_t pivot, int axis);
    static std::uint8_t InverseOp(std::uint8_t op);

    // Takes back the latest move; false when there was none.
    bool Undo();

    // Ends the play through the host when every step goes +x; true when it did.
    bool CheckSolved();

    // Puts the problem back into WorkPath and empties the history.
    void ResetToProblem();

private:
    MoveOutcome Operate(std::uint8_t op, std::uint8_t pivot, bool undoing);

    PuzzleHost& host_;
};
