// TextFileTest.cpp: Shift-JIS lines, integer fields, and whole-file reads and atomic writes.
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "FileHelpers.h"
#include "core/RunErrors.h"
#include "files/ProblemFile.h"
#include "files/ProblemText.h"
#include "files/TextFile.h"

TEST(TextLines, LineEndsAllReadAlike)
{
    const QStringList expected{"  70", "   0   0"};
    EXPECT_EQ(SplitTextLines("  70\r\n   0   0\r\n"), expected);
    EXPECT_EQ(SplitTextLines("  70\n   0   0\n"), expected);
    EXPECT_EQ(SplitTextLines("  70\r\n   0   0"), expected);
    EXPECT_EQ(SplitTextLines("  70\n   0   0"), expected);
}

// A stray CR in a CR LF file ends a line, as editors show it, rather than
// hiding the line after it in columns that are never read; the page's reader
// splits alike.
TEST(TextLines, ALoneCrEndsALineForBothReaders)
{
    for (const QByteArray& bytes : {QByteArray("   2\r\n   0   0\r   0   1\r\n"), QByteArray("   2\r   0   0\r   0   1")}) {
        EXPECT_EQ(SplitTextLines(bytes), (QStringList{"   2", "   0   0", "   0   1"}));
        EXPECT_EQ(SplitProblemText(bytes.toStdString()), (std::vector<std::string>{"   2", "   0   0", "   0   1"}));
    }
}

TEST(TextLines, OnlyTheFinalLineEndMakesNoLine)
{
    EXPECT_EQ(SplitTextLines(""), QStringList{});
    EXPECT_EQ(SplitTextLines("\r\n"), QStringList{""});
    EXPECT_EQ(SplitTextLines("a\r\n\r\nb\r\n"), (QStringList{"a", "", "b"}));
    EXPECT_EQ(SplitTextLines("a\n\n"), (QStringList{"a", ""}));
}

TEST(TextLines, ShiftJisBothWays)
{
    // ソ ends in 0x5C, the byte of "\": it must stay part of the character.
    const QByteArray bytes("\x83\x5c\x83\x89\x83\x68\x83\x7e\r\nab\r\n");
    const QStringList lines{QStringLiteral("ソラドミ"), "ab"};
    EXPECT_EQ(SplitTextLines(bytes), lines);
    EXPECT_EQ(JoinTextLines(lines), bytes);
    EXPECT_EQ(ToShiftJis(QStringLiteral("問題")), QByteArray("\x96\xe2\x91\xe8"));
    EXPECT_EQ(FromShiftJis("\x96\xe2\x91\xe8"), QStringLiteral("問題"));
}

TEST(TextLines, CharactersShiftJisLacksBecomeOneQuestionMarkEach)
{
    const std::pair<QString, QByteArray> cases[] = {
        {QStringLiteral("a€b"), "a?b"},
        {QStringLiteral("😀ソ"), "?\x83\x5c"},  // a surrogate pair is one character
        {QString(QChar(0xD800)), "?"},             // half of a pair alone
        {QStringLiteral("€€"), "??"},
    };
    for (const auto& [text, bytes] : cases)
        EXPECT_EQ(ToShiftJis(text), bytes) << text.toStdString();
}

TEST(TextLines, EachConversionStartsAfresh)
{
    // A fault, or a double-byte character cut off, in one text must not reach the next.
    EXPECT_EQ(ToShiftJis(QStringLiteral("€")), "?");
    EXPECT_EQ(ToShiftJis(QStringLiteral("ソラ")), QByteArray("\x83\x5c\x83\x89"));
    FromShiftJis("ab\x83");
    EXPECT_EQ(FromShiftJis("\x5c"), QStringLiteral("\\"));
}

TEST(TextLines, JoinEndsEveryLineWithTheGivenEnd)
{
    EXPECT_EQ(JoinTextLines({"a", "", "b"}), QByteArray("a\r\n\r\nb\r\n"));
    EXPECT_EQ(JoinTextLines({"a", "b"}, "\n"), QByteArray("a\nb\n"));
    EXPECT_EQ(JoinTextLines({}), QByteArray());
    EXPECT_EQ(JoinByteLines({"x", "y"}), QByteArray("x\r\ny\r\n"));
    EXPECT_EQ(SplitByteLines("\x83\x5c\r\n\xff\n"), (QList<QByteArray>{"\x83\x5c", "\xff"}));
}

TEST(FieldInteger, BlanksAndSignBeforeDigitsOnly)
{
    EXPECT_EQ(ReadFieldInteger("   0"), 0);
    EXPECT_EQ(ReadFieldInteger("  -1"), -1);
    EXPECT_EQ(ReadFieldInteger("  +7"), 7);
    EXPECT_EQ(ReadFieldInteger("9999"), 9999);
    EXPECT_EQ(ReadFieldInteger(" \t12"), 12);
    EXPECT_EQ(ReadFieldInteger("   3600000"), 3600000);
    EXPECT_EQ(ReadFieldInteger("-2147483648"), -2147483647 - 1);
}

TEST(FieldInteger, RejectsAnythingElse)
{
    for (const char* field : {"", "    ", "-", "  +", "1   ", " 1 2", "  1x", "  $1", "0x1f", "- 1", "2147483648",
                              "99999999999"})
        EXPECT_EQ(ReadFieldInteger(field), std::nullopt) << "'" << field << "'";
    EXPECT_EQ(ReadFieldInteger(QStringLiteral("１２")), std::nullopt) << "full-width digits";
}

TEST(ReadFile, ReadsTheBytesAsTheyAre)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("a.txt");
    WriteAll(name, "  70\r\n\x83\x5c");
    EXPECT_EQ(ReadFileBytes(name), QByteArray("  70\r\n\x83\x5c"));
}

TEST(ReadFile, RefusesMoreThanItsLimitWithoutReadingItWhole)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("big.txt");
    WriteAll(name, QByteArray(ProblemFileMaxBytes, ' '));
    EXPECT_EQ(ReadFileBytes(name).size(), ProblemFileMaxBytes);
    WriteAll(name, QByteArray(ProblemFileMaxBytes + 1, ' '));
    EXPECT_EQ(FileErrorOf([&] { ReadFileBytes(name); }), ReadFailure(name) + FileTooLargeReason(ProblemFileMaxBytes));
    // A device reports no size and never ends; the records file has a limit of its own.
    TRecordsList records;
    EXPECT_EQ(FileErrorOf([&] { records.Load("/dev/zero"); }),
              ReadFailure("/dev/zero") + FileTooLargeReason(RecordsFileMaxBytes));
    // A pipe nothing writes to is refused, not waited on.
    const QString pipe = dir.filePath("pipe.txt");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(FileErrorOf([&] { records.Load(pipe); }), ReadFailure(pipe) + PipeReason);
}

TEST(TextLines, AUtf8MarkMakesTheRestReadAsUtf8)
{
    const QByteArray mark("\xEF\xBB\xBF");
    EXPECT_EQ(SplitTextLines(mark + "  70\r\n\xE3\x82\xBD\r\n"), (QStringList{"  70", QStringLiteral("ソ")}));
    EXPECT_EQ(ParseProblemLines(SplitTextLines(mark + JoinTextLines(BuiltInSampleLines()))).index(), 0u);
}

TEST(WriteFile, CreatesAndReplacesWholeFiles)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("p.txt");
    WriteFileAtomically(name, "first, longer content\r\n");
    EXPECT_EQ(ReadAll(name), QByteArray("first, longer content\r\n"));
    WriteFileAtomically(name, "second\r\n");
    EXPECT_EQ(ReadAll(name), QByteArray("second\r\n"));
    WriteFileAtomically(name, "");
    EXPECT_EQ(ReadAll(name), QByteArray());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"p.txt"}) << "no temporary file left";
}
