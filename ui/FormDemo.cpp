// FormDemo.cpp: the computer's demonstration, one highlighted move at a time.
#include "ui/VandrelPathU.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QSlider>

#include "core/ScopeExit.h"
#include "plot/MyImageU.h"
#include "solver/Demonstration.h"
#include "ui/Controls.h"

void TFormMain::ButtonJidouClick()
{
    PanelJidou->show();
    ButtonStep->setEnabled(true);
    session_.OpenDemonstration();
    RefreshOverlay();
}

void TFormMain::ButtonStepMouseDown(int shift)
{
    ButtonStep->setEnabled(false);
    // "次" comes back even when an error ends the step or the run.
    const ScopeExit enableStep([this] { ButtonStep->setEnabled(true); });
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
    if (session_.GameMode() == ModeEntry)
        return;
    StepDemonstration(
        session_.Puzzle(), [this] { clock_.DelayMs(WaitMs()); },
        [this](const TPathStore& path) { return DemonstrationMove(path); });
}

void TFormMain::SolverRun()
{
    // Other handlers run between the cycles; any of them may end the play.
    do {
        SolverStep();
        clock_.DelayMs(WaitMs());
        QCoreApplication::processEvents();
    } while (session_.GameMode() == ModePlay);
}

void TFormMain::closeEvent(QCloseEvent* event)
{
    // A continuous demonstration must not outlive its window.
    session_.EndPlay();
    QWidget::closeEvent(event);
}
