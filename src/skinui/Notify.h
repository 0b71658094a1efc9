#pragma once
// How controls report user actions to their window.
#include <cstdint>
#include <string>

namespace SkinUI {

class CControlUI;

struct TNotifyMsg {
    std::wstring type;        // "click", "selectchanged", "tabselect", ...
    std::wstring virtualWnd;  // unused by this installer, kept empty
    CControlUI* sender = nullptr;
    uint32_t timestamp = 0;  // milliseconds
    int x = 0;               // mouse point, client coordinates
    int y = 0;
    uint32_t wParam = 0;
    int32_t lParam = 0;
};

class INotifyReceiver {
public:
    virtual ~INotifyReceiver() = default;
    virtual void Notify(TNotifyMsg& msg) = 0;
};

}  // namespace SkinUI
