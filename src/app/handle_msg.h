// Incoming chat: the dispatch of "MSG" lines by their sub-type.
#pragma once

#include <string>

namespace orva {

struct FrmMain;

// Handles the text of a received "MSG" line after the type and its colon.
void HandleMSG(FrmMain& f, const std::string& smsg);

}  // namespace orva
