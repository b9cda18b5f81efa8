// MoveAnimation.cpp: the in-between positions of a moving tail.
#include "game/MoveAnimation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/Moves.h"

TMoveAnimation::TMoveAnimation(const PathArray& before, int pointCount, std::uint8_t op, std::uint8_t pivot,
                               std::uint8_t markColour, double start)
    : before_(before), count_(pointCount), op_(op), pivot_(pivot), markColour_(markColour), start_(start)
{
}

double TMoveAnimation::NextFrame(double now) const
{
    // A tick at a frame's time, taken back from the sum that made it, may
    // come out a hair short: it counts as that frame.
    const double frames = std::floor(std::max(now - start_, 0.0) / FrameInterval + 1e-6) + 1;
    return std::min(start_ + frames * FrameInterval, start_ + Duration);
}

double TMoveAnimation::Progress(double now) const
{
    const double t = std::clamp((now - start_) / Duration, 0.0, 1.0);
    // Cubic ease in and out: slow off the mark, quick in the middle, slow to rest.
    return t < 0.5 ? 4 * t * t * t : 1 - std::pow(-2 * t + 2, 3) / 2;
}

WorldPoint TMoveAnimation::TailPointAt(const PathPoint& point, double p) const
{
    const PathPoint& centre = before_[pivot_];
    const double dx = static_cast<double>(point.X) - centre.X;
    const double dy = static_cast<double>(point.Y) - centre.Y;
    if (p >= 1) {
        // The end is the move itself, on the lattice, with no rounding left.
        const TailOffset<double> to = MovedOffset(op_, TailOffset<double>{dx, dy});
        return {centre.X + to.X, centre.Y + to.Y};
    }
    switch (op_) {
    case OpR:
    case OpL: {
        // A quarter turn, clockwise for R, as the picture shows y upward.
        const double angle = (op_ == OpR ? -1 : 1) * std::numbers::pi / 2 * p;
        const double c = std::cos(angle), s = std::sin(angle);
        return {centre.X + dx * c - dy * s, centre.Y + dx * s + dy * c};
    }
    case OpH: return {centre.X + dx, centre.Y + dy * (1 - 2 * p)};
    case OpV: return {centre.X + dx * (1 - 2 * p), centre.Y + dy};
    default: return {static_cast<double>(point.X), static_cast<double>(point.Y)};
    }
}

Polyline TMoveAnimation::PathAt(double now) const
{
    const double p = Progress(now);
    Polyline line;
    // The head as it was drawn, corner to corner, up to the pivot.
    for (int c = 1;;) {
        line.push_back({static_cast<double>(before_[c].X), static_cast<double>(before_[c].Y)});
        const int next = before_[c].NextCorner;
        if (c >= count_ || next <= c || next >= pivot_)
            break;
        c = next;
    }
    if (pivot_ > 1)
        line.push_back({static_cast<double>(before_[pivot_].X), static_cast<double>(before_[pivot_].Y)});
    // The tail keeps its shape: its corners and its end are enough.
    for (int i = pivot_ + 1; i <= count_; ++i) {
        if (i == count_ || before_[i].Kind == KindCorner)
            line.push_back(TailPointAt(before_[i], p));
    }
    return line;
}

TailMark TMoveAnimation::MarkAt(double now) const
{
    const double p = Progress(now);
    TailMark mark;
    mark.Colour = markColour_;
    mark.Tail.push_back({static_cast<double>(before_[pivot_].X), static_cast<double>(before_[pivot_].Y)});
    for (int i = pivot_ + 1; i <= count_; ++i)
        mark.Tail.push_back(TailPointAt(before_[i], p));
    return mark;
}
