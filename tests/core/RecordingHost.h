// RecordingHost.h: a puzzle host for tests that logs every call in order, plus path helpers.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/PathStore.h"
#include "core/PuzzleHost.h"
#include "core/Puzzle.h"

// Coordinates of points 1..n of a path, in path order.
using Coords = std::vector<std::pair<std::int32_t, std::int32_t>>;

// The coordinates of points 1..PointCount of WorkPath.
inline Coords WorkCoords(const TPathStore& store)
{
    Coords c;
    for (int i = 1; i <= store.PointCount; ++i)
        c.emplace_back(store.WorkPath[i].X, store.WorkPath[i].Y);
    return c;
}

// Puts `points` into slots 1..n of WorkPath and ProblemPath and sets PointCount.
// Derived fields are left alone; callers that need them call Redraw or DeriveStructure.
inline void PlacePath(TPathStore& store, const Coords& points)
{
    store.PointCount = static_cast<std::uint8_t>(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        store.WorkPath[i + 1].X = points[i].first;
        store.WorkPath[i + 1].Y = points[i].second;
    }
    store.ProblemPath = store.WorkPath;
}

// A straight path of n points from the origin, one unit per step in (dx, dy).
inline Coords StraightPath(int n, int dx, int dy)
{
    Coords c;
    for (int i = 0; i < n; ++i)
        c.emplace_back(i * dx, i * dy);
    return c;
}

// Logs the core's calls out, each with the path as WorkPath held it at that moment.
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
    void PathSolved() override { Log.push_back({Call::PathSolved, 0, 0, {}, false, {}}); }

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

    // Loads a path the way the game does (points, then a redraw) and forgets the
    // redraw's log entry.
    void Load(const Coords& points)
    {
        PlacePath(Puzzle, points);
        Puzzle.Redraw();
        Host.Clear();
    }

    Coords Path() const { return WorkCoords(Puzzle); }
};
