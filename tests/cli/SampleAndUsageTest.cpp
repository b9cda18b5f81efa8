// SampleAndUsageTest.cpp: `vandrel-cli sample` bytes, help and the exit status of wrong usage.
#include <gtest/gtest.h>

#include "CliRunner.h"

TEST(SampleCommand, WritesTheSavedSampleByteForByte)
{
    const CliRun run = RunCli({"sample"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Out, SampleFileBytes());

    // 71 lines, every one ended by CR LF and none by a bare LF.
    EXPECT_EQ(run.Out.count("\r\n"), 71);
    EXPECT_EQ(run.Out.count('\n'), 71);
    EXPECT_TRUE(run.Out.startsWith("  70\r\n   0   0\r\n   0   1\r\n   1   1\r\n"));
    EXPECT_TRUE(run.Out.endsWith("   0  -1\r\n   1  -1\r\n   1   0\r\n"));
    EXPECT_EQ(run.Out.size(), 6 + 70 * 10);
}

TEST(SampleCommand, OutputLoadsBackAsTheSample)
{
    QTemporaryDir dir;
    const CliRun sample = RunCli({"sample"});
    const CliRun check = RunCli({"check", WriteFile(dir, "Vandrel000.txt", sample.Out)});
    EXPECT_EQ(check.Out, "ok 70 points 16 corners\n");
}

TEST(Usage, HelpGoesToStandardOutputWithExitZero)
{
    const struct {
        QStringList Args;
        QByteArray Mentions;
    } cases[] = {
        {{"--help"}, "vandrel-cli COMMAND"},
        {{"check", "--help"}, "vandrel-cli check FILE"},
        {{"demo", "--help"}, "vandrel-cli demo FILE [--max-steps N]"},
        {{"demo", "p.txt", "--help"}, "vandrel-cli demo FILE [--max-steps N]"},
        {{"apply", "--help"}, "vandrel-cli apply FILE MOVE..."},
        {{"sample", "--help"}, "vandrel-cli sample"},
        {{"--version"}, "vandrel-cli 0.1\n"},
        {{"demo", "p.txt", "--version"}, "vandrel-cli 0.1\n"},
        {{"-h"}, "vandrel-cli COMMAND"},
        {{"generate", "-h"}, "vandrel-cli generate --code CODE"},
        {{"-v"}, "vandrel-cli 0.1\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.Args);
        EXPECT_EQ(run.ExitCode, 0) << c.Args.join(' ').toStdString();
        EXPECT_TRUE(run.Out.contains(c.Mentions)) << run.Out.toStdString();
        EXPECT_EQ(run.Err, "") << c.Args.join(' ').toStdString();
    }
}

TEST(Usage, WrongUsageExitsTwoWithAMessageAndNoOutput)
{
    QTemporaryDir dir;
    const QString problem = WriteFile(dir, "p.txt", ProblemText({{0, 0}, {1, 0}}));
    const QStringList cases[] = {
        {},
        {"frobnicate"},
        {"Check", problem},
        {"check"},
        {"check", problem, problem},
        {"demo"},
        {"demo", problem, problem},
        {"demo", problem, "--max-steps"},
        {"demo", problem, "--max-steps", "-1"},
        {"demo", problem, "--max-steps", "ten"},
        {"demo", problem, "--max-steps", "99999999999999999999999"},
        {"demo", problem, "--fast"},
        {"apply"},
        {"sample", "extra"},
    };
    for (const QStringList& args : cases) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.ExitCode, 2) << args.join(' ').toStdString();
        EXPECT_EQ(run.Out, "") << args.join(' ').toStdString();
        EXPECT_FALSE(run.Err.isEmpty()) << args.join(' ').toStdString();
    }
}

TEST(Usage, OutputThatCannotBeWrittenIsReported)
{
    for (const QStringList& args : {QStringList{"sample"}, {"--help"}, {"daily", "-h"}, {"daily"}}) {
        const CliRun run = RunCli(args, {}, "/dev/full");
        EXPECT_EQ(run.ExitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.Err.endsWith(": cannot write to standard output: No space left on device\n")) << run.Err.data();
    }
}

TEST(Usage, UnknownCommandShowsTheToolUsageOnStandardError)
{
    const CliRun run = RunCli({"shuffle"});
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_TRUE(run.Err.contains("vandrel-cli COMMAND")) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.contains("shuffle")) << run.Err.toStdString();
}
