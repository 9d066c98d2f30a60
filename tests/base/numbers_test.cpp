#include "base/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace orva::test {
namespace {

TEST(Numbers, LeadingValue) {
    const struct {
        std::string text;
        double value;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"12", 12},
        {"  12", 12},
        {"\t7x", 7},
        {"12abc", 12},
        {"-3", -3},
        {"+4", 4},
        {"1.5", 1.5},
        {".5", 0.5},
        {"2.", 2},
        {"-", 0},
        {".", 0},
        {"1e3", 1000},
        {"1E-1", 0.1},
        {"1e", 1},
        {"1e+", 1},
        {"8:100", 8},
        {"007", 7},
        {"1 2", 1},
        {"1e999", HUGE_VAL},
        {"1e-999", 0},
        {std::string(400, '9'), HUGE_VAL},
        {"0." + std::string(400, '0') + "1", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(leadingValue(c.text), c.value);
    }
}

TEST(Numbers, RoundedIntoFieldWidth) {
    using B = std::optional<std::uint8_t>;
    using I = std::optional<std::int16_t>;
    const struct {
        std::string text;
        B byte;
        I int16;
    } cases[] = {
        {"8", 8, 8},
        {"", 0, 0},
        {"x", 0, 0},
        {"0.5", 0, 0},  // halves go to the even neighbour
        {"1.5", 2, 2},
        {"2.5", 2, 2},
        {"-0.5", 0, 0},
        {"-1.5", std::nullopt, -2},
        {"254.5", 254, 254},
        {"255", 255, 255},
        {"255.5", std::nullopt, 256},
        {"256", std::nullopt, 256},
        {"-1", std::nullopt, -1},
        {"32767", std::nullopt, 32767},
        {"32767.5", std::nullopt, std::nullopt},
        {"32768", std::nullopt, std::nullopt},
        {"-32768", std::nullopt, -32768},
        {"-32768.5", std::nullopt, -32768},
        {"-32769", std::nullopt, std::nullopt},
        {"1e999", std::nullopt, std::nullopt},
        {"100abc", 100, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(toByte(c.text), c.byte);
        EXPECT_EQ(toInt16(c.text), c.int16);
    }
}

TEST(Numbers, WholeInt16TakesTheWholeField) {
    const struct {
        std::string text;
        std::optional<std::int16_t> value;
    } cases[] = {
        {"8025", 8025},
        {"0", 0},
        {"-1", -1},
        {"+5", 5},
        {" 12 ", 12},
        {"32767", 32767},
        {"-32768", -32768},
        {"32768", std::nullopt},
        {"-32769", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"12.5", std::nullopt},
        {"12x", std::nullopt},
        {"x", std::nullopt},
        {"1 2", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(wholeInt16(c.text), c.value);
    }
}

}  // namespace
}  // namespace orva::test
