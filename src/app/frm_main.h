// The main window as a model: its controls' state, its timers and sockets, and the state of the
// running client, composed of the rooms' parts. The Qt window binds to it; handlers act on it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/notifications.h"
#include "base/controls.h"
#include "base/env.h"
#include "chat/chat_part.h"
#include "config/config_part.h"
#include "core/core_part.h"
#include "logging/log_part.h"
#include "lstBox/lst_box.h"
#include "macros/macros_part.h"
#include "platform/notifier.h"
#include "view/view_part.h"
#include "zones/zones_part.h"

namespace orva {

struct Transport;
struct Reconnect;

// Each room declares its part of the window in a header of its own; a routine that works within
// one room takes that part, so its signature says what it may touch. The window is their sum plus
// the menus, the login panel and the state that crosses rooms.
struct FrmMain : ViewPart, LogPart, ConfigPart, ZonesPart, MacrosPart, CorePart, ChatPart {
    FrmMain(Env& env, std::unique_ptr<ITcpClient> tcp, std::unique_ptr<IUdpSocket> udp);
    FrmMain(const FrmMain&) = delete;
    FrmMain& operator=(const FrmMain&) = delete;

    // --- program -------------------------------------------------------------------------
    std::string SecondKey;  // the scrambler's second key, stored first thing at load
    Prop<std::string> Caption{"ORVA v.{0}.{1}"};
    Signal<> closeRequested;   // cmdQuit / menu_Exit: ask the window to close
    Prop<int> WindowState{0};  // 0 normal, 1 minimised, 2 maximised; kept by the window
    Prop<bool> WindowActive{true};
    // tmrflash's request: highlight the window's title and taskbar button (true) or let it go.
    Signal<bool> flashWindow;
    bool FlashHighlighted = false;

    // --- menus -----------------------------------------------------------------------------
    MenuItem menu_File{"&File"};
    MenuItem menu_Connect{"Connect", "Ctrl+C"};
    MenuItem menu_Disconnect{"Disconnect", "Ctrl+D"};
    // The switches' items are their parts' (config and view).
    MenuItem menu_SetFont{"Font"};
    MenuItem menu_Exit{"E&xit"};
    MenuItem menu_Zones{"&Zones"};
    // menu_Zone, menu_ZoneSep and menu_ZoneMan are the zones part's.
    // menu_Macros with its entries is the macros part's.
    MenuItem menu_Help{"&Help"};
    MenuItem menu_About{"About..."};

    // --- frmLogin: profile and login fields ----------------------------------------------
    Panel frmLogin;
    ListBox cmbManage;  // profile combo; entry 0 is "(default)"
    Label lblSelProfile;
    Label lblProfileSt;
    Label lblUser, lblPass, lblAuto, lblChats, lblArena;
    TextBox txtUser, txtPass, txtAuto, txtchats, txtInitialArena;
    Button cmdSavePass, cmdSaveAuto, cmdSaveChats, cmdSaveArena;
    Button cmdConnect, cmdQuit, Command1;

    // --- sockets and timers ------------------------------------------------------------------
    std::unique_ptr<ITcpClient> sckClient;
    std::unique_ptr<ITimer> tmrHalter, tmrflash;

    // --- connection state ------------------------------------------------------------------
    // LoggedIn, SelfName, SelfFreq and ArenaName are the core part's.
    bool AutoCommandsSent = false;
    bool SheepSoundPending = false;

    // --- desktop notifications and the tray icon ---------------------------------------------
    std::unique_ptr<INotifier> notifier;  // none where the platform gives no notifications
    NotifyState notifications;
    Signal<> trayClicked;

    // --- line transport (core/transport.h), made on first use ---------------------------------
    std::shared_ptr<Transport> transport;
    // --- automatic reconnect (core/reconnect.h), made on first use ----------------------------
    std::shared_ptr<Reconnect> reconnect;
};

}  // namespace orva
