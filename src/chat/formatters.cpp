#include "chat/formatters.h"

#include "base/text.h"
#include "view/chat_lines.h"
#include "view/name_width.h"
#include "view/view_part.h"

namespace orva {

namespace {

// Shows the line in the colour and logs it as escaped by the view.
void showAndLog(ViewPart& f, std::string line, std::uint8_t colour) {
    AppendChatLine(f, line, colour);
    f.lineToLog.emit(line);
}

}  // namespace

void makeArenaMsg(ViewPart& f, const std::string& text) {
    std::string shown = text;
    AppendChatLine(f, shown, ColorArena);
    f.lineToLog.emit("   " + shown);
}

void makePubMsg(ViewPart& f, const std::string& line) {
    showAndLog(f, "   " + line, ColorPublic);
}

void makePrivMsg(ViewPart& f, const std::string& name, const std::string& text, bool remote) {
    const std::string shownName = remote ? PadName("(" + name.substr(0, f.NameWidth) + ")",
                                                   static_cast<std::uint8_t>(f.NameWidth + 2))
                                         : PadName(name, f.NameWidth);
    showAndLog(f, "P  " + shownName + "> " + text, ColorArena);
}

void makeTeamMsg(ViewPart& f, const std::string& name, const std::string& text) {
    showAndLog(f, "T  " + PadName(name, f.NameWidth) + "> " + text, ColorTeam);
}

void makeChatMsg(ViewPart& f, std::uint8_t channel, const std::string& name,
                 const std::string& text) {
    showAndLog(f, "C " + std::to_string(channel) + ":" + PadName(name, f.NameWidth) + "> " + text,
               ColorChannel);
}

void makeSquadMsg(ViewPart& f, const std::string& first, const std::string& second,
                  const std::string& text) {
    showAndLog(f, "S (" + first + ")(" + second + ")> " + text, ColorArena);
}

void makeCMDMsg(ViewPart& f, const std::string& text) {
    std::string escaped = text;
    AppendCommandLine(f, escaped);
    f.lineToLog.emit("   " + escaped);
}

void makeTeam2TeamMsg(ViewPart& f, const std::string& name, const std::string& text) {
    const std::string logLine = "T  " + PadName(name, f.NameWidth) + "> " + text;
    AppendFrequencyLine(f, "E", "  ", PadName(trimBlanks(name), f.NameWidth), text);
    f.lineToLog.emit(logLine);
}

}  // namespace orva
