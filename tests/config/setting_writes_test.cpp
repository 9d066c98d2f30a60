#include "config/setting_writes.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace orva::test {
namespace {

TEST(writeSettingsAll, AFailedWriteTakesBackTheOnesBeforeIt) {
    TempDir dir;
    const std::string file = dir.file("Config.ini");
    const std::string before = "[User0]\r\nname=Ann\r\nFontType=Arial\r\n";
    dir.write("Config.ini", before);
    // The third key cannot be written, so the first two go back to what they were (the new one
    // away again).
    EXPECT_FALSE(writeSettingsAll(
        {{"User0", "FontType", "Tahoma"}, {"User0", "FontSize", "12"}, {"User0", "bad=key", "x"}},
        file));
    EXPECT_EQ(dir.read("Config.ini"), before);

    EXPECT_TRUE(
        writeSettingsAll({{"User0", "FontType", "Tahoma"}, {"User0", "name", std::nullopt}}, file));
    EXPECT_EQ(dir.read("Config.ini"), "[User0]\r\nFontType=Tahoma\r\n");
}

}  // namespace
}  // namespace orva::test
