#include "app/switches.h"
#include "config/switches.h"
#include "view/view_switches.h"
#include "zones/ping_buttons.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "config/setting_writes.h"
#include "config/settings.h"
#include "support/fakes.h"

namespace orva::test {
namespace {

TEST(Switches, MenuTogglesFlipCheckAndWrite) {
    struct Case {
        std::function<void(FrmMain&)> click;
        std::uint8_t FrmMain::*flag;
        MenuItem FrmMain::*item;
        const char* key;
    } cases[] = {
        {menu_KillMessages_Click, &FrmMain::ShowKillMessages, &FrmMain::menu_KillMessages,
         "KillMsgs"},
        {menu_Mute_Click, &FrmMain::Muted, &FrmMain::menu_Mute, "Muted"},
        {menu_AutoReconnect_Click, &FrmMain::AutoReconnect, &FrmMain::menu_AutoReconnect,
         "AutoReconnect"},
        {menu_HighLightURL_Click, &FrmMain::showURLs, &FrmMain::menu_HighLightURL, "URLClickable"},
        {menu_Notify_Click, &FrmMain::Notify, &FrmMain::menu_Notify, "Notify"},
        {menu_Timestamps_Click, &FrmMain::Timestamps, &FrmMain::menu_Timestamps, "Timestamps"},
        {menu_IgnorePubMacros_Click, &FrmMain::ShowPublicMacros, &FrmMain::menu_IgnorePubMacros,
         "PublicMacros"},
    };
    for (const auto& c : cases) {
        World w;
        FrmMain& f = w.f();
        f.*c.flag = 5;  // any non-zero is on: the click turns it off
        c.click(f);
        EXPECT_EQ(f.*c.flag, 0) << c.key;
        EXPECT_FALSE((f.*c.item).Checked.get()) << c.key;
        EXPECT_EQ(ReadSetting("Config", c.key, f.ConfigPath), "0") << c.key;
        c.click(f);
        EXPECT_EQ(f.*c.flag, 1) << c.key;
        EXPECT_TRUE((f.*c.item).Checked.get()) << c.key;
        EXPECT_EQ(ReadSetting("Config", c.key, f.ConfigPath), "1") << c.key;
    }
}

TEST(Switches, PublicMacrosNoticeIsWrittenOnlyWhenAbsent) {
    World w;
    w.dir.write("Config.ini", "[Config]\r\nPublicMacrosNotice=seen\r\n");
    menu_IgnorePubMacros_Click(w.f());
    EXPECT_EQ(w.dir.read("Config.ini"),
              "[Config]\r\nPublicMacrosNotice=seen\r\nPublicMacros=1\r\n");
    World fresh;
    menu_IgnorePubMacros_Click(fresh.f());
    EXPECT_EQ(fresh.dir.read("Config.ini"),
              "[Config]\r\nPublicMacrosNotice=1\r\nPublicMacros=1\r\n");
}

TEST(Switches, PingCheckBoxStoresItsValue) {
    World w;
    w.f().ckPing.Value.set(1);
    ckPing_Click(w.f());
    EXPECT_EQ(ReadSetting("Config", "AutoPing", w.f().ConfigPath), "1");
    w.f().ckPing.Value.set(0);
    ckPing_Click(w.f());
    EXPECT_EQ(ReadSetting("Config", "AutoPing", w.f().ConfigPath), "0");
}

TEST(Switches, LoadReadsNumbersAsSwitches) {
    World w;
    w.dir.write("Config.ini",
                "[Config]\r\nAutoPing=1\r\nKillMsgs=5\r\nPublicMacros=abc\r\nURLClickable=300\r\n"
                "Muted= 2 \r\nAutoReconnect=1\r\nNotify=off\r\nTimestamps=1\r\n");
    FrmMain& f = w.f();
    loadSwitches(f);
    EXPECT_EQ(f.ckPing.Value.get(), 1);
    EXPECT_EQ(f.ShowKillMessages, 1);
    EXPECT_TRUE(f.menu_KillMessages.Checked.get());
    EXPECT_EQ(f.ShowPublicMacros, 0);
    EXPECT_FALSE(f.menu_IgnorePubMacros.Checked.get());
    EXPECT_NE(f.showURLs, 0);  // out of range stays on
    EXPECT_EQ(f.Muted, 2);
    EXPECT_TRUE(f.menu_Mute.Checked.get());
    EXPECT_EQ(f.AutoReconnect, 1);
    EXPECT_TRUE(f.menu_AutoReconnect.Checked.get());
    EXPECT_EQ(f.Notify, 1);  // only "0" turns notifications off
    EXPECT_TRUE(f.menu_Notify.Checked.get());
    EXPECT_EQ(f.Timestamps, 1);
    EXPECT_TRUE(f.menu_Timestamps.Checked.get());
}

// A switch that could not be stored says so and stays as it was.
TEST(Switches, AutoReconnectNotWrittenStaysAsItWas) {
    World w;
    FrmMain& f = w.f();
    std::filesystem::create_directory(f.ConfigPath);  // no file can be written there
    menu_AutoReconnect_Click(f);
    EXPECT_EQ(f.AutoReconnect, 0);
    EXPECT_FALSE(f.menu_AutoReconnect.Checked.get());
    EXPECT_EQ(f.txtLog.line(f.txtLog.lineCount() - 1).text, kNotWrittenText);
}

// A switch is on when its number is not zero before any rounding to the flag's width.
TEST(Switches, LoadJudgesTheNumberBeforeRounding) {
    const std::pair<const char*, bool> values[] = {
        {"0.4", true},   {"-0.4", true}, {"0.5", true},   {"1e-3", true},
        {"255.6", true}, {"0", false},   {"0.0x", false}, {"", false},
    };
    const std::pair<std::uint8_t FrmMain::*, MenuItem FrmMain::*> flags[] = {
        {&FrmMain::ShowKillMessages, &FrmMain::menu_KillMessages},
        {&FrmMain::ShowPublicMacros, &FrmMain::menu_IgnorePubMacros},
        {&FrmMain::showURLs, &FrmMain::menu_HighLightURL},
        {&FrmMain::Muted, &FrmMain::menu_Mute},
    };
    for (const auto& [value, on] : values) {
        World w;
        const std::string v = value;
        w.dir.write("Config.ini", "[Config]\r\nKillMsgs=" + v + "\r\nPublicMacros=" + v +
                                      "\r\nURLClickable=" + v + "\r\nMuted=" + v + "\r\n");
        loadSwitches(w.f());
        for (const auto& [flag, item] : flags) {
            EXPECT_EQ(w.f().*flag != 0, on) << value;
            EXPECT_EQ((w.f().*item).Checked.get(), on) << value;
        }
    }
}

}  // namespace
}  // namespace orva::test
