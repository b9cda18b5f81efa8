// MonkeyChecks.h: the checks a window must pass after any event: a well-formed path and a sound records file.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <unordered_set>

#include <QByteArray>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "core/PathPoint.h"
#include "files/Records.h"
#include "files/TextFile.h"

// Points 1..count start at the origin, step one unit along one axis and never
// come back to a point.
inline ::testing::AssertionResult IsSelfAvoidingPath(const PathArray& path, int count)
{
    if (count < 1 || count > MaxPoints)
        return ::testing::AssertionFailure() << "point count " << count;
    if (path[1].X != 0 || path[1].Y != 0)
        return ::testing::AssertionFailure() << "point 1 at (" << path[1].X << ", " << path[1].Y << ")";
    std::unordered_set<std::int64_t> seen;
    for (int i = 1; i <= count; ++i) {
        const std::int64_t x = path[i].X;
        const std::int64_t y = path[i].Y;
        if (i > 1) {
            const std::int64_t step = std::abs(x - path[i - 1].X) + std::abs(y - path[i - 1].Y);
            if (step != 1)
                return ::testing::AssertionFailure()
                       << "point " << i << " at (" << x << ", " << y << ") is " << step
                       << " from point " << i - 1;
        }
        if (!seen.insert((x << 32) ^ (y & 0xFFFFFFFF)).second)
            return ::testing::AssertionFailure() << "point " << i << " at (" << x << ", " << y << ") repeats";
    }
    return ::testing::AssertionSuccess();
}

// The records file as the game keeps it: one line a name, sorted by the name
// field's bytes, each with a readable time. Between two looks at it no line
// may go missing and a time may only come down, and only for the problems
// allowed to change.
class TRecordsWatch {
public:
    // The 20-byte field a problem's line starts with.
    static QByteArray Field(const QString& problemName)
    {
        return TRecordsList::NameKey(problemName).leftJustified(20, ' ');
    }

    ::testing::AssertionResult Check(const QString& fileName, const std::set<QByteArray>& mayChange)
    {
        std::map<QByteArray, int> now;
        if (QFileInfo::exists(fileName)) {
            QByteArray bytes;
            try {
                bytes = ReadFileBytes(fileName);
            } catch (const std::exception& e) {
                return ::testing::AssertionFailure() << "records unreadable: " << e.what();
            }
            const QList<QByteArray> lines = SplitByteLines(bytes);
            for (qsizetype i = 0; i < lines.size(); ++i) {
                const QByteArray field = lines[i].left(20);
                const auto below = [](char a, char b) {
                    return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
                };
                if (i > 0 && !std::lexicographical_compare(lines[i - 1].begin(), lines[i - 1].begin() + std::min<qsizetype>(20, lines[i - 1].size()),
                                                           field.begin(), field.end(), below))
                    return ::testing::AssertionFailure() << "records line " << i + 1 << " out of order or twice: "
                                                         << lines[i].toStdString();
                const std::optional<int> seconds = ReadFieldInteger(FromShiftJis(lines[i].mid(20, 10)));
                if (!seconds)
                    return ::testing::AssertionFailure() << "records line " << i + 1
                                                         << " has no time: " << lines[i].toStdString();
                now[field] = *seconds;
            }
        } else if (!last_.empty()) {
            return ::testing::AssertionFailure() << "the records file is gone";
        }
        for (const auto& [field, seconds] : last_) {
            const auto it = now.find(field);
            if (it == now.end())
                return ::testing::AssertionFailure() << "the record of '" << field.toStdString() << "' is lost";
            if (it->second != seconds && !(mayChange.contains(field) && it->second < seconds))
                return ::testing::AssertionFailure() << "the record of '" << field.toStdString() << "' went from "
                                                     << seconds << " to " << it->second;
        }
        for (const auto& [field, seconds] : now) {
            if (!last_.contains(field) && seconds != NoRecordSeconds && !mayChange.contains(field))
                return ::testing::AssertionFailure() << "a record of '" << field.toStdString()
                                                     << "' appeared with " << seconds;
        }
        last_ = std::move(now);
        return ::testing::AssertionSuccess();
    }

    std::size_t Count() const { return last_.size(); }

private:
    std::map<QByteArray, int> last_;
};
