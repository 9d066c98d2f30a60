#include "core/inbound_queue.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/fakes.h"

namespace orva::test {
namespace {

std::string lineText(std::size_t i) {
    return "L" + std::to_string(i) + ":" + std::string(i % 97, 'x');
}

// However pushing, slicing and handling interleave - also when the queue never runs dry and
// drops its handled front now and then - every line comes out whole, once, in order.
TEST(InboundQueue, LinesStayWholeAndInOrder) {
    const struct {
        const char* name;
        std::size_t sliceLines;
        std::size_t pushedPerHandled;  // lines that arrive while one is handled
    } cases[] = {
        {"one slice", 100000, 0},
        {"small slices", 7, 0},
        {"never runs dry", 50, 1},
        {"grows while handled", 3, 2},
    };
    constexpr std::size_t kTotal = 6000;  // about 300 KB of lines
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ManualClock clock;
        std::vector<std::string> handled;
        std::size_t next = 0;
        std::unique_ptr<InboundQueue> q;
        q = std::make_unique<InboundQueue>(clock, clock.createTimer(), [&](std::string& line) {
            handled.push_back(line);
            for (std::size_t k = 0; k < c.pushedPerHandled && next < kTotal; ++k)
                q->push(lineText(next++));
            q->drain();  // an arrival while a line is in hand only queues
        });
        q->setSliceLimits(c.sliceLines, 5);
        for (int round = 0; round < 100 && next < kTotal; ++round) {
            for (std::size_t k = 0; k < 1000 && next < kTotal; ++k)
                q->push(lineText(next++));
            q->drain();
            for (int turn = 0; turn < 100000 && q->continuationPending(); ++turn)
                clock.advance(1);  // one turn of the event loop
        }
        ASSERT_EQ(handled.size(), kTotal);
        for (std::size_t i = 0; i < kTotal; ++i)
            ASSERT_EQ(handled[i], lineText(i)) << i;
        EXPECT_EQ(q->size(), 0u);
    }
}

TEST(InboundQueue, ClearedWhileALineIsInHand) {
    ManualClock clock;
    std::vector<std::string> handled;
    std::unique_ptr<InboundQueue> q;
    q = std::make_unique<InboundQueue>(clock, clock.createTimer(), [&](std::string& line) {
        handled.push_back(line);
        if (line == "hop") {
            q->clear();  // a new connection forgets the old one's lines
            q->push("new 1");
            q->push("new 2");
        }
    });
    for (const char* l : {"a", "hop", "old 1", "old 2"})
        q->push(l);
    q->drain();
    EXPECT_EQ(handled, (std::vector<std::string>{"a", "hop", "new 1", "new 2"}));
}

}  // namespace
}  // namespace orva::test
