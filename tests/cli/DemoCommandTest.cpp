// DemoCommandTest.cpp: `vandrel-cli demo` steps the game's demonstration and reports every move.
#include <gtest/gtest.h>

#include "CliRunner.h"
#include "core/RunErrors.h"
#include "support/SampleSolution.h"

namespace {

QByteArray FirstSampleMoves(int n)
{
    QByteArray lines;
    for (int i = 0; i < n; ++i)
        lines += QByteArray::fromStdString(SampleSolution[i]) + '\n';
    return lines;
}

} // namespace

TEST(DemoCommand, SampleIsSolvedInTheThirtyOneKnownMoves)
{
    ASSERT_EQ(SampleSolution.size(), 31u);
    QTemporaryDir dir;
    const CliRun run = RunCli({"demo", WriteFile(dir, "s.txt", SampleFileBytes())});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out, FirstSampleMoves(31) + "solved in 31 moves\n");
    EXPECT_EQ(run.Err, "");
}

TEST(DemoCommand, MaxStepsStopsTheRunUnsolved)
{
    QTemporaryDir dir;
    const QString sample = WriteFile(dir, "s.txt", SampleFileBytes());

    CliRun run = RunCli({"demo", sample, "--max-steps", "0"});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Out, "unsolved after 0 steps\n");

    run = RunCli({"demo", "--max-steps", "3", sample});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Out, FirstSampleMoves(3) + "unsolved after 3 steps\n");

    run = RunCli({"demo", sample, "--max-steps", "30"});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Out, FirstSampleMoves(30) + "unsolved after 30 steps\n");

    run = RunCli({"demo", sample, "--max-steps", "31"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out, FirstSampleMoves(31) + "solved in 31 moves\n");
}

TEST(DemoCommand, OnePointPathIsSolvedInZeroMoves)
{
    QTemporaryDir dir;
    const QString point = WriteFile(dir, "p.txt", ProblemText({{0, 0}}));
    for (const QStringList& args : {QStringList{"demo", point}, QStringList{"demo", point, "--max-steps", "0"}}) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.ExitCode, 0);
        EXPECT_EQ(run.Out, "solved in 0 moves\n");
    }
}

TEST(DemoCommand, RunEndsWithTheStepThatSolves)
{
    QTemporaryDir dir;
    const struct {
        QByteArray Text;
        QByteArray Expected;
    } cases[] = {
        // Already straight: the step is still made, and it solves again.
        {ProblemText({{0, 0}, {1, 0}}), "H 1\nsolved in 1 moves\n"},
        {ProblemText({{0, 0}, {0, 1}, {0, 2}}), "R 1\nsolved in 1 moves\n"},
        {ProblemText({{0, 0}, {0, -1}}), "L 1\nsolved in 1 moves\n"},
        {ProblemText({{0, 0}, {-1, 0}, {-2, 0}}), "V 1\nsolved in 1 moves\n"},
        {ProblemText({{0, 0}, {1, 0}, {1, 1}}), "R 2\nsolved in 1 moves\n"},
        {ProblemText({{0, 0}, {1, 0}, {1, 1}, {0, 1}}), "V 2\nL 3\nR 2\nsolved in 3 moves\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli({"demo", WriteFile(dir, "p.txt", c.Text)});
        EXPECT_EQ(run.ExitCode, 0) << c.Text.toStdString();
        EXPECT_EQ(run.Out, c.Expected) << c.Text.toStdString();
    }
}

TEST(DemoCommand, InvalidOrMissingProblemPrintsNoSteps)
{
    QTemporaryDir dir;
    const QString bad = WriteFile(dir, "bad.txt", "   2\r\n   0   0\r\n   1  x1\r\n");
    CliRun run = RunCli({"demo", bad});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, bad.toUtf8() + ":3: " + EConvertError("  x1").what() + "\n");

    run = RunCli({"demo", dir.filePath("missing.txt")});
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_EQ(run.Out, "");
    EXPECT_FALSE(run.Err.isEmpty());
}
