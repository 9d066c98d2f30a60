#include "app/outgoing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "chat/ignore.h"
#include "support/core_fixture.h"
#include "view/name_width.h"

namespace orva::test {
namespace {

using Lines = std::vector<std::string>;
using View = std::vector<Shown>;

const std::string kAnn = PadName("Ann", 14);
const std::string kNoUser = "Error: No user selected for private message.";

// In arena "0" on 8025 as Ann, Bob on 5 in the list (selected when asked, else nobody), a chat
// log open.
struct OutWorld : CoreWorld {
    explicit OutWorld(bool selectBob) {
        enterArena(8025);
        tcp->deliver("PLAYER:Bob:8:5\n");
        // The list selects its first entry by itself; "none" is set here.
        f().lstUsers.SelectedIndex = -1;
        if (selectBob)
            while (f().lstUsers.getContent2(f().lstUsers.listIndex()) != "Bob")
                f().lstUsers.SelectDown();
        SetLogFileName(f(), "t.txt");
        OpenLog(f());
        clearRecords();
    }
    void send(std::string line, std::uint8_t macro = 0) { HandleOutgoing(f(), line, macro); }
    // The log's lines after the one that opened it.
    Lines logLines() const {
        const std::string text = dir.read("logs/t.txt");
        Lines out;
        std::size_t start = text.find("\r\n") + 2;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos;
             start = end + 2)
            out.push_back(text.substr(start, end - start));
        return out;
    }
};

TEST(HandleOutgoing, WireViewAndLog) {
    const std::string pub = "   " + kAnn + "> ";
    // view: the one line shown, colour first; log "=" logs it as shown.
    const struct {
        std::string line;
        std::uint8_t macro;
        bool select;
        std::string wire;
        Shown view;
        std::string log;
    } cases[] = {
        {"hello", 0, false, "SEND:PUB:hello", {3, pub + "hello"}, "="},
        {"hello", 1, false, "SEND:PUBM:hello", {3, pub + "hello"}, "="},
        {"?help {x}",
         0,
         false,
         "SEND:PUB:?help {x}",
         {3, pub + "?help {x}"},
         pub + "?help \\{x\\}"},
        {"/hi", 0, false, "", {1, kNoUser}, "="},
        {"/hi", 0, true, "SEND:PRIV:Bob:hi", {2, "P  " + kAnn + "> hi"}, "="},
        {":Bob:hi", 0, false, "SEND:PRIV:Bob:hi", {2, ":Bob:hi"}, "P  :Bob:hi"},
        {":hi", 1, false, "SEND:PUB::hi", {3, pub + ":hi"}, "="},
        {"'hi", 0, false, "SEND:FREQ:8025:hi", {6, "T  " + kAnn + "> hi"}, "="},
        {"//hi", 0, true, "SEND:FREQ:8025:hi", {6, "T  " + kAnn + "> hi"}, "="},
        {"\"hi", 0, true, "SEND:FREQ:5:hi", {2, "E:  " + kAnn + "> hi"}, "E: " + kAnn + "> hi"},
        {"\"hi", 0, false, "", {1, kNoUser}, "="},
        {"\\hi", 0, false, "SEND:MOD:hi", {5, "* " + kAnn + "> hi"}, ""},
        {";hi", 0, false, "SEND:CHAT:hi", {4, "C 1:" + kAnn + "> hi"}, "="},
        {";3;hi", 0, false, "SEND:CHAT:3;hi", {4, "C 3:" + kAnn + "> hi"}, "="},
        {"=8025", 0, false, "", {1, "You are already on that frequency."}, "="},
        {"=7x", 0, false, "CHANGEFREQ:7x", {}, ""},
        {"?SHEEP x", 1, false, "SEND:PUB:?sheep", {}, ""},
        {"?go duel", 0, false, "GO:duel", {}, ""},
        {"?away  gone", 0, false, "", {1, "Away message is now ACTIVE."}, "="},
        {"?away  ", 0, false, "", {1, "Away message is DISABLED."}, "="},
        {"?namelen 100", 0, false, "", {2, "Message Name Length: 24"}, "   ="},
        {"?namelen -5", 0, false, "", {2, "Message Name Length: 5"}, "   ="},
        {"?namelen", 0, false, "", {2, "Message Name Length: 14"}, "   ="},
        {"?ignore  Bob ", 0, false, "", {1, "Ignoring: Bob"}, ""},
        {"?IGNORE", 0, true, "", {1, "Ignoring: Bob"}, ""},
        {"?ignore", 0, false, "", {1, "Error: No user selected to ignore."}, ""},
        {"?ignore Ann", 0, false, "", {1, "You can not ignore yourself."}, ""},
        {"?ignore a=b", 0, false, "", {1, "Error: That name can not be ignored."}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line + " macro " + std::to_string(c.macro));
        OutWorld w(c.select);
        w.send(c.line, c.macro);
        EXPECT_EQ(w.sentLines(), c.wire.empty() ? Lines{} : Lines{c.wire});
        EXPECT_EQ(w.shown, c.view.text.empty() ? View{} : View{c.view});
        const std::string log =
            c.log.ends_with("=") ? c.log.substr(0, c.log.size() - 1) + c.view.text : c.log;
        EXPECT_EQ(w.logLines(), log.empty() ? Lines{} : Lines{log});
    }
}

TEST(SplitForWire, CutsAtTheLastBlankThatFits) {
    const std::string a496(496, 'a'), a500(500, 'a');
    const struct {
        std::size_t head;
        std::string text;
        std::optional<Lines> pieces;
    } cases[] = {
        {4, a496, Lines{a496}},              // exactly 500 after "SEND:"
        {4, a496 + "b", Lines{a496, "b"}},   // 501: no blank, cut hard
        {0, a500 + " b", Lines{a500, "b"}},  // the blank right at the room
        {0, "x " + a500, Lines{"x", a500}},  // the word after it is longer
        {0, a500 + " ", Lines{a500}},        // the dropped blank was last
        {10, "ab cd " + std::string(495, 'e'), Lines{"ab cd", std::string(490, 'e'), "eeeee"}},
        {500, "x", std::nullopt},  // not even the head fits
        {0, "", Lines{""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 12) + " head " + std::to_string(c.head));
        EXPECT_EQ(SplitForWire(c.head, c.text), c.pieces);
    }
}

TEST(HandleOutgoing, LongLinesGoInPieces) {
    // 1,200 characters of five-letter words.
    std::string words;
    for (int i = 0; words.size() < 1200; ++i)
        words += (words.empty() ? "" : " ") + std::string(5, static_cast<char>('a' + i % 26));
    const struct {
        std::string prefix;
        bool select;
        std::string head;       // before each piece on the wire
        std::string shownHead;  // before each piece in the view
    } cases[] = {
        {"", false, "SEND:PUB:", "   " + kAnn + "> "},
        {"/", true, "SEND:PRIV:Bob:", "P  " + kAnn + "> "},
        {":Bob:", false, "SEND:PRIV:Bob:", ":Bob:"},
        {"'", false, "SEND:FREQ:8025:", "T  " + kAnn + "> "},
        {"\"", true, "SEND:FREQ:5:", "E:  " + kAnn + "> "},
        {"\\", false, "SEND:MOD:", "* " + kAnn + "> "},
        {";", false, "SEND:CHAT:", "C 1:" + kAnn + "> "},
        {";2;", false, "SEND:CHAT:2;", "C 2:" + kAnn + "> "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.head);
        OutWorld w(c.select);
        w.send(c.prefix + words);
        w.clock.advance(10000);
        const Lines wire = w.sentLines();
        ASSERT_EQ(wire.size(), 3u);
        ASSERT_EQ(w.shown.size(), 3u);
        std::string joined;
        for (std::size_t i = 0; i < wire.size(); ++i) {
            EXPECT_LE(wire[i].size(), 5 + kMaxSendText);
            ASSERT_TRUE(wire[i].starts_with(c.head)) << wire[i];
            const std::string piece = wire[i].substr(c.head.size());
            EXPECT_EQ(w.shown[i].text, c.shownHead + piece);
            joined += (i ? " " : "") + piece;
        }
        EXPECT_EQ(joined, words);
    }
    // A server command is never cut in two.
    OutWorld w(false);
    w.send("?" + words);
    EXPECT_EQ(w.sentLines(), Lines{});
    EXPECT_EQ(w.shown, (View{{1, "Not sent: the server takes at most 500 characters in a line."}}));
}

TEST(HandleOutgoing, CommandsChangeTheWindow) {
    const struct {
        std::string before, line;
        std::function<bool(OutWorld&)> holds;
    } cases[] = {
        {"", "?sheep", [](OutWorld& w) { return w.f().SheepSoundPending; }},
        {"", "?away  gone", [](OutWorld& w) { return w.f().AwayMessage == " gone"; }},
        {"?away x", "?away", [](OutWorld& w) { return w.f().AwayMessage.empty(); }},
        {"?ignore Bob", "?ignore bob",
         [](OutWorld& w) {
             return w.shown == View{{1, "Listening: bob"}} && !IsIgnored(w.f(), "BOB");
         }},
        {"", "?showlog", [](OutWorld& w) { return w.f().frmLog.Visible.get(); }},
        {"", "?quit", [](OutWorld& w) { return w.tcp->state != sckConnected && !w.f().LoggedIn; }},
        {"", "?reconnect",
         [](OutWorld& w) { return w.tcp->connects == 2 && w.tcp->host == "10.0.0.1"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        OutWorld w(false);
        if (!c.before.empty()) w.send(c.before);
        w.f().AwayRepliedTo = {"Bob"};
        w.clearRecords();
        w.send(c.line);
        EXPECT_TRUE(c.holds(w));
        // Setting or clearing the away message starts a new away period.
        if (c.line.starts_with("?away")) {
            EXPECT_TRUE(w.f().AwayRepliedTo.empty());
        }
    }
}

TEST(HandleOutgoing, LogCommand) {
    CoreWorld w;
    w.enterArena(8025);
    w.clearRecords();
    for (std::string line : {"?log  a/b:c ", "hi", "?LOG"})
        HandleOutgoing(w.f(), line, 0);
    EXPECT_EQ(
        w.shown,
        (View{{1, "Log File: a.b.c opened."}, {3, "   " + kAnn + "> hi"}, {1, "Log Closed."}}));
    EXPECT_EQ(w.dir.read("logs/a.b.c"),
              "12/7/2026 9:05:03 AM Log Opened.\r\n"
              "Log File: a.b.c opened.\r\n"
              "   " +
                  kAnn +
                  "> hi\r\n"
                  "12/7/2026 9:05:03 AM Log Closed.\r\n");

    // A log that cannot be written says so in its box and is not reported opened.
    std::filesystem::create_directories(w.dir.file("logs/x"));
    w.clearRecords();
    std::string line = "?log x";
    HandleOutgoing(w.f(), line, 0);
    EXPECT_EQ(LogIsOpen(w.f()), 0);
    EXPECT_EQ(w.dialogs.calls.size(), 1u);
    EXPECT_TRUE(w.shown.empty());
}

TEST(HandleOutgoing, EchoesWhileNotConnected) {
    CoreWorld w;
    std::string line = "%selfname!";
    w.f().SelfName = "Ann";
    HandleOutgoing(w.f(), line, 0);
    EXPECT_EQ(line, "Ann!");  // the caller gets the expanded line
    EXPECT_TRUE(w.tcp->sent.empty());
    EXPECT_EQ(w.shown, (View{{3, "   " + kAnn + "> Ann!"}}));
}

}  // namespace
}  // namespace orva::test
