#include "app/connection.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/core_fixture.h"

namespace orva::test {
namespace {

using Lines = std::vector<std::string>;

const std::string kConnectFailed =
    "Could not establish a connection with remote host; please try again later.\r\n\r\n"
    "If the zone was able to be pinged, and a result was given; you may be attempting to login "
    "to a subgame server.";

TEST(Connection, ConnectsAndLogsIn) {
    CoreWorld w;
    FrmMain& f = w.f();
    f.RecentPrivateNames[2] = "Bo";
    f.RecentPrivateIndex = 3;
    f.AwayMessage = "away";
    f.AutoCommandsSent = true;
    f.txtOut.Text.set("draft");
    f.LastInputPrefix = "/";
    f.lstUsers.AddItem("\\eOld");
    f.txtUser.Text.set(" Ann ");
    f.lstZones.ListIndex.set(1);
    f.menu_Zone[0]->Checked.set(true);

    Connect_It(f);
    EXPECT_EQ(w.tcp->host, "10.0.0.2");
    EXPECT_EQ(w.tcp->port, 6000);
    EXPECT_EQ(w.tcp->closes, 1);  // any old connection is dropped first
    EXPECT_EQ(w.tcp->connects, 1);
    EXPECT_EQ(f.SelfName, " Ann ");
    EXPECT_EQ(f.SelfFreq, 9999);
    EXPECT_FALSE(f.AutoCommandsSent);
    EXPECT_EQ(f.txtOut.Text.get(), "");
    EXPECT_EQ(f.txtOut.ForeColor.get(), rgb(189, 191, 191));
    EXPECT_EQ(f.LastInputPrefix, "");
    EXPECT_EQ(f.lstUsers.ItemCount, 0);
    EXPECT_EQ(f.lstUsers.caption(), "0 players.");
    EXPECT_FALSE(f.menu_Zone[0]->Checked.get());
    EXPECT_TRUE(w.tcp->sent.empty());

    w.tcp->remoteIp = "192.0.2.7";
    w.tcp->remotePort = 6000;
    w.tcp->acceptConnection();
    EXPECT_TRUE(f.menu_Zone[1]->Checked.get());
    EXPECT_TRUE(f.txtOut.Locked.get());
    EXPECT_FALSE(f.frameMain.Visible.get());
    EXPECT_FALSE(f.frmLogin.Visible.get());
    EXPECT_FALSE(f.menu_SetFont.Enabled.get());
    EXPECT_FALSE(f.menu_Connect.Enabled.get());
    EXPECT_FALSE(f.cmdConnect.Enabled.get());
    EXPECT_TRUE(f.menu_Disconnect.Enabled.get());
    EXPECT_EQ(w.trace(),
              (Lines{"Connection to 192.0.2.7 has been established.", "C2S Login Sequence."}));
    EXPECT_EQ(
        w.shown,
        (std::vector<Shown>{{ColorStatus, "Connection to 192.0.2.7:6000 has been established."}}));
    EXPECT_EQ(w.tcp->sent, "LOGIN:1;;ORVA 1.2, by Ostrelle: Ann :pw\n");
    EXPECT_EQ(f.tmrPing->interval(), 5000);
    EXPECT_EQ(f.AwayMessage, "");
    EXPECT_EQ(f.RecentPrivateNames[2], "");
    EXPECT_EQ(f.RecentPrivateIndex, 3);

    // The wait is over: no failure message later.
    w.clock.advance(20000);
    EXPECT_TRUE(w.dialogs.calls.empty());
}

TEST(Connection, KeepsTheInputColourOnceSet) {
    CoreWorld w;
    w.f().txtOut.ForeColor.set(rgb(255, 0, 0));
    w.f().LastInputPrefix = "/";
    Connect_It(w.f());
    EXPECT_EQ(w.f().txtOut.ForeColor.get(), rgb(255, 0, 0));
    EXPECT_EQ(w.f().LastInputPrefix, "/");
}

TEST(Connection, RefusesBadSelectionOrMissingLogin) {
    const struct {
        const char* name;
        int selected;
        std::string user, pass;
        std::string text, title;
        MsgIcon icon;
    } cases[] = {
        {"no selection", -1, "Ann", "pw", "Invalid Zone Selection", "hmmm", MsgIcon::Exclamation},
        {"one past the last zone", 2, "Ann", "pw", "Invalid Zone Selection", "hmmm",
         MsgIcon::Exclamation},
        {"far past", 9, "", "", "Invalid Zone Selection", "hmmm", MsgIcon::Exclamation},
        {"blank name", 0, "   ", "pw", "Please fill in a username and password.", "Missing Data",
         MsgIcon::Information},
        {"empty password", 1, "Ann", "", "Please fill in a username and password.", "Missing Data",
         MsgIcon::Information},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CoreWorld w;
        FrmMain& f = w.f();
        f.lstZones.ListIndex.set(c.selected);
        f.txtUser.Text.set(c.user);
        f.txtPass.Text.set(c.pass);
        f.txtOut.Text.set("draft");
        f.AutoCommandsSent = true;
        f.lstUsers.AddItem("\\eOld");
        SetLogFileName(f, "chat.txt");
        f.chatLog.LogIsOpen = 255;
        f.SelfName = "Before";
        Connect_It(f);
        ASSERT_EQ(w.dialogs.calls.size(), 1u);
        EXPECT_EQ(w.dialogs.calls[0].text, c.text);
        EXPECT_EQ(w.dialogs.calls[0].title, c.title);
        EXPECT_EQ(w.dialogs.calls[0].icon, c.icon);
        EXPECT_EQ(w.tcp->connects, 0);
        EXPECT_EQ(w.tcp->closes, 0);
        EXPECT_EQ(f.SelfName, "Before");
        // The clean-up before the test has run all the same.
        EXPECT_EQ(f.txtOut.Text.get(), "");
        EXPECT_FALSE(f.AutoCommandsSent);
        EXPECT_EQ(f.lstUsers.ItemCount, 0);
        EXPECT_EQ(f.chatLog.LogIsOpen, 255);
        w.clock.advance(20000);
        EXPECT_EQ(w.dialogs.calls.size(), 1u);  // no wait was started
    }
}

TEST(Connection, TimesOutAfterTenSeconds) {
    const struct {
        const char* name;
        std::function<void(CoreWorld&)> during;
        bool closedTraced;
    } cases[] = {
        {"no answer", [](CoreWorld&) {}, false},
        {"refused", [](CoreWorld& w) { w.tcp->fail(); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CoreWorld w;
        Connect_It(w.f());
        w.clock.advance(100);
        c.during(w);
        w.clock.advance(9899);
        EXPECT_TRUE(w.dialogs.calls.empty());
        EXPECT_EQ(w.traced("Connection closed."), c.closedTraced);
        const int closes = w.tcp->closes;
        w.clock.advance(1);
        ASSERT_EQ(w.dialogs.calls.size(), 1u);
        EXPECT_EQ(w.dialogs.calls[0].text, kConnectFailed);
        EXPECT_EQ(w.dialogs.calls[0].title, "Connection Failed");
        EXPECT_EQ(w.dialogs.calls[0].icon, MsgIcon::Information);
        EXPECT_EQ(w.tcp->closes, closes + 1);
        w.clock.advance(60000);
        EXPECT_EQ(w.dialogs.calls.size(), 1u);  // nothing is retried
    }
}

TEST(Connection, ConnectingAgainRestartsTheWait) {
    CoreWorld w;
    Connect_It(w.f());
    w.clock.advance(5000);
    Connect_It(w.f());
    w.clock.advance(9999);
    EXPECT_TRUE(w.dialogs.calls.empty());
    w.clock.advance(1);
    EXPECT_EQ(w.dialogs.calls.size(), 1u);
}

TEST(Connection, ReturnsToDisconnected) {
    const struct {
        const char* name;
        std::function<void(CoreWorld&)> end;
        int closes;              // socket closes by the handling
        bool closedBeforeTrace;  // Close ran before ConnectionClosed
    } cases[] = {
        {"server closes", [](CoreWorld& w) { w.tcp->peerClose(); }, 1, false},
        {"socket error", [](CoreWorld& w) { w.tcp->fail(); }, 2, true},
        {"Disconnect", [](CoreWorld& w) { w.f().menu_Disconnect.clicked.emit(); }, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CoreWorld w;
        FrmMain& f = w.f();
        w.enterArena(100);
        w.tcp->deliver("PLAYER:Bo:1:100\n");
        SetLogFileName(f, "chat.txt");
        f.chatLog.LogIsOpen = 255;
        f.AwayMessage = "brb";
        f.RecentPrivateNames[0] = "Bo";
        f.RecentPrivateIndex = 2;
        w.clearRecords();
        bool closedAtTrace = false;
        f.frmLog.lineAdded.connect(
            [&](const std::string&) { closedAtTrace = w.tcp->state == sckClosed; });
        const int closes = w.tcp->closes;

        c.end(w);
        EXPECT_EQ(w.tcp->closes - closes, c.closes);
        EXPECT_EQ(w.tcp->state, sckClosed);
        EXPECT_EQ(w.trace(), Lines{"Connection closed."});
        EXPECT_EQ(closedAtTrace, c.closedBeforeTrace);
        EXPECT_FALSE(f.LoggedIn);
        EXPECT_TRUE(f.frameMain.Visible.get());
        EXPECT_TRUE(f.frmLogin.Visible.get());
        EXPECT_FALSE(f.menu_Disconnect.Enabled.get());
        EXPECT_TRUE(f.menu_SetFont.Enabled.get());
        EXPECT_EQ(f.tmrPing->interval(), 800);
        EXPECT_EQ(f.AwayMessage, "");
        EXPECT_EQ(f.RecentPrivateNames[0], "");
        EXPECT_EQ(f.RecentPrivateIndex, 0);
        EXPECT_EQ(f.roster.PlayerCount, 0);
        EXPECT_EQ(f.lstUsers.ItemCount, 0);
        EXPECT_EQ(f.lstUsers.caption(), "2 players.");  // kept until the next attempt
        EXPECT_EQ(f.chatLog.LogIsOpen, 0);
        EXPECT_TRUE(w.dialogs.calls.empty());

        // Connect comes back 3000 ms later, not before.
        EXPECT_FALSE(f.cmdConnect.Enabled.get());
        w.clock.advance(2999);
        EXPECT_FALSE(f.cmdConnect.Enabled.get());
        EXPECT_FALSE(f.menu_Connect.Enabled.get());
        w.clock.advance(1);
        EXPECT_TRUE(f.cmdConnect.Enabled.get());
        EXPECT_TRUE(f.menu_Connect.Enabled.get());
        EXPECT_FALSE(f.tmrHalter->enabled());
    }
}

TEST(Connection, ConnectButtonAndMenuItemConnect) {
    for (auto click : {+[](FrmMain& f) { f.cmdConnect.clicked.emit(); },
                       +[](FrmMain& f) { f.menu_Connect.clicked.emit(); }}) {
        CoreWorld w;
        click(w.f());
        EXPECT_EQ(w.tcp->connects, 1);
        EXPECT_EQ(w.tcp->host, "10.0.0.1");
    }
}

TEST(Connection, SendLine) {
    const struct {
        bool connected;
        std::string line;
        std::string wire;
        Lines trace;
    } cases[] = {
        {true, "SEND:PUB:hi there", "SEND:PUB:hi there\n", {"C2S SEND:PUB:hi there"}},
        {true, "LOGIN:1;x:Ann:secret", "LOGIN:1;x:Ann:secret\n", {"C2S Login Sequence."}},
        {true, "LOGINX", "LOGINX\n", {"C2S Login Sequence."}},
        {true, "login:1:Ann:secret", "login:1:Ann:secret\n", {"C2S login:1:Ann:secret"}},
        {true, " ", " \n", {"C2S  "}},
        {true, "", "", {}},
        {false, "SEND:PUB:hi", "", {}},
        // A line break inside never makes a second protocol line.
        {true, "SEND:PUB:a\nGO:x", "SEND:PUB:a\n", {"C2S SEND:PUB:a"}},
        {true, "SEND:PUB:a\r\nb", "SEND:PUB:a\n", {"C2S SEND:PUB:a"}},
        {true, "\rSEND:PUB:a", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        CoreWorld w;
        if (c.connected) w.connect();
        w.clearRecords();
        SendLine(w.f(), c.line);
        EXPECT_EQ(w.tcp->sent, c.wire);
        EXPECT_EQ(w.trace(), c.trace);
    }
}

TEST(Connection, StripLineEnd) {
    const struct {
        std::string in, out;
    } cases[] = {
        {"abc\r\n", "abc"}, {"abc\n\r\n\r", "abc"}, {"\r\n\r", ""}, {"", ""},
        {"a\rb\n", "a\rb"}, {"abc \n", "abc "},     {"abc", "abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StripLineEnd(c.in), c.out);
}

// Lines arriving while a line's handling waits on a box are handled after it, in order.
TEST(InboundQueue, LinesWaitForTheLineInHand) {
    CoreWorld w;
    w.enterArena(100);
    w.clearRecords();
    Lines sentDuringBox;
    int rosterDuringBox = -1;
    bool delivered = false;
    w.dialogs.duringBox = [&] {
        if (std::exchange(delivered, true)) return;
        w.tcp->deliver("PLAYER:Dee:1:1\nNO");
        w.tcp->deliver("OP\n");
        sentDuringBox = w.sentLines();
        rosterDuringBox = w.f().roster.PlayerCount;
    };
    w.tcp->deliver("SHIPFREQCHANGE:Nobody:1:1\nNOOP\n");
    EXPECT_TRUE(sentDuringBox.empty());
    EXPECT_EQ(rosterDuringBox, 1);
    EXPECT_EQ(w.trace(), (Lines{"S2C SHIPFREQCHANGE:Nobody:1:1", "S2C NOOP", "C2S NOOP",
                                "S2C PLAYER:Dee:1:1", "S2C NOOP", "C2S NOOP"}));
    EXPECT_EQ(w.f().roster.PlayerCount, 2);
}

TEST(InboundQueue, DrainsAFloodInSlices) {
    CoreWorld w;
    w.enterArena(100);
    Transport& t = transportOf(w.f());
    t.inbound.setSliceLimits(100, 5);
    w.clearRecords();
    std::string flood;
    for (int i = 0; i < 1000; ++i)
        flood += "PLAYER:P" + std::to_string(i) + ":8:1\n";
    w.tcp->deliver(flood);
    EXPECT_EQ(w.f().roster.PlayerCount, 101);
    EXPECT_TRUE(t.inbound.continuationPending());
    w.clock.advance(0);  // one turn of the event loop
    EXPECT_EQ(w.f().roster.PlayerCount, 201);
    w.tcp->deliver("NOOP\n");  // joins the end of the queue; the slice due next turn takes it on
    EXPECT_EQ(w.f().roster.PlayerCount, 201);
    EXPECT_TRUE(w.sentLines().empty());
    w.settle();
    EXPECT_FALSE(t.inbound.continuationPending());
    EXPECT_EQ(w.f().roster.PlayerCount, 1001);
    EXPECT_EQ(w.f().roster.records[1000].Name, "P999");
    EXPECT_EQ(w.sentLines(), Lines{"NOOP"});
    EXPECT_EQ(w.trace().back(), "C2S NOOP");
}

TEST(InboundQueue, DefaultSlicesNeverTakeAHundredThousandLinesAtOnce) {
    CoreWorld w;
    w.enterArena(100);
    w.clearRecords();
    std::string flood;
    for (int i = 0; i < 100000; ++i)
        flood += "NOOP\n";
    w.tcp->deliver(flood);
    const size_t first = w.sentLines().size();
    EXPECT_GT(first, 0u);
    EXPECT_LT(first, 100000u);
    w.settle();
    EXPECT_EQ(w.sentLines().size(), 100000u);
}

TEST(InboundQueue, ANewConnectionDropsTheOldOnesLines) {
    CoreWorld w;
    w.enterArena(100);
    transportOf(w.f()).inbound.setSliceLimits(1, 5);
    w.clearRecords();
    w.tcp->deliver("NOOP\nPLAYER:Old:1:1\nPLAY");
    EXPECT_EQ(w.sentLines(), Lines{"NOOP"});
    w.connect();
    w.tcp->deliver("LOGINOK:Ann\n");
    w.settle();
    EXPECT_EQ(w.sentLines(), (Lines{"NOOP", "LOGIN:1;;ORVA 1.2, by Ostrelle:Ann:pw", "GO:"}));
    EXPECT_FALSE(w.traced("S2C PLAYER:Old:1:1"));
    EXPECT_TRUE(w.f().LoggedIn);
}

TEST(InboundQueue, OverlongLineIsTracedAndReadingGoesOn) {
    CoreWorld w;
    w.enterArena(100);
    w.clearRecords();
    const std::string junk = "MSG:PUB:X:" + std::string(70000, 'z');
    w.tcp->deliver(junk.substr(0, 30000));
    w.tcp->deliver(junk.substr(30000, 40000));  // past the bound, no line end yet
    w.tcp->deliver(junk.substr(70000) + "\nNOOP\n");
    EXPECT_EQ(w.trace(),
              (Lines{"Unhandled S2C Protocol: " + junk.substr(0, 512), "S2C NOOP", "C2S NOOP"}));
}

}  // namespace
}  // namespace orva::test
