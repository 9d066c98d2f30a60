#include "view/rtf_interpreter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "view/chat_lines.h"
#include "view/view_test_util.h"

namespace orva::test {
namespace {

const std::string kHead = BuildInitialRtf("Courier New", 18);

struct Case {
    const char* name;
    std::vector<std::string> fragments;
    std::string expected;  // the lines after the sample line
};

TEST(RtfInterpreter, FragmentsBecomeStyledLines) {
    const Case cases[] = {
        {"chat line", {"\\par\\fs18\\cf3 hello"}, "<c3 18>hello"},
        {"only the first space delimits", {"\\par\\fs18\\cf3  two"}, "<c3 18> two"},
        {"escapes",
         {"\\par\\fs18\\cf1 a\\\\b\\{c\\}\\'e9\\'4"},
         "<c1 18>a\\b{c}\xe9"
         "4"},
        {"command reply is italic until \\plain",
         {"\\par\\fs18\\cf2\\i done \\plain", "\\par\\fs18\\cf3 next"},
         "<c2 18 i>done  | <c3 18>next"},
        {"team-to-team line keeps the size before it, after \\plain resets it",
         {"\\par\\fs18\\cf2\\i x \\plain", "\\par\\cf2 E\\cf1   Bob\\cf2 > hi"},
         "<c2 18 i>x  | <c2 24>E<c1 24>  Bob<c2 24>> hi"},
        {"formatting carries to the next line",
         {"\\par\\fs18\\cf4 a", "\\par b"},
         "<c4 18>a | <c4 18>b"},
        {"group restores state", {"\\par\\fs18\\cf3 {\\i\\cf5 x}y"}, "<c5 18 i>x<c3 18>y"},
        {"nested link groups",
         {"\\par\\fs18\\cf3 see {\\cf8\\ul http://{\\cf8\\ul www.x.org}}, ok"},
         "<c3 18>see <c8 18 u L>http://www.x.org<c3 18>, ok"},
        {"underline off",
         {"\\par\\fs18\\cf1\\ul a\\ulnone b\\ul c\\ul0 d"},
         "<c1 18 u>a<c1 18>b<c1 18 u>c<c1 18>d"},
        {"unknown words skipped, text kept",
         {"\\par\\fs18\\cf3 a\\foo b\\bar12 c\\zz-3 d"},
         "<c3 18>abcd"},
        {"unknown symbols",
         {"\\par\\fs18\\cf3 a\\|b\\~c\\_d"},
         "<c3 18>ab\xa0"
         "c-d"},
        {"hidden destination",
         {"\\par\\fs18\\cf3 a{\\*\\x hidden {deep}}b{\\fonttbl x;}c"},
         "<c3 18>abc"},
        {"unicode with fallback", {"\\par\\fs18\\cf3 \\u8364?x\\u1234?y"}, "<c3 18>\x80x?y"},
        {"several paragraphs", {"\\par\\fs18\\cf3 a\\par b"}, "<c3 18>a | <c3 18>b"},
        {"text without \\par continues the line", {"\\par\\fs18\\cf3 a", "b"}, "<c3 18>ab"},
        {"colour beyond the table and missing numbers",
         {"\\par\\fs\\cf300 a\\cf b\\fs70000 c"},
         "<c0 24>ab<c0 65535>c"},
        {"line breaks in the source are not text", {"\\par\\fs18\\cf3 a\r\nb"}, "<c3 18>ab"},
        {"\\bin data is skipped", {"\\par\\fs18\\cf3 a\\bin3 xyzb"}, "<c3 18>ab"},
    };
    for (const Case& c : cases) {
        ChatView view;
        view.load(kHead);
        for (const std::string& fragment : c.fragments)
            view.append(fragment);
        EXPECT_EQ(describeFrom(view, 1), c.expected) << c.name;
    }
}

TEST(RtfInterpreter, SampleLineOfTheFreshDocument) {
    ChatView view;
    view.load(kHead);
    ASSERT_EQ(view.lineCount(), 1u);
    EXPECT_EQ(describe(view.line(0)),
              "<c1 18>|<c2 18>|<c3 18>|<c4 18>|<c5 18>|<c6 18>|<c7 18>|<c8 18>|");
}

struct Recorder : RtfSink {
    std::string out;
    void text(std::string_view bytes, CharFormat) override { out += bytes; }
    void paragraph() override { out += '\n'; }
};

TEST(RtfInterpreter, StrayClosingBracesAndDeepNesting) {
    RtfInterpreter reader;
    Recorder rec;
    reader.feed("{\\cf3 a}}}b", rec);
    EXPECT_EQ(reader.depth(), 0u);
    reader.feed(std::string(5000, '{') + "\\i x" + std::string(5000, '}') + "y", rec);
    EXPECT_EQ(reader.depth(), 0u);
    EXPECT_EQ(reader.format().flags & StyleItalic, 0);
    EXPECT_EQ(rec.out, "abxy");
}

}  // namespace
}  // namespace orva::test
