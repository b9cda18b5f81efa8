// FileFaultsTest.cpp: problem files, the records file and saved problems when the folder, the disk or the file's content is at fault.
#include <algorithm>
#include <random>
#include <string>

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "FileHelpers.h"
#include "ReadOnlyFolder.h"
#include "WriteLimit.h"
#include "core/RunErrors.h"
#include "files/ProblemFile.h"
#include "files/Records.h"
#include "files/TextFile.h"

namespace {

// Bytes of a literal that may hold NULs.
template <std::size_t N>
QByteArray Bytes(const char (&literal)[N])
{
    return QByteArray(literal, N - 1);
}

// Every file in a folder, hidden ones too: a failed write leaves no temporary file behind.
QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

QList<QByteArray> LinesOf(const QString& fileName)
{
    return SplitByteLines(ReadAll(fileName));
}

// `count` records named P000000, P000002, ... in their sorted order.
QList<QByteArray> ManyRecords(int count)
{
    QList<QByteArray> lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines.append(RecordLine("P" + QByteArray::number(2 * i).rightJustified(6, '0'), QByteArray::number(100 + i),
                                "2024/01/01"));
    return lines;
}

// A file of records whose folder is a scratch folder of its own.
class RecordsFileFaults : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder = dir.filePath("records");
    QString fileName = folder + "/" + RecordsFileName;
    QByteArray old = JoinByteLines({RecordLine("Alpha", "17", "2020/01/01"), RecordLine("Zeta", "9", "2021/02/02")});
    TRecordsList records;

    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkdir(folder));
        WriteAll(fileName, old);
        records.Load(fileName);
    }
};

// A problem file that a save is about to replace.
class ProblemSaveFaults : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder = dir.filePath("problems");
    QString fileName = folder + "/Vandrel5.txt";
    QByteArray old = JoinTextLines({"   3", "   0   0", "   1   0", "   1   1"});
    QByteArray sample = JoinTextLines(BuiltInSampleLines());

    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkdir(folder));
        WriteAll(fileName, old);
    }

    // What "保存" writes: the problem's lines, replacing the file in one step.
    void Save(const QString& target) { WriteFileAtomically(target, sample); }

    void ExpectOldProblemWhole()
    {
        EXPECT_EQ(ReadAll(fileName), old);
        EXPECT_EQ(FilesIn(folder), QStringList{"Vandrel5.txt"});
    }
};

}  // namespace

// --- The records file: its folder or the disk refuses ---------------------------

TEST_F(RecordsFileFaults, ReadOnlyFolderLeavesTheOldFileAndTheNextStoreKeepsEveryLine)
{
    const Found found = Find(records, "Vandrel5");
    ASSERT_EQ(found.line, 1);
    QString message;
    {
        ReadOnlyFolder readOnly(dir.path(), folder);
        PermissionsHold hold;
        if (!PermissionsHold::CannotCreateIn(folder))
            GTEST_SKIP() << "this process may write into any folder";
        message = FileErrorOf([&] { records.StoreBestTime(found.line, "Vandrel5", 42, SomeDay, fileName); });
    }
    EXPECT_TRUE(Begins(message, WriteFailure(fileName)));
    EXPECT_EQ(ReadAll(fileName), old);
    EXPECT_EQ(FilesIn(folder), QStringList{RecordsFileName});

    // Once the folder can be written again, the record kept in the list
    // reaches the file with every other line.
    records.StoreBestTime(found.line, "Vandrel5", 41, SomeDay, fileName);
    EXPECT_EQ(LinesOf(fileName), (QList<QByteArray>{RecordLine("Alpha", "17", "2020/01/01"), StoredLine("Vandrel5", 41, SomeDay),
                                                    RecordLine("Zeta", "9", "2021/02/02")}));
}

TEST_F(RecordsFileFaults, MissingFileInAReadOnlyFolderCannotBeCreated)
{
    ASSERT_TRUE(QFile::remove(fileName));
    records.Lines = {RecordLine("Alpha", "17")};
    QString message;
    {
        ReadOnlyFolder readOnly(dir.path(), folder);
        PermissionsHold hold;
        if (!PermissionsHold::CannotCreateIn(folder))
            GTEST_SKIP() << "this process may write into any folder";
        message = FileErrorOf([&] { records.Load(fileName); });
    }
    EXPECT_TRUE(Begins(message, WriteFailure(fileName)));
    EXPECT_EQ(records.Lines, QList<QByteArray>{RecordLine("Alpha", "17")});
    EXPECT_TRUE(FilesIn(folder).isEmpty());
}

TEST_F(RecordsFileFaults, FolderThatIsAFileRefusesTheLoadAndTheStore)
{
    // Whatever the rights of the process, no file can be made below a plain file.
    const QString plain = dir.filePath("plain");
    WriteAll(plain, "a plain file");
    const QString below = plain + "/" + RecordsFileName;
    TRecordsList list;
    list.Lines = {RecordLine("Alpha", "17")};

    EXPECT_TRUE(Begins(FileErrorOf([&] { list.Load(below); }), WriteFailure(below)));
    EXPECT_EQ(list.Lines, QList<QByteArray>{RecordLine("Alpha", "17")});
    const Found found = Find(list, "Vandrel5");
    EXPECT_TRUE(Begins(FileErrorOf([&] { list.StoreBestTime(found.line, "Vandrel5", 42, SomeDay, below); }),
                       WriteFailure(below)));
    EXPECT_EQ(list.Lines, (QList<QByteArray>{RecordLine("Alpha", "17"), StoredLine("Vandrel5", 42, SomeDay)}));
    EXPECT_EQ(ReadAll(plain), QByteArray("a plain file"));
}

TEST_F(RecordsFileFaults, TargetThatIsAFolderIsNeitherReadNorReplaced)
{
    const QString target = dir.filePath("folder");
    ASSERT_TRUE(QDir().mkdir(target));
    WriteAll(target + "/inside", "kept");

    EXPECT_TRUE(Begins(FileErrorOf([&] { records.Load(target); }), ReadFailure(target)));
    EXPECT_EQ(records.Lines, LinesOf(fileName)) << "the list read before is kept";

    const Found found = Find(records, "Vandrel5");
    EXPECT_TRUE(Begins(FileErrorOf([&] { records.StoreBestTime(found.line, "Vandrel5", 42, SomeDay, target); }),
                       WriteFailure(target)));
    EXPECT_EQ(FilesIn(target), QStringList{"inside"});
    EXPECT_EQ(ReadAll(target + "/inside"), QByteArray("kept"));
}

TEST_F(RecordsFileFaults, FullDiskLeavesTheOldFileWholeAtAnyPoint)
{
    // Large enough that the new file is written out in several pieces, so the
    // disk can fill up at the start, in the middle or just before the end.
    const QList<QByteArray> lines = ManyRecords(3000);
    old = JoinByteLines(lines);
    WriteAll(fileName, old);
    records.Load(fileName);
    const Found found = Find(records, "P003001");
    ASSERT_EQ(found.line, 1501);
    for (const qsizetype room : {qsizetype(0), qsizetype(100), old.size() / 2, old.size()}) {
        QString message;
        {
            WriteLimit limit(static_cast<rlim_t>(room));
            message = FileErrorOf([&] { records.StoreBestTime(found.line, "P003001", 42, SomeDay, fileName); });
        }
        EXPECT_TRUE(Begins(message, WriteFailure(fileName)));
        EXPECT_EQ(records.Lines[found.line], StoredLine("P003001", 42, SomeDay)) << "the list holds the new record";
        EXPECT_EQ(ReadAll(fileName), old) << "room for " << room << " bytes";
        EXPECT_EQ(FilesIn(folder), QStringList{RecordsFileName}) << "room for " << room << " bytes";
    }
    records.StoreBestTime(found.line, "P003001", 42, SomeDay, fileName);
    QList<QByteArray> expected = lines;
    expected.insert(1501, StoredLine("P003001", 42, SomeDay));
    EXPECT_EQ(LinesOf(fileName), expected);
}

TEST_F(RecordsFileFaults, FileThatCannotBeReadIsNotReplaced)
{
    // The file may be written but not read: the records it holds never
    // reached the list, and replacing it with the list would lose them.
    TRecordsList list;
    QString loadMessage;
    QString storeMessage;
    {
        TemporaryMode parentMode(dir.path(), 0755);
        TemporaryMode folderMode(folder, 0777);
        TemporaryMode fileMode(fileName, 0222);
        PermissionsHold hold;
        if (!PermissionsHold::CannotRead(fileName))
            GTEST_SKIP() << "this process may read any file";
        loadMessage = FileErrorOf([&] { list.Load(fileName); });
        const Found found = Find(list, "Vandrel5");
        storeMessage = FileErrorOf([&] { list.StoreBestTime(found.line, "Vandrel5", 42, SomeDay, fileName); });
    }
    EXPECT_TRUE(Begins(loadMessage, ReadFailure(fileName)));
    EXPECT_TRUE(Begins(storeMessage, ReadFailure(fileName)));
    EXPECT_EQ(list.Lines, QList<QByteArray>{StoredLine("Vandrel5", 42, SomeDay)}) << "the list holds the new record";
    EXPECT_EQ(ReadAll(fileName), old);
    EXPECT_EQ(FilesIn(folder), QStringList{RecordsFileName});
}

// --- The records file: what it holds is at fault ---------------------------------

TEST_F(RecordsFileFaults, BinaryJunkIsKeptLineForLine)
{
    std::mt19937 random(20241208);
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray junk;
    for (int i = 0; i < 64 * 1024; ++i)
        junk += static_cast<char>(byte(random));
    junk += "\x83";  // the first byte of a double-byte character, cut off by the end of the file
    WriteAll(fileName, junk);

    records.Load(fileName);
    const QList<QByteArray> before = records.Lines;
    ASSERT_GT(before.size(), 100);
    const Found found = Find(records, "Vandrel5");
    EXPECT_EQ(found.seconds, NoRecordSeconds);
    records.StoreBestTime(found.line, "Vandrel5", 42, SomeDay, fileName);

    QList<QByteArray> expected = before;
    expected.insert(found.line, StoredLine("Vandrel5", 42, SomeDay));
    EXPECT_EQ(ReadAll(fileName), JoinByteLines(expected)) << "every junk line as it was, each ended by CR LF";
}

TEST_F(RecordsFileFaults, JunkInATimeFieldIsPassedOverAndKept)
{
    const QList<QByteArray> lines{Bytes("\x01\x02\x00\x7f junk"), Bytes("Vandrel5            \x00\xff\x81 12x\r\xfe tail"),
                                  Bytes("\xfe\xfe\x00\x00")};
    WriteAll(fileName, JoinByteLines(lines));
    records.Load(fileName);
    ASSERT_EQ(records.Lines, lines);

    const Found found = Find(records, "Vandrel5");
    EXPECT_EQ(found.line, 2);
    EXPECT_EQ(found.seconds, NoRecordSeconds);
    records.StoreBestTime(found.line, "Vandrel5", 42, SomeDay, fileName);
    EXPECT_EQ(LinesOf(fileName), (QList<QByteArray>{lines[0], lines[1], StoredLine("Vandrel5", 42, SomeDay), lines[2]}));
}

TEST_F(RecordsFileFaults, UnsortedFileLosesNoLine)
{
    const QList<QByteArray> lines{RecordLine("Zeta", "5", "2020/01/01"), RecordLine("Alpha", "7", "2020/01/02"),
                                  RecordLine("Vandrel5", "100", "2020/01/03")};
    WriteAll(fileName, JoinByteLines(lines));
    records.Load(fileName);

    // The scan for the sorted place stops at "Zeta": the record further down
    // is not seen, and the problem gets a line of its own there.
    const Found found = Find(records, "Vandrel5");
    EXPECT_EQ(found.line, 0);
    EXPECT_EQ(found.seconds, NoRecordSeconds);
    records.StoreBestTime(found.line, "Vandrel5", 200, SomeDay, fileName);
    EXPECT_EQ(LinesOf(fileName), (QList<QByteArray>{StoredLine("Vandrel5", 200, SomeDay), lines[0], lines[1], lines[2]}));

    // From then on the problem finds that line again.
    TRecordsList reread;
    reread.Load(fileName);
    const Found again = Find(reread, "Vandrel5");
    EXPECT_EQ(again.line, 0);
    EXPECT_EQ(again.seconds, 200);
    EXPECT_EQ(reread.Lines.size(), 4);
}

TEST_F(RecordsFileFaults, DuplicateNameUsesAndReplacesOnlyItsFirstLine)
{
    const QList<QByteArray> lines{RecordLine("Beta", "10", "2020/01/01"), RecordLine("Vandrel5", "100", "2020/01/02"),
                                  RecordLine("Vandrel5", "50", "2020/01/03"), RecordLine("Zeta", "3", "2020/01/04")};
    WriteAll(fileName, JoinByteLines(lines));
    records.Load(fileName);

    const Found found = Find(records, "Vandrel5");
    EXPECT_EQ(found.line, 1);
    EXPECT_EQ(found.seconds, 100);
    records.StoreBestTime(found.line, "Vandrel5", 80, SomeDay, fileName);
    EXPECT_EQ(LinesOf(fileName), (QList<QByteArray>{lines[0], StoredLine("Vandrel5", 80, SomeDay), lines[2], lines[3]}));
    EXPECT_EQ(Find(records, "Vandrel5").seconds, 80);
    EXPECT_EQ(records.Lines.size(), 4);
}

TEST_F(RecordsFileFaults, MegabyteLinesAreReadByTheirFirstColumnsAndKept)
{
    const QByteArray alpha = RecordLine("Alpha", "17", "2020/01/01") + QByteArray(1 << 20, 'a');
    const QByteArray ours = RecordLine("Vandrel5", "300", "2020/01/02") + QByteArray(1 << 20, '\x81');
    const QByteArray zeds(1 << 20, 'z');  // no line end at the end of the file
    old = alpha + "\r\n" + ours + "\r\n" + zeds;
    WriteAll(fileName, old);
    records.Load(fileName);

    const Found found = Find(records, "Vandrel5");
    EXPECT_EQ(found.line, 1);
    EXPECT_EQ(found.seconds, 300);
    {
        WriteLimit limit(1 << 20);
        EXPECT_TRUE(Begins(FileErrorOf([&] { records.StoreBestTime(found.line, "Vandrel5", 299, SomeDay, fileName); }),
                           WriteFailure(fileName)));
    }
    EXPECT_EQ(ReadAll(fileName), old);

    records.StoreBestTime(found.line, "Vandrel5", 299, SomeDay, fileName);
    EXPECT_EQ(ReadAll(fileName), alpha + "\r\n" + StoredLine("Vandrel5", 299, SomeDay) + "\r\n" + zeds + "\r\n");
}

TEST_F(RecordsFileFaults, ThousandsOfLinesKeepTheirOrder)
{
    const QList<QByteArray> lines = ManyRecords(5000);
    WriteAll(fileName, JoinByteLines(lines));
    records.Load(fileName);

    EXPECT_EQ(Find(records, "P009998").seconds, 100 + 4999);
    const Found found = Find(records, "P005001");
    EXPECT_EQ(found.line, 2501);
    EXPECT_EQ(found.seconds, NoRecordSeconds);
    records.StoreBestTime(found.line, "P005001", 42, SomeDay, fileName);

    QList<QByteArray> expected = lines;
    expected.insert(2501, StoredLine("P005001", 42, SomeDay));
    EXPECT_EQ(LinesOf(fileName), expected);
}

TEST_F(RecordsFileFaults, MoreLinesThanALineNumberHoldsRefuseOnlyWhatCannotBeNumbered)
{
    const QList<QByteArray> lines = ManyRecords(70000);
    old = JoinByteLines(lines);
    WriteAll(fileName, old);
    records.Load(fileName);
    ASSERT_EQ(records.Lines.size(), 70000);

    // Past the 65536th line, a problem's line has no number, and no line can be added.
    std::int32_t seconds = NoRecordSeconds;
    std::uint16_t line = 7;
    EXPECT_THROW(records.FindRecord("P138000", seconds, line), EIntOverflow);
    EXPECT_THROW(records.FindRecord("A", seconds, line), EIntOverflow);
    EXPECT_EQ(line, 7);
    EXPECT_EQ(records.Lines, lines);
    EXPECT_EQ(ReadAll(fileName), old);

    // A problem near the top is stored as usual, and every line is written back.
    const Found found = Find(records, "P000010");
    EXPECT_EQ(found.line, 5);
    records.StoreBestTime(found.line, "P000010", 42, SomeDay, fileName);
    QList<QByteArray> expected = lines;
    expected[5] = StoredLine("P000010", 42, SomeDay);
    EXPECT_EQ(LinesOf(fileName), expected);
}

// --- Reading a problem -----------------------------------------------------------

TEST(ProblemReadFaults, MissingFileAndFolderAreNamedAsUnreadable)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("missing.txt");
    EXPECT_TRUE(Begins(FileErrorOf([&] { ReadFileBytes(missing); }), ReadFailure(missing)));
    const QString folder = dir.filePath("folder");
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_TRUE(Begins(FileErrorOf([&] { ReadFileBytes(folder); }), ReadFailure(folder)));
}

// --- Saving a problem ------------------------------------------------------------

TEST_F(ProblemSaveFaults, ReadOnlyFolderLeavesTheOldProblem)
{
    QString message;
    {
        ReadOnlyFolder readOnly(dir.path(), folder);
        PermissionsHold hold;
        if (!PermissionsHold::CannotCreateIn(folder))
            GTEST_SKIP() << "this process may write into any folder";
        message = FileErrorOf([&] { Save(fileName); });
    }
    EXPECT_TRUE(Begins(message, WriteFailure(fileName)));
    ExpectOldProblemWhole();
}

TEST_F(ProblemSaveFaults, FolderThatIsAFileRefusesTheSave)
{
    const QString plain = folder + "/plain";
    WriteAll(plain, "a plain file");
    const QString below = plain + "/Vandrel6.txt";
    EXPECT_TRUE(Begins(FileErrorOf([&] { Save(below); }), WriteFailure(below)));
    EXPECT_EQ(ReadAll(plain), QByteArray("a plain file"));
    EXPECT_EQ(ReadAll(fileName), old);
}

TEST_F(ProblemSaveFaults, TargetThatIsAFolderIsLeftAsItWas)
{
    const QString target = folder + "/Vandrel6.txt";
    ASSERT_TRUE(QDir().mkdir(target));
    WriteAll(target + "/inside", "kept");
    EXPECT_TRUE(Begins(FileErrorOf([&] { Save(target); }), WriteFailure(target)));
    EXPECT_EQ(FilesIn(target), QStringList{"inside"});
    EXPECT_EQ(ReadAll(target + "/inside"), QByteArray("kept"));
}

TEST_F(ProblemSaveFaults, FullDiskLeavesTheOldProblemWholeAtAnyPoint)
{
    for (const qsizetype room : {qsizetype(0), old.size(), sample.size() - 1}) {
        QString message;
        {
            WriteLimit limit(static_cast<rlim_t>(room));
            message = FileErrorOf([&] { Save(fileName); });
        }
        EXPECT_TRUE(Begins(message, WriteFailure(fileName)));
        ExpectOldProblemWhole();
    }
    Save(fileName);
    EXPECT_EQ(ReadAll(fileName), sample);
}
