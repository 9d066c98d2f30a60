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
    char* o = out.data();
    for (std::size_t i = 0; i < out.size(); ++i) {
        o[i] = static_cast<char>(o[i] ^ key[p - 1]);
        if (--p == 0) p = key.size();
    }
    return out;
}

std::string Base64Encode(std::string_view bytes) {
    std::string out((bytes.size() + 2) / 3 * 4, '=');
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    char* o = out.data();
    for (std::size_t i = 0; i < bytes.size(); i += 3, o += 4) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        const std::uint32_t group = (std::uint32_t{in[i]} << 16) |
                                    (n > 1 ? std::uint32_t{in[i + 1]} << 8 : 0u) |
                                    (n > 2 ? std::uint32_t{in[i + 2]} : 0u);
        o[0] = kAlphabet[(group >> 18) & 63];
        o[1] = kAlphabet[(group >> 12) & 63];
        if (n > 1) o[2] = kAlphabet[(group >> 6) & 63];
        if (n > 2) o[3] = kAlphabet[group & 63];
    }
    return out;
}

std::string Base64Decode(std::string_view text) {
    if (text.empty() || text.size() % 4 != 0) return std::string(text);
    static const std::array<unsigned char, 256> value = [] {
        std::array<unsigned char, 256> v;
        v.fill(64);  // "=" and every stranger keep 64, and are decoded with it
        for (std::size_t i = 0; i < kAlphabet.size(); ++i)
            v[static_cast<unsigned char>(kAlphabet[i])] = static_cast<unsigned char>(i);
        return v;
    }();
    std::string out(text.size() / 4 * 3, '\0');
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    char* o = out.data();
    for (std::size_t i = 0; i < text.size(); i += 4, o += 3) {
        const unsigned a = value[in[i]], b = value[in[i + 1]], c = value[in[i + 2]],
                       d = value[in[i + 3]];
        o[0] = static_cast<char>(((a << 2) | (b >> 4)) & 255);
        o[1] = static_cast<char>(((b << 4) | (c >> 2)) & 255);
        o[2] = static_cast<char>(((c << 6) | d) & 255);
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
