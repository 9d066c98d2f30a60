// The macros room's part of the main window: the Macros menu.
#pragma once

#include <array>

#include "base/controls.h"

namespace orva {

struct MacrosPart {
    MenuItem menu_Macros{"Macros"};
    std::array<MenuItem, 8> menu_Macro;  // F1 to F8
    MenuItem menu_MacroSep{"-"};
    MenuItem menu_MacroEditor{"Macro Editor"};
};

}  // namespace orva
