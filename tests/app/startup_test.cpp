#include "app/startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "config/scramble.h"
#include "config/settings.h"
#include "logging/chat_log.h"
#include "platform/files.h"
#include "support/fakes.h"

namespace orva::test {
namespace {

const std::string kZones = "Alpha,127.0.0.1,5000\r\nBeta,127.0.0.1,6000\r\n";

struct StartUpTest : ::testing::Test {
    World w;
    FrmMain& f = w.f();
    void SetUp() override { w.dir.write("zone.dat", kZones); }
    bool start() { return StartUp(f) && Form_Load(f); }
    std::string file() { return w.dir.read("Config.ini"); }
};

TEST(StartUp, AppFolderGetsExactlyOneSeparator) {
    struct Case {
        const char *folder, *appFolder;
    } cases[] = {
        {"C:\\orva", "C:\\orva\\"},  {"C:\\orva\\", "C:\\orva\\"}, {"/opt/orva/", "/opt/orva/"},
        {"/opt/orva", "/opt/orva/"},  // a backslash would join the file name here
        {"C:/orva", "C:/orva/"},     {"C:\\x/y", "C:\\x/y\\"}};
    for (const auto& c : cases) {
        World w;
        w.app.folder = c.folder;
        EXPECT_TRUE(StartUp(w.f()));
        EXPECT_EQ(w.f().AppFolder, c.appFolder);
        EXPECT_EQ(w.f().ConfigPath, std::string(c.appFolder) + "Config.ini");
    }
}

// A copy of the program in a folder with a name beyond ASCII, in any script, finds and writes
// its own files.
TEST(StartUp, ProgramFolderWithANameBeyondAscii) {
    const char* folders[] = {
        "Spiele f\xC3\xBCr J\xC3\xB6rg",         // accented Latin
        "\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B",      // Cyrillic
        "\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0",  // CJK
    };
    for (const std::string onDisk : folders) {
        World w;
        ASSERT_TRUE(std::filesystem::create_directory(files::nativePath(w.dir.file(onDisk))));
        w.dir.write(onDisk + "/Config.ini",
                    "[Config]\r\nVersion=1.1\r\n[User0]\r\nname=J\xF6rg\r\n");
        w.dir.write(onDisk + "/zone.dat", "Alpha,127.0.0.1,5000\r\n");
        w.app.folder = w.dir.path() + onDisk;  // as the file system spells it
        ASSERT_TRUE(StartUp(w.f()) && Form_Load(w.f()));
        EXPECT_TRUE(w.dialogs.calls.empty());  // no name prompt, no zone.dat error
        EXPECT_EQ(w.f().lstZones.ListCount(), 1);
        EXPECT_EQ(w.dir.read(onDisk + "/Config.ini"),
                  "[Config]\r\nVersion=1.1\r\nnamelen=14\r\n[User0]\r\nname=J\xF6rg\r\n");
        SetLogFileName(w.f(), "chat");
        OpenLog(w.f());
        EXPECT_EQ(w.dir.read(onDisk + "/logs/chat"), "12/7/2026 9:05:03 AM Log Opened.\r\n");
    }
}

TEST(StartUp, SecondInstanceNeedsIdOne) {
    struct Case {
        const char* config;
        bool runs;
    } cases[] = {{"[Config]\r\nID=1\r\n", true},    {"[config]\r\nid = 1 \r\n", true},
                 {"[Config]\r\nID=0\r\n", false},   {"[Config]\r\nID=2\r\n", false},
                 {"[Config]\r\nID=yes\r\n", false}, {"", false}};
    for (const auto& c : cases) {
        World w;
        w.app.another = true;
        w.dir.write("Config.ini", c.config);
        EXPECT_EQ(StartUp(w.f()), c.runs) << c.config;
        EXPECT_EQ(w.app.ends, c.runs ? 0 : 1) << c.config;
        if (!c.runs) {
            ASSERT_EQ(w.dialogs.calls.size(), 1u);
            EXPECT_EQ(w.dialogs.calls[0].text,
                      "A previous instance of ORVA is running,\r\nyou can not have two or more "
                      "clients running at the same time.");
            EXPECT_EQ(w.dialogs.calls[0].title, "ORVA 1.2, by Ostrelle");
            EXPECT_EQ(w.dialogs.calls[0].icon, MsgIcon::Information);
        }
    }
    World alone;  // no other instance: ID is not even looked at
    EXPECT_TRUE(StartUp(alone.f()));
    EXPECT_TRUE(alone.dialogs.calls.empty());
}

TEST_F(StartUpTest, FirstRunWritesVersionNameAndWidth) {
    w.dialogs.inputs = {std::string("Ann")};
    ASSERT_TRUE(start());
    EXPECT_EQ(file(), "[Config]\r\nVersion=1.1\r\nnamelen=14\r\n\r\n[User0]\r\nname=Ann\r\n");
    ASSERT_EQ(w.dialogs.calls.size(), 1u);
    EXPECT_EQ(w.dialogs.calls[0].text, "Enter Username for initial profile:");
    EXPECT_EQ(w.dialogs.calls[0].title, "Enter Username");
    EXPECT_EQ(f.txtUser.Text.get(), "");  // the prompt does not fill the name box
    EXPECT_EQ(f.Caption.get(), "ORVA v.1.2");
    EXPECT_EQ(f.SecondKey, "m>3T");
    EXPECT_EQ(f.ProfileID, "User0");
    EXPECT_EQ(f.NameWidth, 14);
    EXPECT_EQ(f.ChatFontName, "Courier New");
    EXPECT_EQ(f.ChatFontSize, 9);
    EXPECT_FALSE(f.menu_Mute.Checked.get() || f.menu_KillMessages.Checked.get());
    EXPECT_EQ(w.app.ends, 0);
    for (const auto& item : f.menu_Macro) {
        EXPECT_EQ(item.Caption.get(), "-macro-");
        EXPECT_FALSE(item.Enabled.get());
    }
    // Zones: first row selected, Connect available, menu built, no ping, flash timer set.
    EXPECT_EQ(f.lstZones.ListIndex.get(), 0);
    EXPECT_TRUE(f.cmdConnect.Enabled.get());
    EXPECT_TRUE(f.menu_Connect.Enabled.get());
    ASSERT_EQ(f.menu_Zone.size(), 2u);
    EXPECT_EQ(f.menu_Zone[1]->Caption.get(), "Beta");
    EXPECT_FALSE(f.tmrPing->enabled());
    EXPECT_EQ(f.tmrflash->interval(), 250);
    EXPECT_FALSE(f.tmrflash->enabled());
}

TEST_F(StartUpTest, NamePrompt) {
    struct Case {
        std::optional<std::string> answer;
        bool runs;
    } cases[] = {{std::string(""), true}, {std::nullopt, false}};
    for (const auto& c : cases) {
        World w;
        w.dir.write("Config.ini", "[Config]\r\nVersion=1.1\r\n[User0]\r\nname=  \r\n");
        w.dialogs.inputs = {c.answer};
        EXPECT_EQ(StartUp(w.f()) && Form_Load(w.f()), c.runs);
        EXPECT_EQ(w.app.ends, c.runs ? 0 : 1);
        if (c.runs) {
            EXPECT_EQ(ReadSetting("User0", "name", w.f().ConfigPath), "");
        } else {
            EXPECT_EQ(w.dialogs.calls.back().text,
                      "You did not provide a proper username, hence the program can not continue.");
            EXPECT_EQ(w.dialogs.calls.back().title, "Invalid Information");
            EXPECT_EQ(w.dialogs.calls.back().icon, MsgIcon::Information);
            EXPECT_EQ(w.f().lstZones.ListCount(), 0);  // ended before the zones
        }
    }
}

TEST_F(StartUpTest, OldConfigVersionEndsWithoutTouchingTheFile) {
    const std::string before = "[Config]\r\nVersion=1.0\r\n[User0]\r\nname=Ann\r\n";
    w.dir.write("Config.ini", before);
    EXPECT_FALSE(start());
    EXPECT_EQ(w.app.ends, 1);
    ASSERT_EQ(w.dialogs.calls.size(), 1u);
    EXPECT_EQ(w.dialogs.calls[0].text,
              "Current Config Version: 1.0\r\n\r\nApplication Config Version: 1.1\r\n\r\nPlease "
              "seek the ReadMe.txt on how to upgrade the config file to this version.");
    EXPECT_EQ(w.dialogs.calls[0].title, "Config Update Required.");
    EXPECT_EQ(w.dialogs.calls[0].icon, MsgIcon::Error);
    EXPECT_EQ(file(), before);
}

TEST_F(StartUpTest, UnknownVersionLoadsNothingAndWritesNoVersion) {
    w.dir.write("Config.ini",
                "[Config]\r\nVersion=2.0\r\nMuted=1\r\nKillMsgs=1\r\nAutoPing=1\r\n[User0]\r\n"
                "name=Ann\r\nauto=?go\r\n");
    ASSERT_TRUE(start());
    EXPECT_EQ(f.Muted, 0);
    EXPECT_EQ(f.ShowKillMessages, 0);
    EXPECT_EQ(f.ckPing.Value.get(), 0);
    EXPECT_FALSE(f.tmrPing->enabled());
    EXPECT_EQ(ReadSetting("Config", "Version", f.ConfigPath), "2.0");
    EXPECT_EQ(f.txtUser.Text.get(), "Ann");  // from the profile load, not the 1.1 settings
    EXPECT_EQ(f.txtAuto.Text.get(), "?go");
    EXPECT_TRUE(w.dialogs.calls.empty());
}

TEST_F(StartUpTest, CurrentVersionLoadsProfileSwitchesAndStartsPing) {
    w.dir.write("Config.ini",
                "[Config]\r\nVersion=1.1\r\nAutoPing=1\r\nKillMsgs=5\r\n"
                "PublicMacros=1\r\nURLClickable=1\r\nMuted=1\r\nnamelen=-7\r\n"
                "[User0]\r\nname=Ann\r\npass=" +
                    ScramblePassword("pw", kSecondKey) +
                    "\r\nauto=?a\\?b\r\nchats=c1,c2\r\narena=duel\r\nFontType=Arial\r\n"
                    "FontSize=12\r\n");
    ASSERT_TRUE(start());
    EXPECT_EQ(f.txtUser.Text.get(), "Ann");
    EXPECT_EQ(f.txtPass.Text.get(), "pw");
    EXPECT_EQ(f.txtAuto.Text.get(), "?a\\?b");
    EXPECT_EQ(f.txtchats.Text.get(), "c1,c2");
    EXPECT_EQ(f.txtInitialArena.Text.get(), "duel");
    EXPECT_EQ(f.ChatFontName, "Arial");
    EXPECT_EQ(f.ChatFontSize, 12);
    EXPECT_EQ(f.ShowKillMessages, 1);
    EXPECT_TRUE(f.menu_KillMessages.Checked.get());
    EXPECT_TRUE(f.menu_IgnorePubMacros.Checked.get());
    EXPECT_TRUE(f.menu_HighLightURL.Checked.get());
    EXPECT_TRUE(f.menu_Mute.Checked.get());
    EXPECT_EQ(f.ckPing.Value.get(), 1);
    EXPECT_TRUE(f.tmrPing->enabled());
    EXPECT_FALSE(f.cmdPingOn.Enabled.get());
    EXPECT_TRUE(f.cmdPingOff.Enabled.get());
    EXPECT_EQ(f.NameWidth, 7);
    EXPECT_EQ(ReadSetting("Config", "namelen", f.ConfigPath), "7");
    EXPECT_TRUE(w.dialogs.calls.empty());
}

TEST_F(StartUpTest, NameWidthFromTheFile) {
    struct Case {
        const char* namelen;
        std::uint8_t width;
    } cases[] = {{"0", 14}, {"", 14}, {"abc", 14}, {"30", 24}, {"7", 7}, {"-7", 7}, {"6.5", 6}};
    for (const auto& c : cases) {
        World w;
        w.dir.write("zone.dat", kZones);
        w.dir.write("Config.ini", std::string("[Config]\r\nVersion=1.1\r\nnamelen=") + c.namelen +
                                      "\r\n[User0]\r\nname=A\r\n");
        ASSERT_TRUE(StartUp(w.f()) && Form_Load(w.f()));
        EXPECT_EQ(w.f().NameWidth, c.width) << c.namelen;
        EXPECT_EQ(ReadSetting("Config", "namelen", w.f().ConfigPath), std::to_string(c.width));
    }
}

TEST_F(StartUpTest, ProfileListUpToTheFirstGap) {
    std::string ini = "[Config]\r\nVersion=1.1\r\n[User0]\r\nname=Zero\r\n";
    for (int i = 1; i <= 10; ++i)
        ini += "[User" + std::to_string(i) + "]\r\nname=P" + std::to_string(i) + "\r\n";
    w.dir.write("Config.ini", ini);
    ASSERT_TRUE(start());
    ASSERT_EQ(f.cmbManage.ListCount(), 11);
    EXPECT_EQ(f.cmbManage.List(10), "P10");
    EXPECT_TRUE(f.txtUser.Locked.get());

    World gap;
    gap.dir.write("Config.ini",
                  "[Config]\r\nVersion=1.1\r\n[User0]\r\nname=Zero\r\n[User1]\r\n"
                  "name=P1\r\n[User2]\r\nname=P2\r\n[User3]\r\nname=\r\n[User4]\r\n"
                  "name=P4\r\n");
    ASSERT_TRUE(StartUp(gap.f()) && Form_Load(gap.f()));
    EXPECT_EQ(gap.f().cmbManage.items(), (std::vector<std::string>{"(default)", "P1", "P2"}));
}

TEST_F(StartUpTest, NoZonesLeavesConnectDisabled) {
    World w;  // no zone.dat at all
    w.dir.write("Config.ini", "[Config]\r\nVersion=1.1\r\nAutoPing=1\r\n[User0]\r\nname=A\r\n");
    ASSERT_TRUE(StartUp(w.f()) && Form_Load(w.f()));
    EXPECT_FALSE(w.f().cmdConnect.Enabled.get());
    EXPECT_FALSE(w.f().tmrPing->enabled());
    EXPECT_EQ(w.f().menu_Zone[0]->Caption.get(), "-zone-");
    ASSERT_EQ(w.dialogs.calls.size(), 1u);
    EXPECT_EQ(w.dialogs.calls[0].title, "Error");
}

TEST(QueryUnload, AsksOnlyWhileConnected) {
    struct Case {
        bool connected;
        std::optional<MsgResult> answer;
        bool cancelled;
    } cases[] = {{false, std::nullopt, false},
                 {true, MsgResult::Yes, false},
                 {true, MsgResult::No, true},
                 {true, MsgResult::Cancel, true}};
    for (const auto& c : cases) {
        World w;
        SetLogFileName(w.f(), "chat.txt");
        OpenLog(w.f());
        if (c.connected) w.tcp->state = sckConnected;
        if (c.answer) w.dialogs.answers = {*c.answer};
        EXPECT_EQ(Form_QueryUnload(w.f()), c.cancelled);
        EXPECT_EQ(w.dialogs.calls.size(), c.connected ? 1u : 0u);
        if (c.connected) {
            EXPECT_EQ(w.dialogs.calls[0].text, "Are you sure you wish to disconnect?");
            EXPECT_EQ(w.dialogs.calls[0].title, "Quit?");
            EXPECT_EQ(w.dialogs.calls[0].buttons, MsgButtons::YesNoCancel);
        }
        EXPECT_EQ(w.app.ends, c.cancelled ? 0 : 1);
        EXPECT_EQ(LogIsOpen(w.f()) != 0, c.cancelled);  // the log closes only on a real close
        EXPECT_EQ(w.tcp->state, c.connected ? sckConnected : sckClosed);
    }
}

TEST(Wiring, ControlEventsReachTheirHandlers) {
    World w;
    FrmMain& f = w.f();
    wireFoundationHandlers(f);
    int closes = 0;
    f.closeRequested.connect([&] { ++closes; });
    f.cmdQuit.clicked.emit();
    f.menu_Exit.clicked.emit();
    EXPECT_EQ(closes, 2);

    f.menu_Mute.clicked.emit();
    EXPECT_EQ(f.Muted, 1);
    f.ckPing.Value.set(1);
    f.ckPing.clicked.emit();
    EXPECT_EQ(ReadSetting("Config", "AutoPing", f.ConfigPath), "1");

    bool swallow = false;
    f.cmbManage.keyPressed.emit('x', swallow);
    EXPECT_TRUE(swallow);

    f.cmdPingOn.clicked.emit();
    EXPECT_TRUE(f.tmrPing->enabled());
    f.cmdPingOff.clicked.emit();
    EXPECT_FALSE(f.tmrPing->enabled());

    f.cmdConnect.Enabled.set(true);
    f.lstZones.gotFocus.emit();  // no zones
    EXPECT_FALSE(f.cmdConnect.Enabled.get());

    f.txtAuto.Text.set("?x");
    f.cmdSaveAuto.clicked.emit();
    EXPECT_EQ(ReadSetting("User0", "auto", f.ConfigPath), "?x");
}

}  // namespace
}  // namespace orva::test
