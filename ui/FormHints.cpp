// FormHints.cpp: the fewest moves of the problem, the hint, and the demonstration's shortest option.
#include "ui/VandrelPathU.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

#include "solver/Shortest.h"
#include "ui/Controls.h"
#include "ui/Messages.h"

namespace {

// A search of the window's, off its thread: long enough for every path
// measured (docs/performance.md: at most a millisecond or so).
constexpr double SearchSeconds = 10.0;
// The demonstration's step already holds the window for its wait; the search
// inside it gets a shorter budget, after which the best moves known serve.
constexpr double StepSearchSeconds = 1.0;

// The hinted operation stands out in the group until the group is placed again.
const QString HintedItemStyle = QStringLiteral("color: #c00000; font-weight: bold;");

Problem PathOf(const TPathStore& store, const PathArray& points)
{
    return Problem{store.PointCount(), points};
}

bool SamePoints(const Problem& a, const TPathStore& b)
{
    if (a.PointCount != b.PointCount())
        return false;
    for (int i = 1; i <= a.PointCount; ++i) {
        if (!a.Points[i].SameSpot(b.Work(i)))
            return false;
    }
    return true;
}

ShortestSolution Solve(const Problem& path, const std::atomic<bool>& cancel, double seconds = SearchSeconds)
{
    return SolveShortest(path, ShortestBudget{seconds, 0, &cancel});
}

} // namespace

// The fewest moves from the problem's first position, worked out while the
// player looks at it.
void TFormMain::StartParSearch()
{
    const Problem problem = PathOf(session_.Puzzle(), session_.Puzzle().ProblemPath());
    LabelSaitan->setText(Messages::ParPending);
    parWork_.Start([problem](const std::atomic<bool>& cancel) { return Solve(problem, cancel); },
                   [this](const ShortestSolution& solution) {
                       const int moves = static_cast<int>(solution.Moves.size());
                       LabelSaitan->setText(solution.Proven ? Messages::Par(moves) : Messages::ParAtMost(moves));
                   });
}

void TFormMain::ButtonHintClick()
{
    if (session_.GameMode() != ModePlay)
        return;
    hintPath_ = PathOf(session_.Puzzle(), session_.Puzzle().WorkPath());
    const Problem path = hintPath_;
    hintWork_.Start([path](const std::atomic<bool>& cancel) { return Solve(path, cancel); },
                    [this](const ShortestSolution& solution) { ShowHint(solution); });
    RefreshOverlay();
}

// The first move of a shortest solution, picked as the player would pick it:
// its point selected, its operation marked, nothing moved.
void TFormMain::ShowHint(const ShortestSolution& solution)
{
    RefreshOverlay();
    if (session_.GameMode() != ModePlay || !SamePoints(hintPath_, session_.Puzzle()) || solution.Moves.empty())
        return;
    const SolverMove first = solution.Moves.front();
    session_.MarkHintUsed();
    SelectPointByKey(first.Pivot);
    RadioGroupSousa->Item(first.OpCode)->setStyleSheet(HintedItemStyle);
    RefreshOverlay();
}

// A hint being worked out is of no use once the path or the mode has changed.
void TFormMain::CancelStaleHint()
{
    if (hintWork_.Running() && (session_.GameMode() != ModePlay || !SamePoints(hintPath_, session_.Puzzle())))
        hintWork_.Cancel();
}

void TFormMain::ClearHintMark()
{
    for (int op = OpCancel; op <= OpV; ++op)
        RadioGroupSousa->Item(op)->setStyleSheet(QString());
}

// The demonstration's move: by the fixed rule, or with "最短手順" the first
// move of a shortest solution. A path already straight gets the fixed rule's
// move, which reports it solved again and so ends a continuous run.
std::optional<SolverMove> TFormMain::DemonstrationMove(const TPathStore& path) const
{
    if (!CheckBoxSaitan->isChecked() || path.PointCount() < 2)
        return NextDemonstrationMove(path);
    const std::atomic<bool> never{false};
    const ShortestSolution solution = Solve(PathOf(path, path.WorkPath()), never, StepSearchSeconds);
    if (solution.Moves.empty())
        return NextDemonstrationMove(path);
    return solution.Moves.front();
}
