#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "support/TestSupport.h"

namespace testing_support {

std::map<std::string, ChildEntry>& ChildEntries() {
    static std::map<std::string, ChildEntry> entries;
    return entries;
}

bool RegisterChildEntry(const char* name, ChildEntry entry) {
    ChildEntries()[name] = entry;
    return true;
}

}  // namespace testing_support

int main(int argc, char** argv) {
    if (argc >= 2 && std::strncmp(argv[1], "--child=", 8) == 0) {
        auto& entries = testing_support::ChildEntries();
        auto found = entries.find(argv[1] + 8);
        if (found == entries.end()) return 125;
        return found->second(std::vector<std::string>(argv + 2, argv + argc));
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
