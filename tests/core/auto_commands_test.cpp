#include "core/auto_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core_fixture.h"

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

}  // namespace
}  // namespace orva::test
