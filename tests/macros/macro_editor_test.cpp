#include "macros/macro_editor.h"

#include <gtest/gtest.h>

#include "config/setting_writes.h"
#include "config/settings.h"
#include "support/fakes.h"

namespace orva::test {
namespace {

struct MacroEditor : ::testing::Test {
    World w;
    FrmMain& f = w.f();
    std::string stored(int n) {
        return ReadSetting("macro_0", "f" + std::to_string(n), f.ConfigPath);
    }
    std::vector<std::string> fields(const FrmMacroEditor& e) {
        std::vector<std::string> out;
        for (const TextBox& t : e.txtMacro)
            out.push_back(t.Text.get());
        return out;
    }
};

TEST_F(MacroEditor, OpensWithTheStoredMacros) {
    w.dir.write("Config.ini", "[macro_0]\r\nf1=hello\r\nf3=\"   \"\r\nf8=?away back soon\r\n");
    f.ProfileID = "User3";
    FrmMacroEditor e(f);
    Form_Load(e);
    EXPECT_EQ(fields(e),
              (std::vector<std::string>{"hello", "", "", "", "", "", "", "?away back soon"}));
    EXPECT_EQ(e.Caption.get(), "ORVA Macros");
    EXPECT_EQ(e.lblMacro[0].Caption.get(), "Shift F1");
    EXPECT_EQ(e.lblMacro[7].Caption.get(), "Shift F8");
    EXPECT_EQ(e.lblProfileSt.Caption.get(), "User3");
    EXPECT_EQ(e.lblSavedSt.Caption.get(), "Unknown.");
}

TEST_F(MacroEditor, SaveWritesTheFieldsAndShowsWhen) {
    w.dir.write("Config.ini", "[macro_0]\r\nf2=old\r\n");
    FrmMacroEditor e(f);
    Form_Load(e);
    e.txtMacro[0].Text.set(" hi there ");
    e.txtMacro[1].Text.set("   ");  // blanks remove the macro
    Command1_Click(e);
    EXPECT_EQ(stored(1), " hi there ");  // kept as typed, blanks included
    EXPECT_EQ(w.dir.read("Config.ini").find("f2"), std::string::npos);
    EXPECT_EQ(e.lblSavedSt.Caption.get(), "Last Saved: 12/7/2026 9:05:03 AM");

    w.clock.local = {2026, 12, 7, 21, 30, 0, 0};
    Command1_Click(e);  // the second save shows its own time
    EXPECT_EQ(e.lblSavedSt.Caption.get(), "Last Saved: 12/7/2026 9:30:00 PM");

    e.txtMacro[0].Text.set("");
    Command1_Click(e);  // all eight empty: the section goes
    EXPECT_EQ(w.dir.read("Config.ini").find("macro_0"), std::string::npos);
}

TEST_F(MacroEditor, CloseLosesEditsAndReopeningRereadsTheStore) {
    int shows = 0;
    f.showRequested.connect([&] { ++shows; });
    {
        FrmMacroEditor e(f);
        int unloads = 0;
        e.unloadRequested.connect([&] { ++unloads; });
        Form_Load(e);
        e.txtMacro[4].Text.set("kept");
        Command1_Click(e);
        e.txtMacro[4].Text.set("lost");
        Command2_Click(e);
        EXPECT_EQ(unloads, 1);
        Form_Unload(e);
        EXPECT_EQ(shows, 1);
    }
    FrmMacroEditor again(f);
    Form_Load(again);
    EXPECT_EQ(again.txtMacro[4].Text.get(), "kept");
    EXPECT_EQ(again.lblSavedSt.Caption.get(), "Unknown.");
}

TEST_F(MacroEditor, UnwritableConfigIsReported) {
    std::filesystem::create_directory(f.ConfigPath);
    FrmMacroEditor e(f);
    Form_Load(e);
    e.txtMacro[0].Text.set("hello");
    Command1_Click(e);
    ASSERT_EQ(w.dialogs.calls.size(), 1u);
    EXPECT_EQ(w.dialogs.calls[0].text, kNotWrittenText);
    EXPECT_EQ(w.dialogs.calls[0].title, "ORVA Macros");
    EXPECT_EQ(w.dialogs.calls[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(e.lblSavedSt.Caption.get(), "Unknown.");
}

}  // namespace
}  // namespace orva::test
