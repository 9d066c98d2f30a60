// Received chat in the real window: the simulator's bots talk by their seeded schedule, and
// injected lines of every kind show in the chat view in their form and colour.
#include <gtest/gtest.h>

#include <QAction>
#include <QString>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "chat/name_width.h"
#include "core/frm_main.h"
#include "core/roster.h"
#include "e2e/client_world.h"
#include "platform/qt/chat_view_widget.h"
#include "zonesim.h"

namespace orva {
namespace {

struct Line {
    int colour;
    std::string text;
    bool operator==(const Line&) const = default;
};

std::vector<Line> viewLines(FrmMain& f, std::size_t from) {
    std::vector<Line> out;
    for (std::size_t i = from; i < f.txtLog.lineCount(); ++i) {
        const StyledLine l = f.txtLog.line(i);
        out.push_back({l.runs.empty() ? 0 : l.runs.front().format.colour, std::string(l.text)});
    }
    return out;
}

std::string after(const std::string& s, std::size_t fields) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < fields && at != std::string::npos; ++i) {
        at = s.find(':', at);
        if (at != std::string::npos) ++at;
    }
    return at == std::string::npos ? std::string() : s.substr(at);
}

std::string field(const std::string& s, std::size_t n) {
    const std::string rest = after(s, n);
    return rest.substr(0, rest.find(':'));
}

// What a bot's line shows with the default switches (public macros hidden), as the window was
// when it arrived; nothing for lines that are not chat or are hidden.
std::optional<Line> expected(FrmMain& f, const std::string& line) {
    const std::string kind = field(line, 1);
    const std::string name = field(line, 2);
    const std::string text = after(line, 3);
    const std::string padded = PadName(name, f.NameWidth);
    if (field(line, 0) != "MSG" || kind == "PUBM") return std::nullopt;
    if (kind == "PUB") return Line{3, "   " + padded + "> " + text};
    if (kind == "PRIV") {
        if (f.lstUsers.FindItemNoColor(name) >= 0) return Line{2, "P  " + padded + "> " + text};
        const std::string remote = "(" + name.substr(0, f.NameWidth) + ")";
        return Line{2, "P  " + PadName(remote, f.NameWidth + 2) + "> " + text};
    }
    if (kind == "FREQ") {
        const std::int16_t at = FindPlayer(f, name);
        if (at < 0) return std::nullopt;
        if (f.roster.records[static_cast<std::size_t>(at)].Freq == f.SelfFreq)
            return Line{6, "T  " + padded + "> " + text};
        return Line{2, "E  " + padded + "> " + text};  // green "E", the name in white
    }
    if (kind == "MOD") return Line{5, "* " + padded + "> " + text};
    if (kind == "ARENA") return Line{2, after(line, 2)};
    if (kind == "SQUAD")
        return Line{2, "S (" + name + ")(" + field(line, 3) + ")> " + after(line, 4)};
    if (kind == "SYSOP") {
        const std::string rest = after(line, 2);
        const auto colon = rest.find(':');
        return Line{5, colon == std::string::npos
                           ? rest
                           : rest.substr(0, colon) + "> " + rest.substr(colon + 1)};
    }
    if (kind == "CHAT") {
        const std::string rest = after(line, 3);
        const auto end = rest.find("> ");
        return Line{
            4, "C " + name + ":" + PadName(rest.substr(0, end), f.NameWidth) + rest.substr(end)};
    }
    return Line{0, "unexpected " + line};
}

TEST(IncomingChatE2E, BotsChatShowsInItsForm) {
    zonesim::Options o;
    o.bots = 6;
    o.seed = 11;
    ClientWorld w(o, "[Config]\r\nVersion=1.1\r\n[User0]\r\nname=Tester\r\nchats=one,two\r\n");
    ASSERT_TRUE(w.started && w.loaded);
    ASSERT_TRUE(w.enterArena());
    ASSERT_TRUE(w.sim().waitReceived(w.me, "SEND:PUB:?chat=one,two"));
    w.settle();
    const std::size_t before = static_cast<std::size_t>(w.sim().sent(w.me).size());
    const std::size_t firstLine = w.f().txtLog.lineCount();

    // One line at a time, so that each is judged against the roster it arrived to.
    std::vector<Line> want;
    std::set<std::string> kinds;
    for (int step = 0; step < 120; ++step) {
        const auto sentBefore = w.sim().sent(w.me).size();
        w.sim().botStep();
        const auto sent = w.sim().sent(w.me);
        for (auto i = sentBefore; i < sent.size(); ++i) {
            const std::string line = sent[i].trimmed().toStdString();
            // Wait for the line to be handled before judging the next.
            ASSERT_TRUE(zonesim::pumpUntil([&] { return w.traced("S2C " + line); }, 5000)) << line;
            kinds.insert(field(line, 0) + ":" + field(line, 1));
            if (const auto shown = expected(w.f(), line)) want.push_back(*shown);
        }
    }
    EXPECT_GT(w.sim().sent(w.me).size(), before + 40);
    // Every kind the simulator's bots speak in came by at least once.
    for (const char* kind : {"MSG:PUB", "MSG:PUBM", "MSG:PRIV", "MSG:FREQ", "MSG:CHAT", "MSG:MOD",
                             "MSG:SYSOP", "MSG:ARENA", "MSG:SQUAD"})
        EXPECT_TRUE(kinds.count(kind)) << kind;

    // The chat lines, in order, among the status and kill lines of the same time.
    EXPECT_GT(want.size(), 30u);
    const std::vector<Line> shown = viewLines(w.f(), firstLine);
    std::size_t at = 0;
    for (const Line& line : want) {
        while (at < shown.size() && !(shown[at] == line))
            ++at;
        ASSERT_LT(at, shown.size()) << line.colour << ":" << line.text;
        ++at;
    }
}

TEST(IncomingChatE2E, InjectedLinesOfEveryKindShow) {
    ClientWorld w{zonesim::Options{}};
    ASSERT_TRUE(w.started && w.loaded);
    ASSERT_TRUE(w.enterArena());
    w.sim().sendLine(w.me, "ENTERING:Bob:8:8025");
    w.sim().sendLine(w.me, "ENTERING:Eve:1:100");
    ASSERT_TRUE(w.waitShows("Player 'Eve' just entered arena."));
    const std::size_t first = w.f().txtLog.lineCount();

    const std::vector<std::pair<QByteArray, std::optional<Line>>> cases = {
        {"MSG:PUB:Bob:a {b} \\ c:d", Line{3, "   " + std::string(11, ' ') + "Bob> a {b} \\ c:d"}},
        {"MSG:PUBM:Bob:hidden macro", std::nullopt},
        {"MSG:PRIV:Zed:psst", Line{2, "P  " + std::string(11, ' ') + "(Zed)> psst"}},
        {"MSG:PRIV:Bob:hi", Line{2, "P  " + std::string(11, ' ') + "Bob> hi"}},
        {"MSG:FREQ:Bob:team", Line{6, "T  " + std::string(11, ' ') + "Bob> team"}},
        {"MSG:FREQ:Eve:other", Line{2, "E  " + std::string(11, ' ') + "Eve> other"}},
        {"MSG:CHAT:10:Al> yo", Line{4, "C 10:" + std::string(12, ' ') + "Al> yo"}},
        {"MSG:MOD:cheater {Eve} speed hack", Line{5, "* cheater {Eve} speed hack"}},
        {"MSG:SYSOP:restart in 5 minutes", Line{5, "restart in 5 minutes"}},
        {"MSG:SQUAD:Sq:Bob:go", Line{2, "S (Sq)(Bob)> go"}},
        {"MSG:ARENA::starts with a colon", Line{2, ":starts with a colon"}},
        {"MSG:CMD:reply", Line{2, "reply "}},
        {"MSG:XYZ:1", std::nullopt},
    };
    std::vector<Line> want;
    for (const auto& [line, shown] : cases) {
        w.sim().sendLine(w.me, line);
        if (shown) want.push_back(*shown);
    }
    // Public macros shown after the menu item is checked.
    w.sim().sendLine(w.me, "MSG:ARENA:switch");
    ASSERT_TRUE(w.waitShows("switch"));
    for (QAction* action : w.window().findChildren<QAction*>())
        if (action->text() == QStringLiteral("Ignore Public Macros")) action->trigger();
    EXPECT_TRUE(w.f().menu_IgnorePubMacros.Checked.get());
    w.sim().sendLine(w.me, "MSG:PUBM:Bob:macro");
    want.push_back({2, "switch"});
    want.push_back({3, "   " + std::string(11, ' ') + "Bob> macro"});
    ASSERT_TRUE(w.waitShows("Bob> macro"));

    EXPECT_EQ(viewLines(w.f(), first), want);
    EXPECT_TRUE(w.traced("Unhandled MSG Command:XYZ:1"));
    // What the window paints is what the model holds.
    w.settle();
    w.view().selectAll();
    EXPECT_TRUE(w.view().selectedText().contains(QStringLiteral("(Zed)> psst")));
}

}  // namespace
}  // namespace orva
