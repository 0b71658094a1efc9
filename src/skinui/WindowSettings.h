#pragma once
// What a window's root element says about the window itself.
#include <string>

#include "skinui/Geometry.h"
#include "skinui/ValueSyntax.h"

namespace SkinUI {

struct TWindowSettings {
    CSize initSize;
    CRect sizeBox;
    CRect caption;
    CSize roundCorner;
    CSize minInfo;
    CSize maxInfo;
    bool showDirty = false;
    bool noActivate = false;
    int opacity = 255;  // below 255 makes the window layered
    bool layered = false;
    int layeredOpacity = 255;
    std::wstring layeredImage;
    Color disabledFontColor = 0xFFA7A6AA;
    Color defaultFontColor = 0xFF000000;
    Color linkFontColor = 0xFF0000FF;
    Color linkHoverFontColor = 0xFFD3215F;
    Color selectedColor = 0xFFBAE4FF;
};

// The native window behind a paint manager, as far as skin attributes reach
// it. The window base implements it; headless users leave it out.
class IWindowHost {
public:
    virtual ~IWindowHost() = default;
    // "size" while no root control is attached: the initial client size.
    virtual void ApplyInitialSize(const CSize& size) = 0;
    // "opacity": the whole window's constant alpha.
    virtual void ApplyOpacity(int alpha) = 0;
};

}  // namespace SkinUI
