#pragma once
#include "skinui/Option.h"

namespace SkinUI {

// An option that differs only in its class and interface name.
class CCheckBoxUI : public COptionUI {
public:
    const wchar_t* GetClass() const override { return kCheckBoxClass; }
    void* GetInterface(std::wstring_view name) override {
        if (name == kCheckBoxClass) return this;
        return COptionUI::GetInterface(name);
    }
};

}  // namespace SkinUI
