// The eight chat line formatters: the layout, colour and chat-log line of every chat message shown,
// received or echoed.
#pragma once

#include <cstdint>
#include <string>

namespace orva {

struct ViewPart;

void makeArenaMsg(ViewPart& f, const std::string& text);
// line: padded name + "> " + message, already joined by the caller.
void makePubMsg(ViewPart& f, const std::string& line);
// remote: the sender is not in this arena; the name is shown in parentheses.
void makePrivMsg(ViewPart& f, const std::string& name, const std::string& text, bool remote);
void makeTeamMsg(ViewPart& f, const std::string& name, const std::string& text);
void makeChatMsg(ViewPart& f, std::uint8_t channel, const std::string& name,
                 const std::string& text);
void makeSquadMsg(ViewPart& f, const std::string& first, const std::string& second,
                  const std::string& text);
// Italic, in the arena colour; " \plain" ends the italics for the lines after it.
void makeCMDMsg(ViewPart& f, const std::string& text);
// "E" line of another frequency: name in the status colour, logged unescaped with "T  ".
void makeTeam2TeamMsg(ViewPart& f, const std::string& name, const std::string& text);

}  // namespace orva
