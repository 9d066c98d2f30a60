// The real window against the zone simulator: lines pasted into the input line, and the
// automatic reconnect after the server closed the connection.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTest>

#include "app/frm_main.h"
#include "e2e/client_world.h"
#include "zonesim.h"

namespace orva {
namespace {

using zonesim::pumpUntil;

TEST(PasteE2E, CtrlVWithThreeLinesSendsEachInOrderAndKeepsTheInput) {
    ClientWorld w(zonesim::Options{});
    ASSERT_TRUE(w.started && w.loaded);
    ASSERT_TRUE(w.enterArena());
    QTest::keyClicks(w.ui().txtOut, QStringLiteral("draft"));
    QGuiApplication::clipboard()->setText(QStringLiteral("first line\r\nsecond line\n'third\n"));
    QTest::keyClick(w.ui().txtOut, Qt::Key_V, Qt::ControlModifier);

    ASSERT_FALSE(w.dialogs.shown.empty());
    EXPECT_EQ(w.dialogs.shown.back(), "Paste: Send 3 lines?");
    const QList<QByteArray> expected{"SEND:PUB:first line", "SEND:PUB:second line",
                                     "SEND:FREQ:" + QByteArray::number(w.f().SelfFreq) + ":third"};
    ASSERT_TRUE(w.sim().waitReceived(w.me, expected.back()));
    QList<QByteArray> sent;
    for (const QByteArray& line : w.sim().received(w.me))
        if (line.startsWith("SEND:")) sent.append(line);
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(w.ui().txtOut->text(), QStringLiteral("draft"));
}

TEST(ReconnectE2E, AServerCloseLogsInAgainAfterFiveSecondsADisconnectDoesNot) {
    ClientWorld w(zonesim::Options{},
                  "[Config]\r\nVersion=1.1\r\nAutoReconnect=1\r\n[User0]\r\nname=Tester\r\n");
    ASSERT_TRUE(w.started && w.loaded);
    EXPECT_TRUE(w.window().action(w.f().menu_AutoReconnect)->isChecked());

    ASSERT_TRUE(w.enterArena());
    int logins = 0;
    QObject::connect(&w.sim(), &zonesim::Server::clientLoggedIn, [&logins] { ++logins; });
    QElapsedTimer since;
    since.start();
    w.sim().closeClient(w.me);
    ASSERT_TRUE(pumpUntil(
        [&] {
            return w.shows("Reconnecting in 5 seconds...") ||
                   w.shows("Reconnecting in 6 seconds...");
        },
        2000));
    ASSERT_TRUE(pumpUntil([&] { return logins == 1; }, 10000));
    EXPECT_GE(since.elapsed(), 5000);
    EXPECT_LT(since.elapsed(), 7500);  // 6 s at most, and a loaded machine's slack
    ASSERT_TRUE(w.inArena());
    EXPECT_TRUE(w.dialogs.shown.empty());

    w.window().action(w.f().menu_Disconnect)->trigger();
    EXPECT_FALSE(pumpUntil([&] { return logins > 1; }, 7000));
    EXPECT_EQ(w.sim().findClient("Tester"), -1);
}

}  // namespace
}  // namespace orva
