// Shortest.cpp: iterative deepening over the puzzle's moves from the corner bound, with a table of paths searched in vain.
#include "solver/Shortest.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "core/Moves.h"
#include "core/Puzzle.h"
#include "core/RunErrors.h"
#include "solver/FoldState.h"

namespace {

// Paths searched in vain, each with the most moves it was searched for. A
// path's direction sequence is the key, compared in full, so a hash collision
// never prunes. Straightening the same corners in another order leads to the
// same path, and this table is what keeps the search from trying every order.
class SearchedTable {
public:
    explicit SearchedTable(int words) : words_(words)
    {
        // Room for at most 64 MiB of keys; once full, new paths are not kept
        // (the search stays exact, it only repeats work).
        const std::size_t perEntry = static_cast<std::size_t>(words_) * 8 + sizeof(std::uint16_t);
        while (limit_ * 2 * perEntry <= (std::size_t{64} << 20))
            limit_ *= 2;
        Resize(1024);
    }

    // The most moves `key` was searched for in vain, or -1.
    int Find(const std::uint64_t* key, std::uint64_t hash) const
    {
        const std::size_t slot = Locate(key, hash);
        return depth_[slot] == Empty ? -1 : depth_[slot];
    }

    void Store(const std::uint64_t* key, std::uint64_t hash, int moves)
    {
        std::size_t slot = Locate(key, hash);
        if (depth_[slot] != Empty) {
            depth_[slot] = static_cast<std::uint16_t>(std::max<int>(depth_[slot], moves));
            return;
        }
        if ((used_ + 1) * 2 > depth_.size()) {
            if (depth_.size() >= limit_)
                return;
            Resize(depth_.size() * 2);
            slot = Locate(key, hash);
        }
        std::copy(key, key + words_, keys_.begin() + static_cast<std::ptrdiff_t>(slot * words_));
        depth_[slot] = static_cast<std::uint16_t>(moves);
        ++used_;
    }

private:
    static constexpr std::uint16_t Empty = 0xFFFF;

    std::size_t Locate(const std::uint64_t* key, std::uint64_t hash) const
    {
        const std::size_t mask = depth_.size() - 1;
        for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            if (depth_[slot] == Empty)
                return slot;
            const std::uint64_t* stored = keys_.data() + slot * words_;
            if (std::equal(key, key + words_, stored))
                return slot;
        }
    }

    void Resize(std::size_t slots)
    {
        std::vector<std::uint64_t> oldKeys(slots * words_);
        std::vector<std::uint16_t> oldDepth(slots, Empty);
        oldKeys.swap(keys_);
        oldDepth.swap(depth_);
        used_ = 0;
        for (std::size_t s = 0; s < oldDepth.size(); ++s) {
            if (oldDepth[s] == Empty)
                continue;
            const std::uint64_t* key = oldKeys.data() + s * words_;
            const std::size_t slot = Locate(key, HashKey(key, words_));
            std::copy(key, key + words_, keys_.begin() + static_cast<std::ptrdiff_t>(slot * words_));
            depth_[slot] = oldDepth[s];
            ++used_;
        }
    }

    int words_;
    std::size_t limit_ = 1024;
    std::size_t used_ = 0;
    std::vector<std::uint64_t> keys_;
    std::vector<std::uint16_t> depth_;
};

enum class Outcome { Found, NotFound, Stopped };

class Search {
public:
    Search(const Problem& path, const ShortestBudget& budget)
        : fold_(path), table_(fold_.KeyWords()), budget_(budget), start_(std::chrono::steady_clock::now())
    {
    }

    const FoldState& Fold() const { return fold_; }
    std::uint64_t Nodes() const { return nodes_; }
    bool Cancelled() const { return cancelled_; }
    const std::vector<SolverMove>& Line() const { return line_; }

    // A solution of at most `moves` moves, or none; or stopped by the budget.
    Outcome Deepen(int moves)
    {
        line_.clear();
        // One list per depth, made before the descent: a list is iterated
        // while the deeper ones are filled.
        if (static_cast<int>(moveLists_.size()) <= moves)
            moveLists_.resize(static_cast<std::size_t>(moves) + 1);
        return Visit(0, moves, SolverMove{});
    }

private:
    bool OutOfBudget()
    {
        if (budget_.Cancel && budget_.Cancel->load(std::memory_order_relaxed)) {
            cancelled_ = true;
            return true;
        }
        if (budget_.Nodes != 0 && nodes_ >= budget_.Nodes)
            return true;
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start_;
        return spent.count() >= budget_.Seconds;
    }

    Outcome Visit(int made, int limit, SolverMove last)
    {
        const int bound = fold_.Bound();
        if (bound == 0)
            return Outcome::Found;
        const int left = limit - made;
        if (bound > left)
            return Outcome::NotFound;
        const std::uint64_t hash = HashKey(fold_.Key(), fold_.KeyWords());
        if (table_.Find(fold_.Key(), hash) >= left)
            return Outcome::NotFound;
        if (OutOfBudget())
            return Outcome::Stopped;

        std::vector<SolverMove>& moves = moveLists_[static_cast<std::size_t>(made)];
        fold_.ListMoves(moves, left - bound, last);
        for (const SolverMove m : moves) {
            if (!fold_.TryMove(m.OpCode, m.Pivot))
                continue;
            ++nodes_;
            line_.push_back(m);
            const Outcome o = Visit(made + 1, limit, m);
            if (o == Outcome::Found)
                return o;
            line_.pop_back();
            fold_.Undo(m.OpCode, m.Pivot);
            if (o == Outcome::Stopped)
                return o;
        }
        table_.Store(fold_.Key(), hash, left);
        return Outcome::NotFound;
    }

    FoldState fold_;
    SearchedTable table_;
    const ShortestBudget& budget_;
    std::chrono::steady_clock::time_point start_;
    std::uint64_t nodes_ = 0;
    bool cancelled_ = false;
    std::vector<SolverMove> line_;
    std::vector<std::vector<SolverMove>> moveLists_;
};

} // namespace

std::vector<SolverMove> DemonstrationSolution(const Problem& path)
{
    // Four moves per point: the most demanding paths known need one and a half.
    constexpr int Limit = 4 * MaxPoints;
    auto puzzle = std::make_unique<TPuzzle>();
    puzzle->LoadProblem(path);
    std::vector<SolverMove> moves;
    while (!puzzle->IsSolved()) {
        const std::optional<SolverMove> m = NextDemonstrationMove(*puzzle);
        if (!m || static_cast<int>(moves.size()) == Limit ||
            puzzle->ApplyOperation(m->OpCode, m->Pivot).Outcome != MoveOutcome::Applied)
            throw ERangeError();
        moves.push_back(*m);
    }
    return moves;
}

int MoveLowerBound(const Problem& path)
{
    return FoldState(path).Bound();
}

ShortestSolution SolveShortest(const Problem& path, const ShortestBudget& budget)
{
    ShortestSolution result;
    auto search = std::make_unique<Search>(path, budget);
    int limit = search->Fold().Bound();
    // The demonstration's length caps the deepening; it is only worked out
    // once the bound itself has failed, which no path tried so far does.
    std::optional<std::vector<SolverMove>> fallback;
    for (;;) {
        const Outcome o = search->Deepen(limit);
        if (o == Outcome::Found) {
            result.Moves = search->Line();
            result.Proven = true;
            result.LowerBound = static_cast<int>(result.Moves.size());
            break;
        }
        if (!fallback)
            fallback = DemonstrationSolution(path);
        if (o == Outcome::Stopped) {
            // No fewer than `limit` moves fold the path: a demonstration
            // that long is the fewest all the same.
            result.Moves = *fallback;
            result.Proven = static_cast<int>(fallback->size()) <= limit;
            result.LowerBound = limit;
            break;
        }
        ++limit;
        if (limit >= static_cast<int>(fallback->size())) {
            result.Moves = *fallback;
            result.Proven = true;
            result.LowerBound = static_cast<int>(fallback->size());
            break;
        }
    }
    result.Nodes = search->Nodes();
    result.Cancelled = search->Cancelled();
    return result;
}
