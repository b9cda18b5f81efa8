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

QString GeneratedProblemName(const QString& code)
{
    return FromShiftJis(TRecordsList::NameKey(QStringLiteral("乱数") + code));
}
