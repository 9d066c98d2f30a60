#include "logging/trace.h"

#include "core/frm_main.h"
#include "logging/chat_log.h"

namespace orva {

void TraceLine(FrmMain& f, std::string& text) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    text = LogTimestamp(f) + " " + text;
    TraceLog& log = f.frmLog;
    log.lines.push_back(text);
    // Only the newest lines are worth their memory; a long run would otherwise grow forever.
    while (log.lines.size() > TraceLog::kCapacity) {
        log.lines.pop_front();
        ++log.dropped;
    }
    log.lineAdded.emit(log.lines.back());
}

void TraceLine(FrmMain& f, std::string&& text) {
    TraceLine(f, text);
}

void ShowTraceWindow(FrmMain& f) {
    f.frmLog.Visible.set(true);
}

bool frmLog_QueryUnload(FrmMain& f) {
    f.frmLog.Visible.set(false);
    f.showRequested.emit();
    return true;
}

}  // namespace orva
