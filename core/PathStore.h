// PathStore.h: the three path arrays, their shared point count, and the path primitives.
#pragma once

#include <cstdint>

#include "core/PathPoint.h"

// What AppendPoint did with a candidate point.
enum class AppendResult { Appended, OnPath, PathFull };

class TPathStore {
public:
    const PathArray& WorkPath() const { return workPath_; }        // the path being played or entered
    const PathArray& ProblemPath() const { return problemPath_; }  // the problem as last loaded or entered
    const PathArray& TrialPath() const { return trialPath_; }      // snapshot taken before each operation
    std::uint8_t PointCount() const { return pointCount_; }       // serves all three arrays
    std::uint8_t SelectedPivot() const { return selectedPivot_; }
    const PathPoint& Work(int i) const { return workPath_[i]; }

    // Puts the problem's points into WorkPath and ProblemPath. The derived
    // fields describe them after the next DeriveStructure.
    void SetPath(const Problem& problem);

    // Recomputes Dir, Kind, PrevCorner and NextCorner of points 1..PointCount of
    // WorkPath from their coordinates.
    void DeriveStructure();

    // Appends (x, y) to WorkPath unless it already lies on the path or the path
    // already holds MaxPoints points.
    AppendResult AppendPoint(std::int32_t x, std::int32_t y);

    // Grows the path from its end (fromX, fromY) one unit step at a time towards
    // the target on the same row or column, stopping before the first point that
    // is already on the path. The target is pulled back to where the path now ends.
    // Returns the result of the last append.
    AppendResult ExtendAlongAxis(std::int32_t fromX, std::int32_t fromY,
                                 std::int32_t& toX, std::int32_t& toY);

    // Highest index from 1 to `bound` whose point is (x, y), or 0 when none is.
    // `bound` may be anything up to MaxPoints.
    std::uint8_t FindPoint(std::int32_t x, std::int32_t y, int bound);

    // True when every step of WorkPath goes one unit in +x: the puzzle is solved.
    bool IsSolved() const;

protected:
    PathArray workPath_{};
    PathArray problemPath_{};
    PathArray trialPath_{};
    std::uint8_t pointCount_ = 0;
    std::uint8_t selectedPivot_ = 0;
};
