// View.h: the part of the world the picture shows, and how zooming, panning and fitting move it.
#pragma once

#include <cstdint>

#include "core/PathPoint.h"
#include "core/PathStore.h"
#include "game/Picture.h"
#include "game/ViewTransform.h"

// The view transform of a picture of Width × Height pixels, and the world
// window it shows. Every change of origin or scale updates the window; a
// change that keeps a point in place keeps it to the nearest pixel.
class TGameView {
public:
    static constexpr int MinUnit = 3;    // the zoom bar's range, in pixels per world unit
    static constexpr int MaxUnit = 40;
    static constexpr int StartUnit = 20;
    static constexpr int FitMargin = 8;  // pixels left free around a fitted path

    bool Sized() const { return sized_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    std::int32_t Unit() const { return transform_.Unit; }
    const ViewTransform& Transform() const { return transform_; }
    const ViewWindow& Window() const { return window_; }

    // The picture's size. The first puts the world's origin in the middle at
    // the starting scale; later ones keep the world point at the middle there.
    void Resize(int width, int height);
    // A new scale, about the middle of the picture.
    void SetUnit(int unit);
    // A new scale, about a pixel: the world point under it stays there.
    void ZoomAbout(int unit, PixelPoint at);
    void Pan(std::int32_t dx, std::int32_t dy);
    // The largest scale at which the whole path fits with the margin (or the
    // smallest scale), the path's middle in the picture's middle; a strip of
    // `coveredRight` pixels on the right, under a panel of the front end's,
    // is left out.
    void Fit(const TPathStore& path, int coveredRight = 0);

    PixelPoint WorldToPixel(double x, double y) const { return transform_.WorldToPixel(x, y); }
    WorldPoint PixelToWorld(std::int32_t px, std::int32_t py) const { return transform_.PixelToWorld(px, py); }
    // The lattice point nearest to a pixel, halves to even; ERangeError past 32 bits.
    LatticePoint LatticeAt(std::int32_t px, std::int32_t py) const;

private:
    void UpdateWindow();
    // Puts the world point that was at the middle when the window was last
    // updated back at the middle.
    void Recenter();

    bool sized_ = false;
    int width_ = 0;
    int height_ = 0;
    ViewTransform transform_;
    ViewWindow window_;
};
