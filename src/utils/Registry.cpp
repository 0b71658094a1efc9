#include "utils/Registry.h"

#include "platform/Registry.h"

namespace Utils {

const wchar_t kProductKey[] = L"Software\\VarenSoft\\Quillmark";

bool WriteRegString(const std::wstring& valueName, const std::wstring& text) {
    return platform::RegistryWriteString(kProductKey, valueName, text);
}

bool ReadRegString(const std::wstring& valueName, uint32_t& type, std::wstring& text) {
    return platform::RegistryReadString(kProductKey, valueName, type, text);
}

}  // namespace Utils
