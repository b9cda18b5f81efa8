// Demonstration.cpp: scanning the sides of the bounding box and choosing the move.
#include "solver/Demonstration.h"

#include "core/Moves.h"
#include "core/RunErrors.h"

void ResetTracker(ExtremeTracker& t, std::uint8_t i, std::int32_t v)
{
    t.Value = v;
    t.Count = 1;
    t.Index[1] = i;
}

void AppendToTracker(ExtremeTracker& t, std::uint8_t i, std::int32_t v)
{
    if (t.Count == 255)
        throw EIntOverflow();
    t.Value = v;
    t.Count = static_cast<std::uint8_t>(t.Count + 1);
    t.Index[t.Count] = i;
}

namespace {

template <typename Beyond>
void Track(ExtremeTracker& t, std::uint8_t i, std::int32_t v, Beyond beyond)
{
    if (beyond(v, t.Value))
        ResetTracker(t, i, v);
    else if (v == t.Value)
        AppendToTracker(t, i, v);
}

bool Greater(std::int32_t a, std::int32_t b) { return a > b; }
bool Less(std::int32_t a, std::int32_t b) { return a < b; }

// One side of the box: its tracker, the direction that leaves it inward, the
// mirror that unfolds it.
struct Side {
    const ExtremeTracker& Tracker;
    std::uint8_t Departure;
    std::uint8_t Op;
};

} // namespace

SideTrackers ScanExtremes(const TPathStore& path)
{
    SideTrackers s;
    ResetTracker(s.MaxXTracker, 1, 0);
    ResetTracker(s.MinXTracker, 1, 0);
    ResetTracker(s.MaxYTracker, 1, 0);
    ResetTracker(s.MinYTracker, 1, 0);

    const int n = path.PointCount();
    int i = 1;
    while (i < n) {
        const int next = path.Work(i).NextCorner;
        if (next <= i)
            break;  // a chain that does not move forward is stale; never loop on it
        i = next;
        const std::uint8_t at = static_cast<std::uint8_t>(i);
        const PathPoint& p = path.Work(i);
        Track(s.MaxXTracker, at, p.X, Greater);
        Track(s.MinXTracker, at, p.X, Less);
        Track(s.MaxYTracker, at, p.Y, Greater);
        Track(s.MinYTracker, at, p.Y, Less);
    }
    return s;
}

SolverMove ChooseMove(const SideTrackers& trackers, const TPathStore& path)
{
    const int n = path.PointCount();
    const Side sides[] = {
        {trackers.MaxXTracker, DirMinusX, OpV},
        {trackers.MinXTracker, DirPlusX, OpV},
        {trackers.MaxYTracker, DirMinusY, OpH},
        {trackers.MinYTracker, DirPlusY, OpH},
    };

    for (const Side& side : sides) {
        const ExtremeTracker& t = side.Tracker;
        // Skip a run that starts at point 1: only a run entered from inside is a fold.
        int k = 2;
        if (t.Index[1] == 1)
            k = path.Work(1).Dir == side.Departure ? 3 : 4;
        if (t.Count < k)
            continue;
        const int c = t.Index[k];
        if (c < n) {
            // The middle of the run by index; any point of it mirrors the same way.
            const int pivot = (c + path.Work(c).PrevCorner) / 2;
            return {side.Op, static_cast<std::uint8_t>(pivot)};
        }
    }

    const int e = path.Work(n).PrevCorner;
    if (e <= 1) {
        switch (path.Work(1).Dir) {
        case DirPlusY: return {OpR, 1};
        case DirMinusX: return {OpV, 1};
        case DirMinusY: return {OpL, 1};
        default: return {OpH, 1};
        }
    }
    const int turn = int{path.Work(e).Dir} - int{path.Work(e - 1).Dir};
    if (turn == 1 || turn == -3)
        return {OpR, static_cast<std::uint8_t>(e)};
    if (turn == -1 || turn == 3)
        return {OpL, static_cast<std::uint8_t>(e)};
    return {OpH, static_cast<std::uint8_t>(e)};
}

std::optional<SolverMove> NextDemonstrationMove(const TPathStore& path)
{
    if (path.PointCount() < 2)
        return std::nullopt;
    return ChooseMove(ScanExtremes(path), path);
}
