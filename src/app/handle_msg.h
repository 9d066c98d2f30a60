// Incoming chat: the dispatch of "MSG" lines by their sub-type.
#pragma once

#include <string>

namespace orva {

struct FrmMain;

// Handles the text of a received "MSG" line after the type and its colon.
void HandleMSG(FrmMain& f, const std::string& smsg);

// The recent private-message partners, newest first: addName pushes a name in at the front,
// dropping the oldest; removeName takes a name out (unless it is already at the front), closing
// the gap. removeName then addName moves a partner to the front without a duplicate.
void addName(FrmMain& f, const std::string& name);
void removeName(FrmMain& f, const std::string& name);

}  // namespace orva
