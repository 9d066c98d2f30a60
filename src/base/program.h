// What every part of the main window may reach: the platform's services, the folder the program
// runs from, its settings file, the request to bring the main window forward and the report of a
// setting not stored. The parts share one of each (a virtual base of every part that uses them).
// And the program's version tag.
#pragma once

#include <string>

#include "base/env.h"
#include "base/signal.h"

namespace orva {

// The program's name and version as the login line and the About box give it.
inline constexpr const char* VersionTag = ";ORVA 1.2, by Ostrelle";

struct Program {
    explicit Program(Env& e) : env(e) {}
    // Neither the program nor any part is copied: the window holds one of each.
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Env& env;                // clock, timers, files, sockets' name lookup, dialogs, fonts ...
    std::string AppFolder;   // always ends in a separator
    std::string ConfigPath;  // AppFolder + "Config.ini"
    Signal<> showRequested;  // bring the main window forward (e.g. when frmLog closes)
    // A switch or setting that could not be stored: the window says so in the chat view.
    Signal<> notWritten;
};

}  // namespace orva
