// Connects the main window's control events to their handlers.
#pragma once

namespace orva {

struct FrmMain;

void wireHandlers(FrmMain& f);

}  // namespace orva
