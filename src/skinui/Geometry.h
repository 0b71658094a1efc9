#pragma once
// Rectangles and sizes in pixels. A rectangle covers [left, right) x [top, bottom).
#include <algorithm>

namespace SkinUI {

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
