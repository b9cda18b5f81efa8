// FormEntry.cpp: drawing a new problem with the mouse, corner by corner.
#include "ui/VandrelPathU.h"

#include <cstdlib>

#include <QCursor>

#include "plot/MyImageU.h"
#include "ui/Controls.h"

namespace {

const QString NewProblemQuestion = QStringLiteral("保存してませんが，新しい問題を作りますか ? ");
const QString PathFullMessage =
    QStringLiteral("経路は 255 点までです。ここから先は入力できません。");

// The entry's pen, drawn by XOR so that a band drawn twice vanishes.
constexpr std::int32_t EntryPenColour = 12632127;
// What that pen shows on white: the entered path is drawn in it directly, so
// that its segments never cancel each other where they meet.
constexpr std::int32_t EnteredPathColour = 0xFFFFFF ^ EntryPenColour;

} // namespace

void TFormMain::ButtonNyuuryokuBeginClick()
{
    if (Unsaved && !dialogs_.ConfirmWarning(this, NewProblemQuestion))
        return;
    // A point picked in a play belongs to the path the entry is about to
    // replace: a choice from its group would fold the path being drawn, or the
    // finished one by the steps of the old.
    RadioGroupSousa->hide();
    ButtonNyuuryokuBegin->setEnabled(false);
    GameMode = ModeEntry;
    // Every path starts at the origin, which point 1 already holds.
    Puzzle.PointCount = 1;
    EntryCorner = {0, 0};
    EntryCandidate = {0, 0};
    RedrawEntry();
    MoveCursorTo(EntryCorner);
    ButtonNyuuryokuEnd->setEnabled(true);
}

// The picture during an entry: grid, axes and the path entered so far, drawn
// afresh; the band is gone with the old picture and the next move draws a new one.
void TFormMain::RedrawEntry()
{
    PlotImage->SetPenMode(PenCopy);
    DrawBackground();
    PlotImage->SetPenColor(EnteredPathColour);
    PlotImage->SetPenWidth(3);
    const PathArray& p = Puzzle.WorkPath;
    PlotImage->MoveTo(p[1].X, p[1].Y);
    for (int i = 2; i <= Puzzle.PointCount; ++i)
        PlotImage->LineTo(p[i].X, p[i].Y);
    PlotImage->SetPenMode(PenXor);
    PlotImage->SetPenColor(EntryPenColour);
    PlotImage->SetPenWidth(3);
    EntryCandidate = EntryCorner;
    PlotImage->Repaint();
}

void TFormMain::EntryBand(int x, int y)
{
    const LatticePoint at = LatticeAt(x, y);
    if (GameMode != ModeEntry)
        return;
    if (EntryCandidate != EntryCorner)
        PlotImage->Segment(EntryCorner.X, EntryCorner.Y, EntryCandidate.X, EntryCandidate.Y);
    const std::int64_t dx = std::llabs(std::int64_t{at.X} - EntryCorner.X);
    const std::int64_t dy = std::llabs(std::int64_t{at.Y} - EntryCorner.Y);
    // The band runs along the corner's column or row, whichever the mouse is
    // nearer; a tie goes along the row.
    if (dx < dy)
        EntryCandidate = {EntryCorner.X, at.Y};
    else
        EntryCandidate = {at.X, EntryCorner.Y};
    if (EntryCandidate != EntryCorner)
        PlotImage->Segment(EntryCorner.X, EntryCorner.Y, EntryCandidate.X, EntryCandidate.Y);
}

void TFormMain::EntryCommit()
{
    if (EntryCandidate == EntryCorner)
        return;
    const AppendResult last =
        Puzzle.ExtendAlongAxis(EntryCorner.X, EntryCorner.Y, EntryCandidate.X, EntryCandidate.Y);
    Unsaved = true;
    EntryCorner = EntryCandidate;
    RedrawEntry();
    MoveCursorTo(EntryCorner);
    if (last == AppendResult::PathFull)
        dialogs_.ShowMessage(this, PathFullMessage);
}

void TFormMain::ButtonNyuuryokuEndClick()
{
    ButtonNyuuryokuEnd->setEnabled(false);
    if (EntryCandidate != EntryCorner)
        PlotImage->Segment(EntryCorner.X, EntryCorner.Y, EntryCandidate.X, EntryCandidate.Y);
    EntryCandidate = EntryCorner;
    PlotImage->SetPenMode(PenCopy);
    PlotImage->SetPenWidth(1);
    GameMode = ModeIdle;
    ButtonNyuuryokuBegin->setEnabled(true);
    Puzzle.ProblemPath = Puzzle.WorkPath;
    // A drawn problem has no name yet, so no play of it may touch the best
    // time of the problem named before; saving it names it.
    BestSeconds = 0;
    PlotImage->Repaint();
}

void TFormMain::MoveCursorTo(LatticePoint p)
{
    QCursor::setPos(PlotImage->mapToGlobal(PlotImage->WorldToPixel(p.X, p.Y)));
}
