#include "chat/handle_msg.h"

#include "core/frm_main.h"
#include "logging/trace.h"

namespace orva {

// Provisional: no sub-type is shown yet, so every chat line is only traced.
void HandleMSG(FrmMain& f, const std::string& smsg) {
    TraceLine(f, "Unhandled MSG Command:" + smsg);
}

}  // namespace orva
