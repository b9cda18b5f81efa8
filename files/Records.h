// Records.h: the best-time records list and its file "RecVandrel.txt".
#pragma once

#include <cstdint>
#include <optional>

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

inline const QString RecordsFileName = QStringLiteral("RecVandrel.txt");

// The bytes of a record's name field, columns 1-20.
constexpr qsizetype RecordNameBytes = 20;

// One problem a line, sorted by name as Shift-JIS bytes: name in columns 1-20,
// best seconds in 21-30, the date it was set in 31-50.
class TRecordsList {
public:
    QList<QByteArray> Lines;  // Shift-JIS, without line ends

    // Reads `fileName` into the list, or writes the list to a new file of that
    // name when there is none. Raises EFileError, also for a file larger than
    // RecordsFileMaxBytes.
    void Load(const QString& fileName);

    // Reads a records file's bytes into the list: a line each, CR LF, LF and a
    // missing final line end alike. Load does this with the file's bytes.
    void LoadBytes(const QByteArray& bytes);

    // The bytes the file gets when the list is written: every line ended by CR LF.
    QByteArray FileBytes() const;

    // Finds the line of `name`, or inserts a default line (3600000 seconds, no
    // date) at its sorted place, and sets `recordLine` to it. When the line
    // existed, `bestSeconds` is read from it. A line whose name field matches
    // but whose time columns hold no integer is another problem's and is
    // passed over. The file is not written.
    void FindRecord(const QString& name, std::int32_t& bestSeconds, std::uint16_t& recordLine);

    // The time on the line of `name`, if it has one; the list stays as it is.
    std::optional<std::int32_t> Lookup(const QString& name) const;

    // Replaces line `recordLine` with the record of `name`, `seconds` and
    // `date` (short format of the system locale), in the list only. Raises
    // ERangeError for a line beyond the list.
    void SetBestTime(std::uint16_t recordLine, const QString& name, std::int32_t seconds, const QDate& date);

    // SetBestTime, then writes the whole list to `fileName`. The file's
    // records are taken into the list first, as they stand now (another copy
    // of the game may have stored times since the last Load, or that Load
    // failed), so that none is lost and a better time on file stays. Raises
    // ERangeError, EIntOverflow or EFileError.
    void StoreBestTime(std::uint16_t recordLine, const QString& name, std::int32_t seconds,
                       const QDate& date, const QString& fileName);

    // The 20-byte name field's key: the name in Shift-JIS, cut to 20 bytes on a
    // character boundary, so that long names keep one line each.
    static QByteArray NameKey(const QString& name);

private:
    // Where the line of a name field is, or would go, and its time if it has one.
    struct Place {
        qsizetype Line = 0;
        std::optional<std::int32_t> Seconds;
    };
    Place Locate(const QByteArray& key) const;
    void TakeFileRecords(const QByteArray& held, const QString& name, std::int32_t seconds, const QDate& date);
};

constexpr std::int32_t NoRecordSeconds = 3600000;
