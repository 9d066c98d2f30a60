#include "logging/trace.h"

#include <gtest/gtest.h>

#include <string>

#include "app/frm_main.h"
#include "logging/chat_log.h"
#include "support/fakes.h"

namespace orva::test {
namespace {

TEST(TraceLine, OnlyOneFinalCarriageReturnIsRemoved) {
    const std::pair<std::string, std::string> cases[] = {
        {"S2C MSG:PUB:a:b\r", "S2C MSG:PUB:a:b"},
        {"S2C x\r\n", "S2C x\r\n"},
        {"S2C x\r\r", "S2C x\r"},
        {"\r", ""},
        {"", ""},
        {"mid\rdle", "mid\rdle"},
    };
    for (const auto& [in, want] : cases) {
        World w;
        std::string text = in;
        std::vector<std::string> seen;
        w.f().frmLog.lineAdded.connect([&](const std::string& l) { seen.push_back(l); });
        TraceLine(w.f(), text);
        EXPECT_EQ(text, "12/7/2026 9:05:03 AM " + want);  // the caller's text as traced
        ASSERT_EQ(w.f().frmLog.lines.size(), 1u);
        EXPECT_EQ(w.f().frmLog.lines.back(), text);
        EXPECT_EQ(seen, std::vector<std::string>{text});
    }
}

TEST(TraceLine, KeepsTheNewestLines) {
    World w;
    const std::size_t extra = 25;
    for (std::size_t i = 0; i < TraceLog::kCapacity + extra; ++i)
        TraceLine(w.f(), "C2S " + std::to_string(i));
    const TraceLog& log = w.f().frmLog;
    EXPECT_EQ(log.lines.size(), TraceLog::kCapacity);
    EXPECT_EQ(log.dropped, extra);
    EXPECT_EQ(log.total(), TraceLog::kCapacity + extra);
    EXPECT_EQ(log.lines.front(), "12/7/2026 9:05:03 AM C2S " + std::to_string(extra));
    EXPECT_EQ(log.lines.back(),
              "12/7/2026 9:05:03 AM C2S " + std::to_string(TraceLog::kCapacity + extra - 1));
}

// The stamp is kept from line to line; it must follow every change of the clock, in any field.
TEST(TraceLine, StampFollowsTheClock) {
    const LocalTime times[] = {
        {2026, 12, 7, 9, 5, 3, 0}, {2026, 12, 7, 9, 5, 3, 999}, {2026, 12, 7, 9, 5, 4, 0},
        {2026, 12, 7, 9, 6, 4, 0}, {2026, 12, 7, 10, 6, 4, 0},  {2026, 12, 8, 10, 6, 4, 0},
        {2026, 1, 8, 10, 6, 4, 0}, {2027, 1, 8, 10, 6, 4, 0},   {12345, 1, 8, 10, 6, 4, 0},
        {2027, 1, 8, 10, 6, 4, 0}, {-1, 1, 1, 0, 0, 0, 0},      {0, 0, 0, 0, 0, 0, 0},
    };
    World w;
    for (const auto& t : times) {
        w.clock.local = t;
        TraceLine(w.f(), "x");
        EXPECT_EQ(w.f().frmLog.lines.back(), std::string(w.clock.dateTimeText()) + " x");
    }
}

// Received lines are traced as "S2C " + line, without the caller building that text.
TEST(TraceLine, PrefixAndText) {
    const struct {
        std::string prefix, text, want;
    } cases[] = {
        {"S2C ", "NOOP", "S2C NOOP"},
        {"S2C ", "NOOP\r", "S2C NOOP"},
        {"", "", ""},
        {"S2C ", "", "S2C "},
    };
    for (const auto& c : cases) {
        World w;
        TraceLine(w.f(), c.prefix, c.text);
        EXPECT_EQ(w.f().frmLog.lines.back(), "12/7/2026 9:05:03 AM " + c.want);
    }
}

TEST(TraceWindow, CloseHidesAndKeepsTheTrace) {
    World w;
    int shown = 0;
    w.f().showRequested.connect([&] { ++shown; });
    TraceLine(w.f(), "first");
    ShowTraceWindow(w.f());
    EXPECT_TRUE(w.f().frmLog.Visible.get());
    EXPECT_TRUE(frmLog_QueryUnload(w.f()));  // the close is cancelled
    EXPECT_FALSE(w.f().frmLog.Visible.get());
    EXPECT_EQ(shown, 1);
    TraceLine(w.f(), "while hidden");
    ShowTraceWindow(w.f());
    EXPECT_EQ(w.f().frmLog.lines.size(), 2u);
}

}  // namespace
}  // namespace orva::test
