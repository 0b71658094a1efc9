#pragma once
// The one algorithm behind the vertical and horizontal layouts, written for
// the vertical case; the horizontal layout runs it with the axes swapped.
#include "skinui/Container.h"

namespace SkinUI {

enum class Axis { Vertical, Horizontal };

// Places the visible, non-floating children of box one after another along
// the axis inside area: fixed sizes stay, stretch children (size 0 on the
// axis) share what remains with the last one taking the rounding remainder,
// and crossAlign places each child across the axis.
void LayoutLine(CContainerUI& box, const CRect& area, Axis axis, ChildAlign crossAlign);

}  // namespace SkinUI
