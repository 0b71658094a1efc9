// Any bytes as a skin file: decoding and parsing must stay in bounds, a failed
// parse must leave an empty document with an error, and every element reached
// by the links must be readable.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skinui/MarkupDoc.h"
#include "skinui/TextDecoding.h"

namespace {

size_t Walk(const SkinUI::CMarkupElem& element, int depth) {
    if (depth > SkinUI::CMarkupDoc::kMaxDepth + 1) __builtin_trap();
    size_t count = 0;
    for (SkinUI::CMarkupElem node = element; node.IsValid(); node = node.GetSibling()) {
        ++count;
        (void)node.GetName();
        (void)node.GetValue();
        for (int i = 0; i < node.GetAttributeCount(); ++i) {
            if (node.GetAttributeName(i)[0] == 0) __builtin_trap();  // names are never empty
            (void)node.GetAttributeValue(i);
        }
        if (node.GetAttributeCount() > SkinUI::CMarkupElem::kMaxAttributes) __builtin_trap();
        count += Walk(node.GetChild(), depth + 1);
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    for (int encoding : {0, 1}) {
        auto text = SkinUI::DecodeSkinText(bytes, encoding);
        if (!text) continue;
        SkinUI::CMarkupDoc doc;
        bool ok = doc.Load(*text);
        if (!ok && (doc.GetLastErrorMessage().empty() || doc.GetRoot().IsValid())) __builtin_trap();
        if (ok && Walk(doc.GetRoot(), 1) + 1 != doc.Count() && doc.IsValid()) __builtin_trap();
    }
    return 0;
}
