#pragma once
// Creating controls by class name: the built-in classes first, then the
// plug-in creators in the order they were added.
#include <memory>
#include <string_view>

#include "skinui/Control.h"

namespace SkinUI {

using ControlCreator = std::unique_ptr<CControlUI> (*)(std::wstring_view className);

// Class names compare case-insensitively; "VBox" and "HBox" are the vertical
// and horizontal layouts. Null for a name nothing knows.
std::unique_ptr<CControlUI> CreateBuiltinControl(std::wstring_view className);

// Process-wide; used from the user-interface thread only.
void AddControlCreator(ControlCreator creator);
void RemoveControlCreator(ControlCreator creator);
std::unique_ptr<CControlUI> CreatePluginControl(std::wstring_view className);

}  // namespace SkinUI
