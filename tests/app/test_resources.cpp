#include "app/core/resources.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

TEST(ResourcesTest, StringTableHoldsTheCaptionsTheWindowsUse) {
    const std::pair<int, const char*> used[] = {
        {1000, "&File"},
        {1001, "E&xit"},
        {1002, "&Utilities"},
        {1003, "&Default Settings"},
        {1004, "&Help"},
        {1005, "&About "},
        {1050, "Zelkora"},
        {1051, "&Reports"},
        {1052, "FA&Q"},
        {1053, "&General"},
        {1054, "RFID &Card Management"},
        {1047, "Search"},
    };
    for (const auto& [id, text] : used)
        EXPECT_EQ(LoadResString(id), QString::fromLatin1(text)) << id;
    for (int id = 1000; id <= 1055; ++id)
        EXPECT_TRUE(LoadResString(id)) << id;
    EXPECT_FALSE(LoadResString(999));
    EXPECT_FALSE(LoadResString(1056));
}

} // namespace
} // namespace zelkora
