#include "app/profiles.h"

#include <gtest/gtest.h>

#include "config/scramble.h"
#include "config/settings.h"
#include "support/fakes.h"

namespace orva::test {
namespace {

struct Profiles : ::testing::Test {
    World w;
    FrmMain& f = w.f();
    void SetUp() override { f.SecondKey = std::string(kSecondKey); }
    std::string get(const std::string& section, const std::string& key) {
        return ReadSetting(section, key, f.ConfigPath);
    }
};

TEST_F(Profiles, ListStopsAtTheFirstGapAndLocksTheName) {
    w.dir.write("Config.ini",
                "[User1]\r\nname= One \r\n[User2]\r\nname=\"   \"\r\n[User3]\r\nname=Three\r\n");
    loadProfileList(f);
    EXPECT_EQ(f.cmbManage.items(), (std::vector<std::string>{"(default)", "One"}));
    EXPECT_TRUE(f.cmbManage.Visible.get());
    EXPECT_TRUE(f.lblSelProfile.Visible.get());
    EXPECT_TRUE(f.txtUser.Locked.get());
    EXPECT_EQ(f.txtUser.ToolTipText.get(), "Field Locked. Use Config.ini to edit.");
}

TEST_F(Profiles, NoExtraProfileLeavesTheBoxHiddenAndTheNameEditable) {
    w.dir.write("Config.ini", "[User0]\r\nname=Zero\r\n");
    loadProfileList(f);
    EXPECT_EQ(f.cmbManage.ListCount(), 1);
    EXPECT_FALSE(f.cmbManage.Visible.get());
    EXPECT_FALSE(f.txtUser.Locked.get());
    EXPECT_EQ(f.txtUser.ToolTipText.get(), "Enter Playername.");
}

TEST_F(Profiles, EnterLoadsTheSelectedProfileAndEveryKeyIsSwallowed) {
    w.dir.write("Config.ini", "[User2]\r\nname=Two\r\npass=" + ScramblePassword("pw", kSecondKey) +
                                  "\r\nauto=?sheep\r\nchats=a,b\r\narena=x\r\n");
    f.cmbManage.ListIndex.set(2);
    bool swallow = false;
    cmbManage_KeyPress(f, 'a', swallow);
    EXPECT_TRUE(swallow);
    EXPECT_EQ(f.ProfileID, "User0");  // only Enter loads
    cmbManage_KeyPress(f, 13, swallow);
    EXPECT_EQ(f.ProfileID, "User2");
    EXPECT_EQ(f.lblProfileSt.Caption.get(), "User2");
    EXPECT_EQ(f.txtUser.Text.get(), "Two");
    EXPECT_EQ(f.txtPass.Text.get(), "pw");
    EXPECT_EQ(f.txtAuto.Text.get(), "?sheep");
    EXPECT_EQ(f.txtchats.Text.get(), "a,b");
    EXPECT_EQ(f.txtInitialArena.Text.get(), "x");

    f.txtInitialArena.Text.set("pub");
    cmdSaveArena_Click(f);  // saves go to the selected profile
    ASSERT_EQ(w.dialogs.calls.size(), 1u);
    EXPECT_EQ(w.dialogs.calls[0].text, "Data Saved.");
    EXPECT_EQ(w.dialogs.calls[0].title, "User2 Saved.");
    EXPECT_EQ(get("User2", "arena"), "pub");
    EXPECT_EQ(get("User0", "arena"), "");
}

TEST_F(Profiles, SaveButtonsWriteTheirField) {
    struct Case {
        void (*click)(FrmMain&);
        TextBox FrmMain::*box;
        const char* key;
    } cases[] = {
        {cmdSaveArena_Click, &FrmMain::txtInitialArena, "arena"},
        {cmdSaveAuto_Click, &FrmMain::txtAuto, "auto"},
        {cmdSaveChats_Click, &FrmMain::txtchats, "chats"},
    };
    for (const auto& c : cases) {
        (f.*c.box).Text.set(std::string("v-") + c.key);
        c.click(f);
        EXPECT_EQ(get("User0", c.key), std::string("v-") + c.key);
        EXPECT_EQ(w.dialogs.calls.back().title, "User0 Saved.");
        EXPECT_EQ(w.dialogs.calls.back().icon, MsgIcon::Information);
    }
}

TEST_F(Profiles, SavePassword) {
    f.txtUser.Text.set("Ann");
    f.txtPass.Text.set("pw");
    w.dialogs.answers = {MsgResult::Cancel};
    cmdSavePass_Click(f);
    EXPECT_FALSE(std::filesystem::exists(f.ConfigPath));  // cancel writes nothing
    EXPECT_EQ(w.dialogs.calls[0].text, "Confirm to save the password into profile.");
    EXPECT_EQ(w.dialogs.calls[0].title, "Save Password [Ann]");
    EXPECT_EQ(w.dialogs.calls[0].buttons, MsgButtons::OkCancel);

    cmdSavePass_Click(f);
    EXPECT_EQ(get("User0", "pass"), ScramblePassword("pw", kSecondKey));
    EXPECT_EQ(get("User0", "name"), "Ann");
    EXPECT_EQ(w.dialogs.calls.back().text, "Password Saved.");
    EXPECT_EQ(w.dialogs.calls.back().title, "Saved.");

    f.txtPass.Text.set("   ");  // blank removes the key
    cmdSavePass_Click(f);
    EXPECT_EQ(w.dialogs.calls.back().text, "Password Saved.");
    EXPECT_EQ(w.dir.read("Config.ini"), "[User0]\r\nname=Ann\r\n");
}

TEST_F(Profiles, PasswordTooLongToReadBackIsRefused) {
    f.txtUser.Text.set("Ann");
    f.txtPass.Text.set(std::string(57, 'p'));
    cmdSavePass_Click(f);
    EXPECT_EQ(UnscramblePassword(get("User0", "pass"), kSecondKey), std::string(57, 'p'));

    f.txtUser.Text.set("Bob");
    f.txtPass.Text.set(std::string(58, 'p'));
    const std::string before = w.dir.read("Config.ini");
    cmdSavePass_Click(f);
    EXPECT_EQ(w.dialogs.calls.back().text,
              "The password is too long to be saved. Use at most 57 characters.");
    EXPECT_EQ(w.dialogs.calls.back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(w.dir.read("Config.ini"), before);  // neither password nor name written
}

}  // namespace
}  // namespace orva::test
