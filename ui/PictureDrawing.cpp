// PictureDrawing.cpp: the pens and colours of the picture: grid, axes, the path in play and in entry, the highlights.
#include "ui/PictureDrawing.h"

#include "core/Moves.h"
#include "plot/MyImageU.h"

namespace {

constexpr std::int32_t GridColour = 0xC0C0C0;
constexpr std::int32_t AxesColour = 0x808080;
constexpr std::int32_t PathColour = 0x0000FF;
// The entry's pen, drawn by XOR so that a band drawn twice vanishes.
constexpr std::int32_t EntryPenColour = 12632127;
// What that pen shows on white: the entered path is drawn in it directly, so
// that its segments never cancel each other where they meet.
constexpr std::int32_t EnteredPathColour = 0xFFFFFF ^ EntryPenColour;

// Pen colour of a highlight by its colour code; a code beyond 4 keeps the pen as it is.
std::int32_t HighlightColour(std::uint8_t code, std::int32_t current)
{
    switch (code) {
    case TailSelected: return 0xFF0000;   // the player's selection: blue
    case OpR: case OpL: return 0x00FF00;  // rotations: lime
    case OpH: case OpV: return 0xFFFF00;  // mirrors: aqua
    default: return current;
    }
}

void Stroke(TMyImage2& image, const Polyline& line)
{
    if (line.empty())
        return;
    image.MoveTo(line.front().X, line.front().Y);
    for (std::size_t i = 1; i < line.size(); ++i)
        image.LineTo(line[i].X, line[i].Y);
}

void FollowView(TMyImage2& image, const ViewTransform& view)
{
    if (image.OriginX != view.OriginX || image.OriginY != view.OriginY)
        image.SetOrigin(view.OriginX, view.OriginY);
    if (image.Unit != view.Unit) {
        image.SetUnit(view.Unit);
        image.SetFontSize(view.Unit);
    }
}

} // namespace

void DrawPicture(TMyImage2& image, const Picture& picture)
{
    FollowView(image, picture.View);
    const ViewWindow& w = picture.Window;
    image.SetPenMode(PenCopy);
    image.DrawBackdrop(w.Left, w.Right, w.Bottom, w.Top, GridColour, AxesColour);
    image.SetPenColor(picture.Look == PathLook::Play ? PathColour : EnteredPathColour);
    image.SetPenWidth(3);
    Stroke(image, picture.Path);
    for (const TailMark& mark : picture.Marks) {
        image.SetPenColor(HighlightColour(mark.Colour, image.PenColor()));
        image.SetPenWidth(3);
        Stroke(image, mark.Tail);
        if (!mark.Tail.empty())
            image.DrawSquare(3, 3, mark.Tail.front().X, mark.Tail.front().Y);
    }
    if (picture.Look == PathLook::Entry) {
        // The band is drawn over everything else by XOR, in the entry's pen.
        image.SetPenMode(PenXor);
        image.SetPenColor(EntryPenColour);
        image.SetPenWidth(3);
        if (picture.Band)
            image.Segment(picture.Band->first.X, picture.Band->first.Y, picture.Band->second.X, picture.Band->second.Y);
    } else if (picture.Look == PathLook::Entered) {
        // The entry's pen as it ends: copy mode, thin, its colour kept.
        image.SetPenColor(EntryPenColour);
        image.SetPenWidth(1);
    }
    image.Repaint();
}
