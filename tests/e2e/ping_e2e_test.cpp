// The zone ping offscreen against the simulator: a real time and count, a time-out while the zone
// keeps silent, the next round, then "Ping Off".
#include <gtest/gtest.h>
#include <QElapsedTimer>

#include "e2e/client_world.h"

namespace orva {
namespace {

TEST(PingE2E, RowShowsTimeCountAndTimeOutUntilPingOff) {
    zonesim::Options o;
    o.pingCount = 7;
    o.pingDelayMs = 30;
    // AutoPing: the ping starts with the program.
    ClientWorld w(o, "[Config]\r\nVersion=1.1\r\nAutoPing=1\r\n[User0]\r\nname=Tester\r\n");
    ASSERT_TRUE(w.started);
    auto status = [&] {
        const QString row = w.ui().lstZones->item(0)->text();
        return row.left(5) + "|" + row.right(5);
    };
    auto until = [&](auto done) { return zonesim::pumpUntil(done, 5000); };

    ASSERT_TRUE(until([&] { return !status().endsWith("????"); }));
    EXPECT_GE(status().left(5).toInt(), 25) << status().toStdString();  // at least the delay
    EXPECT_TRUE(status().endsWith("|    7"));

    w.sim().options().pingSilent = true;
    ASSERT_TRUE(until([&] { return w.f().ping.outstanding.has_value(); }));
    QElapsedTimer waited;
    waited.start();
    ASSERT_TRUE(until([&] { return status() == " --- |    0"; }));
    EXPECT_GE(waited.elapsed(), 1500);
    w.sim().options().pingSilent = false;
    ASSERT_TRUE(until([&] { return status().endsWith("|    7"); }));

    QTest::mouseClick(w.ui().cmdPingOff, Qt::LeftButton);
    zonesim::pumpUntil([] { return false; }, 1200);  // replies and timers still on their way
    EXPECT_EQ(status(), "     | ????");
}

}  // namespace
}  // namespace orva
