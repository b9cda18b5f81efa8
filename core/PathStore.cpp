// PathStore.cpp: deriving the corner structure, appending, extending and finding points.
#include "core/PathStore.h"

#include "core/Checked.h"

namespace {

// Direction code of a unit step from a to b. A longer step (only a malformed
// path has one) maps to some other byte; the difference is taken in 64 bits so
// that far-apart points cannot overflow.
std::uint8_t StepDir(const PathPoint& a, const PathPoint& b)
{
    if (a.Y == b.Y)
        return static_cast<std::uint8_t>(std::int64_t{a.X} - b.X + 1);
    return static_cast<std::uint8_t>(std::int64_t{a.Y} - b.Y + 2);
}

} // namespace

void TPathStore::SetPath(const Problem& problem)
{
    for (int i = 1; i <= problem.PointCount; ++i) {
        workPath_[i].X = problem.Points[i].X;
        workPath_[i].Y = problem.Points[i].Y;
    }
    pointCount_ = problem.PointCount;
    problemPath_ = workPath_;
}

void TPathStore::DeriveStructure()
{
    const int n = pointCount_;
    if (n < 1)
        return;
    PathArray& p = workPath_;

    for (int i = 1; i <= n - 1; ++i)
        p[i].Dir = StepDir(p[i], p[i + 1]);

    p[1].PrevCorner = 0;
    p[1].Kind = KindEnd;

    // Each link is written before the point's own kind is decided, so a corner
    // links past itself to the corner before.
    int corner = 1;
    for (int j = 2; j <= n - 1; ++j) {
        p[j].PrevCorner = static_cast<std::uint8_t>(corner);
        if (p[j].Dir == p[j - 1].Dir) {
            p[j].Kind = KindStraight;
        } else {
            p[j].Kind = KindCorner;
            corner = j;
        }
    }

    p[n].PrevCorner = static_cast<std::uint8_t>(corner);
    p[n].NextCorner = 0;
    p[n].Kind = KindEnd;

    corner = n;
    for (int j = n - 1; j >= 1; --j) {
        p[j].NextCorner = static_cast<std::uint8_t>(corner);
        if (p[j].Kind == KindCorner)
            corner = j;
    }
}

AppendResult TPathStore::AppendPoint(std::int32_t x, std::int32_t y)
{
    if (pointCount_ >= MaxPoints)
        return AppendResult::PathFull;

    const int candidate = pointCount_ + 1;
    workPath_[candidate].X = x;
    workPath_[candidate].Y = y;

    // The candidate slot ends the scan at the latest.
    int i = 1;
    while (!workPath_[i].SameSpot(workPath_[candidate]))
        ++i;
    if (i != candidate)
        return AppendResult::OnPath;

    pointCount_ = static_cast<std::uint8_t>(candidate);
    return AppendResult::Appended;
}

AppendResult TPathStore::ExtendAlongAxis(std::int32_t fromX, std::int32_t fromY,
                                         std::int32_t& toX, std::int32_t& toY)
{
    const bool vertical = fromX == toX;
    const std::int32_t from = vertical ? fromY : fromX;
    std::int32_t& to = vertical ? toY : toX;
    if (from == to)
        return AppendResult::Appended;  // nothing to walk; callers never ask for it
    const std::int32_t step = from < to ? 1 : -1;

    std::int32_t at = from;
    AppendResult result;
    do {
        at = CheckedAdd(at, step);
        result = vertical ? AppendPoint(fromX, at) : AppendPoint(at, fromY);
    } while (result == AppendResult::Appended && at != to);

    if (result != AppendResult::Appended)
        to = at - step;
    return result;
}

std::uint8_t TPathStore::FindPoint(std::int32_t x, std::int32_t y, int bound)
{
    if (bound < 0 || bound > MaxPoints)
        throw ERangeError();
    workPath_[0].X = x;
    workPath_[0].Y = y;
    int i = bound;
    while (!workPath_[i].SameSpot(workPath_[0]))
        --i;
    return static_cast<std::uint8_t>(i);
}

bool TPathStore::IsSolved() const
{
    // From the coordinates, so that it holds whatever the derived fields say;
    // a path of one point is as straight as it gets.
    for (int i = 1; i < pointCount_; ++i) {
        const std::int64_t dx = std::int64_t{workPath_[i + 1].X} - workPath_[i].X;
        if (dx != 1 || workPath_[i + 1].Y != workPath_[i].Y)
            return false;
    }
    return true;
}
