// Picture.h: what the picture shows, as the game hands it to a front end: the view, the path, the tails marked on it, the band of a path entry.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/PathStore.h"
#include "game/ViewTransform.h"

// The world window the picture shows, as of the last change of the view.
struct ViewWindow {
    double Left = 0, Bottom = 0, Right = 0, Top = 0;
    double CenterX = 0, CenterY = 0;
    bool operator==(const ViewWindow&) const = default;
};

// Points joined in order by straight lines.
using Polyline = std::vector<WorldPoint>;

enum class PathLook : std::uint8_t {
    Play,     // the path in red, corner to corner
    Entry,    // a path being drawn: its steps in the entry's colour, the band by XOR over them
    Entered,  // an entry just ended: its steps as drawn, until the next redraw
};

// A tail drawn over the path in a highlight colour, with a square on its pivot.
struct TailMark {
    Polyline Tail;            // the pivot first, then every later point in order
    std::uint8_t Colour = 0;  // TailSelected, or the OpCode the demonstration is about to make
    bool operator==(const TailMark&) const = default;
};

// Everything on the picture: white, the grid and the axes over the window,
// then the path, then the marks in the order they were made.
struct Picture {
    ViewTransform View;
    ViewWindow Window;
    PathLook Look = PathLook::Play;
    Polyline Path;
    std::vector<TailMark> Marks;
    std::optional<std::pair<WorldPoint, WorldPoint>> Band;  // the entry's band, from its corner
    bool operator==(const Picture&) const = default;
};

// The path of points 1..PointCount through its corners only: a straight run
// is one line. The derived structure must be current.
Polyline CornerLine(const TPathStore& path);
// Points `from`..PointCount of the path, every one of them.
Polyline StepLine(const PathArray& points, int from, int count);
