#include "qt/main_layout.h"

#include <gtest/gtest.h>

namespace orva {
namespace {

TEST(MainLayout, PartsFollowTheWindowSize) {
    struct Case {
        int width, height, tpp;
        Box frmLogin, frameMain, lstUsers, picSplit, txtLog, txtOut, Line1;
        int lstZonesWidth;
    };
    // Designed: frmLogin 300 wide, lstUsers 168, picSplit 4, txtOut 24 high.
    const Case cases[] = {
        {780,
         480,
         15,
         {480, 0, 300, 480},
         {0, 0, 480, 480},
         {612, 0, 168, 480},
         {607, 0, 4, 480},
         {0, 0, 606, 456},
         {0, 457, 606, 24},
         {0, 456, 606, 1},
         460},
        // Wider: the chat view and the input line widen, the player list keeps its width.
        {1000,
         600,
         15,
         {700, 0, 300, 600},
         {0, 0, 700, 600},
         {832, 0, 168, 600},
         {827, 0, 4, 600},
         {0, 0, 826, 576},
         {0, 577, 826, 24},
         {0, 576, 826, 1},
         680},
        // The zone list keeps 300 twips free, whatever the twips per pixel.
        {780,
         480,
         12,
         {480, 0, 300, 480},
         {0, 0, 480, 480},
         {612, 0, 168, 480},
         {607, 0, 4, 480},
         {0, 0, 606, 456},
         {0, 457, 606, 24},
         {0, 456, 606, 1},
         455},
    };
    for (const Case& c : cases) {
        MainLayout l;
        Form_Resize(l, c.width, c.height, c.tpp);
        SCOPED_TRACE(c.width);
        EXPECT_EQ(l.frmLogin, c.frmLogin);
        EXPECT_EQ(l.frameMain, c.frameMain);
        EXPECT_EQ(l.lstUsers, c.lstUsers);
        EXPECT_EQ(l.picSplit, c.picSplit);
        EXPECT_EQ(l.txtLog, c.txtLog);
        EXPECT_EQ(l.txtOut, c.txtOut);
        EXPECT_EQ(l.Line1, c.Line1);
        EXPECT_EQ(l.lstZones.width, c.lstZonesWidth);
    }
}

TEST(MainLayout, TooSmallSkipsTheStepsThatFailAndRunsTheRest) {
    MainLayout l;
    Form_Resize(l, 780, 480, 15);
    // Narrower than the player list: widths that would go negative keep their last value,
    // positions and heights still follow.
    Form_Resize(l, 100, 10, 15);
    EXPECT_EQ(l.frmLogin, (Box{-200, 0, 300, 10}));
    EXPECT_EQ(l.frameMain.width, 480);  // 100 - 300 cannot be set
    EXPECT_EQ(l.frameMain.height, 10);
    EXPECT_EQ(l.lstZones.width, 460);
    EXPECT_EQ(l.lstUsers, (Box{-68, 0, 168, 10}));
    EXPECT_EQ(l.picSplit, (Box{-73, 0, 4, 10}));
    EXPECT_EQ(l.txtLog.width, 606);   // -74 cannot be set
    EXPECT_EQ(l.txtLog.height, 456);  // 10 - 24 cannot be set
    EXPECT_EQ(l.txtOut.top, l.txtLog.height + 1);
    // Growing again puts everything back where a fresh layout would.
    Form_Resize(l, 780, 480, 15);
    MainLayout fresh;
    Form_Resize(fresh, 780, 480, 15);
    EXPECT_EQ(l.txtLog, fresh.txtLog);
    EXPECT_EQ(l.txtOut, fresh.txtOut);
    EXPECT_EQ(l.frameMain, fresh.frameMain);
    EXPECT_EQ(l.lstZones, fresh.lstZones);
}

TEST(MainLayout, ZoneListFillsThePanelAboveThePingRow) {
    MainLayout l;
    Form_Resize(l, 780, 480, 15);
    EXPECT_EQ(l.pingRow.top + l.pingRow.height + 8, 480);
    EXPECT_EQ(l.lstZones.top + l.lstZones.height + 8, l.pingRow.top);
    EXPECT_EQ(l.pingRow.width, l.lstZones.width);
}

}  // namespace
}  // namespace orva
