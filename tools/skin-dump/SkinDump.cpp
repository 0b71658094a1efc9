// Loads a window description as a window would, builds it, lays the root out
// and prints the control tree: one line per control, two spaces per depth,
// class, "name", the item rectangle l,t,r,b, and "hidden" for an invisible
// control.
//   skin-dump [--size W,H] [--archive FILE.7z | --dir FOLDER] NAME
#include <cstdio>
#include <string>
#include <vector>

#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/StandardStreams.h"
#include "platform/Text.h"
#include "skinui/Control.h"
#include "skinui/PaintManager.h"
#include "skinui/Resources.h"
#include "skinui/SkinBuilder.h"
#include "skinui/ValueSyntax.h"

namespace {

using namespace SkinUI;

void Print(const std::wstring& line) {
    ::platform::WriteStandardOutput(::platform::ToUtf8(line) + "\n");
}

// A window that only remembers what the skin asked of it.
class HeadlessWindow : public IWindowHost {
public:
    void ApplyInitialSize(const CSize& size) override { size_ = size; }
    void ApplyOpacity(int) override {}
    CSize Size() const { return size_; }

private:
    CSize size_;
};

void Dump(CControlUI* control, int depth) {
    const CRect& r = control->GetPos();
    std::wstring line(static_cast<size_t>(depth) * 2, L' ');
    line += std::wstring(control->GetClass()) + L" \"" + control->GetName() + L"\" " +
            std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," +
            std::to_wstring(r.right) + L"," + std::to_wstring(r.bottom);
    if (!control->IsVisible()) line += L" hidden";
    Print(line);
    if (CControlUI* cover = control->GetCover()) Dump(cover, depth + 1);
    auto* box = static_cast<IContainerUI*>(control->GetInterface(kContainerInterface));
    for (int i = 0; box && i < box->GetCount(); ++i) Dump(box->GetItemAt(i), depth + 1);
}

int Usage() {
    std::fputs("usage: skin-dump [--size W,H] [--archive FILE.7z | --dir FOLDER] NAME\n", stderr);
    return 2;
}

}  // namespace

int main() {
    std::vector<std::wstring> args = ::platform::ProcessArguments();
    std::wstring name;
    std::wstring archive;
    std::wstring folder;
    CSize size;
    bool sizeGiven = false;
    for (size_t i = 1; i < args.size(); ++i) {
        bool hasValue = i + 1 < args.size();
        if (args[i] == L"--size" && hasValue) {
            size = ParseSize(args[++i]);
            sizeGiven = true;
        } else if (args[i] == L"--archive" && hasValue) {
            archive = args[++i];
        } else if (args[i] == L"--dir" && hasValue) {
            folder = args[++i];
        } else if (name.empty() && !args[i].starts_with(L"--")) {
            name = args[i];
        } else {
            return Usage();
        }
    }
    if (name.empty() || (!archive.empty() && !folder.empty())) return Usage();

    SetArchiveKind(true);
    if (!archive.empty()) {
        SetResourcePath(::platform::FolderPart(archive));
        SetResourceZipFile(::platform::FileNamePart(archive), true);
    } else {
        SetResourcePath(folder);
    }

    CPaintManager manager;
    HeadlessWindow window;
    manager.SetWindowHost(&window);
    CSkinBuilder builder;
    std::unique_ptr<CControlUI> root =
        builder.Create(SkinSource::FromText(name), nullptr, &manager);
    if (!root) {
        Print(builder.GetMarkup().GetLastErrorMessage());
        Print(builder.GetMarkup().GetLastErrorLocation());
        return 1;
    }
    manager.AttachControlTree(root.get());
    if (!sizeGiven) size = window.Size();
    root->SetPos({0, 0, size.cx, size.cy});
    Dump(root.get(), 0);
    manager.AttachControlTree(nullptr);
    return 0;
}
