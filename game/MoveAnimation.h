// MoveAnimation.h: a move shown as motion: the tail turning about its pivot or folding over the pivot's line.
#pragma once

#include <cstdint>

#include "core/PathPoint.h"
#include "game/Picture.h"

// The frames between the path before a move and the path it makes (or would
// make, for a refused move). R and L turn the tail through a quarter turn
// about the pivot; H and V take each tail point's distance from the pivot's
// line from +1 to -1 times its value, so the tail passes through the line
// like a turning page. The pace eases in and out.
class TMoveAnimation {
public:
    static constexpr double Duration = 0.18;       // seconds from the first frame to the last
    static constexpr double FrameInterval = 1.0 / 60;

    // `before` holds the path with its derived structure current.
    TMoveAnimation(const PathArray& before, int pointCount, std::uint8_t op, std::uint8_t pivot,
                   std::uint8_t markColour, double start);

    bool Over(double now) const { return now >= start_ + Duration; }
    // When the frame after `now` is due: frames keep to whole intervals from
    // the start, however late a tick came, and the last lands on the end.
    double NextFrame(double now) const;

    // How far the move has gone at `now`: 0 at the start, 1 at the end, eased.
    double Progress(double now) const;

    // Where a tail point stands at progress `p` (0..1): exactly where it was
    // at 0 and exactly where the move puts it at 1.
    WorldPoint TailPointAt(const PathPoint& point, double p) const;

    // The path and its moving tail's mark at `now`, for a picture.
    Polyline PathAt(double now) const;
    TailMark MarkAt(double now) const;

private:
    PathArray before_;
    int count_;
    std::uint8_t op_;
    std::uint8_t pivot_;
    std::uint8_t markColour_;
    double start_;
};
