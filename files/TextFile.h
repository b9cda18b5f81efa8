// TextFile.h: Shift-JIS text files read as lines and written atomically.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Decodes Shift-JIS bytes into lines. CR LF, LF and a missing final line end
// all read alike; a final line end does not make an empty last line.
QStringList SplitTextLines(const QByteArray& bytes);

// Encodes lines as Shift-JIS, each followed by `eol`.
QByteArray JoinTextLines(const QStringList& lines, const QByteArray& eol = "\r\n");

// Reads a whole file. Raises EFileError naming the file when it cannot be read.
QByteArray ReadFileBytes(const QString& fileName);

// Replaces a file with `bytes` in one step: either the whole new content is
// there afterwards or the old file is left as it was. Raises EFileError
// naming the file on failure.
void WriteFileAtomically(const QString& fileName, const QByteArray& bytes);
