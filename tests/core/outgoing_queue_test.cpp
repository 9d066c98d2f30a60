#include "core/outgoing_queue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/core_fixture.h"

namespace orva::test {
namespace {

using Lines = std::vector<std::string>;
using Ticks = std::vector<std::uint64_t>;

// Chat lines sent by the user at the given ticks leave at the expected ticks.
TEST(OutgoingQueue, PacesChatLines) {
    const struct {
        const char* name;
        Ticks sent, left;
    } cases[] = {
        {"four at once, the fifth 1,200 ms after the fourth",
         {0, 0, 0, 0, 0, 0},
         {0, 0, 0, 0, 1200, 2400}},
        {"eleven at once take 8.4 s",
         Ticks(11, 0),
         {0, 0, 0, 0, 1200, 2400, 3600, 4800, 6000, 7200, 8400}},
        {"four again after 4.8 quiet seconds",
         {0, 0, 0, 0, 9000, 9000, 9000, 9000, 9000},
         {0, 0, 0, 0, 9000, 9000, 9000, 9000, 10200}},
        {"the rest of a period is not carried over",
         {0, 0, 0, 0, 2000, 2000},
         {0, 0, 0, 0, 2000, 3200}},
        {"a line every 0.9 s is held to one per 1,200 ms after the fourth",
         {0, 900, 1800, 2700, 3600, 4500, 5400},
         {0, 900, 1800, 2700, 3900, 5100, 6300}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CoreWorld w;
        w.connect();
        w.clearRecords();
        Ticks left;
        std::size_t next = 0;
        for (std::uint64_t t = 0; t <= 20000; t += 100) {
            if (t > 0) w.clock.advance(100);
            for (; next < c.sent.size() && c.sent[next] == t; ++next)
                SendLine(w.f(), "SEND:PUB:" + std::to_string(next));
            while (left.size() < w.sentLines().size())
                left.push_back(t);
        }
        EXPECT_EQ(left, c.left);
        Lines expected;
        for (std::size_t i = 0; i < c.sent.size(); ++i)
            expected.push_back("SEND:PUB:" + std::to_string(i));
        EXPECT_EQ(w.sentLines(), expected);
    }
}

TEST(OutgoingQueue, OrderAndWhatGoesAhead) {
    CoreWorld w;
    w.enterArena(1);
    w.clearRecords();
    for (const char* line : {"SEND:PUB:1", "SEND:PUB:2", "SEND:PUB:3", "SEND:PUB:4", "SEND:PUB:5",
                             "CHANGEFREQ:2", "SEND:PUB:6"})
        SendLine(w.f(), line);
    // Other lines use no allowance but keep their place; the keep-alive answer goes at once.
    w.tcp->deliver("NOOP\n");
    EXPECT_EQ(w.sentLines(),
              (Lines{"SEND:PUB:1", "SEND:PUB:2", "SEND:PUB:3", "SEND:PUB:4", "NOOP"}));
    w.clock.advance(1200);
    EXPECT_EQ(w.sentLines().size(), 7u);
    EXPECT_EQ(w.sentLines()[6], "CHANGEFREQ:2");
    w.clock.advance(1200);
    EXPECT_EQ(w.sentLines().back(), "SEND:PUB:6");
}

TEST(OutgoingQueue, LinesStillWaitingAtTheEndAreCounted) {
    const struct {
        int sent;
        const char* status;  // nullptr: nothing said
    } cases[] = {
        {4, nullptr},
        {5, "1 line was not sent: the connection closed."},
        {7, "3 lines were not sent: the connection closed."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sent);
        CoreWorld w;
        w.enterArena(1);
        SetLogFileName(w.f(), "t.txt");
        OpenLog(w.f());
        w.clearRecords();
        for (int i = 0; i < c.sent; ++i)
            SendLine(w.f(), "SEND:PUB:x");
        w.tcp->peerClose();
        const std::string log = w.dir.read("logs/t.txt");
        if (c.status) {
            EXPECT_EQ(w.shown, (std::vector<Shown>{{ColorStatus, c.status}}));
            // In the log before it closes.
            EXPECT_LT(log.find(c.status), log.find("Log Closed."));
        } else {
            EXPECT_TRUE(w.shown.empty());
        }
        // Nothing of the old connection leaves on the next one.
        w.clearRecords();
        w.connect();
        w.clock.advance(10000);
        EXPECT_EQ(w.sentLines(), (Lines{"LOGIN:1;;ORVA 1.2, by Ostrelle:Ann:pw"}));
    }
}

}  // namespace
}  // namespace orva::test
