#include "app/input_wiring.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/core_fixture.h"

namespace orva {
namespace {

struct InputWorld : test::CoreWorld {
    InputWorld(const std::vector<std::string>& partners = {}) {
        wireInputLine(f());
        for (size_t i = 0; i < partners.size(); ++i)
            f().RecentPrivateNames[i] = partners[i];
    }
    // As the widget types: the key press, then (unless swallowed) the character at the caret,
    // then the word that it arrived. Says whether the last key was swallowed.
    bool type(const std::string& keys) {
        bool swallow = false;
        for (char ch : keys) {
            const int code = static_cast<unsigned char>(ch), at = f().txtOut.SelStart.get();
            f().txtOut.keyPressed.emit(code, swallow = false);
            if (swallow || code == 13) continue;
            f().txtOut.Text.set(std::string(f().txtOut.Text.get()).insert(size_t(at), 1, ch));
            f().txtOut.SelStart.set(at + 1);
            f().txtOut.charTyped.emit(code);
        }
        return swallow;
    }
};

TEST(InputLine, ColonShortcutWalksTheRecentPartners) {
    const std::vector<std::string> two{"Bob", "Alice"}, five{"E", "D", "C", "B", "A"};
    struct Case {
        std::vector<std::string> partners;
        std::string keys;
        int caretTo;       // then the caret moves here (-1: stays)
        std::string more;  // and these are typed
        std::string text;
        int caretAfter;
    };
    const Case cases[] = {
        {two, "::", -1, "", ":Bob:", 5},
        {two, ":::", -1, "", ":Alice:", 7},
        {two, "::::", -1, "", ":Bob:", 5},
        {five, "::::::", -1, ":", ":E:", 3},  // all five, then the newest again
        {{}, "::", -1, "", "::", 2},
        {two, ":Bob:see you:", -1, "", ":Bob:see you:", 13},
        {two, "hello", 0, "::", ":Bob:hello", 5},
        {two, "::hello", 5, ":", ":Alice:hello", 7},  // the message behind the name stays
    };
    for (const Case& c : cases) {
        InputWorld w(c.partners);
        w.type(c.keys);
        if (c.caretTo >= 0) w.f().txtOut.SelStart.set(c.caretTo);
        w.type(c.more);
        EXPECT_EQ(w.f().txtOut.Text.get(), c.text) << c.keys << c.more;
        EXPECT_EQ(w.f().txtOut.SelStart.get(), c.caretAfter) << c.keys << c.more;
    }
}

TEST(InputLine, ColourFollowsTheKindOfMessage) {
    const Rgb arena = rgb(115, 255, 99), team = rgb(255, 189, 41), pub = rgb(160, 160, 255),
              mod = rgb(206, 8, 8), chan = rgb(239, 107, 24);
    struct Step {
        std::string text;  // the whole text after an edit
        Rgb colour;
    };
    const Step steps[] = {
        {"'", team},      {"", team},    {"h", pub},    {":Bob", pub},
        {":Bob:", arena}, {":Bob", pub}, {"//x", team}, {"/x", arena},
        {"\"x", arena},   {"\\x", mod},  {";x", chan},  {"=5", pub},
    };
    InputWorld w;
    for (const Step& step : steps) {
        w.f().txtOut.Text.set(step.text);
        EXPECT_EQ(w.f().txtOut.ForeColor.get(), step.colour) << step.text;
    }
}

TEST(InputLine, EnterSendsTheLineAndStartsTheShortcutAgain) {
    InputWorld w;
    w.enterArena();
    w.f().RecentPrivateNames = {"Bob", "Alice", "Carl"};
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"\r", {}}, {"hello\r", {"SEND:PUB:hello"}}, {"  \r", {"SEND:PUB:  "}}};
    for (const auto& [keys, sent] : cases) {
        w.clearRecords();
        EXPECT_EQ(w.type(keys), !sent.empty()) << keys;  // an empty line's Enter is the control's
        EXPECT_EQ(w.sentLines(), sent) << keys;
        EXPECT_EQ(w.f().txtOut.Text.get(), "");
    }
    w.type(":::hi\r");
    EXPECT_TRUE(w.sentLines().back().ends_with("Alice:hi")) << w.sentLines().back();
    w.type("::");
    EXPECT_EQ(w.f().txtOut.Text.get(), ":Bob:");
}

TEST(InputLine, ArrowAndPageKeysMoveThePlayerList) {
    struct Case {
        int selected, key, after;
        bool swallowed;
    };
    const Case cases[] = {
        {-1, 40, 0, true}, {2, 40, 2, true},  {1, 34, 2, true},  {2, 38, 1, true},
        {1, 33, 0, true},  {0, 38, 0, false}, {0, 33, 0, false}, {1, 37, 1, false},
    };
    for (const Case& c : cases) {
        InputWorld w;
        LstBox& list = w.f().lstUsers;
        for (const char* name : {"\\eAl", "\\tAnn", "\\eBo", "\\eCy"})
            list.AddItem(name);
        list.deleteIndex(0);  // the selected first entry goes: nothing is selected
        while (list.listIndex() < c.selected)
            list.SelectDown();
        bool swallow = false;
        w.f().txtOut.keyDown.emit(c.key, 0, swallow);
        EXPECT_EQ(list.listIndex(), c.after) << c.selected << " key " << c.key;
        EXPECT_EQ(swallow, c.swallowed) << c.selected << " key " << c.key;
    }
}

TEST(InputLine, CtrlUpAndDownRecallTheLinesSent) {
    InputWorld w;
    TextBox& box = w.f().txtOut;
    const auto key = [&](int code) {
        bool swallow = false;
        box.keyDown.emit(code, kCtrlMask, swallow);
        EXPECT_TRUE(swallow);
        return box.Text.get();
    };
    for (int i = 0; i < 102; ++i)
        w.type("l" + std::to_string(i) + "\r");
    w.type("draft");
    EXPECT_EQ(key(38), "l101");
    EXPECT_EQ(key(38), "l100");
    EXPECT_EQ(box.SelStart.get(), 4);  // the caret at the end
    EXPECT_EQ(key(40), "l101");
    EXPECT_EQ(key(40), "draft");  // past the newest: what was being typed
    EXPECT_EQ(key(40), "draft");
    for (int i = 0; i < 150; ++i)
        key(38);
    EXPECT_EQ(box.Text.get(), "l2");  // a hundred are kept
    // Sending starts again from the newest; plain Up still moves the player list's selection.
    w.type("\r");
    EXPECT_EQ(key(38), "l2");
    EXPECT_EQ(w.f().History.older(""), "l101");
}

TEST(InputLine, TabCompletesPlayerNames) {
    const struct {
        std::string text;
        int caret;              // -1: at the end
        std::vector<int> keys;  // 9 Tab, -9 Shift+Tab
        std::string after;
        int caretAfter;
    } cases[] = {
        {"hi b", -1, {9}, "hi Bob", 6},             // a recent speaker first
        {"hi b", -1, {9, 9}, "hi Bea", 6},          // the one who spoke before
        {"hi b", -1, {9, 9, 9}, "hi bert", 7},      // then the list's order
        {"hi b", -1, {9, 9, 9, 9}, "hi Bob", 6},    // and round again
        {"hi b", -1, {-9}, "hi bert", 7},           // backwards from the last
        {"hi b there", 4, {9}, "hi Bob there", 6},  // the word before the caret
        {":b", -1, {9}, ":Bob:", 5},                // ready for a private message
        {":bob:x", -1, {9}, ":bob:x", 6},           // nothing to complete
        {"x :b", -1, {9}, "x :b", 4},               // ":" inside the line is a character
        {"ann", -1, {9}, "ann", 3},                 // not the user
        {"hi ", -1, {9}, "hi ", 3},                 // no word before the caret
        {"hi z", -1, {9}, "hi z", 4},               // no match: nothing changes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        InputWorld w;
        w.enterArena(1);
        for (const char* line :
             {"PLAYER:Bea:8:1", "PLAYER:bert:8:1", "PLAYER:Bob:8:1", "PLAYER:Cy:8:1",
              "MSG:PUB:Bea:one", "MSG:PUB:Bob:two", "MSG:PRIV:Bobby:elsewhere"})
            w.tcp->deliver(std::string(line) + "\n");
        TextBox& box = w.f().txtOut;
        box.Text.set(c.text);
        box.SelStart.set(c.caret < 0 ? static_cast<int>(c.text.size()) : c.caret);
        for (int k : c.keys) {
            bool swallow = false;
            box.keyDown.emit(9, k < 0 ? kShiftMask : 0, swallow);
            EXPECT_TRUE(swallow);  // Tab never leaves the input line
        }
        EXPECT_EQ(box.Text.get(), c.after);
        EXPECT_EQ(box.SelStart.get(), c.caretAfter);
    }
}

}  // namespace
}  // namespace orva
