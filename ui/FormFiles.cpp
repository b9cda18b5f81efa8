// FormFiles.cpp: the built-in sample, opening and saving problems, naming them, best times.
#include "ui/VandrelPathU.h"

#include <QFileInfo>

#include "core/ScopeExit.h"
#include "files/ProblemFile.h"
#include "files/TextFile.h"
#include "ui/Controls.h"
#include "ui/Messages.h"

void TFormMain::InstallProblem(const QStringList& lines, const Problem& problem)
{
    memoMondai_ = lines;
    session_.Puzzle().LoadProblem(problem);
    StartParSearch();
}

bool TFormMain::LoadProblemText(const QStringList& lines)
{
    const ProblemParse parse = ParseProblemLines(lines);
    if (const auto* error = std::get_if<ProblemError>(&parse)) {
        dialogs_.ShowMessage(this, Messages::ProblemLineError(QString(), error->Line, error->Message));
        return false;
    }
    InstallProblem(lines, std::get<ParsedProblem>(parse));
    return true;
}

void TFormMain::LoadDefaultProblem()
{
    problemName_ = Messages::SampleName;
    LoadProblemText(BuiltInSampleLines());
    session_.MarkSaved();
    ButtonSave->setEnabled(false);
}

void TFormMain::ButtonOpenClick()
{
    // The demonstration panel goes away whatever the dialog brings.
    const ScopeExit hideDemonstration([this] { PanelJidou->hide(); });

    const std::optional<QString> file = dialogs_.ChooseOpenFile(this);
    if (!file)
        return;
    generateWork_.Cancel();  // the file comes instead of a random problem being made
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
        dialogs_.ShowMessage(this, Messages::ProblemLineError(QFileInfo(*file).fileName(), error->Line, error->Message));
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
    if (session_.GameMode() == ModeEntry)
        ButtonNyuuryokuEndClick();
    const QString proposal = tag == SaveCopy ? problemName_ + QLatin1Char('_') : problemName_;
    const std::optional<QString> file = dialogs_.ChooseSaveFile(this, proposal);
    if (!file)
        return;
    const TPuzzle& puzzle = session_.Puzzle();
    try {
        WriteFileAtomically(*file, JoinTextLines(FormatProblemLines(puzzle.ProblemPath(), puzzle.PointCount())));
    } catch (const EFileError& e) {
        dialogs_.ShowMessage(this, QString::fromStdString(e.what()));
        return;
    }
    if (tag != SaveCopy)
        SetProblemName(*file);
    session_.MarkSaved();
    ButtonSave->setEnabled(false);
}

void TFormMain::SetProblemName(const QString& path)
{
    problemName_ = ProblemNameFromPath(path);
    std::int32_t best = NoRecordSeconds;
    session_.SetBestSeconds(best);
    memoRecord_.FindRecord(problemName_, best, recordLine_);
    session_.SetBestSeconds(best);
    setWindowTitle(Messages::CaptionFor(problemName_, best));
}

void TFormMain::LoadRecordsFile()
{
    recordsFileName_ = RecordsFileName;
    try {
        memoRecord_.Load(recordsFileName_);
    } catch (const EFileError& e) {
        // Without the records the game still plays; best times are just not kept.
        dialogs_.ShowMessage(this, QString::fromStdString(e.what()));
    }
}

void TFormMain::StoreBestTime()
{
    // Find the problem's line afresh: whatever happened to the list since the
    // problem was named, no other problem's line may be replaced.
    std::int32_t recorded = 0;
    memoRecord_.FindRecord(problemName_, recorded, recordLine_);
    memoRecord_.StoreBestTime(recordLine_, problemName_, session_.BestSeconds(), clock_.Today(), recordsFileName_);
}
