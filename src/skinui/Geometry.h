#pragma once
// Rectangles and sizes in pixels. A rectangle covers [left, right) x [top, bottom).
#include <algorithm>
#include <cstdint>

namespace SkinUI {

// Sizes and offsets read from markup stay within kMaxExtent, and placed
// rectangles within kMaxCoordinate, so that layout sums and the widths of
// rectangles cannot overflow whatever a skin says.
constexpr int kMaxExtent = 1 << 20;
constexpr int kMaxCoordinate = 1 << 28;

inline int Saturate(int64_t value, int limit) {
    return static_cast<int>(std::clamp<int64_t>(value, -limit, limit));
}

struct CSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const CSize&) const = default;
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    CRect Intersect(const CRect& other) const {
        CRect r{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
        return r.IsEmpty() ? CRect{} : r;
    }
    CRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    // The rectangle shrunk by the four margins of inset.
    CRect Deflate(const CRect& inset) const {
        return {left + inset.left, top + inset.top, right - inset.right, bottom - inset.bottom};
    }
    bool operator==(const CRect&) const = default;
};

}  // namespace SkinUI
