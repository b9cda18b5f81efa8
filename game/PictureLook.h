// PictureLook.h: the colours and pens of the picture, the same for every front end that draws it.
#pragma once

#include <cstdint>

#include "core/Moves.h"

// Colours are 0x00BBGGRR, as the plotting image takes them.
namespace PictureLook {

constexpr std::int32_t GridColour = 0xC0C0C0;
constexpr std::int32_t AxesColour = 0x808080;
constexpr std::int32_t PathColour = 0x0000FF;
// The entry's pen, drawn by XOR so that a band drawn twice vanishes.
constexpr std::int32_t EntryPenColour = 12632127;
// What that pen shows on white: the entered path is drawn in it directly, so
// that its segments never cancel each other where they meet.
constexpr std::int32_t EnteredPathColour = 0xFFFFFF ^ EntryPenColour;

constexpr int BackdropPenWidth = 1;  // grid and axes
constexpr int PathPenWidth = 3;      // the path, the marked tails, the band
constexpr int PivotHalfSide = 3;     // the square on a marked tail's pivot: 7 × 7 pixels

// Pen colour of a highlight by its colour code; a code beyond 4 keeps the pen as it is.
constexpr std::int32_t HighlightColour(std::uint8_t code, std::int32_t current)
{
    switch (code) {
    case TailSelected: return 0xFF0000;   // the player's selection: blue
    case OpR: case OpL: return 0x00FF00;  // rotations: lime
    case OpH: case OpV: return 0xFFFF00;  // mirrors: aqua
    default: return current;
    }
}

}  // namespace PictureLook
