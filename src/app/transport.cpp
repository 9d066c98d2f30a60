#include "app/transport.h"

#include "app/connection.h"
#include "app/frm_main.h"
#include "app/protocol.h"

namespace orva {

Transport::Transport(FrmMain& f)
    : inbound(f.env.clock, f.env.timers.createTimer(),
              [&f](std::string& line) { HandleProtocol(f, line); }),
      connectWait(f.env.timers.createTimer()),
      sendWait(f.env.timers.createTimer()) {
    connectWait->setInterval(kConnectWaitMs);
    connectWait->onTick([&f] { connectWaitExpired(f); });
    sendWait->onTick([&f] { SendWaitingLines(f); });
}

Transport& transportOf(FrmMain& f) {
    if (!f.transport) f.transport = std::make_shared<Transport>(f);
    return *f.transport;
}

}  // namespace orva
