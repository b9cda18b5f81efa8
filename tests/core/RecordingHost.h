// RecordingHost.h: a puzzle host for tests that logs every call in order, plus path helpers.
#pragma once

#include <cstdint>
#include <memory>
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
    for (int i = 1; i <= store.PointCount(); ++i)
        c.emplace_back(store.WorkPath()[i].X, store.WorkPath()[i].Y);
    return c;
}

// The problem whose points 1..n are `points`.
inline Problem ProblemOf(const Coords& points)
{
    Problem problem;
    problem.PointCount = static_cast<std::uint8_t>(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        problem.Points[i + 1].X = points[i].first;
        problem.Points[i + 1].Y = points[i].second;
    }
    return problem;
}

// Puts `points` into slots 1..n of WorkPath and ProblemPath and sets PointCount.
// Derived fields are left alone; callers that need them call Redraw or DeriveStructure.
inline void PlacePath(TPathStore& store, const Coords& points)
{
    store.SetPath(ProblemOf(points));
}

// Whether the derived fields of WorkPath are what a fresh derivation of its
// coordinates gives. The last point has no step, so no direction to compare.
inline bool DerivedIsCurrent(const TPathStore& store)
{
    auto fresh = std::make_unique<TPathStore>();
    fresh->SetPath(Problem{store.PointCount(), store.WorkPath()});
    fresh->DeriveStructure();
    const int n = store.PointCount();
    for (int i = 1; i <= n; ++i) {
        const PathPoint& a = store.Work(i);
        const PathPoint& b = fresh->Work(i);
        if ((i < n && a.Dir != b.Dir) || a.Kind != b.Kind || a.PrevCorner != b.PrevCorner ||
            a.NextCorner != b.NextCorner)
            return false;
    }
    return true;
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
