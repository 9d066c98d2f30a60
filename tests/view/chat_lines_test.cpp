#include "view/chat_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frm_main.h"
#include "logging/chat_log.h"
#include "support/fakes.h"
#include "view/chat_font.h"
#include "view/view_test_util.h"

namespace orva::test {
namespace {

const std::string kColourTable =
    "{\\colortbl "
    ";\\red255\\green255\\blue255;\\red115\\green255\\blue99;\\red160\\green160\\blue255;"
    "\\red239\\green107\\blue24;\\red206\\green8\\blue8;\\red255\\green189\\blue41;"
    "\\red255\\green153\\blue153;\\red255\\green250\\blue0;}";

std::string initialFor(const std::string& face, const std::string& halfPoints) {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 " + face + ";}}" +
           kColourTable + "\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs24\\fs" + halfPoints +
           "\\cf1 |\\cf2 |\\cf3 |\\cf4 |\\cf5 |\\cf6 |\\cf7 |\\cf8 |\\par }";
}

// The head of the document once lines follow: the initial text without its closing "\par }".
std::string headFor(const std::string& face, const std::string& halfPoints) {
    std::string s = initialFor(face, halfPoints);
    return s.substr(0, s.size() - 6);
}

struct Fresh : World {
    Fresh() {
        VerifyFontConstraints(f().ChatFontName, f().ChatFontSize);
        UpdateFontFace(f());
        ResetChatView(f());
    }
};

TEST(ChatFont, ConstraintsAndApplication) {
    struct Case {
        std::string face;
        std::uint8_t size;
        std::string wantFace;
        std::uint8_t wantSize;
        std::string halfPoints;
    } cases[] = {
        {"Courier New", 9, "Courier New", 9, "18"},
        {"", 0, "Courier New", 9, "18"},
        {"   ", 12, "Courier New", 12, "24"},
        {"Arial", 0, "Arial", 9, "18"},
        {"Lucida Console", 200, "Lucida Console", 200, "144"},  // doubled in 8 bits
    };
    for (const Case& c : cases) {
        World w;
        w.f().ChatFontName = c.face;
        w.f().ChatFontSize = c.size;
        VerifyFontConstraints(w.f().ChatFontName, w.f().ChatFontSize);
        UpdateFontFace(w.f());
        EXPECT_EQ(w.f().ChatFontName, c.wantFace);
        EXPECT_EQ(w.f().ChatFontSize, c.wantSize);
        EXPECT_EQ(std::to_string(w.f().ChatFontHalfPoints), c.halfPoints);
        EXPECT_EQ(w.f().ChatViewInitialRtf, initialFor(c.wantFace, c.halfPoints)) << c.face;
        EXPECT_EQ(w.f().txtOut.FontName.get(), c.wantFace);
        EXPECT_EQ(w.f().txtOut.FontSize.get(), c.wantSize);
        EXPECT_FALSE(w.f().txtOut.FontBold.get());
        EXPECT_EQ(w.f().txtLog.FontName.get(), c.wantFace);
        EXPECT_EQ(w.f().txtLog.FontSize.get(), c.wantSize);
    }
}

TEST(ChatFont, NewFontTakesEffectAtTheNextReset) {
    Fresh w;
    w.f().ChatFontName = "Arial";
    w.f().ChatFontSize = 11;
    UpdateFontFace(w.f());
    EXPECT_EQ(w.f().txtLog.TextRTF(), initialFor("Courier New", "18"));
    std::string line = "x";
    AppendChatLine(w.f(), line, ColorPublic);
    EXPECT_NE(w.f().txtLog.TextRTF().find("\\par\\fs22\\cf3 x"), std::string::npos);
    ResetChatView(w.f());
    EXPECT_EQ(w.f().txtLog.TextRTF(), initialFor("Arial", "22"));
}

TEST(EscapeRtf, EscapesBackslashFirstThenBraces) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain text", "plain text"},
        {"a\\b", "a\\\\b"},
        {"{x}", "\\{x\\}"},
        {"\\{", "\\\\\\{"},
        {"\\\\}", "\\\\\\\\\\}"},
        {"caf\xe9 \x80", "caf\xe9 \x80"},
        {"", ""},
    };
    for (const auto& [in, want] : cases) {
        std::string text = in;
        std::string& result = EscapeRtf(text);
        EXPECT_EQ(text, want) << in;
        EXPECT_EQ(&result, &text);
    }
}

TEST(AppendChatLine, FragmentIsExactAndCallerHoldsEscapedText) {
    Fresh w;
    std::string text = "   Ann> a\\b {c}";
    AppendChatLine(w.f(), text, ColorPublic);
    EXPECT_EQ(text, "   Ann> a\\\\b \\{c\\}");
    EXPECT_EQ(w.f().txtLog.TextRTF(),
              headFor("Courier New", "18") + "\r\n\\par\\fs18\\cf3    Ann> a\\\\b \\{c\\}\r\n }");
    EXPECT_EQ(w.f().txtLog.Text(), "||||||||\r\n   Ann> a\\b {c}");
}

TEST(AppendChatLine, EachLineOneParagraphNothingBetween) {
    Fresh w;
    const std::pair<std::string, std::uint8_t> lines[] = {
        {"one", ColorStatus}, {"", ColorKill}, {"three", ColorLink}, {"4", ColorModerator}};
    std::string expectedDoc = headFor("Courier New", "18");
    for (auto [text, colour] : lines) {
        AppendChatLine(w.f(), text, colour);
        expectedDoc += "\r\n\\par\\fs18\\cf" + std::to_string(colour) + " " + text;
    }
    EXPECT_EQ(w.f().txtLog.TextRTF(), expectedDoc + "\r\n }");
    EXPECT_EQ(w.f().txtLog.Text(), "||||||||\r\none\r\n\r\nthree\r\n4");
    // The empty line keeps its size and colour, though it has no text to wear them.
    EXPECT_EQ(describeFrom(w.f().txtLog, 1), "<c1 18>one | <c7 18> | <c8 18>three | <c5 18>4");
}

TEST(ChatDocument, ReadingTheWholeDocumentShowsWhatTheViewShows) {
    Fresh w;
    w.f().showURLs = 1;
    std::vector<std::string> fragments = {
        "\\par\\fs18\\cf3    Ann> see http://www.example.org/a?b=1!, WWW.Caps.com, ok",
        "\\par\\fs18\\cf2\\i reply text \\plain",
        "\\par\\cf2 E\\cf1     Bob\\cf2 > team \\\\ \\{x\\}",
        "\\par\\fs18\\cf7 kill",
    };
    for (auto& fragment : fragments)
        AppendRtfFragment(w.f(), fragment);
    ChatView reread;
    reread.load(w.f().txtLog.TextRTF());
    ASSERT_EQ(reread.lineCount(), 5u);
    EXPECT_EQ(describeFrom(reread, 0), describeFrom(w.f().txtLog, 0));
    EXPECT_EQ(reread.Text(), w.f().txtLog.Text());
}

TEST(AppendRtfFragment, MalformedFragmentsCannotBreakTheDocument) {
    const std::pair<std::string, std::string> cases[] = {
        {"\\par\\cf3 fine {\\i x}", "\\par\\cf3 fine {\\i x}"},
        {"\\par\\cf3 a}} b", "\\par\\cf3 a b"},
        {"\\par\\cf3 {\\i open", "\\par\\cf3 {\\i open}"},
        {"\\par\\cf3 \\} ok\\", "\\par\\cf3 \\} ok"},
        {"\\par }{", "\\par {}"},
    };
    for (const auto& [in, want] : cases) {
        Fresh w;
        std::string fragment = in;
        AppendRtfFragment(w.f(), fragment);
        std::string next = "after";
        AppendChatLine(w.f(), next, ColorStatus);
        EXPECT_EQ(fragment, want) << in;
        ChatView reread;
        reread.load(w.f().txtLog.TextRTF());
        EXPECT_EQ(reread.Text(), w.f().txtLog.Text()) << in;
        EXPECT_EQ(w.f().txtLog.line(2).text, "after") << in;
    }
}

TEST(MarkLinks, WrapsWebLinks) {
    const std::pair<std::string, std::string> cases[] = {
        {"go to http://a.org now", "go to {\\cf8\\ul http://a.org} now"},
        {"wow http://a.org!?", "wow {\\cf8\\ul http://a.org}!?"},
        {"x www.a.org.,!?", "x {\\cf8\\ul www.a.org}.,!?"},
        {"HTTP://Big.Org, yes", "{\\cf8\\ul HTTP://Big.Org}, yes"},
        {"WWW.Caps.com,", "{\\cf8\\ul WWW.Caps.com},"},
        {"http:// alone", "http:// alone"},
        {"www. alone", "www. alone"},
        {"http://!!", "http://!!"},
        {"ftp://a.org mailto:x@y", "ftp://a.org mailto:x@y"},
        {"http://www.a.org", "{\\cf8\\ul http://{\\cf8\\ul www.a.org}}"},
        {"www.a.org and www.a.org/x", "{\\cf8\\ul www.a.org} and {\\cf8\\ul www.a.org}/x"},
        {"no links here", "no links here"},
        {"a\r\nwww.x.y\rz", "a\r\n{\\cf8\\ul www.x.y}\rz"},
        // Markup and escapes after a link stay outside it.
        {"\\cf1 www.x\\cf2 > hi", "\\cf1 {\\cf8\\ul www.x}\\cf2 > hi"},
        {"www.a.org\\{b\\}", "{\\cf8\\ul www.a.org}\\{b\\}"},
    };
    for (const auto& [in, want] : cases) {
        std::string text = in;
        EXPECT_EQ(MarkLinks(text), want) << in;
    }
}

TEST(AppendRtfFragment, MarksLinksInPlaceOnlyWhenSwitchedOn) {
    for (std::uint8_t on : {0, 1}) {
        Fresh w;
        w.f().showURLs = on;
        std::string text = "see www.x.org!";
        AppendChatLine(w.f(), text, ColorPublic);
        const std::string shown = describe(w.f().txtLog.line(1));
        if (on) {
            EXPECT_EQ(shown, "<c3 18>see <c8 18 u L>www.x.org<c3 18>!");
        } else {
            EXPECT_EQ(shown, "<c3 18>see www.x.org!");
        }
        EXPECT_EQ(text, "see www.x.org!");  // the caller's text is escaped, never marked
    }
}

TEST(AppendRtfFragment, FocusDecidesWhetherTheViewFollows) {
    Fresh w;
    std::vector<bool> follow;
    w.f().txtLog.appended.connect([&](bool showNewest) { follow.push_back(showNewest); });
    std::string a = "a", b = "b", c = "c";
    AppendChatLine(w.f(), a, ColorStatus);
    w.f().ViewHasFocus = true;
    AppendChatLine(w.f(), b, ColorStatus);
    w.f().ViewHasFocus = false;
    AppendChatLine(w.f(), c, ColorStatus);
    EXPECT_EQ(follow, (std::vector<bool>{true, false, true}));
}

// The time goes into the shown line only, from the switch on: the document and the log keep
// their bytes, lines already shown keep their form.
TEST(Timestamps, StampShownLinesOnly) {
    Fresh w;
    SetLogFileName(w.f(), "x.txt");
    OpenLog(w.f());
    std::string before = "old";
    PostStatusLine(w.f(), before);
    const std::string docBefore = w.f().txtLog.TextRTF();
    w.f().Timestamps = 1;
    struct Case {
        int hour, minute;
        std::string text;
        std::string shown;
    } cases[] = {
        {9, 5, "Bob {x}", "<c0 18 s>[09:05] <c1 18>Bob {x}"},
        {23, 59, "", "<c0 18 s>[23:59] "},
        {0, 0, "a\\b", "<c0 18 s>[00:00] <c1 18>a\\b"},
    };
    std::string doc = docBefore.substr(0, docBefore.size() - 4), log, text;
    for (const Case& c : cases) {
        w.clock.local.hour = c.hour;
        w.clock.local.minute = c.minute;
        PostStatusLine(w.f(), text = c.text);
        doc += "\r\n\\par\\fs18\\cf1 " + text;
        log += text + "\r\n";
        EXPECT_EQ(describe(w.f().txtLog.line(w.f().txtLog.lineCount() - 1)), c.shown);
    }
    EXPECT_EQ(w.f().txtLog.TextRTF(), doc + "\r\n }");
    EXPECT_TRUE(w.dir.read("logs/x.txt").ends_with("\r\nold\r\n" + log));
    EXPECT_EQ(describe(w.f().txtLog.line(1)), "<c1 18>old");
    // What a copy of the whole view holds.
    EXPECT_TRUE(
        w.f().txtLog.Text().ends_with("old\r\n[09:05] Bob {x}\r\n[23:59] \r\n[00:00] a\\b"));
}

// Events: L a line, M a fragment of two lines, D the window left, A back, R the view reset.
TEST(ReadMarker, AboveTheFirstLineThatArrivedWhileAway) {
    constexpr std::size_t none = ChatView::kNoMarker;
    struct Case {
        const char* events;
        std::size_t marker;
    } cases[] = {
        {"LL", none}, {"DLL", 1}, {"LDLLAL", 2}, {"LDAL", none},   {"DLALDL", 3}, {"DLADA", none},
        {"DLADL", 2}, {"DM", 1},  {"LLDRL", 1},  {"DLLRAL", none}, {"DLAAL", 1},
    };
    for (const Case& c : cases) {
        Fresh w;
        for (const char* e = c.events; *e; ++e) {
            std::string line = "x", two = "\\par\\cf1 one\\par\\cf2 two";
            if (*e == 'L') PostStatusLine(w.f(), line);
            if (*e == 'M') AppendRtfFragment(w.f(), two);
            if (*e == 'D' || *e == 'A') w.f().txtLog.setWindowActive(*e == 'A');
            if (*e == 'R') ResetChatView(w.f());
        }
        EXPECT_EQ(w.f().txtLog.markerLine(), c.marker) << c.events;
    }
}

TEST(PostLines, ColourAndEscapedLogLine) {
    struct Case {
        void (*post)(ViewPart&, std::string&);
        const char* colour;
    } cases[] = {{PostStatusLine, "1"}, {PostHighlightLine, "6"}};
    for (const Case& c : cases) {
        Fresh w;
        SetLogFileName(w.f(), "x.txt");
        OpenLog(w.f());
        std::string text = "Bob {away}";
        c.post(w.f(), text);
        EXPECT_EQ(text, "Bob \\{away\\}");
        EXPECT_NE(w.f().txtLog.TextRTF().find(std::string("\\par\\fs18\\cf") + c.colour +
                                              " Bob \\{away\\}\r\n }"),
                  std::string::npos);
        const std::string log = w.dir.read("logs/x.txt");
        EXPECT_TRUE(log.ends_with("\r\nBob \\{away\\}\r\n")) << log;
    }
}

TEST(ChatDocument, LinesBeforeTheFirstResetKeepTheDocumentWellFormed) {
    World w;
    EXPECT_EQ(w.f().txtLog.Text(), "");
    std::string text = "early {status}";
    PostStatusLine(w.f(), text);
    const std::string rtf = w.f().txtLog.TextRTF();
    EXPECT_TRUE(rtf.starts_with("{\\rtf1")) << rtf;
    EXPECT_TRUE(rtf.ends_with("\\par\\fs18\\cf1 early \\{status\\}\r\n }")) << rtf;
    ChatView reread;
    reread.load(rtf);
    EXPECT_EQ(reread.Text(), "\r\nearly {status}");
    EXPECT_EQ(w.f().txtLog.Text(), reread.Text());
}

TEST(ResetChatView, EmptiesTheViewToTheSampleLine) {
    Fresh w;
    for (int i = 0; i < 100; ++i) {
        std::string s = "line " + std::to_string(i);
        AppendChatLine(w.f(), s, ColorArena);
    }
    int reloads = 0;
    w.f().txtLog.reloaded.connect([&] { ++reloads; });
    ResetChatView(w.f());
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(w.f().txtLog.lineCount(), 1u);
    EXPECT_EQ(w.f().txtLog.TextRTF(), w.f().ChatViewInitialRtf);
    EXPECT_EQ(w.f().txtLog.Text(), "||||||||");
}

}  // namespace
}  // namespace orva::test
