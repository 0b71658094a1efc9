// Any bytes as a window description: building, laying out and painting the
// tree must stay in bounds and end, whatever the attributes say.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/Text.h"
#include "skinui/Canvas.h"
#include "skinui/Control.h"
#include "skinui/PaintManager.h"
#include "skinui/SkinBuilder.h"

namespace {

class Host : public SkinUI::IWindowHost {
public:
    void ApplyInitialSize(const SkinUI::CSize&) override {}
    void ApplyOpacity(int) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::wstring text =
        L"<" + platform::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    SkinUI::CPaintManager manager;
    Host host;
    manager.SetWindowHost(&host);
    SkinUI::CSkinBuilder builder;
    auto root = builder.Create(SkinUI::SkinSource::FromText(text), nullptr, &manager);
    if (!root) return 0;
    manager.AttachControlTree(root.get());
    root->SetPos({0, 0, 64, 48});
    SkinUI::Canvas canvas(64, 48);
    root->DoPaint(canvas, {0, 0, 64, 48});
    manager.AttachControlTree(nullptr);
    return 0;
}
