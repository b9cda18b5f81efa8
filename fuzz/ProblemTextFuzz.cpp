// ProblemTextFuzz.cpp: fuzz target: any bytes as a problem file, then the demonstration to its end.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <variant>

#include <QByteArray>
#include <QStringList>

#include "FuzzSupport.h"
#include "files/ProblemFile.h"
#include "files/TextFile.h"
#include "solver/Demonstration.h"

namespace {

// Four moves per point of the longest path; the most demanding paths known
// need about one and a half per point. A run still going then is taken as stuck.
constexpr int StepLimit = 4 * MaxPoints;

void CheckRejection(const QStringList& lines, const ProblemError& error)
{
    // The message points at a line of the file or the one just after its end.
    FUZZ_CHECK(error.Line >= 1 && error.Line <= lines.size() + 1,
               "error on line " + std::to_string(error.Line) + " of " + std::to_string(lines.size()));
    FUZZ_CHECK(!error.Message.isEmpty(), "rejection without a message");
}

void CheckWrittenBack(const ParsedProblem& problem)
{
    // What the game would save for this problem reads back as the same points.
    const QStringList written = FormatProblemLines(problem.Points, problem.PointCount);
    const QStringList reread = SplitTextLines(JoinTextLines(written));
    FUZZ_CHECK(reread == written, "saved lines do not read back as written");
    const ProblemParse again = ParseProblemLines(reread);
    const auto* back = std::get_if<ParsedProblem>(&again);
    FUZZ_CHECK(back != nullptr, "saved problem is rejected: " + std::get<ProblemError>(again).Message.toStdString());
    FUZZ_CHECK(back->PointCount == problem.PointCount, "saved problem has another point count");
    for (int i = 1; i <= problem.PointCount; ++i)
        FUZZ_CHECK(back->Points[i].SameSpot(problem.Points[i]), "saved point " + std::to_string(i) + " moved");
}

void RunDemonstration(const ParsedProblem& problem)
{
    FuzzRig& rig = FreshRig(problem);
    TPuzzle& puzzle = rig.Puzzle;
    const int n = puzzle.PointCount();
    FUZZ_CHECK(DerivedIsCurrent(puzzle), "installed path not derived");

    if (n < 2) {
        FUZZ_CHECK(!NextDemonstrationMove(puzzle), "a move for a single point");
        return;
    }
    for (int step = 1; step <= StepLimit; ++step) {
        const std::optional<SolverMove> move = NextDemonstrationMove(puzzle);
        FUZZ_CHECK(move.has_value(), "no move at step " + std::to_string(step));
        FUZZ_CHECK(move->Pivot >= 1 && move->Pivot < n, "pivot " + std::to_string(move->Pivot) + " at step " +
                                                            std::to_string(step));
        FUZZ_CHECK(puzzle.ApplyOperation(move->OpCode, move->Pivot).Outcome == MoveOutcome::Applied,
                   "demonstration move " + std::to_string(move->OpCode) + " at " + std::to_string(move->Pivot) +
                       " not applied at step " + std::to_string(step));
        FUZZ_CHECK(PathFault(puzzle.WorkPath(), n).empty(), "demonstration broke the path at step " + std::to_string(step));
        if (puzzle.IsSolved()) {
            FUZZ_CHECK(StraightAlongPlusX(puzzle.WorkPath(), n), "solved but not straight along +x");
            FUZZ_CHECK(puzzle.MoveCount() == step, "history does not hold every demonstration move");
            return;
        }
    }
    FUZZ_CHECK(false, "demonstration not solved after " + std::to_string(StepLimit) + " steps");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = SplitTextLines(bytes);
    const ProblemParse parse = ParseProblemLines(lines);
    if (const auto* error = std::get_if<ProblemError>(&parse)) {
        CheckRejection(lines, *error);
        return 0;
    }
    const ParsedProblem& problem = std::get<ParsedProblem>(parse);
    const std::string fault = PathFault(problem.Points, problem.PointCount);
    FUZZ_CHECK(fault.empty(), "accepted problem is no path: " + fault);
    CheckWrittenBack(problem);
    RunDemonstration(problem);
    return 0;
}
