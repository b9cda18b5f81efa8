// BackdropRows.cpp: finding the distinct rows of a picture of lines, and copying them where they belong.
#include "plot/BackdropRows.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>

#include <QPainter>

namespace {

constexpr QRgb White = 0xFFFFFFFF;

// Lines that repeat rows at most this many lines apart (grid lines a few
// pixels apart) are drawn as one stretch; farther apart, the runs between
// them are long enough to take one call each.
constexpr int MaxPeriod = 16;
// A stretch's copy in the sheet holds this many lines beyond its period, so
// that one call draws at least that many of its lines.
constexpr int ChunkLines = 32;

// A rectangle one line high, the part a row of the picture adds to the
// rectangles taller than that.
struct LineRect {
    int y;
    int layer;
    int left;
    int right;
    bool operator<(const LineRect& other) const
    {
        return std::tie(y, layer, left, right) < std::tie(other.y, other.layer, other.left, other.right);
    }
};

}  // namespace

void BackdropRows::Build(QSize size, const std::vector<Layer>& layers, bool xorMode)
{
    const int width = std::max(size.width(), 0);
    const int height = std::max(size.height(), 0);
    rowKind_.assign(std::size_t(height), 0);
    pixels_.clear();
    // A taller rectangle changes the rows only where it begins and ends:
    // between two such edges each line is crossed by the same ones, so its
    // pixels depend only on which band between edges it lies in and on its
    // own one-line rectangles.
    std::vector<int> edges;
    std::vector<std::vector<QRect>> tallRects(layers.size());
    std::vector<LineRect> lineRects;
    for (std::size_t layer = 0; layer < layers.size(); ++layer)
        for (const QRect& rect : layers[layer].rects) {
            if (rect.height() > 1) {
                // The grid's columns all share their edges: kept once.
                if (edges.empty() || edges[edges.size() - 2] != rect.top() || edges.back() != rect.bottom() + 1) {
                    edges.push_back(rect.top());
                    edges.push_back(rect.bottom() + 1);
                }
                tallRects[layer].push_back(rect);
            } else {
                lineRects.push_back({rect.top(), int(layer), rect.left(), rect.right()});
            }
        }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    std::sort(lineRects.begin(), lineRects.end());

    // Draws the row of line y, whose one-line rectangles are [first, last),
    // as the next distinct row.
    const auto drawRow = [&](int y, const LineRect* first, const LineRect* last) {
        const std::size_t start = pixels_.size();
        pixels_.resize(start + std::size_t(width), White);
        QRgb* const row = pixels_.data() + start;
        for (std::size_t layer = 0; layer < layers.size(); ++layer) {
            const QRgb colour = layers[layer].colour;
            const auto cover = [&](int left, int right) {
                if (xorMode) {
                    for (int x = left; x <= right; ++x)
                        row[x] ^= colour & 0x00FFFFFF;
                } else {
                    std::fill(row + left, row + right + 1, colour);
                }
            };
            for (const QRect& rect : tallRects[layer])
                if (rect.top() <= y && rect.bottom() >= y)
                    cover(rect.left(), rect.right());
            for (const LineRect* line = first; line != last; ++line)
                if (line->layer == int(layer))
                    cover(line->left, line->right);
        }
    };

    // Lines with the same band and the same one-line rectangles are the same
    // row. Most lines have none, and a band's plain row is looked up without
    // the map.
    std::map<std::vector<int>, std::uint32_t> kindOf;
    std::vector<int> key;
    std::vector<int> lastKey;
    std::uint32_t lastKind = 0;
    std::size_t band = 0;
    std::size_t plainBand = edges.size() + 1;  // none yet
    std::uint32_t plainKind = 0;
    const LineRect* line = lineRects.data();
    const LineRect* const linesEnd = lineRects.data() + lineRects.size();
    for (int y = 0; y < height; ++y) {
        while (band < edges.size() && edges[band] <= y)
            ++band;
        const LineRect* const first = line;
        while (line != linesEnd && line->y == y)
            ++line;
        if (first == line && plainBand == band) {
            rowKind_[std::size_t(y)] = plainKind;
            continue;
        }
        key.assign(1, int(band));
        for (const LineRect* l = first; l != line; ++l)
            key.insert(key.end(), {l->layer, l->left, l->right});
        // Grid lines come one after another with the same key.
        if (key != lastKey) {
            const auto [found, isNew] = kindOf.try_emplace(key, std::uint32_t(kindOf.size()));
            if (isNew)
                drawRow(y, first, line);
            lastKey = key;
            lastKind = found->second;
        }
        rowKind_[std::size_t(y)] = lastKind;
        if (first == line) {
            plainBand = band;
            plainKind = lastKind;
        }
    }

    // Stretches, top to bottom: a run of one row, or a longer stretch that
    // repeats the rows of its first few lines. Stretches repeating the same
    // rows share their lines of the sheet.
    stretches_.clear();
    std::map<std::vector<std::uint32_t>, std::size_t> blockOf;  // rows repeated -> index
    std::vector<const std::vector<std::uint32_t>*> blockRows;
    std::vector<int> blockLines;
    std::vector<std::size_t> blockOfStretch;
    const auto kindAt = [this](int y) { return rowKind_[std::size_t(y)]; };
    for (int y = 0; y < height;) {
        int run = 1;
        while (y + run < height && kindAt(y + run) == kindAt(y))
            ++run;
        int period = 1;
        int lines = run;
        if (run < ChunkLines) {
            int next = y + run;
            while (next < height && next - y <= MaxPeriod && kindAt(next) != kindAt(y))
                ++next;
            if (next < height && next - y <= MaxPeriod) {
                const int p = next - y;
                int length = p;
                while (y + length < height && kindAt(y + length) == kindAt(y + length - p))
                    ++length;
                if (length >= 2 * p && length > run) {
                    period = p;
                    lines = length;
                }
            }
        }
        const auto first = rowKind_.begin() + y;
        const auto [found, isNew] =
            blockOf.try_emplace(std::vector<std::uint32_t>(first, first + period), blockLines.size());
        if (isNew) {
            blockRows.push_back(&found->first);
            blockLines.push_back(0);
        }
        int& needed = blockLines[found->second];
        needed = std::max(needed, std::min(lines, ChunkLines + period));
        stretches_.push_back({y, lines, period, 0, 0});
        blockOfStretch.push_back(found->second);
        y += lines;
    }

    std::vector<int> blockFirstLine(blockLines.size());
    int sheetLines = 0;
    for (std::size_t block = 0; block < blockLines.size(); ++block) {
        blockFirstLine[block] = sheetLines;
        sheetLines += blockLines[block];
    }
    // Grown only: the next picture mostly needs about as many lines.
    if (sheet_.width() != width || sheet_.height() < sheetLines)
        sheet_ = QImage(width, sheetLines, QImage::Format_RGB32);
    kindLine_.assign(kindOf.size(), 0);
    for (std::size_t block = 0; block < blockLines.size(); ++block) {
        const std::vector<std::uint32_t>& rows = *blockRows[block];
        for (int i = 0; i < blockLines[block]; ++i) {
            const std::uint32_t kind = rows[std::size_t(i) % rows.size()];
            const int line = blockFirstLine[block] + i;
            kindLine_[kind] = line;
            std::memcpy(sheet_.scanLine(line), pixels_.data() + kind * std::size_t(width),
                        std::size_t(width) * sizeof(QRgb));
        }
    }
    for (std::size_t i = 0; i < stretches_.size(); ++i) {
        stretches_[i].firstSheetLine = blockFirstLine[blockOfStretch[i]];
        stretches_[i].sheetLines = blockLines[blockOfStretch[i]];
    }
}

void BackdropRows::LayInto(QImage& image, const QRect& area) const
{
    const std::size_t offset = std::size_t(area.left()) * sizeof(QRgb);
    const std::size_t length = std::size_t(area.width()) * sizeof(QRgb);
    uchar* bits = image.bits();
    const auto bytesPerLine = std::size_t(image.bytesPerLine());
    for (int y = area.top(); y <= area.bottom(); ++y)
        std::memcpy(bits + std::size_t(y) * bytesPerLine + offset,
                    sheet_.constScanLine(kindLine_[rowKind_[std::size_t(y)]]) + offset, length);
}

void BackdropRows::PaintOnto(QPainter& painter, const QRect& area) const
{
    auto stretch = std::upper_bound(stretches_.begin(), stretches_.end(), area.top(),
                                    [](int y, const Stretch& s) { return y < s.top; }) - 1;
    for (int y = area.top(); y <= area.bottom();) {
        if (y == stretch->top + stretch->lines)
            ++stretch;
        const int phase = (y - stretch->top) % stretch->period;
        const int lines = std::min({area.bottom() + 1 - y, stretch->top + stretch->lines - y,
                                    stretch->sheetLines - phase});
        painter.drawImage(QPoint(area.left(), y), sheet_,
                          QRect(area.left(), stretch->firstSheetLine + phase, area.width(), lines));
        y += lines;
    }
}
