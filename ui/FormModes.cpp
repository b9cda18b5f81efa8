// FormModes.cpp: the two working modes, the managed buttons, the play clock, help and quit.
#include "ui/VandrelPathU.h"

#include <cmath>

#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

#include "core/Checked.h"
#include "ui/Controls.h"

namespace {

const QString QuitQuestion = QStringLiteral("保存してませんが，終了しますか");
const QString SwitchQuestion = QStringLiteral("保存してませんが，移動しますか");
const QString RestartQuestion = QStringLiteral("途中ですが，最初からやり直しますか ? ");
const QString SolvedMessage = QStringLiteral("　　お　め　で　と　う　　");

} // namespace

void TFormMain::ApplyButtonMask(std::uint8_t mask)
{
    for (int bit = 0; bit < 8; ++bit)
        ManagedButtons[bit]->setEnabled((mask >> bit) & 1);
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
    if (Unsaved && !dialogs_.ConfirmWarning(this, SwitchQuestion))
        return;
    // An entry left unfinished would leave the point count describing a path
    // that is not the problem; leaving the mode finishes it as "終了" does.
    if (GameMode == ModeEntry)
        ButtonNyuuryokuEndClick();
    const int item = RadioGroupMenu->ItemIndex();
    // Hide before showing: for a moment both panels would need their room,
    // and a window that is not maximised would keep the height it grew to.
    QWidget* shown = item == 0 ? PanelMondai : PanelPuzzle;
    QWidget* hidden = item == 0 ? PanelPuzzle : PanelMondai;
    hidden->hide();
    shown->show();
    if (item == 0)
        ApplyButtonMask(MaskCreation);
    else if (item == 1)
        ApplyButtonMask(MaskPuzzle);
    GameMode = ModeIdle;
}

void TFormMain::ShowClock(QLabel* label, std::int32_t seconds)
{
    label->setText(QString::asprintf("%4d分%2d秒", seconds / 60, seconds % 60));
}

void TFormMain::ButtonStartClick()
{
    if (GameMode == ModePlay && Puzzle.MoveCount() > 0
        && !dialogs_.ConfirmWarning(this, RestartQuestion))
        return;
    Puzzle.ResetToProblem();
    CarriedSeconds = 0;
    ShowClock(PanelTime, 0);
    DrawPath();
    GameMode = ModePlay;
    ElapsedSeconds = 0;
    PlayStartTime = clock_.MonotonicSeconds();
    Timer->start();
    ApplyButtonMask(MaskPlaying);
}

void TFormMain::TimerTimer()
{
    // Seconds since the last start or continue, to the nearest (halves to even).
    const double running = std::nearbyint(clock_.MonotonicSeconds() - PlayStartTime);
    const std::int64_t total = std::int64_t{CarriedSeconds} + static_cast<std::int64_t>(running);
    if (!std::in_range<std::int32_t>(total))
        throw EIntOverflow();
    ElapsedSeconds = static_cast<std::int32_t>(total);
    ShowClock(PanelTime, ElapsedSeconds);
}

void TFormMain::ButtonPauseClick()
{
    GameMode = ModeIdle;
    Timer->stop();
    CarriedSeconds = ElapsedSeconds;
    ApplyButtonMask(MaskPaused);
}

void TFormMain::ButtonContinueClick()
{
    GameMode = ModePlay;
    PlayStartTime = clock_.MonotonicSeconds();
    Timer->start();
    ApplyButtonMask(MaskPlaying);
    ButtonUndo->setEnabled(Puzzle.MoveCount() > 0);
}

void TFormMain::ButtonUndoClick()
{
    Puzzle.Undo();
}

void TFormMain::ButtonSetsumeiClick()
{
    ButtonSetsumei->setEnabled(false);
    MemoSetsumei->setVisible(!MemoSetsumei->isVisible());
    ButtonSetsumei->setText(MemoSetsumei->isVisible() ? QStringLiteral("説明非表示")
                                                      : QStringLiteral("説明表示"));
    ButtonSetsumei->setEnabled(true);
}

void TFormMain::ButtonCloseClick()
{
    if (Unsaved && !dialogs_.ConfirmWarning(this, QuitQuestion))
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
}

void TFormMain::PathSolved()
{
    Timer->stop();
    ApplyButtonMask(MaskSolved);
    GameMode = ModeIdle;
    dialogs_.ShowMessage(this, SolvedMessage);
    PanelJidou->hide();
    // The play is over whether or not its record could be written.
    struct FinishPlay {
        TFormMain* form;
        ~FinishPlay()
        {
            form->Unsaved = false;
            form->ButtonSave->setEnabled(false);
        }
    } finish{this};
    if (ElapsedSeconds < BestSeconds)
        StoreBestTime();
}
