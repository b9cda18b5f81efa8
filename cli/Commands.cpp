// Commands.cpp: the commands of vandrel-cli over the game's own core, solver and files code.
#include "cli/Commands.h"

#include <algorithm>
#include <charconv>
#include <memory>
#include <optional>

#include "cli/ExitCodes.h"
#include "cli/MoveWords.h"
#include "cli/ProblemLoad.h"
#include "cli/ToolHost.h"
#include "cli/Usage.h"
#include "files/ProblemFile.h"
#include "files/TextFile.h"
#include "solver/Demonstration.h"

namespace {

constexpr unsigned long long DefaultMaxSteps = 100000;

// The puzzle and its host; the move history is large, so this lives on the heap.
struct Session {
    ToolHost Host;
    TPuzzle Puzzle{Host};
};

bool AsksForHelp(const Words& args)
{
    return std::find(args.begin(), args.end(), "--help") != args.end();
}

int ShowHelp(std::ostream& out, const char* usage)
{
    out << usage;
    return ExitOk;
}

int LoadFailureExit(LoadStatus status)
{
    return status == LoadStatus::Invalid ? ExitFailed : ExitUsage;
}

std::optional<unsigned long long> ParseCount(const std::string& text)
{
    unsigned long long value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

struct DemoOptions {
    std::string File;
    unsigned long long MaxSteps = DefaultMaxSteps;
};

// Gives the options, or reports wrong usage and gives nothing.
std::optional<DemoOptions> ParseDemoOptions(const Words& args, std::ostream& err)
{
    DemoOptions options;
    bool haveFile = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--max-steps") {
            const std::optional<unsigned long long> n =
                i + 1 < args.size() ? ParseCount(args[i + 1]) : std::nullopt;
            if (!n) {
                UsageError(err, "--max-steps needs a number of steps", DemoUsage);
                return std::nullopt;
            }
            options.MaxSteps = *n;
            ++i;
        } else if (word.starts_with("--")) {
            UsageError(err, "unknown option '" + word + "'", DemoUsage);
            return std::nullopt;
        } else if (haveFile) {
            UsageError(err, "one problem file only", DemoUsage);
            return std::nullopt;
        } else {
            options.File = word;
            haveFile = true;
        }
    }
    if (!haveFile) {
        UsageError(err, "no problem file given", DemoUsage);
        return std::nullopt;
    }
    return options;
}

// One demonstration step as the game's "次" makes it, without the highlight and
// the wait. Prints its line and tells whether the step left the path solved;
// nothing when the path gives no move.
std::optional<bool> PrintDemonstrationStep(Session& s, std::ostream& out)
{
    const int solvesBefore = s.Host.Solves;
    const std::optional<DemonstrationStep> step = StepDemonstration(s.Puzzle, [] {});
    if (!step)
        return std::nullopt;
    out << OpLetter(step->Move.OpCode) << ' ' << int{step->Move.Pivot};
    if (step->Outcome == MoveOutcome::Refused || step->Outcome == MoveOutcome::HistoryFull)
        out << " refused";
    out << '\n';
    return s.Host.Solves != solvesBefore;
}

std::optional<std::vector<MoveWord>> ParseMoveWords(const Words& words, std::ostream& err)
{
    std::vector<MoveWord> moves;
    for (const std::string& word : words) {
        const std::optional<MoveWord> move = ParseMoveWord(word);
        if (!move) {
            UsageError(err, "not a move: '" + word + "'", ApplyUsage);
            return std::nullopt;
        }
        moves.push_back(*move);
    }
    return moves;
}

void PrintPathAndMoves(const TPuzzle& puzzle, std::ostream& out)
{
    const QByteArray text = JoinTextLines(FormatProblemLines(puzzle.WorkPath(), puzzle.PointCount()), "\n");
    out.write(text.constData(), text.size());
    out << "moves " << puzzle.MoveCount() << (puzzle.IsSolved() ? " solved" : " unsolved")
        << '\n';
}

} // namespace

int RunTool(const Words& args, std::ostream& out, std::ostream& err)
{
    if (args.empty())
        return UsageError(err, "no command given", ToolUsage);
    const std::string& command = args.front();
    const Words rest(args.begin() + 1, args.end());
    if (command == "--help")
        return ShowHelp(out, ToolUsage);
    if (command == "check")
        return RunCheck(rest, out, err);
    if (command == "demo")
        return RunDemo(rest, out, err);
    if (command == "apply")
        return RunApply(rest, out, err);
    if (command == "sample")
        return RunSample(rest, out, err);
    return UsageError(err, "unknown command '" + command + "'", ToolUsage);
}

int RunCheck(const Words& args, std::ostream& out, std::ostream& err)
{
    if (AsksForHelp(args))
        return ShowHelp(out, CheckUsage);
    if (args.size() != 1)
        return UsageError(err, "check takes one problem file", CheckUsage);

    const auto s = std::make_unique<Session>();
    const LoadStatus status = LoadProblemFile(s->Puzzle, args.front(), err);
    if (status != LoadStatus::Loaded)
        return LoadFailureExit(status);
    out << "ok " << int{s->Puzzle.PointCount()} << " points " << CountCorners(s->Puzzle)
        << " corners\n";
    return ExitOk;
}

int RunDemo(const Words& args, std::ostream& out, std::ostream& err)
{
    if (AsksForHelp(args))
        return ShowHelp(out, DemoUsage);
    const std::optional<DemoOptions> options = ParseDemoOptions(args, err);
    if (!options)
        return ExitUsage;

    const auto s = std::make_unique<Session>();
    const LoadStatus status = LoadProblemFile(s->Puzzle, options->File, err);
    if (status != LoadStatus::Loaded)
        return LoadFailureExit(status);

    // A single point has nowhere to go and is already as straight as it gets.
    if (s->Puzzle.PointCount() < 2) {
        out << "solved in 0 moves\n";
        return ExitOk;
    }
    unsigned long long steps = 0;
    while (steps < options->MaxSteps) {
        const std::optional<bool> solved = PrintDemonstrationStep(*s, out);
        if (!solved)
            break;
        ++steps;
        if (*solved) {
            out << "solved in " << steps << " moves\n";
            return ExitOk;
        }
    }
    out << "unsolved after " << steps << " steps\n";
    return ExitFailed;
}

int RunApply(const Words& args, std::ostream& out, std::ostream& err)
{
    if (AsksForHelp(args))
        return ShowHelp(out, ApplyUsage);
    if (args.empty())
        return UsageError(err, "no problem file given", ApplyUsage);
    const std::optional<std::vector<MoveWord>> moves =
        ParseMoveWords(Words(args.begin() + 1, args.end()), err);
    if (!moves)
        return ExitUsage;

    const auto s = std::make_unique<Session>();
    const LoadStatus status = LoadProblemFile(s->Puzzle, args.front(), err);
    if (status != LoadStatus::Loaded)
        return LoadFailureExit(status);

    for (const MoveWord& move : *moves)
        out << ApplyMoveWord(s->Puzzle, move) << '\n';
    PrintPathAndMoves(s->Puzzle, out);
    return ExitOk;
}

int RunSample(const Words& args, std::ostream& out, std::ostream& err)
{
    if (AsksForHelp(args))
        return ShowHelp(out, SampleUsage);
    if (!args.empty())
        return UsageError(err, "sample takes no arguments", SampleUsage);
    const QByteArray bytes = JoinTextLines(BuiltInSampleLines());
    out.write(bytes.constData(), bytes.size());
    return ExitOk;
}
