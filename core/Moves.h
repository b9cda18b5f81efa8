// Moves.h: the four operations as codes, and what each does to the tail: the one move rule of the game.
#pragma once

#include <cstdint>

// The item index of the operation group, and what the history records.
enum OpCode : std::uint8_t { OpCancel = 0, OpR = 1, OpL = 2, OpH = 3, OpV = 4 };

// The colour a tail is highlighted in: the player's selection, or the colour
// of the operation the demonstration is about to make (its OpCode).
enum TailColour : std::uint8_t { TailSelected = 0 };

inline std::uint8_t TailColourOf(std::uint8_t op)
{
    return op;
}

// Where a point of the tail lands, as its offset (dx, dy) from the pivot:
// R turns the offset a quarter clockwise, L a quarter counter-clockwise, H
// mirrors it in the horizontal line through the pivot, V in the vertical
// one. The tail moves rigidly, so it never meets itself or the pivot; only
// the points before the pivot can be in its way. `Int` is wide enough that
// negating an offset cannot overflow.
template <typename Int>
struct TailOffset {
    Int X = 0;
    Int Y = 0;
};

template <typename Int>
constexpr TailOffset<Int> MovedOffset(std::uint8_t op, TailOffset<Int> d)
{
    switch (op) {
    case OpR: return {d.Y, -d.X};
    case OpL: return {-d.Y, d.X};
    case OpH: return {d.X, -d.Y};
    case OpV: return {-d.X, d.Y};
    default: return d;
    }
}

// The direction a step of the tail takes after `op`: a rotation turns every
// step, a mirror reverses the steps along its axis. Direction codes run
// counter-clockwise from +x, so R adds three quarter turns and L one.
inline std::uint8_t TurnedDir(std::uint8_t op, std::uint8_t dir)
{
    switch (op) {
    case OpR: return static_cast<std::uint8_t>((dir + 3) % 4);
    case OpL: return static_cast<std::uint8_t>((dir + 1) % 4);
    case OpH: return dir % 2 == 1 ? static_cast<std::uint8_t>(4 - dir) : dir;
    case OpV: return dir % 2 == 0 ? static_cast<std::uint8_t>(2 - dir) : dir;
    default: return dir;
    }
}

// The operation that takes `op` back: R and L undo each other, a mirror undoes itself.
inline std::uint8_t InverseOp(std::uint8_t op)
{
    if (op == OpR)
        return OpL;
    if (op == OpL)
        return OpR;
    return op;
}
