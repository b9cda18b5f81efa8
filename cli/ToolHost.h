// ToolHost.h: the puzzle host of the headless tool: no window, it only keeps count.
#pragma once

#include <string>

#include "core/PuzzleHost.h"

// The tool draws nothing and asks nobody: TPuzzle::Redraw derives the path's
// structure on its own, and the commands read the outcome of each move from
// ApplyOperation. What the tool does need is whether a move ended the play.
class ToolHost : public PuzzleHost {
public:
    int Messages = 0;      // modal messages the core wanted to show
    int Solves = 0;        // times the core found the path straight along +x
    std::string LastMessage;

    void Clear()
    {
        Messages = 0;
        Solves = 0;
        LastMessage.clear();
    }

    void DrawPath() override {}
    void HighlightTail(std::uint8_t, std::uint8_t) override {}
    void ShowMessage(const std::string& text) override
    {
        ++Messages;
        LastMessage = text;
    }
    void SetUndoEnabled(bool) override {}
    void PathSolved() override { ++Solves; }
};
