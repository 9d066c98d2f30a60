// Lines the user sends, from the real window through the zone simulator to another connection:
// every chat kind, the chat log, the ignore list, a macro on F1, auto-commands and the zone hop.
#include <gtest/gtest.h>

#include <QTest>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "chat/ignore.h"
#include "e2e/client_world.h"
#include "zonesim.h"

namespace orva {
namespace {

using zonesim::pumpUntil;

const std::string kConfig =
    "[Config]\r\nVersion=1.1\r\n[User0]\r\nname=Tester\r\nchats=lobby\r\n"
    "auto=?away out\\first %selfname\r\n[macro_0]\r\nf1=macro from %selfname\r\n";

// Types the line into the input line and presses Enter, as a user would.
void type(ClientWorld& w, const std::string& text) {
    QTest::keyClicks(w.ui().txtOut, QString::fromLatin1(text));
    QTest::keyClick(w.ui().txtOut, Qt::Key_Return);
}

bool sentTo(zonesim::Server& sim, int id, const QByteArray& line) {
    return pumpUntil(
        [&] { return sim.sent(id).contains(line + '\n') || sim.sent(id).contains(line); }, 5000);
}

// A second client, named Other, on the first one's simulator.
struct TwoClients {
    TwoClients()
        : a(zonesim::Options{}, kConfig),
          b(zonesim::Options{},
            "[Config]\r\nVersion=1.1\r\n[User0]\r\nname=Other\r\nchats=lobby\r\n") {
        b.f().zones.Zones[0].Port = a.sim().port();
    }
    bool enter() {
        if (!a.started || !b.started || !a.enterArena()) return false;
        b.connectAs();
        if (!b.inArena()) return false;
        other = a.sim().findClient("Other");
        // Other's arrival reaches Tester's list; pick Other there.
        if (!pumpUntil([&] { return a.listed("\\tOther"); }, 5000)) return false;
        while (a.f().lstUsers.getContent2(a.f().lstUsers.listIndex()) != "Other")
            a.f().lstUsers.SelectDown();
        return other > 0;
    }
    ClientWorld a, b;
    int other = 0;
};

TEST(OutgoingE2E, ChatKindsReachTheOtherConnectionAutoCommandsOnce) {
    TwoClients t;
    ASSERT_TRUE(t.enter());
    zonesim::Server& sim = t.a.sim();
    const std::string me = "        Tester> ";
    const struct {
        std::string typed;
        QByteArray wire;     // what the simulator received from Tester
        QByteArray relayed;  // what it passed on to Other
        std::string shown;   // how Other's window shows it
    } cases[] = {
        {"hello all", "SEND:PUB:hello all", "MSG:PUB:Tester:hello all", "   " + me + "hello all"},
        {":other:by name", "SEND:PRIV:other:by name", "MSG:PRIV:Tester:by name",
         "P  " + me + "by name"},
        {"/to the selected", "SEND:PRIV:Other:to the selected", "MSG:PRIV:Tester:to the selected",
         "P  " + me + "to the selected"},
        {"'team talk", "SEND:FREQ:8025:team talk", "MSG:FREQ:Tester:team talk",
         "T  " + me + "team talk"},
        {"//team again", "SEND:FREQ:8025:team again", "MSG:FREQ:Tester:team again",
         "T  " + me + "team again"},
        {"\"their freq", "SEND:FREQ:8025:their freq", "MSG:FREQ:Tester:their freq",
         "T  " + me + "their freq"},
        {";on the channel", "SEND:CHAT:on the channel", "MSG:CHAT:1:Tester> on the channel",
         "C 1:" + me + "on the channel"},
        {"\\to the mods", "SEND:MOD:to the mods", "MSG:MOD:Tester:to the mods",
         "* " + me + "to the mods"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        type(t.a, c.typed);
        EXPECT_TRUE(sim.waitReceived(t.a.me, c.wire));
        EXPECT_TRUE(sentTo(sim, t.other, c.relayed));
        EXPECT_TRUE(t.b.waitShows(c.shown)) << t.b.f().txtLog.Text();
    }

    // The auto-commands went at the first arena entry, and not at the next.
    EXPECT_EQ(t.a.f().AwayMessage, "out");
    type(t.a, "?go duel");
    ASSERT_TRUE(pumpUntil([&] { return t.a.f().ArenaName == "duel"; }, 5000));
    type(t.a, "marker");  // behind anything the arena change sent
    ASSERT_TRUE(sim.waitReceived(t.a.me, "SEND:PUB:marker"));
    EXPECT_EQ(sim.received(t.a.me).count("SEND:PUB:first Tester"), 1);
}

TEST(OutgoingE2E, IgnoreLogAndMacro) {
    TwoClients t;
    ASSERT_TRUE(t.enter());
    zonesim::Server& sim = t.a.sim();

    // "?ignore" in another letter case keeps Other's lines out of the view.
    type(t.b, "before the ignore");
    ASSERT_TRUE(t.a.waitShows("   " + std::string(9, ' ') + "Other> before the ignore"));
    type(t.a, "?ignore OTHER");
    EXPECT_TRUE(IsIgnored(t.a.f(), "other"));
    type(t.b, "you should not see this");
    ASSERT_TRUE(sentTo(sim, t.a.me, "MSG:PUB:Other:you should not see this"));
    ASSERT_TRUE(
        pumpUntil([&] { return t.a.traced("S2C MSG:PUB:Other:you should not see this"); }, 5000));
    EXPECT_FALSE(t.a.shows("you should not see this"));

    // The chat log holds exactly the lines shown while it was open.
    type(t.a, "?log e2e.txt");
    type(t.a, "logged {line}");
    // F1 sends the stored macro, as a macro.
    QTest::keyClick(t.a.ui().txtOut, Qt::Key_F1);
    ASSERT_TRUE(sim.waitReceived(t.a.me, "SEND:PUBM:macro from Tester"));
    type(t.a, "?log");
    std::ifstream in(t.a.f().AppFolder + "logs/e2e.txt", std::ios::binary);
    std::stringstream log;
    log << in.rdbuf();
    const std::string me = "        Tester> ";
    // The desktop's date, the first word of its date and time.
    const std::string when(t.a.f().env.clock.dateTimeText());
    const std::string stamp = when.substr(0, when.find(' '));
    const std::string text = log.str();
    EXPECT_TRUE(text.starts_with(stamp)) << text;
    EXPECT_NE(text.find(" Log Opened.\r\nLog File: e2e.txt opened.\r\n   " + me +
                        "logged \\{line\\}\r\n   " + me + "macro from Tester\r\n" + stamp),
              std::string::npos)
        << text;
    EXPECT_TRUE(text.ends_with(" Log Closed.\r\n")) << text;
}

TEST(OutgoingE2E, HopsToAnotherZoneAfterYes) {
    ClientWorld w(zonesim::Options{});
    zonesim::Server second{zonesim::Options{}};
    ASSERT_TRUE(w.started && w.loaded && second.start());
    FrmMain& f = w.f();
    f.zones.Zones.push_back({"Second zone", "127.0.0.1", second.port(), 0, 0});
    f.zones.ZoneCount = 2;
    f.lstZones.AddItem("Second zone");
    ASSERT_TRUE(w.enterArena());

    type(w, "?hop 2");
    EXPECT_EQ(w.dialogs.shown.back(), "Hop?: Goto 'Second zone'?");
    ASSERT_TRUE(pumpUntil([&] { return second.findClient("Tester") > 0; }, 5000));
    ASSERT_TRUE(second.waitReceived(second.findClient("Tester"), "GO:"));
    EXPECT_TRUE(pumpUntil([&] { return !w.sim().isOpen(w.me); }, 5000));
    EXPECT_EQ(f.lstZones.ListIndex.get(), 1);
}

// Against the real server's flood count and line limit: a burst of typed lines and a long line
// all arrive, in order, and the sender is never muted.
TEST(OutgoingE2E, PacedBurstAndLongLineArriveUnmuted) {
    zonesim::Options options;
    options.floodRule = true;
    options.readPaceMs = 200;
    ClientWorld w(options);
    ASSERT_TRUE(w.started);
    ASSERT_TRUE(w.enterArena());
    QList<QByteArray> expected;
    for (int i = 1; i <= 20; ++i) {
        type(w, "burst " + std::to_string(i));
        expected.push_back("SEND:PUB:burst " + QByteArray::number(i));
    }
    std::string words;
    for (int i = 0; words.size() < 1200; ++i)
        words += (i ? " " : "") + std::string(7, static_cast<char>('a' + i % 26));
    type(w, words);
    // Twenty lines and three pieces at one per 1,200 ms after the first four.
    const auto chat = [&] {
        QList<QByteArray> out;
        for (const QByteArray& line : w.sim().received(w.me))
            if (line.startsWith("SEND:")) out.push_back(line);
        return out;
    };
    ASSERT_TRUE(pumpUntil([&] { return chat().size() >= 23; }, 40000)) << chat().size();
    const QList<QByteArray> got = chat();
    EXPECT_EQ(got.mid(0, 20), expected);
    QByteArray joined;
    for (const QByteArray& piece : got.mid(20)) {
        EXPECT_LE(piece.size(), 505);
        joined += (joined.isEmpty() ? "" : " ") + piece.mid(9);  // after "SEND:PUB:"
    }
    EXPECT_EQ(joined.toStdString(), words);
    for (const QByteArray& line : w.sim().sent(w.me))
        EXPECT_FALSE(line.contains("shut up")) << line.toStdString();
}

}  // namespace
}  // namespace orva
