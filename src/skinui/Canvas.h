#pragma once
// The drawing surface of the toolkit: 32-bit premultiplied BGRA pixels,
// top-down, shared by both targets. The pixel arithmetic is ours and exact:
// - blending is source-over on premultiplied values,
//   out = src + (dst * (255 - srcAlpha) + 127) / 255 per channel;
// - a fade f scales every channel of the source first, (c * f + 127) / 255;
// - stretching is nearest-neighbour: destination pixel i of n takes source
//   pixel i * m / n of m (integer division); tiling repeats the source 1:1
//   from the destination's top-left corner;
// - rounded rectangles (clips and borders) contain a pixel when its centre lies
//   inside the rectangle with an ellipse of cx by cy at each corner; coverage is
//   all or nothing, as with window regions.
#include <cstdint>
#include <memory>
#include <vector>

#include "skinui/Geometry.h"
#include "skinui/Image.h"

namespace SkinUI {

// How one image is placed: source part of the image into dest on the canvas.
struct ImagePlacement {
    CRect dest;
    CRect source;  // clipped to the image
    CRect corner;  // nine-grid margins in source pixels, kept at that size in dest
    uint8_t fade = 255;
    bool hole = false;    // skip the centre part of the nine-grid
    bool xtiled = false;  // the centre part repeats horizontally instead of stretching
    bool ytiled = false;  // ... and vertically
};

class Canvas {
public:
    Canvas(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    uint32_t Pixel(int x, int y) const { return pixels_[Index(x, y)]; }
    const std::vector<uint32_t>& Pixels() const { return pixels_; }
    // Sets every pixel, ignoring the clip.
    void Clear(uint32_t premultiplied);

    // color is 0xAARRGGBB, not premultiplied; alpha 0 draws nothing.
    void FillRect(const CRect& rect, uint32_t color);
    void DrawImage(const TLoadedImage& image, const ImagePlacement& placement);
    // Border strips of the given widths inside rect.
    void DrawBorder(const CRect& rect, uint32_t color, const CRect& widths);
    // A rounded outline of the given width inside rect.
    void DrawRoundBorder(const CRect& rect, uint32_t color, int width, int cx, int cy);

    // Clips nest: each one narrows the one before it until popped.
    void PushClip(const CRect& rect);
    void PushRoundClip(const CRect& rect, int cx, int cy);
    void PopClip();
    CRect ClipBox() const { return clips_.back().box; }

private:
    struct Clip {
        CRect box;
        std::shared_ptr<const std::vector<uint8_t>> mask;  // null: the whole box
    };

    size_t Index(int x, int y) const { return static_cast<size_t>(y) * width_ + x; }
    bool Visible(int x, int y) const;
    void Blend(int x, int y, uint32_t premultiplied);
    void DrawPart(const TLoadedImage& image, const CRect& dest, const CRect& source, uint8_t fade,
                  bool xtiled, bool ytiled);

    int width_;
    int height_;
    std::vector<uint32_t> pixels_;
    std::vector<Clip> clips_;
};

// Whether the centre of pixel (x, y) lies in the rounded rectangle.
bool InRoundRect(const CRect& rect, int cx, int cy, int x, int y);

}  // namespace SkinUI
