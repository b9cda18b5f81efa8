// FormEntry.cpp: drawing a new problem with the mouse, corner by corner.
#include "ui/VandrelPathU.h"

#include <QCursor>

#include "plot/MyImageU.h"
#include "ui/Controls.h"
#include "ui/Messages.h"

namespace {

// The entry's pen, drawn by XOR so that a band drawn twice vanishes.
constexpr std::int32_t EntryPenColour = 12632127;
// What that pen shows on white: the entered path is drawn in it directly, so
// that its segments never cancel each other where they meet.
constexpr std::int32_t EnteredPathColour = 0xFFFFFF ^ EntryPenColour;

} // namespace

void TFormMain::ButtonNyuuryokuBeginClick()
{
    if (session_.Unsaved() && !dialogs_.ConfirmWarning(this, Messages::NewProblemQuestion))
        return;
    // A point picked in a play belongs to the path the entry is about to
    // replace: a choice from its group would fold the path being drawn, or the
    // finished one by the steps of the old.
    RadioGroupSousa->hide();
    ButtonNyuuryokuBegin->setEnabled(false);
    session_.BeginEntry();
    RedrawEntry();
    MoveCursorTo(session_.EntryCorner());
    ButtonNyuuryokuEnd->setEnabled(true);
}

// The picture during an entry: grid, axes and the path entered so far, drawn
// afresh; the band is gone with the old picture and the next move draws a new one.
void TFormMain::RedrawEntry()
{
    plotImage_->SetPenMode(PenCopy);
    DrawBackground();
    plotImage_->SetPenColor(EnteredPathColour);
    plotImage_->SetPenWidth(3);
    const TPuzzle& puzzle = session_.Puzzle();
    plotImage_->MoveTo(puzzle.Work(1).X, puzzle.Work(1).Y);
    for (int i = 2; i <= puzzle.PointCount(); ++i)
        plotImage_->LineTo(puzzle.Work(i).X, puzzle.Work(i).Y);
    plotImage_->SetPenMode(PenXor);
    plotImage_->SetPenColor(EntryPenColour);
    plotImage_->SetPenWidth(3);
    session_.DropBand();
    plotImage_->Repaint();
}

// The band from the last corner, drawn by XOR: drawn again, it is gone.
void TFormMain::DrawBand()
{
    const LatticePoint corner = session_.EntryCorner();
    const LatticePoint candidate = session_.EntryCandidate();
    if (candidate != corner)
        plotImage_->Segment(corner.X, corner.Y, candidate.X, candidate.Y);
}

void TFormMain::EntryBand(int x, int y)
{
    const LatticePoint at = LatticeAt(x, y);
    if (session_.GameMode() != ModeEntry)
        return;
    DrawBand();
    session_.ProposeBand(at);
    DrawBand();
}

void TFormMain::EntryCommit()
{
    if (session_.EntryCandidate() == session_.EntryCorner())
        return;
    const AppendResult last = session_.CommitBand();
    RedrawEntry();
    MoveCursorTo(session_.EntryCorner());
    if (last == AppendResult::PathFull)
        dialogs_.ShowMessage(this, Messages::PathFull);
}

void TFormMain::ButtonNyuuryokuEndClick()
{
    ButtonNyuuryokuEnd->setEnabled(false);
    DrawBand();
    plotImage_->SetPenMode(PenCopy);
    plotImage_->SetPenWidth(1);
    session_.EndEntry();
    ButtonNyuuryokuBegin->setEnabled(true);
    plotImage_->Repaint();
    StartParSearch();
}

void TFormMain::MoveCursorTo(LatticePoint p)
{
    QCursor::setPos(plotImage_->mapToGlobal(plotImage_->WorldToPixel(p.X, p.Y)));
}
