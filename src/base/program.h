// What every part of the main window may reach: the folder the program runs from, its settings
// file, the request to bring the main window forward and the report of a setting not stored. The
// parts share one of each (a virtual base of every part). And the program's version tag.
#pragma once

#include <string>

#include "base/signal.h"

namespace orva {

// The program's name and version as the login line and the About box give it.
inline constexpr const char* VersionTag = ";ORVA 1.2, by Ostrelle";

struct Program {
    std::string AppFolder;   // always ends in a separator
    std::string ConfigPath;  // AppFolder + "Config.ini"
    Signal<> showRequested;  // bring the main window forward (e.g. when frmLog closes)
    // A switch or setting that could not be stored: the window says so in the chat view.
    Signal<> notWritten;
};

}  // namespace orva
