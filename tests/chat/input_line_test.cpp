#include "chat/input_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/core_fixture.h"

namespace orva {
namespace {

using test::CoreWorld;

struct InputWorld : CoreWorld {
    InputWorld() { wireInputLine(f()); }

    // Types as the input line's widget does: the key press, then (unless swallowed) the
    // character at the caret, then the word that it arrived.
    bool type(const std::string& keys) {
        bool swallow = false;
        for (char ch : keys) {
            const int code = static_cast<unsigned char>(ch);
            swallow = false;
            f().txtOut.keyPressed.emit(code, swallow);
            if (swallow || code == 13) continue;
            std::string text = f().txtOut.Text.get();
            const int at = f().txtOut.SelStart.get();
            text.insert(static_cast<size_t>(at), 1, ch);
            f().txtOut.Text.set(text);
            f().txtOut.SelStart.set(at + 1);
            f().txtOut.charTyped.emit(code);
        }
        return swallow;
    }
    void partners(const std::vector<std::string>& newestFirst) {
        for (size_t i = 0; i < newestFirst.size(); ++i)
            f().RecentPrivateNames[i] = newestFirst[i];
    }
};

TEST(InputLine, ColonShortcutWalksTheRecentPartners) {
    const std::vector<std::string> bobThenAlice{"Bob", "Alice"}, five{"E", "D", "C", "B", "A"};
    struct Case {
        const char* what;
        std::vector<std::string> partners;
        std::string keys;
        int caretTo;       // then the caret moves here (-1: stays)
        std::string more;  // and these are typed
        std::string text;
        int caretAfter;
    };
    const Case cases[] = {
        {"newest first", bobThenAlice, "::", -1, "", ":Bob:", 5},
        {"next one", bobThenAlice, ":::", -1, "", ":Alice:", 7},
        {"back to the newest", bobThenAlice, "::::", -1, "", ":Bob:", 5},
        {"fifth of five", five, "::::::", -1, "", ":A:", 3},
        {"five, then the newest", five, ":::::::", -1, "", ":E:", 3},
        {"no partners yet", {}, "::", -1, "", "::", 2},
        {"colons later in the message", bobThenAlice, ":Bob:see you:", -1, "", ":Bob:see you:", 13},
        {"not at the start", bobThenAlice, "hi::", -1, "", "hi::", 4},
        {"in front of a typed message", bobThenAlice, "hello", 0, "::", ":Bob:hello", 5},
        {"next one keeps the message", bobThenAlice, "::hello", 5, ":", ":Alice:hello", 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InputWorld w;
        w.partners(c.partners);
        w.type(c.keys);
        if (c.caretTo >= 0) w.f().txtOut.SelStart.set(c.caretTo);
        w.type(c.more);
        EXPECT_EQ(w.f().txtOut.Text.get(), c.text);
        EXPECT_EQ(w.f().txtOut.SelStart.get(), c.caretAfter);
    }
}

TEST(InputLine, ColourFollowsTheKindOfMessage) {
    const Rgb arena = rgb(115, 255, 99), team = rgb(255, 189, 41), mod = rgb(206, 8, 8),
              channel = rgb(239, 107, 24), pub = rgb(160, 160, 255);
    // One line edited step by step; each step is the whole text after the edit.
    struct Step {
        std::string text;
        Rgb colour;
    };
    const Step steps[] = {
        {"'", team},      {"", team},    {"h", pub},       {":", pub},     {":Bob", pub},
        {":Bob:", arena}, {":Bob", pub}, {":Bob:", arena}, {"//x", team},  {"/x", arena},
        {"\"x", arena},   {"\\x", mod},  {";x", channel},  {"?help", pub}, {"=5", pub},
    };
    InputWorld w;
    for (const Step& s : steps) {
        w.f().txtOut.Text.set(s.text);
        EXPECT_EQ(w.f().txtOut.ForeColor.get(), s.colour) << "\"" << s.text << "\"";
    }
}

TEST(InputLine, EnterSendsTheLineAndStartsTheShortcutAgain) {
    InputWorld w;
    w.enterArena();
    w.partners({"Bob", "Alice"});
    w.clearRecords();
    struct Case {
        std::string keys;
        bool swallowed;
        std::vector<std::string> sent;
    };
    const Case cases[] = {
        {"\r", false, {}},  // an empty line's Enter is the control's
        {"hello\r", true, {"SEND:PUB:hello"}},
        {"  \r", true, {"SEND:PUB:  "}},
    };
    for (const Case& c : cases) {
        w.clearRecords();
        EXPECT_EQ(w.type(c.keys), c.swallowed) << c.keys;
        EXPECT_EQ(w.sentLines(), c.sent) << c.keys;
        EXPECT_EQ(w.f().txtOut.Text.get(), "");
    }

    w.type(":::hi");
    EXPECT_EQ(w.f().txtOut.Text.get(), ":Alice:hi");
    w.clearRecords();
    w.type("\r");
    ASSERT_EQ(w.sentLines().size(), 1u);
    EXPECT_TRUE(w.sentLines()[0].ends_with("Alice:hi")) << w.sentLines()[0];
    EXPECT_EQ(w.f().txtOut.Text.get(), "");
    w.type("::");
    EXPECT_EQ(w.f().txtOut.Text.get(), ":Bob:");
}

TEST(InputLine, ArrowAndPageKeysMoveThePlayerList) {
    struct Case {
        int selected;  // before the key
        int key;
        int after;
        bool swallowed;
    };
    const Case cases[] = {
        {-1, 40, 0, true}, {0, 40, 1, true},  {2, 40, 2, true},   // Down, stops at the last
        {1, 34, 2, true},  {2, 38, 1, true},  {1, 33, 0, true},   // Page Down, Up, Page Up
        {0, 38, 0, false}, {0, 33, 0, false}, {1, 37, 1, false},  // first entry; Left
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
        w.f().txtOut.keyDown.emit(c.key, swallow);
        EXPECT_EQ(list.listIndex(), c.after) << c.selected << " key " << c.key;
        EXPECT_EQ(swallow, c.swallowed) << c.selected << " key " << c.key;
    }
}

}  // namespace
}  // namespace orva
