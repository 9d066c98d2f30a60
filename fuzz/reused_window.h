// One main window for all inputs of a fuzz target: made and wired once, then brought back before
// every input to the state a fresh window starts in, as far as a run can have changed it. A new
// window per input (a temporary folder, every control, every timer) cost more than the input.
#pragma once

#include <string>

#include "app/connection.h"
#include "app/core_handlers.h"
#include "app/frm_main.h"
#include "app/transport.h"
#include "support/fakes.h"
#include "view/chat_lines.h"

namespace orva::fuzz {

class ReusedWindow {
  public:
    ReusedWindow() { wireCoreHandlers(w_.f()); }

    // The window, disconnected and emptied, with the fakes' records cleared.
    test::World& reset() {
        FrmMain& f = w_.f();
        w_.dialogs.duringBox = nullptr;  // the last input's may hold its locals
        if (transportOf(f).open) ConnectionClosed(f);
        f.sckClient->Close();
        Transport& t = transportOf(f);
        t.framer.reset();
        t.inbound.clear();
        t.connectWait->setEnabled(false);
        t.outgoing = {};
        t.sendWait->setEnabled(false);
        for (ITimer* timer : {f.tmrHalter.get(), f.tmrflash.get(), f.tmrPing.get(),
                              f.tmrPing2.get(), f.tmrPing3.get()})
            timer->setEnabled(false);

        f.LoggedIn = false;
        f.SelfName.clear();
        f.SelfFreq = 9999;
        f.ArenaName.clear();
        f.AutoCommandsSent = false;
        f.AwayMessage.clear();
        f.AwayRepliedTo.clear();
        f.SheepSoundPending = false;
        for (auto& name : f.RecentPrivateNames)
            name.clear();
        f.RecentPrivateIndex = 0;
        f.LastInputPrefix.clear();
        f.ShowKillMessages = f.ShowPublicMacros = f.showURLs = f.Muted = 0;
        f.NameWidth = 14;
        f.chatLog = {};
        f.roster = {};
        f.lstUsers.clearList();
        f.lstUsers.setCount("");
        ResetChatView(f);
        f.txtOut.Text.set("");
        f.txtOut.Locked.set(false);
        f.txtOut.ForeColor.set(rgb(0, 0, 0));
        f.frameMain.Visible.set(true);
        f.frmLogin.Visible.set(true);
        f.frmLog.lines.clear();
        f.frmLog.dropped = 0;

        w_.dialogs.calls.clear();
        w_.dialogs.answers.clear();
        w_.dialogs.inputs.clear();
        w_.tcp->sent.clear();
        w_.tcp->connects = w_.tcp->closes = 0;
        w_.udp->sent.clear();
        w_.sound.played.clear();
        w_.shell.opened.clear();
        return w_;
    }

  private:
    test::World w_;
};

}  // namespace orva::fuzz
