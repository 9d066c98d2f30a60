#include "chat/outgoing.h"

#include "core/connection.h"
#include "core/frm_main.h"

namespace orva {

// Provisional: every line goes out as public chat until client commands and chat kinds exist.
void HandleOutgoing(FrmMain& f, std::string& line, std::uint8_t) {
    SendLine(f, "SEND:PUB:" + line);
}

}  // namespace orva
