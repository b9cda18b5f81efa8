// TextFile.cpp: Shift-JIS lines, fixed-column integers and whole-file reads and writes.
#include "files/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include "core/RunErrors.h"
#include "files/ProblemText.h"

namespace {

constexpr const char* Encoding = "Shift_JIS";

// EF BB BF would be a character of an unassigned row of Shift-JIS and then a
// half-width katakana: no Shift-JIS text begins with it.
constexpr char Utf8Mark[] = "\xEF\xBB\xBF";
constexpr qsizetype Utf8MarkBytes = sizeof Utf8Mark - 1;

// "ファイル「NAME」を読めません: REASON" and the like, as the page words them too.
[[noreturn]] void RaiseFileError(const QString& fileName, const char* failure, const QString& reason)
{
    throw EFileError(FileErrorMessage(fileName.toStdString(), failure, reason.toStdString()));
}

// Writes out what QSaveFile still buffers. commit() would not notice a
// failed flush and put a cut-off file in the target's place (a full disk, for
// one), so the flush is checked here. A short write is not an error yet: keep
// flushing while bytes leave the buffer, which also reaches the system's
// reason once they stop.
bool FlushAll(QSaveFile& file)
{
    qint64 left = file.bytesToWrite();
    while (!file.flush()) {
        const qint64 stillLeft = file.bytesToWrite();
        if (stillLeft == left)
            return false;
        left = stillLeft;
    }
    return true;
}

// Up to `limit` bytes from the file's start; fewer only at its end or on an error.
QByteArray ReadUpTo(QFile& file, qint64 limit)
{
    QByteArray bytes;
    while (bytes.size() < limit) {
        const QByteArray piece = file.read(limit - bytes.size());
        if (piece.isEmpty())
            break;
        bytes += piece;
    }
    return bytes;
}

}  // namespace

QByteArray ToShiftJis(const QString& text)
{
    QStringEncoder encoder(Encoding, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError())
        return bytes;
    // The converter's own substitute is two bytes, which would take two of a
    // record's 20 name bytes for one character: go again a character at a
    // time (an error stays set once raised, hence a fresh encoder for each).
    bytes.clear();
    for (qsizetype pos = 0; pos < text.size();) {
        const qsizetype length = text[pos].isHighSurrogate() && pos + 1 < text.size() ? 2 : 1;
        QStringEncoder single(Encoding, QStringConverter::Flag::Stateless);
        const QByteArray encoded = single.encode(QStringView(text).mid(pos, length));
        bytes += single.hasError() ? QByteArray("?") : encoded;
        pos += length;
    }
    return bytes;
}

QString FromShiftJis(const QByteArray& bytes)
{
    QStringDecoder decoder(Encoding, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

QList<QByteArray> SplitByteLines(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    // split() leaves one empty piece after a final line end (and for no bytes at all).
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

QByteArray JoinByteLines(const QList<QByteArray>& lines, const QByteArray& eol)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + eol;
    return bytes;
}

QStringList SplitTextLines(const QByteArray& bytes)
{
    // A problem file holds digits, blanks and signs, which read alike in both
    // encodings, so a file an editor saved as UTF-8 with the mark means just
    // what it says; decoding it as UTF-8 also quotes any other text in it as
    // it was written.
    const bool utf8 = bytes.startsWith(Utf8Mark);
    QStringList lines;
    for (const QByteArray& line : SplitByteLines(utf8 ? bytes.mid(Utf8MarkBytes) : bytes))
        lines.append(utf8 ? QString::fromUtf8(line) : FromShiftJis(line));
    return lines;
}

QByteArray JoinTextLines(const QStringList& lines, const QByteArray& eol)
{
    QList<QByteArray> encoded;
    for (const QString& line : lines)
        encoded.append(ToShiftJis(line));
    return JoinByteLines(encoded, eol);
}

std::optional<int> ReadFieldInteger(const QString& field)
{
    return ReadIntegerField(field.toStdString());
}

QString FileTooLargeReason(qint64 maxBytes)
{
    return QString::fromStdString(TooLargeReason(maxBytes));
}

QByteArray ReadFileBytes(const QString& fileName, qint64 maxBytes)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        RaiseFileError(fileName, CannotRead, file.errorString());
    QByteArray bytes = ReadUpTo(file, maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        RaiseFileError(fileName, CannotRead, file.errorString());
    if (bytes.size() > maxBytes)
        RaiseFileError(fileName, CannotRead, FileTooLargeReason(maxBytes));
    return bytes;
}

void WriteFileAtomically(const QString& fileName, const QByteArray& bytes)
{
    // QSaveFile writes into a temporary file and puts it in the target's place
    // only on commit; dropped without commit, it removes the temporary file.
    // So every failure below leaves the old file as it was.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        RaiseFileError(fileName, CannotWrite, file.errorString());
    if (file.write(bytes) != bytes.size() || !FlushAll(file))
        RaiseFileError(fileName, CannotWrite, file.errorString());
    if (!file.commit())
        RaiseFileError(fileName, CannotWrite, file.errorString());
}

QString PrintableText(QString text)
{
    return QString::fromStdString(PrintableField(text.toStdString()));
}
