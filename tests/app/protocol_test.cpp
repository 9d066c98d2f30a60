#include "app/protocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "config/settings.h"
#include "support/core_fixture.h"

namespace orva::test {
namespace {

using Lines = std::vector<std::string>;

struct RosterRow {
    std::string name;
    int ship;
    int freq;
    bool operator==(const RosterRow&) const = default;
};

std::vector<RosterRow> rosterOf(const FrmMain& f) {
    std::vector<RosterRow> out;
    for (int i = 0; i < f.roster.PlayerCount; ++i) {
        const auto& r = f.roster.records[static_cast<size_t>(i)];
        out.push_back({r.Name, r.Ship, r.Freq});
    }
    return out;
}

void PrintTo(const RosterRow& r, std::ostream* os) {
    *os << r.name << "/" << r.ship << "/" << r.freq;
}

TEST(HandleProtocol, BeforeLogin) {
    const struct {
        std::string line;
        bool loggedIn;
        std::string selfName;
        Lines sent;
        Lines trace;  // after the S2C line
    } cases[] = {
        {"LOGINOK:Ann", true, "Ann", {"GO:"}, {"C2S GO:"}},
        {"loginok:ann", true, "ann", {"GO:"}, {"C2S GO:"}},
        {"LoginOK:A:b:c", true, "A:b:c", {"GO:"}, {"C2S GO:"}},
        {"LOGINOK:", true, "", {"GO:"}, {"C2S GO:"}},
        {"LOGINOK", false, "Ann", {}, {"Unhandled AUTH Command: LOGINOK"}},
        {"MSG:PUB:Bo:hi", false, "Ann", {}, {"Unhandled AUTH Command: MSG:PUB:Bo:hi"}},
        {"NOOP", false, "Ann", {}, {"Unhandled AUTH Command: NOOP"}},
        {" LOGINOK:Ann", false, "Ann", {}, {"Unhandled AUTH Command:  LOGINOK:Ann"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        CoreWorld w;
        w.connect();
        w.clearRecords();
        w.tcp->deliver(c.line + "\n");
        EXPECT_EQ(w.f().LoggedIn, c.loggedIn);
        EXPECT_EQ(w.f().SelfName, c.selfName);
        EXPECT_EQ(w.sentLines(), c.sent);
        Lines trace = {"S2C " + c.line};
        trace.insert(trace.end(), c.trace.begin(), c.trace.end());
        EXPECT_EQ(w.trace(), trace);
        EXPECT_TRUE(w.dialogs.calls.empty());
    }
}

TEST(HandleProtocol, LoginGoesToTheInitialArena) {
    for (const std::string arena : {"", "duel", " pub "}) {
        CoreWorld w;
        w.f().txtInitialArena.Text.set(arena);
        w.connect();
        w.clearRecords();
        w.tcp->deliver("LOGINOK:Ann\n");
        EXPECT_EQ(w.sentLines(), Lines{"GO:" + arena});
    }
}

TEST(HandleProtocol, LoginRefusedClosesBeforeTheBox) {
    CoreWorld w;
    w.connect();
    int closesAtBox = -1;
    bool closedTracedAtBox = false;
    w.dialogs.duringBox = [&] {
        closesAtBox = w.tcp->closes;
        closedTracedAtBox = w.traced("Connection closed.");
    };
    const int closesBefore = w.tcp->closes;
    w.tcp->deliver("LOGINBAD:incorrect password: twice\r\n");
    ASSERT_EQ(w.dialogs.calls.size(), 1u);
    EXPECT_EQ(w.dialogs.calls[0].text,
              "Invalid Log:\r\nServer Returned: incorrect password: twice");
    EXPECT_EQ(w.dialogs.calls[0].title, "Login Failed");
    EXPECT_EQ(w.dialogs.calls[0].icon, MsgIcon::Information);
    EXPECT_EQ(closesAtBox, closesBefore + 1);
    EXPECT_TRUE(closedTracedAtBox);
    EXPECT_FALSE(w.f().LoggedIn);
    EXPECT_TRUE(w.f().frmLogin.Visible.get());
    EXPECT_TRUE(w.f().tmrHalter->enabled());

    // The server's close that came with the refusal is no second end of the connection.
    w.tcp->peerClose();
    const auto trace = w.trace();
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "Connection closed."), 1);
}

// Own name Ann on frequency 100; Bo on 100 and Cy on 200 already in the arena.
struct ArenaWorld : CoreWorld {
    ArenaWorld() {
        enterArena(100);
        tcp->deliver("PLAYER:Bo:1:100\nPLAYER:Cy:2:200\n");
        clearRecords();
    }
};

// Lists and rosters as one text: "\tAnn \eBo" and "Ann/8/100 Bo/1/200".
std::string listText(const CoreWorld& w) {
    std::string out;
    for (const auto& e : w.list())
        out += (out.empty() ? "" : " ") + e;
    return out;
}

std::string rosterText(const FrmMain& f) {
    std::string out;
    for (const auto& r : rosterOf(f))
        out += (out.empty() ? "" : " ") + r.name + "/" + std::to_string(r.ship) + "/" +
               std::to_string(r.freq);
    return out;
}

const char* const kList = "\\tAnn \\tBo \\eCy";
const char* const kRoster = "Ann/8/100 Bo/1/100 Cy/2/200";

TEST(HandleProtocol, AfterLoginTable) {
    const struct {
        std::string line;
        Lines trace;  // after the S2C line
        Lines sent;
        std::vector<Shown> shown;
        std::string list, roster;
    } cases[] = {
        // clang-format off
        {"MSG:XYZ:1:a", {"Unhandled MSG Command:XYZ:1:a"}, {}, {}, kList, kRoster},
        {"mSg:xyz", {"Unhandled MSG Command:xyz"}, {}, {}, kList, kRoster},
        {"PLAYER:Dee:3:100", {}, {}, {}, "\\tAnn \\tBo \\eCy \\tDee", "Ann/8/100 Bo/1/100 Cy/2/200 Dee/3/100"},
        {"player:Dee:3:7", {}, {}, {}, "\\tAnn \\tBo \\eCy \\eDee", "Ann/8/100 Bo/1/100 Cy/2/200 Dee/3/7"},
        {"ENTERING:Dee:8:200", {}, {}, {{ColorStatus, "Player 'Dee' just entered arena."}},
         "\\tAnn \\tBo \\eCy \\eDee", "Ann/8/100 Bo/1/100 Cy/2/200 Dee/8/200"},
        // A second record, but no second entry.
        {"PLAYER:bo:4:200", {}, {}, {}, kList, "Ann/8/100 Bo/1/100 Cy/2/200 bo/4/200"},
        {"LEAVING:bo", {}, {}, {{ColorStatus, "Player 'bo' just left the arena."}}, "\\tAnn \\eCy", "Ann/8/100 Cy/2/200"},
        {"LEAVING:Zed", {}, {}, {{ColorStatus, "Player 'Zed' just left the arena."}}, kList, kRoster},
        {"SHIPFREQCHANGE:cy:5:100", {}, {}, {}, "\\tAnn \\tBo \\tcy", "Ann/8/100 Bo/1/100 cy/5/100"},
        {"NOOP", {"C2S NOOP"}, {"NOOP"}, {}, kList, kRoster},
        {"noop:x", {"C2S NOOP"}, {"NOOP"}, {}, kList, kRoster},
        {"LOGINOK:Ann", {"Unhandled CMD Command: LOGINOK:Ann"}, {}, {}, kList, kRoster},
        {"MSGX:PUB:Bo:hi", {"Unhandled CMD Command: MSGX:PUB:Bo:hi"}, {}, {}, kList, kRoster},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ArenaWorld w;
        w.tcp->deliver(c.line + "\n");
        Lines trace = {"S2C " + c.line};
        trace.insert(trace.end(), c.trace.begin(), c.trace.end());
        EXPECT_EQ(w.trace(), trace);
        EXPECT_EQ(w.sentLines(), c.sent);
        EXPECT_EQ(w.shown, c.shown);
        EXPECT_EQ(listText(w), c.list);
        EXPECT_EQ(rosterText(w.f()), c.roster);
        EXPECT_EQ(w.f().lstUsers.caption(), std::to_string(w.f().roster.PlayerCount) + " players.");
        EXPECT_TRUE(w.dialogs.calls.empty());
    }
}

TEST(HandleProtocol, ArenaEntryInOrder) {
    CoreWorld w;
    w.f().txtchats.Text.set("chat1,chat2");
    w.f().txtAuto.Text.set("hello");
    w.connect();
    w.tcp->deliver("LOGINOK:Ann\n");
    w.tcp->deliver("PLAYER:Old:1:1\n");  // a previous arena's player
    w.clearRecords();

    std::vector<RosterRow> rosterAtStatus;
    Lines listAtStatus;
    bool atStatus = true;  // the first line appended is the status line
    w.f().txtLog.appended.connect([&](bool) {
        if (!std::exchange(atStatus, false)) return;
        rosterAtStatus = rosterOf(w.f());
        listAtStatus = w.list();
    });
    Lines sentAtFocus;
    bool lockedAtFocus = true;
    w.f().txtOut.focusRequested.connect([&] {
        sentAtFocus = w.sentLines();
        lockedAtFocus = w.f().txtOut.Locked.get();
    });

    w.tcp->deliver("INARENA:duel:0\n");
    EXPECT_EQ(w.f().ArenaName, "duel");
    EXPECT_EQ(w.f().SelfFreq, 0);
    EXPECT_EQ(w.shown, (std::vector<Shown>{{ColorStatus, "You are now in arena 'duel'."},
                                           {ColorPublic, "              Ann> hello"}}));
    EXPECT_EQ(rosterAtStatus, (std::vector<RosterRow>{{"Ann", 8, 0}}));
    EXPECT_TRUE(listAtStatus.empty());
    EXPECT_EQ(w.list(), Lines{"\\tAnn"});
    EXPECT_EQ(sentAtFocus, (Lines{"SEND:PUB:?chat=chat1,chat2", "SEND:PUB:hello"}));
    EXPECT_FALSE(lockedAtFocus);
    EXPECT_TRUE(w.f().AutoCommandsSent);

    // The example arena: own frequency 0, one player on 0 and one on 100.
    w.tcp->deliver("PLAYER:Bo:1:0\nPLAYER:Cy:1:100\n");
    EXPECT_EQ(w.list(), (Lines{"\\tAnn", "\\tBo", "\\eCy"}));
    EXPECT_EQ(w.f().lstUsers.caption(), "3 players.");

    // The own frequency changes to 100: everyone is marked again.
    w.tcp->deliver("SHIPFREQCHANGE:Ann:8:100\n");
    EXPECT_EQ(w.f().SelfFreq, 100);
    EXPECT_EQ(w.list(), (Lines{"\\tAnn", "\\eBo", "\\tCy"}));
}

TEST(HandleProtocol, ShipFreqChangeOutOfStep) {
    {
        SCOPED_TRACE("unknown player");
        ArenaWorld w;
        w.tcp->deliver("SHIPFREQCHANGE:Zed:1:100\nNOOP\n");
        ASSERT_EQ(w.dialogs.calls.size(), 1u);
        EXPECT_EQ(w.dialogs.calls[0].text,
                  "Player not found in player list.\r\n\r\nPlease re-connect. (2)");
        EXPECT_EQ(w.dialogs.calls[0].title, "Player Sync Failed");
        EXPECT_EQ(w.dialogs.calls[0].icon, MsgIcon::Error);
        EXPECT_EQ(w.list(), (Lines{"\\tAnn", "\\tBo", "\\eCy"}));
        EXPECT_EQ(w.sentLines(), Lines{"NOOP"});  // the next line is handled
    }
    {
        SCOPED_TRACE("listed players missing from the roster");
        ArenaWorld w;
        w.f().lstUsers.AddItem("\\eGhost");
        w.f().lstUsers.AddItem("\\eHaze");
        w.tcp->deliver("SHIPFREQCHANGE:Ann:8:200\n");
        ASSERT_EQ(w.dialogs.calls.size(), 2u);
        for (const auto& call : w.dialogs.calls) {
            EXPECT_EQ(call.text, "Player not found in player list. (1)\r\n\r\nPlease re-connect.");
            EXPECT_EQ(call.title, "Player Sync Failed");
            EXPECT_EQ(call.icon, MsgIcon::Error);
        }
        // The entries after a missing one are still marked again.
        EXPECT_EQ(w.list(), (Lines{"\\tAnn", "\\eBo", "\\tCy", "\\eGhost", "\\eHaze"}));
    }
    {
        SCOPED_TRACE("own name differs in case: only the own entry");
        ArenaWorld w;
        w.tcp->deliver("SHIPFREQCHANGE:ann:8:200\n");
        EXPECT_EQ(w.f().SelfFreq, 100);
        EXPECT_EQ(w.list(), (Lines{"\\eann", "\\tBo", "\\eCy"}));
    }
    {
        SCOPED_TRACE("the box closes the connection: the rest of the line copes");
        ArenaWorld w;
        w.f().lstUsers.AddItem("\\eGhost");
        w.dialogs.duringBox = [&] { w.tcp->peerClose(); };
        w.tcp->deliver("SHIPFREQCHANGE:Ann:8:200\nNOOP\n");
        EXPECT_EQ(w.dialogs.calls.size(), 1u);
        EXPECT_TRUE(w.list().empty());
        EXPECT_TRUE(w.traced("Unhandled AUTH Command: NOOP"));
    }
}

TEST(HandleProtocol, MalformedLinesStopAtTheStepThatNeedsTheField) {
    const struct {
        std::string line;
        std::string roster, list, arena;
        int selfFreq;
        size_t shown;
    } cases[] = {
        // clang-format off
        {"INARENA", "", "", "0", 100, 0},
        {"INARENA:duel", "", "", "duel", 100, 0},
        {"INARENA:duel:12.5", "", "", "duel", 100, 0},
        {"INARENA:duel:40000", "", "", "duel", 100, 0},
        {"INARENA:duel:", "", "", "duel", 100, 0},
        {"INARENA:duel: -7 ", "Ann/8/-7", "\\tAnn", "duel", -7, 1},
        {"PLAYER", kRoster, kList, "0", 100, 0},
        {"PLAYER:Dee:1", kRoster, kList, "0", 100, 0},
        {"PLAYER:Dee:256:100", kRoster, kList, "0", 100, 0},
        {"PLAYER:Dee:-1:100", kRoster, kList, "0", 100, 0},
        {"PLAYER:Dee:1:32768", kRoster, kList, "0", 100, 0},
        {"ENTERING:Dee:1", kRoster, kList, "0", 100, 0},
        {"LEAVING", kRoster, kList, "0", 100, 0},
        {"SHIPFREQCHANGE", kRoster, kList, "0", 100, 0},
        {"SHIPFREQCHANGE:Bo", kRoster, kList, "0", 100, 0},
        {"SHIPFREQCHANGE:Bo:3", kRoster, kList, "0", 100, 0},
        {"SHIPFREQCHANGE:Bo:3:99999", kRoster, kList, "0", 100, 0},
        // The frequency is stored before the ship turns out unusable.
        {"SHIPFREQCHANGE:bo:300:200", "Ann/8/100 Bo/1/200 Cy/2/200", kList, "0", 100, 0},
        {"KILL:Ann:Bo:5", kRoster, kList, "0", 100, 0},
        // Values without a number read as 0; halves go to the even neighbour.
        {"PLAYER:Dee:x:y", "Ann/8/100 Bo/1/100 Cy/2/200 Dee/0/0", "\\tAnn \\tBo \\eCy \\eDee", "0", 100, 0},
        {"PLAYER:Dee:7.5:99.5", "Ann/8/100 Bo/1/100 Cy/2/200 Dee/8/100", "\\tAnn \\tBo \\eCy \\tDee", "0", 100, 0},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ArenaWorld w;
        w.f().ShowKillMessages = 1;
        w.tcp->deliver(c.line + "\nNOOP\n");
        EXPECT_EQ(rosterText(w.f()), c.roster);
        EXPECT_EQ(listText(w), c.list);
        EXPECT_EQ(w.f().ArenaName, c.arena);
        EXPECT_EQ(w.f().SelfFreq, c.selfFreq);
        EXPECT_EQ(w.shown.size(), c.shown);
        EXPECT_TRUE(w.dialogs.calls.empty());
        EXPECT_EQ(w.sentLines(), Lines{"NOOP"});  // the next line is handled normally
    }
}

TEST(HandleProtocol, KillNotices) {
    const struct {
        std::uint8_t show;
        std::string line;
        std::vector<Shown> shown;
    } cases[] = {
        {1, "KILL:Ann:Bo:5:0", {{ColorKill, "Bo(5) killed by Ann."}}},
        {1, "KILL:Ann:Bo:5:2", {{ColorKill, "Bo(5:2) killed by Ann."}}},
        {1, "kill:Ann:Bo:5:-1", {{ColorKill, "Bo(5) killed by Ann."}}},
        {1, "KILL:Ann:Bo:5:abc", {{ColorKill, "Bo(5) killed by Ann."}}},
        {1, "KILL:Ann:Bo:5:0.1", {{ColorKill, "Bo(5:0.1) killed by Ann."}}},
        {1, "KILL:Ann:Bo:x:2:extra", {{ColorKill, "Bo(x:2) killed by Ann."}}},
        {1, "KILL:A{1}:B\\o:5:0", {{ColorKill, "B\\o(5) killed by A{1}."}}},
        {0, "KILL:Ann:Bo:5:2", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ArenaWorld w;
        w.f().ShowKillMessages = c.show;
        SetLogFileName(w.f(), "kills.txt");
        w.f().chatLog.LogIsOpen = 255;
        w.tcp->deliver(c.line + "\n");
        EXPECT_EQ(w.shown, c.shown);
        EXPECT_EQ(w.trace(), Lines{"S2C " + c.line});
        // Shown only: the chat log gets nothing.
        EXPECT_FALSE(std::filesystem::exists(w.dir.file("logs/kills.txt")));
    }
    // The document holds the escaped text.
    ArenaWorld w;
    w.f().ShowKillMessages = 1;
    w.tcp->deliver("KILL:A{1}:B\\o:5:0\n");
    EXPECT_NE(w.f().txtLog.TextRTF().find("\\par\\fs18\\cf7 B\\\\o(5) killed by A\\{1\\}."),
              std::string::npos);
}

TEST(HandleProtocol, WatchedPlayerEntering) {
    ArenaWorld w;
    w.dir.write("Config.ini", "[Watch]\r\nDee=1\r\nEve=2\r\n");
    w.tcp->deliver("ENTERING:Dee:8:1\nENTERING:Eve:8:1\n");
    EXPECT_EQ(w.shown, (std::vector<Shown>{{ColorTeam, "* Player 'Dee' just entered arena."},
                                           {ColorStatus, "Player 'Eve' just entered arena."}}));
    EXPECT_EQ(w.sound.played, Lines{w.f().AppFolder + "watched.wav"});
}

// Status and highlight lines go to the document and, escaped, to the open chat log.
TEST(HandleProtocol, NoticesReachTheChatViewAndTheLog) {
    ArenaWorld w;
    w.dir.write("Config.ini", "[Watch]\r\n{Dee}=1\r\n");
    SetLogFileName(w.f(), "notices.txt");
    w.f().chatLog.LogIsOpen = 255;
    w.tcp->deliver("LEAVING:Bo\nENTERING:{Dee}:8:1\n");
    const std::string rtf = w.f().txtLog.TextRTF();
    EXPECT_NE(rtf.find("\\par\\fs18\\cf1 Player 'Bo' just left the arena."), std::string::npos);
    EXPECT_NE(rtf.find("\\par\\fs18\\cf6 * Player '\\{Dee\\}' just entered arena."),
              std::string::npos);
    const std::string log = w.dir.read("logs/notices.txt");
    EXPECT_NE(log.find("Player 'Bo' just left the arena."), std::string::npos);
    EXPECT_NE(log.find("* Player '\\{Dee\\}' just entered arena."), std::string::npos);
}

}  // namespace
}  // namespace orva::test
