#include "fonts/font_pick.h"

#include <gtest/gtest.h>

#include "config/setting_writes.h"
#include "config/settings.h"
#include "support/fakes.h"
#include "view/chat_font.h"

namespace orva::test {
namespace {

TEST(FontPick, LoadShowsFontSizesProfileAndPreview) {
    World w;
    FrmMain& f = w.f();
    w.dir.write("Config.ini",
                "[User0]\r\nname=Ann\r\n[User1]\r\nname=\"  \"\r\n[User2]\r\n"
                "name=\" Two \"\r\n");
    const std::pair<const char*, const char*> profiles[] = {
        {"User0", "(default)"}, {"User1", "(default)"}, {"User2", " Two "}};
    for (const auto& [profile, shown] : profiles) {
        f.ProfileID = profile;
        FrmFontPick p(f);
        Form_Load(p);
        EXPECT_EQ(p.lblProfile.Caption.get(), shown) << profile;
        EXPECT_EQ(p.cmbFont.items(), w.fonts.fonts);
        EXPECT_EQ(p.cmbSize.ListCount(), 11);
        EXPECT_EQ(p.RSamp.FontName, "Courier New");
        EXPECT_EQ(p.RSamp.FontSize, 9);
        EXPECT_EQ(p.RSamp.colours, (std::vector<ColourSpan>{{0, 22, rgb(160, 160, 255)},
                                                            {25, 23, rgb(255, 189, 41)}}));
    }
}

TEST(FontPick, PreviewRedrawsOnItsEventsOnly) {
    World w;
    FrmFontPick p(w.f());
    Form_Load(p);
    p.cmbFont.Text.set("Arial");
    p.cmbSize.Text.set("14");
    cmbSize_KeyDown(p, 'x');
    EXPECT_EQ(p.RSamp.FontName, "Courier New");
    for (auto event : {+[](FrmFontPick& q) { cmbSize_KeyDown(q, 13); }, &cmbSize_Validate,
                       &cmbFont_KeyUp, &cmbFont_Validate}) {
        p.RSamp.FontName.clear();
        event(p);
        EXPECT_EQ(p.RSamp.FontName, "Arial");
        EXPECT_EQ(p.RSamp.FontSize, 14);
    }
}

TEST(FontPick, SaveAppliesStoresAndConfirms) {
    struct Case {
        const char* face;
        const char* size;
        bool unwritable;
        const char* savedFace;  // nullptr: refused, nothing changes
        int savedSize;
    } cases[] = {
        {"Arial", "12.5", false, "Arial", 12},  // half to even
        {"", "abc", false, "Courier New", 9},   // no number at all: the defaults
        {"Tahoma", "255", false, "Tahoma", 255}, {"Tahoma", "0", false, nullptr, 0},
        {"Tahoma", "256", false, nullptr, 0},    {"Tahoma", "-3", false, nullptr, 0},
        {"Arial", "10", true, "Arial", 10},  // applied, but nothing stored
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.face) + "/" + c.size);
        World w;
        FrmMain& f = w.f();
        f.ProfileID = "User2";
        if (c.unwritable) f.ConfigPath = w.dir.file("missing/Config.ini");
        UpdateFontFace(f);  // as start-up leaves it
        FrmFontPick p(f);
        int closed = 0, shown = 0;
        p.unloadRequested.connect([&] { ++closed; });
        f.showRequested.connect([&] { ++shown; });
        Form_Load(p);
        p.cmbFont.Text.set(c.face);
        p.cmbSize.Text.set(c.size);
        cmdSave_Click(p);
        ASSERT_EQ(w.dialogs.calls.size(), 1u);
        const DialogCall& box = w.dialogs.calls[0];
        EXPECT_EQ(closed, c.savedFace ? 1 : 0);
        EXPECT_EQ(f.ChatFontName, c.savedFace ? c.savedFace : "Courier New");
        EXPECT_EQ(f.ChatFontSize, c.savedFace ? c.savedSize : 9);
        EXPECT_EQ(f.ChatFontHalfPoints, (f.ChatFontSize * 2) % 256);
        EXPECT_EQ(f.txtLog.FontName.get(), f.ChatFontName);
        const auto [text, title, icon] =
            !c.savedFace   ? std::tuple("The font size must be a number from 1 to 255.", "Font",
                                        MsgIcon::Exclamation)
            : c.unwritable ? std::tuple(kNotWrittenText, "Font Set", MsgIcon::Exclamation)
                           : std::tuple("Font-style Set.", "Font Set", MsgIcon::Information);
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.title, title);
        EXPECT_EQ(box.icon, icon);
        EXPECT_EQ(ReadSetting("User2", "FontType", f.ConfigPath),
                  c.savedFace && !c.unwritable ? c.savedFace : "");
        EXPECT_EQ(ReadSetting("User0", "FontType", f.ConfigPath), "");

        cmdClose_Click(p);  // Close shows the main window; Save does not
        EXPECT_EQ(shown, 1);
    }
}

}  // namespace
}  // namespace orva::test
