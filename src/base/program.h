// What every part of the main window may reach: the folder the program runs from and the request
// to bring the main window forward. The parts share one of each (a virtual base of every part).
#pragma once

#include <string>

#include "base/signal.h"

namespace orva {

struct Program {
    std::string AppFolder;   // always ends in a separator
    Signal<> showRequested;  // bring the main window forward (e.g. when frmLog closes)
};

}  // namespace orva
