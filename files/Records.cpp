// Records.cpp: the best-time records list, one fixed-column Shift-JIS line per problem.
#include "files/Records.h"

#include <algorithm>

#include <QByteArrayView>
#include <QFileInfo>
#include <QLocale>

#include "core/RunErrors.h"
#include "files/TextFile.h"

namespace {

constexpr qsizetype NameBytes = RecordNameBytes;
constexpr qsizetype SecondsBytes = 10;  // columns 21-30
constexpr qsizetype DateBytes = 20;     // columns 31-50
constexpr qsizetype MaxLines = 65535;   // a line's index must fit RecordLine's 16 bits

// Byte-wise on unsigned values; a beginning of the other string sorts first.
bool BytesBelow(QByteArrayView a, QByteArrayView b)
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

// Whether a Shift-JIS byte begins a double-byte character.
bool IsLeadByte(char byte)
{
    const auto b = static_cast<unsigned char>(byte);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Columns 1-20 of a line as they stand, not copied: a lookup reads them on
// every line it passes.
QByteArrayView NameColumns(const QByteArray& line)
{
    return QByteArrayView(line).first(std::min(line.size(), NameBytes));
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
        LoadBytes(ReadFileBytes(fileName, RecordsFileMaxBytes));
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

TRecordsList::Place TRecordsList::Locate(const QByteArray& key) const
{
    const QByteArray field = NameField(key);
    const QList<QByteArray>& lines = Lines;  // read only: a list shared with a copy stays shared
    qsizetype i = 0;
    while (i < lines.size() && BytesBelow(NameColumns(lines[i]), key))
        ++i;

    // A line with this name field but no time in columns 21-30 belongs to
    // another problem: one whose name, longer than the field, was written
    // whole and runs on into the time columns. It is passed over and kept.
    for (; i < lines.size() && NameColumns(lines[i]) == field; ++i) {
        if (const std::optional<int> seconds = ReadSeconds(lines[i]))
            return {i, seconds};
    }
    return {i, std::nullopt};
}

void TRecordsList::FindRecord(const QString& name, std::int32_t& bestSeconds, std::uint16_t& recordLine)
{
    const QByteArray key = NameKey(name);
    const Place place = Locate(key);
    if (place.Seconds) {
        recordLine = LineIndex(place.Line);
        bestSeconds = *place.Seconds;
        return;
    }
    if (Lines.size() >= MaxLines)
        throw EIntOverflow();
    Lines.insert(place.Line, NameField(key) + RightAligned(QByteArray::number(bestSeconds), SecondsBytes));
    recordLine = LineIndex(place.Line);
}

std::optional<std::int32_t> TRecordsList::Lookup(const QString& name) const
{
    return Locate(NameKey(name)).Seconds;
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
    // The file is read again first: another copy of the game may have stored
    // times in it since the list was read, or it could not be read then. A
    // file that is there but cannot be read now is left alone.
    if (QFileInfo(fileName).isFile())
        TakeFileRecords(ReadFileBytes(fileName, RecordsFileMaxBytes), name, seconds, date);
    WriteFileAtomically(fileName, FileBytes());
}

void TRecordsList::TakeFileRecords(const QByteArray& held, const QString& name, std::int32_t seconds,
                                   const QDate& date)
{
    // The list becomes the file's records, with this time set unless the file
    // already holds a better one.
    LoadBytes(held);
    std::int32_t onFile = NoRecordSeconds;
    std::uint16_t line = 0;
    FindRecord(name, onFile, line);
    if (seconds < onFile)
        SetBestTime(line, name, seconds, date);
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
    QString text = name;
    text.replace(u'\n', u'?').replace(u'\r', u'?');
    // Shift-JIS has no shift states: the name's bytes are its characters'
    // bytes one after the other, and a character is one byte, or two when
    // the first is a lead byte.
    QByteArray key = ToShiftJis(text);
    qsizetype cut = 0;
    while (cut < key.size()) {
        const qsizetype length = IsLeadByte(key[cut]) ? 2 : 1;
        if (cut + length > NameBytes)
            break;
        cut += length;
    }
    key.truncate(cut);
    return key;
}
