// FormPlay.cpp: the clicks of a play: picking a point, the operation group, the tail highlight.
#include "ui/VandrelPathU.h"

#include "plot/MyImageU.h"
#include "ui/Controls.h"

namespace {

// Pen colour of a highlight by its colour code; a code beyond 4 keeps the pen as it is.
std::int32_t HighlightColour(std::uint8_t code, std::int32_t current)
{
    switch (code) {
    case TailSelected: return 0xFF0000;  // the player's selection: blue
    case OpR: case OpL: return 0x00FF00;  // rotations: lime
    case OpH: case OpV: return 0xFFFF00;  // mirrors: aqua
    default: return current;
    }
}

} // namespace

void TFormMain::SelectInPlay(std::int32_t x, std::int32_t y, int px, int py)
{
    session_.Puzzle().SelectPointAt(x, y);
    if (session_.Puzzle().SelectedPivot() >= 1) {
        PlaceOperationGroup(px, py);
        return;
    }
    // A miss withdraws an earlier selection's group, so no choice can reach a
    // move without a pivot.
    RadioGroupSousa->hide();
}

void TFormMain::PlaceOperationGroup(int px, int py)
{
    const int w = plotImage_->width();
    const int h = plotImage_->height();
    const int top = py < h / 2 ? py : py - RadioGroupSousa->height();
    const int left = px < w / 2 ? px + 32 : px - RadioGroupSousa->width() - 32;
    RadioGroupSousa->move(left, top);
    RadioGroupSousa->SetItemIndex(-1);
    ClearHintMark();
    RadioGroupSousa->show();
    RadioGroupSousa->raise();
}

void TFormMain::RadioGroupSousaClick()
{
    RadioGroupSousa->hide();
    session_.Puzzle().ApplyOperation(static_cast<std::uint8_t>(RadioGroupSousa->ItemIndex()),
                                     session_.Puzzle().SelectedPivot());
}

void TFormMain::HighlightTail(std::uint8_t from, std::uint8_t colourCode)
{
    plotImage_->SetPenColor(HighlightColour(colourCode, plotImage_->PenColor()));
    plotImage_->SetPenWidth(3);
    const TPuzzle& puzzle = session_.Puzzle();
    plotImage_->MoveTo(puzzle.Work(from).X, puzzle.Work(from).Y);
    for (int i = from + 1; i <= puzzle.PointCount(); ++i)
        plotImage_->LineTo(puzzle.Work(i).X, puzzle.Work(i).Y);
    plotImage_->DrawSquare(3, 3, puzzle.Work(from).X, puzzle.Work(from).Y);
    plotImage_->Repaint();
}
