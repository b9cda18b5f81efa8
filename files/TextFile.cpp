// TextFile.cpp: Shift-JIS lines, fixed-column integers and whole-file reads and writes.
#include "files/TextFile.h"

#include <array>
#include <filesystem>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include "core/RunErrors.h"
#include "files/ProblemText.h"

namespace {

constexpr const char* ShiftJisName = "Shift_JIS";

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

// Opening a converter looks the encoding up in ICU's tables and sets up its
// state, which costs far more than converting a record's line or a problem's
// point, so each thread keeps one encoder and one decoder. resetState() keeps
// the count of characters that had no form, so the encoder clears it itself.
class ShiftJisEncoder : public QStringEncoder {
public:
    ShiftJisEncoder() : QStringEncoder(ShiftJisName, QStringConverter::Flag::Stateless) {}

    // Appends the bytes of `text` to `out`; false, and `out` as it was, when
    // a character has no Shift-JIS form.
    bool AppendTo(QByteArray& out, QStringView text)
    {
        resetState();
        state.invalidChars = 0;
        // A short text, as a record's name, a character or a point's line
        // is, goes through a buffer on the stack and allocates nothing more.
        std::array<char, 256> buffer;
        if (requiredSpace(text.size()) <= static_cast<qsizetype>(buffer.size())) {
            const char* end = appendToBuffer(buffer.data(), text);
            if (hasError())
                return false;
            out.append(buffer.data(), end - buffer.data());
            return true;
        }
        const QByteArray bytes = encode(text);
        if (hasError())
            return false;
        out += bytes;
        return true;
    }
};

ShiftJisEncoder& ThreadEncoder()
{
    thread_local ShiftJisEncoder encoder;
    return encoder;
}

}  // namespace

QByteArray ToShiftJis(const QString& text)
{
    ShiftJisEncoder& encoder = ThreadEncoder();
    QByteArray bytes;
    if (encoder.AppendTo(bytes, text))
        return bytes;
    // The converter's own substitute is two bytes, which would take two of a
    // record's 20 name bytes for one character: go again a character at a time.
    for (qsizetype pos = 0; pos < text.size();) {
        const qsizetype length = text[pos].isHighSurrogate() && pos + 1 < text.size() ? 2 : 1;
        if (!encoder.AppendTo(bytes, QStringView(text).mid(pos, length)))
            bytes += '?';
        pos += length;
    }
    return bytes;
}

QString FromShiftJis(const QByteArray& bytes)
{
    thread_local QStringDecoder decoder(ShiftJisName, QStringConverter::Flag::Stateless);
    decoder.resetState();
    std::array<QChar, 256> buffer;  // as in ShiftJisEncoder::AppendTo
    if (decoder.requiredSpace(bytes.size()) <= static_cast<qsizetype>(buffer.size()))
        return QString(buffer.data(), decoder.appendToBuffer(buffer.data(), bytes) - buffer.data());
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
    qsizetype size = 0;
    for (const QByteArray& line : lines)
        size += line.size() + eol.size();
    QByteArray bytes;
    bytes.reserve(size);
    for (const QByteArray& line : lines)
        bytes.append(line).append(eol);
    return bytes;
}

QStringList SplitTextLines(const QByteArray& bytes)
{
    // A problem file holds digits, blanks and signs, which read alike in both
    // encodings, so a file an editor saved as UTF-8 with the mark means just
    // what it says; decoding it as UTF-8 also quotes any other text in it as
    // it was written.
    const bool utf8 = bytes.startsWith(Utf8Mark);
    const QByteArrayView text = QByteArrayView(bytes).sliced(utf8 ? Utf8MarkBytes : 0);
    // Split as the page splits a problem file: a lone CR ends a line too.
    QStringList lines;
    for (const std::string& split : SplitProblemText(std::string_view(text.data(), std::size_t(text.size())))) {
        const QByteArray line = QByteArray::fromStdString(split);
        lines.append(utf8 ? QString::fromUtf8(line) : FromShiftJis(line));
    }
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
    std::error_code unknown;
    const std::filesystem::file_type type = std::filesystem::status(QFile::encodeName(fileName).toStdString(), unknown).type();
    if (type == std::filesystem::file_type::fifo || type == std::filesystem::file_type::socket)
        RaiseFileError(fileName, CannotRead, QString::fromUtf8(PipeReason));
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
