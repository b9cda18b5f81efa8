// FileHelpers.h: whole-file reads and writes for tests that set up or inspect files.
#pragma once

#include <cstdint>
#include <string>

#include <QByteArray>
#include <QFile>
#include <QString>

#include "core/RunErrors.h"
#include "files/Records.h"

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
std::string FileErrorOf(Action action)
{
    try {
        action();
    } catch (const EFileError& e) {
        return e.what();
    }
    ADD_FAILURE() << "no EFileError";
    return {};
}
