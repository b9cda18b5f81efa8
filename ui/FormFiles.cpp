// FormFiles.cpp: what the window's dialogs bring the game: problem files opened and saved, random problems, the mode, help and quit.
#include "ui/VandrelPathU.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPlainTextEdit>

#include "files/ProblemFile.h"
#include "files/TextFile.h"
#include "ui/ControlPanel.h"
#include "ui/Controls.h"
#include "ui/Messages.h"
#include "ui/ModePanels.h"
#include "ui/PictureArea.h"
#include "ui/PlayOverlay.h"

bool TFormMain::LoadProblemText(const QStringList& lines)
{
    const ProblemParse parse = ParseProblemLines(lines);
    if (const auto* error = std::get_if<ProblemError>(&parse)) {
        dialogs_.ShowMessage(this, Messages::ProblemLineError(QString(), error->Line, error->Message));
        return false;
    }
    game_->InstallSample(std::get<ParsedProblem>(parse), problemName_.toStdString());
    return true;
}

void TFormMain::RadioGroupMenuClick()
{
    game_->ChooseMode(controls_->RadioGroupMenu->ItemIndex());
}

void TFormMain::ButtonOpenClick()
{
    game_->OpeningProblem();
    const std::optional<QString> file = dialogs_.ChooseOpenFile(this, preferences_.Folder);
    if (!file)
        return;
    preferences_.Folder = QFileInfo(*file).absolutePath();
    userData_.SavePreferences(preferences_);
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
    game_->InstallOpened(std::get<ParsedProblem>(parse), ProblemNameFromPath(*file).toStdString());
}

void TFormMain::ButtonSaveClick(int tag)
{
    const QString proposal = tag == SaveCopy ? problemName_ + QLatin1Char('_') : problemName_;
    const std::optional<QString> file = dialogs_.ChooseSaveFile(this, proposal, preferences_.Folder);
    if (!file)
        return;
    // "保存" during an entry saves what has been drawn, not the previous
    // problem under the new point count; a cancelled dialog leaves the entry going.
    game_->EndEntry();
    preferences_.Folder = QFileInfo(*file).absolutePath();
    userData_.SavePreferences(preferences_);
    const TPuzzle& puzzle = game_->Puzzle();
    try {
        WriteFileAtomically(*file, JoinTextLines(FormatProblemLines(puzzle.ProblemPath(), puzzle.PointCount())));
    } catch (const EFileError& e) {
        dialogs_.ShowMessage(this, QString::fromStdString(e.what()));
        return;
    }
    std::optional<std::string> rename;
    if (tag != SaveCopy)
        rename = ProblemNameFromPath(*file).toStdString();
    game_->ProblemSaved(rename);
}

// The random problem's whole code, to play it again or hand it on.
void TFormMain::CopyCode()
{
    const QString code = picture_->PanelTesuu->Code();
    if (!code.isEmpty())
        QGuiApplication::clipboard()->setText(code);
}

void TFormMain::ButtonSetsumeiClick()
{
    TPressButton* button = controls_->ButtonSetsumei;
    QPlainTextEdit* memo = picture_->MemoSetsumei;
    button->setEnabled(false);
    memo->setVisible(!memo->isVisible());
    button->setText(memo->isVisible() ? Messages::HideHelp : Messages::ShowHelp);
    button->setEnabled(true);
    if (memo->isVisible())
        memo->raise();
}

void TFormMain::ButtonCloseClick()
{
    if (game_->MayQuit())
        close();
}
