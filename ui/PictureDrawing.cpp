// PictureDrawing.cpp: the pens and colours of the picture: grid, axes, the path in play and in entry, the highlights.
#include "ui/PictureDrawing.h"

#include "game/PictureLook.h"
#include "plot/MyImageU.h"

namespace {

using namespace PictureLook;

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
    image.SetPenWidth(PathPenWidth);
    image.Polyline(picture.Path);
    for (const TailMark& mark : picture.Marks) {
        image.SetPenColor(HighlightColour(mark.Colour, image.PenColor()));
        image.SetPenWidth(PathPenWidth);
        image.Polyline(mark.Tail);
        if (!mark.Tail.empty())
            image.DrawSquare(PivotHalfSide, PivotHalfSide, mark.Tail.front().X, mark.Tail.front().Y);
    }
    if (picture.Look == PathLook::Entry) {
        // The band is drawn over everything else by XOR, in the entry's pen.
        image.SetPenMode(PenXor);
        image.SetPenColor(EntryPenColour);
        image.SetPenWidth(PathPenWidth);
        if (picture.Band)
            image.Segment(picture.Band->first.X, picture.Band->first.Y, picture.Band->second.X, picture.Band->second.Y);
    } else if (picture.Look == PathLook::Entered) {
        // The entry's pen as it ends: copy mode, thin, its colour kept.
        image.SetPenColor(EntryPenColour);
        image.SetPenWidth(1);
    }
    image.Repaint();
}
