// Commands.cpp: the commands of vandrel-cli over the game's own core, solver and files code.
#include "cli/Commands.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <memory>
#include <optional>
#include <random>

#include <QDate>

#include "cli/CommandLine.h"
#include "cli/ExitCodes.h"
#include "cli/MoveWords.h"
#include "cli/ProblemLoad.h"
#include "cli/Usage.h"
#include "files/ProblemFile.h"
#include "files/TextFile.h"
#include "game/NullFrontEnd.h"
#include "solver/Daily.h"
#include "solver/Demonstration.h"
#include "solver/Generator.h"
#include "solver/Shortest.h"

namespace {

constexpr unsigned long long DefaultMaxSteps = 100000;
constexpr double DefaultTimeLimit = 10.0;

const ValueOption PointsOption{"points", "N", "needs a number of points from 2 to 255"};
const ValueOption SeedOption{"seed", "S", "needs a whole number from 0 to 18446744073709551615"};
const ValueOption DifficultyOption{"difficulty", "LEVEL", "needs easy, normal or hard"};
const ValueOption CodeOption{"code", "CODE", "needs a problem's code, such as 70-1234567-h"};
const ValueOption DateOption{"date", "YYYY-MM-DD", "needs a real day, YYYY-MM-DD, from 0001-01-01 to 9999-12-31"};


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

// Seconds as a decimal number above 0 (a fraction is fine).
std::optional<double> ParseSeconds(const std::string& text)
{
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || stop != end || !std::isfinite(value) || value <= 0)
        return std::nullopt;
    return value;
}

// "YYYY-MM-DD", four, two and two digits; whether that day exists is for the caller.
std::optional<std::chrono::year_month_day> ParseDate(const std::string& text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const std::optional<unsigned long long> year = ParseCount(text.substr(0, 4));
    const std::optional<unsigned long long> month = ParseCount(text.substr(5, 2));
    const std::optional<unsigned long long> day = ParseCount(text.substr(8, 2));
    if (!year || !month || !day)
        return std::nullopt;
    return std::chrono::year_month_day{std::chrono::year{static_cast<int>(*year)},
                                       std::chrono::month{static_cast<unsigned>(*month)},
                                       std::chrono::day{static_cast<unsigned>(*day)}};
}

std::chrono::year_month_day LocalToday()
{
    const QDate today = QDate::currentDate();
    return std::chrono::year_month_day{std::chrono::year{today.year()},
                                       std::chrono::month{static_cast<unsigned>(today.month())},
                                       std::chrono::day{static_cast<unsigned>(today.day())}};
}

std::optional<Difficulty> ParseDifficulty(const std::string& text)
{
    if (text == "easy")
        return Difficulty::Easy;
    if (text == "normal")
        return Difficulty::Normal;
    if (text == "hard")
        return Difficulty::Hard;
    return std::nullopt;
}

// The value given for an option, or nothing when it was not given.
const std::string* GivenValue(const CommandWords& words, const ValueOption& option)
{
    const auto found = words.Values.find(option.Name);
    return found == words.Values.end() ? nullptr : &found->second;
}

int OptionError(std::ostream& err, const ValueOption& option, const char* usage)
{
    return UsageError(err, "--" + option.Name + " " + option.Problem, usage);
}

// A seed from the system's entropy, short enough for a whole code in a record's name.
std::uint64_t EntropySeed()
{
    std::random_device entropy;
    return NewProblemSeed((std::uint64_t{entropy()} << 32) | entropy());
}

// The code `generate` makes its problem of: --code alone, or --points with
// --seed and --difficulty when given. Wrong usage is reported on `err` and
// gives nothing.
std::optional<ProblemCode> GenerateCode(const CommandWords& words, std::ostream& err)
{
    const std::string* points = GivenValue(words, PointsOption);
    const std::string* seed = GivenValue(words, SeedOption);
    const std::string* level = GivenValue(words, DifficultyOption);
    if (const std::string* text = GivenValue(words, CodeOption)) {
        if (points || seed || level) {
            UsageError(err, "--code names the whole problem: no --points, --seed or --difficulty with it",
                       GenerateUsage);
            return std::nullopt;
        }
        const std::optional<ProblemCode> code = ParseProblemCode(*text);
        if (!code)
            OptionError(err, CodeOption, GenerateUsage);
        return code;
    }
    if (!points) {
        UsageError(err, "--points or --code is needed", GenerateUsage);
        return std::nullopt;
    }
    ProblemCode code;
    const std::optional<unsigned long long> n = ParseCount(*points);
    const std::optional<unsigned long long> seedValue = seed ? ParseCount(*seed) : EntropySeed();
    const std::optional<Difficulty> levelValue = level ? ParseDifficulty(*level) : Difficulty::Normal;
    if (!n || *n < 2 || *n > MaxPoints)
        OptionError(err, PointsOption, GenerateUsage);
    else if (!seedValue)
        OptionError(err, SeedOption, GenerateUsage);
    else if (!levelValue)
        OptionError(err, DifficultyOption, GenerateUsage);
    else
        return ProblemCode{static_cast<int>(*n), *seedValue, *levelValue};
    return std::nullopt;
}

void WriteMove(const SolverMove& move, std::ostream& out)
{
    out << OpLetter(move.OpCode) << ' ' << int{move.Pivot} << '\n';
}

// The words of a command, or the exit status when the command ends here:
// after its help or the version, or on wrong usage.
struct Parsed {
    std::optional<CommandWords> Words;
    int Exit = ExitOk;
};

Parsed ParseWords(const ::Words& args, const std::vector<ValueOption>& options, const char* usage,
                  std::ostream& out, std::ostream& err)
{
    std::optional<CommandWords> words = ParseCommandWords(args, options, usage, err);
    if (!words)
        return {std::nullopt, ExitUsage};
    if (words->Help) {
        out << usage;
        return {std::nullopt, ExitOk};
    }
    if (words->Version) {
        out << ToolVersion << '\n';
        return {std::nullopt, ExitOk};
    }
    return {std::move(words), ExitOk};
}

// One demonstration step as the game's "次" makes it, its wait passing at
// once. Prints its line and tells whether the step left the path solved;
// nothing when the path gives no move.
std::optional<bool> PrintDemonstrationStep(GameRig& rig, std::ostream& out)
{
    const std::size_t messagesBefore = rig.FrontEnd.Messages.size();
    rig.Game.PressStep(false);
    rig.Settle();
    const std::optional<SolverMove> move = rig.Game.LastDemonstrationMove();
    if (!move)
        return std::nullopt;
    bool refused = false, solved = false;
    for (std::size_t i = messagesBefore; i < rig.FrontEnd.Messages.size(); ++i) {
        refused |= rig.FrontEnd.Messages[i] == GameMessage::Failure || rig.FrontEnd.Messages[i] == GameMessage::HistoryFull;
        solved |= rig.FrontEnd.Messages[i] == GameMessage::Solved;
    }
    out << OpLetter(move->OpCode) << ' ' << int{move->Pivot};
    if (refused)
        out << " refused";
    out << '\n';
    return solved;
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
    out << "moves " << puzzle.MoveCount() << (puzzle.IsSolved() ? " solved" : " unsolved") << '\n';
}

} // namespace

int RunTool(const Words& args, std::ostream& out, std::ostream& err)
{
    if (args.empty())
        return UsageError(err, "no command given", ToolUsage);
    const std::string& command = args.front();
    const Words rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h")
        return out << ToolUsage, ExitOk;
    if (command == "--version" || command == "-v")
        return out << ToolVersion << '\n', ExitOk;
    if (command == "check")
        return RunCheck(rest, out, err);
    if (command == "demo")
        return RunDemo(rest, out, err);
    if (command == "apply")
        return RunApply(rest, out, err);
    if (command == "sample")
        return RunSample(rest, out, err);
    if (command == "solve")
        return RunSolve(rest, out, err);
    if (command == "generate")
        return RunGenerate(rest, out, err);
    if (command == "daily")
        return RunDaily(rest, out, err);
    return UsageError(err, "unknown command '" + command + "'", ToolUsage);
}

int RunCheck(const Words& args, std::ostream& out, std::ostream& err)
{
    const Parsed parsed = ParseWords(args, {}, CheckUsage, out, err);
    if (!parsed.Words)
        return parsed.Exit;
    if (parsed.Words->Positional.size() != 1)
        return UsageError(err, "check takes one problem file", CheckUsage);

    const auto puzzle = std::make_unique<TPuzzle>();  // the move history is large: on the heap
    Problem problem;
    const LoadStatus status = ReadProblemFile(problem, parsed.Words->Positional.front(), err);
    if (status != LoadStatus::Loaded)
        return LoadFailureExit(status);
    puzzle->LoadProblem(problem);
    out << "ok " << int{puzzle->PointCount()} << " points " << CountCorners(*puzzle) << " corners\n";
    return ExitOk;
}

int RunDemo(const Words& args, std::ostream& out, std::ostream& err)
{
    const Parsed parsed = ParseWords(args, {{"max-steps", "N", "needs a number of steps"}}, DemoUsage, out, err);
    if (!parsed.Words)
        return parsed.Exit;
    const CommandWords& words = *parsed.Words;
    unsigned long long maxSteps = DefaultMaxSteps;
    if (const auto given = words.Values.find("max-steps"); given != words.Values.end()) {
        const std::optional<unsigned long long> n = ParseCount(given->second);
        if (!n)
            return UsageError(err, "--max-steps needs a number of steps", DemoUsage);
        maxSteps = *n;
    }
    if (words.Positional.empty())
        return UsageError(err, "no problem file given", DemoUsage);
    if (words.Positional.size() > 1)
        return UsageError(err, "one problem file only", DemoUsage);

    Problem problem;
    const LoadStatus status = ReadProblemFile(problem, words.Positional.front(), err);
    if (status != LoadStatus::Loaded)
        return LoadFailureExit(status);

    // A single point has nowhere to go and is already as straight as it gets.
    if (problem.PointCount < 2) {
        out << "solved in 0 moves\n";
        return ExitOk;
    }
    const auto rig = std::make_unique<GameRig>();
    rig->Game.SetAnimation(false);
    rig->Game.InstallSample(problem, words.Positional.front());
    rig->Game.ChooseMode(MenuPuzzle);
    rig->Game.OpenDemonstration();
    unsigned long long steps = 0;
    while (steps < maxSteps) {
        const std::optional<bool> solved = PrintDemonstrationStep(*rig, out);
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
    const Parsed parsed = ParseWords(args, {}, ApplyUsage, out, err);
    if (!parsed.Words)
        return parsed.Exit;
    const Words& words = parsed.Words->Positional;
    if (words.empty())
        return UsageError(err, "no problem file given", ApplyUsage);
    const std::optional<std::vector<MoveWord>> moves = ParseMoveWords(Words(words.begin() + 1, words.end()), err);
    if (!moves)
        return ExitUsage;

    Problem problem;
    const LoadStatus status = ReadProblemFile(problem, words.front(), err);
    if (status != LoadStatus::Loaded)
        return LoadFailureExit(status);
    const auto puzzle = std::make_unique<TPuzzle>();
    puzzle->LoadProblem(problem);
    for (const MoveWord& move : *moves)
        out << ApplyMoveWord(*puzzle, move) << '\n';
    PrintPathAndMoves(*puzzle, out);
    return ExitOk;
}

int RunSample(const Words& args, std::ostream& out, std::ostream& err)
{
    const Parsed parsed = ParseWords(args, {}, SampleUsage, out, err);
    if (!parsed.Words)
        return parsed.Exit;
    if (!parsed.Words->Positional.empty())
        return UsageError(err, "sample takes no arguments", SampleUsage);
    const QByteArray bytes = JoinTextLines(BuiltInSampleLines());
    out.write(bytes.constData(), bytes.size());
    return ExitOk;
}

int RunSolve(const Words& args, std::ostream& out, std::ostream& err)
{
    const Parsed parsed = ParseWords(args, {{"time-limit", "SECONDS", "needs a number of seconds above 0"}}, SolveUsage,
                                     out, err);
    if (!parsed.Words)
        return parsed.Exit;
    const CommandWords& words = *parsed.Words;
    double seconds = DefaultTimeLimit;
    if (const auto given = words.Values.find("time-limit"); given != words.Values.end()) {
        const std::optional<double> limit = ParseSeconds(given->second);
        if (!limit)
            return UsageError(err, "--time-limit needs a number of seconds above 0", SolveUsage);
        seconds = *limit;
    }
    if (words.Positional.size() != 1)
        return UsageError(err, "solve takes one problem file", SolveUsage);

    Problem problem;
    const LoadStatus status = ReadProblemFile(problem, words.Positional.front(), err);
    if (status != LoadStatus::Loaded)
        return LoadFailureExit(status);
    const ShortestSolution solution = SolveShortest(problem, ShortestBudget{seconds, 0, nullptr});
    for (const SolverMove& move : solution.Moves)
        WriteMove(move, out);
    if (solution.Proven)
        out << "shortest in " << solution.Moves.size() << " moves\n";
    else
        out << "found " << solution.Moves.size() << " moves, not proven shortest\n";
    return ExitOk;
}

int RunGenerate(const Words& args, std::ostream& out, std::ostream& err)
{
    const Parsed parsed =
        ParseWords(args, {PointsOption, SeedOption, DifficultyOption, CodeOption}, GenerateUsage, out, err);
    if (!parsed.Words)
        return parsed.Exit;
    if (!parsed.Words->Positional.empty())
        return UsageError(err, "generate takes options only", GenerateUsage);
    const std::optional<ProblemCode> code = GenerateCode(*parsed.Words, err);
    if (!code)
        return ExitUsage;

    const std::optional<Problem> problem = GenerateProblem(*code);
    if (!problem)
        return UsageError(err, "no problem for " + FormatProblemCode(*code), GenerateUsage);
    const QByteArray bytes = JoinTextLines(FormatProblemLines(problem->Points, problem->PointCount));
    out.write(bytes.constData(), bytes.size());
    err << FormatProblemCode(*code) << '\n';
    return ExitOk;
}

int RunDaily(const Words& args, std::ostream& out, std::ostream& err)
{
    const Parsed parsed = ParseWords(args, {DateOption}, DailyUsage, out, err);
    if (!parsed.Words)
        return parsed.Exit;
    if (!parsed.Words->Positional.empty())
        return UsageError(err, "daily takes options only", DailyUsage);
    const std::string* text = GivenValue(*parsed.Words, DateOption);
    const std::optional<std::chrono::year_month_day> date = text ? ParseDate(*text) : LocalToday();
    const std::optional<ProblemCode> code = date ? DailyProblemCode(*date) : std::nullopt;
    if (!code)
        return OptionError(err, DateOption, DailyUsage);
    out << FormatProblemCode(*code) << '\n';
    return ExitOk;
}
