// Received chat in the real window: the simulator's bots talk by their seeded schedule, and
// injected lines of every kind show in the chat view in their form and colour.
#include <gtest/gtest.h>

#include <QAction>
#include <QString>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "e2e/client_world.h"
#include "qt/chat_view_widget.h"
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

std::string field(const std::string& line, int n) {
    const auto fields = QByteArray::fromStdString(line).split(':');
    return n < fields.size() ? fields[n].toStdString() : std::string();
}

// The colour a chat line of the kind starts in; team lines from another frequency start green.
// The forms themselves are the unit tests' concern: here, each line gets through to the window.
const std::map<std::string, std::set<int>> kColours = {
    {"PUB", {3}}, {"PRIV", {2}},  {"FREQ", {6, 2}}, {"CHAT", {4}},
    {"MOD", {5}}, {"SYSOP", {5}}, {"ARENA", {2}},   {"SQUAD", {2}},
};

TEST(IncomingChatE2E, BotsChatReachesTheWindowInOrder) {
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

    // One line at a time, each handled before the next bot speaks.
    std::vector<std::string> chat;  // received chat lines that show (public macros do not)
    std::set<std::string> kinds;
    for (int step = 0; step < 120; ++step) {
        const auto sentBefore = w.sim().sent(w.me).size();
        w.sim().botStep();
        const auto sent = w.sim().sent(w.me);
        for (auto i = sentBefore; i < sent.size(); ++i) {
            const std::string line = sent[i].trimmed().toStdString();
            ASSERT_TRUE(zonesim::pumpUntil([&] { return w.traced("S2C " + line); }, 5000)) << line;
            if (field(line, 0) != "MSG") continue;
            kinds.insert(field(line, 1));
            if (kColours.count(field(line, 1))) chat.push_back(line);
        }
    }
    EXPECT_GT(w.sim().sent(w.me).size(), before + 40);
    // Every kind the simulator's bots speak in came by at least once.
    for (const char* kind :
         {"PUB", "PUBM", "PRIV", "FREQ", "CHAT", "MOD", "SYSOP", "ARENA", "SQUAD"})
        EXPECT_TRUE(kinds.count(kind)) << kind;

    // Each in order, in its colour, ending in its text, among the status and kill lines.
    const std::vector<Line> shown = viewLines(w.f(), firstLine);
    std::size_t at = 0;
    for (const std::string& line : chat) {
        const std::string text = line.substr(line.rfind(':') + 1);
        const std::set<int>& colours = kColours.at(field(line, 1));
        while (at < shown.size() &&
               !(colours.count(shown[at].colour) && shown[at].text.ends_with(text)))
            ++at;
        ASSERT_LT(at, shown.size()) << line;
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
