// TextFile.cpp: Shift-JIS lines, fixed-column integers and whole-file reads and writes.
#include "files/TextFile.h"

#include <array>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include "core/RunErrors.h"

namespace {

constexpr const char* ShiftJisName = "Shift_JIS";

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool IsAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// "ファイル「NAME」を読めません: REASON" and the like.
[[noreturn]] void RaiseFileError(const QString& fileName, const char* failure, const QString& reason)
{
    const QString message = QStringLiteral("ファイル「%1」%2: %3").arg(fileName, QString::fromUtf8(failure), reason);
    throw EFileError(message.toStdString());
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
    QStringList lines;
    for (const QByteArray& line : SplitByteLines(bytes))
        lines.append(FromShiftJis(line));
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
    qsizetype pos = 0;
    while (pos < field.size() && IsBlank(field[pos]))
        ++pos;
    const QString number = field.mid(pos);
    const qsizetype firstDigit = (number.startsWith(u'+') || number.startsWith(u'-')) ? 1 : 0;
    if (number.size() == firstDigit)
        return std::nullopt;
    for (qsizetype i = firstDigit; i < number.size(); ++i) {
        if (!IsAsciiDigit(number[i]))
            return std::nullopt;
    }
    bool fits = false;
    const int value = number.toInt(&fits, 10);
    if (!fits)
        return std::nullopt;
    return value;
}

QByteArray ReadFileBytes(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        RaiseFileError(fileName, "を読めません", file.errorString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        RaiseFileError(fileName, "を読めません", file.errorString());
    return bytes;
}

void WriteFileAtomically(const QString& fileName, const QByteArray& bytes)
{
    // QSaveFile writes into a temporary file and puts it in the target's place
    // only on commit; dropped without commit, it removes the temporary file.
    // So every failure below leaves the old file as it was.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        RaiseFileError(fileName, "に書き込めません", file.errorString());
    if (file.write(bytes) != bytes.size() || !FlushAll(file))
        RaiseFileError(fileName, "に書き込めません", file.errorString());
    if (!file.commit())
        RaiseFileError(fileName, "に書き込めません", file.errorString());
}

QString PrintableText(QString text)
{
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control)
            c = QChar::ReplacementCharacter;
    }
    return text;
}
