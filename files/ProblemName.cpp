// ProblemName.cpp: a problem's name, from the path of its file.
#include "files/ProblemFile.h"

#include <algorithm>


QString ProblemNameFromPath(const QString& path)
{
    // Both separators count: paths typed on Windows use "\", the file
    // dialogs give "/".
    const qsizetype lastSeparator = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    const QString fileName = path.mid(lastSeparator + 1);
    const qsizetype firstDot = fileName.indexOf(u'.');
    return firstDot < 0 ? fileName : fileName.left(firstDot);
}
