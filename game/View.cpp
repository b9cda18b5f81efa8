// View.cpp: the world window, and zooming, panning and fitting the view.
#include "game/View.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "core/Checked.h"

void TGameView::Resize(int width, int height)
{
    width_ = width;
    height_ = height;
    if (!sized_) {
        sized_ = true;
        transform_.ResetMatrix();
        transform_.SetOrigin(width / 2, height / 2);
        transform_.Unit = StartUnit;
    } else {
        Recenter();
    }
    UpdateWindow();
}

void TGameView::SetUnit(int unit)
{
    transform_.Unit = unit;
    Recenter();
    UpdateWindow();
}

void TGameView::ZoomAbout(int unit, PixelPoint at)
{
    const WorldPoint under = PixelToWorld(at.X, at.Y);
    transform_.Unit = unit;
    const PixelPoint now = WorldToPixel(under.X, under.Y);
    Pan(CheckedSub(at.X, now.X), CheckedSub(at.Y, now.Y));
}

void TGameView::Pan(std::int32_t dx, std::int32_t dy)
{
    transform_.ShiftOrigin(dx, dy);
    UpdateWindow();
}

void TGameView::Fit(const TPathStore& path, int coveredRight)
{
    std::int64_t left = INT32_MAX, right = INT32_MIN, bottom = INT32_MAX, top = INT32_MIN;
    for (int i = 1; i <= path.PointCount(); ++i) {
        left = std::min<std::int64_t>(left, path.Work(i).X);
        right = std::max<std::int64_t>(right, path.Work(i).X);
        bottom = std::min<std::int64_t>(bottom, path.Work(i).Y);
        top = std::max<std::int64_t>(top, path.Work(i).Y);
    }
    const auto fits = [&](int unit, int width) {
        return (right - left) * unit + 2 * FitMargin <= width && (top - bottom) * unit + 2 * FitMargin <= height_;
    };
    // Beside the covered strip when the path fits there at all, else over the
    // whole width: a path too wide for that is better under the panel than
    // off the picture.
    int width = std::max(width_ - std::max(coveredRight, 0), 1);
    if (!fits(MinUnit, width))
        width = width_;
    int unit = MinUnit;
    for (int u = MaxUnit; u > MinUnit; --u) {
        if (fits(u, width)) {
            unit = u;
            break;
        }
    }
    transform_.Unit = unit;
    const PixelPoint centre = WorldToPixel((left + right) / 2.0, (bottom + top) / 2.0);
    Pan(CheckedSub(width / 2, centre.X), CheckedSub(height_ / 2, centre.Y));
}

LatticePoint TGameView::LatticeAt(std::int32_t px, std::int32_t py) const
{
    // Halves go to the even neighbour, as the default rounding mode does.
    const WorldPoint w = PixelToWorld(px, py);
    return {CheckedInt32(std::nearbyint(w.X)), CheckedInt32(std::nearbyint(w.Y))};
}

void TGameView::UpdateWindow()
{
    // The far corner is the pixel just beyond the last column and row.
    const WorldPoint topLeft = PixelToWorld(0, 0);
    const WorldPoint bottomRight = PixelToWorld(width_, height_);
    window_.Left = topLeft.X;
    window_.Top = topLeft.Y;
    window_.Right = bottomRight.X;
    window_.Bottom = bottomRight.Y;
    window_.CenterX = (window_.Left + window_.Right) / 2;
    window_.CenterY = (window_.Bottom + window_.Top) / 2;
}

void TGameView::Recenter()
{
    const PixelPoint centre = WorldToPixel(window_.CenterX, window_.CenterY);
    transform_.ShiftOrigin(CheckedSub(width_ / 2, centre.X), CheckedSub(height_ / 2, centre.Y));
}
