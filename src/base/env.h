// The platform services the logic reaches the world through, bundled for the main window.
#pragma once

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/net.h"
#include "platform/system.h"
#include "platform/timer.h"

namespace orva {

struct Env {
    IDialogs& dialogs;
    ITimerFactory& timers;
    IClock& clock;
    ISound& sound;
    IShell& shell;
    IFonts& fonts;
    IApp& app;
};

}  // namespace orva
