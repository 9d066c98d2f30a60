#include "app/reconnect.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/hop_server.h"
#include "app/outgoing.h"
#include "app/startup.h"
#include "app/switches.h"
#include "config/settings.h"
#include "support/core_fixture.h"

namespace orva::test {
namespace {

constexpr int kJitter = 400;

struct ReconnectWorld : CoreWorld {
    ReconnectWorld() {
        wireFoundationHandlers(f());
        wireReconnect(f());
        f().AutoReconnect = 1;
        reconnectOf(f()).jitter = [] { return kJitter; };
    }
    std::string lastText() const { return shown.empty() ? "" : shown.back().text; }
    // Lets the wait of `seconds` run out; true when a new connection was started just then.
    bool reconnectsAfter(int seconds) {
        const int before = tcp->connects;
        clock.advance(static_cast<std::uint64_t>(seconds) * 1000 + kJitter - 1);
        if (tcp->connects != before) return false;
        clock.advance(1);
        return tcp->connects == before + 1;
    }
    // The server takes the connection under way into the arena.
    void land() {
        tcp->acceptConnection();
        tcp->deliver("LOGINOK:Ann\nINARENA:0:8025\n");
    }
    void say(const std::string& typed) {
        std::string line = typed;
        HandleOutgoing(f(), line, 0);
    }
};

TEST(Reconnect, WaitsDoubleToFiveMinutesAndStartOverAfterAMinuteInTheArena) {
    for (const auto& [step, jitter, ms] : {std::tuple{0, 0, 5000},
                                           {1, 0, 10000},
                                           {2, 0, 20000},
                                           {5, 0, 160000},
                                           {6, 0, 300000},
                                           {40, 0, 300000},
                                           {0, 1000, 6000},
                                           {6, 1000, 301000}})
        EXPECT_EQ(reconnectWaitMs(step, jitter), ms) << step << " " << jitter;

    CoreWorld fresh;
    for (int i = 0; i < 200; ++i) {
        const int jitter = reconnectOf(fresh.f()).jitter();
        ASSERT_GE(jitter, 0);
        ASSERT_LE(jitter, kReconnectJitterMs);
    }

    ReconnectWorld w;
    FrmMain& f = w.f();
    w.enterArena();
    w.tcp->peerClose();
    EXPECT_TRUE(f.menu_Disconnect.Enabled.get());
    // Refused attempts: each failure is a status line, never a box, and the next wait doubles.
    for (const int seconds : {5, 10, 20, 40, 80, 160, 300, 300}) {
        SCOPED_TRACE(seconds);
        EXPECT_EQ(w.lastText(), "Reconnecting in " + std::to_string(seconds) + " seconds...");
        ASSERT_TRUE(w.reconnectsAfter(seconds));
        EXPECT_EQ(w.tcp->host, "10.0.0.1");
        w.tcp->fail();
        EXPECT_EQ(w.shown[w.shown.size() - 2].text,
                  "Could not establish a connection with remote host; please try again later. If "
                  "the zone was able to be pinged, and a result was given; you may be attempting "
                  "to login to a subgame server.");
    }
    EXPECT_TRUE(w.dialogs.calls.empty());

    // An attempt that gets in with the same name and password; lost within a minute in the arena,
    // the series goes on; after a minute it starts over.
    f.txtUser.Text.set("Someone else");
    ASSERT_TRUE(w.reconnectsAfter(300));
    w.tcp->sent.clear();
    w.land();
    EXPECT_EQ(w.sentLines().at(0), "LOGIN:1;;ORVA 1.2, by Ostrelle:Ann:pw");
    w.clock.advance(59999);
    w.tcp->peerClose();
    EXPECT_EQ(w.lastText(), "Reconnecting in 300 seconds...");
    ASSERT_TRUE(w.reconnectsAfter(300));
    w.land();
    w.clock.advance(60000);
    w.tcp->fail();
    EXPECT_EQ(w.lastText(), "Reconnecting in 5 seconds...");
    EXPECT_TRUE(w.dialogs.calls.empty());
}

TEST(Reconnect, NeverAfterTheUserOrARefusedLoginEndsItAndCalledOffByTheUser) {
    struct Case {
        const char* name;
        std::function<void(ReconnectWorld&)> end;  // from the arena
        int connects;                              // connects started by `end`
        bool inArena = true;                       // else logging in
    } cases[] = {
        {"switch off",
         [](ReconnectWorld& w) {
             w.f().AutoReconnect = 0;
             w.tcp->peerClose();
         },
         0},
        {"Disconnect", [](ReconnectWorld& w) { menu_Disconnect_Click(w.f()); }, 0},
        {"?quit", [](ReconnectWorld& w) { w.say("?quit"); }, 0},
        {"?reconnect", [](ReconnectWorld& w) { w.say("?reconnect"); }, 1},
        {"hop", [](ReconnectWorld& w) { HopServer(w.f(), 2); }, 1},
        {"LOGINBAD, then close",
         [](ReconnectWorld& w) {
             w.tcp->deliver("LOGINBAD:Bad password\n");
             w.tcp->peerClose();
         },
         0, false},
        {"close, then LOGINBAD",
         [](ReconnectWorld& w) {
             w.tcp->peerClose();
             w.tcp->deliver("LOGINBAD:Bad password\n");
         },
         0, false},
        {"the user's own attempt refused",
         [](ReconnectWorld& w) {
             Connect_It(w.f());
             w.tcp->fail();
         },
         1},
        // A pending reconnect is called off.
        {"lost, then Connect",
         [](ReconnectWorld& w) {
             w.tcp->peerClose();
             cmdConnect_Click(w.f());
         },
         1},
        {"lost, then Disconnect",
         [](ReconnectWorld& w) {
             w.tcp->peerClose();
             menu_Disconnect_Click(w.f());
             EXPECT_FALSE(w.f().menu_Disconnect.Enabled.get());
         },
         0},
        {"lost, then another zone",
         [](ReconnectWorld& w) {
             w.tcp->peerClose();
             w.f().lstZones.ListIndex.set(1);
         },
         0},
        {"lost, then a hop",
         [](ReconnectWorld& w) {
             w.tcp->peerClose();
             HopServer(w.f(), 2);
         },
         1},
        {"lost, then the switch turned off",
         [](ReconnectWorld& w) {
             w.tcp->peerClose();
             w.f().menu_AutoReconnect.clicked.emit();
             EXPECT_EQ(ReadSetting("Config", "AutoReconnect", w.f().ConfigPath), "0");
         },
         0},
        {"lost, then the program closes",
         [](ReconnectWorld& w) {
             w.tcp->peerClose();
             Form_QueryUnload(w.f());
         },
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReconnectWorld w;
        if (c.inArena)
            w.enterArena();
        else
            w.connect();
        const int before = w.tcp->connects;
        c.end(w);
        w.clock.advance(600000);
        EXPECT_EQ(w.tcp->connects, before + c.connects);
    }
}

}  // namespace
}  // namespace orva::test
