// Picture.cpp: the lines of the path that a picture joins.
#include "game/Picture.h"

namespace {

WorldPoint At(const PathPoint& p)
{
    return {static_cast<double>(p.X), static_cast<double>(p.Y)};
}

} // namespace

Polyline CornerLine(const TPathStore& path)
{
    Polyline line;
    if (path.PointCount() < 1)
        return line;
    line.push_back(At(path.Work(1)));
    // A path of one point has no chain to walk; a chain that does not move
    // forward is stale and is not followed.
    for (int c = 1; c < path.PointCount();) {
        const int next = path.Work(c).NextCorner;
        if (next <= c)
            break;
        c = next;
        line.push_back(At(path.Work(c)));
    }
    return line;
}

Polyline StepLine(const PathArray& points, int from, int count)
{
    Polyline line;
    for (int i = from; i <= count; ++i)
        line.push_back(At(points[static_cast<std::size_t>(i)]));
    return line;
}
