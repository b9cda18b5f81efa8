// Moves.h: the four operations as codes, and what each does to a step of the tail.
#pragma once

#include <cstdint>

// The item index of the operation group, and what the history records.
enum OpCode : std::uint8_t { OpCancel = 0, OpR = 1, OpL = 2, OpH = 3, OpV = 4 };

// Quarter turns counter-clockwise that turn a tail: R is three of them.
enum QuarterTurns : int { TurnLeft = 1, TurnRight = 3 };

// The coordinate a mirror negates about the pivot: V mirrors X, H mirrors Y.
enum MirrorAxis : int { MirrorX = 1, MirrorY = 2 };

// The colour a tail is highlighted in: the player's selection, or the colour
// of the operation the demonstration is about to make (its OpCode).
enum TailColour : std::uint8_t { TailSelected = 0 };

inline std::uint8_t TailColourOf(std::uint8_t op)
{
    return op;
}

// The direction a step of the tail takes after `op` at a pivot before it:
// a rotation turns every step, a mirror reverses the steps along its axis.
// Every step of the tail turns alike, so a tail keeps its shape.
inline std::uint8_t TurnedDir(std::uint8_t op, std::uint8_t dir)
{
    switch (op) {
    case OpR: return static_cast<std::uint8_t>((dir + TurnRight) % 4);
    case OpL: return static_cast<std::uint8_t>((dir + TurnLeft) % 4);
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
