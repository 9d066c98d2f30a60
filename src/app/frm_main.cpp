#include "app/frm_main.h"

#include "app/connection.h"
#include "logging/chat_log.h"
#include "view/chat_lines.h"

namespace orva {

FrmMain::FrmMain(Env& e, std::unique_ptr<ITcpClient> tcp, std::unique_ptr<IUdpSocket> udp)
    : Program(e),
      ViewPart(e),
      LogPart(e),
      ConfigPart(e),
      ZonesPart(e, std::move(udp)),
      sckClient(std::move(tcp)) {
    // Design-time state of the controls.
    menu_Disconnect.Enabled.set(false);
    menu_Zone.push_back(std::make_unique<MenuItem>("-zone-"));
    menu_Zone[0]->Enabled.set(false);
    for (size_t i = 0; i < menu_Macro.size(); ++i) {
        menu_Macro[i].Caption.set("-none-");
        menu_Macro[i].Shortcut = "F" + std::to_string(i + 1);
        menu_Macro[i].Enabled.set(false);
    }

    cmdPingOn.Caption.set("Ping On");
    cmdPingOff.Caption.set("Ping Off");
    cmdPingOff.Enabled.set(false);
    ckPing.Caption.set("Ping on by default.");

    cmbManage.Visible.set(false);
    cmbManage.AddItem("(default)");
    lblSelProfile.Caption.set("Select Profile: ");
    lblSelProfile.Visible.set(false);
    lblProfileSt.Caption.set("User0");
    lblUser.Caption.set("Name:");
    lblPass.Caption.set("Password:");
    lblAuto.Caption.set("Auto-commands:");
    lblChats.Caption.set("Channels:");
    lblArena.Caption.set("Initial arena:");
    txtUser.ToolTipText.set("Enter Playername.");
    txtPass.ToolTipText.set("Profile Password. Click 'Save' to save.");
    txtPass.Masked.set(true);
    txtAuto.ToolTipText.set("Seperate via \"\\\" (ie: ?sheep\\?version)");
    txtchats.ToolTipText.set("Seperate via \",\" ie: chat1,chat2");
    txtInitialArena.ToolTipText.set("Arena to login to. (Leave blank for public)");
    for (auto* b : {&cmdSavePass, &cmdSaveAuto, &cmdSaveChats, &cmdSaveArena})
        b->Caption.set("Save");
    cmdSavePass.ToolTipText.set("Save Password");
    cmdSaveAuto.ToolTipText.set("Save Auto");
    cmdSaveChats.ToolTipText.set("Save Chats");
    cmdSaveArena.ToolTipText.set("Save Arena");
    cmdConnect.Caption.set("Connect");
    cmdConnect.Enabled.set(false);
    cmdQuit.Caption.set("Quit");
    Command1.Caption.set("Log");

    // All timers are stopped when the window is created. They are made here, in this order, for
    // the ping timers too: timers due at the same moment fire in the order they were made.
    tmrHalter = env.timers.createTimer();
    tmrflash = env.timers.createTimer();
    tmrPing = env.timers.createTimer();
    tmrPing2 = env.timers.createTimer();
    tmrPing3 = env.timers.createTimer();
    tmrHalter->setInterval(3000);
    tmrPing->setInterval(800);
    tmrPing2->setInterval(200);
    tmrPing3->setInterval(2000);

    // The doors between the parts.
    lineToLog.connect([this](const std::string& line) { WriteChatLog(*this, line); });
    notWritten.connect([this] { postNotWritten(*this); });
    zoneListChanged.connect([this] { lstZones_GotFocus(*this); });
    fontChanged.connect([this] {
        txtOut.FontName.set(ChatFontName);
        txtOut.FontSize.set(ChatFontSize);
        txtOut.FontBold.set(false);
    });
}

}  // namespace orva
