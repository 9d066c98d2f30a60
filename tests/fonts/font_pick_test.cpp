#include "fonts/font_pick.h"

#include <gtest/gtest.h>

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
        FrmFontPick p(f, f);
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

TEST(FontPick, SaveAppliesAndStoresOnlySizesThatFitAByte) {
    struct Case {
        const char* face;
        const char* size;
        const char* savedFace;  // nullptr: refused, nothing changes
        int savedSize;
    } cases[] = {
        {"Arial", "12.5", "Arial", 12},  // half to even
        {"", "abc", "Courier New", 9},   // no number at all: the defaults
        {"Tahoma", "255", "Tahoma", 255}, {"Tahoma", "0", nullptr, 0},
        {"Tahoma", "256", nullptr, 0},    {"Tahoma", "-3", nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.face) + "/" + c.size);
        World w;
        FrmMain& f = w.f();
        f.ProfileID = "User2";
        UpdateFontFace(f);  // as start-up leaves it
        FrmFontPick p(f, f);
        int closed = 0, shown = 0;
        p.unloadRequested.connect([&] { ++closed; });
        f.showRequested.connect([&] { ++shown; });
        Form_Load(p);
        p.cmbFont.Text.set(c.face);
        p.cmbSize.Text.set(c.size);
        cmdSave_Click(p);
        EXPECT_EQ(closed, c.savedFace ? 1 : 0);
        EXPECT_EQ(f.ChatFontName, c.savedFace ? c.savedFace : "Courier New");
        EXPECT_EQ(f.ChatFontSize, c.savedFace ? c.savedSize : 9);
        EXPECT_EQ(f.ChatFontHalfPoints, (f.ChatFontSize * 2) % 256);
        EXPECT_EQ(f.txtLog.FontName.get(), f.ChatFontName);
        EXPECT_EQ(ReadSetting("User2", "FontType", f.ConfigPath), c.savedFace ? c.savedFace : "");
        EXPECT_EQ(ReadSetting("User0", "FontType", f.ConfigPath), "");
        ASSERT_EQ(w.dialogs.calls.size(), 1u);
        const DialogCall& box = w.dialogs.calls[0];
        EXPECT_EQ(box.text, c.savedFace ? "Font-style Set."
                                        : "The font size must be a number from 1 to 255.");
        EXPECT_EQ(box.title, c.savedFace ? "Font Set" : "Font");
        EXPECT_EQ(box.icon, c.savedFace ? MsgIcon::Information : MsgIcon::Exclamation);
        cmdClose_Click(p);  // Close shows the main window; Save does not
        EXPECT_EQ(shown, 1);
    }
}

}  // namespace
}  // namespace orva::test
