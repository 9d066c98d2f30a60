#include "core/transport.h"

#include "core/connection.h"
#include "core/frm_main.h"
#include "core/protocol.h"
#include "logging/trace.h"
#include "view/chat_lines.h"

namespace orva {

Transport::Transport(FrmMain& f)
    : inbound(f.env.clock, f.env.timers.createTimer(),
              [&f](std::string& line) { HandleProtocol(f, line); }),
      connectWait(f.env.timers.createTimer()) {
    connectWait->setInterval(kConnectWaitMs);
    connectWait->onTick([&f] { connectWaitExpired(f); });
}

Transport& transportOf(FrmMain& f) {
    if (!f.transport) f.transport = std::make_shared<Transport>(f);
    return *f.transport;
}

void showStatus(FrmMain& f, std::string text) {
    PostStatusLine(f, text);
    transportOf(f).chatLinePosted.emit(ColorStatus, text);
}

void showHighlight(FrmMain& f, std::string text) {
    PostHighlightLine(f, text);
    transportOf(f).chatLinePosted.emit(ColorTeam, text);
}

void showChatLine(FrmMain& f, std::string text, std::uint8_t colour) {
    AppendChatLine(f, text, colour);
    transportOf(f).chatLinePosted.emit(colour, text);
}

}  // namespace orva
