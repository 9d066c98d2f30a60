#include "config/setting_writes.h"

#include <gtest/gtest.h>

#include <functional>

#include "config/profiles.h"
#include "fonts/font_pick.h"
#include "macros/macro_editor.h"
#include "support/fakes.h"

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
             FrmFontPick p(f);
             Form_Load(p);
             cmdSave_Click(p);
         }},
        {"ORVA Macros",
         [](FrmMain& f) {
             FrmMacroEditor e(f);
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
