#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/handlers.h"
#include "app/macro_keys.h"
#include "macros/macro_expand.h"
#include "macros/macro_menu.h"
#include "support/core_fixture.h"
#include "view/name_width.h"

namespace orva::test {
namespace {

using Lines = std::vector<std::string>;

TEST(MacroExpand, VariablesInOrder) {
    const struct {
        std::string tick;  // name of the selected player, empty for none
        std::string line, want;
    } cases[] = {
        {"", "hi %selfname, %SELFNAME", "hi Ann, %SELFNAME"},
        {"Bob", "to %tickname%tickname", "to BobBob"},
        {"", "to %tickname.", "to ."},
        {"", "%version", "ORVA 1.2, by Ostrelle"},
        {"", "[%squad|%bounty|%flags|%energy]", "[|-1|0|0]"},
        {"", "%killer%killed%coord%area|", "|"},
        {"", "a%redname%redbounty%redflags%red b", "a b"},
        {"", "%redx %reflags", "x %reflags"},
        // Values are scanned by the later steps.
        {"%bounty", "%tickname", "-1"},
        {"", "%selfname", "Ann"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        CoreWorld w;
        w.enterArena(8025);
        w.f().lstUsers.SelectedIndex = -1;
        if (!c.tick.empty()) {
            w.tcp->deliver("PLAYER:" + c.tick + ":8:5\n");
            while (w.f().lstUsers.getContent2(w.f().lstUsers.listIndex()) != c.tick)
                w.f().lstUsers.SelectDown();
        }
        EXPECT_EQ(MacroExpand(w.f(), c.line), c.want);
    }
}

TEST(MacroExpand, FreqIsAFreshNumberEachTime) {
    CoreWorld w;
    std::set<int> seen;
    for (int i = 0; i < 40; ++i) {
        const int n = std::stoi(MacroExpand(w.f(), "%freq"));
        EXPECT_TRUE(n >= 101 && n <= 8999) << n;
        seen.insert(n);
    }
    EXPECT_GT(seen.size(), 30u);  // forty draws in the same second are not alike
}

TEST(MacroMenu, LoadsTheStoreAndSendsOnlyUsableEntries) {
    CoreWorld w;
    FrmMain& f = w.f();
    w.dir.write("Config.ini",
                "[macro_0]\r\nf1=hello %selfname\r\nf2=   \r\nf3=?away gone \r\n"
                "f8=  a&b %red\r\n");
    wireHandlers(f);
    LoadMacroMenu(f, f);
    Lines entries;
    for (const auto& item : f.menu_Macro)
        entries.push_back(item.Caption.get() + (item.Enabled.get() ? "" : " (off)"));
    EXPECT_EQ(entries, (Lines{"hello %selfname", "-macro- (off)", "?away gone", "-macro- (off)",
                              "-macro- (off)", "-macro- (off)", "-macro- (off)", "a&b %red"}));

    // Disconnected: nothing.
    f.menu_Macro[0].clicked.emit();
    EXPECT_TRUE(w.tcp->sent.empty());
    EXPECT_TRUE(w.shown.empty());

    w.enterArena(8025);
    w.clearRecords();
    for (int i : {0, 1, 7, 2})
        f.menu_Macro[static_cast<std::size_t>(i)].clicked.emit();
    menu_Macro_Click(f, 8);
    menu_Macro_Click(f, -1);
    EXPECT_EQ(w.sentLines(), (Lines{"SEND:PUBM:hello Ann", "SEND:PUBM:a&b "}));
    EXPECT_EQ(f.AwayMessage, "gone");
}

}  // namespace
}  // namespace orva::test
