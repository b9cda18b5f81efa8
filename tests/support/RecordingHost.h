// RecordingHost.h: the puzzle host for tests, which logs every call in order, and a puzzle wired to it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Puzzle.h"
#include "core/PuzzleHost.h"
#include "core/RunErrors.h"
#include "support/Paths.h"

// Logs the core's calls out, each with the path as WorkPath held it at that
// moment. Its solved handling can be made to fail, as a records file that
// cannot be written makes the game's fail.
class RecordingHost : public PuzzleHost {
public:
    enum class Call { DrawPath, HighlightTail, ShowMessage, SetUndoEnabled, PathSolved };

    struct Event {
        Call What;
        int From = 0;         // HighlightTail
        int ColourCode = 0;   // HighlightTail
        std::string Text;     // ShowMessage
        bool Enabled = false; // SetUndoEnabled
        Coords Path;          // WorkPath at DrawPath and ShowMessage, when watched
    };

    // The store whose WorkPath is snapshotted; set once the puzzle exists.
    const TPathStore* Watched = nullptr;
    // PathSolved raises EFileError after it is logged.
    bool FailSolvedHandling = false;
    std::vector<Event> Log;

    void DrawPath() override { Log.push_back({Call::DrawPath, 0, 0, {}, false, Snapshot()}); }
    void HighlightTail(std::uint8_t from, std::uint8_t colourCode) override
    {
        Log.push_back({Call::HighlightTail, from, colourCode, {}, false, {}});
    }
    void ShowMessage(const std::string& text) override
    {
        Log.push_back({Call::ShowMessage, 0, 0, text, false, Snapshot()});
    }
    void SetUndoEnabled(bool enabled) override
    {
        Log.push_back({Call::SetUndoEnabled, 0, 0, {}, enabled, {}});
    }
    void PathSolved() override
    {
        Log.push_back({Call::PathSolved, 0, 0, {}, false, {}});
        if (FailSolvedHandling)
            throw EFileError("records");
    }

    void Clear() { Log.clear(); }

    std::vector<Call> Calls() const
    {
        std::vector<Call> calls;
        for (const Event& e : Log)
            calls.push_back(e.What);
        return calls;
    }

    int CountOf(Call what) const
    {
        int n = 0;
        for (const Event& e : Log)
            n += e.What == what;
        return n;
    }

    // The state the undo button was last set to; `fallback` when it was never set.
    bool LastUndoState(bool fallback) const
    {
        for (auto it = Log.rbegin(); it != Log.rend(); ++it)
            if (it->What == Call::SetUndoEnabled)
                return it->Enabled;
        return fallback;
    }

private:
    Coords Snapshot() const { return Watched ? WorkCoords(*Watched) : Coords{}; }
};

// A puzzle wired to a recording host. Large (the history holds 65535 moves), so
// tests keep it on the heap.
struct PuzzleRig {
    RecordingHost Host;
    TPuzzle Puzzle{Host};

    PuzzleRig() { Host.Watched = &Puzzle; }

    // Starts a play of `points` as the game starts one (the problem loaded,
    // then reset, with an empty history, and drawn) and forgets the log so far.
    void Load(const Coords& points)
    {
        PlacePath(Puzzle, points);
        Puzzle.ResetToProblem();
        Puzzle.Redraw();
        Host.Clear();
    }

    Coords Path() const { return WorkCoords(Puzzle); }
};
