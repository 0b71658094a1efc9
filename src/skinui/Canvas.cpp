#include "skinui/Canvas.h"

#include <algorithm>

namespace SkinUI {
namespace {

uint32_t Scale(uint32_t pixel, uint32_t factor) {
    auto channel = [&](int shift) {
        return ((((pixel >> shift) & 0xFF) * factor + 127) / 255) << shift;
    };
    return channel(24) | channel(16) | channel(8) | channel(0);
}

uint32_t Over(uint32_t src, uint32_t dst) {
    uint32_t inverse = 255 - (src >> 24);
    if (inverse == 0) return src;
    auto channel = [&](int shift) {
        uint32_t s = (src >> shift) & 0xFF;
        uint32_t d = (dst >> shift) & 0xFF;
        return std::min<uint32_t>(255, s + (d * inverse + 127) / 255) << shift;
    };
    return channel(24) | channel(16) | channel(8) | channel(0);
}

// Source position of destination offset i in a run of n taking m source pixels.
int MapOffset(int i, int n, int m, bool tiled) {
    return tiled ? i % m : int(int64_t(i) * m / n);
}

}  // namespace

bool InRoundRect(const CRect& rect, int cx, int cy, int x, int y) {
    if (!rect.Contains(x, y)) return false;
    double rx = std::min(cx, rect.Width()) / 2.0;
    double ry = std::min(cy, rect.Height()) / 2.0;
    if (rx <= 0 || ry <= 0) return true;
    double px = x + 0.5;
    double py = y + 0.5;
    double centreX = px < rect.left + rx    ? rect.left + rx
                     : px > rect.right - rx ? rect.right - rx
                                            : px;
    double centreY = py < rect.top + ry      ? rect.top + ry
                     : py > rect.bottom - ry ? rect.bottom - ry
                                             : py;
    double dx = (px - centreX) / rx;
    double dy = (py - centreY) / ry;
    return dx * dx + dy * dy <= 1.0;
}

Canvas::Canvas(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * height_, 0) {
    clips_.push_back({{0, 0, width_, height_}, nullptr});
}

void Canvas::Clear(uint32_t premultiplied) {
    std::fill(pixels_.begin(), pixels_.end(), premultiplied);
}

bool Canvas::Visible(int x, int y) const {
    const Clip& clip = clips_.back();
    return clip.box.Contains(x, y) && (!clip.mask || (*clip.mask)[Index(x, y)]);
}

void Canvas::Blend(int x, int y, uint32_t premultiplied) {
    if (!Visible(x, y)) return;
    uint32_t& dst = pixels_[Index(x, y)];
    dst = Over(premultiplied, dst);
}

void Canvas::FillRect(const CRect& rect, uint32_t color) {
    if ((color >> 24) == 0) return;
    uint32_t pixel = Premultiply(color);
    CRect area = rect.Intersect(ClipBox());
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) Blend(x, y, pixel);
    }
}

void Canvas::DrawPart(const TLoadedImage& image, const CRect& dest, const CRect& source,
                      uint8_t fade, bool xtiled, bool ytiled) {
    if (dest.IsEmpty() || source.IsEmpty()) return;
    CRect area = dest.Intersect(ClipBox());
    for (int y = area.top; y < area.bottom; ++y) {
        int sy = source.top + MapOffset(y - dest.top, dest.Height(), source.Height(), ytiled);
        for (int x = area.left; x < area.right; ++x) {
            int sx = source.left + MapOffset(x - dest.left, dest.Width(), source.Width(), xtiled);
            uint32_t pixel = image.Pixel(sx, sy);
            Blend(x, y, fade == 255 ? pixel : Scale(pixel, fade));
        }
    }
}

void Canvas::DrawImage(const TLoadedImage& image, const ImagePlacement& placement) {
    CRect bounds{0, 0, image.width, image.height};
    CRect source = placement.source.IsEmpty() ? bounds : placement.source.Intersect(bounds);
    const CRect& dest = placement.dest;
    if (source.IsEmpty() || dest.IsEmpty()) return;
    // Corners larger than the source or the destination shrink to fit.
    CRect c = placement.corner;
    c.left = std::clamp(c.left, 0, std::min(source.Width(), dest.Width()));
    c.right = std::clamp(c.right, 0, std::min(source.Width(), dest.Width()) - c.left);
    c.top = std::clamp(c.top, 0, std::min(source.Height(), dest.Height()));
    c.bottom = std::clamp(c.bottom, 0, std::min(source.Height(), dest.Height()) - c.top);
    const int dx[4] = {dest.left, dest.left + c.left, dest.right - c.right, dest.right};
    const int dy[4] = {dest.top, dest.top + c.top, dest.bottom - c.bottom, dest.bottom};
    const int sx[4] = {source.left, source.left + c.left, source.right - c.right, source.right};
    const int sy[4] = {source.top, source.top + c.top, source.bottom - c.bottom, source.bottom};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            bool centre = row == 1 && col == 1;
            if (centre && placement.hole) continue;
            DrawPart(image, {dx[col], dy[row], dx[col + 1], dy[row + 1]},
                     {sx[col], sy[row], sx[col + 1], sy[row + 1]}, placement.fade,
                     centre && placement.xtiled, centre && placement.ytiled);
        }
    }
}

void Canvas::DrawBorder(const CRect& rect, uint32_t color, const CRect& widths) {
    FillRect({rect.left, rect.top, rect.right, rect.top + widths.top}, color);
    FillRect({rect.left, rect.bottom - widths.bottom, rect.right, rect.bottom}, color);
    int top = rect.top + widths.top;
    int bottom = rect.bottom - widths.bottom;
    FillRect({rect.left, top, rect.left + widths.left, bottom}, color);
    FillRect({rect.right - widths.right, top, rect.right, bottom}, color);
}

void Canvas::DrawRoundBorder(const CRect& rect, uint32_t color, int width, int cx, int cy) {
    if ((color >> 24) == 0 || width <= 0) return;
    uint32_t pixel = Premultiply(color);
    CRect inner = rect.Deflate({width, width, width, width});
    int innerCx = std::max(0, cx - 2 * width);
    int innerCy = std::max(0, cy - 2 * width);
    CRect area = rect.Intersect(ClipBox());
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (InRoundRect(rect, cx, cy, x, y) && !InRoundRect(inner, innerCx, innerCy, x, y)) {
                Blend(x, y, pixel);
            }
        }
    }
}

void Canvas::PushClip(const CRect& rect) {
    const Clip& current = clips_.back();
    clips_.push_back({current.box.Intersect(rect), current.mask});
}

void Canvas::PushRoundClip(const CRect& rect, int cx, int cy) {
    const Clip& current = clips_.back();
    CRect box = current.box.Intersect(rect);
    auto mask = std::make_shared<std::vector<uint8_t>>(pixels_.size(), 0);
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            bool before = !current.mask || (*current.mask)[Index(x, y)];
            (*mask)[Index(x, y)] = before && InRoundRect(rect, cx, cy, x, y);
        }
    }
    clips_.push_back({box, std::move(mask)});
}

void Canvas::PopClip() {
    if (clips_.size() > 1) clips_.pop_back();
}

}  // namespace SkinUI
