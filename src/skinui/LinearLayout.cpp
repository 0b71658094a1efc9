#include "skinui/LinearLayout.h"

#include <algorithm>

namespace SkinUI {
namespace {

// Reads and writes geometry as if the axis were vertical.
struct AxisView {
    bool swap;
    CRect Rect(const CRect& r) const { return swap ? CRect{r.top, r.left, r.bottom, r.right} : r; }
    CSize Size(const CSize& s) const { return swap ? CSize{s.cy, s.cx} : s; }
};

int Limit(int value, int minimum, int maximum) {
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

    int stretchCount = 0;
    int fixedTotal = 0;
    int placed = 0;
    for (int i = 0; i < box.GetCount(); ++i) {
        CControlUI* child = box.GetItemAt(i);
        if (!TakesPart(child)) continue;
        ChildMetrics m = Measure(*child, view, available);
        if (m.size.cy == 0) {
            ++stretchCount;
        } else {
            fixedTotal += Limit(m.size.cy, m.minimum.cy, m.maximum.cy);
        }
        fixedTotal += m.padding.top + m.padding.bottom;
        ++placed;
    }
    if (placed > 1) fixedTotal += (placed - 1) * childPadding;
    const int stretch = stretchCount ? std::max(0, (available.cy - fixedTotal) / stretchCount) : 0;
    // The last stretch child takes what the division left over.
    const int lastStretch = std::max(0, available.cy - fixedTotal - stretch * (stretchCount - 1));

    int top = rc.top;
    int stretchSeen = 0;
    for (int i = 0; i < box.GetCount(); ++i) {
        CControlUI* child = box.GetItemAt(i);
        if (!TakesPart(child)) continue;
        ChildMetrics m = Measure(*child, view, available);
        top += m.padding.top;
        int height = m.size.cy;
        if (height == 0) height = ++stretchSeen == stretchCount ? lastStretch : stretch;
        height = Limit(height, m.minimum.cy, m.maximum.cy);
        int width = m.size.cx ? m.size.cx : available.cx - m.padding.left - m.padding.right;
        width = Limit(width, m.minimum.cx, m.maximum.cx);
        int left = rc.left + m.padding.left;
        if (crossAlign == ChildAlign::Center) left = rc.left + (available.cx - width) / 2;
        if (crossAlign == ChildAlign::End) left = rc.right - width - m.padding.right;
        child->SetPos(view.Rect({left, top, left + width, top + height}));
        top += height + m.padding.bottom + childPadding;
    }
}

}  // namespace SkinUI
