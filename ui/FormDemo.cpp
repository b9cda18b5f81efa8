// FormDemo.cpp: the computer's demonstration, one highlighted move at a time.
#include "ui/VandrelPathU.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QSlider>

#include "plot/MyImageU.h"
#include "solver/Demonstration.h"
#include "ui/Controls.h"

void TFormMain::ButtonJidouClick()
{
    PanelJidou->show();
    ButtonStep->setEnabled(true);
    GameMode = ModePlay;
}

void TFormMain::ButtonStepMouseDown(int shift)
{
    ButtonStep->setEnabled(false);
    // "次" comes back even when an error ends the step or the run.
    struct EnableStep {
        QWidget* button;
        ~EnableStep() { button->setEnabled(true); }
    } enable{ButtonStep};
    if (shift & DoubleClick)
        SolverRun();
    else
        SolverStep();
}

int TFormMain::WaitMs() const
{
    return 250 << TrackBarWait->value();
}

void TFormMain::SolverStep()
{
    // A path being drawn is no puzzle yet.
    if (GameMode == ModeEntry)
        return;
    Puzzle.DeriveStructure();
    const std::optional<SolverMove> move = NextDemonstrationMove(Puzzle);
    if (!move)
        return;
    HighlightTail(move->Pivot, move->OpCode);
    clock_.DelayMs(WaitMs());
    Puzzle.ApplyOperation(move->OpCode, move->Pivot);
    DrawPath();
}

void TFormMain::SolverRun()
{
    // Other handlers run between the cycles; any of them may end the play.
    do {
        SolverStep();
        clock_.DelayMs(WaitMs());
        QCoreApplication::processEvents();
    } while (GameMode == ModePlay);
}

void TFormMain::closeEvent(QCloseEvent* event)
{
    // A continuous demonstration must not outlive its window.
    GameMode = ModeIdle;
    QWidget::closeEvent(event);
}
