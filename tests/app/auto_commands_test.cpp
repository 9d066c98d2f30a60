#include "app/auto_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/outgoing.h"
#include "support/core_fixture.h"

namespace orva::test {
namespace {

using Lines = std::vector<std::string>;

TEST(ProcessAuto, SendsThePiecesOncePerConnection) {
    std::string fifteen;
    Lines eleven;
    for (int i = 0; i < 15; ++i) {
        fifteen += (i ? "\\c" : "c") + std::to_string(i);
        if (i < 11) eleven.push_back("SEND:PUB:c" + std::to_string(i));
    }
    const struct {
        std::string box;
        Lines sent;
        bool sheep;
        bool flagged;
    } cases[] = {
        {"one\\two", {"SEND:PUB:one", "SEND:PUB:two"}, false, true},
        {fifteen, eleven, false, true},
        {" one \\ two", {"SEND:PUB: one ", "SEND:PUB: two"}, false, true},
        {"a\\\\b\\", {"SEND:PUB:a", "SEND:PUB:", "SEND:PUB:b", "SEND:PUB:"}, false, true},
        {" ?sheep\\x", {"SEND:PUB: ?sheep", "SEND:PUB:x"}, false, true},
        {"   ", {}, false, false},
        {"", {}, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        CoreWorld w;
        w.f().txtAuto.Text.set(c.box);
        w.connect();
        w.tcp->deliver("LOGINOK:Ann\n");
        w.clearRecords();
        w.tcp->deliver("INARENA:0:1\n");
        w.clock.advance(8400);  // eleven chat lines are paced over 8.4 s
        EXPECT_EQ(w.sentLines(), c.sent);
        EXPECT_EQ(w.f().SheepSoundPending, c.sheep);
        EXPECT_EQ(w.f().AutoCommandsSent, c.flagged);

        // An arena change on the same connection sends nothing again.
        w.clearRecords();
        w.tcp->deliver("INARENA:duel:1\n");
        EXPECT_TRUE(w.sentLines().empty());
    }
}

TEST(ProcessAuto, SheepInAnyCaseSetsTheCue) {
    for (const std::string piece : {"?sheep", "?SHEEP", "?Sheep"}) {
        CoreWorld w;
        w.f().txtAuto.Text.set("hi\\" + piece);
        ProcessAuto(w.f());
        EXPECT_TRUE(w.f().SheepSoundPending) << piece;
    }
}

TEST(ProcessAuto, ANewConnectionSendsThemAgain) {
    CoreWorld w;
    w.f().txtAuto.Text.set("hello");
    w.enterArena(1);
    w.tcp->peerClose();
    w.clearRecords();
    w.enterArena(1);
    EXPECT_EQ(w.sentLines(),
              (Lines{"LOGIN:1;;ORVA 1.2, by Ostrelle:Ann:pw", "GO:", "SEND:PUB:hello"}));
}

TEST(ProcessAuto, APieceThatReconnectsDoesNotRunThemAgain) {
    CoreWorld w;
    w.f().txtAuto.Text.set("?reconnect\\late");
    w.enterArena(1);
    EXPECT_EQ(w.tcp->connects, 2);
    // The new connection's arena entry sends nothing, so "?reconnect" cannot loop for ever.
    w.clearRecords();
    w.tcp->acceptConnection();
    w.tcp->deliver("LOGINOK:Ann\nINARENA:0:1\n");
    EXPECT_TRUE(w.f().AutoCommandsSent);
    EXPECT_EQ(w.tcp->connects, 2);
    EXPECT_EQ(w.sentLines(), (Lines{"LOGIN:1;;ORVA 1.2, by Ostrelle:Ann:pw", "GO:"}));
}

TEST(HopServer, AsksThenMovesToTheZone) {
    const struct {
        std::string line;
        MsgResult answer;
        bool asked, hopped;
    } cases[] = {
        {"?hop 2", MsgResult::Yes, true, true},     {"?HOP 2.4", MsgResult::No, true, false},
        {"?hop 1", MsgResult::Yes, false, false},  // the zone already selected
        {"?hop", MsgResult::Yes, false, false},     {"?hop 3", MsgResult::Yes, false, false},
        {"?hop 258", MsgResult::Yes, false, false},  // no zone 2 by wrapping round
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        CoreWorld w;
        FrmMain& f = w.f();
        f.txtAuto.Text.set("again");
        w.enterArena(1);
        w.clearRecords();
        w.dialogs.answers = {c.answer};
        std::string line = c.line;
        HandleOutgoing(f, line, 0);
        ASSERT_EQ(w.dialogs.calls.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            const DialogCall& box = w.dialogs.calls[0];
            EXPECT_EQ(box.text + "|" + box.title, "Goto 'Beta'?|Hop?");
            EXPECT_EQ(box.buttons, MsgButtons::YesNo);
            EXPECT_EQ(box.icon, MsgIcon::None);
        }
        EXPECT_EQ(w.tcp->host, c.hopped ? "10.0.0.2" : "10.0.0.1");
        EXPECT_EQ(w.tcp->state == sckConnected, !c.hopped);
        // The hop connects at once: no hold on Connect is left running.
        EXPECT_FALSE(f.tmrHalter->enabled());
        if (!c.hopped) continue;
        // A new connection: the auto-commands go again at its first arena.
        w.tcp->acceptConnection();
        w.tcp->deliver("LOGINOK:Ann\nINARENA:0:1\n");
        EXPECT_EQ(w.sentLines().back(), "SEND:PUB:again");
    }
}

}  // namespace
}  // namespace orva::test
