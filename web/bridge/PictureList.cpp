// PictureList.cpp: the picture's pens, colours and lines, as the window draws them, turned into drawing commands.
#include "web/bridge/PictureList.h"

#include "game/BackdropSegments.h"
#include "game/PictureLook.h"

namespace {

using namespace PictureLook;

// 0x00BBGGRR as 0xRRGGBB.
std::int32_t Rgb(std::int32_t bgr)
{
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

// Collects one Lines command: its segments are counted as they come.
class LineBatch {
public:
    LineBatch(std::vector<std::int32_t>& list, const ViewTransform& view, std::int32_t bgr, int width, bool xorMode)
        : list_(list), view_(view)
    {
        list_.insert(list_.end(), {CommandLines, Rgb(bgr), width, xorMode ? 1 : 0, 0});
        countAt_ = list_.size() - 1;
    }
    LineBatch(const LineBatch&) = delete;
    LineBatch& operator=(const LineBatch&) = delete;

    bool Add(double x1, double y1, double x2, double y2)
    {
        const PixelPoint from = view_.WorldToPixel(x1, y1);
        const PixelPoint to = view_.WorldToPixel(x2, y2);
        list_.insert(list_.end(), {from.X, from.Y, to.X, to.Y});
        ++list_[countAt_];
        return true;
    }

    void AddPolyline(const Polyline& line)
    {
        for (std::size_t i = 1; i < line.size(); ++i)
            Add(line[i - 1].X, line[i - 1].Y, line[i].X, line[i].Y);
    }

private:
    std::vector<std::int32_t>& list_;
    const ViewTransform& view_;
    std::size_t countAt_;
};

void AddBackdrop(std::vector<std::int32_t>& list, const Picture& picture)
{
    const ViewWindow& w = picture.Window;
    {
        LineBatch grid(list, picture.View, GridColour, BackdropPenWidth, false);
        GridSegments(w.Left, w.Right, w.Bottom, w.Top,
                     [&](double x1, double y1, double x2, double y2) { return grid.Add(x1, y1, x2, y2); });
    }
    LineBatch axes(list, picture.View, AxesColour, BackdropPenWidth, false);
    AxesSegments(w.Left, w.Right, w.Bottom, w.Top,
                 [&](double x1, double y1, double x2, double y2) { return axes.Add(x1, y1, x2, y2); });
}

}  // namespace

std::vector<std::int32_t> PictureCommands(const Picture& picture)
{
    std::vector<std::int32_t> list;
    AddBackdrop(list, picture);
    std::int32_t pen = picture.Look == PathLook::Play ? PathColour : EnteredPathColour;
    LineBatch(list, picture.View, pen, PathPenWidth, false).AddPolyline(picture.Path);
    for (const TailMark& mark : picture.Marks) {
        pen = HighlightColour(mark.Colour, pen);
        LineBatch(list, picture.View, pen, PathPenWidth, false).AddPolyline(mark.Tail);
        if (!mark.Tail.empty()) {
            const PixelPoint pivot = picture.View.WorldToPixel(mark.Tail.front().X, mark.Tail.front().Y);
            list.insert(list.end(), {CommandSquare, Rgb(pen), PivotHalfSide, pivot.X, pivot.Y});
        }
    }
    // The band goes over everything else by XOR, in the entry's pen.
    if (picture.Look == PathLook::Entry && picture.Band) {
        const auto& [from, to] = *picture.Band;
        LineBatch(list, picture.View, EntryPenColour, PathPenWidth, true).Add(from.X, from.Y, to.X, to.Y);
    }
    return list;
}
