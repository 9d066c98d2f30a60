// Password scrambling for the "pass" key: five keyed XOR and Base64 passes, byte for byte the
// form stored files already hold.
#pragma once

#include <string>
#include <string_view>

namespace orva {

inline constexpr std::string_view kFirstKey = "K)R4";
// Stored into FrmMain::SecondKey first thing at load; the scrambler takes it from there.
inline constexpr std::string_view kSecondKey = "m>3T";

std::string XorWithKey(std::string_view text, std::string_view key);
std::string Base64Encode(std::string_view bytes);
// Text whose length is not a multiple of 4 (or is empty) comes back unchanged.
std::string Base64Decode(std::string_view text);

std::string ScramblePass(std::string_view text, std::string_view key);
std::string UnscramblePass(std::string_view text, std::string_view key);

std::string ScramblePassword(std::string_view password, std::string_view SecondKey);
std::string UnscramblePassword(std::string_view stored, std::string_view SecondKey);

}  // namespace orva
