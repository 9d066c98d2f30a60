// Appending lines to the chat view, and the two posting routines that also log them.
#pragma once

#include <cstdint>
#include <string>

namespace orva {

struct FrmMain;
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

inline constexpr const char* ChatColorTable =
    "{\\colortbl "
    ";\\red255\\green255\\blue255;\\red115\\green255\\blue99;\\red160\\green160\\blue255;"
    "\\red239\\green107\\blue24;\\red206\\green8\\blue8;\\red255\\green189\\blue41;"
    "\\red255\\green153\\blue153;\\red255\\green250\\blue0;}";

// The fresh document: font table, colour table, the chat size and one line of colour samples.
std::string BuildInitialRtf(const std::string& fontName, std::uint8_t halfPoints);

// Escapes "\", "{" and "}" in place and returns the escaped text.
std::string& EscapeRtf(std::string& text);
// Wraps each web link as "{\cf8\ul " + link + "}", in place.
std::string& MarkLinks(std::string& text);
// Escapes text in place and appends it as one paragraph in the given colour.
void AppendChatLine(FrmMain& f, std::string& text, std::uint8_t colour);
// Appends a fragment that begins with "\par"; marks links in place when showURLs is set.
void AppendRtfFragment(FrmMain& f, std::string& fragment);
void ResetChatView(FrmMain& f);
// AppendChatLine in colour 1 (status) or 6 (highlight), then WriteChatLog of the escaped text.
void PostStatusLine(FrmMain& f, std::string& text);
void PostHighlightLine(FrmMain& f, std::string& text);

}  // namespace orva
