#include "zones/zone_list.h"

#include <gtest/gtest.h>

#include "app/connection.h"
#include "app/frm_main.h"
#include "support/fakes.h"
#include "zones/ping_buttons.h"

namespace orva::test {
namespace {

std::string row(const std::string& name) {
    return "      " + FitText(name, 30) + " ????";
}

TEST(ZoneList, FitTextIsAlwaysTheWidth) {
    struct Case {
        std::string text;
        std::uint8_t width;
        std::string expected;
    } cases[] = {
        {"Alpha", 30, "Alpha" + std::string(25, ' ')},
        {std::string(30, 'n'), 30, std::string(30, 'n')},
        {std::string(31, 'n'), 30, std::string(27, 'n') + "..."},
        {"", 4, "    "},
        {"abcdef", 2, ".."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitText(c.text, c.width), c.expected) << c.text;
}

TEST(ZoneList, ParsesZoneDat) {
    struct Zone {
        std::string name, host;
        std::uint16_t port;
    };
    struct Case {
        const char* name;
        std::string text;
        std::vector<Zone> zones;
        bool error;
    } cases[] = {
        {"comment then zone", "# list\r\nAlpha,host,5000\r\n", {{"Alpha", "host", 5000}}, false},
        {"fourth field ignored, fields untrimmed",
         "A , h ,40000,x\r\n",
         {{"A ", " h ", 40000}},
         false},
        {"# after a space is no comment", " #Beta,h,1\r\n", {{" #Beta", "h", 1}}, false},
        {"fraction dropped, blanks before the port", "A,h, 5000.9\r\n", {{"A", "h", 5000}}, false},
        {"port out of range skipped silently",
         "A,h,0\r\nB,h,65535\r\nC,h,-3\r\nD,h,65534\r\n",
         {{"D", "h", 65534}},
         false},
        {"two fields is an error", "A,h\r\nB,h,2\r\n", {{"B", "h", 2}}, true},
        {"empty line between zones",
         "A,h,1\r\n\r\nB,h,2\r\n",
         {{"A", "h", 1}, {"B", "h", 2}},
         true},
        {"port past 32 bits is an error", "A,h,99999999999\r\n", {}, true},
        {"text port reads as 0", "A,h,port\r\n", {}, false},
        {"CR, LF and no final line end",
         "A,h,1\rB,h,2\nC,h,3",
         {{"A", "h", 1}, {"B", "h", 2}, {"C", "h", 3}},
         false},
        {"empty file", "", {}, false},
    };
    for (const auto& c : cases) {
        const ZoneFile z = parseZoneDat(c.text);
        EXPECT_EQ(z.hadError, c.error) << c.name;
        ASSERT_EQ(z.zones.size(), c.zones.size()) << c.name;
        for (std::size_t i = 0; i < c.zones.size(); ++i) {
            EXPECT_EQ(z.zones[i].Name, c.zones[i].name) << c.name;
            EXPECT_EQ(z.zones[i].Host, c.zones[i].host) << c.name;
            EXPECT_EQ(z.zones[i].Port, c.zones[i].port) << c.name;
        }
    }
}

TEST(ZoneList, LoadFillsTableAndRowsAndReportsOnce) {
    World w;
    FrmMain& f = w.f();
    w.dir.write("zone.dat",
                "# c\r\nAlpha,host,5000\r\n\r\nbad\r\n" + std::string(31, 'n') + ",h,2\r\n");
    LoadZoneList(f);
    EXPECT_EQ(f.zones.ZoneCount, 2);
    ASSERT_EQ(f.lstZones.ListCount(), 2);
    EXPECT_EQ(f.lstZones.List(0), "      Alpha" + std::string(25, ' ') + " ????");
    EXPECT_EQ(f.lstZones.List(1), "      " + std::string(27, 'n') + "... ????");
    EXPECT_EQ(f.lstZones.List(0).size(), 41u);
    ASSERT_EQ(w.dialogs.calls.size(), 1u);
    EXPECT_EQ(w.dialogs.calls[0].text, "Error Reading File: \r\n" + f.AppFolder + "zone.dat");
    EXPECT_EQ(w.dialogs.calls[0].title, "Error");
    EXPECT_EQ(w.dialogs.calls[0].icon, MsgIcon::Error);
}

TEST(ZoneList, MissingFileSaysSoAndLeavesNoZones) {
    World w;
    LoadZoneList(w.f());
    EXPECT_EQ(w.f().zones.ZoneCount, 0);
    ASSERT_EQ(w.dialogs.calls.size(), 1u);
    EXPECT_EQ(w.dialogs.calls[0].text, "Error Reading File: \r\n" + w.dir.path() + "zone.dat");
}

TEST(ZoneList, UpdateZoneRowReachesEveryZone) {
    World w;
    FrmMain& f = w.f();
    for (int i = 0; i < 300; ++i)
        AddZone(f, "Z" + std::to_string(i), "h", 1);
    EXPECT_EQ(f.zones.ZoneCount, 300);
    int changes = 0;
    f.lstZones.itemChanged.connect([&](int) { ++changes; });
    UpdateZoneRow(f, 299, "35", "123456");
    EXPECT_EQ(f.lstZones.List(299), "   35 " + FitText("Z299", 30) + "12345");
    UpdateZoneRow(f, 299, "35", "123456");  // same text: the row is left alone
    UpdateZoneRow(f, -1, "x", "y");
    UpdateZoneRow(f, 300, "x", "y");
    EXPECT_EQ(changes, 1);

    populateZonesMenu(f);
    ASSERT_EQ(f.menu_Zone.size(), 300u);
    EXPECT_EQ(f.menu_Zone[299]->Caption.get(), "Z299");
    EXPECT_TRUE(f.menu_Zone[0]->Enabled.get());
}

TEST(ZoneList, MenuItemsAreAnnouncedAfterTheirCaption) {
    World w;
    FrmMain& f = w.f();
    AddZone(f, "A", "h", 1);
    AddZone(f, "B", "h", 2);
    std::vector<std::string> announced;
    f.zoneMenuItemAdded.connect([&](int i) {
        announced.push_back(f.menu_Zone[static_cast<std::size_t>(i)]->Caption.get());
    });
    populateZonesMenu(f);
    EXPECT_EQ(announced, std::vector<std::string>{"B"});  // item 0 exists from the start
    EXPECT_EQ(f.menu_Zone[0]->Caption.get(), "A");
}

TEST(ZoneList, GotFocusEnablesConnectWhenZonesExist) {
    World w;
    FrmMain& f = w.f();
    f.cmdConnect.Enabled.set(true);
    f.menu_Connect.Enabled.set(true);
    lstZones_GotFocus(f);
    EXPECT_FALSE(f.cmdConnect.Enabled.get());
    EXPECT_FALSE(f.menu_Connect.Enabled.get());

    AddZone(f, "A", "h", 1);
    f.tmrHalter->setEnabled(true);  // the hold-off after a close keeps the menu item
    lstZones_GotFocus(f);
    EXPECT_TRUE(f.cmdConnect.Enabled.get());
    EXPECT_FALSE(f.menu_Connect.Enabled.get());
    f.tmrHalter->setEnabled(false);
    lstZones_GotFocus(f);
    EXPECT_TRUE(f.menu_Connect.Enabled.get());
}

TEST(PingButtons, OnAndOffSwitchButtonsTimersAndRows) {
    World w;
    FrmMain& f = w.f();
    AddZone(f, "A", "h", 1);
    cmdPingOn_Click(f);
    EXPECT_TRUE(f.tmrPing->enabled());
    EXPECT_FALSE(f.cmdPingOn.Enabled.get());
    EXPECT_TRUE(f.cmdPingOff.Enabled.get());
    UpdateZoneRow(f, 0, "35", "10");
    f.tmrPing2->setEnabled(true);
    f.tmrPing3->setEnabled(true);
    cmdPingOff_Click(f);
    EXPECT_FALSE(f.tmrPing->enabled() || f.tmrPing2->enabled() || f.tmrPing3->enabled());
    EXPECT_TRUE(f.cmdPingOn.Enabled.get());
    EXPECT_FALSE(f.cmdPingOff.Enabled.get());
    EXPECT_EQ(f.lstZones.List(0), row("A"));
}

}  // namespace
}  // namespace orva::test
