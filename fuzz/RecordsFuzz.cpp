// RecordsFuzz.cpp: fuzz target: a records file, problems named and best times stored, no other line touched.
//
// It works on the list and the bytes a store writes, never on a file: the
// file layer only reads and writes those bytes whole, and a file per input
// held the target to a few hundred inputs a second.
//
// Input: byte 0 holds flags, then the records file's bytes, then up to four
// problem names, each after a 0 byte. A name of one byte or none picks one of
// the names below; a longer one is a file path (UTF-8, or Shift-JIS with flag
// bit 0) cut to its problem name the way the game does. Without names, two of
// the names below are used. Flag byte 0xFF takes, in place of the file's
// lines, a list one line below its capacity, and only looks the names up.
#include <cstddef>
#include <cstdint>
#include <string>

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>

#include "FuzzSupport.h"
#include "core/RunErrors.h"
#include "files/ProblemFile.h"
#include "files/Records.h"
#include "files/TextFile.h"

namespace {

constexpr int MaxNames = 4;
constexpr qsizetype MaxLines = 65535;
constexpr qsizetype ThoroughLines = 4096;  // lists up to this long are compared line by line

const char* const KnownNames[] = {
    "Vandrel1",
    "Vandrel10",
    "Vandrel000",
    "",
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ",  // longer than the name field
    "問題",                        // double-byte characters
    "ソラドミの長い問題です",      // 22 bytes in Shift-JIS
    "ABCDEFGHIJKLMNOPQRS問",       // a double-byte character across column 20
    "Vandrel ",                    // ends in a blank, like the padding
    "😀",                          // no Shift-JIS form at all
};
constexpr int KnownNameCount = sizeof KnownNames / sizeof KnownNames[0];

QString NameFrom(const QByteArray& source, bool shiftJis)
{
    if (source.size() <= 1)
        return QString::fromUtf8(KnownNames[source.isEmpty() ? 0 : static_cast<std::uint8_t>(source[0]) % KnownNameCount]);
    return ProblemNameFromPath(shiftJis ? FromShiftJis(source) : QString::fromUtf8(source));
}

// The line a store writes, built independently of the list's code.
QByteArray ExpectedRecordLine(const QByteArray& key, std::int32_t seconds, const QDate& date)
{
    const QByteArray dateText = ToShiftJis(QLocale::system().toString(date, QLocale::ShortFormat));
    return key.leftJustified(20, ' ') + QByteArray::number(seconds).rightJustified(10, ' ') +
           dateText.rightJustified(20, ' ');
}

std::string Quoted(const QString& name)
{
    return "\"" + name.toStdString() + "\"";
}

// Whether `after` is `before` with `line` inserted at `at`.
bool InsertedAt(const QList<QByteArray>& before, const QList<QByteArray>& after, qsizetype at, const QByteArray& line)
{
    if (after.size() != before.size() + 1 || at < 0 || at >= after.size() || after[at] != line)
        return false;
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (after[i < at ? i : i + 1] != before[i])
            return false;
    }
    return true;
}

// Looks the problem up; the list may only gain the problem's default line.
// `key` is the name's key. Returns false when the full list refused a new
// line. A long list is not copied to compare every line: that would make
// each input slow.
bool Find(TRecordsList& records, const QString& name, const QByteArray& key, std::uint16_t& line, std::int32_t& best)
{
    const bool thorough = records.Lines.size() <= ThoroughLines;
    const QList<QByteArray> before = thorough ? records.Lines : QList<QByteArray>();
    const qsizetype sizeBefore = records.Lines.size();
    const QByteArray field = key.leftJustified(20, ' ');
    best = NoRecordSeconds;
    line = 0xFFFF;
    try {
        records.FindRecord(name, best, line);
    } catch (const EIntOverflow&) {
        FUZZ_CHECK(sizeBefore >= MaxLines, "overflow with " + std::to_string(sizeBefore) + " lines");
        FUZZ_CHECK(records.Lines.size() == sizeBefore && (!thorough || records.Lines == before),
                   "the list changed on an overflow");
        return false;
    }
    FUZZ_CHECK(line < records.Lines.size(), "record line beyond the list");
    if (records.Lines.size() == sizeBefore) {
        FUZZ_CHECK(!thorough || records.Lines == before, "lookup of " + Quoted(name) + " changed the list");
        FUZZ_CHECK(records.Lines.at(line).left(20) == field, "lookup of " + Quoted(name) + " found another line");
    } else {
        const QByteArray defaultLine = field + QByteArray::number(NoRecordSeconds).rightJustified(10, ' ');
        FUZZ_CHECK(thorough ? InsertedAt(before, records.Lines, line, defaultLine)
                            : records.Lines.size() == sizeBefore + 1 && records.Lines.at(line) == defaultLine,
                   "lookup of " + Quoted(name) + " did more than insert its default line");
        FUZZ_CHECK(best == NoRecordSeconds, "new line with a time");
    }
    return true;
}

void Store(TRecordsList& records, std::uint16_t line, const QString& name, const QByteArray& key, std::int32_t seconds,
           const QDate& date)
{
    const QList<QByteArray> before = records.Lines;
    records.SetBestTime(line, name, seconds, date);

    FUZZ_CHECK(records.Lines.size() == before.size(), "a store changed the number of lines");
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (i != line)
            FUZZ_CHECK(records.Lines[i] == before[i], "a store of " + Quoted(name) + " changed line " +
                                                          std::to_string(i) + " of another problem");
    }
    FUZZ_CHECK(records.Lines[line] == ExpectedRecordLine(key, seconds, date),
               "stored line of " + Quoted(name) + " is not the record");

    // The file would get every line with CR LF, and reading it gives the same lines back.
    const QByteArray written = records.FileBytes();
    qsizetype expectedSize = 0;
    for (const QByteArray& each : records.Lines)
        expectedSize += each.size() + 2;
    FUZZ_CHECK(written.size() == expectedSize && (written.isEmpty() || written.endsWith("\r\n")),
               "the bytes written are not the lines with CR LF");
    TRecordsList reread;
    reread.LoadBytes(written);
    FUZZ_CHECK(reread.Lines == records.Lines, "the bytes written read back as other lines");
}

// 65 534 lines after every name (no Shift-JIS byte is 0xFF), one below the
// list's capacity: a lookup stops before them and inserts a name's line at
// the front. The list lives from input to input and each input takes its
// lines off the front again (TakeBackNames), since a list of that size made
// or shifted for every input took most of the target's time.
constexpr qsizetype FillerLines = MaxLines - 1;

TRecordsList& NearlyFullList()
{
    static TRecordsList list;
    if (list.Lines.isEmpty())
        list.Lines.fill(QByteArray(20, '\xFF') + QByteArray::number(1).rightJustified(10, ' '), FillerLines);
    return list;
}

void TakeBackNames(TRecordsList& list)
{
    list.Lines.remove(0, list.Lines.size() - FillerLines);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t flags = data[0];
    const QList<QByteArray> pieces = QByteArray(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1)).split('\0');

    TRecordsList fresh;
    const bool full = flags == 0xFF;
    TRecordsList& records = full ? NearlyFullList() : fresh;
    if (!full)
        records.LoadBytes(pieces[0]);

    QList<QString> names;
    for (qsizetype i = 1; i < pieces.size() && names.size() < MaxNames; ++i)
        names.append(NameFrom(pieces[i], flags & 1));
    if (names.isEmpty()) {
        names.append(QString::fromUtf8(KnownNames[(flags >> 1) % KnownNameCount]));
        names.append(QString::fromUtf8(KnownNames[(flags >> 4) % KnownNameCount]));
    }

    for (int k = 0; k < names.size(); ++k) {
        const QString& name = names[k];
        const QByteArray key = TRecordsList::NameKey(name);
        FUZZ_CHECK(key.size() <= 20, "name key of " + std::to_string(key.size()) + " bytes for " + Quoted(name));
        std::uint16_t line = 0;
        std::int32_t best = 0;
        if (!Find(records, name, key, line, best))
            continue;
        // A full list is only looked up in: writing it takes long, and a
        // store does not depend on the list's length.
        if (full)
            continue;

        // A faster time, as the game stores it; now and then the slowest possible.
        const std::int32_t seconds = (flags & 2) && k == 0 ? INT32_MAX : (flags * 7919 + k * 104729) % 3600000;
        const QDate date = (flags & 4) ? QDate() : QDate(2000 + flags % 100, 1 + k * 3, 1 + flags % 28);
        Store(records, line, name, key, seconds, date);

        // Looking the problem up again finds the record just stored.
        std::uint16_t again = 0;
        FUZZ_CHECK(Find(records, name, key, again, best), "lookup after a store overflowed");
        FUZZ_CHECK(again == line && best == seconds,
                   "lookup after a store of " + Quoted(name) + " does not find it");
    }
    if (full)
        TakeBackNames(records);
    return 0;
}
