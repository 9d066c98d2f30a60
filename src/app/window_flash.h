// The main window's flashing after a private message arrived while it was minimised.
#pragma once

namespace orva {

struct FrmMain;

// One tick of tmrflash: toggles the highlight of the window's title and taskbar button.
void tmrflash_Timer(FrmMain& f);
// Any resize of the main window, restoring it from the taskbar included: the flashing ends.
void Form_Resize(FrmMain& f);

// Connects tmrflash's tick.
void wireWindowFlash(FrmMain& f);

}  // namespace orva
