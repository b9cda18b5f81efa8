// ProblemName.cpp: a problem's name, from the path of its file or the code it was generated from.
#include "files/ProblemFile.h"

#include <algorithm>

#include "files/Records.h"
#include "files/TextFile.h"

QString ProblemNameFromPath(const QString& path)
{
    // Both separators count: paths typed on Windows use "\", the file
    // dialogs give "/".
    const qsizetype lastSeparator = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    const QString fileName = path.mid(lastSeparator + 1);
    const qsizetype firstDot = fileName.indexOf(u'.');
    return firstDot < 0 ? fileName : fileName.left(firstDot);
}

QString GeneratedProblemName(const ProblemCode& code)
{
    const QString prefix = QStringLiteral("乱数");
    const QString whole = prefix + QString::fromStdString(FormatProblemCode(code));
    if (ToShiftJis(whole).size() <= RecordNameBytes)
        return whole;
    const std::uint64_t digest = SplitMix64(code.Seed).Next() % ShortSeedLimit;
    return prefix + QStringLiteral("%1#%2-%3").arg(code.Points).arg(digest, 10, 10, QLatin1Char('0')).arg(whole.back());
}

QString GeneratedProblemName(const QString& code)
{
    if (const std::optional<ProblemCode> parsed = ParseProblemCode(code.toStdString()))
        return GeneratedProblemName(*parsed);
    return FromShiftJis(TRecordsList::NameKey(QStringLiteral("乱数") + code));
}
