// FormModes.cpp: the two working modes, the managed buttons, the play clock, help and quit.
#include "ui/VandrelPathU.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

#include "core/ScopeExit.h"
#include "ui/Controls.h"
#include "ui/Messages.h"

void TFormMain::ApplyButtonMask(std::uint8_t mask)
{
    for (int bit = 0; bit < 8; ++bit)
        ManagedButtons[bit]->setEnabled((mask >> bit) & 1);
    RefreshOverlay();
}

std::uint8_t TFormMain::ButtonMaskNow() const
{
    std::uint8_t mask = 0;
    for (int bit = 0; bit < 8; ++bit) {
        if (ManagedButtons[bit]->isEnabled())
            mask = static_cast<std::uint8_t>(mask | (1 << bit));
    }
    return mask;
}

void TFormMain::RadioGroupMenuClick()
{
    if (session_.Unsaved() && !dialogs_.ConfirmWarning(this, Messages::SwitchQuestion))
        return;
    // An entry left unfinished would leave the point count describing a path
    // that is not the problem; leaving the mode finishes it as "終了" does.
    if (session_.GameMode() == ModeEntry)
        ButtonNyuuryokuEndClick();
    const int item = RadioGroupMenu->ItemIndex();
    // Hide before showing: for a moment both panels would need their room,
    // and a window that is not maximised would keep the height it grew to.
    QWidget* shown = item == MenuCreation ? PanelMondai : PanelPuzzle;
    QWidget* hidden = item == MenuCreation ? PanelPuzzle : PanelMondai;
    hidden->hide();
    shown->show();
    PanelTesuu->setVisible(item == MenuPuzzle);
    generateWork_.Cancel();
    ApplyButtonMask(session_.ChooseMode(item));
    CancelStaleHint();
}

void TFormMain::ShowClock(std::int32_t seconds)
{
    PanelTime->setText(QString::fromStdString(ClockText(seconds)));
}

void TFormMain::ButtonStartClick()
{
    if (session_.StartDiscardsMoves() && !dialogs_.ConfirmWarning(this, Messages::RestartQuestion))
        return;
    const std::uint8_t mask = session_.Start(clock_.MonotonicSeconds());
    ShowClock(0);
    DrawPath();
    Timer->start();
    ApplyButtonMask(mask);
}

void TFormMain::TimerTimer()
{
    ShowClock(session_.Tick(clock_.MonotonicSeconds()));
}

void TFormMain::ButtonPauseClick()
{
    Timer->stop();
    ApplyButtonMask(session_.Pause());
    CancelStaleHint();
}

void TFormMain::ButtonContinueClick()
{
    const std::uint8_t mask = session_.Continue(clock_.MonotonicSeconds());
    Timer->start();
    ApplyButtonMask(mask);
    ButtonUndo->setEnabled(session_.Puzzle().MoveCount() > 0);
}

void TFormMain::ButtonUndoClick()
{
    session_.Puzzle().Undo();
}

void TFormMain::ButtonSetsumeiClick()
{
    ButtonSetsumei->setEnabled(false);
    MemoSetsumei->setVisible(!MemoSetsumei->isVisible());
    ButtonSetsumei->setText(MemoSetsumei->isVisible() ? Messages::HideHelp : Messages::ShowHelp);
    ButtonSetsumei->setEnabled(true);
}

void TFormMain::ButtonCloseClick()
{
    if (session_.Unsaved() && !dialogs_.ConfirmWarning(this, Messages::QuitQuestion))
        return;
    close();
}

void TFormMain::ShowMessage(const std::string& text)
{
    dialogs_.ShowMessage(this, QString::fromStdString(text));
}

void TFormMain::SetUndoEnabled(bool enabled)
{
    ButtonUndo->setEnabled(enabled);
    RefreshOverlay();
}

void TFormMain::PathSolved()
{
    Timer->stop();
    ApplyButtonMask(MaskSolved);
    session_.EndPlay();
    RefreshOverlay();
    dialogs_.ShowMessage(this, Messages::Solved);
    PanelJidou->hide();
    // The play is over whether or not its record could be written.
    const ScopeExit finish([this] {
        session_.MarkSaved();
        ButtonSave->setEnabled(false);
    });
    if (session_.TakeNewBest())
        StoreBestTime();
}
