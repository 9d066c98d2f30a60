#include "macros/macro_editor.h"

#include <gtest/gtest.h>

#include "config/settings.h"
#include "support/fakes.h"

namespace orva::test {
namespace {

TEST(MacroEditor, OpensSavesClosesAndReopensFromTheStore) {
    World w;
    FrmMain& f = w.f();
    w.dir.write("Config.ini", "[macro_0]\r\nf2=old\r\nf3=\"   \"\r\n");
    f.ProfileID = "User3";
    auto editor = std::make_unique<FrmMacroEditor>(f, f);
    FrmMacroEditor& e = *editor;
    Form_Load(e);
    EXPECT_EQ(e.txtMacro[1].Text.get(), "old");
    EXPECT_EQ(e.txtMacro[2].Text.get(), "");  // blanks read as empty
    EXPECT_EQ(e.lblProfileSt.Caption.get(), "User3");
    EXPECT_EQ(e.lblSavedSt.Caption.get(), "Unknown.");

    e.txtMacro[0].Text.set(" hi there ");
    e.txtMacro[1].Text.set("   ");
    Command1_Click(e);
    EXPECT_EQ(ReadSetting("macro_0", "f1", f.ConfigPath), " hi there ");  // as typed
    EXPECT_EQ(w.dir.read("Config.ini").find("f2"), std::string::npos);    // blank: gone
    EXPECT_EQ(e.lblSavedSt.Caption.get(), "Last Saved: 12/7/2026 9:05:03 AM");
    EXPECT_EQ(f.menu_Macro[0].Caption.get(), " hi there ");  // the menu follows at once
    EXPECT_FALSE(f.menu_Macro[1].Enabled.get());
    w.clock.local = {2026, 12, 7, 21, 30, 0, 0};
    Command1_Click(e);
    EXPECT_EQ(e.lblSavedSt.Caption.get(), "Last Saved: 12/7/2026 9:30:00 PM");

    int shows = 0;
    f.showRequested.connect([&] { ++shows; });
    e.txtMacro[0].Text.set("lost");
    Command2_Click(e);
    Form_Unload(e);
    EXPECT_EQ(shows, 1);
    editor = std::make_unique<FrmMacroEditor>(f, f);
    Form_Load(*editor);
    EXPECT_EQ(editor->txtMacro[0].Text.get(), " hi there ");
    EXPECT_EQ(editor->lblSavedSt.Caption.get(), "Unknown.");

    editor->txtMacro[0].Text.set("");
    Command1_Click(*editor);  // all eight empty: the section goes
    EXPECT_EQ(w.dir.read("Config.ini").find("macro_0"), std::string::npos);
}

}  // namespace
}  // namespace orva::test
