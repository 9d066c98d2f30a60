// Appending lines to the chat view, and the two posting routines that also log them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/controls.h"

namespace orva {

struct ViewPart;
struct LocalTime;
class ChatView;

enum ChatColor : std::uint8_t {
    ColorStatus = 1,
    ColorArena = 2,
    ColorPublic = 3,
    ColorChannel = 4,
    ColorModerator = 5,
    ColorTeam = 6,
    ColorKill = 7,
    ColorLink = 8,
};

// The chat view's colour table, by colour number; entry 0 is the automatic colour. The input
// line shows each kind of message in the colour the view gives it.
inline constexpr std::array<Rgb, 9> ChatColors{
    0,
    rgb(255, 255, 255),
    rgb(115, 255, 99),
    rgb(160, 160, 255),
    rgb(239, 107, 24),
    rgb(206, 8, 8),
    rgb(255, 189, 41),
    rgb(255, 153, 153),
    rgb(255, 250, 0),
};

// The fresh document: font table, colour table, the chat size and one line of colour samples.
std::string BuildInitialRtf(const std::string& fontName, std::uint8_t halfPoints);

// "[HH:MM] ": the time a line was added, as the view shows it when Timestamps is on.
std::string TimeStamp(const LocalTime& t);

// Escapes "\", "{" and "}" in place and returns the escaped text.
std::string& EscapeRtf(std::string& text);
// Wraps each web link as "{\cf8\ul " + link + "}", in place.
std::string& MarkLinks(std::string& text);
// Escapes text in place and appends it as one paragraph in the given colour.
void AppendChatLine(ViewPart& f, std::string& text, std::uint8_t colour);
// Appends a fragment that begins with "\par"; marks links in place when showURLs is set.
void AppendRtfFragment(ViewPart& f, std::string& fragment);
// A frequency line: tag in colour 2, gap + name in colour 1, "> " + text in colour 2.
void AppendFrequencyLine(ViewPart& f, std::string_view tag, std::string_view gap, std::string name,
                         std::string text);
// A command's answer: italic, colour 2, in the chat size; text is escaped in place.
void AppendCommandLine(ViewPart& f, std::string& text);
void ResetChatView(ViewPart& f);
// AppendChatLine in colour 1 (status) or 6 (highlight), then the escaped text to the chat log.
void PostStatusLine(ViewPart& f, std::string& text);
void PostHighlightLine(ViewPart& f, std::string& text);
// "Config.ini could not be written. Nothing was saved." as a status line, for a command or a
// switch that wrote nothing.
void postNotWritten(ViewPart& f);

}  // namespace orva
