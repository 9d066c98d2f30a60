#include "view/chat_lines.h"

#include "core/frm_main.h"
#include "logging/chat_log.h"

namespace orva {

// Provisional: replaced by the chat view document.
std::string& EscapeRtf(std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == '{' || c == '}') out += '\\';
        out += c;
    }
    text = out;
    return text;
}

void AppendChatLine(FrmMain& f, std::string& text, std::uint8_t colour) {
    EscapeRtf(text);
    std::string fragment = "\\par\\fs" + std::to_string(f.ChatFontHalfPoints) + "\\cf" +
                           std::to_string(colour) + " " + text;
    AppendRtfFragment(f, fragment);
}

void AppendRtfFragment(FrmMain&, std::string&) {}
void ResetChatView(FrmMain&) {}

void PostStatusLine(FrmMain& f, std::string& text) {
    AppendChatLine(f, text, ColorStatus);
    WriteChatLog(f, text);
}

void PostHighlightLine(FrmMain& f, std::string& text) {
    AppendChatLine(f, text, ColorTeam);
    WriteChatLog(f, text);
}

}  // namespace orva
