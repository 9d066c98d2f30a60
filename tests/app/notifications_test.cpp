#include "app/notifications.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/switches.h"
#include "config/setting_writes.h"
#include "config/settings.h"
#include "config/switches.h"
#include "support/core_fixture.h"
#include "view/view_switches.h"

namespace orva::test {
namespace {

using Notes = std::vector<std::pair<std::string, std::string>>;

// In arena "0" as Ann with Bob on the own frequency, the window in the background.
struct NotifyWorld : CoreWorld {
    NotifyWorld() {
        dir.write("Config.ini",
                  "[Config]\r\nHighlight= pizza , ,Match Day\r\n[Ignore]\r\nMallory=1\r\n"
                  "[Watch]\r\nWanda=1\r\n");
        loadSwitches(f());
        wireNotifications(f());
        auto n = std::make_unique<FakeNotifier>();
        notes = n.get();
        f().notifier = std::move(n);
        enterArena();
        tcp->deliver("PLAYER:Bob:8:8025\n");
        settle();
        f().WindowActive.set(false);
    }
    FakeNotifier* notes = nullptr;
};

TEST(Notifications, WhatRaisesOneAndWhatIsMarked) {
    struct Step {
        std::vector<std::string> lines;
        bool active;
        std::uint8_t notify;
        Notes expected;
        int lastMarked;  // -1: the last line is not this step's
    } steps[] = {
        {{"MSG:PRIV:Bob:hi there"}, false, 1, {{"Private message from Bob", "hi there"}}, 0},
        {{"MSG:PUB:Carl:hey ANN, look"}, false, 1, {{"Carl mentioned you", "hey ANN, look"}}, 1},
        {{"MSG:PUB:Dora:Annie and xann_"}, false, 1, {}, 0},  // not the whole word
        {{"MSG:CHAT:1:Eve> who wants PIZZA?"},
         false,
         1,
         {{"Eve said pizza", "who wants PIZZA?"}},
         1},
        {{"MSG:FREQ:Bob:match day!"}, false, 1, {{"Bob said Match Day", "match day!"}}, 1},
        {{"MSG:PUB:Mallory:ann"}, false, 1, {}, -1},  // ignored: never heard
        {{"ENTERING:Wanda:8:8025"}, false, 1, {{"Wanda entered the arena", ""}}, 0},
        {{"ENTERING:Walt:8:8025"}, false, 1, {}, 0},
        // One per sender (in any letter case) every 2 s; the settle after each step is 1 s.
        {{"MSG:PRIV:Gus:a", "MSG:PRIV:Gus:b", "MSG:PUB:gus:ann"},
         false,
         1,
         {{"Private message from Gus", "a"}},
         1},
        {{"MSG:PRIV:Gus:c"}, false, 1, {}, 0},
        {{"MSG:PRIV:Gus:d"}, false, 1, {{"Private message from Gus", "d"}}, 0},
        // Marked whatever the window does; notified only in the background with the switch on.
        {{"MSG:PUB:Hal:ann?"}, true, 1, {}, 1},
        {{"MSG:PRIV:Ivy:x"}, false, 0, {}, 0},
    };
    NotifyWorld w;
    FrmMain& f = w.f();
    int unread = 0;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        const Step& s = steps[i];
        f.WindowActive.set(s.active);
        f.Notify = s.notify;
        w.notes->shown.clear();
        for (const auto& line : s.lines)
            w.tcp->deliver(line + "\n");
        w.settle();
        EXPECT_EQ(w.notes->shown, s.expected) << "step " << i;
        if (s.lastMarked >= 0) {
            EXPECT_EQ(f.txtLog.isMarked(f.txtLog.lineCount() - 1), s.lastMarked == 1)
                << "step " << i;
        }
        unread = s.active ? 0 : unread + static_cast<int>(s.expected.size());
        EXPECT_EQ(f.notifications.unread, unread) << "step " << i;
    }
    f.notifications.unread = 3;
    f.trayClicked.emit();
    EXPECT_EQ(f.notifications.unread, 0);
    EXPECT_EQ(w.notes->toolTip, "orva - Alpha");
    f.Notify = 1;
    w.tcp->deliver("MSG:PRIV:Jo:x\n");
    w.settle();
    EXPECT_EQ(w.notes->toolTip, "orva - Alpha (1 unread)");
    // A new document forgets the marks with the lines.
    ResetChatView(f);
    EXPECT_FALSE(f.txtLog.isMarked(f.txtLog.lineCount() - 1));
}

TEST(Notifications, HighlightWordsBoxShowsAndStoresTheList) {
    NotifyWorld w;
    FrmMain& f = w.f();
    w.dialogs.inputs = {std::string("tea, cake"), std::nullopt, std::string("lost")};
    menu_HighlightWords_Click(f);
    EXPECT_EQ(w.dialogs.calls.back().title, "Highlight Words");
    EXPECT_EQ(w.dialogs.calls.back().text, "Words that notify you, separated by commas:");
    EXPECT_EQ(ReadSetting("Config", "Highlight", f.ConfigPath), "tea, cake");
    menu_HighlightWords_Click(f);  // cancelled: nothing changes
    EXPECT_EQ(w.dialogs.initials, (std::vector<std::string>{"pizza , ,Match Day", "tea, cake"}));
    EXPECT_EQ(f.HighlightWords, "tea, cake");
    std::filesystem::remove(f.ConfigPath);
    std::filesystem::create_directory(f.ConfigPath);  // no file can be written there
    menu_HighlightWords_Click(f);
    EXPECT_EQ(f.HighlightWords, "tea, cake");
    EXPECT_EQ(f.txtLog.line(f.txtLog.lineCount() - 1).text, kNotWrittenText);
}

}  // namespace
}  // namespace orva::test
