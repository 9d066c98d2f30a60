// The real window against the zone simulator on 127.0.0.1: log in, enter the arena, keep the
// player list, show notices, answer NOOP, and cope with refused logins, closes and cut-up lines.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "app/handlers.h"
#include "app/startup.h"
#include "app/transport.h"
#include "e2e/client_world.h"
#include "e2e/recording_dialogs.h"
#include "qt/chat_view_widget.h"
#include "qt/lst_box_widget.h"
#include "qt/main_window.h"
#include "qt/qt_platform.h"
#include "zonesim.h"

namespace orva {
namespace {

using zonesim::pumpUntil;

zonesim::Options withBots(int bots) {
    zonesim::Options o;
    o.bots = bots;
    o.seed = 7;
    return o;
}

TEST(ConnectionE2E, LogsInEntersTheArenaAndListsThePlayers) {
    ClientWorld w(withBots(3));
    ASSERT_TRUE(w.started && w.loaded);
    w.connectAs();
    ASSERT_TRUE(w.inArena());

    // The login line, byte for byte, then "GO:" for the public arena.
    ASSERT_TRUE(w.sim().waitReceived(1, "GO:"));
    EXPECT_TRUE(
        w.sim().receivedBytes(1).startsWith("LOGIN:1;;ORVA 1.2, by Ostrelle:Tester:secret\nGO:\n"));
    EXPECT_EQ(w.f().ArenaName, "0");
    EXPECT_EQ(w.f().SelfFreq, 8025);

    // Players on our frequency in the own-team code, the others in the other-team code.
    ASSERT_TRUE(pumpUntil([&] { return w.list().size() == 4; }, 5000));
    EXPECT_TRUE(w.listed("\\tTester"));
    const auto bots = w.expectedBots();
    EXPECT_EQ(bots.size(), 3u);
    for (const auto& entry : bots)
        EXPECT_TRUE(w.listed(entry)) << entry;
    EXPECT_EQ(w.f().lstUsers.caption(), "4 players.");

    // Each row is drawn in its team colour: gold for our frequency, grey for the others.
    const QImage img = w.ui().lstUsers->listArea()->grab().toImage();
    const int h = w.f().lstUsers.CharHeight;
    for (std::int16_t i = 0; i < w.f().lstUsers.listCount(); ++i) {
        const std::string& entry = w.f().lstUsers.item(i);
        const QColor want = entry.starts_with("\\t") ? QColor(255, 223, 0) : QColor(189, 191, 191);
        bool drawn = false;
        for (int y = i * h; y < (i + 1) * h && y < img.height(); ++y)
            for (int x = 10; x < img.width() - 20; ++x)
                drawn = drawn || img.pixelColor(x, y) == want;
        EXPECT_TRUE(drawn) << entry;
    }

    // The chat parts replace the login panels.
    EXPECT_FALSE(w.ui().frameMain->isVisible());
    EXPECT_FALSE(w.ui().frmLogin->isVisible());
    EXPECT_TRUE(w.ui().txtLog->isVisible());
    EXPECT_FALSE(w.ui().cmdConnect->isEnabled());
    EXPECT_TRUE(w.shows("You are now in arena '0'."));
    EXPECT_TRUE(w.dialogs.shown.empty());
}

TEST(ConnectionE2E, ArenaLifeEntersLeavesChangesTeamsKillsAndNoop) {
    ClientWorld w(withBots(0));
    w.connectAs();
    ASSERT_TRUE(w.inArena());
    const int me = w.sim().findClient("Tester");
    ASSERT_GT(me, 0);

    // A second player comes and goes.
    w.sim().sendLine(me, "ENTERING:Ann:8:100");
    ASSERT_TRUE(w.waitShows("Player 'Ann' just entered arena."));
    EXPECT_TRUE(w.listed("\\eAnn"));
    EXPECT_EQ(w.f().lstUsers.caption(), "2 players.");

    // Our own move to Ann's frequency re-marks her as own team.
    w.sim().sendLine(me, "SHIPFREQCHANGE:Tester:8:100");
    ASSERT_TRUE(pumpUntil([&] { return w.listed("\\tAnn"); }, 5000));
    EXPECT_EQ(w.f().SelfFreq, 100);
    EXPECT_TRUE(w.listed("\\tTester"));

    // Kill notices show while "Kill Messages" is on; they are pink (colour 7).
    w.sim().sendLine(me, "KILL:Ann:Bo:5:2");
    ASSERT_TRUE(w.waitShows("Bo(5:2) killed by Ann."));
    EXPECT_NE(w.f().txtLog.TextRTF().find("\\cf7 Bo(5:2) killed by Ann."), std::string::npos);

    // NOOP is answered.
    w.sim().sendLine(me, "NOOP");
    EXPECT_TRUE(w.sim().waitReceived(me, "NOOP"));

    w.sim().sendLine(me, "LEAVING:Ann");
    ASSERT_TRUE(w.waitShows("Player 'Ann' just left the arena."));
    EXPECT_FALSE(w.listed("\\tAnn"));
    EXPECT_EQ(w.f().lstUsers.caption(), "1 players.");
    EXPECT_TRUE(w.dialogs.shown.empty());
}

TEST(ConnectionE2E, RefusedLoginShowsTheReasonAndDisconnects) {
    zonesim::Options o;
    o.refuse.insert("tester", "incorrect password");
    ClientWorld w(o);
    w.connectAs();
    ASSERT_TRUE(pumpUntil([&] { return !w.dialogs.shown.empty(); }, 5000));
    EXPECT_EQ(w.dialogs.shown[0],
              "Login Failed: Invalid Log:\r\nServer Returned: incorrect password");
    EXPECT_FALSE(w.f().LoggedIn);
    EXPECT_TRUE(w.ui().frmLogin->isVisible());
    EXPECT_NE(w.f().sckClient->State(), sckConnected);
}

TEST(ConnectionE2E, ServerCloseReturnsToTheLoginAndConnectComesBackAfterThreeSeconds) {
    ClientWorld w(withBots(1));
    w.connectAs();
    ASSERT_TRUE(w.inArena());
    w.sim().closeClient(w.sim().findClient("Tester"));
    ASSERT_TRUE(pumpUntil([&] { return w.ui().frmLogin->isVisible(); }, 5000));
    EXPECT_FALSE(w.ui().cmdConnect->isEnabled());
    EXPECT_EQ(w.f().lstUsers.listCount(), 0);
    EXPECT_FALSE(w.window().action(w.f().menu_Disconnect)->isEnabled());
    // Held for 3000 ms, then Connect is offered again.
    EXPECT_FALSE(pumpUntil([&] { return w.ui().cmdConnect->isEnabled(); }, 2500));
    EXPECT_TRUE(pumpUntil([&] { return w.ui().cmdConnect->isEnabled(); }, 2000));

    // And it connects again.
    QTest::mouseClick(w.ui().cmdConnect, Qt::LeftButton);
    EXPECT_TRUE(pumpUntil([&] { return w.f().ArenaName == "0" && w.f().LoggedIn; }, 5000));
}

// Lines cut at random byte boundaries or dripped one byte at a time arrive whole and in order.
TEST(ConnectionE2E, SplitAndDrippedLinesArriveWhole) {
    for (const auto mode : {zonesim::Mode::Split, zonesim::Mode::Drip}) {
        SCOPED_TRACE(mode == zonesim::Mode::Split ? "split" : "drip");
        zonesim::Options o = withBots(12);
        o.mode = mode;
        ClientWorld w(o);
        w.connectAs();
        ASSERT_TRUE(w.inArena(15000));
        ASSERT_TRUE(pumpUntil([&] { return w.list().size() == 13; }, 15000));
        for (const auto& entry : w.expectedBots())
            EXPECT_TRUE(w.listed(entry)) << entry;
        const int me = w.sim().findClient("Tester");
        w.sim().sendLine(me, "ENTERING:Zed:8:1");
        EXPECT_TRUE(w.waitShows("Player 'Zed' just entered arena.", 15000));
        EXPECT_TRUE(w.dialogs.shown.empty());
    }
}

// Garbage, binary bytes and an over-long line never stop the client from handling what follows.
TEST(ConnectionE2E, GarbageIsTracedAndTheNextLinesAreHandled) {
    zonesim::Options o = withBots(2);
    o.mode = zonesim::Mode::Garbage;
    ClientWorld w(o);
    w.connectAs();
    ASSERT_TRUE(w.inArena());
    const int me = w.sim().findClient("Tester");
    ASSERT_TRUE(pumpUntil([&] { return w.sim().sent(me).size() > 10; }, 5000));
    QTest::qWait(300);
    w.sim().sendLine(me, "ENTERING:After:8:1");
    EXPECT_TRUE(w.waitShows("Player 'After' just entered arena."));
    bool overlong = false;
    for (const auto& line : w.f().frmLog.lines)
        overlong |= line.find("Unhandled S2C Protocol: ") != std::string::npos;
    EXPECT_TRUE(overlong);
}

// What a test saw while a real modal box was open, and the box itself.
struct BoxVisit {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    std::vector<std::string> traceWhileOpen;  // at the moment the box was closed
    std::size_t queuedWhileOpen = 0;          // received lines waiting in the queue
    bool timersFired = false;                 // tmrHalter and the connect wait ran meanwhile
};

// Watches for the first modal box; once it is up, runs `whileOpen` (inside the box's own event
// loop), lets the loop turn for `openMs`, records what it sees and presses OK.
class BoxCloser {
  public:
    BoxCloser(int openMs, std::function<void()> whileOpen, std::function<void(BoxVisit&)> check)
        : openMs_(openMs), whileOpen_(std::move(whileOpen)), check_(std::move(check)) {
        QObject::connect(&poll_, &QTimer::timeout, [this] { step(); });
        poll_.start(5);
    }
    bool closed() const { return closed_; }
    BoxVisit visit;

  private:
    void step() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || closed_) return;
        if (!opened_.isValid()) {
            opened_.start();
            visit.title = box->windowTitle();
            visit.text = box->text();
            visit.icon = box->icon();
            whileOpen_();
            return;
        }
        if (!opened_.hasExpired(openMs_)) return;
        check_(visit);
        closed_ = true;
        poll_.stop();
        box->button(QMessageBox::Ok)->click();
    }

    int openMs_;
    std::function<void()> whileOpen_;
    std::function<void(BoxVisit&)> check_;
    QTimer poll_;
    QElapsedTimer opened_;
    bool closed_ = false;
};

// A real box runs a nested event loop. Lines that arrive while a line's handling waits on it stay
// queued, and the timers that fire meanwhile (tmrHalter, the connect wait, the queue's own next
// turn) handle none of them; after the box they are handled in order.
TEST(ConnectionE2E, LinesWaitWhileAPlayerSyncBoxIsOpen) {
    ClientWorld w(withBots(0), {}, true);
    w.connectAs();
    ASSERT_TRUE(w.inArena());
    const int me = w.sim().findClient("Tester");
    FrmMain& f = w.f();

    BoxCloser closer(
        400,
        [&] {
            // More lines arrive, in another block, while the box is open.
            w.sim().sendLine(me, "ENTERING:Bo:8:1");
            w.sim().sendLine(me, "NOOP");
            f.tmrHalter->setInterval(20);
            f.tmrHalter->setEnabled(true);
            transportOf(f).connectWait->setInterval(20);
            transportOf(f).connectWait->setEnabled(true);
        },
        [&](BoxVisit& v) {
            v.traceWhileOpen = w.trace();
            v.queuedWhileOpen = transportOf(f).inbound.size();
            v.timersFired = !f.tmrHalter->enabled() && !transportOf(f).connectWait->enabled();
        });
    w.sim().sendLine(me, "SHIPFREQCHANGE:Nobody:8:1\nENTERING:Ann:8:1");
    ASSERT_TRUE(pumpUntil([&] { return closer.closed() && w.listed("\\eBo"); }, 10000));
    ASSERT_TRUE(w.sim().waitReceived(me, "NOOP"));

    const BoxVisit& v = closer.visit;
    EXPECT_EQ(v.title, QStringLiteral("Player Sync Failed"));
    EXPECT_EQ(v.text, QStringLiteral("Player not found in player list.\n\nPlease re-connect. (2)"));
    EXPECT_EQ(v.icon, QMessageBox::Critical);
    EXPECT_TRUE(v.timersFired);
    EXPECT_EQ(v.queuedWhileOpen, 3u);  // Ann from the first block, Bo and NOOP from the second
    EXPECT_EQ(v.traceWhileOpen.back(), "S2C SHIPFREQCHANGE:Nobody:8:1");

    // Afterwards, in arrival order.
    const auto t = w.trace();
    const auto from = std::find(t.begin(), t.end(), "S2C SHIPFREQCHANGE:Nobody:8:1");
    ASSERT_NE(from, t.end());
    EXPECT_EQ(std::vector<std::string>(from, std::min(from + 5, t.end())),
              (std::vector<std::string>{"S2C SHIPFREQCHANGE:Nobody:8:1", "S2C ENTERING:Ann:8:1",
                                        "S2C ENTERING:Bo:8:1", "S2C NOOP", "C2S NOOP"}));
    EXPECT_TRUE(w.listed("\\eAnn"));
    EXPECT_EQ(f.lstUsers.caption(), "3 players.");
}

TEST(ConnectionE2E, LinesAfterARefusalWaitWhileTheLoginFailedBoxIsOpen) {
    zonesim::Options o;
    o.refuse.insert("tester", "banned");
    ClientWorld w(o, {}, true);
    // The server has more to say right behind the refusal.
    QObject::connect(&w.sim(), &zonesim::Server::lineSent, [&](int id, const QByteArray& line) {
        if (line.startsWith("LOGINBAD")) w.sim().sendLine(id, "NOOP\nMSG:PUB:Bo:hi");
    });
    BoxCloser closer(
        300, [] {},
        [&](BoxVisit& v) {
            v.traceWhileOpen = w.trace();
            v.queuedWhileOpen = transportOf(w.f()).inbound.size();
        });
    w.connectAs();
    ASSERT_TRUE(pumpUntil([&] { return closer.closed() && w.traced("S2C MSG:PUB:Bo:hi"); }, 10000));

    const BoxVisit& v = closer.visit;
    EXPECT_EQ(v.title, QStringLiteral("Login Failed"));
    EXPECT_EQ(v.text, QStringLiteral("Invalid Log:\nServer Returned: banned"));
    EXPECT_EQ(v.icon, QMessageBox::Information);
    EXPECT_EQ(v.queuedWhileOpen, 2u);
    // The connection was closed before the box, and nothing else ran while it was open.
    ASSERT_GE(v.traceWhileOpen.size(), 2u);
    EXPECT_EQ(v.traceWhileOpen[v.traceWhileOpen.size() - 2], "S2C LOGINBAD:banned");
    EXPECT_EQ(v.traceWhileOpen.back(), "Connection closed.");

    const auto t = w.trace();
    const auto from = std::find(t.begin(), t.end(), "Connection closed.");
    ASSERT_NE(from, t.end());
    EXPECT_EQ(
        std::vector<std::string>(from, std::min(from + 5, t.end())),
        (std::vector<std::string>{"Connection closed.", "S2C NOOP", "Unhandled AUTH Command: NOOP",
                                  "S2C MSG:PUB:Bo:hi", "Unhandled AUTH Command: MSG:PUB:Bo:hi"}));
    EXPECT_TRUE(w.ui().frmLogin->isVisible());
}

}  // namespace
}  // namespace orva
