// PictureList.h: the game's picture as a list of drawing commands in the picture's pixels, for the page to paint.
#pragma once

#include <cstdint>
#include <vector>

#include "game/Picture.h"

// The commands, one after another in a list of 32-bit integers; colours are
// 0xRRGGBB, coordinates the picture's pixels (CSS pixels on the page):
//   Lines:  Lines, colour, pen width, xor (0 or 1), n, then n × (x1, y1, x2, y2)
//   Square: Square, colour, half side, x, y
// A list starts on white. A line of width w covers what the window's image
// covers: w pixels across (centred on odd widths) and, in copy mode, a square
// cap of half the width beyond each end; in XOR mode from the lower end up
// to, not including, the higher one.
enum PictureCommand : std::int32_t { CommandLines = 1, CommandSquare = 2 };

// The picture's commands: grid and axes over its window, the path, the
// marked tails with their pivots, and the entry's band by XOR. ERangeError
// when a point of it lies beyond 32-bit pixels.
std::vector<std::int32_t> PictureCommands(const Picture& picture);
