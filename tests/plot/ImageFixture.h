// ImageFixture.h: a plotting image on a hidden parent, and pixel helpers for reading its surface.
#pragma once

#include <cstdint>
#include <set>
#include <utility>

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include "plot/MyImageU.h"

namespace plottest {

using Pixel = std::pair<int, int>;  // column, row
using PixelSet = std::set<Pixel>;

// 0x00BBGGRR as the surface stores it (opaque 0xAARRGGBB), written out here
// independently of the conversion under test.
inline QRgb Rgb(std::uint32_t bgr)
{
    return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

inline PixelSet PixelsOf(const QImage& image, QRgb colour)
{
    PixelSet found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                found.insert({x, y});
    return found;
}

inline PixelSet Block(int left, int top, int right, int bottom)
{
    PixelSet block;
    for (int x = left; x <= right; ++x)
        for (int y = top; y <= bottom; ++y)
            block.insert({x, y});
    return block;
}

inline PixelSet Union(PixelSet a, const PixelSet& b)
{
    a.insert(b.begin(), b.end());
    return a;
}

// A 300 x 200 image. Unit 1 with the origin at the top-left pixel makes
// world (x, -y) the pixel (x, y), which keeps line tests readable.
class ImageTest : public ::testing::Test {
protected:
    ImageTest()
    {
        parent_.resize(300, 200);
        image_ = new TMyImage(&parent_);
    }

    void PixelWorld()
    {
        image_->SetOrigin(0, 0);
        image_->SetUnit(1);
    }

    PixelSet Drawn(std::uint32_t bgr) const { return PixelsOf(image_->Surface(), Rgb(bgr)); }

    QWidget parent_;
    TMyImage* image_;  // owned by parent_
};

}  // namespace plottest
