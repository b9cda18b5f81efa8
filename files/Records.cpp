// Records.cpp: the best-time records list, one fixed-column Shift-JIS line per problem.
#include "files/Records.h"

#include <algorithm>

#include <QFileInfo>
#include <QLocale>

#include "core/RunErrors.h"
#include "files/TextFile.h"

namespace {

constexpr qsizetype NameBytes = 20;     // columns 1-20
constexpr qsizetype SecondsBytes = 10;  // columns 21-30
constexpr qsizetype DateBytes = 20;     // columns 31-50
constexpr qsizetype MaxLines = 65535;   // a line's index must fit RecordLine's 16 bits

// Byte-wise on unsigned values; a beginning of the other string sorts first.
bool BytesBelow(const QByteArray& a, const QByteArray& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

QByteArray RightAligned(const QByteArray& text, qsizetype width)
{
    return text.rightJustified(width, ' ');
}

QByteArray NameField(const QByteArray& key)
{
    return key.leftJustified(NameBytes, ' ');
}

std::uint16_t LineIndex(qsizetype i)
{
    if (i > MaxLines)
        throw EIntOverflow();
    return static_cast<std::uint16_t>(i);
}

// The best time in columns 21-30, or nothing when they hold no integer.
std::optional<int> ReadSeconds(const QByteArray& line)
{
    return ReadFieldInteger(FromShiftJis(line.mid(NameBytes, SecondsBytes)));
}

}  // namespace

void TRecordsList::Load(const QString& fileName)
{
    if (QFileInfo::exists(fileName))
        LoadBytes(ReadFileBytes(fileName));
    else
        WriteFileAtomically(fileName, FileBytes());
}

void TRecordsList::LoadBytes(const QByteArray& bytes)
{
    Lines = SplitByteLines(bytes);
}

QByteArray TRecordsList::FileBytes() const
{
    return JoinByteLines(Lines);
}

void TRecordsList::FindRecord(const QString& name, std::int32_t& bestSeconds, std::uint16_t& recordLine)
{
    const QByteArray key = NameKey(name);
    qsizetype i = 0;
    while (i < Lines.size() && BytesBelow(Lines[i].left(NameBytes), key))
        ++i;

    // A line with this name field but no time in columns 21-30 belongs to
    // another problem: one whose name, longer than the field, was written
    // whole and runs on into the time columns. It is passed over and kept.
    for (; i < Lines.size() && Lines[i].left(NameBytes) == NameField(key); ++i) {
        if (const std::optional<int> seconds = ReadSeconds(Lines[i])) {
            recordLine = LineIndex(i);
            bestSeconds = *seconds;
            return;
        }
    }

    if (Lines.size() >= MaxLines)
        throw EIntOverflow();
    Lines.insert(i, NameField(key) + RightAligned(QByteArray::number(bestSeconds), SecondsBytes));
    recordLine = LineIndex(i);
}

void TRecordsList::SetBestTime(std::uint16_t recordLine, const QString& name, std::int32_t seconds,
                               const QDate& date)
{
    if (recordLine >= Lines.size())
        throw ERangeError();
    const QByteArray dateText = ToShiftJis(QLocale::system().toString(date, QLocale::ShortFormat));
    Lines[recordLine] = NameField(NameKey(name)) + RightAligned(QByteArray::number(seconds), SecondsBytes) +
                        RightAligned(dateText, DateBytes);
}

void TRecordsList::StoreBestTime(std::uint16_t recordLine, const QString& name, std::int32_t seconds,
                                 const QDate& date, const QString& fileName)
{
    SetBestTime(recordLine, name, seconds, date);
    // A file that is there but cannot be read is left alone: the records it
    // holds never reached the list, and writing the list would lose them.
    if (QFileInfo(fileName).isFile())
        ReadFileBytes(fileName);
    WriteFileAtomically(fileName, FileBytes());
}

QByteArray TRecordsList::NameKey(const QString& name)
{
    // A name longer than the 20-byte field is known by its first 20 bytes, cut
    // between characters so that no double-byte character is split. Without
    // the cut such a name, padded, would never equal a 20-byte field: every
    // naming would insert another line and every store add one more. The price
    // is that two long names alike in their first 20 bytes share one record.
    // A line break (a file name may hold one) would split the record's line in
    // two in the file; it is kept as "?", as ToShiftJis keeps a character
    // Shift-JIS lacks.
    QByteArray key;
    for (qsizetype pos = 0; pos < name.size();) {
        const qsizetype length = (name[pos].isHighSurrogate() && pos + 1 < name.size()) ? 2 : 1;
        const bool lineBreak = name[pos] == u'\n' || name[pos] == u'\r';
        const QByteArray character = lineBreak ? QByteArray("?") : ToShiftJis(name.mid(pos, length));
        if (key.size() + character.size() > NameBytes)
            break;
        key += character;
        pos += length;
    }
    return key;
}
