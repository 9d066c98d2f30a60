// Every platform service of the running program on Qt, bundled as the Env the logic asks through.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/env.h"
#include "qt/qt_net.h"
#include "qt/qt_system.h"
#include "qt/qt_time.h"

namespace orva {

struct FrmMain;

struct QtPlatform {
    // A program folder and an end action replace the real ones (tests run from a temporary folder
    // and must not end the test program).
    explicit QtPlatform(std::optional<std::string> programFolder = {},
                        std::function<void()> onEnd = {});

    QtDialogs dialogs;
    QtTimerFactory timers;
    QtClock clock;
    QtSound sound;
    QtShell shell;
    QtFonts fonts;
    QtApp app;
    Env env{dialogs, timers, clock, sound, shell, fonts, app};

    // The main window's model with its real sockets.
    std::unique_ptr<FrmMain> makeForm();
};

}  // namespace orva
