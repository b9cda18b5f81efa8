// FormOverlay.cpp: the small panel over the picture's corner during puzzle play: move counter, fewest moves, hint, redo, random problem.
#include "ui/VandrelPathU.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>

#include "ui/Controls.h"
#include "ui/Look.h"
#include "ui/Messages.h"

namespace {

constexpr int OverlayWidth = 180;
constexpr int OverlayHeight = 110;
constexpr int OverlayInset = 8;  // from the picture's top right corner

} // namespace

void TFormMain::BuildOverlay()
{
    PanelTesuu = new QFrame(PanelImage);
    PanelTesuu->setFrameShape(QFrame::Panel);
    PanelTesuu->setFrameShadow(QFrame::Raised);
    SetBackground(PanelTesuu, InactiveCaption);
    PanelTesuu->resize(OverlayWidth, OverlayHeight);
    PanelTesuu->setFont(Gothic(12));

    LabelTesuu = new QLabel(PanelTesuu);
    LabelTesuu->setGeometry(8, 4, 80, 20);
    LabelSaitan = new QLabel(PanelTesuu);
    LabelSaitan->setGeometry(92, 4, 84, 20);
    ButtonHint = new TPressButton(Messages::HintButton, PanelTesuu);
    ButtonHint->setGeometry(8, 28, 80, 24);
    ButtonRedo = new TPressButton(Messages::RedoButton, PanelTesuu);
    ButtonRedo->setGeometry(92, 28, 80, 24);
    ButtonRandom = new TPressButton(Messages::RandomButton, PanelTesuu);
    ButtonRandom->setGeometry(8, 56, 164, 24);
    LabelHintUsed = new QLabel(Messages::HintUsed, PanelTesuu);
    LabelHintUsed->setGeometry(8, 84, 164, 20);
    SetTextColour(PanelTesuu, Qt::black);
    LabelHintUsed->hide();
    ButtonHint->setEnabled(false);
    ButtonRedo->setEnabled(false);
    ButtonRandom->setEnabled(false);
    PanelTesuu->hide();
    PanelImage->installEventFilter(this);
    // However small the window, the picture holds the panel whole.
    PanelImage->setMinimumSize(OverlayWidth + 2 * OverlayInset, OverlayHeight + 2 * OverlayInset);
}

// Top right of the picture, whatever its size.
void TFormMain::PlaceOverlay()
{
    PanelTesuu->move(PanelImage->width() - OverlayWidth - OverlayInset, OverlayInset);
    PanelTesuu->raise();
    // The operation group and the explanation stay on top of it.
    RadioGroupSousa->raise();
    MemoSetsumei->raise();
}

// After everything that changes the path, the moves or the mode.
void TFormMain::RefreshOverlay()
{
    if (!PanelTesuu)
        return;
    const TPuzzle& puzzle = session_.Puzzle();
    const bool playing = session_.GameMode() == ModePlay;
    // Only what changed: every redraw, a pan's too, comes here.
    const QString moves = Messages::MoveCounter(puzzle.MoveCount());
    if (LabelTesuu->text() != moves)
        LabelTesuu->setText(moves);
    ButtonRedo->setEnabled(playing && puzzle.History().RedoCount() > 0);
    ButtonHint->setEnabled(playing && !hintWork_.Running());
    LabelHintUsed->setVisible(session_.HintUsed());
    // A new problem where a problem may be opened.
    ButtonRandom->setEnabled(ButtonOpenAll->isEnabled() && !generateWork_.Running());
}

void TFormMain::ButtonRedoClick()
{
    session_.Puzzle().Redo();
}
