#include "logging/chat_log.h"

#include "core/frm_main.h"

namespace orva {

// Provisional: replaced by the chat log files.
void WriteChatLog(FrmMain&, const std::string&) {}
void OpenLog(FrmMain& f) {
    f.chatLog.LogIsOpen = 255;
}
void CloseLog(FrmMain& f) {
    f.chatLog.LogIsOpen = 0;
}
std::uint8_t LogIsOpen(const FrmMain& f) {
    return f.chatLog.LogIsOpen;
}
void SetLogFileName(FrmMain& f, const std::string& name) {
    f.chatLog.LogFileName = name;
}

}  // namespace orva
