// ProblemName.cpp: a problem's name, from the path of its file.
#include "files/ProblemFile.h"
#include "files/ProblemText.h"

#include <algorithm>


QString ProblemNameFromPath(const QString& path)
{
    return QString::fromStdString(ProblemNameOfPath(path.toStdString()));
}
