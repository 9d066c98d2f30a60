// Lines the user sends: client commands, frequency changes and chat lines.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orva {

struct FrmMain;

// Handles one outgoing line; line receives the expanded text. macroFlag is 1 for a macro's text
// chosen from the macro menu, 0 for a typed line.
void HandleOutgoing(FrmMain& f, std::string& line, std::uint8_t macroFlag);

// The most a chat line may carry after "SEND:"; the server drops longer lines without a word.
inline constexpr std::size_t kMaxSendText = 500;

// Cuts text into pieces that each fit after a protocol head of headSize characters (the part after
// "SEND:" before the text) within kMaxSendText: the longest start that is followed by a blank (the
// blank dropped), or a hard cut where a word is longer than the room. Nothing when even the head
// does not fit.
std::optional<std::vector<std::string>> SplitForWire(std::size_t headSize, std::string_view text);

// Sends text to a frequency, logs logLine and shows the line as echoName's.
void SendFreqLine(FrmMain& f, std::int16_t freq, const std::string& text,
                  const std::string& echoName, const std::string& logLine);

}  // namespace orva
