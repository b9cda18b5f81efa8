// FuzzRegressionTest.cpp: inputs the fuzz targets found to break the files code, kept as plain tests.
#include <QDate>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "files/Records.h"
#include "files/TextFile.h"

namespace {

QByteArray Line(const QByteArray& name, const QByteArray& seconds)
{
    return name.leftJustified(20, ' ') + seconds.rightJustified(10, ' ');
}

}  // namespace

// A file name may hold a line break (Linux allows one), and the problem's name
// is cut from it as it stands. Stored as it was, the record split into two
// lines in the file: the next read gave a line of another name and a line
// without a readable time, and the problem lost its record.
TEST(RecordsFuzzRegression, LineBreakInANameKeepsTheRecordOnOneLine)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fileName = dir.filePath(RecordsFileName);
    const QList<QByteArray> others = {Line("Alpha", "17"), Line("Zeta", "99")};

    for (const QString& name : {QStringLiteral("Van\ndrel"), QStringLiteral("Van\r\ndrel"), QStringLiteral("Vandrel\n")}) {
        SCOPED_TRACE(name.toStdString());
        TRecordsList records;
        records.Lines = others;
        std::int32_t best = NoRecordSeconds;
        std::uint16_t line = 0;
        records.FindRecord(name, best, line);
        ASSERT_EQ(line, 1);
        records.StoreBestTime(line, name, 321, QDate(2024, 3, 5), fileName);

        TRecordsList reread;
        reread.Load(fileName);
        ASSERT_EQ(reread.Lines, records.Lines) << "the file reads back as the list that was written";
        ASSERT_EQ(reread.Lines.size(), 3);
        EXPECT_EQ(reread.Lines[0], others[0]);
        EXPECT_EQ(reread.Lines[2], others[1]);

        best = NoRecordSeconds;
        reread.FindRecord(name, best, line);
        EXPECT_EQ(line, 1);
        EXPECT_EQ(best, 321) << "the problem finds its record again";
        EXPECT_EQ(reread.Lines.size(), 3);
    }
}

TEST(RecordsFuzzRegression, LineBreaksInANameKeyBecomeQuestionMarks)
{
    EXPECT_EQ(TRecordsList::NameKey(QStringLiteral("a\r\nb")), "a??b");
    EXPECT_EQ(TRecordsList::NameKey(QStringLiteral("\n")), "?");
    // Other characters below the blank never split a line and stay as they are.
    EXPECT_EQ(TRecordsList::NameKey(QStringLiteral("a\tb")), "a\tb");
    EXPECT_EQ(FromShiftJis(TRecordsList::NameKey(QStringLiteral("問題\n"))), QStringLiteral("問題?"));
}
