// Start-up and shutdown of the main window, and the wiring of the handlers they bring along.
#pragma once

namespace orva {

struct FrmMain;

// The start-up routine up to showing the window: the application folder, the configuration path
// and the single-instance rule. False when the program must end (env.app.end() has been called).
bool StartUp(FrmMain& f);
// The main window's load. False when the program must end (it has already said why and called
// env.app.end()).
bool Form_Load(FrmMain& f);
// The close request; true cancels the close. Otherwise closes an open chat log and ends.
bool Form_QueryUnload(FrmMain& f);

// Both ask the window to close (closeRequested), which comes back through Form_QueryUnload.
void cmdQuit_Click(FrmMain& f);
void menu_Exit_Click(FrmMain& f);

// Connects the switches, profile, zone list, ping button and quit handlers to their controls.
void wireFoundationHandlers(FrmMain& f);

}  // namespace orva
