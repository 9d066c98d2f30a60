#include "fonts/font_pick.h"

#include <gtest/gtest.h>

#include "config/setting_writes.h"
#include "config/settings.h"
#include "support/fakes.h"
#include "view/chat_lines.h"

namespace orva::test {
namespace {

struct FontPick : ::testing::Test {
    World w;
    FrmMain& f = w.f();
    FrmFontPick p{f};
    int unloads = 0, shows = 0;
    void SetUp() override {
        p.unloadRequested.connect([this] { ++unloads; });
        f.showRequested.connect([this] { ++shows; });
    }
};

TEST_F(FontPick, LoadShowsTheFontTheSizesAndThePreview) {
    Form_Load(p);
    EXPECT_EQ(p.cmbFont.items(), w.fonts.fonts);
    EXPECT_EQ(p.cmbFont.Text.get(), "Courier New");
    EXPECT_EQ(p.cmbSize.Text.get(), "9");
    EXPECT_EQ(p.cmbSize.items(), (std::vector<std::string>{"8", "9", "10", "12", "14", "16", "18",
                                                           "20", "24", "32", "48"}));
    EXPECT_EQ(p.RSamp.Text, "           Dummy1> aww \r\nP          Dummy2> aww ");
    EXPECT_EQ(p.RSamp.FontName, "Courier New");
    EXPECT_EQ(p.RSamp.FontSize, 9);
    EXPECT_EQ(p.RSamp.colours,
              (std::vector<ColourSpan>{{0, 22, rgb(160, 160, 255)}, {25, 23, rgb(255, 189, 41)}}));
}

TEST_F(FontPick, ProfileLabelNamesTheProfileTheFontGoesTo) {
    w.dir.write("Config.ini",
                "[User0]\r\nname=Ann\r\n[User1]\r\nname=\"  \"\r\n[User2]\r\nname=\" Two \"\r\n");
    const std::pair<const char*, const char*> cases[] = {
        {"User0", "(default)"}, {"User1", "(default)"}, {"User2", " Two "}};
    for (const auto& [profile, shown] : cases) {
        f.ProfileID = profile;
        FrmFontPick picker(f);
        Form_Load(picker);
        EXPECT_EQ(picker.lblProfile.Caption.get(), shown) << profile;
    }
}

TEST_F(FontPick, PreviewRedrawsOnItsEventsOnly) {
    Form_Load(p);
    int redraws = 0;
    p.RSamp.redrawn.connect([&] { ++redraws; });
    p.cmbSize.Text.set("14");
    p.cmbFont.Text.set("Arial");
    cmbSize_KeyDown(p, 'x');
    EXPECT_EQ(redraws, 0);
    const std::pair<void (*)(FrmFontPick&), const char*> events[] = {
        {[](FrmFontPick& q) { cmbSize_KeyDown(q, 13); }, "size Enter"},
        {cmbSize_Validate, "size validate"},
        {cmbFont_KeyUp, "font key up"},
        {cmbFont_Validate, "font validate"}};
    for (const auto& [event, name] : events) {
        const int before = redraws;
        event(p);
        EXPECT_EQ(redraws, before + 1) << name;
    }
    EXPECT_EQ(p.RSamp.FontName, "Arial");
    EXPECT_EQ(p.RSamp.FontSize, 14);
}

TEST_F(FontPick, SaveAppliesStoresAndConfirms) {
    struct Case {
        const char* face;
        const char* size;
        bool unwritable;
        const char* savedFace;  // nullptr: refused, nothing changes
        int savedSize;
    } cases[] = {
        {"Arial", "12", false, "Arial", 12},
        {"Arial", "12.5", false, "Arial", 12},  // half to even
        {"", "abc", false, "Courier New", 9},   // no number at all: the defaults
        {"Tahoma", "255", false, "Tahoma", 255},
        {"Tahoma", "0", false, nullptr, 0},
        {"Tahoma", "256", false, nullptr, 0},
        {"Tahoma", "-3", false, nullptr, 0},
        {"Arial", "10", true, "Arial", 10},  // applied, but the file says nothing was saved
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.face) + "/" + c.size);
        World cw;
        FrmMain& m = cw.f();
        m.ProfileID = "User2";
        if (c.unwritable) m.ConfigPath = cw.dir.file("missing/Config.ini");
        FrmFontPick picker(m);
        int closed = 0;
        picker.unloadRequested.connect([&] { ++closed; });
        Form_Load(picker);
        picker.cmbFont.Text.set(c.face);
        picker.cmbSize.Text.set(c.size);
        cmdSave_Click(picker);
        ASSERT_EQ(cw.dialogs.calls.size(), 1u);
        const DialogCall& box = cw.dialogs.calls[0];
        if (!c.savedFace) {
            EXPECT_EQ(box.text, "The font size must be a number from 1 to 255.");
            EXPECT_EQ(box.icon, MsgIcon::Exclamation);
            EXPECT_EQ(closed, 0);
            EXPECT_EQ(m.ChatFontName, "Courier New");
            EXPECT_EQ(m.ChatFontSize, 9);
            EXPECT_EQ(cw.dir.read("Config.ini"), "");
            continue;
        }
        EXPECT_EQ(closed, 1);
        EXPECT_EQ(m.ChatFontName, c.savedFace);
        EXPECT_EQ(m.ChatFontSize, c.savedSize);
        EXPECT_EQ(m.txtOut.FontName.get(), c.savedFace);
        EXPECT_EQ(m.txtLog.FontName.get(), c.savedFace);
        EXPECT_NE(m.ChatViewInitialRtf.find(std::string("\\fcharset0 ") + c.savedFace + ";}"),
                  std::string::npos);
        std::string line = "hi";
        AppendChatLine(m, line, 3);
        EXPECT_NE(m.txtLog.TextRTF().find("\\par\\fs" + std::to_string((c.savedSize * 2) % 256) +
                                          "\\cf3 hi"),
                  std::string::npos);
        EXPECT_EQ(box.title, "Font Set");
        if (c.unwritable) {
            EXPECT_EQ(box.text, kNotWrittenText);
            EXPECT_EQ(box.icon, MsgIcon::Exclamation);
            continue;
        }
        EXPECT_EQ(box.text, "Font-style Set.");
        EXPECT_EQ(box.icon, MsgIcon::Information);
        EXPECT_EQ(ReadSetting("User2", "FontType", m.ConfigPath), c.savedFace);
        EXPECT_EQ(ReadSetting("User2", "FontSize", m.ConfigPath), std::to_string(c.savedSize));
        EXPECT_EQ(ReadSetting("User0", "FontType", m.ConfigPath), "");
    }
}

TEST_F(FontPick, CloseChangesNothing) {
    Form_Load(p);
    p.cmbFont.Text.set("Arial");
    p.cmbSize.Text.set("20");
    cmdClose_Click(p);
    EXPECT_EQ(unloads, 1);
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(f.ChatFontName, "Courier New");
    EXPECT_EQ(f.ChatFontSize, 9);
    EXPECT_TRUE(w.dialogs.calls.empty());
}

}  // namespace
}  // namespace orva::test
