#include "skinui/LinearLayout.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace SkinUI {
namespace {

// Reads and writes geometry as if the axis were vertical.
struct AxisView {
    bool swap;
    CRect Rect(const CRect& r) const { return swap ? CRect{r.top, r.left, r.bottom, r.right} : r; }
    CSize Size(const CSize& s) const { return swap ? CSize{s.cy, s.cx} : s; }
};

int64_t Limit(int64_t value, int64_t minimum, int64_t maximum) {
    return std::max(minimum, std::min(value, maximum));
}

struct ChildMetrics {
    CSize size;  // estimated, 0 on the axis for a stretch child
    CRect padding;
    CSize minimum;
    CSize maximum;
};

ChildMetrics Measure(CControlUI& child, const AxisView& view, CSize available) {
    ChildMetrics m;
    m.size = view.Size(child.EstimateSize(view.Size(available)));
    m.padding = view.Rect(child.GetPadding());
    m.minimum = view.Size({child.GetMinWidth(), child.GetMinHeight()});
    m.maximum = view.Size({child.GetMaxWidth(), child.GetMaxHeight()});
    return m;
}

bool TakesPart(const CControlUI* child) {
    return child->IsVisible() && !child->IsFloat();
}

}  // namespace

void LayoutLine(CContainerUI& box, const CRect& area, Axis axis, ChildAlign crossAlign) {
    const AxisView view{axis == Axis::Horizontal};
    const CRect rc = view.Rect(area);
    const CSize available{rc.Width(), rc.Height()};
    const int childPadding = box.GetChildPadding();

    struct Placed {
        CControlUI* control;
        ChildMetrics m;
        int64_t extent;  // the height a fixed child keeps, with its padding
    };
    std::vector<Placed> children;
    // Sums run in 64 bits: a skin may hold many children of the largest extent.
    int64_t stretchCount = 0;
    int64_t fixedTotal = 0;
    for (int i = 0; i < box.GetCount(); ++i) {
        CControlUI* child = box.GetItemAt(i);
        if (!TakesPart(child)) continue;
        Placed placed{child, Measure(*child, view, available), 0};
        const ChildMetrics& m = placed.m;
        if (m.size.cy == 0) {
            ++stretchCount;
        } else {
            placed.extent = Limit(m.size.cy, m.minimum.cy, m.maximum.cy);
        }
        placed.extent += m.padding.top + m.padding.bottom;
        fixedTotal += placed.extent;
        children.push_back(placed);
    }
    if (children.size() > 1) fixedTotal += int64_t(children.size() - 1) * childPadding;
    const int64_t stretch =
        stretchCount ? std::max<int64_t>(0, (available.cy - fixedTotal) / stretchCount) : 0;

    // What the children after the current one keep for themselves; the last
    // stretch child takes whatever the others leave.
    int64_t fixedAfter = fixedTotal;
    int64_t top = rc.top;
    int64_t stretchSeen = 0;
    for (size_t i = 0; i < children.size(); ++i) {
        const Placed& child = children[i];
        const ChildMetrics& m = child.m;
        const int64_t gapAfter = i + 1 < children.size() ? childPadding : 0;
        fixedAfter -= child.extent + gapAfter;
        top += m.padding.top;
        int64_t height = m.size.cy;
        if (height == 0) {
            bool last = ++stretchSeen == stretchCount;
            int64_t remaining = rc.bottom - top - m.padding.bottom - gapAfter - fixedAfter;
            height = last ? std::max<int64_t>(0, remaining) : stretch;
        }
        height = Limit(height, m.minimum.cy, m.maximum.cy);
        int64_t width =
            m.size.cx ? m.size.cx : int64_t(available.cx) - m.padding.left - m.padding.right;
        width = Limit(width, m.minimum.cx, m.maximum.cx);
        int64_t left = int64_t(rc.left) + m.padding.left;
        if (crossAlign == ChildAlign::Center) left = rc.left + (available.cx - width) / 2;
        if (crossAlign == ChildAlign::End) left = rc.right - width - m.padding.right;
        auto at = [](int64_t v) { return Saturate(v, kMaxCoordinate); };
        child.control->SetPos(view.Rect({at(left), at(top), at(left + width), at(top + height)}));
        top += height + m.padding.bottom + childPadding;
    }
}

}  // namespace SkinUI
