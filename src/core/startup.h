// Start-up and shutdown of the main window.
#pragma once

namespace orva {

struct FrmMain;

// The start-up routine up to showing the window: the application folder, the configuration path
// and the single-instance rule. False when the program must end.
bool StartUp(FrmMain& f);
// The main window's load. False when the program must end (it has already said why).
bool Form_Load(FrmMain& f);
// The close request; true cancels the close.
bool Form_QueryUnload(FrmMain& f);

}  // namespace orva
