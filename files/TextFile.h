// TextFile.h: Shift-JIS text files read as lines and written atomically.
#pragma once

#include <optional>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One text in Shift-JIS and back. A character Shift-JIS lacks is written as one
// "?"; bytes that are no Shift-JIS read as the replacement character.
QByteArray ToShiftJis(const QString& text);
QString FromShiftJis(const QByteArray& bytes);

// Splits bytes into lines without decoding them. CR LF, LF and a missing final
// line end all read alike; a final line end does not make an empty last line.
QList<QByteArray> SplitByteLines(const QByteArray& bytes);

// Joins byte lines, each followed by `eol`.
QByteArray JoinByteLines(const QList<QByteArray>& lines, const QByteArray& eol = "\r\n");

// Decodes Shift-JIS bytes into lines. CR LF, LF and a missing final line end
// all read alike; a final line end does not make an empty last line.
QStringList SplitTextLines(const QByteArray& bytes);

// Encodes lines as Shift-JIS, each followed by `eol`.
QByteArray JoinTextLines(const QStringList& lines, const QByteArray& eol = "\r\n");

// The value of a fixed-column integer field: optional leading blanks, an
// optional sign and decimal digits, with nothing after them. None when the
// field holds anything else or the value does not fit 32 bits.
std::optional<int> ReadFieldInteger(const QString& field);

// Reads a whole file. Raises EFileError naming the file when it cannot be read.
QByteArray ReadFileBytes(const QString& fileName);

// Replaces a file with `bytes` in one step: either the whole new content is
// there afterwards or the old file is left as it was. Raises EFileError
// naming the file on failure.
void WriteFileAtomically(const QString& fileName, const QByteArray& bytes);

// A field's text fit for a message: control characters, which a damaged file
// may hold, show as the replacement character. A NUL left in would even end
// the message right after its opening quote.
QString PrintableText(QString text);
