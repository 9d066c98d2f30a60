#include "config/scramble.h"

#include <gtest/gtest.h>

namespace orva::test {
namespace {

std::string bytes(std::initializer_list<int> codes) {
    std::string s;
    for (int c : codes)
        s += static_cast<char>(c);
    return s;
}

std::string hex(const std::string& s) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (unsigned char c : s) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

// Values stored by earlier builds must keep reading back: fixed expectations, not round trips.
TEST(Scramble, StoredFormIsStable) {
    struct Case {
        std::string password, stored;
    } cases[] = {
        {"a", "KFNmGGw1a2ArDHIHUWBNGg=="},
        {"secret12", "KFIKA2Q1ECM3WXoZbRQZHSppdSV1A28gDnt6GWA/EQE="},
        {"K)R4m>3T", "KAxlJ2IDbw4lSXIaVz5CPSV4B211AxgADHxQGWA/EQE="},  // zeros after the XOR
        {bytes({0xE9, 0xFF, 0x80, 'p', 'a'}), "KHhhZGw1YyMnZmYQYhRFKC5VVyZuAxR2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScramblePassword(c.password, kSecondKey), c.stored) << c.password;
        EXPECT_EQ(UnscramblePassword(c.stored, kSecondKey), c.password) << c.stored;
    }
}

TEST(Scramble, RoundTripsAndLengths) {
    struct Case {
        std::string password;
        std::size_t storedLength;
    } cases[] = {
        {"x", 24},
        {"12345678", 44},
        {std::string(57, 'x'), 252},
        {std::string(58, 'x'), 256},
        {bytes({0, 1, 127, 128, 255}), 32},
        {"mmmmTTTT4444", 60},
        {"  spaced  ", 60},
    };
    for (const auto& c : cases) {
        const std::string stored = ScramblePassword(c.password, kSecondKey);
        EXPECT_EQ(stored.size(), c.storedLength) << c.password;
        EXPECT_EQ(stored.find_first_not_of(
                      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
                  std::string::npos);
        EXPECT_EQ(UnscramblePassword(stored, kSecondKey), c.password);
    }
    EXPECT_EQ(UnscramblePassword("", kSecondKey), "");
}

// Hand-typed values are not Base64: passes that cannot decode only XOR, exactly as before.
TEST(Scramble, OddStoredValuesDecodeAsTheyAlwaysDid) {
    struct Case {
        const char *stored, *expectedHex;
    } cases[] = {
        {"hunter2", "652a4a064e3a77"},  // 7 characters: never decoded
        {"abcd", "64e839"},
        {"ab$%", "64ef64"},  // strangers count as 64
    };
    for (const auto& c : cases)
        EXPECT_EQ(hex(UnscramblePassword(c.stored, kSecondKey)), c.expectedHex);
}

TEST(Scramble, Base64Pieces) {
    EXPECT_EQ(Base64Encode(""), "");
    EXPECT_EQ(Base64Encode("M"), "TQ==");
    EXPECT_EQ(Base64Encode("Ma"), "TWE=");
    EXPECT_EQ(Base64Encode("Man"), "TWFu");
    EXPECT_EQ(Base64Decode("TQ=="), "M");
    EXPECT_EQ(Base64Decode("TWE="), "Ma");
    EXPECT_EQ(Base64Decode("TWFu"), "Man");
    EXPECT_EQ(Base64Decode("TWF"), "TWF");
    EXPECT_EQ(Base64Decode("===="), "\x04");
    EXPECT_EQ(XorWithKey("abc", "xy"), bytes({'a' ^ 'y', 'b' ^ 'x', 'c' ^ 'y'}));
}

}  // namespace
}  // namespace orva::test
