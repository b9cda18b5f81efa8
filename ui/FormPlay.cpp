// FormPlay.cpp: the clicks of a play: picking a point, the operation group, the tail highlight.
#include "ui/VandrelPathU.h"

#include "plot/MyImageU.h"
#include "ui/Controls.h"

namespace {

// Pen colour of a highlight by its colour code; a code beyond 4 keeps the pen as it is.
std::int32_t HighlightColour(std::uint8_t code, std::int32_t current)
{
    switch (code) {
    case 0: return 0xFF0000;        // the player's selection: blue
    case 1: case 2: return 0x00FF00;  // rotations: lime
    case 3: case 4: return 0xFFFF00;  // mirrors: aqua
    default: return current;
    }
}

} // namespace

void TFormMain::SelectInPlay(std::int32_t x, std::int32_t y, int px, int py)
{
    Puzzle.SelectPointAt(x, y);
    if (Puzzle.SelectedPivot >= 1) {
        PlaceOperationGroup(px, py);
        return;
    }
    // A miss withdraws an earlier selection's group, so no choice can reach a
    // move without a pivot.
    RadioGroupSousa->hide();
}

void TFormMain::PlaceOperationGroup(int px, int py)
{
    const int w = PlotImage->width();
    const int h = PlotImage->height();
    const int top = py < h / 2 ? py : py - RadioGroupSousa->height();
    const int left = px < w / 2 ? px + 32 : px - RadioGroupSousa->width() - 32;
    RadioGroupSousa->move(left, top);
    RadioGroupSousa->SetItemIndex(-1);
    RadioGroupSousa->show();
    RadioGroupSousa->raise();
}

void TFormMain::RadioGroupSousaClick()
{
    RadioGroupSousa->hide();
    Puzzle.ApplyOperation(static_cast<std::uint8_t>(RadioGroupSousa->ItemIndex()),
                          Puzzle.SelectedPivot);
}

void TFormMain::HighlightTail(std::uint8_t from, std::uint8_t colourCode)
{
    PlotImage->SetPenColor(HighlightColour(colourCode, PlotImage->PenColor()));
    PlotImage->SetPenWidth(3);
    const PathArray& p = Puzzle.WorkPath;
    PlotImage->MoveTo(p[from].X, p[from].Y);
    for (int i = from + 1; i <= Puzzle.PointCount; ++i)
        PlotImage->LineTo(p[i].X, p[i].Y);
    PlotImage->DrawSquare(3, 3, p[from].X, p[from].Y);
    PlotImage->Repaint();
}
