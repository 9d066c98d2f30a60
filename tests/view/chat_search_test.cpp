#include "view/chat_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "view/chat_lines.h"
#include "view/chat_view.h"

namespace orva {
namespace {

struct Doc {
    ChatView view;
    std::uint32_t first = 0;  // the index of the first line added
    explicit Doc(const std::vector<std::string>& lines) {
        view.load(BuildInitialRtf("Arial", 18));
        first = static_cast<std::uint32_t>(view.lineCount());
        for (const std::string& l : lines)
            view.append("\\par " + l);
    }
    // Matches newest first, as "line:offset" relative to the first added line.
    std::string list(const ChatSearch& s) const {
        std::string out;
        for (std::size_t k = 0; k < s.count(); ++k) {
            const SearchMatch m = s.newest(k);
            out += (k ? " " : "") + std::to_string(m.line - first) + ":" + std::to_string(m.offset);
        }
        return out;
    }
};

TEST(ChatSearchTest, FindsNewestFirstIgnoringCaseWithoutOverlaps) {
    const Doc doc(
        {"Hello world", "say HELLO to hello", "nothing here", "\xC0g \xE0G \x8A\x9A", "aaaaa"});
    const struct {
        std::string query, expected;
    } cases[] = {
        {"hello", "1:13 1:4 0:0"},
        {"HeLLo W", "0:0"},
        {"\xE0g", "3:3 3:0"},  // accented capitals fold too
        {"\x9A", "3:7 3:6"},
        {"aa", "4:2 4:0"},  // "aaaaa" holds two, not four
        {"o", "2:1 1:17 1:11 1:8 0:7 0:4"},
        {"missing", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        ChatSearch s;
        const std::size_t found = s.run(doc.view, c.query);
        EXPECT_EQ(found, s.count()) << c.query;
        EXPECT_EQ(doc.list(s), c.expected) << c.query;
    }
}

TEST(ChatSearchTest, NarrowingAndArrivingLinesGiveWhatAFreshSearchGives) {
    Doc doc({"hello there", "help me", "shell", "other"});
    ChatSearch typed;
    for (const char* q : {"h", "he", "hel", "hell"})
        typed.run(doc.view, q);
    EXPECT_EQ(doc.list(typed), "2:1 0:0");

    // A new line, then more text on the open last line, while the search stays open.
    doc.view.append("\\par HELL yes");
    typed.refresh(doc.view);
    doc.view.append(" and hell");
    typed.refresh(doc.view);
    typed.run(doc.view, "hello");  // narrows after the lines arrived
    doc.view.append("\\par hello");
    typed.refresh(doc.view);

    ChatSearch fresh;
    fresh.run(doc.view, "hello");
    EXPECT_EQ(doc.list(typed), doc.list(fresh));
    EXPECT_EQ(doc.list(fresh), "5:0 0:0");
    typed.run(doc.view, "hell");  // shorter: a full search again
    EXPECT_EQ(doc.list(typed), "5:0 4:13 4:0 2:1 0:0");
}

}  // namespace
}  // namespace orva
