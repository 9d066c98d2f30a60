#include "view/name_width.h"

#include <gtest/gtest.h>

#include "config/settings.h"
#include "support/fakes.h"

namespace orva::test {
namespace {

TEST(NameWidth, PadNameAlignsNamesAtTheirEnd) {
    struct Case {
        const char* name;
        std::uint8_t width;
        const char* expected;
    } cases[] = {
        {"Alice", 14, "         Alice"},
        {"TwentyCharacterName!", 14, "TwentyCharacte"},
        {"ExactlyFourtee", 14, "ExactlyFourtee"},
        {"", 3, "   "},
        {"abc", 0, ""},
        {"35", 5, "   35"},
        {"123456", 5, "12345"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PadName(c.name, c.width), c.expected) << c.name;
}

TEST(NameWidth, SetNameWidthClampsStoresAndWrites) {
    struct Case {
        std::int32_t value;
        std::uint8_t width;
    } cases[] = {{0, 14},  {7, 7},  {1, 1},          {24, 24},       {25, 24},
                 {30, 24}, {-7, 7}, {INT32_MIN, 24}, {INT32_MAX, 24}};
    World w;
    for (const auto& c : cases) {
        SetNameWidth(w.f(), c.value);
        EXPECT_EQ(w.f().NameWidth, c.width) << c.value;
        EXPECT_EQ(ReadSetting("Config", "namelen", w.f().ConfigPath), std::to_string(c.width));
    }
}

TEST(NameWidth, DigitsValueTakesOnlyDigits) {
    struct Case {
        const char* text;
        std::int32_t value;
    } cases[] = {{"", 0},
                 {"abc", 0},
                 {"12abc3", 123},
                 {"-5", 5},
                 {"0007", 7},
                 {"2147483647", 2147483647},
                 {"99999999999", 999999999}};  // digits that no longer fit are dropped
    for (const auto& c : cases)
        EXPECT_EQ(DigitsValue(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace orva::test
