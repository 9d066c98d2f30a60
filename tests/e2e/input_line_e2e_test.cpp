// The real input line typed into as a user would, in an arena of the zone simulator.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "app/frm_main.h"
#include "e2e/client_world.h"

namespace orva {
namespace {

TEST(InputLineE2E, ShortcutListKeysEnterColoursAndMacroKeys) {
    zonesim::Options options;
    options.bots = 3;
    ClientWorld w{options};
    ASSERT_TRUE(w.enterArena());
    FrmMain& f = w.f();
    QLineEdit* out = w.ui().txtOut;
    f.RecentPrivateNames = {"Bo", "Cy"};  // as two private messages leave them

    QTest::keyClicks(out, "::");
    EXPECT_EQ(out->text(), QStringLiteral(":Bo:"));
    EXPECT_EQ(out->palette().color(QPalette::Text), QColor(115, 255, 99));
    const int selected = f.lstUsers.listIndex();
    QTest::keyClick(out, Qt::Key_Down);
    EXPECT_EQ(f.lstUsers.listIndex(), selected + 1);
    EXPECT_EQ(out->cursorPosition(), 4);  // the caret stays
    QTest::keyClick(out, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(out, Qt::Key_Backspace);
    QTest::keyClicks(out, "hello");
    EXPECT_EQ(out->palette().color(QPalette::Text), QColor(160, 160, 255));
    QTest::keyClick(out, Qt::Key_Return);
    EXPECT_TRUE(w.sim().waitReceived(w.me, "SEND:PUB:hello"));
    EXPECT_EQ(out->text(), QString());

    // A macro's "&" is text, and its key works from the input line.
    int macroClicks = 0;
    f.menu_Macro[0].clicked.connect([&] { ++macroClicks; });
    f.menu_Macro[0].Caption.set("Tom & Jerry");
    f.menu_Macro[0].Enabled.set(true);
    EXPECT_EQ(w.window().action(f.menu_Macro[0])->iconText(), QStringLiteral("Tom & Jerry"));
    QTest::keyClick(out, Qt::Key_F1);
    EXPECT_EQ(macroClicks, 1);
}

TEST(InputLineE2E, TabCompletesAndCtrlUpRecalls) {
    ClientWorld w{zonesim::Options{}};
    ASSERT_TRUE(w.enterArena());
    QLineEdit* out = w.ui().txtOut;
    w.sim().sendLine(w.me, "ENTERING:Bobcat:8:100");
    w.sim().sendLine(w.me, "MSG:PUB:Bobcat:anyone here?");
    ASSERT_TRUE(w.waitShows("anyone here?"));

    out->setFocus();
    QTest::keyClicks(out, "hello bo");
    QTest::keyClick(out, Qt::Key_Tab);
    EXPECT_EQ(out->text(), QStringLiteral("hello Bobcat"));
    EXPECT_TRUE(out->hasFocus());
    QTest::keyClick(out, Qt::Key_Return);
    EXPECT_TRUE(w.sim().waitReceived(w.me, "SEND:PUB:hello Bobcat"));

    QTest::keyClicks(out, "half");
    QTest::keyClick(out, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(out->text(), QStringLiteral("hello Bobcat"));
    QTest::keyClick(out, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(out->text(), QStringLiteral("half"));
}

}  // namespace
}  // namespace orva
