#include "base/numbers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orva::test {
namespace {

TEST(Numbers, LeadingNumberRoundedHalfToEven) {
    struct Case {
        const char* text;
        double value;
        std::int32_t rounded;
    } cases[] = {
        {"", 0, 0},
        {"abc", 0, 0},
        {"  42abc", 42, 42},
        {"\t-7", -7, -7},
        {"+3", 3, 3},
        {"5000.9", 5000.9, 5001},
        {"2.5", 2.5, 2},
        {"3.5", 3.5, 4},
        {"-2.5", -2.5, -2},
        {".5", 0.5, 0},
        {"1e3", 1000, 1000},
        {"1E", 1, 1},
        {"2d2x", 200, 200},
        {"-", 0, 0},
        {"1 2", 1, 1},
        {"1e400", HUGE_VAL, 2147483647},  // beyond a double: too large for every field
        {"99999999999", 99999999999.0, 2147483647},
        {"-99999999999", -99999999999.0, INT32_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(numericValue(c.text), c.value) << c.text;
        EXPECT_EQ(toInt32(c.text), c.rounded) << c.text;
    }
}

TEST(Numbers, BytesOutOfRangeTakeTheFallback) {
    EXPECT_EQ(toByteOr("255", 9), 255);
    EXPECT_EQ(toByteOr("255.5", 9), 9);  // rounds to 256
    EXPECT_EQ(toByteOr("-1", 9), 9);
    EXPECT_EQ(toByteOr("12", 9), 12);
}

}  // namespace
}  // namespace orva::test
