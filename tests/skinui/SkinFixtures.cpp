#include "SkinFixtures.h"

#include <fstream>
#include <iterator>

#include "support/TestSupport.h"

namespace skinui_test {

std::filesystem::path FixturePath(const std::string& name) {
    return testing_support::ProgramFolder() / "skinui-fixtures" / name;
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::wstring WidePath(const std::filesystem::path& path) {
    return path.wstring();
}

}  // namespace skinui_test
