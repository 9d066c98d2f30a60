// Connects the connection's socket events, buttons, menu items and timer to their handlers.
#pragma once

namespace orva {

struct FrmMain;

void wireCoreHandlers(FrmMain& f);

}  // namespace orva
