// MoveHistory.h: the moves of one play, for undo and redo.
#pragma once

#include <array>
#include <cstdint>

#include "core/RunErrors.h"

struct MoveEntry {
    std::uint8_t OpCode = 0;
    std::uint8_t Pivot = 0;
};

// Entries 1..MoveCount are the moves made; entry MoveCount is the latest.
// The entries after it, up to MoveCount + RedoCount, are moves taken back
// that can be made again, the next one first. A new move forgets them.
class TMoveHistory {
public:
    static constexpr int Capacity = 65535;

    std::uint16_t MoveCount() const { return moveCount_; }
    std::uint16_t RedoCount() const { return static_cast<std::uint16_t>(end_ - moveCount_); }
    bool Full() const { return moveCount_ == Capacity; }

    const MoveEntry& Entry(int i) const { return entries_.at(i); }
    const MoveEntry& Latest() const { return entries_.at(moveCount_); }
    const MoveEntry& NextRedo() const { return entries_.at(moveCount_ + 1); }

    // A new move; what could be redone is gone.
    void Push(MoveEntry e)
    {
        if (Full())
            throw EIntOverflow();
        entries_[++moveCount_] = e;
        end_ = moveCount_;
    }
    // The latest move was taken back; it stays to be redone.
    void StepBack()
    {
        if (moveCount_ == 0)
            throw ERangeError();
        --moveCount_;
    }
    // The next move to redo was made again.
    void StepForward()
    {
        if (moveCount_ == end_)
            throw ERangeError();
        ++moveCount_;
    }
    // The path changed by other means than a move: nothing can be redone on it.
    void DropRedo() { end_ = moveCount_; }
    void Clear() { moveCount_ = end_ = 0; }

private:
    std::uint16_t moveCount_ = 0;
    std::uint16_t end_ = 0;  // the last entry that holds a move, made or taken back
    std::array<MoveEntry, Capacity + 1> entries_{};  // index 0 unused
};
