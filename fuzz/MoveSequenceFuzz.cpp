// MoveSequenceFuzz.cpp: fuzz target: a valid path, then bytes read as moves and undos, checked after each.
//
// Input: byte 0 chooses the path: 0 the built-in sample, otherwise a walk
// aiming at that many points. Byte 1 says how many of the following bytes
// steer the walk (each picks one of the free neighbours); the walk goes on
// from a generator seeded by those bytes. The bytes after the walk come in
// pairs (action, pivot): action % 8 is 0-1 undo, 2-5 R, L, H, V, 6 cancel, 7
// an operation code beyond V; with bit 7 of the action clear the pivot byte is
// taken modulo PointCount + 2, so that most pivots lie on the path.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <variant>
#include <vector>

#include "FuzzSupport.h"
#include "files/ProblemFile.h"
#include "solver/Random.h"

namespace {

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return pos_ >= size_; }
    std::size_t Left() const { return size_ - pos_; }
    std::uint8_t Next() { return Empty() ? 0 : data_[pos_++]; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};


// Occupied lattice points near the origin; a walk of 255 points stays within 254.
class Occupancy {
public:
    bool Taken(std::int32_t x, std::int32_t y) const { return cells_[Index(x, y)]; }
    void Take(std::int32_t x, std::int32_t y) { cells_[Index(x, y)] = true; }

private:
    static constexpr int Reach = MaxPoints;
    static constexpr int Side = 2 * Reach + 1;
    static std::size_t Index(std::int32_t x, std::int32_t y)
    {
        return static_cast<std::size_t>(x + Reach) * Side + static_cast<std::size_t>(y + Reach);
    }
    std::vector<bool> cells_ = std::vector<bool>(static_cast<std::size_t>(Side) * Side);
};

// Points 1..count of a self-avoiding walk from the origin; it ends early in a dead end.
std::uint8_t BuildWalk(ByteReader& in, PathArray& path)
{
    static constexpr int dx[] = {1, 0, -1, 0};
    static constexpr int dy[] = {0, 1, 0, -1};
    const int target = in.Next();
    int steering = in.Next();
    std::uint64_t seed = static_cast<std::uint64_t>(target) << 8 | static_cast<std::uint64_t>(steering);

    Occupancy taken;
    path[1].X = path[1].Y = 0;
    taken.Take(0, 0);
    int count = 1;
    SplitMix64 mix(0);
    bool mixing = false;
    while (count < target) {
        int free[4];
        int nFree = 0;
        for (int d = 0; d < 4; ++d) {
            if (!taken.Taken(path[count].X + dx[d], path[count].Y + dy[d]))
                free[nFree++] = d;
        }
        if (nFree == 0)
            break;
        std::uint64_t choice;
        if (steering > 0 && !in.Empty()) {
            choice = in.Next();
            seed = seed * 131 + choice;
            --steering;
        } else {
            if (!mixing)
                mix = SplitMix64(seed);
            mixing = true;
            choice = mix.Next();
        }
        const int d = free[choice % static_cast<std::uint64_t>(nFree)];
        ++count;
        path[count].X = path[count - 1].X + dx[d];
        path[count].Y = path[count - 1].Y + dy[d];
        taken.Take(path[count].X, path[count].Y);
    }
    return static_cast<std::uint8_t>(count);
}

// The path as only the coordinates and derived fields of points 1..PointCount.
std::vector<PathPoint> Points(const TPuzzle& puzzle)
{
    return {puzzle.WorkPath().begin() + 1, puzzle.WorkPath().begin() + 1 + puzzle.PointCount()};
}

// Where the tail point `p` goes under `op` about `centre`, by plain geometry.
PathPoint Moved(const PathPoint& p, const PathPoint& centre, std::uint8_t op)
{
    const std::int32_t rx = p.X - centre.X, ry = p.Y - centre.Y;
    PathPoint q = p;
    switch (op) {
    case OpR: q.X = centre.X + ry; q.Y = centre.Y - rx; break;
    case OpL: q.X = centre.X - ry; q.Y = centre.Y + rx; break;
    case OpH: q.Y = centre.Y - ry; break;
    default: q.X = centre.X - rx; break;
    }
    return q;
}

void CheckPath(const TPuzzle& puzzle, const std::string& when)
{
    const std::string fault = PathFault(puzzle.WorkPath(), puzzle.PointCount());
    FUZZ_CHECK(fault.empty(), fault + " " + when);
    FUZZ_CHECK(DerivedIsCurrent(puzzle), "derived fields stale " + when);
}

void CheckApplied(const std::vector<PathPoint>& before, const TPuzzle& puzzle, std::uint8_t op, std::uint8_t pivot,
                  const std::string& when)
{
    for (int i = 1; i <= pivot; ++i)
        FUZZ_CHECK(puzzle.WorkPath()[i].SameSpot(before[i - 1]), "head point " + std::to_string(i) + " moved " + when);
    for (int i = pivot + 1; i <= puzzle.PointCount(); ++i)
        FUZZ_CHECK(puzzle.WorkPath()[i].SameSpot(Moved(before[i - 1], before[pivot - 1], op)),
                   "tail point " + std::to_string(i) + " is not where the operation puts it " + when);
}

void CheckRestoreToText(const TPuzzle& puzzle)
{
    // The path in play, saved as a problem, reads back as the same points.
    const ProblemParse parse = ParseProblemLines(FormatProblemLines(puzzle.WorkPath(), puzzle.PointCount()));
    const auto* back = std::get_if<ParsedProblem>(&parse);
    FUZZ_CHECK(back != nullptr, "path in play does not save as a problem");
    FUZZ_CHECK(back->PointCount == puzzle.PointCount(), "saved point count differs");
    for (int i = 1; i <= puzzle.PointCount(); ++i)
        FUZZ_CHECK(back->Points[i].SameSpot(puzzle.WorkPath()[i]), "saved point " + std::to_string(i) + " differs");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ByteReader in(data, size);
    Problem problem;
    if (size > 0 && data[0] == 0) {
        in.Next();
        problem = std::get<ParsedProblem>(ParseProblemLines(BuiltInSampleLines()));
    } else {
        problem.PointCount = BuildWalk(in, problem.Points);
    }
    FuzzRig& rig = FreshRig(problem);
    TPuzzle& puzzle = rig.Puzzle;
    const int n = puzzle.PointCount();
    CheckPath(puzzle, "as installed");
    const std::vector<PathPoint> start = Points(puzzle);

    std::vector<std::vector<PathPoint>> earlier;  // the path before each recorded move
    for (int step = 1; in.Left() >= 2; ++step) {
        const std::uint8_t action = in.Next();
        const std::uint8_t pivotByte = in.Next();
        const std::string when = "at step " + std::to_string(step);
        const std::vector<PathPoint> before = Points(puzzle);
        const PathArray whole = puzzle.WorkPath();

        const int kind = action % 8;
        if (kind <= 1) {
            const bool had = !earlier.empty();
            const std::optional<MoveResult> undone = puzzle.Undo();
            FUZZ_CHECK(undone.has_value() == had, "undo result " + when);
            if (had) {
                FUZZ_CHECK(undone->Outcome == MoveOutcome::Applied, "undo refused " + when);
                FUZZ_CHECK(std::memcmp(puzzle.WorkPath().data() + 1, earlier.back().data(), sizeof(PathPoint) * n) == 0,
                           "undo did not restore the earlier path " + when);
                earlier.pop_back();
            } else {
                FUZZ_CHECK(std::memcmp(&puzzle.WorkPath(), &whole, sizeof whole) == 0, "undo of nothing changed the path " + when);
            }
        } else {
            const std::uint8_t op = kind <= 5 ? static_cast<std::uint8_t>(kind - 1)
                                    : kind == 6 ? std::uint8_t{OpCancel}
                                                : static_cast<std::uint8_t>(OpV + 1 + (action >> 3) % 27);
            const std::uint8_t pivot = (action & 0x80) ? pivotByte : static_cast<std::uint8_t>(pivotByte % (n + 2));
            const MoveResult result = puzzle.ApplyOperation(op, pivot);
            const MoveOutcome outcome = result.Outcome;
            const bool unchanged = std::memcmp(&puzzle.WorkPath(), &whole, sizeof whole) == 0;
            if (op == OpCancel) {
                FUZZ_CHECK(outcome == MoveOutcome::Cancelled, "cancel not cancelled " + when);
                FUZZ_CHECK(unchanged, "cancel changed the path " + when);
            } else if (op > OpV || pivot < 1 || pivot > n) {
                FUZZ_CHECK(outcome == MoveOutcome::Ignored, "stray request not ignored " + when);
                FUZZ_CHECK(unchanged, "stray request changed the path " + when);
            } else if (outcome == MoveOutcome::Refused) {
                FUZZ_CHECK(unchanged, "refused move changed the path " + when);
                for (int i = pivot + 1; i <= n; ++i)
                    FUZZ_CHECK(result.Refused[i].SameSpot(Moved(before[i - 1], before[pivot - 1], op)),
                               "the refused path is not the move's result " + when);
                FUZZ_CHECK(!PathFault(result.Refused, n).empty(), "a refused move would have made a path " + when);
            } else {
                FUZZ_CHECK(outcome == MoveOutcome::Applied, "unexpected outcome " + when);
                CheckApplied(before, puzzle, op, pivot, when);
                FUZZ_CHECK(puzzle.IsSolved() == StraightAlongPlusX(puzzle.WorkPath(), n),
                           "solved test disagrees with the path " + when);
                earlier.push_back(before);
            }
        }
        CheckPath(puzzle, when);
        FUZZ_CHECK(puzzle.MoveCount() == earlier.size(), "MoveCount is not the number of moves kept " + when);
    }

    CheckRestoreToText(puzzle);
    while (!earlier.empty()) {
        FUZZ_CHECK(puzzle.Undo(), "undo refused while moves are kept");
        earlier.pop_back();
    }
    FUZZ_CHECK(std::memcmp(puzzle.WorkPath().data() + 1, start.data(), sizeof(PathPoint) * n) == 0,
               "undoing every move does not give the problem back");
    FUZZ_CHECK(puzzle.MoveCount() == 0, "history not empty after undoing every move");
    return 0;
}
