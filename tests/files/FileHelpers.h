// FileHelpers.h: whole-file reads and writes, record lines, and the messages of file faults, for the file and window tests.
#pragma once

#include <cstdint>
#include <string>

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QLocale>
#include <QString>

#include "core/RunErrors.h"
#include "files/Records.h"
#include "files/TextFile.h"

#include <gtest/gtest.h>

inline QByteArray ReadAll(const QString& fileName)
{
    QFile file(fileName);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << fileName.toStdString();
    return file.readAll();
}

inline void WriteAll(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << fileName.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A line as the records file holds it: name field, time field and, when given, date field.
inline QByteArray RecordLine(const QByteArray& name, const QByteArray& seconds, const QByteArray& date = {})
{
    QByteArray line = name.leftJustified(20, ' ') + seconds.rightJustified(10, ' ');
    if (!date.isNull())
        line += date.rightJustified(20, ' ');
    return line;
}

// A day for the stores of a test, and the date a store on it writes.
inline const QDate SomeDay(2024, 3, 5);

inline QByteArray ShortDate(const QDate& date)
{
    return ToShiftJis(QLocale::system().toString(date, QLocale::ShortFormat));
}

// The line a store of `seconds` for `name` on `date` writes.
inline QByteArray StoredLine(const QByteArray& name, int seconds, const QDate& date)
{
    return RecordLine(name, QByteArray::number(seconds), ShortDate(date));
}

struct Found {
    std::int32_t seconds;
    std::uint16_t line;
};

// FindRecord as the game calls it, with the time a new name starts from.
inline Found Find(TRecordsList& records, const QString& name)
{
    Found found{NoRecordSeconds, 0};
    records.FindRecord(name, found.seconds, found.line);
    return found;
}

// The message of the EFileError that `action` raises, or a failure when it raises none.
template <typename Action>
QString FileErrorOf(Action action)
{
    try {
        action();
    } catch (const EFileError& e) {
        return QString::fromUtf8(e.what());
    }
    ADD_FAILURE() << "no EFileError";
    return {};
}

// How the message of a file that cannot be read, or written, begins: the
// player learns which file it is and what failed; the system's reason follows.
inline QString ReadFailure(const QString& fileName)
{
    return QStringLiteral("ファイル「%1」を読めません: ").arg(fileName);
}

inline QString WriteFailure(const QString& fileName)
{
    return QStringLiteral("ファイル「%1」に書き込めません: ").arg(fileName);
}

// Whether `message` begins with `start`.
inline ::testing::AssertionResult Begins(const QString& message, const QString& start)
{
    if (message.startsWith(start))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the message is \"" << message.toStdString() << "\"";
}
