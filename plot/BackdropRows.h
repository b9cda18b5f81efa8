// BackdropRows.h: a picture kept as its few distinct rows and which of them each line of it is.
#pragma once

#include <cstdint>
#include <vector>

#include <QImage>
#include <QRect>
#include <QSize>

class QPainter;

// The grid-and-axes picture is white crossed by one-pixel lines: a horizontal
// line fills part of one row, and the rows between two of them are all alike.
// Kept as each distinct row once and, for every line of the picture, which
// row it is, the picture is built, laid into an image and painted at the cost
// of copying rows, never of drawing its lines.
class BackdropRows {
public:
    // Rectangles covered in one colour, in the picture's pixels, as the pen
    // left them (a line of the grid or axes is one rectangle).
    struct Layer {
        QRgb colour;
        std::vector<QRect> rects;
    };

    // White, then each layer in turn. In copy mode a layer's rectangles take
    // its colour; in XOR mode each of them flips the colour's bits. Replaces
    // the picture built before, reusing its memory.
    void Build(QSize size, const std::vector<Layer>& layers, bool xorMode);

    // Copies the picture's pixels inside `area` to the same place of `image`,
    // which has the picture's size and is RGB32.
    void LayInto(QImage& image, const QRect& area) const;
    // Draws the picture's pixels inside `area` at the same place.
    void PaintOnto(QPainter& painter, const QRect& area) const;

private:
    // Lines of the picture that repeat the same few rows: a run of one row,
    // or the rows between grid lines a few pixels apart. A copy of a stretch
    // of it in sheet_ lets a painter draw many of its lines in one call.
    struct Stretch {
        int top;
        int lines;
        int period;      // it repeats every so many lines
        int firstSheetLine;
        int sheetLines;  // its first lines, at least `period` of them
    };

    std::vector<std::uint32_t> rowKind_;  // for each line of the picture, which distinct row it is
    std::vector<int> kindLine_;           // for each distinct row, a line of sheet_ that holds it
    std::vector<Stretch> stretches_;      // top to bottom, covering the picture
    // The stretches' lines, stretches that repeat the same rows sharing
    // theirs. Kept from one picture to the next.
    QImage sheet_;
    std::vector<QRgb> pixels_;  // each distinct row once, while building
};
