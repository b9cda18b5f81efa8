// TextFile.h: Shift-JIS text files read as lines and written atomically.
#pragma once

#include <optional>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "files/ProblemText.h"  // ProblemFileMaxBytes

// One text in Shift-JIS and back. A character Shift-JIS lacks is written as one
// "?"; bytes that are no Shift-JIS read as the replacement character.
QByteArray ToShiftJis(const QString& text);
QString FromShiftJis(const QByteArray& bytes);

// Splits bytes into lines without decoding them. CR LF, LF and a missing final
// line end all read alike; a final line end does not make an empty last line.
QList<QByteArray> SplitByteLines(const QByteArray& bytes);

// Joins byte lines, each followed by `eol`.
QByteArray JoinByteLines(const QList<QByteArray>& lines, const QByteArray& eol = "\r\n");

// Decodes Shift-JIS bytes into lines. CR LF, LF, a lone CR and a missing
// final line end all read alike; a final line end does not make an empty last
// line. Bytes that begin with UTF-8's byte-order mark, as many editors save a
// text, are decoded as UTF-8 after the mark.
QStringList SplitTextLines(const QByteArray& bytes);

// Encodes lines as Shift-JIS, each followed by `eol`.
QByteArray JoinTextLines(const QStringList& lines, const QByteArray& eol = "\r\n");

// The value of a fixed-column integer field: optional leading blanks, an
// optional sign and decimal digits, with nothing after them. None when the
// field holds anything else or the value does not fit 32 bits.
std::optional<int> ReadFieldInteger(const QString& field);

// The largest records file read: 65,535 lines (all that a record's line
// number holds) of 50 columns and CR LF are 3.4 MB; 8 MiB leaves room for
// longer lines, such as dates written in a longer format.
constexpr qint64 RecordsFileMaxBytes = 8 * 1024 * 1024;

// Why a file of more than `maxBytes` is not read; the message of the
// EFileError is "ファイル「NAME」を読めません: " followed by this.
QString FileTooLargeReason(qint64 maxBytes);

// Reads a whole file of at most `maxBytes` (a problem file's limit unless
// given), without reading more than one byte past it: a device or a pipe
// reports no size, so the size alone is no guard. Raises EFileError naming
// the file when it cannot be read or is larger.
QByteArray ReadFileBytes(const QString& fileName, qint64 maxBytes = ProblemFileMaxBytes);

// Replaces a file with `bytes` in one step: either the whole new content is
// there afterwards or the old file is left as it was. Raises EFileError
// naming the file on failure.
void WriteFileAtomically(const QString& fileName, const QByteArray& bytes);

// A field's text fit for a message: control characters, which a damaged file
// may hold, show as the replacement character. A NUL left in would even end
// the message right after its opening quote.
QString PrintableText(QString text);
