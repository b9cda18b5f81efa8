// CheckCommandTest.cpp: `vandrel-cli check` accepts what the game opens and names faults by file and line.
#include <variant>

#include <QDir>

#include <gtest/gtest.h>

#include "CliRunner.h"
#include "core/RunErrors.h"
#include "files/ProblemFile.h"
#include "files/TextFile.h"

namespace {

// The whole stderr the tool must give for a file the game's parser rejects.
QByteArray ExpectedFault(const QString& shownName, const QByteArray& fileBytes, int line)
{
    const ProblemParse parsed = ParseProblemLines(SplitTextLines(fileBytes));
    const auto* fault = std::get_if<ProblemError>(&parsed);
    if (!fault) {
        ADD_FAILURE() << "the parser accepted the file";
        return {};
    }
    EXPECT_EQ(fault->Line, line);
    return shownName.toUtf8() + ':' + QByteArray::number(line) + ": " + fault->Message.toUtf8() + '\n';
}

} // namespace

TEST(CheckCommand, SampleHasSeventyPointsAndSixteenCorners)
{
    QTemporaryDir dir;
    const CliRun run = RunCli({"check", WriteFile(dir, "Vandrel000.txt", SampleFileBytes())});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Out, "ok 70 points 16 corners\n");
    EXPECT_EQ(run.Err, "");
}

TEST(CheckCommand, CountsOnlyCornersNotEndsOrStraightPoints)
{
    QTemporaryDir dir;
    const struct {
        QByteArray Text;
        QByteArray Expected;
    } cases[] = {
        {ProblemText({{0, 0}}), "ok 1 points 0 corners\n"},
        {ProblemText({{0, 0}, {1, 0}, {2, 0}, {3, 0}}), "ok 4 points 0 corners\n"},
        {ProblemText({{0, 0}, {1, 0}, {1, 1}, {0, 1}}), "ok 4 points 2 corners\n"},
        {ProblemText({{0, 0}, {0, -1}, {0, -2}, {-1, -2}, {-1, -3}}), "ok 5 points 2 corners\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli({"check", WriteFile(dir, "p.txt", c.Text)});
        EXPECT_EQ(run.ExitCode, 0) << c.Text.toStdString();
        EXPECT_EQ(run.Out, c.Expected) << c.Text.toStdString();
    }
}

TEST(CheckCommand, LineEndsAndTrailingLinesDoNotChangeTheProblem)
{
    QTemporaryDir dir;
    QByteArray lfOnly = SampleFileBytes();
    lfOnly.replace("\r\n", "\n");
    QByteArray noFinalEnd = SampleFileBytes();
    noFinalEnd.chop(2);
    QByteArray lfNoFinalEnd = lfOnly;
    lfNoFinalEnd.chop(1);
    QByteArray wordAfterCount = SampleFileBytes();
    wordAfterCount.replace(0, 4, "70 points");
    const QByteArray extraLines = SampleFileBytes() + "  23 102\r\nanything at all\r\n";

    for (const QByteArray& bytes : {lfOnly, noFinalEnd, lfNoFinalEnd, wordAfterCount, extraLines}) {
        const CliRun run = RunCli({"check", WriteFile(dir, "s.txt", bytes)});
        EXPECT_EQ(run.ExitCode, 0);
        EXPECT_EQ(run.Out, "ok 70 points 16 corners\n");
        EXPECT_EQ(run.Err, "");
    }
}

TEST(CheckCommand, NonIntegerFieldGivesFileLineAndConversionMessage)
{
    QTemporaryDir dir;
    const QString path = WriteFile(dir, "bad.txt", "   2\r\n   0   0\r\n   1  x1\r\n");
    const CliRun run = RunCli({"check", path});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, path.toUtf8() + ":3: " + EConvertError("  x1").what() + "\n");
}

TEST(CheckCommand, FileInTheFaultLineIsThePathAsGiven)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("sub");
    WriteFile(dir, "sub/bad.txt", "   2\r\n   0   0\r\n   1  x1\r\n");
    for (const QString& given : {QString("sub/bad.txt"), QString("./sub/../sub/bad.txt")}) {
        const CliRun run = RunCli({"check", given}, dir.path());
        EXPECT_EQ(run.ExitCode, 1);
        EXPECT_EQ(run.Err, given.toUtf8() + ":3: " + EConvertError("  x1").what() + "\n");
    }
}

TEST(CheckCommand, EachRejectionNamesTheLineOfItsPoint)
{
    QTemporaryDir dir;
    const struct {
        QByteArray Text;
        int Line;
    } cases[] = {
        {ProblemText({{1, 0}, {2, 0}}), 2},                         // not the origin first
        {ProblemText({{0, 0}, {1, 0}, {3, 0}}), 4},                 // a step of two
        {ProblemText({{0, 0}, {1, 0}, {2, 1}}), 4},                 // a diagonal step
        {ProblemText({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}}), 6}, // back at the origin
        {"   3\r\n   0   0\r\n   1   0\r\n", 4},                    // a point line missing
        {"   2\r\n   0   0\r\n   1 0  \r\n", 3},                    // a blank after the number
        {"   2\r\n   0   0\r\n   1\r\n", 3},                        // no Y field
    };
    for (const auto& c : cases) {
        const QString path = WriteFile(dir, "bad.txt", c.Text);
        const CliRun run = RunCli({"check", path});
        EXPECT_EQ(run.ExitCode, 1) << c.Text.toStdString();
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(run.Err, ExpectedFault(path, c.Text, c.Line)) << c.Text.toStdString();
    }
}

TEST(CheckCommand, CountOutsideOneTo255IsRejectedBeforeCuttingToEightBits)
{
    QTemporaryDir dir;
    // After the count, a valid path of two points: a count cut to its low 8
    // bits (257 -> 1, $102 -> 2) would load it.
    const QByteArray points = "   0   0\r\n   1   0\r\n";
    for (const QByteArray count : {"256", "$100", "257", "$101", "258", "$102", "0", "-2", "  -1"}) {
        const QByteArray text = count + "\r\n" + points;
        const QString path = WriteFile(dir, "count.txt", text);
        const CliRun run = RunCli({"check", path});
        EXPECT_EQ(run.ExitCode, 1) << count.toStdString();
        EXPECT_EQ(run.Out, "") << count.toStdString();
        EXPECT_EQ(run.Err, ExpectedFault(path, text, 1)) << count.toStdString();
    }
}

TEST(CheckCommand, HexadecimalCountIsRead)
{
    QTemporaryDir dir;
    const QByteArray points = "   0   0\r\n   1   0\r\n";
    for (const QByteArray count : {"$2", "0x2", "x2"}) {
        const CliRun run = RunCli({"check", WriteFile(dir, "hex.txt", count + "\r\n" + points)});
        EXPECT_EQ(run.ExitCode, 0) << count.toStdString();
        EXPECT_EQ(run.Out, "ok 2 points 0 corners\n") << count.toStdString();
    }
}

TEST(CheckCommand, UnreadableFileIsExitTwoWithAMessage)
{
    QTemporaryDir dir;
    for (const QString& path : {dir.filePath("missing.txt"), dir.path(), QStringLiteral("/dev/zero")}) {
        const CliRun run = RunCli({"check", path});
        EXPECT_EQ(run.ExitCode, 2) << path.toStdString();
        EXPECT_EQ(run.Out, "");
        EXPECT_FALSE(run.Err.isEmpty());
        EXPECT_TRUE(run.Err.endsWith('\n'));
    }
}
