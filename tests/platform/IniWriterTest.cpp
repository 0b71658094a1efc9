#ifndef _WIN32
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/posix/IniFile.h"
#include "platform/posix/IniText.h"

namespace {

using namespace platform::ini;

// Whatever the file holds, after setting a value the reader finds exactly that
// value, and every other entry the reader saw before is still there.
TEST(IniSetValue, ReaderSeesTheValueInAnyFile) {
    const std::string pieces[] = {"[", "]", "=",  "\r", "\n",       "a",    "A",
                                  "b", " ", "\t", ";",  "\xC3\xA9", "\x80", std::string(1, '\0')};
    std::mt19937 random(20240);
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) bytes += pieces[random() % std::size(pieces)];
        if (round % 7 == 0) bytes.insert(0, "\xEF\xBB\xBF");

        const Document before = Parse(DecodeFile(bytes));
        const std::string after = SetValue(bytes, L"A", L"a", L"set \u00e9");
        const Document document = Parse(DecodeFile(after));
        const Key* found = Find(document, L"A", L"a");
        ASSERT_TRUE(found && found->value) << testing::PrintToString(bytes);
        EXPECT_EQ(*found->value, L"set \u00e9") << testing::PrintToString(bytes);

        for (const Section& section : before.sections) {
            if (!section.name) continue;
            for (const Key& key : section.keys) {
                if (SameName(*section.name, L"A") && SameName(key.name, L"a")) continue;
                const Key* was = Find(before, *section.name, key.name);
                if (!was) continue;  // shadowed by an earlier entry, or a name no lookup matches
                const Key* kept = Find(document, *section.name, key.name);
                ASSERT_TRUE(kept) << testing::PrintToString(bytes);
                EXPECT_EQ(kept->value, was->value) << testing::PrintToString(bytes);
            }
        }
    }
}

}  // namespace
#endif
