#include "config/scramble.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace orva {

namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::array<std::string, 5> passKeys(std::string_view second) {
    const std::string first(kFirstKey);
    const std::string firstReversed(first.rbegin(), first.rend());
    const std::string secondReversed(second.rbegin(), second.rend());
    return {first, std::string(second), first + std::string(second),
            firstReversed + std::string(second), first + secondReversed};
}

}  // namespace

std::string XorWithKey(std::string_view text, std::string_view key) {
    std::string out(text);
    if (key.empty()) return out;
    // The key runs from its last character towards its first, cyclically.
    std::size_t p = key.size();
    for (char& c : out) {
        c = static_cast<char>(static_cast<unsigned char>(c) ^
                              static_cast<unsigned char>(key[p - 1]));
        if (--p == 0) p = key.size();
    }
    return out;
}

std::string Base64Encode(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k)
            group = (group << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        out += kAlphabet[(group >> 18) & 63];
        out += kAlphabet[(group >> 12) & 63];
        out += n > 1 ? kAlphabet[(group >> 6) & 63] : '=';
        out += n > 2 ? kAlphabet[group & 63] : '=';
    }
    return out;
}

std::string Base64Decode(std::string_view text) {
    if (text.empty() || text.size() % 4 != 0) return std::string(text);
    std::array<unsigned, 256> value;
    value.fill(64);  // "=" and every stranger keep 64, and are decoded with it
    for (std::size_t i = 0; i < kAlphabet.size(); ++i)
        value[static_cast<unsigned char>(kAlphabet[i])] = static_cast<unsigned>(i);
    std::string out;
    out.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        const unsigned a = value[static_cast<unsigned char>(text[i])];
        const unsigned b = value[static_cast<unsigned char>(text[i + 1])];
        const unsigned c = value[static_cast<unsigned char>(text[i + 2])];
        const unsigned d = value[static_cast<unsigned char>(text[i + 3])];
        out += static_cast<char>(((a << 2) | (b >> 4)) & 255);
        out += static_cast<char>(((b << 4) | (c >> 2)) & 255);
        out += static_cast<char>(((c << 6) | d) & 255);
    }
    if (text[text.size() - 2] == '=')
        out.resize(out.size() - 2);
    else if (text.back() == '=')
        out.resize(out.size() - 1);
    return out;
}

std::string ScramblePass(std::string_view text, std::string_view key) {
    return Base64Encode(XorWithKey(text, key));
}

std::string UnscramblePass(std::string_view text, std::string_view key) {
    return XorWithKey(Base64Decode(text), key);
}

std::string ScramblePassword(std::string_view password, std::string_view SecondKey) {
    std::string s(password);
    for (const auto& key : passKeys(SecondKey))
        s = ScramblePass(s, key);
    return s;
}

std::string UnscramblePassword(std::string_view stored, std::string_view SecondKey) {
    const auto keys = passKeys(SecondKey);
    std::string s(stored);
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        s = UnscramblePass(s, *it);
    return s;
}

}  // namespace orva
