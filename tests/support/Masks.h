// Masks.h: the eight managed buttons as one byte, as the window's design gives each state: bit i is the i-th button.
#pragma once

#include <cstdint>

#include "game/Status.h"

// Bits in the order entry begin, save (creation), start, undo, pause,
// continue, save (play), open.
enum ButtonMasks : std::uint8_t {
    MaskStartUp = 133,
    MaskCreation = 3,
    MaskPuzzle = 196,
    MaskPlaying = 16,
    MaskPaused = 229,
    MaskSolved = 197,
    MaskUndo = 8,
};

// The mask of the game's controls.
inline std::uint8_t MaskOf(const Controls& c)
{
    const bool bits[] = {c.EntryBegin, c.SaveDrawn, c.Start, c.Undo, c.Pause, c.Continue, c.SaveCopy, c.Open};
    std::uint8_t mask = 0;
    for (int i = 0; i < 8; ++i)
        mask = static_cast<std::uint8_t>(mask | (bits[i] << i));
    return mask;
}
