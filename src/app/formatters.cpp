#include "app/formatters.h"

#include "app/frm_main.h"
#include "base/text.h"
#include "logging/chat_log.h"
#include "view/chat_lines.h"
#include "view/name_width.h"

namespace orva {

namespace {

// Shows the line in the colour and logs it as escaped by the view.
void showAndLog(FrmMain& f, std::string line, std::uint8_t colour) {
    AppendChatLine(f, line, colour);
    WriteChatLog(f, line);
}

}  // namespace

void makeArenaMsg(FrmMain& f, const std::string& text) {
    std::string shown = text;
    AppendChatLine(f, shown, ColorArena);
    WriteChatLog(f, "   " + shown);
}

void makePubMsg(FrmMain& f, const std::string& line) {
    showAndLog(f, "   " + line, ColorPublic);
}

void makePrivMsg(FrmMain& f, const std::string& name, const std::string& text, bool remote) {
    const std::string shownName = remote ? PadName("(" + name.substr(0, f.NameWidth) + ")",
                                                   static_cast<std::uint8_t>(f.NameWidth + 2))
                                         : PadName(name, f.NameWidth);
    showAndLog(f, "P  " + shownName + "> " + text, ColorArena);
}

void makeTeamMsg(FrmMain& f, const std::string& name, const std::string& text) {
    showAndLog(f, "T  " + PadName(name, f.NameWidth) + "> " + text, ColorTeam);
}

void makeChatMsg(FrmMain& f, std::uint8_t channel, const std::string& name,
                 const std::string& text) {
    showAndLog(f, "C " + std::to_string(channel) + ":" + PadName(name, f.NameWidth) + "> " + text,
               ColorChannel);
}

void makeSquadMsg(FrmMain& f, const std::string& first, const std::string& second,
                  const std::string& text) {
    showAndLog(f, "S (" + first + ")(" + second + ")> " + text, ColorArena);
}

void makeCMDMsg(FrmMain& f, const std::string& text) {
    std::string escaped = text;
    AppendCommandLine(f, escaped);
    WriteChatLog(f, "   " + escaped);
}

void makeTeam2TeamMsg(FrmMain& f, const std::string& name, const std::string& text) {
    const std::string logLine = "T  " + PadName(name, f.NameWidth) + "> " + text;
    AppendFrequencyLine(f, "E", "  ", PadName(trimBlanks(name), f.NameWidth), text);
    WriteChatLog(f, logLine);
}

}  // namespace orva
