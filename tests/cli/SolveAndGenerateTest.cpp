// SolveAndGenerateTest.cpp: `vandrel-cli solve` and `generate`: their output, how one feeds the other, wrong usage.
#include <QDate>

#include <gtest/gtest.h>

#include "CliRunner.h"

TEST(SolveCommand, TheSampleInSeventeenMovesThatReplayToSolved)
{
    QTemporaryDir dir;
    const QString sample = WriteFile(dir, "VandrelSample.txt", SampleFileBytes());
    const CliRun run = RunCli({"solve", sample});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Err, "");
    QList<QByteArray> lines = run.Out.split('\n');
    ASSERT_EQ(lines.size(), 19);  // 17 moves, the verdict, nothing after the last line end
    EXPECT_EQ(lines[17], "shortest in 17 moves");

    QStringList apply{"apply", sample};
    for (int i = 0; i < 17; ++i)
        apply.append(QString::fromLatin1(lines[i]).remove(' '));
    EXPECT_TRUE(RunCli(apply).Out.endsWith("moves 17 solved\n"));
}

TEST(SolveCommand, OutOfTimeGivesTheMovesFoundAndSaysSo)
{
    QTemporaryDir dir;
    const QString straight = WriteFile(dir, "p.txt", ProblemText({{0, 0}, {1, 0}, {2, 0}}));
    CliRun run = RunCli({"solve", straight});
    EXPECT_EQ(run.Out, "shortest in 0 moves\n");
    // A tiny limit still gives a solution; whether it is proven depends on the machine.
    const QString corner = WriteFile(dir, "c.txt", ProblemText({{0, 0}, {1, 0}, {1, 1}}));
    run = RunCli({"solve", corner, "--time-limit", "0.000001"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_TRUE(run.Out == "R 2\nshortest in 1 moves\n" || run.Out.endsWith(" moves, not proven shortest\n"))
        << run.Out.toStdString();
}

TEST(GenerateCommand, ProblemsOfEverySizeCheckAndTheCodeMakesThemAgain)
{
    QTemporaryDir dir;
    for (const int points : {2, 3, 70, 255}) {
        const QString n = QString::number(points);
        const CliRun made = RunCli({"generate", "--points", n, "--seed", "42", "--difficulty", "hard"});
        ASSERT_EQ(made.ExitCode, 0) << made.Err.toStdString();
        EXPECT_EQ(made.Err, n.toLatin1() + "-42-h\n");
        EXPECT_TRUE(made.Out.startsWith(n.rightJustified(4, ' ').toLatin1() + "\r\n"));
        const QString file = WriteFile(dir, "g" + n + ".txt", made.Out);
        EXPECT_TRUE(RunCli({"check", file}).Out.startsWith("ok " + n.toLatin1() + " points")) << points;
        EXPECT_EQ(RunCli({"generate", "--code", n + "-42-h"}).Out, made.Out);
    }
    // Without a seed one comes from the system, short enough for a record's name; the code says which.
    const CliRun fresh = RunCli({"generate", "--points", "30"});
    EXPECT_EQ(fresh.ExitCode, 0);
    EXPECT_TRUE(fresh.Err.startsWith("30-") && fresh.Err.endsWith("-n\n") && fresh.Err.size() <= 16 + 1)
        << fresh.Err.toStdString();
}

TEST(DailyCommand, PrintsTheDaysCodeThatGenerateMakes)
{
    EXPECT_EQ(RunCli({"daily", "--date", "2026-12-08"}).Out, "30-8403615125-e\n");
    EXPECT_TRUE(RunCli({"generate", "--code", "30-8403615125-e"}).Out.startsWith("  30\r\n"));
    EXPECT_EQ(RunCli({"daily"}).Out, RunCli({"daily", "--date", QDate::currentDate().toString(Qt::ISODate)}).Out);
}

TEST(GenerateCommand, BadSizeSeedOrDifficultyIsWrongUsageWithNothingWritten)
{
    const QStringList cases[] = {
        {"generate"},
        {"generate", "--points", "1"},
        {"generate", "--points", "256"},
        {"generate", "--points", "seventy"},
        {"generate", "--points", "70", "--seed", "-1"},
        {"generate", "--points", "70", "--seed", "18446744073709551616"},
        {"generate", "--points", "70", "--difficulty", "extreme"},
        {"generate", "--points", "70", "extra"},
        {"generate", "--code", "70-5-x"},
        {"generate", "--code", "70-5-h", "--points", "70"},
        {"daily", "--date", "2026-02-30"},
        {"daily", "--date", "2026-1-01"},
        {"daily", "--date", "20261208"},
        {"solve"},
        {"solve", "p.txt", "--time-limit", "0"},
        {"solve", "p.txt", "--time-limit", "soon"},
    };
    for (const QStringList& args : cases) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.ExitCode, 2) << args.join(' ').toStdString();
        EXPECT_EQ(run.Out, "") << args.join(' ').toStdString();
        EXPECT_TRUE(run.Err.startsWith("vandrel-cli: ")) << args.join(' ').toStdString();
    }
}
