// RecordsTest.cpp: the best-time records list: lookup, sorted insertion, stores and its file.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "FileHelpers.h"
#include "core/RunErrors.h"
#include "files/Records.h"
#include "files/TextFile.h"

// --- Lookup and insertion --------------------------------------------------------

TEST(RecordsLookup, FindsExistingLinesWithoutChangingTheList)
{
    TRecordsList records;
    records.Lines = {RecordLine("Alpha", "17", "x"), RecordLine("Vandrel012", "  3725"), RecordLine("Zeta", "5", "y")};
    const QList<QByteArray> before = records.Lines;

    Found found = Find(records, "Vandrel012");
    EXPECT_EQ(found.line, 1);
    EXPECT_EQ(found.seconds, 3725);
    found = Find(records, "Alpha");
    EXPECT_EQ(found.line, 0);
    EXPECT_EQ(found.seconds, 17);
    found = Find(records, "Zeta");
    EXPECT_EQ(found.line, 2);
    EXPECT_EQ(found.seconds, 5);
    EXPECT_EQ(records.Lines, before);
}

TEST(RecordsLookup, NewNamesGetADefaultLineAtTheirSortedPlace)
{
    TRecordsList records;
    records.Lines = {RecordLine("Beta", "10"), RecordLine("Delta", "20")};

    Found found = Find(records, "Gamma");
    EXPECT_EQ(found.line, 2) << "after every name: appended";
    EXPECT_EQ(found.seconds, NoRecordSeconds) << "no record: the time stays as passed";
    found = Find(records, "Alpha");
    EXPECT_EQ(found.line, 0);
    found = Find(records, "Charlie");
    EXPECT_EQ(found.line, 2);

    EXPECT_EQ(records.Lines, (QList<QByteArray>{"Alpha                  3600000", RecordLine("Beta", "10"),
                                                "Charlie                3600000", RecordLine("Delta", "20"),
                                                "Gamma                  3600000"}));

    // A default line is found again like any other, giving its time.
    found = Find(records, "Charlie");
    EXPECT_EQ(found.line, 2);
    EXPECT_EQ(found.seconds, 3600000);
    EXPECT_EQ(records.Lines.size(), 5);
}

TEST(RecordsLookup, DefaultLineCarriesTheTimePassedIn)
{
    TRecordsList records;
    std::int32_t seconds = 42;
    std::uint16_t line = 9;
    records.FindRecord("Vandrel1", seconds, line);
    EXPECT_EQ(line, 0);
    EXPECT_EQ(seconds, 42);
    EXPECT_EQ(records.Lines, QList<QByteArray>{"Vandrel1                    42"});
}

TEST(RecordsLookup, NameThatBeginsAnotherSortsFirstAndEachFindsItsOwnLine)
{
    for (const bool shorterFirst : {true, false}) {
        TRecordsList records;
        const Found first = Find(records, shorterFirst ? "Vandrel1" : "Vandrel10");
        EXPECT_EQ(first.line, 0);
        const Found second = Find(records, shorterFirst ? "Vandrel10" : "Vandrel1");
        EXPECT_EQ(second.line, shorterFirst ? 1 : 0);
        ASSERT_EQ(records.Lines.size(), 2);
        EXPECT_TRUE(records.Lines[0].startsWith("Vandrel1 "));
        EXPECT_TRUE(records.Lines[1].startsWith("Vandrel10 "));

        records.Lines[0] = RecordLine("Vandrel1", "111");
        records.Lines[1] = RecordLine("Vandrel10", "1010");
        EXPECT_EQ(Find(records, "Vandrel1").seconds, 111);
        EXPECT_EQ(Find(records, "Vandrel1").line, 0);
        EXPECT_EQ(Find(records, "Vandrel10").seconds, 1010);
        EXPECT_EQ(Find(records, "Vandrel10").line, 1);
        EXPECT_EQ(records.Lines.size(), 2);
    }
}

TEST(RecordsLookup, NamesCompareAsUnsignedShiftJisBytes)
{
    // ソ is 0x83 0x5C: above every ASCII byte when bytes are unsigned.
    TRecordsList records;
    Find(records, QStringLiteral("ソラドミ"));
    Find(records, "Zeta");
    Find(records, "~tilde");
    ASSERT_EQ(records.Lines.size(), 3);
    EXPECT_TRUE(records.Lines[0].startsWith("Zeta"));
    EXPECT_TRUE(records.Lines[1].startsWith("~tilde"));
    EXPECT_TRUE(records.Lines[2].startsWith("\x83\x5c\x83\x89\x83\x68\x83\x7e            "));
    EXPECT_EQ(records.Lines[2].size(), 30);
    EXPECT_EQ(Find(records, QStringLiteral("ソラドミ")).line, 2);
}

TEST(RecordsLookup, LinesWithoutATimeBelongToAnotherProblemAndAreKept)
{
    // Columns 21-30 that hold no integer: above all the name of a problem
    // longer than the name field, written whole, running on into them.
    for (const QByteArray& field : {QByteArray("UVWXYZ    "), QByteArray("     12x45"), QByteArray("       12 "),
                                    QByteArray("          "), QByteArray("    +-5   ")}) {
        TRecordsList records;
        const QByteArray other = "ABCDEFGHIJKLMNOPQRST" + field + "    1234";
        records.Lines = {RecordLine("0first", "1"), other, RecordLine("Zeta", "2")};
        for (const QString& name : {QStringLiteral("ABCDEFGHIJKLMNOPQRST"), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ")}) {
            const Found found = Find(records, name);
            EXPECT_EQ(found.line, 2) << field.toStdString();
            EXPECT_EQ(found.seconds, NoRecordSeconds);
        }
        EXPECT_EQ(records.Lines,
                  (QList<QByteArray>{RecordLine("0first", "1"), other, RecordLine("ABCDEFGHIJKLMNOPQRST", "3600000"),
                                     RecordLine("Zeta", "2")}));
    }
}

TEST(RecordsLookup, AFullListRefusesAnotherLine)
{
    TRecordsList records;
    records.Lines.reserve(65535);
    for (int i = 0; i < 65535; ++i)
        records.Lines.append(RecordLine("B" + QByteArray::number(i).rightJustified(5, '0'), "100"));

    Found found = Find(records, "B65534");
    EXPECT_EQ(found.line, 65534);
    EXPECT_EQ(found.seconds, 100);

    std::int32_t seconds = NoRecordSeconds;
    std::uint16_t line = 7;
    EXPECT_THROW(records.FindRecord("A", seconds, line), EIntOverflow);
    EXPECT_THROW(records.FindRecord("C", seconds, line), EIntOverflow);
    EXPECT_EQ(records.Lines.size(), 65535);
    EXPECT_EQ(line, 7);
}

// --- Long names ----------------------------------------------------------------

TEST(RecordsNameKey, CutsToTwentyBytesBetweenCharacters)
{
    EXPECT_EQ(TRecordsList::NameKey("Vandrel1"), "Vandrel1");
    EXPECT_EQ(TRecordsList::NameKey("abcdefghijklmnopqrstuvwxyz"), "abcdefghijklmnopqrst");
    // 1 + 2 * 10 bytes: the tenth double-byte character would reach byte 21.
    const QByteArray key = TRecordsList::NameKey(QStringLiteral("aソラドミ問題その十二"));
    EXPECT_EQ(key.size(), 19);
    EXPECT_EQ(FromShiftJis(key), QStringLiteral("aソラドミ問題その十"));
    EXPECT_EQ(TRecordsList::NameKey(QStringLiteral("ソラドミの問題その十二番")).size(), 20);
    EXPECT_EQ(TRecordsList::NameKey(""), "");
    // A character Shift-JIS lacks takes one byte of the field, not two.
    EXPECT_EQ(TRecordsList::NameKey(QString(25, QChar(0x20AC))), QByteArray(20, '?'));
}

TEST(RecordsLongNames, KeepOneLineAcrossNamingsAndStores)
{
    for (const QString& name : {QStringLiteral("VandrelWithAVeryLongName01"), QStringLiteral("aソラドミ問題その十二番目")}) {
        QTemporaryDir dir;
        const QString fileName = dir.filePath(RecordsFileName);
        TRecordsList records;
        records.Lines = {RecordLine("0first", "1"), RecordLine("~last", "2")};
        for (int round = 0; round < 3; ++round) {
            const Found found = Find(records, name);
            EXPECT_EQ(found.line, 1);
            records.StoreBestTime(found.line, name, 500 - round, SomeDay, fileName);
            records.Load(fileName);
            EXPECT_EQ(records.Lines.size(), 3);
            EXPECT_EQ(Find(records, name).seconds, 500 - round);
        }
        EXPECT_EQ(records.Lines[1].left(20), TRecordsList::NameKey(name).leftJustified(20, ' '));
        EXPECT_EQ(records.Lines[1].size(), 50);
    }
}

TEST(RecordsNameKey, LineBreaksBecomeQuestionMarks)
{
    EXPECT_EQ(TRecordsList::NameKey(QStringLiteral("a\r\nb")), "a??b");
    EXPECT_EQ(TRecordsList::NameKey(QStringLiteral("\n")), "?");
    // Other characters below the blank never split a line and stay as they are.
    EXPECT_EQ(TRecordsList::NameKey(QStringLiteral("a\tb")), "a\tb");
    EXPECT_EQ(FromShiftJis(TRecordsList::NameKey(QStringLiteral("問題\n"))), QStringLiteral("問題?"));
}

// --- Storing ---------------------------------------------------------------------

TEST(RecordsStore, WritesTheRecordLineAndTheWholeListWithCrLf)
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(RecordsFileName);
    TRecordsList records;
    records.Lines = {RecordLine("Alpha", "17", "x"), RecordLine("Zeta", "3600000")};
    const Found found = Find(records, "Vandrel012");
    ASSERT_EQ(found.line, 1);

    records.StoreBestTime(found.line, "Vandrel012", 125, SomeDay, fileName);

    const QByteArray date = ShortDate(SomeDay);
    ASSERT_FALSE(date.isEmpty());
    ASSERT_LE(date.size(), 20);
    const QByteArray expectedLine = "Vandrel012                 125" + QByteArray(20 - date.size(), ' ') + date;
    EXPECT_EQ(records.Lines[1], expectedLine);
    EXPECT_EQ(expectedLine.mid(30, 20), date.rightJustified(20, ' ')) << "the date in columns 31-50";
    EXPECT_EQ(ReadAll(fileName), RecordLine("Alpha", "17", "x") + "\r\n" + expectedLine + "\r\n" +
                                     RecordLine("Zeta", "3600000") + "\r\n");
}

TEST(RecordsStore, ReplacesOnlyTheGivenLine)
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(RecordsFileName);
    TRecordsList records;
    records.Lines = {RecordLine("Alpha", "17"), RecordLine("Beta", "300", "old date"), RecordLine("Zeta", "9")};
    records.StoreBestTime(1, "Beta", 299, SomeDay, fileName);
    EXPECT_EQ(records.Lines, (QList<QByteArray>{RecordLine("Alpha", "17"), StoredLine("Beta", 299, SomeDay),
                                                RecordLine("Zeta", "9")}));
    TRecordsList reread;
    reread.Load(fileName);
    EXPECT_EQ(reread.Lines, records.Lines);
    EXPECT_EQ(Find(reread, "Beta").seconds, 299);
}

// A file name may hold a line break (Linux allows one), and the problem's name
// is cut from it as it stands. Stored as it was, the record would split into
// two lines in the file: the next read would give a line of another name and
// a line without a readable time, and the problem would lose its record.
TEST(RecordsStore, LineBreakInANameKeepsTheRecordOnOneLine)
{
    const QList<QByteArray> others = {RecordLine("Alpha", "17"), RecordLine("Zeta", "99")};

    for (const QString& name : {QStringLiteral("Van\ndrel"), QStringLiteral("Van\r\ndrel"), QStringLiteral("Vandrel\n")}) {
        SCOPED_TRACE(name.toStdString());
        QTemporaryDir dir;
        const QString fileName = dir.filePath(RecordsFileName);
        TRecordsList records;
        records.Lines = others;
        const Found found = Find(records, name);
        ASSERT_EQ(found.line, 1);
        records.StoreBestTime(found.line, name, 321, SomeDay, fileName);

        TRecordsList reread;
        reread.Load(fileName);
        ASSERT_EQ(reread.Lines, records.Lines) << "the file reads back as the list that was written";
        ASSERT_EQ(reread.Lines.size(), 3);
        EXPECT_EQ(reread.Lines[0], others[0]);
        EXPECT_EQ(reread.Lines[2], others[1]);

        const Found again = Find(reread, name);
        EXPECT_EQ(again.line, 1);
        EXPECT_EQ(again.seconds, 321) << "the problem finds its record again";
        EXPECT_EQ(reread.Lines.size(), 3);
    }
}

TEST(RecordsStore, LineBeyondTheListChangesNothing)
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(RecordsFileName);
    TRecordsList records;
    records.Lines = {RecordLine("Alpha", "17")};
    EXPECT_THROW(records.StoreBestTime(1, "Beta", 5, SomeDay, fileName), ERangeError);
    EXPECT_THROW(records.StoreBestTime(65535, "Beta", 5, SomeDay, fileName), ERangeError);
    EXPECT_EQ(records.Lines, QList<QByteArray>{RecordLine("Alpha", "17")});
    EXPECT_FALSE(QFile::exists(fileName));
}

// The file is read again at a store: records written since the list was read
// (by another copy of the game, say), or unreadable when it was, are kept, and
// a better time on file stays.
TEST(RecordsStore, TheFileIsReadAgainAndKeepsItsRecordsAndBetterTimes)
{
    const QByteArray alpha = RecordLine("Alpha", "17"), zeta = RecordLine("Zeta", "5");
    const struct {
        QList<QByteArray> onFile;
        QList<QByteArray> stored;
    } cases[] = {
        {{alpha, zeta}, {alpha, StoredLine("Beta", 42, SomeDay), zeta}},
        {{alpha, RecordLine("Beta", "30", "kept"), zeta}, {alpha, RecordLine("Beta", "30", "kept"), zeta}},
    };
    for (const bool readableAtLoad : {false, true}) {
        for (const auto& c : cases) {
            QTemporaryDir dir;
            const QString fileName = dir.filePath(RecordsFileName);
            TRecordsList records;
            if (readableAtLoad) {
                WriteAll(fileName, JoinByteLines({alpha}));
                records.Load(fileName);
            } else {
                ASSERT_TRUE(QDir().mkdir(fileName));
                EXPECT_THROW(records.Load(fileName), EFileError);
            }
            const Found found = Find(records, "Beta");
            QDir().rmdir(fileName);
            WriteAll(fileName, JoinByteLines(c.onFile));

            records.StoreBestTime(found.line, "Beta", 42, SomeDay, fileName);
            EXPECT_EQ(ReadAll(fileName), JoinByteLines(c.stored)) << readableAtLoad;
            EXPECT_EQ(records.Lines, c.stored);
        }
    }
}

// --- Loading ---------------------------------------------------------------------

TEST(RecordsLoad, MissingFileIsCreatedFromTheList)
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(RecordsFileName);
    TRecordsList records;
    records.Load(fileName);
    ASSERT_TRUE(QFile::exists(fileName));
    EXPECT_EQ(ReadAll(fileName), QByteArray());
    EXPECT_TRUE(records.Lines.isEmpty());

    const QString second = dir.filePath("second.txt");
    records.Lines = {RecordLine("Alpha", "17")};
    records.Load(second);
    EXPECT_EQ(ReadAll(second), RecordLine("Alpha", "17") + "\r\n");
}

TEST(RecordsLoad, ReadsLinesAsBytesWhateverTheLineEnds)
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(RecordsFileName);
    const QList<QByteArray> lines{RecordLine("Alpha", "17"), RecordLine("\x83\x5c\x83\x89", "3")};
    for (const QByteArray& bytes : {lines[0] + "\r\n" + lines[1] + "\r\n", lines[0] + "\n" + lines[1] + "\n",
                                    lines[0] + "\r\n" + lines[1]}) {
        WriteAll(fileName, bytes);
        TRecordsList records;
        records.Lines = {"stale"};
        records.Load(fileName);
        EXPECT_EQ(records.Lines, lines);
        EXPECT_EQ(ReadAll(fileName), bytes) << "loading writes nothing";
    }
}

// --- The list and the file's bytes -------------------------------------------------

TEST(RecordsBytes, ReadAsLinesAndWrittenBackWithCrLf)
{
    const QList<QByteArray> lines{RecordLine("Alpha", "17"), RecordLine("\x83\x5c\x83\x89", "3")};
    const QByteArray written = lines[0] + "\r\n" + lines[1] + "\r\n";
    for (const QByteArray& bytes : {written, lines[0] + "\n" + lines[1] + "\n", lines[0] + "\r\n" + lines[1]}) {
        TRecordsList records;
        records.LoadBytes(bytes);
        EXPECT_EQ(records.Lines, lines);
        EXPECT_EQ(records.FileBytes(), written);
    }
}

TEST(RecordsBytes, SetBestTimeIsAStoreWithoutItsFile)
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(RecordsFileName);
    TRecordsList inMemory, stored;
    inMemory.Lines = stored.Lines = {RecordLine("Alpha", "17"), RecordLine("Beta", "300", "old date")};
    inMemory.SetBestTime(1, "Beta", 299, SomeDay);
    stored.StoreBestTime(1, "Beta", 299, SomeDay, fileName);
    EXPECT_EQ(inMemory.Lines, stored.Lines);
    EXPECT_EQ(inMemory.FileBytes(), ReadAll(fileName));
}
