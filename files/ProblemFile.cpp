// ProblemFile.cpp: reads a problem's lines into a checked path and writes a path as lines.
#include "files/ProblemFile.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "core/RunErrors.h"
#include "files/TextFile.h"

namespace {

// Counts beyond this stay here: far out of range, and no overflow however
// many digits a line holds.
constexpr std::int64_t CountCeiling = 1 << 20;

const QString CountRangeMessage = QStringLiteral("点の数は 1 から 255 まででなければなりません");

// The value of digit `c` in `base` (10 or 16), or -1 when it is none.
int DigitValue(QChar c, int base)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (base == 16 && c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (base == 16 && c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

// The count line's leading integer. Blanks, a sign, then decimal digits, or
// hexadecimal ones after "$", "x", "X", "0x" or "0X". The sign counts only
// when the line ends right after the digits; text after them stops the
// reading and leaves the digits' value unsigned. No digits give 0.
std::int64_t ReadCountLine(const QString& line)
{
    qsizetype pos = 0;
    while (pos < line.size() && (line[pos] == u' ' || line[pos] == u'\t'))
        ++pos;
    bool negative = false;
    if (pos < line.size() && (line[pos] == u'+' || line[pos] == u'-'))
        negative = line[pos++] == u'-';

    const QStringView rest = QStringView(line).mid(pos);
    int base = 10;
    if (rest.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        pos += 2;
    } else if (rest.startsWith(u'$') || rest.startsWith(u'x', Qt::CaseInsensitive)) {
        base = 16;
        pos += 1;
    }

    std::int64_t value = 0;
    for (; pos < line.size(); ++pos) {
        const int digit = DigitValue(line[pos], base);
        if (digit < 0)
            break;
        value = std::min(value * base + digit, CountCeiling);
    }
    const bool lineEnded = pos == line.size();
    return negative && lineEnded ? -value : value;
}

QString NotIntegerMessage(const QString& field)
{
    // The same words as the conversion error the rest of the game reports.
    return QString::fromUtf8(EConvertError(PrintableText(field).toStdString()).what());
}

// X from columns 1-4 and Y from columns 5-8; the message when either is no integer.
std::optional<QString> ReadPointLine(const QString& line, PathPoint& point)
{
    const QString xField = line.mid(0, 4);
    const QString yField = line.mid(4, 4);
    const std::optional<int> x = ReadFieldInteger(xField);
    if (!x)
        return NotIntegerMessage(xField);
    const std::optional<int> y = ReadFieldInteger(yField);
    if (!y)
        return NotIntegerMessage(yField);
    point.X = *x;
    point.Y = *y;
    return std::nullopt;
}

// Point i against the points before it: the path starts at the origin, steps
// one unit along one axis and never comes back to a point.
std::optional<QString> CheckPoint(const PathArray& points, int i)
{
    const PathPoint& point = points[i];
    if (i == 1)
        return point.X == 0 && point.Y == 0
                   ? std::nullopt
                   : std::optional(QStringLiteral("最初の点が原点 (0, 0) ではありません"));

    const PathPoint& previous = points[i - 1];
    if (std::abs(point.X - previous.X) + std::abs(point.Y - previous.Y) != 1)
        return QStringLiteral("点 %1 が前の点から縦か横に 1 だけ進んだ所にありません").arg(i);

    for (int j = 1; j < i; ++j) {
        if (points[j].SameSpot(point))
            return QStringLiteral("点 %1 が点 %2 と同じ位置にあります").arg(i).arg(j);
    }
    return std::nullopt;
}

}  // namespace

ProblemParse ParseProblemLines(const QStringList& lines)
{
    const std::int64_t count = ReadCountLine(lines.value(0));
    if (count < 1 || count > MaxPoints)
        return ProblemError{1, CountRangeMessage};

    ParsedProblem problem;
    problem.PointCount = static_cast<std::uint8_t>(count);
    for (int i = 1; i <= count; ++i) {
        const int lineNumber = i + 1;
        if (lineNumber > lines.size())
            return ProblemError{lineNumber, QStringLiteral("点 %1 の行 (%2 行目) がありません").arg(i).arg(lineNumber)};
        if (auto message = ReadPointLine(lines[i], problem.Points[i]))
            return ProblemError{lineNumber, *message};
        if (auto message = CheckPoint(problem.Points, i))
            return ProblemError{lineNumber, *message};
    }
    return problem;
}

QStringList FormatProblemLines(const PathArray& path, std::uint8_t count)
{
    QStringList lines{QString::asprintf("%4d", count)};
    for (int i = 1; i <= count; ++i)
        lines.append(QString::asprintf("%4d%4d", path[i].X, path[i].Y));
    return lines;
}
