#include "logging/trace.h"

#include "core/frm_main.h"

namespace orva {

// Provisional: replaced by the trace window model.
void TraceLine(FrmMain& f, std::string& text) {
    f.frmLog.lines.push_back(text);
    f.frmLog.lineAdded.emit(f.frmLog.lines.back());
}

void TraceLine(FrmMain& f, std::string&& text) {
    TraceLine(f, text);
}

}  // namespace orva
