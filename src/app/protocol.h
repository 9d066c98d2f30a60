// The server-message dispatcher of the chat line protocol.
#pragma once

#include <string>

namespace orva {

struct FrmMain;

// Handles one received line (without its line end).
void HandleProtocol(FrmMain& f, const std::string& line);

}  // namespace orva
