// FoldState.cpp: moves on the compact path: the game's refusal rule through the occupancy grid, and the search's move lists.
#include "solver/FoldState.h"

#include <algorithm>

#include "core/Moves.h"
#include "core/RunErrors.h"

namespace {

constexpr std::int32_t StepX[] = {1, 0, -1, 0};
constexpr std::int32_t StepY[] = {0, 1, 0, -1};

constexpr std::uint8_t Ops[] = {OpR, OpL, OpH, OpV};

std::uint64_t Mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

} // namespace

std::uint64_t HashKey(const std::uint64_t* key, int words)
{
    std::uint64_t h = static_cast<std::uint64_t>(words);
    for (int w = 0; w < words; ++w)
        h = Mix(h ^ key[w]) + 0x9E3779B97F4A7C15ULL;
    return h;
}

FoldState::FoldState(int points) : n_(points)
{
    if (points < 0 || points > MaxPoints)
        throw ERangeError();
    Place();
}

FoldState::FoldState(const Problem& path) : n_(path.PointCount)
{
    const PathArray& p = path.Points;
    for (int i = 1; i < n_; ++i) {
        const std::int64_t dx = std::int64_t{p[i + 1].X} - p[i].X;
        const std::int64_t dy = std::int64_t{p[i + 1].Y} - p[i].Y;
        int d = 0;
        while (d < 4 && (dx != StepX[d] || dy != StepY[d]))
            ++d;
        if (d == 4)
            throw ERangeError();
        dir_[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(d);
    }
    Place();
}

void FoldState::Place()
{
    words_ = std::max(1, (n_ - 1 + 31) / 32);
    grid_.assign(static_cast<std::size_t>(2 * n_ + 1) * static_cast<std::size_t>(2 * n_ + 1), 0);
    key_.fill(0);
    corners_ = 0;
    if (n_ == 0)
        return;
    x_[1] = y_[1] = 0;
    grid_[Cell(0, 0)] = 1;
    for (int i = 1; i < n_; ++i) {
        const std::uint8_t d = Dir(i);
        SetDir(i, d);
        corners_ += IsCorner(i);
        x_[static_cast<std::size_t>(i + 1)] = x_[static_cast<std::size_t>(i)] + StepX[d];
        y_[static_cast<std::size_t>(i + 1)] = y_[static_cast<std::size_t>(i)] + StepY[d];
        std::uint8_t& cell = grid_[Cell(x_[static_cast<std::size_t>(i + 1)], y_[static_cast<std::size_t>(i + 1)])];
        if (cell != 0)
            throw ERangeError();
        cell = static_cast<std::uint8_t>(i + 1);
    }
}

void FoldState::SetDir(int i, std::uint8_t d)
{
    dir_[static_cast<std::size_t>(i)] = d;
    const int bit = 2 * ((i - 1) % 32);
    std::uint64_t& word = key_[static_cast<std::size_t>((i - 1) / 32)];
    word = (word & ~(std::uint64_t{3} << bit)) | (std::uint64_t{d} << bit);
}

std::uint8_t FoldState::StraighteningOp(int pivot) const
{
    if (pivot == 1 && n_ >= 2) {
        switch (Dir(1)) {
        case DirPlusY: return OpR;
        case DirMinusX: return OpV;
        case DirMinusY: return OpL;
        default: return OpCancel;
        }
    }
    if (!IsCorner(pivot))
        return OpCancel;
    // A left turn (one quarter counter-clockwise) is undone by R.
    return (Dir(pivot) + 4 - Dir(pivot - 1)) % 4 == 1 ? OpR : OpL;
}

bool FoldState::Accepts(std::uint8_t op, int pivot)
{
    return Move(op, pivot, false);
}

bool FoldState::TryMove(std::uint8_t op, int pivot)
{
    return Move(op, pivot, true);
}

void FoldState::Undo(std::uint8_t op, int pivot)
{
    // The reverse of an accepted move puts the tail back where it was: never refused.
    Move(InverseOp(op), pivot, true);
}

bool FoldState::Move(std::uint8_t op, int pivot, bool commit)
{
    if (pivot < 1 || pivot > n_ || op < OpR || op > OpV)
        throw ERangeError();
    const auto p = static_cast<std::size_t>(pivot);
    const std::int32_t px = x_[p], py = y_[p];
    const auto n = static_cast<std::size_t>(n_);
    for (std::size_t i = p + 1; i <= n; ++i)
        grid_[Cell(x_[i], y_[i])] = 0;

    // The tail moves rigidly about the pivot, so it never meets itself or the
    // pivot: whatever the cleared grid still shows is the head.
    bool accepted = true;
    for (std::size_t i = p + 1; i <= n && accepted; ++i) {
        const TailOffset<std::int32_t> to = MovedOffset(op, TailOffset<std::int32_t>{x_[i] - px, y_[i] - py});
        newX_[i] = px + to.X;
        newY_[i] = py + to.Y;
        accepted = grid_[Cell(newX_[i], newY_[i])] == 0;
    }

    if (!accepted || !commit) {
        for (std::size_t i = p + 1; i <= n; ++i)
            grid_[Cell(x_[i], y_[i])] = static_cast<std::uint8_t>(i);
        return accepted;
    }
    for (std::size_t i = p + 1; i <= n; ++i) {
        x_[i] = newX_[i];
        y_[i] = newY_[i];
        grid_[Cell(x_[i], y_[i])] = static_cast<std::uint8_t>(i);
    }
    const bool wasCorner = IsCorner(pivot);
    for (int i = pivot; i < n_; ++i)
        SetDir(i, TurnedDir(op, Dir(i)));
    corners_ += static_cast<int>(IsCorner(pivot)) - static_cast<int>(wasCorner);
    return true;
}

void FoldState::ListMoves(std::vector<SolverMove>& moves, int spare, SolverMove last) const
{
    moves.clear();
    // The reverse of the last move only leads back.
    auto add = [&moves, last](std::uint8_t op, int pivot) {
        if (pivot != last.Pivot || op != InverseOp(last.OpCode))
            moves.push_back({op, static_cast<std::uint8_t>(pivot)});
    };
    // Straightening moves, the corner nearest the end first.
    for (int pivot = n_ - 1; pivot >= 2; --pivot)
        if (IsCorner(pivot))
            add(StraighteningOp(pivot), pivot);
    // With no move to spare, the first step is turned last: that move is never
    // refused and commutes with straightening, so any solution can make it last.
    const std::uint8_t first = StraighteningOp(1);
    if (spare == 0) {
        if (moves.empty() && first != OpCancel)
            add(first, 1);
        return;
    }
    if (first != OpCancel)
        add(first, 1);

    // The other moves: those that keep the bound, then (with two to spare)
    // those that raise it. A mirror that maps every tail step onto itself
    // changes nothing and is left out.
    for (const bool raising : {false, true}) {
        if (raising && spare < 2)
            break;
        bool vertical = false, horizontal = false;  // in the tail from the pivot on
        for (int pivot = n_ - 1; pivot >= 1; --pivot) {
            (Dir(pivot) % 2 == 0 ? horizontal : vertical) = true;
            const bool corner = pivot == 1 ? Dir(1) != DirPlusX : IsCorner(pivot);
            for (const std::uint8_t op : Ops) {
                if ((op == OpH && !vertical) || (op == OpV && !horizontal))
                    continue;
                const std::uint8_t d = TurnedDir(op, Dir(pivot));
                const bool cornerAfter = pivot == 1 ? d != DirPlusX : d != Dir(pivot - 1);
                // Straightening moves are listed above.
                if (cornerAfter && (corner != raising))
                    add(op, pivot);
                else if (!cornerAfter && !corner && !raising)
                    add(op, pivot);
            }
        }
    }
}

Problem FoldState::ToProblem() const
{
    Problem problem;
    problem.PointCount = static_cast<std::uint8_t>(n_);
    for (int i = 1; i <= n_; ++i) {
        problem.Points[static_cast<std::size_t>(i)].X = x_[static_cast<std::size_t>(i)];
        problem.Points[static_cast<std::size_t>(i)].Y = y_[static_cast<std::size_t>(i)];
    }
    return problem;
}
