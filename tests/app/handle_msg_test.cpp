#include "app/handle_msg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/core_fixture.h"
#include "view/view_test_util.h"

namespace orva::test {
namespace {

std::string sp(std::size_t n) {
    return std::string(n, ' ');
}

// In arena "0" as Ann (freq 8025) with Bob and Roberto on the own frequency, Eve on another and
// the ignored Mallory; a chat log open.
struct ChatWorld : CoreWorld {
    ChatWorld() {
        dir.write("Config.ini", "[Ignore]\r\nMallory=1\r\n");
        enterArena();
        tcp->deliver(
            "PLAYER:Bob:8:8025\nPLAYER:Eve:1:100\nPLAYER:Mallory:8:8025\nPLAYER:Roberto:8:8025\n");
        settle();
        SetLogFileName(f(), "chat.txt");
        OpenLog(f());
        clearRecords();
        logStart = dir.read("logs/chat.txt").size();
    }
    void receive(const std::vector<std::string>& lines) {
        for (const auto& line : lines)
            tcp->deliver(line + "\n");
        settle();
    }
    std::vector<std::string> viewLines() const {
        std::vector<std::string> out;
        for (std::size_t i = form->txtLog.lineCount() - shown.size(); i < form->txtLog.lineCount();
             ++i)
            out.push_back(describe(form->txtLog.line(i)));
        return out;
    }
    std::vector<std::string> logLines() const {
        std::vector<std::string> out;
        const std::string text = dir.read("logs/chat.txt").substr(logStart);
        for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos;
             at = end + 2)
            out.push_back(text.substr(at, end - at));
        return out;
    }
    std::vector<std::string> unhandled() const {
        std::vector<std::string> out;
        for (const auto& line : trace())
            if (line.starts_with("Unhandled")) out.push_back(line);
        return out;
    }
    std::vector<std::string> sounds() const {
        std::vector<std::string> out;
        for (const auto& path : sound.played)
            out.push_back(path.substr(dir.path().size()));
        return out;
    }
    std::size_t logStart = 0;
};

TEST(HandleMSG, ShowsLogsAndFiltersEverySubType) {
    struct Case {
        std::vector<std::string> in;
        std::vector<std::string> view;
        std::vector<std::string> log;  // lines the chat log gained
        std::vector<std::string> sounds = {};
        std::vector<std::string> traced = {};
        std::uint8_t nameWidth = 14;
        bool macros = false;
        bool sheep = false;
    };
    const std::string pub = "<c3 18>   ";
    const Case cases[] = {
        // Public lines; colons in the text survive, escapes only in the log.
        {{"MSG:PUB:Bob:a:b:c"}, {pub + sp(11) + "Bob> a:b:c"}, {"   " + sp(11) + "Bob> a:b:c"}},
        {{"MSG:PUB:Bob:{x}\\y"},
         {pub + sp(11) + "Bob> {x}\\y"},
         {"   " + sp(11) + "Bob> \\{x\\}\\\\y"}},
        {{"MSG:PUB:Mallory:hi", "MSG:pub:mallory:hi"}, {}, {}},
        // Public macros, in both spellings, only while switched on; never from the ignored.
        {{"MSG:PUBMAC:Bob:m", "MSG:PUBM:Bob:n"}, {}, {}},
        {{"MSG:PUBMAC:Bob:m", "MSG:PUBM:Bob:n", "MSG:PUBM:Mallory:o"},
         {pub + sp(11) + "Bob> m", pub + sp(11) + "Bob> n"},
         {"   " + sp(11) + "Bob> m", "   " + sp(11) + "Bob> n"},
         {},
         {},
         14,
         true},
        // Private: in the arena, remote, a long remote name, ignored.
        {{"MSG:PRIV:Bob:hi:x"},
         {"<c2 18>P  " + sp(11) + "Bob> hi:x"},
         {"P  " + sp(11) + "Bob> hi:x"},
         {"pm-received.wav"}},
        {{"MSG:PRIV:Zed:{y}", "MSG:PRIV:ABCDEFGHIJKLMNOPQRST:z"},
         {"<c2 18>P  " + sp(11) + "(Zed)> {y}", "<c2 18>P  (ABCDEFGHIJKLMN)> z"},
         {"P  " + sp(11) + "(Zed)> \\{y\\}", "P  (ABCDEFGHIJKLMN)> z"},
         {"pm-received.wav", "pm-received.wav"}},
        {{"MSG:PRIV:Mallory:psst"}, {}, {}},
        // Blanks around a name do not shift where the text starts.
        {{"MSG:PRIV: Bob :hi"},
         {"<c2 18>P  " + sp(9) + "( Bob )> hi"},
         {"P  " + sp(9) + "( Bob )> hi"},
         {"pm-received.wav"}},
        // Team: own frequency, another one (logged unescaped, with "T  "), not in the roster.
        {{"MSG:FREQ:Bob:go:now"},
         {"<c6 18>T  " + sp(11) + "Bob> go:now"},
         {"T  " + sp(11) + "Bob> go:now"}},
        {{"MSG:FREQ:Eve:{a}\\"},
         {"<c2 18>E<c1 18>  " + sp(11) + "Eve<c2 18>> {a}\\"},
         {"T  " + sp(11) + "Eve> {a}\\"}},
        {{"MSG:FREQ:Zed:hi", "MSG:FREQ:Mallory:hi"}, {}, {}},
        // Channels: two-letter names, "> " in the text, two-digit channels, no number.
        {{"MSG:CHAT:1:Al> hi", "MSG:CHAT:2:Bob> a> b", "MSG:CHAT:10:Bob> c:d", "MSG:CHAT:x:Al> y"},
         {"<c4 18>C 1:" + sp(12) + "Al> hi", "<c4 18>C 2:" + sp(11) + "Bob> a> b",
          "<c4 18>C 10:" + sp(11) + "Bob> c:d", "<c4 18>C 0:" + sp(12) + "Al> y"},
         {"C 1:" + sp(12) + "Al> hi", "C 2:" + sp(11) + "Bob> a> b", "C 10:" + sp(11) + "Bob> c:d",
          "C 0:" + sp(12) + "Al> y"}},
        {{"MSG:CHAT:3:Mallory> x", "MSG:CHAT:12:Mallory> x", "MSG:CHAT:1:no arrow"}, {}, {}},
        // Staff lines: shown even from the ignored, never logged.
        {{"MSG:MOD:cheater {Eve} speed hack", "MSG:MOD:Mod1:quiet: please", "MSG:MOD:Mallory:x"},
         {"<c5 18>* cheater {Eve} speed hack", "<c5 18>* " + sp(10) + "Mod1> quiet: please",
          "<c5 18>* " + sp(7) + "Mallory> x"},
         {}},
        {{"MSG:SYSOP:Admin:restart soon", "MSG:SYSOP:be nice  -Mallory", "MSG:SYSOP:Mallory:x"},
         {"<c5 18>Admin> restart soon", "<c5 18>be nice  -Mallory", "<c5 18>Mallory> x"},
         {}},
        // Squads: both fields as received; an ignored name in either hides the line.
        {{"MSG:SQUAD:X:Y:go:now", "MSG:SQUAD:Mallory:Y:z", "MSG:SQUAD:X:Mallory:z"},
         {"<c2 18>S (X)(Y)> go:now"},
         {"S (X)(Y)> go:now"}},
        // Arena lines in any case, and the sheep cue once.
        {{"MSG:ARENA:Hello {x}", "MSG:arena::x"},
         {"<c2 18>Hello {x}", "<c2 18>:x"},
         {"   Hello \\{x\\}", "   :x"}},
        {{"MSG:ARENA:a", "MSG:ARENA:b"},
         {"<c2 18>a", "<c2 18>b"},
         {"   a", "   b"},
         {"bong24.wa2"},
         {},
         14,
         false,
         true},
        // Command replies in italics, and the line after them upright.
        {{"MSG:CMD:{r}", "MSG:PUB:Bob:n"},
         {"<c2 18 i>{r} ", pub + sp(11) + "Bob> n"},
         {"   \\{r\\}", "   " + sp(11) + "Bob> n"}},
        // Unknown sub-types are traced; lines short of a field show nothing and harm no other.
        {{"MSG:XYZ:1", "MSG", "MSG:PUB", "MSG:PUB:Bob", "MSG:PRIV:", "MSG:PRIV::x", "MSG:FREQ:Bob",
          "MSG:CHAT:1", "MSG:MOD:x", "MSG:SYSOP", "MSG:SYSOP:", "MSG:SQUAD:a:b", "MSG:ARENA",
          "MSG:CMD", "MSG:PUB:Bob:next"},
         {pub + sp(11) + "Bob> next"},
         {"   " + sp(11) + "Bob> next"},
         {},
         {"Unhandled MSG Command:XYZ:1", "Unhandled MSG Command:"}},
        // Narrow names are cut in every padded form.
        {{"MSG:PUB:Roberto:x", "MSG:PRIV:Roberto:x", "MSG:PRIV:Zedekiah:x", "MSG:FREQ:Roberto:x",
          "MSG:FREQ:Eve:x", "MSG:CHAT:1:Roberto> x", "MSG:MOD:Roberto:x"},
         {"<c3 18>   Robe> x", "<c2 18>P  Robe> x", "<c2 18>P  (Zede)> x", "<c6 18>T  Robe> x",
          "<c2 18>E<c1 18>   Eve<c2 18>> x", "<c4 18>C 1:Robe> x", "<c5 18>* Robe> x"},
         {"   Robe> x", "P  Robe> x", "P  (Zede)> x", "T  Robe> x", "T   Eve> x", "C 1:Robe> x"},
         {"pm-received.wav", "pm-received.wav"},
         {},
         4},
    };
    for (const Case& c : cases) {
        ChatWorld w;
        FrmMain& f = w.f();
        f.NameWidth = c.nameWidth;
        f.ShowPublicMacros = c.macros ? 1 : 0;
        f.SheepSoundPending = c.sheep;
        w.receive(c.in);
        const std::string at = c.in.front();
        EXPECT_EQ(w.viewLines(), c.view) << at;
        EXPECT_EQ(w.logLines(), c.log) << at;
        EXPECT_EQ(w.sounds(), c.sounds) << at;
        EXPECT_EQ(w.unhandled(), c.traced) << at;
        EXPECT_TRUE(w.sentLines().empty()) << at;
        EXPECT_FALSE(f.SheepSoundPending) << at;
    }
}

TEST(HandleMSG, PrivateMessagesKeepRecentNamesAndAnswerOncePerAwayPeriod) {
    ChatWorld w;
    FrmMain& f = w.f();
    using Names = std::array<std::string, 5>;
    w.receive({"MSG:PRIV:A:1", "MSG:PRIV:B:2", "MSG:PRIV:A:3"});
    EXPECT_EQ(f.RecentPrivateNames, (Names{"A", "B", "", "", ""}));
    f.RecentPrivateIndex = 2;
    w.receive({"MSG:PRIV:A:4"});  // already in front: the shortcut keeps its place
    EXPECT_EQ(f.RecentPrivateIndex, 2);
    w.receive({"MSG:PRIV:C:5", "MSG:PRIV:D:6", "MSG:PRIV:E:7", "MSG:PRIV:F:8", "MSG:PRIV:G:9"});
    EXPECT_EQ(f.RecentPrivateNames, (Names{"G", "F", "E", "D", "C"}));
    EXPECT_EQ(f.RecentPrivateIndex, 0);
    EXPECT_FALSE(f.tmrflash->enabled());

    w.clearRecords();
    f.AwayMessage = "brb {1}";
    f.WindowState.set(1);
    w.receive({"MSG:PRIV:Bob:a", "MSG:PRIV:Bob:b", "MSG:PRIV:bob:c", "MSG:PRIV:Ann:d"});
    EXPECT_EQ(w.sentLines(), (std::vector<std::string>{"SEND:PRIV:Bob:brb {1}"}));
    const std::string reply = "<c2 18>P  " + sp(11) + "(Ann)> brb {1}";
    EXPECT_EQ(w.viewLines()[1], reply);
    EXPECT_EQ(w.viewLines().size(), 5u);
    EXPECT_TRUE(f.tmrflash->enabled());

    // A new connection starts a new away period.
    w.tcp->peerClose();
    EXPECT_TRUE(f.AwayRepliedTo.empty());
    w.enterArena();
    f.AwayMessage = "later";
    w.tcp->sent.clear();
    w.receive({"MSG:PRIV:Bob:again"});
    EXPECT_EQ(w.sentLines(), (std::vector<std::string>{"SEND:PRIV:Bob:later"}));
}

}  // namespace
}  // namespace orva::test
