// MoveHistory.h: the moves of one play, for undo.
#pragma once

#include <array>
#include <cstdint>

#include "core/RunErrors.h"

enum OpCode : std::uint8_t { OpCancel = 0, OpR = 1, OpL = 2, OpH = 3, OpV = 4 };

struct MoveEntry {
    std::uint8_t OpCode = 0;
    std::uint8_t Pivot = 0;
};

// Entries 1..MoveCount are in use; entry MoveCount is the latest move.
class TMoveHistory {
public:
    static constexpr int Capacity = 65535;

    std::uint16_t MoveCount = 0;

    bool Full() const { return MoveCount == Capacity; }
    const MoveEntry& Entry(int i) const { return entries_.at(i); }
    const MoveEntry& Latest() const { return entries_.at(MoveCount); }

    void Push(MoveEntry e)
    {
        if (Full())
            throw EIntOverflow();
        entries_[++MoveCount] = e;
    }
    void Drop(int n)
    {
        if (n > MoveCount)
            throw ERangeError();
        MoveCount = static_cast<std::uint16_t>(MoveCount - n);
    }
    void Clear() { MoveCount = 0; }

private:
    std::array<MoveEntry, Capacity + 1> entries_{};  // index 0 unused
};
