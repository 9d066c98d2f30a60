#include "view/links.h"

#include <gtest/gtest.h>

#include <string>

#include "app/frm_main.h"
#include "support/fakes.h"

namespace orva::test {
namespace {

TEST(FindHyperlink, WordLeftOfThePointer) {
    // Index p is the character under the pointer; the word is found around p - 1.
    const std::string text = "see http://a.org!? or www.b.net\r\nmailto: www. ftp://x WWW.C.D,";
    auto at = [&](const std::string& marker, int offset) {
        return static_cast<long>(text.find(marker)) + offset;
    };
    struct Case {
        long p;
        std::string link;
        int pointer;
    } cases[] = {
        {at("http", 0), "", kDefaultPointer},           // over the link's first char: the space
        {at("http", 1), "http://a.org", kLinkPointer},  // trailing "!?" dropped
        {at("!?", 2), "http://a.org", kLinkPointer},    // over the space after the link
        {at(" or ", 1), "", kDefaultPointer},
        {at("www.b", 5), "www.b.net", kLinkPointer},
        {at("\r\n", 0), "", kDefaultPointer},  // under the pointer: CR
        {at("\r\n", 1), "", kDefaultPointer},  // over the LF: left of it the CR
        {at("mailto", 3), "mailto:", kLinkPointer},
        {at("www. ", 2), "", kLinkPointer},  // bare "www." shows the pointer, opens nothing
        {at("ftp", 4), "ftp://x", kLinkPointer},
        {at("WWW.C", 2), "WWW.C.D", kLinkPointer},
        {0, "", kDefaultPointer},
        {-3, "", kDefaultPointer},
        {static_cast<long>(text.size()), "", kDefaultPointer},
        {static_cast<long>(text.size()) + 5, "", kDefaultPointer},
    };
    for (const Case& c : cases) {
        const LinkHit hit = FindHyperlink(text, c.p);
        EXPECT_EQ(hit.link, c.link) << c.p;
        EXPECT_EQ(hit.pointer, c.pointer) << c.p;
    }
}

TEST(FindHyperlink, SingleLineEnds) {
    const std::string line = "www.x.org";
    EXPECT_EQ(FindHyperlink(line, 0).link, "");              // left of it: the line break
    EXPECT_EQ(FindHyperlink(line, 8).link, "www.x.org");     // over the last "g"
    EXPECT_EQ(FindHyperlink(line, 9).link, "");              // past the end of the line
    EXPECT_EQ(FindHyperlink("http://", 3).link, "http://");  // the form alone, as written
}

TEST(LinkAddress, OnlyTheFourFormsAreOpened) {
    const std::pair<std::string, std::string> cases[] = {
        {"http://a.org", "http://a.org"},
        {"www.a.org", "http://www.a.org"},
        {"WWW.A.ORG", "http://WWW.A.ORG"},
        {"ftp://f", "ftp://f"},
        {"mailto:", "mailto:"},
        {"file:///etc/passwd", ""},
        {"calc.exe", ""},
        {"www", ""},
    };
    for (const auto& [link, address] : cases)
        EXPECT_EQ(LinkAddress(link), address) << link;
}

TEST(ChatViewMouse, HoverAndClickFollowTheSwitch) {
    World w;
    FrmMain& f = w.f();
    const std::string line = "go www.x.org now";
    f.showURLs = 0;
    txtLog_MouseMove(f, line, 8);
    txtLog_MouseDown(f, 1);
    EXPECT_EQ(f.HoverLink, "");
    EXPECT_EQ(f.txtLog.MousePointer.get(), kDefaultPointer);
    EXPECT_TRUE(w.shell.opened.empty());

    f.showURLs = 1;
    txtLog_MouseMove(f, line, 8);
    EXPECT_EQ(f.HoverLink, "www.x.org");
    EXPECT_EQ(f.txtLog.MousePointer.get(), kLinkPointer);
    txtLog_MouseDown(f, 2);  // right button opens nothing
    txtLog_MouseDown(f, 1);
    EXPECT_EQ(w.shell.opened, std::vector<std::string>{"http://www.x.org"});

    // Off again: the last link and pointer stay, but nothing is opened or updated.
    f.showURLs = 0;
    txtLog_MouseMove(f, line, 14);
    txtLog_MouseDown(f, 1);
    EXPECT_EQ(f.HoverLink, "www.x.org");
    EXPECT_EQ(w.shell.opened.size(), 1u);

    f.showURLs = 1;
    txtLog_MouseMove(f, line, 14);
    EXPECT_EQ(f.HoverLink, "");
    EXPECT_EQ(f.txtLog.MousePointer.get(), kDefaultPointer);
    f.HoverLink = "javascript:alert(1)";  // set from outside: still never handed to the shell
    txtLog_MouseDown(f, 1);
    EXPECT_EQ(w.shell.opened.size(), 1u);
}

TEST(ChatViewFocus, FollowsTheFocusEvents) {
    World w;
    txtLog_GotFocus(w.f());
    EXPECT_TRUE(w.f().ViewHasFocus);
    txtLog_LostFocus(w.f());
    EXPECT_FALSE(w.f().ViewHasFocus);
}

}  // namespace
}  // namespace orva::test
