#include "config/setting_writes.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/outgoing.h"
#include "app/profiles.h"
#include "app/switches.h"
#include "chat/ignore.h"
#include "config/switches.h"
#include "fonts/font_pick.h"
#include "macros/macro_editor.h"
#include "support/core_fixture.h"
#include "support/fakes.h"
#include "view/view_switches.h"
#include "zones/ping_buttons.h"

namespace orva::test {
namespace {

TEST(NotWritten, EverySaveSaysSoInsteadOfConfirming) {
    struct Case {
        const char* title;
        std::function<void(FrmMain&)> save;
    } cases[] = {
        {"User0 Saved.", cmdSaveArena_Click},
        {"User0 Saved.", cmdSaveAuto_Click},
        {"User0 Saved.", cmdSaveChats_Click},
        {"Saved.", cmdSavePass_Click},
        {"Font Set",
         [](FrmMain& f) {
             FrmFontPick p(f, f);
             Form_Load(p);
             cmdSave_Click(p);
         }},
        {"ORVA Macros",
         [](FrmMain& f) {
             FrmMacroEditor e(f, f);
             e.txtMacro[0].Text.set("hello");
             Command1_Click(e);
             EXPECT_EQ(e.lblSavedSt.Caption.get(), "Unknown.");
         }},
    };
    for (const bool folderMissing : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.title);
            World w;
            FrmMain& f = w.f();
            f.txtPass.Text.set("pw");
            // Tests run as root, so no file is read-only: a folder in its place, or no folder.
            if (folderMissing)
                f.ConfigPath = w.dir.file("missing/Config.ini");
            else
                std::filesystem::create_directory(f.ConfigPath);
            c.save(f);
            ASSERT_FALSE(w.dialogs.calls.empty());
            const DialogCall& last = w.dialogs.calls.back();
            EXPECT_EQ(last.text, kNotWrittenText);
            EXPECT_EQ(last.title, c.title);
            EXPECT_EQ(last.icon, MsgIcon::Exclamation);
        }
    }
}

// A command or switch whose write failed says so and leaves its state as Config.ini holds it.
TEST(NotWritten, CommandsAndSwitchesKeepTheStoredState) {
    auto say = [](std::string line) {
        return [line](FrmMain& f) {
            std::string l = line;
            HandleOutgoing(f, l, 0);
        };
    };
    struct Case {
        const char* what;
        std::string ini;
        std::function<void(FrmMain&)> act;
        std::function<bool(FrmMain&)> asStored;
    } cases[] = {
        {"?ignore", "", say("?ignore Bob"), [](FrmMain& f) { return !IsIgnored(f, "Bob"); }},
        {"?ignore an ignored name", "[Ignore]\r\nBob=1\r\n", say("?ignore Bob"),
         [](FrmMain& f) { return IsIgnored(f, "Bob"); }},
        {"?namelen", "[Config]\r\nnamelen=14\r\n", say("?namelen 20"),
         [](FrmMain& f) { return f.NameWidth == 14; }},
        {"kill messages", "[Config]\r\nKillMsgs=1\r\n", menu_KillMessages_Click,
         [](FrmMain& f) { return f.ShowKillMessages == 1 && f.menu_KillMessages.Checked.get(); }},
        {"mute", "", menu_Mute_Click,
         [](FrmMain& f) { return f.Muted == 0 && !f.menu_Mute.Checked.get(); }},
        {"links", "[Config]\r\nURLClickable=1\r\n", menu_HighLightURL_Click,
         [](FrmMain& f) { return f.showURLs == 1 && f.menu_HighLightURL.Checked.get(); }},
        {"public macros", "", menu_IgnorePubMacros_Click,
         [](FrmMain& f) {
             return f.ShowPublicMacros == 0 && !f.menu_IgnorePubMacros.Checked.get();
         }},
        {"ping check box", "",
         [](FrmMain& f) {
             f.ckPing.Value.set(1);  // as the click left it
             ckPing_Click(f);
         },
         [](FrmMain& f) { return f.ckPing.Value.get() == 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CoreWorld w;
        FrmMain& f = w.f();
        // Readable, but no temporary file fits beside a name this long (tests run as root).
        const std::string name(250, 'c');
        w.dir.write(name, c.ini);
        f.ConfigPath = w.dir.file(name);
        loadSwitches(f);
        c.act(f);
        EXPECT_TRUE(c.asStored(f));
        EXPECT_EQ(w.dir.read(name), c.ini);
        ASSERT_FALSE(w.shown.empty());
        EXPECT_EQ(w.shown.back(), (Shown{ColorStatus, kNotWrittenText}));
    }
}

TEST(NotWritten, AFailedWriteTakesBackTheOnesBeforeIt) {
    TempDir dir;
    const std::string before = "[User0]\r\nname=Ann\r\nFontType=Arial\r\n";
    dir.write("Config.ini", before);
    // The third key cannot be written: the first goes back to its value, the second away again.
    EXPECT_FALSE(writeSettingsAll(
        {{"User0", "FontType", "Tahoma"}, {"User0", "FontSize", "12"}, {"User0", "bad=key", "x"}},
        dir.file("Config.ini")));
    EXPECT_EQ(dir.read("Config.ini"), before);
}

}  // namespace
}  // namespace orva::test
