// The zone ping offscreen against three simulators: an answering zone, a silent one and another
// answering one; then "Ping Off".
#include <gtest/gtest.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <memory>
#include <string>

#include "core/frm_main.h"
#include "core/handlers.h"
#include "core/startup.h"
#include "e2e/recording_dialogs.h"
#include "platform/qt/main_window.h"
#include "platform/qt/qt_platform.h"
#include "zones/zone_list.h"
#include "zonesim.h"

namespace orva {
namespace {

std::unique_ptr<zonesim::Server> zone(int pingCount, bool silent) {
    zonesim::Options o;
    o.pingCount = pingCount;
    o.pingDelayMs = 30;
    o.pingSilent = silent;
    auto sim = std::make_unique<zonesim::Server>(o);
    return sim->start() ? std::move(sim) : nullptr;
}

TEST(PingE2E, RowsShowTimesCountsAndTimeOutsUntilPingOff) {
    auto answering = zone(7, false), silent = zone(0, true), other = zone(3, false);
    ASSERT_TRUE(answering && silent && other);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    std::ofstream(folder.filePath(QStringLiteral("zone.dat")).toStdString(), std::ios::binary)
        << "Answers,127.0.0.1," << answering->port() << "\r\nSilent,127.0.0.1," << silent->port()
        << "\r\nOther,localhost," << other->port() << "\r\n";
    // AutoPing: the ping starts with the program.
    std::ofstream(folder.filePath(QStringLiteral("Config.ini")).toStdString(), std::ios::binary)
        << "[Config]\r\nVersion=1.1\r\nAutoPing=1\r\n[User0]\r\nname=Tester\r\n";

    QtPlatform platform(folder.path().toStdString(), [] {});
    RecordingDialogs dialogs;
    Env env{dialogs,        platform.timers, platform.clock, platform.sound,
            platform.shell, platform.fonts,  platform.app};
    FrmMain f(env, std::make_unique<QtTcpClient>(), std::make_unique<QtUdpSocket>());
    ASSERT_TRUE(StartUp(f));
    MainWindow window(f);
    wireHandlers(f);
    ASSERT_TRUE(Form_Load(f));
    window.show();
    const QListWidget* rows = window.ui().lstZones;
    auto text = [&](int i) { return rows->item(i)->text(); };
    auto status = [&](int i) { return text(i).left(5) + "|" + text(i).right(5); };

    // A real round trip: a time of at least the simulator's delay, and the reported count.
    ASSERT_TRUE(zonesim::pumpUntil([&] { return !text(0).endsWith("????"); }, 5000));
    static const QRegularExpression kTime(QStringLiteral("^ *\\d+$"));
    EXPECT_TRUE(kTime.match(text(0).left(5)).hasMatch()) << text(0).toStdString();
    EXPECT_GE(text(0).left(5).trimmed().toInt(), 25);
    EXPECT_TRUE(text(0).endsWith(QStringLiteral("    7")));
    EXPECT_EQ(text(0).mid(6, 30), QString::fromStdString(FitText("Answers", 30)));

    // The silent zone is given up on only by the watchdog; then the cycle goes on to the next.
    ASSERT_TRUE(
        zonesim::pumpUntil([&] { return f.ping.PingCursor == 1 && f.ping.outstanding; }, 5000));
    QElapsedTimer waited;
    waited.start();
    ASSERT_TRUE(zonesim::pumpUntil([&] { return !text(1).endsWith("????"); }, 5000));
    EXPECT_GE(waited.elapsed(), 1500);
    EXPECT_EQ(status(1), QStringLiteral(" --- |    0"));
    ASSERT_TRUE(zonesim::pumpUntil([&] { return !text(2).endsWith("????"); }, 5000));
    EXPECT_TRUE(text(2).endsWith(QStringLiteral("    3")));

    QTest::mouseClick(window.ui().cmdPingOff, Qt::LeftButton);
    zonesim::pumpUntil([] { return false; }, 1500);  // replies and timers still on their way
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(status(i), QStringLiteral("     | ????")) << i;
    EXPECT_TRUE(window.ui().cmdPingOn->isEnabled());
    EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
}  // namespace orva
