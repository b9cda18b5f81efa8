// FormFiles.cpp: the built-in sample, opening and saving problems, naming them, best times.
#include "ui/VandrelPathU.h"

#include <QFileInfo>

#include "files/ProblemFile.h"
#include "files/TextFile.h"
#include "ui/Controls.h"

namespace {

QString CaptionFor(const QString& name, std::int32_t bestSeconds)
{
    return QStringLiteral("ソラドミ　") + name
           + QString::asprintf("%10d分%2d秒", bestSeconds / 60, bestSeconds % 60);
}

QString LineMessage(const QString& file, const ProblemError& error)
{
    return QStringLiteral("%1 の %2 行目: %3").arg(QFileInfo(file).fileName()).arg(error.Line).arg(error.Message);
}

} // namespace

void TFormMain::InstallProblem(const QStringList& lines, const ParsedProblem& problem)
{
    MemoMondai = lines;
    for (int i = 1; i <= problem.PointCount; ++i) {
        Puzzle.WorkPath[i].X = problem.Points[i].X;
        Puzzle.WorkPath[i].Y = problem.Points[i].Y;
    }
    Puzzle.PointCount = problem.PointCount;
    Puzzle.ProblemPath = Puzzle.WorkPath;
    DrawPath();
}

bool TFormMain::LoadProblemText()
{
    const ProblemParse parse = ParseProblemLines(MemoMondai);
    if (const auto* error = std::get_if<ProblemError>(&parse)) {
        dialogs_.ShowMessage(this, QStringLiteral("%1 行目: %2").arg(error->Line).arg(error->Message));
        return false;
    }
    InstallProblem(MemoMondai, std::get<ParsedProblem>(parse));
    return true;
}

void TFormMain::LoadDefaultProblem()
{
    ProblemName = QStringLiteral("Vandrel000");
    MemoMondai = BuiltInSampleLines();
    LoadProblemText();
    Unsaved = false;
    ButtonSave->setEnabled(false);
}

void TFormMain::ButtonOpenClick()
{
    // The demonstration panel goes away whatever the dialog brings.
    struct HideDemonstration {
        QWidget* panel;
        ~HideDemonstration() { panel->hide(); }
    } hide{PanelJidou};

    const std::optional<QString> file = dialogs_.ChooseOpenFile(this);
    if (!file)
        return;
    // Everything is read and checked before anything is replaced, so a bad
    // file leaves the current problem, its name and the view as they were.
    QStringList lines;
    try {
        lines = SplitTextLines(ReadFileBytes(*file));
    } catch (const EFileError& e) {
        dialogs_.ShowMessage(this, QString::fromStdString(e.what()));
        return;
    }
    const ProblemParse parse = ParseProblemLines(lines);
    if (const auto* error = std::get_if<ProblemError>(&parse)) {
        dialogs_.ShowMessage(this, LineMessage(*file, *error));
        return;
    }
    LoadRecordsFile();
    InstallProblem(lines, std::get<ParsedProblem>(parse));
    SetProblemName(*file);
}

void TFormMain::ButtonSaveClick(int tag)
{
    // "保存" during an entry saves what has been drawn, not the previous problem
    // under the new point count.
    if (GameMode == ModeEntry)
        ButtonNyuuryokuEndClick();
    const QString proposal = tag == 2 ? ProblemName + QLatin1Char('_') : ProblemName;
    const std::optional<QString> file = dialogs_.ChooseSaveFile(this, proposal);
    if (!file)
        return;
    try {
        WriteFileAtomically(*file, JoinTextLines(FormatProblemLines(Puzzle.ProblemPath, Puzzle.PointCount)));
    } catch (const EFileError& e) {
        dialogs_.ShowMessage(this, QString::fromStdString(e.what()));
        return;
    }
    if (tag != 2)
        SetProblemName(*file);
    Unsaved = false;
    ButtonSave->setEnabled(false);
}

void TFormMain::SetProblemName(const QString& path)
{
    ProblemName = ProblemNameFromPath(path);
    BestSeconds = NoRecordSeconds;
    MemoRecord.FindRecord(ProblemName, BestSeconds, RecordLine);
    setWindowTitle(CaptionFor(ProblemName, BestSeconds));
}

void TFormMain::LoadRecordsFile()
{
    RecordsFileName = ::RecordsFileName;
    try {
        MemoRecord.Load(RecordsFileName);
    } catch (const EFileError& e) {
        // Without the records the game still plays; best times are just not kept.
        dialogs_.ShowMessage(this, QString::fromStdString(e.what()));
    }
}

void TFormMain::StoreBestTime()
{
    BestSeconds = ElapsedSeconds;
    // Find the problem's line afresh: whatever happened to the list since the
    // problem was named, no other problem's line may be replaced.
    std::int32_t recorded = 0;
    MemoRecord.FindRecord(ProblemName, recorded, RecordLine);
    MemoRecord.StoreBestTime(RecordLine, ProblemName, BestSeconds, clock_.Today(), RecordsFileName);
}
