// The real window against the zone simulator on 127.0.0.1: log in, enter the arena, keep the
// player list, show notices, answer NOOP, and cope with refused logins, closes and cut-up lines.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/frm_main.h"
#include "core/handlers.h"
#include "core/startup.h"
#include "e2e/recording_dialogs.h"
#include "platform/qt/chat_view_widget.h"
#include "platform/qt/main_window.h"
#include "platform/qt/qt_platform.h"
#include "zonesim.h"

namespace orva {
namespace {

using zonesim::pumpUntil;

// A program folder whose zone.dat names the simulator, the client started from it, the window.
class ClientWorld {
  public:
    explicit ClientWorld(zonesim::Options options, const std::string& config = {}) {
        options.port = 0;
        sim_ = std::make_unique<zonesim::Server>(std::move(options));
        started = sim_->start();
        write("zone.dat", "Local demo zone,127.0.0.1," + std::to_string(sim_->port()) + "\r\n");
        write("Config.ini",
              config.empty() ? "[Config]\r\nVersion=1.1\r\nKillMsgs=1\r\n[User0]\r\nname=Tester\r\n"
                             : config);
        form_ = std::make_unique<FrmMain>(env_, std::make_unique<QtTcpClient>(),
                                          std::make_unique<QtUdpSocket>());
        StartUp(*form_);
        window_ = std::make_unique<MainWindow>(*form_);
        wireHandlers(*form_);
        loaded = Form_Load(*form_);
        window_->show();
    }
    ~ClientWorld() {
        if (const char* stem = std::getenv("ORVA_SCREENSHOT"))
            window_->grab().save(QString::fromLocal8Bit(stem) + QStringLiteral("-chat.png"));
        form_->sckClient->Close();
    }

    FrmMain& f() { return *form_; }
    MainWindow& window() { return *window_; }
    zonesim::Server& sim() { return *sim_; }
    const MainWindow::Widgets& ui() const { return window_->ui(); }

    // Types the password and presses Connect, as a user would.
    void connectAs(const QString& password = QStringLiteral("secret")) {
        QTest::keyClicks(ui().txtPass, password);
        QTest::mouseClick(ui().cmdConnect, Qt::LeftButton);
    }
    bool inArena(int timeoutMs = 5000) {
        return pumpUntil([&] { return !f().ArenaName.empty() || !dialogs.shown.empty(); },
                         timeoutMs) &&
               !f().ArenaName.empty();
    }
    std::vector<std::string> list() const {
        std::vector<std::string> out;
        for (std::int16_t i = 0; i < form_->lstUsers.listCount(); ++i)
            out.push_back(form_->lstUsers.item(i));
        return out;
    }
    // The list entry the arena's PLAYER lines call for: own team when on our frequency.
    std::vector<std::string> expectedBots() {
        std::vector<std::string> out;
        for (const QByteArray& line : sim_->sent(sim_->findClient("Tester"))) {
            const auto fields = line.trimmed().split(':');
            if (fields.size() == 4 && fields[0] == "PLAYER")
                out.push_back((fields[3].toInt() == form_->SelfFreq ? "\\t" : "\\e") +
                              fields[1].toStdString());
        }
        return out;
    }
    bool listed(const std::string& entry) const {
        const auto l = list();
        return std::find(l.begin(), l.end(), entry) != l.end();
    }
    bool shows(const std::string& text) const {
        return form_->txtLog.Text().find(text) != std::string::npos;
    }
    bool waitShows(const std::string& text, int timeoutMs = 5000) {
        return pumpUntil([&] { return shows(text); }, timeoutMs);
    }

    RecordingDialogs dialogs;
    bool started = false;
    bool loaded = false;

  private:
    void write(const char* name, const std::string& bytes) {
        std::ofstream(folder_.filePath(QString::fromLatin1(name)).toStdString(), std::ios::binary)
            << bytes;
    }

    QTemporaryDir folder_;
    std::unique_ptr<zonesim::Server> sim_;
    std::unique_ptr<QtPlatform> platform_ =
        std::make_unique<QtPlatform>(folder_.path().toStdString(), [] {});
    Env env_{dialogs,          platform_->timers, platform_->clock, platform_->sound,
             platform_->shell, platform_->fonts,  platform_->app};
    std::unique_ptr<FrmMain> form_;
    std::unique_ptr<MainWindow> window_;
};

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

}  // namespace
}  // namespace orva
