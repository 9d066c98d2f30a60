#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "chat/name_width.h"
#include "core/core_fixture.h"
#include "core/handlers.h"
#include "macros/macro_expand.h"
#include "macros/macro_menu.h"

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
    std::set<std::string> seen;
    for (int i = 0; i < 40; ++i) {
        const std::string value = MacroExpand(w.f(), "%freq");
        const int n = std::stoi(value);
        EXPECT_TRUE(n >= 101 && n <= 8999) << value;
        EXPECT_EQ(value, std::to_string(n));
        seen.insert(value);
    }
    // Forty draws at the same moment are not all alike.
    EXPECT_GT(seen.size(), 30u);
}

TEST(MacroMenu, LoadsTheStoreAndSendsOnlyUsableEntries) {
    CoreWorld w;
    FrmMain& f = w.f();
    w.dir.write("Config.ini",
                "[macro_0]\r\nf1=hello %selfname\r\nf2=   \r\nf3=?away gone \r\n"
                "f8=  a&b %red\r\n");
    wireHandlers(f);
    LoadMacroMenu(f);
    Lines captions;
    std::vector<bool> enabled;
    for (const auto& item : f.menu_Macro) {
        captions.push_back(item.Caption.get());
        enabled.push_back(item.Enabled.get());
    }
    EXPECT_EQ(captions, (Lines{"hello %selfname", "-macro-", "?away gone", "-macro-", "-macro-",
                               "-macro-", "-macro-", "a&b %red"}));
    EXPECT_EQ(enabled, (std::vector<bool>{true, false, true, false, false, false, false, true}));

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
