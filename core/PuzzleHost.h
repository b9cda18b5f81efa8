// PuzzleHost.h: what the puzzle core asks of the window that owns it.
#pragma once

#include <cstdint>
#include <string>

// The core reaches out only through this interface. The game window implements
// it with drawing and dialogs; the headless tool and the tests with plain records.
class PuzzleHost {
public:
    virtual ~PuzzleHost() = default;

    // Redraw background and the whole path. The core has derived the path's
    // structure just before.
    virtual void DrawPath() = 0;

    // Draw the tail from point `from` in the colour of `colourCode`
    // (0 selection, 1-2 rotation, 3-4 mirror) and show it at once.
    virtual void HighlightTail(std::uint8_t from, std::uint8_t colourCode) = 0;

    // A modal message with one button; returns when the player has closed it.
    virtual void ShowMessage(const std::string& text) = 0;

    virtual void SetUndoEnabled(bool enabled) = 0;

    // The path lies straight along +x after a move: end the play.
    virtual void PathSolved() = 0;
};
