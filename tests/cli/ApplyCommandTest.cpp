// ApplyCommandTest.cpp: `vandrel-cli apply` makes moves through the game's rules and prints the result.
#include <gtest/gtest.h>

#include "CliRunner.h"
#include "core/RunErrors.h"

namespace {

// (0,0), (1,0), (1,1): R about 1 turns it below the x axis, R about 2 solves it.
QByteArray CornerPath(const QByteArray& eol = "\r\n")
{
    return ProblemText({{0, 0}, {1, 0}, {1, 1}}, eol);
}

const QByteArray CornerPathLines = "   3\n   0   0\n   1   0\n   1   1\n";

} // namespace

TEST(ApplyCommand, ReportsEachMoveThenThePathAndTheMoveCount)
{
    QTemporaryDir dir;
    const QString path = WriteFile(dir, "p.txt", CornerPath());

    CliRun run = RunCli({"apply", path, "R1"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out, "R 1 ok\n"
                       "   3\n   0   0\n   0  -1\n   1  -1\n"
                       "moves 1 unsolved\n");
    EXPECT_EQ(run.Err, "");

    run = RunCli({"apply", path, "R1", "L2", "V0", "U", "U"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out, "R 1 ok\nL 2 refused\nV 0 ignored\nU ok\nU empty\n" + CornerPathLines +
                           "moves 0 unsolved\n");
}

TEST(ApplyCommand, RedoWordsMakeMovesTakenBackAgain)
{
    QTemporaryDir dir;
    const QString path = WriteFile(dir, "p.txt", CornerPath());
    const CliRun run = RunCli({"apply", path, "R1", "R2", "U", "U", "Y", "Y", "Y", "U", "H3", "Y"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out, "R 1 ok\nR 2 ok\nU ok\nU ok\nY ok\nY ok\nY empty\nU ok\nH 3 ok\nY empty\n"
                       "   3\n   0   0\n   0  -1\n   1  -1\n"
                       "moves 2 unsolved\n");
}

TEST(ApplyCommand, RefusedMoveLeavesPathAndHistoryAlone)
{
    QTemporaryDir dir;
    const QString path = WriteFile(dir, "p.txt", CornerPath());
    const CliRun run = RunCli({"apply", path, "R1", "L2", "U"});
    EXPECT_EQ(run.Out, "R 1 ok\nL 2 refused\nU ok\n" + CornerPathLines + "moves 0 unsolved\n");
}

TEST(ApplyCommand, PivotOffThePathIsIgnoredAndPrintedAsZero)
{
    QTemporaryDir dir;
    const QString path = WriteFile(dir, "p.txt", CornerPath());
    const CliRun run = RunCli(
        {"apply", path, "V4", "H0", "R256", "L300", "V99999999999999999999999", "C0", "C4", "C3", "C1"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out, "V 0 ignored\nH 0 ignored\nR 0 ignored\nL 0 ignored\nV 0 ignored\n"
                       "C 0 ignored\nC 0 ignored\nC 3 ok\nC 1 ok\n" +
                           CornerPathLines + "moves 0 unsolved\n");
}

TEST(ApplyCommand, KeepsApplyingAfterThePathIsSolved)
{
    QTemporaryDir dir;
    const QString path = WriteFile(dir, "p.txt", CornerPath());
    const QByteArray straight = "   3\n   0   0\n   1   0\n   2   0\n";

    CliRun run = RunCli({"apply", path, "R2"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out, "R 2 ok\n" + straight + "moves 1 solved\n");

    run = RunCli({"apply", path, "R2", "H1", "V3", "L2"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out, "R 2 ok\nH 1 ok\nV 3 ok\nL 2 ok\n"
                       "   3\n   0   0\n   1   0\n   1   1\nmoves 4 unsolved\n");
}

TEST(ApplyCommand, NoMovesPrintsTheLoadedPathWithLineFeeds)
{
    QTemporaryDir dir;
    QByteArray lfOnly = CornerPath("\n");
    QByteArray noFinalEnd = CornerPath();
    noFinalEnd.chop(2);
    for (const QByteArray& bytes : {CornerPath(), lfOnly, noFinalEnd}) {
        const CliRun run = RunCli({"apply", WriteFile(dir, "p.txt", bytes)});
        EXPECT_EQ(run.ExitCode, 0);
        EXPECT_EQ(run.Out, CornerPathLines + "moves 0 unsolved\n");
    }
    const CliRun one = RunCli({"apply", WriteFile(dir, "one.txt", ProblemText({{0, 0}})), "V1"});
    EXPECT_EQ(one.Out, "V 1 ok\n   1\n   0   0\nmoves 1 solved\n");
}

TEST(ApplyCommand, MalformedMoveIsWrongUsageAndNothingIsApplied)
{
    QTemporaryDir dir;
    const QString path = WriteFile(dir, "p.txt", CornerPath());
    for (const QString word : {"X1", "V", "C", "v2", "V-1", "V+1", "U1", "R1x", "R 1", "", "UU", "--max-steps"}) {
        const CliRun run = RunCli({"apply", path, "R2", word});
        EXPECT_EQ(run.ExitCode, 2) << word.toStdString();
        EXPECT_EQ(run.Out, "") << word.toStdString();
        EXPECT_FALSE(run.Err.isEmpty()) << word.toStdString();
    }
}

TEST(ApplyCommand, InvalidOrMissingProblemAppliesNothing)
{
    QTemporaryDir dir;
    const QString bad = WriteFile(dir, "bad.txt", "   2\r\n   0   0\r\n   1  x1\r\n");
    CliRun run = RunCli({"apply", bad, "R1"});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, bad.toUtf8() + ":3: " + EConvertError("  x1").what() + "\n");

    run = RunCli({"apply", dir.filePath("missing.txt"), "R1"});
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_EQ(run.Out, "");
}

TEST(ApplyCommand, MoveBeyondTheFullHistoryIsRefused)
{
    QTemporaryDir dir;
    const QString path = WriteFile(dir, "p.txt", ProblemText({{0, 0}, {1, 0}}));
    QStringList args{"apply", path};
    for (int i = 0; i < 65535; ++i)
        args << "H1";
    args << "H1" << "U" << "H1" << "H1";
    const CliRun run = RunCli(args);
    ASSERT_EQ(run.ExitCode, 0);

    const QList<QByteArray> lines = run.Out.split('\n');
    ASSERT_EQ(lines.size(), 65535 + 4 + 3 + 1 + 1);  // moves, path, count, after the last '\n'
    EXPECT_EQ(lines.count("H 1 ok"), 65535 + 1);
    EXPECT_EQ(lines[65534], "H 1 ok");
    EXPECT_EQ(lines[65535], "H 1 refused");
    EXPECT_EQ(lines[65536], "U ok");
    EXPECT_EQ(lines[65537], "H 1 ok");
    EXPECT_EQ(lines[65538], "H 1 refused");
    EXPECT_EQ(lines[65542], "moves 65535 solved");
}
