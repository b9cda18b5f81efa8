// Demonstration.h: the fixed rule by which the computer picks its next move.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/PathStore.h"

// The extreme value of one coordinate over the scanned points, and the points
// that reach it, in path order.
struct ExtremeTracker {
    std::int32_t Value = 0;
    std::uint8_t Count = 0;
    std::array<std::uint8_t, 256> Index{};  // positions 1..Count
};

void ResetTracker(ExtremeTracker& t, std::uint8_t i, std::int32_t v);
void AppendToTracker(ExtremeTracker& t, std::uint8_t i, std::int32_t v);

// One tracker for each side of the path's bounding box, in the order they are tried.
struct SideTrackers {
    ExtremeTracker MaxXTracker;
    ExtremeTracker MinXTracker;
    ExtremeTracker MaxYTracker;
    ExtremeTracker MinYTracker;
};

struct SolverMove {
    std::uint8_t OpCode = 0;
    std::uint8_t Pivot = 0;
    bool operator==(const SolverMove&) const = default;
};

// Fills the trackers from point 1, every corner and the last point of WorkPath.
// The path's derived structure must be current.
SideTrackers ScanExtremes(const TPathStore& path);

// The next move: unfold a fold on a side of the box, else straighten the last
// corner, else turn the straight path onto +x.
SolverMove ChooseMove(const SideTrackers& trackers, const TPathStore& path);

// Scan and choose in one; no move for a path of fewer than two points.
std::optional<SolverMove> NextDemonstrationMove(const TPathStore& path);
