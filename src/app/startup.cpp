#include "app/startup.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/connection.h"
#include "app/frm_main.h"
#include "app/profiles.h"
#include "app/reconnect.h"
#include "app/switches.h"
#include "base/numbers.h"
#include "base/text.h"
#include "config/scramble.h"
#include "config/settings.h"
#include "config/switches.h"
#include "core/home_folder.h"
#include "logging/chat_log.h"
#include "logging/trace.h"
#include "macros/macro_menu.h"
#include "platform/files.h"
#include "view/chat_font.h"
#include "view/name_width.h"
#include "view/view_switches.h"
#include "zones/ping_buttons.h"
#include "zones/zone_list.h"

namespace orva {

namespace {

constexpr const char* kConfigVersion = "1.1";

void replaceAll(std::string& s, const std::string& what, const std::string& with) {
    for (std::size_t at = s.find(what); at != std::string::npos;
         at = s.find(what, at + with.size()))
        s.replace(at, what.size(), with);
}

std::string read(const FrmMain& f, const std::string& section, const std::string& key) {
    return ReadSetting(section, key, f.ConfigPath);
}

}  // namespace

bool StartUp(FrmMain& f) {
    std::string programFolder = f.env.app.programFolder();
    if (programFolder.empty() || (programFolder.back() != '\\' && programFolder.back() != '/')) {
        // A folder spelt with forward slashes only (every folder here, and what Qt reports on
        // Windows too) gets a forward slash: a backslash would be part of the file name.
        const bool forward = programFolder.find('/') != std::string::npos &&
                             programFolder.find('\\') == std::string::npos;
        programFolder += forward ? '/' : '\\';
    }
    // AppFolder is the home: the program folder itself, or the user's own for an installed copy.
    const Home home = chooseHome(homeFacts(f.env.app, programFolder));
    f.AppFolder = home.folder;
    if (f.AppFolder != programFolder && !prepareHome(home))
        TraceLine(f, "Could not make the folder " + files::pathText(f.AppFolder));
    f.ConfigPath = f.AppFolder + "Config.ini";
    if (f.env.app.previousInstanceIn(f.AppFolder) && toByteOr(read(f, "Config", "ID"), 0) != 1) {
        f.env.dialogs.messageBox(
            "A previous instance of ORVA is running,\r\nyou can not have two or more clients "
            "running at the same time.",
            VersionTag + 1, MsgIcon::Information);
        f.env.app.end();
        return false;
    }
    return true;
}

bool Form_Load(FrmMain& f) {
    f.SecondKey = std::string(kSecondKey);

    std::string caption = f.Caption.get();
    replaceAll(caption, "{0}", std::to_string(f.env.app.versionMajor()));
    replaceAll(caption, "{1}", std::to_string(f.env.app.versionMinor()));
    f.Caption.set(caption);

    f.ChatFontName = read(f, "User0", "FontType");
    f.ChatFontSize = toByteOr(read(f, "User0", "FontSize"), 0);  // 0: the default size
    const std::string storedVersion = read(f, "Config", "Version");
    VerifyFontConstraints(f.ChatFontName, f.ChatFontSize);
    UpdateFontFace(f);

    f.cmbManage.ListIndex.set(0);
    bool swallow = false;
    cmbManage_KeyPress(f, 13, swallow);
    f.ProfileID = "User0";
    loadProfileList(f);

    if (storedVersion == kConfigVersion) {
        f.txtUser.Text.set(read(f, "User0", "name"));
        f.txtPass.Text.set(UnscramblePassword(read(f, "User0", "pass"), f.SecondKey));
        f.txtAuto.Text.set(read(f, "User0", "auto"));
        f.txtchats.Text.set(read(f, "User0", "chats"));
        loadSwitches(f);
    } else {
        const std::string version = read(f, "Config", "Version");
        if (version == "1.0") {
            f.env.dialogs.messageBox("Current Config Version: " + version +
                                         "\r\n\r\nApplication Config Version: " + kConfigVersion +
                                         "\r\n\r\nPlease seek the ReadMe.txt on how to upgrade "
                                         "the config file to this version.",
                                     "Config Update Required.", MsgIcon::Error);
            f.env.app.end();
            return false;
        }
        if (storedVersion.empty())
            WriteSetting("Config", std::string("Version"), std::string(kConfigVersion),
                         f.ConfigPath);
    }

    if (trimBlanks(read(f, "User0", "name")).empty()) {
        const auto name =
            f.env.dialogs.inputBox("Enter Username for initial profile:", "Enter Username");
        if (!name) {
            f.env.dialogs.messageBox(
                "You did not provide a proper username, hence the program can not continue.",
                "Invalid Information", MsgIcon::Information);
            f.env.app.end();
            return false;
        }
        WriteSetting("User0", std::string("name"), *name, f.ConfigPath);
    }

    LoadMacroMenu(f, f);

    const std::int64_t width =
        std::llabs(static_cast<std::int64_t>(toInt32(read(f, "Config", "namelen"))));
    SetNameWidth(f, static_cast<std::int32_t>(std::min<std::int64_t>(width, INT32_MAX)));

    LoadZoneList(f);
    if (f.lstZones.ListCount() >= 1) {
        f.lstZones.ListIndex.set(0);
        if (f.ckPing.Value.get() == 1) cmdPingOn_Click(f);
        lstZones_GotFocus(f);
        populateZonesMenu(f);
    }

    f.tmrflash->setInterval(250);
    return true;
}

bool Form_QueryUnload(FrmMain& f) {
    if (f.sckClient->State() == sckConnected &&
        f.env.dialogs.messageBox("Are you sure you wish to disconnect?", "Quit?", MsgIcon::None,
                                 MsgButtons::YesNoCancel) != MsgResult::Yes)
        return true;
    stopReconnect(f);
    if (LogIsOpen(f)) CloseLog(f);
    f.env.app.end();
    return false;
}

void cmdQuit_Click(FrmMain& f) {
    f.closeRequested.emit();
}

void menu_Exit_Click(FrmMain& f) {
    f.closeRequested.emit();
}

void wireFoundationHandlers(FrmMain& f) {
    FrmMain* p = &f;
    f.menu_KillMessages.clicked.connect([p] { menu_KillMessages_Click(*p); });
    f.menu_Mute.clicked.connect([p] { menu_Mute_Click(*p); });
    f.menu_AutoReconnect.clicked.connect([p] { menu_AutoReconnect_Click(*p); });
    f.menu_HighLightURL.clicked.connect([p] { menu_HighLightURL_Click(*p); });
    f.menu_Notify.clicked.connect([p] { menu_Notify_Click(*p); });
    f.menu_Timestamps.clicked.connect([p] { menu_Timestamps_Click(*p); });
    f.WindowActive.changed.connect([p](const bool& active) { p->txtLog.setWindowActive(active); });
    f.menu_IgnorePubMacros.clicked.connect([p] { menu_IgnorePubMacros_Click(*p); });
    f.menu_Exit.clicked.connect([p] { menu_Exit_Click(*p); });
    f.cmdQuit.clicked.connect([p] { cmdQuit_Click(*p); });
    f.ckPing.clicked.connect([p] { ckPing_Click(*p); });
    f.cmdPingOn.clicked.connect([p] { cmdPingOn_Click(*p); });
    f.cmdPingOff.clicked.connect([p] { cmdPingOff_Click(*p); });
    f.cmdSaveArena.clicked.connect([p] { cmdSaveArena_Click(*p); });
    f.cmdSaveAuto.clicked.connect([p] { cmdSaveAuto_Click(*p); });
    f.cmdSaveChats.clicked.connect([p] { cmdSaveChats_Click(*p); });
    f.cmdSavePass.clicked.connect([p] { cmdSavePass_Click(*p); });
    f.cmbManage.keyPressed.connect(
        [p](int key, bool& swallow) { cmbManage_KeyPress(*p, key, swallow); });
    f.lstZones.gotFocus.connect([p] { lstZones_GotFocus(*p); });
}

}  // namespace orva
